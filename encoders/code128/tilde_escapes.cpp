#include "encoders/code128/tilde_escapes.h"

#include <string>
#include <vector>

#include "common/check_digits.h"

namespace orbx {

// One position of the walk of a check-digit escape: backwards over the data from the character
// before the tilde, jumping over every earlier four-character escape (a digit whose third
// predecessor is a tilde ends one) and collecting the other digits. The walk from a position
// depends only on that position, so it is prepared once per call:
// - `collected_at`: the first collected position of the walk from here, or -1;
// - `weighted3`: the Mod 10 weighted sum (3, 1, 3, ... from the first collected digit) of
//   everything that the walk from here collects, modulo 10, for escapes that take every digit;
// - `weighted1`: the same sum with the weights 1, 3, 1, ..., which the step before needs.
struct TildeWalkStep {
    std::int32_t collected_at;
    std::uint8_t weighted3;
    std::uint8_t weighted1;
};

namespace tilde_detail {

namespace {

constexpr int kNone = -1;

int code_of(std::string_view s, std::size_t i) {
    return static_cast<unsigned char>(s[i]);
}

int walk_next(std::string_view d, int q) {
    const bool escape_end = isNumeric(code_of(d, static_cast<std::size_t>(q))) && q >= 3 &&
                            d[static_cast<std::size_t>(q - 3)] == '~';
    return escape_end ? q - 4 : q - 1;
}

bool walk_collects(std::string_view d, int q) {
    return isNumeric(code_of(d, static_cast<std::size_t>(q))) && walk_next(d, q) == q - 1;
}

}  // namespace

char CheckDigitBefore(std::string_view d, std::size_t i, long count) {
    const auto nn = static_cast<std::size_t>(count);
    if (nn > i) return '\0';
    char digits[100];
    std::size_t found = 0;
    for (std::size_t j = i - nn; j < i; ++j) {
        if (isNumeric(code_of(d, j))) digits[found++] = d[j];
    }
    return FindMod10Digit(std::string_view(digits, found));
}

char CheckDigitWritten(const char* digits, std::size_t digit_count, long count) {
    const auto k = static_cast<std::size_t>(count);
    const std::size_t take = k < digit_count ? k : digit_count;
    return FindMod10Digit(std::string_view(digits + digit_count - take, take));
}

const TildeWalkStep* PrepareWalk(std::string_view d) {
    // Per thread, kept from call to call: no allocation once it has held a walk this long.
    thread_local std::vector<TildeWalkStep> steps;
    if (steps.size() < d.size()) steps.resize(d.size());
    TildeWalkStep* const w = steps.data();
    for (int q = 0; q < static_cast<int>(d.size()); ++q) {
        const int next = walk_next(d, q);
        const std::size_t uq = static_cast<std::size_t>(q);
        const std::size_t un = next < 0 ? 0 : static_cast<std::size_t>(next);
        const int after = next < 0 ? kNone : w[un].collected_at;
        const int after3 = next < 0 ? 0 : w[un].weighted3;
        const int after1 = next < 0 ? 0 : w[un].weighted1;
        if (walk_collects(d, q)) {
            const int digit = d[uq] - '0';
            w[uq] = {q, static_cast<std::uint8_t>((3 * digit + after1) % 10),
                     static_cast<std::uint8_t>((digit + after3) % 10)};
        } else {
            w[uq] = {after, static_cast<std::uint8_t>(after3), static_cast<std::uint8_t>(after1)};
        }
    }
    return w;
}

char CheckDigitWalked(std::string_view d, const TildeWalkStep* w, std::size_t i, long count) {
    if (i == 0) return '\0';
    int q = w[i - 1].collected_at;
    if (q == kNone) return '\0';
    int sum = 0;
    if (count <= 0) {
        sum = w[q].weighted3;
    } else {
        int weight = 3;
        for (long taken = 0; taken < count && q != kNone; ++taken) {
            sum += weight * (d[static_cast<std::size_t>(q)] - '0');
            weight = 4 - weight;
            const int next = walk_next(d, q);
            q = next < 0 ? kNone : w[next].collected_at;
        }
    }
    return static_cast<char>('0' + (10 - sum % 10) % 10);
}

char* DigitArea(std::size_t size) {
    thread_local std::string digits;
    if (digits.size() < size) digits.resize(size);
    return digits.data();
}

}  // namespace tilde_detail

template TildeRead ReadTilde<kTextLineTildes>(std::string_view, std::size_t, TildeHistory&);

}  // namespace orbx
