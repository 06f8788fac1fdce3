#include "encoders/code128/code128_values.h"

#include <string>

#include "common/utilities.h"
#include "encoders/code128/code128_patterns.h"

namespace orbx {

namespace {

int code_of(std::string_view s, std::size_t i) {
    return static_cast<unsigned char>(s[i]);
}

bool digits_at(std::string_view s, std::size_t i, std::size_t count) {
    if (i + count > s.size()) return false;
    for (std::size_t k = i; k < i + count; ++k) {
        if (!isNumeric(code_of(s, k))) return false;
    }
    return true;
}

int start_value(std::string_view s, const Code128Rules& rules) {
    const int c0 = code_of(s, 0);
    if (rules.starts_in_c(c0) || digits_at(s, 0, 4)) return kCode128ValueStartC;
    if (c0 < 32) return kCode128ValueStartA;
    // The printable characters and the function bytes start in set B; so does a first byte that
    // selects no start of its own, since set B serves the most data.
    return kCode128ValueStartB;
}

}  // namespace

std::uint8_t* Code128ValueArea(std::size_t size) {
    thread_local std::basic_string<std::uint8_t> values;
    if (values.size() < size) values.resize(size);
    return values.data();
}

int Code128Values(std::string_view s, const Code128Rules& rules, std::uint8_t* values,
                  std::size_t& count) {
    const int start = start_value(s, rules);
    char set = static_cast<char>('A' + (start - kCode128ValueStartA));
    const std::size_t room = 2 * s.size();
    count = 0;
    const auto put = [values, room, &count](int v) {
        if (count < room) values[count++] = static_cast<std::uint8_t>(v);
    };
    const bool pairs = s.size() >= rules.shortest_for_pairs;

    std::size_t i = 0;
    while (i < s.size()) {
        const int c = code_of(s, i);
        if (rules.is_fnc1(c)) {
            if (rules.fnc1_last || i + 1 < s.size()) put(kCode128ValueFnc1);
            ++i;
            continue;
        }
        if (rules.is_function(c)) {
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
        const int lowest_in_a = rules.space_in_set_a ? 32 : 33;
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

int Code128CheckValue(int start, const std::uint8_t* values, std::size_t count) {
    // Summed in 64 bits and reduced once: the same remainder as reducing at every step.
    std::uint64_t sum = static_cast<std::uint64_t>(start);
    for (std::size_t i = 0; i < count; ++i)
        sum += values[i] * static_cast<std::uint64_t>(i + 1);
    return static_cast<int>(sum % 103);
}

}  // namespace orbx
