#include "encoders/universal/uni_code128_sets.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/gs1.h"
#include "common/output.h"
#include "common/utilities.h"
#include "encoders/code128/code128_patterns.h"
#include "encoders/code128/code128_values.h"
#include "encoders/universal/uni_code128.h"
#include "encoders/universal/universal_font.h"

namespace orbx {

namespace {

int code_of(std::string_view s, std::size_t i) {
    return static_cast<unsigned char>(s[i]);
}

int fixed_ab(char* data, int start, char* out, long capacity) {
    if (data == nullptr) return kStatusNullData;
    if (data[0] == '\0') return kStatusEmptyData;
    const std::string_view d = UniData(data);
    std::uint8_t* const values = Code128ValueArea(d.size());
    std::size_t count = 0;
    for (std::size_t i = 0; i < d.size(); ++i) {
        const int c = code_of(d, i);
        if (c >= 32 && c <= 137) values[count++] = static_cast<std::uint8_t>(c - 32);
    }
    return HandOverUniCode128(start, std::span<const std::uint8_t>(values, count), out, capacity);
}

// The number that an escape's two or three characters begin with, as the C library's atoi
// reads it.
int leading_number(std::string_view s) {
    return static_cast<int>(LeadingNumber(s));
}

// Walk of a human-readable check-digit escape: backwards over the data from the character
// before the tilde, jumping over every earlier four-character escape (a digit whose third
// predecessor is a tilde ends one) and collecting the other digits. The walk from a position
// depends only on that position, so it is prepared once per call:
// - `collected_at[q]`: the first collected position of the walk from q, or -1;
// - `weighted3[q]`: the Mod 10 weighted sum (3, 1, 3, ... from the first collected digit) of
//   everything that the walk from q collects, modulo 10, for escapes that take every digit;
// - `weighted1[q]`: the same sum with the weights 1, 3, 1, ..., which the step before needs.
constexpr int kNone = -1;

struct EscapeWalk {
    std::array<std::int16_t, kUniMaxData> collected_at;
    std::array<std::uint8_t, kUniMaxData> weighted3;
    std::array<std::uint8_t, kUniMaxData> weighted1;
};

int walk_next(std::string_view d, int q) {
    const bool escape_end = isNumeric(code_of(d, static_cast<std::size_t>(q))) && q >= 3 &&
                            d[static_cast<std::size_t>(q - 3)] == '~';
    return escape_end ? q - 4 : q - 1;
}

bool walk_collects(std::string_view d, int q) {
    return isNumeric(code_of(d, static_cast<std::size_t>(q))) && walk_next(d, q) == q - 1;
}

void prepare_walk(std::string_view d, EscapeWalk& w) {
    for (int q = 0; q < static_cast<int>(d.size()); ++q) {
        const int next = walk_next(d, q);
        const std::size_t uq = static_cast<std::size_t>(q);
        const std::size_t un = next < 0 ? 0 : static_cast<std::size_t>(next);
        const int after = next < 0 ? kNone : w.collected_at[un];
        const int after3 = next < 0 ? 0 : w.weighted3[un];
        const int after1 = next < 0 ? 0 : w.weighted1[un];
        if (walk_collects(d, q)) {
            const int digit = d[uq] - '0';
            w.collected_at[uq] = static_cast<std::int16_t>(q);
            w.weighted3[uq] = static_cast<std::uint8_t>((3 * digit + after1) % 10);
            w.weighted1[uq] = static_cast<std::uint8_t>((digit + after3) % 10);
        } else {
            w.collected_at[uq] = static_cast<std::int16_t>(after);
            w.weighted3[uq] = static_cast<std::uint8_t>(after3);
            w.weighted1[uq] = static_cast<std::uint8_t>(after1);
        }
    }
}

// Check digit of the escape whose tilde is at `tilde` (at least 1), over the first k digits of
// its walk (every digit when k is 0 or less); the zero character when the walk collects none.
char escape_check_digit(std::string_view d, const EscapeWalk& w, std::size_t tilde, int k) {
    int q = w.collected_at[tilde - 1];
    if (q == kNone) return '\0';
    int sum = 0;
    if (k <= 0) {
        sum = w.weighted3[static_cast<std::size_t>(q)];
    } else {
        int weight = 3;
        for (int taken = 0; taken < k && q != kNone; ++taken) {
            sum += weight * (d[static_cast<std::size_t>(q)] - '0');
            weight = 4 - weight;
            const int next = walk_next(d, q);
            q = next < 0 ? kNone : w.collected_at[static_cast<std::size_t>(next)];
        }
    }
    return static_cast<char>('0' + (10 - sum % 10) % 10);
}

// Tilde escapes of the human-readable line. They read like those of the symbol encoders but
// are not the same: ~mNN looks back over the data rather than over the result, and ~NNN takes
// whatever number its three characters begin with.
void expand_escapes(std::string_view d, std::string& result) {
    const std::size_t n = d.size();
    result.clear();
    result.reserve(n);
    // The walk depends on the data alone; it is made when the first ~m escape needs it.
    EscapeWalk walk;
    bool walked = false;

    std::size_t i = 0;
    while (i < n) {
        // An escape needs at least three characters after its tilde.
        if (d[i] == '~' && i + 3 < n) {
            if (d[i + 1] == 'm') {
                if (!walked && i > 0) {
                    prepare_walk(d, walk);
                    walked = true;
                }
                const char check =
                    i == 0 ? '\0'
                           : escape_check_digit(d, walk, i, leading_number(d.substr(i + 2, 2)));
                if (check == '\0') {
                    result += d[i++];
                } else {
                    result += check;
                    i += 4;
                }
                continue;
            }
            // A character of code 0 would end the text that the host receives, and everything
            // after it with it: it is dropped.
            const auto byte = static_cast<unsigned char>(leading_number(d.substr(i + 1, 3)));
            if (byte != 0) result += static_cast<char>(byte);
            i += 4;
            continue;
        }
        result += d[i++];
    }
}

// How many characters of Application Identifier follow an FNC1 byte with `rest` characters
// after it; 0 when the FNC1 shows nothing.
std::size_t ai_length(std::string_view t, std::size_t i, int c, std::size_t rest) {
    // 213 to 218 give the length 3 to 8 when there is room for it; 212 always gives 2.
    if (c == 212) return 2;
    if (c >= 213 && c <= 218 && rest >= static_cast<std::size_t>(c - 209)) {
        return static_cast<std::size_t>(c - 210);
    }
    // Otherwise the length follows from the AI's first two digits, when the identifier and at
    // least one character of data follow; 23 to 25, whose identifiers have three digits, show two
    // of them when there is room for only two.
    const int first_two = leading_number(t.substr(i + 1, 2));
    const std::size_t length = Gs1AiLength(first_two);
    if (rest > length) return length;
    return first_two >= 23 && first_two <= 25 && rest > 2 ? 2 : 0;
}

// The readable line of `t`, written to `text` (room for 3 x t.size() characters: an FNC1 and
// an Application Identifier of n >= 2 characters become n + 4); returns its end.
char* format_readable(std::string_view t, char* text) {
    std::size_t i = 0;
    while (i < t.size()) {
        const int c = code_of(t, i);
        const std::size_t rest = t.size() - 1 - i;
        if ((c == 202 || (c >= 212 && c <= 218)) && rest >= 2) {
            const std::size_t ai = ai_length(t, i, c, rest);
            if (ai > 0) {
                *text++ = ' ';
                *text++ = '(';
                text = std::copy_n(t.data() + i + 1, ai, text);
                *text++ = ')';
                *text++ = ' ';
            }
            i += 1 + ai;
            continue;
        }
        *text++ = c == 197 || c < 32 ? ' ' : static_cast<char>(c);
        ++i;
    }
    return text;
}

}  // namespace

int Orbelantrix_Universal_C128A(char* data, char* out, long capacity) {
    return fixed_ab(data, kCode128ValueStartA, out, capacity);
}

int Orbelantrix_Universal_C128B(char* data, char* out, long capacity) {
    return fixed_ab(data, kCode128ValueStartB, out, capacity);
}

int Orbelantrix_Universal_C128C(char* data, char* out, long capacity) {
    if (data == nullptr) return kStatusNullData;
    if (data[0] == '\0') return kStatusEmptyData;
    const std::string_view d = UniData(data);
    std::size_t digit_count = 0;
    for (std::size_t i = 0; i < d.size(); ++i)
        if (isNumeric(code_of(d, i))) ++digit_count;
    // Digit pairs; an odd count is read as if a "0" stood in front.
    std::uint8_t* const values = Code128ValueArea(digit_count / 2 + 1);
    std::size_t count = 0;
    int pending = digit_count % 2 == 1 ? 0 : -1;
    for (std::size_t i = 0; i < d.size(); ++i) {
        const int c = code_of(d, i);
        if (!isNumeric(c)) continue;
        if (pending < 0) {
            pending = c - '0';
        } else {
            values[count++] = static_cast<std::uint8_t>(10 * pending + (c - '0'));
            pending = -1;
        }
    }
    return HandOverUniCode128(kCode128ValueStartC, std::span<const std::uint8_t>(values, count),
                              out, capacity);
}

int Orbelantrix_Universal_C128HR(char* data, long tilde, char* out, long capacity) {
    if (data == nullptr) return kStatusNullData;
    if (data[0] == '\0') return kStatusEmptyData;
    const std::string_view d = UniData(data);
    // Per thread, kept from call to call: no allocation once they have held a line this long.
    // Without a tilde the escapes change nothing.
    thread_local std::string escaped;
    thread_local std::string text;
    std::string_view line = d;
    if (tilde != 0 && d.find('~') != std::string_view::npos) {
        expand_escapes(d, escaped);
        line = escaped;
    }
    char* const begin = WorkArea(text, 3 * line.size());
    return HandOver(out, capacity, begin, format_readable(line, begin));
}

}  // namespace orbx
