#include "encoders/linear/code39.h"

#include <string>
#include <string_view>

#include "common/output.h"
#include "common/status.h"
#include "common/utilities.h"
#include "encoders/linear/code39_values.h"

namespace orbx {

namespace {

constexpr char kStartStop = '*';

// Font character of a Code 39 value: the character itself, except the space, drawn as "=".
char font_char(int value) {
    return value == kCode39SpaceValue ? kCode39FontSpace : kCode39Chars[value];
}

int hand_over(const std::string& symbol, char* out, long capacity) {
    return CopyResult(out, capacity, symbol) ? kStatusOk : kStatusRefused;
}

}  // namespace

int Orbelantrix_Code39(char* data, char* out, long capacity) {
    if (data == nullptr || data[0] == '\0') return kStatusRefused;
    const std::string_view d(data);
    std::string symbol;
    symbol.reserve(d.size() + 2);
    symbol += kStartStop;
    for (char c : d)
        symbol += c == ' ' ? kCode39FontSpace : c;
    symbol += kStartStop;
    strupr(symbol.data());
    return hand_over(symbol, out, capacity);
}

int Orbelantrix_Code39Mod43(char* data, char* out, long capacity) {
    if (data == nullptr || data[0] == '\0') return kStatusRefused;
    std::string upper(data);
    strupr(upper.data());

    std::string symbol;
    symbol.reserve(upper.size() + 3);
    symbol += kStartStop;
    int sum = 0;
    for (char c : upper) {
        const int value = Code39Value(static_cast<unsigned char>(c));
        if (value < 0) continue;
        symbol += font_char(value);
        sum = (sum + value) % kCode39ValueCount;
    }
    symbol += font_char(sum);
    symbol += kStartStop;
    return hand_over(symbol, out, capacity);
}

}  // namespace orbx
