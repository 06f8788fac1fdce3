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
    // Start, the digits, the check digit and stop.
    return BuildSymbol(data, out, capacity, 3, [](std::string_view d, char* p) {
        *p++ = kStart;
        char* const digits = p;
        for (char c : d)
            if (isNumeric(static_cast<unsigned char>(c))) *p++ = c;
        *p = MSICheckDigit(std::string_view(digits, static_cast<std::size_t>(p - digits)));
        *++p = kStop;
        return p + 1;
    });
}

}  // namespace orbx
