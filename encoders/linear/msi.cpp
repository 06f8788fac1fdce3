#include "encoders/linear/msi.h"

#include <string>
#include <string_view>

#include "common/check_digits.h"
#include "common/output.h"
#include "common/status.h"
#include "common/utilities.h"

namespace orbx {

namespace {

constexpr char kStart = '(';
constexpr char kStop = ')';

}  // namespace

int Orbelantrix_MSI(char* data, char* out, long capacity) {
    if (data == nullptr || data[0] == '\0') return kStatusRefused;
    const std::string_view d(data);
    std::string symbol;
    symbol.reserve(d.size() + 3);
    symbol += kStart;
    for (char c : d)
        if (isNumeric(static_cast<unsigned char>(c))) symbol += c;
    // The digits after the start character, zero-terminated by the string, are the check
    // digit's input.
    symbol += CalcMSICheckDigit(symbol.c_str() + 1)[0];
    symbol += kStop;
    return CopyResult(out, capacity, symbol) ? kStatusOk : kStatusRefused;
}

}  // namespace orbx
