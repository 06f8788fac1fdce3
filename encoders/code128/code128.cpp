#include "encoders/code128/code128.h"

#include <cstdint>

#include "common/check_digits.h"
#include "common/output.h"
#include "common/status.h"
#include "common/utilities.h"

namespace orbx {

namespace {

// Single-byte function markers that tilde escapes produce: the FNC1 markers 212 to 217 also
// carry an application-identifier length for the human-readable line.
bool is_fnc1_marker(int b) {
    return b == kCode128Fnc1 || (b >= 212 && b <= 218);
}

bool is_escaped_code(int n) {
    return (n >= 1 && n <= 31) || n == kCode128Fnc2 || n == kCode128Fnc1 || (n >= 212 && n <= 217);
}

bool digit_at(std::string_view s, std::size_t i) {
    return i < s.size() && isNumeric(static_cast<unsigned char>(s[i]));
}

int digit_value(std::string_view s, std::size_t i) {
    return s[i] - '0';
}

unsigned char start_character(std::string_view s, char& set) {
    const int c0 = static_cast<unsigned char>(s[0]);
    // Nothing below selects a start for bytes 127 to 196 and the like; that first character is
    // dropped later, and Start B is the neutral choice.
    unsigned char start = kCode128StartB;
    set = 'B';
    if (c0 < 32) {
        start = kCode128StartA;
        set = 'A';
    }
    if ((c0 >= 32 && c0 <= 126) || c0 == kCode128Fnc2) {
        start = kCode128StartB;
        set = 'B';
    }
    if (digit_at(s, 0) && digit_at(s, 1) && digit_at(s, 2) && digit_at(s, 3)) {
        start = kCode128StartC;
        set = 'C';
    }
    // Every FNC1 marker starts in set C, as a GS1-128 symbol does; 218 selects no start of its
    // own, but it is an FNC1 as much as 202 is.
    if (is_fnc1_marker(c0)) {
        start = kCode128StartC;
        set = 'C';
    }
    return start;
}

// Encodes an already tilde-processed text into start, data, check and stop characters.
int encode(std::string_view s, char* out, long capacity) {
    const std::size_t len = s.size();
    char set = 'B';
    // At most two characters per data character (a set change and the character), plus start,
    // check and stop. Per thread, kept from call to call: no allocation once a thread has built
    // a symbol this long.
    thread_local std::string work;
    char* const symbol = WorkArea(work, 2 * len + 3);
    char* o = symbol;
    *o++ = static_cast<char>(start_character(s, set));

    std::size_t p = 0;
    while (p < len) {
        const int b = static_cast<unsigned char>(s[p]);
        if (p + 1 < len && is_fnc1_marker(b)) {
            *o++ = static_cast<char>(kCode128Fnc1);
            ++p;
            continue;
        }
        const bool four_digits =
            digit_at(s, p) && digit_at(s, p + 1) && digit_at(s, p + 2) && digit_at(s, p + 3);
        const bool pair_in_c = set == 'C' && digit_at(s, p) && digit_at(s, p + 1);
        if (len > 3 && p + 1 < len && (four_digits || pair_in_c)) {
            if (set != 'C') {
                // An odd run gives its first digit to the current set, so set C takes the rest
                // pair by pair.
                std::size_t run = 0;
                while (digit_at(s, p + run))
                    ++run;
                if (run % 2 == 1) *o++ = s[p++];
                *o++ = static_cast<char>(kCode128CodeC);
                set = 'C';
            }
            *o++ =
                static_cast<char>(Code128FontChar(digit_value(s, p) * 10 + digit_value(s, p + 1)));
            p += 2;
            continue;
        }
        if (b < 32 || (set == 'A' && b < 96)) {
            if (set != 'A') {
                *o++ = static_cast<char>(kCode128CodeA);
                set = 'A';
            }
            *o++ = static_cast<char>(b < 32 ? b + 96 : b == ' ' ? 194 : b);
        } else if (b == kCode128Fnc2) {
            if (set == 'C') {
                *o++ = static_cast<char>(kCode128CodeB);
                set = 'B';
            }
            *o++ = static_cast<char>(kCode128Fnc2);
        } else if (b >= 32 && b <= 126) {
            if (set != 'B') {
                *o++ = static_cast<char>(kCode128CodeB);
                set = 'B';
            }
            *o++ = static_cast<char>(b == ' ' ? 194 : b);
        }
        // Anything else (127 to 255 without a function meaning, FNC1 as the last character)
        // has no place in the symbol and is dropped.
        ++p;
    }

    const std::string_view body(symbol + 1, static_cast<std::size_t>(o - symbol - 1));
    *o++ = static_cast<char>(Code128CheckChar(static_cast<unsigned char>(symbol[0]), body));
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

CheckDigitEscape Code128CheckDigitEscape(std::string_view d, std::size_t i, char& digit) {
    const std::size_t len = d.size();
    if (!(len >= 6 && i >= 2 && i + 3 <= len && d[i] == '~' && d[i + 1] == 'm')) {
        return CheckDigitEscape::kNone;
    }
    if (!digit_at(d, i + 2) || !digit_at(d, i + 3)) return CheckDigitEscape::kText;
    const std::size_t nn =
        static_cast<std::size_t>(digit_value(d, i + 2) * 10 + digit_value(d, i + 3));
    if (nn > i) return CheckDigitEscape::kText;
    char digits[100];
    std::size_t count = 0;
    for (std::size_t j = i - nn; j < i; ++j) {
        if (digit_at(d, j)) digits[count++] = d[j];
    }
    digit = FindMod10Digit(std::string_view(digits, count));
    return CheckDigitEscape::kResolved;
}

namespace {

// Code128ProcessTilde into `r`, which has room for d.size() characters (no escape makes the text
// longer); returns the length of the result.
std::size_t process_tilde(std::string_view d, char* r) {
    const std::size_t len = d.size();
    std::size_t length = 0;
    std::size_t i = 0;
    while (i < len) {
        if (d[i] != '~') {
            r[length++] = d[i++];
            continue;
        }
        // ~mNN: Mod 10 check digit of the digits among the NN characters before the escape.
        char digit = '0';
        const CheckDigitEscape check = Code128CheckDigitEscape(d, i, digit);
        if (check == CheckDigitEscape::kResolved) {
            r[length++] = digit;
            i += 4;
            continue;
        }
        if (check == CheckDigitEscape::kText) {
            r[length++] = d[i++];
            continue;
        }
        // ~NNN: a control character or a function marker by its code.
        if (len >= 4 && digit_at(d, i + 1) && digit_at(d, i + 2) && digit_at(d, i + 3)) {
            const int n =
                digit_value(d, i + 1) * 100 + digit_value(d, i + 2) * 10 + digit_value(d, i + 3);
            if (is_escaped_code(n)) {
                r[length++] = static_cast<char>(n);
                i += 4;
            } else {
                r[length++] = d[i++];
            }
            continue;
        }
        if (i + 1 < len && d[i + 1] == '~') {
            r[length++] = '~';
            i += 2;
            continue;
        }
        r[length++] = d[i++];
    }
    return length;
}

}  // namespace

std::string Code128ProcessTilde(std::string_view d) {
    std::string r(d.size(), '\0');
    r.resize(process_tilde(d, r.data()));
    return r;
}

int Orbelantrix_Code128(char* data, long tilde, char* out, long capacity) {
    if (data == nullptr || data[0] == '\0') return kStatusRefused;
    const std::string_view d(data);
    if (tilde == 0) return encode(d, out, capacity);
    thread_local std::string work;
    char* const text = WorkArea(work, d.size());
    return encode(std::string_view(text, process_tilde(d, text)), out, capacity);
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
