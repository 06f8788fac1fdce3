// The narrow/wide text fonts: Code 39, Codabar, Interleaved 2 of 5 and MSI. Each character
// draws a fixed sequence of narrow and wide elements, bar first.
#include <array>
#include <string_view>
#include <vector>

#include "encoders/linear/narrow_wide_patterns.h"
#include "render/fonts.h"

namespace orbx::render::detail {

namespace {

// Each walk hands every element to `put` (true for a wide one), bar first, inter-character gaps
// included; false, with the reason in `error`, at a character without meaning.

template <typename Put>
void Append(Put& put, std::string_view nw) {
    for (char c : nw)
        put(c == 'w');
}

int Code39Value(unsigned char b) {
    constexpr std::string_view kAlphabet = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-.=$/+%*";
    const std::size_t k = kAlphabet.find(static_cast<char>(b));
    return k == std::string_view::npos ? -1 : static_cast<int>(k);
}

// Every Code 39 font character is its 9 elements and a narrow inter-character gap; "=" draws
// the space character and "*" the start/stop character.
template <typename Put>
bool Code39Walk(std::string_view text, Put&& put, std::string* error) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int v = Code39Value(static_cast<unsigned char>(text[i]));
        if (v < 0) return Fail(error, "Code 39", text, i);
        Append(put, kCode39Patterns[static_cast<std::size_t>(v)]);
        put(false);
    }
    return true;
}

// Every Codabar font character is its 7 elements and a narrow gap.
template <typename Put>
bool CodabarWalk(std::string_view text, Put&& put, std::string* error) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t k = kCodabarAlphabet.find(text[i]);
        if (k == std::string_view::npos) return Fail(error, "Codabar", text, i);
        Append(put, kCodabarPatterns[k]);
        put(false);
    }
    return true;
}

// Byte 203 is the start (narrow bar, space, bar, space), 204 the stop (wide bar, narrow space,
// narrow bar); the pair value n is drawn by the byte n + 33 (n up to 93) or n + 103 (94 to 99):
// the tens digit's widths as bars, the units digit's as spaces.
template <typename Put>
bool I2of5Walk(std::string_view text, Put&& put, std::string* error) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int b = static_cast<unsigned char>(text[i]);
        if (b == 203) {
            Append(put, "nnnn");
            continue;
        }
        if (b == 204) {
            Append(put, "wnn");
            continue;
        }
        int n = -1;
        if (b >= 33 && b <= 126) n = b - 33;
        if (b >= 197 && b <= 202) n = b - 103;
        if (n < 0) return Fail(error, "Interleaved 2 of 5", text, i);
        const std::string_view bars = kInterleavedPatterns[static_cast<std::size_t>(n / 10)];
        const std::string_view spaces = kInterleavedPatterns[static_cast<std::size_t>(n % 10)];
        for (std::size_t k = 0; k < 5; ++k) {
            put(bars[k] == 'w');
            put(spaces[k] == 'w');
        }
    }
    return true;
}

// "(" is the start (wide bar, narrow space), ")" the stop (narrow bar, wide space, narrow bar),
// a digit its four bits from the most significant, each 0 as narrow bar and wide space and each
// 1 as wide bar and narrow space.
template <typename Put>
bool MsiWalk(std::string_view text, Put&& put, std::string* error) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '(') {
            Append(put, "wn");
        } else if (c == ')') {
            Append(put, "nwn");
        } else if (c >= '0' && c <= '9') {
            for (int bit = 3; bit >= 0; --bit)
                Append(put, ((c - '0') >> bit) & 1 ? "wn" : "nw");
        } else {
            return Fail(error, "MSI", text, i);
        }
    }
    return true;
}

template <typename Put>
bool Walk(Font font, std::string_view text, Put&& put, std::string* error) {
    switch (font) {
        case Font::code39:
            return Code39Walk(text, put, error);
        case Font::codabar:
            return CodabarWalk(text, put, error);
        case Font::i2of5:
            return I2of5Walk(text, put, error);
        case Font::msi:
            return MsiWalk(text, put, error);
        default:
            if (error != nullptr) *error = "not a narrow/wide text font";
            return false;
    }
}

Elements AsElements(Font font, std::string_view text) {
    std::vector<bool> wide;
    std::string error;
    if (!Walk(
            font, text, [&](bool w) { wide.push_back(w); }, &error)) {
        return ElementsFailure(std::move(error));
    }
    return Elements{std::move(wide), {}};
}

}  // namespace

bool NarrowWideRow(Font font, std::string_view text, Symbol& s, std::string* error) {
    Row& row = RowAt(s, 0, 40);
    bool dark = true;
    const bool ok = Walk(
        font, text,
        [&](bool wide) {
            AppendRun(row, wide ? kWideToNarrow : 1, dark);
            dark = !dark;
        },
        error);
    KeepRows(s, 1);
    return ok;
}

Elements Code39Elements(std::string_view text) {
    return AsElements(Font::code39, text);
}

Elements CodabarElements(std::string_view text) {
    return AsElements(Font::codabar, text);
}

Elements I2of5Elements(std::string_view text) {
    return AsElements(Font::i2of5, text);
}

Elements MsiElements(std::string_view text) {
    return AsElements(Font::msi, text);
}

}  // namespace orbx::render::detail
