#include "encoders/linear/postnet.h"

#include <string>
#include <string_view>

#include "common/output.h"
#include "common/status.h"
#include "common/utilities.h"

namespace orbx {

namespace {

constexpr char kFrameStart = '(';
constexpr char kFrameEnd = ')';

}  // namespace

int Orbelantrix_Postnet(char* data, char* out, long capacity) {
    // Frame, the digits, the check digit and the frame.
    return BuildSymbol(data, out, capacity, 3, [](std::string_view d, char* p) {
        *p++ = kFrameStart;
        int sum = 0;
        for (char c : d) {
            if (!isNumeric(static_cast<unsigned char>(c))) continue;
            *p++ = c;
            sum += c - '0';
        }
        *p++ = static_cast<char>('0' + (10 - sum % 10) % 10);
        *p++ = kFrameEnd;
        return p;
    });
}

}  // namespace orbx
