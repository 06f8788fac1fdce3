#include "encoders/linear/msi.h"

#include <string_view>

#include "common/check_digits.h"
#include "common/output.h"

namespace orbx {

int Orbelantrix_MSI(char* data, char* out, long capacity) {
    // Start "(", the digits, the check digit and stop ")".
    return BuildFramedDigits(data, out, capacity, '(', ')',
                             [](std::string_view digits, int) { return MSICheckDigit(digits); });
}

}  // namespace orbx
