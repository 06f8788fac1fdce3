// Code 128 automatic set selection: data bytes to symbol values, shared by the text font's and
// the Universal font's encoders, which then write the values as font characters or letters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/utilities.h"
#include "encoders/code128/code128_patterns.h"

namespace orbx {

// The points where the two fonts' automatic encoders read the data differently.
struct Code128Rules {
    // Bytes written as FNC1, and whether one as the last byte is written too (or dropped).
    bool (*is_fnc1)(int byte);
    bool fnc1_last;
    // Bytes written in sets A and B as the function value of their code minus 100 (FNC2 197
    // and the like); set C gives way to set B for them.
    bool (*is_function)(int byte);
    // A first byte that starts the symbol in set C (besides four digits).
    bool (*starts_in_c)(int byte);
    // Set C takes digit pairs only in data of at least this many bytes.
    std::size_t shortest_for_pairs;
    // In set A, the space stays in set A (the text font) rather than changing to set B.
    bool space_in_set_a;
};

// At least `size` values, from a per-thread buffer that only grows: no allocation once a thread
// has needed this many.
std::uint8_t* Code128ValueArea(std::size_t size);

// Modulo 103 check value (ISO/IEC 15417): the start value plus each symbol value times its
// position after the start, taken in as the symbol is written. Summed in 64 bits and reduced
// once: the same remainder as reducing at every step.
struct Code128Check {
    std::uint64_t sum;
    std::uint64_t position = 1;
};
inline void Code128CheckAdd(Code128Check& check, int value) {
    check.sum += static_cast<std::uint64_t>(value) * check.position++;
}
inline int Code128CheckValue(const Code128Check& check) {
    return static_cast<int>(check.sum % 103);
}

namespace code128_detail {

inline int code_of(std::string_view s, std::size_t i) {
    return static_cast<unsigned char>(s[i]);
}

inline bool digits_at(std::string_view s, std::size_t i, std::size_t count) {
    if (i + count > s.size()) return false;
    for (std::size_t k = i; k < i + count; ++k) {
        if (!isNumeric(code_of(s, k))) return false;
    }
    return true;
}

template <const Code128Rules& Rules>
int start_value(std::string_view s) {
    const int c0 = code_of(s, 0);
    if (Rules.starts_in_c(c0) || digits_at(s, 0, 4)) return kCode128ValueStartC;
    if (c0 < 32) return kCode128ValueStartA;
    // The printable characters and the function bytes start in set B; so does a first byte that
    // selects no start of its own, since set B serves the most data.
    return kCode128ValueStartB;
}

}  // namespace code128_detail

// The start value (103 to 105) for `data`, and its symbol values, written into `values`, which
// has room for 2 * data.size() of them (a byte gives at most a set change and itself); `count`
// is how many were written. Bytes that no set carries are dropped. The rules are a template
// argument, so that each font's reading is compiled into its own loop.
template <const Code128Rules& Rules>
int Code128Values(std::string_view s, std::uint8_t* values, std::size_t& count) {
    using namespace code128_detail;
    const int start = start_value<Rules>(s);
    char set = static_cast<char>('A' + (start - kCode128ValueStartA));
    const std::size_t room = 2 * s.size();
    count = 0;
    const auto put = [values, room, &count](int v) {
        if (count < room) values[count++] = static_cast<std::uint8_t>(v);
    };
    const bool pairs = s.size() >= Rules.shortest_for_pairs;

    std::size_t i = 0;
    while (i < s.size()) {
        const int c = code_of(s, i);
        if (Rules.is_fnc1(c)) {
            if (Rules.fnc1_last || i + 1 < s.size()) put(kCode128ValueFnc1);
            ++i;
            continue;
        }
        if (Rules.is_function(c)) {
            if (set == 'C') {
                put(kCode128ValueCodeB);
                set = 'B';
            }
            put(c - 100);
            ++i;
            continue;
        }
        // Set C for four digits ahead, or for as long as digit pairs follow once in it.
        if (digits_at(s, i, 4) || (pairs && set == 'C' && digits_at(s, i, 2))) {
            if (set != 'C') {
                // An odd run gives its first digit to the current set, so set C takes the rest
                // pair by pair.
                std::size_t run = 0;
                while (i + run < s.size() && isNumeric(code_of(s, i + run)))
                    ++run;
                if (run % 2 == 1) put(code_of(s, i++) - 32);
                put(kCode128ValueCodeC);
                set = 'C';
            }
            put((s[i] - '0') * 10 + (s[i + 1] - '0'));
            i += 2;
            continue;
        }
        const int lowest_in_a = Rules.space_in_set_a ? 32 : 33;
        if (c < 32 || (set == 'A' && c >= lowest_in_a && c <= 95)) {
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
    return start;
}

}  // namespace orbx
