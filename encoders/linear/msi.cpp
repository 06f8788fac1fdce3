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
    // Start, the digits, the check digit and stop.
    thread_local std::string work;
    char* const symbol = WorkArea(work, d.size() + 3);
    char* p = symbol;
    *p++ = kStart;
    for (char c : d)
        if (isNumeric(static_cast<unsigned char>(c))) *p++ = c;
    *p = MSICheckDigit(std::string_view(symbol + 1, static_cast<std::size_t>(p - symbol - 1)));
    *++p = kStop;
    ++p;
    return HandOver(out, capacity, symbol, p);
}

}  // namespace orbx
