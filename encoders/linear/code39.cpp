#include "encoders/linear/code39.h"

#include <string>
#include <string_view>

#include "common/output.h"
#include "common/status.h"
#include "encoders/linear/code39_values.h"

namespace orbx {

namespace {

constexpr char kStartStop = '*';

// Font character of a Code 39 value: the character itself, except the space, drawn as "=".
char font_char(int value) {
    return value == kCode39SpaceValue ? kCode39FontSpace : kCode39Chars[value];
}

char upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}

}  // namespace

int Orbelantrix_Code39(char* data, char* out, long capacity) {
    return BuildSymbol(data, out, capacity, 2, [](std::string_view d, char* p) {
        *p++ = kStartStop;
        // Every character as it stands, upper-cased, the space drawn as its font character.
        for (char c : d)
            *p++ = c == ' ' ? kCode39FontSpace : upper(c);
        *p++ = kStartStop;
        return p;
    });
}

int Orbelantrix_Code39Mod43(char* data, char* out, long capacity) {
    return BuildSymbol(data, out, capacity, 3, [](std::string_view d, char* p) {
        *p++ = kStartStop;
        int sum = 0;
        for (char c : d) {
            const int value = Code39Value(static_cast<unsigned char>(upper(c)));
            if (value < 0) continue;
            *p++ = font_char(value);
            sum += value;
        }
        *p++ = font_char(sum % kCode39ValueCount);
        *p++ = kStartStop;
        return p;
    });
}

}  // namespace orbx
