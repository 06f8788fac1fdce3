#include "encoders/linear/codabar.h"

#include <array>
#include <string>
#include <string_view>

#include "common/output.h"
#include "common/status.h"
#include "common/utilities.h"

namespace orbx {

namespace {

// Codabar data characters besides the digits (AIM USS Codabar character set).
constexpr std::array<char, 6> kSymbols = {'-', '$', ':', '/', '.', '+'};

constexpr char kStart = 'A';
constexpr char kStop = 'B';

bool is_data_char(char c) {
    if (isNumeric(static_cast<unsigned char>(c))) return true;
    for (char s : kSymbols)
        if (c == s) return true;
    return false;
}

}  // namespace

int Orbelantrix_Codabar(char* data, char* out, long capacity) {
    return BuildSymbol(data, out, capacity, 2, [](std::string_view d, char* p) {
        *p++ = kStart;
        for (char c : d)
            if (is_data_char(c)) *p++ = c;
        *p++ = kStop;
        return p;
    });
}

}  // namespace orbx
