#include "encoders/universal/uni_code128.h"

#include <algorithm>
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
    // A character gives at most two values: a set change and itself.
    const std::size_t room = 2 * s.size();
    std::uint8_t* const values = UniValueArea(room);
    std::size_t count = 0;
    const auto put = [values, room, &count](int v) {
        if (count < room) values[count++] = static_cast<std::uint8_t>(v);
    };

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
    return HandOverUniCode128(start, std::span<const std::uint8_t>(values, count), out, capacity);
}

// Expands the tilde escapes of `d` into `result`, which has room for d.size() characters (no
// escape makes the text longer); `digits` has as much room, for the digits of the result in
// order, so that a check-digit escape takes the last k of them without walking back over the
// result. Returns the length of the result.
std::size_t process_tilde(std::string_view d, char* result, char* digits) {
    const std::size_t n = d.size();
    // Without a tilde the text stays as it is.
    if (d.find('~') == std::string_view::npos) {
        std::copy(d.begin(), d.end(), result);
        return n;
    }
    std::size_t length = 0;
    std::size_t digit_count = 0;
    const auto append = [result, digits, &length, &digit_count](char c) {
        result[length++] = c;
        if (is_digit(static_cast<unsigned char>(c))) digits[digit_count++] = c;
    };

    std::size_t i = 0;
    while (i < n) {
        // An escape needs at least two characters after its tilde.
        if (d[i] == '~' && i + 2 < n) {
            if (d[i + 1] == 'm' && all_digits(d.substr(i + 2, 2))) {
                const std::size_t k = static_cast<std::size_t>(number_of(d.substr(i + 2, 2)));
                const std::size_t take = k < digit_count ? k : digit_count;
                append(FindMod10Digit(std::string_view(digits + digit_count - take, take)));
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
    return length;
}

}  // namespace

std::uint8_t* UniValueArea(std::size_t size) {
    thread_local std::vector<std::uint8_t> values;
    if (values.size() < size) values.resize(size);
    return values.data();
}

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
    // Modulo 103 check: the start value plus each value times its position after the start,
    // summed in 64 bits and reduced once.
    std::uint64_t sum = static_cast<std::uint64_t>(start);
    std::uint64_t position = 1;
    for (const std::uint8_t v : values) {
        write(v);
        sum += v * position++;
    }
    write(static_cast<int>(sum % 103));
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
    std::string digits(data.size(), '\0');
    result.resize(process_tilde(data, result.data(), digits.data()));
    return result;
}

int Orbelantrix_Universal_C128(char* data, long tilde, char* out, long capacity) {
    if (data == nullptr) return kStatusNullData;
    if (data[0] == '\0') return kStatusEmptyData;
    const std::string_view d = UniData(data);
    // Without a tilde the escapes change nothing.
    if (tilde == 0 || d.find('~') == std::string_view::npos) return encode(d, out, capacity);
    // The escaped text and its digits, in per-thread buffers kept from call to call.
    thread_local std::string text_work;
    thread_local std::string digit_work;
    char* const text = WorkArea(text_work, d.size());
    const std::size_t length = process_tilde(d, text, WorkArea(digit_work, d.size()));
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
    thread_local std::string digit_work;
    char* const text = WorkArea(text_work, d.size() + 1);
    char* const digits = WorkArea(digit_work, d.size());
    std::size_t length = process_tilde(d, text + 1, digits);
    if (is_fnc1_byte(code_of(std::string_view(text + 1, length), 0))) {
        return encode(std::string_view(text + 1, length), out, capacity);
    }
    // The added FNC1 counts against the 512-character limit.
    if (d.size() == kUniMaxData)
        length = process_tilde(d.substr(0, kUniMaxData - 1), text + 1, digits);
    text[0] = static_cast<char>(202);
    return encode(std::string_view(text, length + 1), out, capacity);
}

}  // namespace orbx
