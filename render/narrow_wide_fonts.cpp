// The narrow/wide text fonts: Code 39, Codabar, Interleaved 2 of 5 and MSI. Each character
// draws a fixed sequence of narrow and wide elements, bar first.
#include <array>
#include <string_view>
#include <vector>

#include "encoders/linear/narrow_wide_patterns.h"
#include "render/fonts.h"

namespace orbx::render::detail {

namespace {

void Append(std::vector<bool>& out, std::string_view nw) {
    for (char c : nw)
        out.push_back(c == 'w');
}

int Code39Value(unsigned char b) {
    constexpr std::string_view kAlphabet = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-.=$/+%*";
    const std::size_t k = kAlphabet.find(static_cast<char>(b));
    return k == std::string_view::npos ? -1 : static_cast<int>(k);
}

}  // namespace

// Every Code 39 font character is its 9 elements and a narrow inter-character gap; "=" draws
// the space character and "*" the start/stop character.
Elements Code39Elements(std::string_view text) {
    std::vector<bool> wide;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int v = Code39Value(static_cast<unsigned char>(text[i]));
        if (v < 0) return ElementsFailure(NoMeaning("Code 39", text, i));
        Append(wide, kCode39Patterns[static_cast<std::size_t>(v)]);
        wide.push_back(false);
    }
    return Elements{std::move(wide), {}};
}

// Every Codabar font character is its 7 elements and a narrow gap.
Elements CodabarElements(std::string_view text) {
    std::vector<bool> wide;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t k = kCodabarAlphabet.find(text[i]);
        if (k == std::string_view::npos) return ElementsFailure(NoMeaning("Codabar", text, i));
        Append(wide, kCodabarPatterns[k]);
        wide.push_back(false);
    }
    return Elements{std::move(wide), {}};
}

// Byte 203 is the start (narrow bar, space, bar, space), 204 the stop (wide bar, narrow space,
// narrow bar); the pair value n is drawn by the byte n + 33 (n up to 93) or n + 103 (94 to 99):
// the tens digit's widths as bars, the units digit's as spaces.
Elements I2of5Elements(std::string_view text) {
    std::vector<bool> wide;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int b = static_cast<unsigned char>(text[i]);
        if (b == 203) {
            Append(wide, "nnnn");
            continue;
        }
        if (b == 204) {
            Append(wide, "wnn");
            continue;
        }
        int n = -1;
        if (b >= 33 && b <= 126) n = b - 33;
        if (b >= 197 && b <= 202) n = b - 103;
        if (n < 0) return ElementsFailure(NoMeaning("Interleaved 2 of 5", text, i));
        const std::string_view bars = kInterleavedPatterns[static_cast<std::size_t>(n / 10)];
        const std::string_view spaces = kInterleavedPatterns[static_cast<std::size_t>(n % 10)];
        for (std::size_t k = 0; k < 5; ++k) {
            wide.push_back(bars[k] == 'w');
            wide.push_back(spaces[k] == 'w');
        }
    }
    return Elements{std::move(wide), {}};
}

// "(" is the start (wide bar, narrow space), ")" the stop (narrow bar, wide space, narrow bar),
// a digit its four bits from the most significant, each 0 as narrow bar and wide space and each
// 1 as wide bar and narrow space.
Elements MsiElements(std::string_view text) {
    std::vector<bool> wide;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '(') {
            Append(wide, "wn");
        } else if (c == ')') {
            Append(wide, "nwn");
        } else if (c >= '0' && c <= '9') {
            for (int bit = 3; bit >= 0; --bit)
                Append(wide, ((c - '0') >> bit) & 1 ? "wn" : "nw");
        } else {
            return ElementsFailure(NoMeaning("MSI", text, i));
        }
    }
    return Elements{std::move(wide), {}};
}

}  // namespace orbx::render::detail
