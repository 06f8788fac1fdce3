#include "encoders/code128/code128.h"

#include <cstdint>

#include "common/output.h"
#include "common/status.h"
#include "common/utilities.h"
#include "encoders/code128/code128_patterns.h"
#include "encoders/code128/code128_values.h"
#include "encoders/code128/tilde_escapes.h"

namespace orbx {

namespace {

// Single-byte function markers that tilde escapes produce: the FNC1 markers 212 to 217 also
// carry an application-identifier length for the human-readable line.
bool is_fnc1_marker(int b) {
    return b == kCode128Fnc1 || (b >= 212 && b <= 218);
}

bool is_escape_fnc1(int b) {
    return is_fnc1_marker(b);
}

bool is_fnc2(int b) {
    return b == kCode128Fnc2;
}

// The text font's reading of the data: FNC1 for 202 and the AI-length markers 212 to 218 (not
// as the last byte), FNC2 as the only function byte, set C for digit pairs only in data of four
// bytes or more, and a space in set A kept in set A. Every FNC1 marker starts in set C, as a
// GS1-128 symbol does.
constexpr Code128Rules kTextFontRules = {is_escape_fnc1, false, is_fnc2, is_escape_fnc1, 4, true};

// Encodes an already tilde-processed text into start, data, check and stop characters: one
// font character per symbol value.
int encode(std::string_view s, char* out, long capacity) {
    std::uint8_t* const values = Code128ValueArea(2 * s.size());
    std::size_t count = 0;
    const int start = Code128Values<kTextFontRules>(s, values, count);
    // Per thread, kept from call to call: no allocation once a thread has built a symbol this
    // long.
    thread_local std::string work;
    char* const symbol = WorkArea(work, count + 3);
    char* o = symbol;
    *o++ = static_cast<char>(Code128FontChar(start));
    // Set A's control character 31 (value 95) is written as the font's character 127, its code
    // plus 96 as for every control character of set A; elsewhere value 95 is 195. The font draws
    // both alike. So the set is followed: values 99 to 101 change it, except where they are data
    // (the pair 99 in set C, FNC4 in its own set, which this encoder never writes).
    char set = static_cast<char>('A' + (start - kCode128ValueStartA));
    Code128Check check{static_cast<std::uint64_t>(start)};
    for (std::size_t i = 0; i < count; ++i) {
        const int v = values[i];
        Code128CheckAdd(check, v);
        *o++ = static_cast<char>(set == 'A' && v == 95 ? 127 : Code128FontChar(v));
        if (v == kCode128ValueCodeC && set != 'C') set = 'C';
        if (v == kCode128ValueCodeB && set != 'B') set = 'B';
        if (v == kCode128ValueCodeA && set != 'A') set = 'A';
    }
    *o++ = static_cast<char>(Code128FontChar(Code128CheckValue(check)));
    *o++ = static_cast<char>(kCode128Stop);
    return HandOver(out, capacity, symbol, o);
}

}  // namespace

unsigned char Code128CheckChar(unsigned char start, std::string_view chars) {
    // Summed in 64 bits and reduced once: the same remainder as reducing at every step.
    std::int64_t sum = Code128FontValue(start);
    std::int64_t position = 1;
    for (char c : chars)
        sum += Code128FontValue(static_cast<unsigned char>(c)) * position++;
    // Bytes below 32 read back as negative values (the fixed sets pass data bytes as they
    // stand); the check value is the non-negative remainder all the same.
    return Code128FontChar(static_cast<int>((sum % 103 + 103) % 103));
}

std::string Code128ProcessTilde(std::string_view d) {
    std::string r(d.size(), '\0');
    r.resize(ExpandTildes<kTextFontTildes>(d, r.data()));
    return r;
}

int Orbelantrix_Code128(char* data, long tilde, char* out, long capacity) {
    if (data == nullptr || data[0] == '\0') return kStatusRefused;
    const std::string_view d(data);
    // Data without a tilde has no escapes to expand.
    if (tilde == 0 || d.find('~') == std::string_view::npos) return encode(d, out, capacity);
    thread_local std::string work;
    char* const text = WorkArea(work, d.size());
    return encode(std::string_view(text, ExpandTildes<kTextFontTildes>(d, text)), out, capacity);
}

int Orbelantrix_UCC128(char* data, char* out, long capacity) {
    if (data == nullptr) return kStatusRefused;
    // The leading FNC1 is judged after the escapes are expanded, so data that starts with ~202
    // (or any other FNC1 marker) gets one FNC1, not two: two leading FNC1s make an invalid
    // GS1-128 symbol.
    std::string s = Code128ProcessTilde(data);
    if (s.empty() || !is_fnc1_marker(static_cast<unsigned char>(s[0]))) {
        s.insert(s.begin(), static_cast<char>(kCode128Fnc1));
    }
    return encode(s, out, capacity);
}

}  // namespace orbx
