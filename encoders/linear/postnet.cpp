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
    if (data == nullptr || data[0] == '\0') return kStatusRefused;
    const std::string_view d(data);
    std::string symbol;
    symbol.reserve(d.size() + 3);
    symbol += kFrameStart;
    int sum = 0;
    for (char c : d) {
        if (!isNumeric(static_cast<unsigned char>(c))) continue;
        symbol += c;
        sum = (sum + (c - '0')) % 10;
    }
    symbol += static_cast<char>('0' + (10 - sum) % 10);
    symbol += kFrameEnd;
    return CopyResult(out, capacity, symbol) ? kStatusOk : kStatusRefused;
}

}  // namespace orbx
