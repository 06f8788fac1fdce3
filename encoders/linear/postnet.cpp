#include "encoders/linear/postnet.h"

#include <string_view>

#include "common/output.h"

namespace orbx {

int Orbelantrix_Postnet(char* data, char* out, long capacity) {
    // Frame bar "(", the digits, the check digit that brings their sum to a multiple of 10, and
    // frame bar ")".
    return BuildFramedDigits(data, out, capacity, '(', ')', [](std::string_view, int sum) {
        const int rest = sum % 10;
        return static_cast<char>(rest == 0 ? '0' : '0' + 10 - rest);
    });
}

}  // namespace orbx
