#include "encoders/universal/uni_code128.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "common/output.h"
#include "common/utilities.h"
#include "encoders/code128/code128_patterns.h"
#include "encoders/code128/code128_values.h"
#include "encoders/code128/tilde_escapes.h"
#include "encoders/universal/universal_font.h"

namespace orbx {

namespace {

// Bytes that the automatic encoder writes as FNC1; 212 to 218 also carry an Application
// Identifier length for the human-readable line.
bool is_fnc1_byte(int c) {
    return c >= 202 && c <= 218;
}

// Bytes written as the symbol value of their code minus 100: 195 (value 95, US or DEL),
// 196 FNC3, 197 FNC2, 198 SHIFT and 200 FNC4. They exist in sets A and B only.
bool is_function_byte(int c) {
    return (c >= 195 && c <= 198) || c == 200;
}

int code_of(std::string_view s, std::size_t i) {
    return static_cast<unsigned char>(s[i]);
}

// Every FNC1 code starts in set C, as a GS1-128 symbol does (203 to 211 select no start of
// their own, but they are FNC1 as much as 202 is), and so do the codes from 212 up.
bool starts_in_c(int c) {
    return c >= 202;
}

// The Universal font's reading of the data, where it differs from the text font's: every code
// 202 to 218 is FNC1 (also as the last byte), the function bytes are 195 to 198 and 200, set C
// takes digit pairs in data of any length, and a space in set A changes to set B.
constexpr Code128Rules kUniversalRules = {is_fnc1_byte, true, is_function_byte,
                                          starts_in_c,  0,    false};

// Symbol values of an already tilde-processed text, then its letters.
int encode(std::string_view s, char* out, long capacity) {
    std::uint8_t* const values = Code128ValueArea(2 * s.size());
    std::size_t count = 0;
    const int start = Code128Values<kUniversalRules>(s, values, count);
    return HandOverUniCode128(start, std::span<const std::uint8_t>(values, count), out, capacity);
}

}  // namespace

std::size_t UniCode128SymbolInto(int start, std::span<const std::uint8_t> values, char* letters) {
    char* p = letters;
    const auto write = [&p](int v) {
        const Code128Letters& l = kUniCode128Letters[static_cast<std::size_t>(v)];
        p[0] = l[0];
        p[1] = l[1];
        p[2] = l[2];
        p += 3;
    };
    write(start);
    Code128Check check{static_cast<std::uint64_t>(start)};
    for (const std::uint8_t v : values) {
        write(v);
        Code128CheckAdd(check, v);
    }
    write(Code128CheckValue(check));
    for (char c : kUniCode128Stop)
        *p++ = c;
    return static_cast<std::size_t>(p - letters);
}

int HandOverUniCode128(int start, std::span<const std::uint8_t> values, char* out, long capacity) {
    thread_local std::string work;
    char* const letters = WorkArea(work, UniCode128SymbolLength(values.size()));
    const std::size_t length = UniCode128SymbolInto(start, values, letters);
    return HandOver(out, capacity, std::string_view(letters, length));
}

std::string UniCode128Symbol(int start, std::span<const std::uint8_t> values) {
    std::string letters(UniCode128SymbolLength(values.size()), '\0');
    letters.resize(UniCode128SymbolInto(start, values, letters.data()));
    return letters;
}

std::string Orbelantrix_Universal_ProcessTilde(std::string data) {
    std::string result(data.size(), '\0');
    result.resize(ExpandTildes<kUniversalTildes>(data, result.data()));
    return result;
}

int Orbelantrix_Universal_C128(char* data, long tilde, char* out, long capacity) {
    if (data == nullptr) return kStatusNullData;
    if (data[0] == '\0') return kStatusEmptyData;
    const std::string_view d = UniData(data);
    // Without a tilde the escapes change nothing.
    if (tilde == 0 || d.find('~') == std::string_view::npos) return encode(d, out, capacity);
    // The escaped text, in a per-thread buffer kept from call to call.
    thread_local std::string text_work;
    char* const text = WorkArea(text_work, d.size());
    const std::size_t length = ExpandTildes<kUniversalTildes>(d, text);
    return encode(std::string_view(text, length), out, capacity);
}

int Orbelantrix_Universal_UCC128(char* data, char* out, long capacity) {
    if (data == nullptr) return kStatusNullData;
    if (data[0] == '\0') return kStatusEmptyData;
    const std::string_view d = UniData(data);
    // The leading FNC1 is judged after the escapes are expanded, so data that starts with ~202
    // (or any other FNC1 code) gets one FNC1, not two: two leading FNC1s make an invalid GS1-128
    // symbol. The escaped text goes one place in, leaving room for the FNC1 in front.
    thread_local std::string text_work;
    char* const text = WorkArea(text_work, d.size() + 1);
    std::size_t length = ExpandTildes<kUniversalTildes>(d, text + 1);
    if (is_fnc1_byte(code_of(std::string_view(text + 1, length), 0))) {
        return encode(std::string_view(text + 1, length), out, capacity);
    }
    // The added FNC1 counts against the 512-character limit.
    if (d.size() == kUniMaxData)
        length = ExpandTildes<kUniversalTildes>(d.substr(0, kUniMaxData - 1), text + 1);
    text[0] = static_cast<char>(202);
    return encode(std::string_view(text, length + 1), out, capacity);
}

}  // namespace orbx
