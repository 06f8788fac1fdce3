#include "encoders/universal/uni_code128.h"

#include <string_view>
#include <vector>

#include "common/check_digits.h"
#include "common/output.h"
#include "encoders/code128/code128_patterns.h"
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

bool is_digit(int c) {
    return c >= '0' && c <= '9';
}

int code_of(std::string_view s, std::size_t i) {
    return static_cast<unsigned char>(s[i]);
}

bool digits_at(std::string_view s, std::size_t i, std::size_t count) {
    if (i + count > s.size()) return false;
    for (std::size_t k = i; k < i + count; ++k) {
        if (!is_digit(code_of(s, k))) return false;
    }
    return true;
}

bool all_digits(std::string_view s) {
    return digits_at(s, 0, s.size());
}

int number_of(std::string_view digits) {
    int n = 0;
    for (char c : digits)
        n = 10 * n + (c - '0');
    return n;
}

int start_value(std::string_view s) {
    const int c0 = code_of(s, 0);
    // Every FNC1 code starts in set C, as a GS1-128 symbol does (203 to 211 select no start of
    // their own, but they are FNC1 as much as 202 is), and so do the codes from 212 up.
    if (c0 >= 202 || digits_at(s, 0, 4)) return kCode128ValueStartC;
    if (c0 < 32) return kCode128ValueStartA;
    // The printable characters and FNC2 start in set B; so does a first byte that selects no
    // start of its own (127 to 196, 198 to 201), since set B serves the most data.
    return kCode128ValueStartB;
}

// Symbol values of an already tilde-processed text, then its letters.
int encode(std::string_view s, char* out, long capacity) {
    const int start = start_value(s);
    char set = static_cast<char>('A' + (start - kCode128ValueStartA));
    std::vector<std::uint8_t> values;
    // A character gives at most two values: a set change and itself.
    values.reserve(2 * s.size());
    const auto put = [&values](int v) { values.push_back(static_cast<std::uint8_t>(v)); };

    std::size_t i = 0;
    while (i < s.size()) {
        const int c = code_of(s, i);
        if (is_fnc1_byte(c)) {
            put(kCode128ValueFnc1);
            ++i;
            continue;
        }
        if (is_function_byte(c)) {
            if (set == 'C') {
                put(kCode128ValueCodeB);
                set = 'B';
            }
            put(c - 100);
            ++i;
            continue;
        }
        // Set C for four digits ahead, or for as long as digit pairs follow once in it.
        if (digits_at(s, i, 4) || (set == 'C' && digits_at(s, i, 2))) {
            if (set != 'C') {
                // An odd run gives its first digit to the current set, so set C takes the
                // rest pair by pair.
                std::size_t run = 0;
                while (i + run < s.size() && is_digit(code_of(s, i + run)))
                    ++run;
                if (run % 2 == 1) put(code_of(s, i++) - 32);
                put(kCode128ValueCodeC);
                set = 'C';
            }
            put(number_of(s.substr(i, 2)));
            i += 2;
            continue;
        }
        if (c < 32 || (set == 'A' && c >= 33 && c <= 95)) {
            if (set != 'A') {
                put(kCode128ValueCodeA);
                set = 'A';
            }
            put(c < 32 ? c + 64 : c - 32);
        } else if (c >= 32 && c <= 126) {
            if (set != 'B') {
                put(kCode128ValueCodeB);
                set = 'B';
            }
            put(c - 32);
        }
        // DEL and the bytes 128 to 255 without a function meaning have no symbol value in any
        // set: they are dropped rather than turned into a value of another meaning.
        ++i;
    }
    return CopyResult(out, capacity, UniCode128Symbol(start, values)) ? kStatusOk : kStatusRefused;
}

}  // namespace

std::string UniCode128Symbol(int start, std::span<const std::uint8_t> values) {
    std::string letters;
    letters.reserve(3 * (values.size() + 2) + kUniCode128Stop.size());
    const auto write = [&letters](int v) {
        const Code128Letters& l = kUniCode128Letters[static_cast<std::size_t>(v)];
        letters.append(l.data(), l.size());
    };
    write(start);
    // Modulo 103 check: the start value plus each value times its position after the start.
    long sum = start % 103;
    long position = 1;
    for (const std::uint8_t v : values) {
        write(v);
        sum = (sum + static_cast<long>(v) * position++) % 103;
    }
    write(static_cast<int>(sum));
    letters.append(kUniCode128Stop.data(), kUniCode128Stop.size());
    return letters;
}

std::string Orbelantrix_Universal_ProcessTilde(std::string data) {
    const std::string_view d(data);
    const std::size_t n = d.size();
    std::string result;
    result.reserve(n);
    // The digits of the result in order, so that a check-digit escape takes the last k of them
    // without walking back over the result.
    std::string digits;
    digits.reserve(n);
    const auto append = [&result, &digits](char c) {
        result += c;
        if (is_digit(static_cast<unsigned char>(c))) digits += c;
    };

    std::size_t i = 0;
    while (i < n) {
        // An escape needs at least two characters after its tilde.
        if (d[i] == '~' && i + 2 < n) {
            if (d[i + 1] == 'm' && all_digits(d.substr(i + 2, 2))) {
                const std::size_t k = static_cast<std::size_t>(number_of(d.substr(i + 2, 2)));
                const std::size_t take = k < digits.size() ? k : digits.size();
                append(FindMod10Digit(std::string_view(digits).substr(digits.size() - take)));
                i += 4;
                continue;
            }
            if (all_digits(d.substr(i + 1, 3))) {
                append(static_cast<char>(number_of(d.substr(i + 1, 3)) % 256));
                i += 4;
                continue;
            }
        }
        append(d[i]);
        ++i;
    }
    return result;
}

int Orbelantrix_Universal_C128(char* data, long tilde, char* out, long capacity) {
    if (data == nullptr) return kStatusNullData;
    if (data[0] == '\0') return kStatusEmptyData;
    const std::string_view d = UniData(data);
    if (tilde == 0) return encode(d, out, capacity);
    return encode(Orbelantrix_Universal_ProcessTilde(std::string(d)), out, capacity);
}

int Orbelantrix_Universal_UCC128(char* data, char* out, long capacity) {
    if (data == nullptr) return kStatusNullData;
    if (data[0] == '\0') return kStatusEmptyData;
    const std::string_view d = UniData(data);
    // The leading FNC1 is judged after the escapes are expanded, so data that starts with ~202
    // (or any other FNC1 code) gets one FNC1, not two: two leading FNC1s make an invalid GS1-128
    // symbol.
    std::string s = Orbelantrix_Universal_ProcessTilde(std::string(d));
    if (!is_fnc1_byte(code_of(s, 0))) {
        // The added FNC1 counts against the 512-character limit.
        if (d.size() == kUniMaxData) {
            s = Orbelantrix_Universal_ProcessTilde(std::string(d.substr(0, kUniMaxData - 1)));
        }
        s.insert(s.begin(), static_cast<char>(202));
    }
    return encode(s, out, capacity);
}

}  // namespace orbx
