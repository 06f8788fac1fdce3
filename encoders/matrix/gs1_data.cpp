#include "encoders/matrix/gs1_data.h"

namespace orbx {

namespace {

// The GS1 General Specifications' AIs of predefined length, by their first two digits, with the
// length of the whole element (AI and data); 0 for a variable length.
int PredefinedLength(char a, char b) {
    const int two = (a - '0') * 10 + (b - '0');
    switch (two) {
        case 0:
            return 20;
        case 1:
        case 2:
        case 3:
            return 16;
        case 4:
            return 18;
        case 11:
        case 12:
        case 13:
        case 14:
        case 15:
        case 16:
        case 17:
        case 18:
        case 19:
            return 8;
        case 20:
            return 4;
        case 31:
        case 32:
        case 33:
        case 34:
        case 35:
        case 36:
            return 10;
        case 41:
            return 16;
        default:
            return 0;
    }
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

int Gs1ElementData(std::string_view text, char* out, int capacity) {
    int written = 0;
    std::size_t at = 0;
    if (text.empty() || text[0] != '(') return -1;
    bool separator_due = false;
    while (at < text.size()) {
        if (text[at] != '(') return -1;
        const std::size_t close = text.find(')', at + 1);
        if (close == std::string_view::npos) return -1;
        const std::string_view ai = text.substr(at + 1, close - at - 1);
        if (ai.size() < 2 || ai.size() > 4) return -1;
        for (char c : ai)
            if (!IsDigit(c)) return -1;
        std::size_t end = close + 1;
        while (end < text.size() && text[end] != '(' && text[end] != ')')
            ++end;
        if (end < text.size() && text[end] == ')') return -1;
        const std::string_view value = text.substr(close + 1, end - close - 1);
        if (value.empty() || value.size() > 90) return -1;

        const int needed = (separator_due ? 1 : 0) + static_cast<int>(ai.size() + value.size());
        if (needed > capacity - written) return -1;
        if (separator_due) out[written++] = kGs1Separator;
        for (char c : ai)
            out[written++] = c;
        for (char c : value)
            out[written++] = c;
        separator_due = PredefinedLength(ai[0], ai[1]) == 0;
        at = end;
    }
    return written;
}

}  // namespace orbx
