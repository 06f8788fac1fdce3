// Tilde escapes of the Code 128 encoders: "~" and three digits for a byte, "~mNN" for a Mod 10
// check digit, "~~" for a tilde. One reader serves the four dialects (the text font's symbol
// and readable line, the Universal font's symbol and readable line); each dialect is a
// constexpr TildeRules, a template argument, so that each reading compiles into its own code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/utilities.h"

namespace orbx {

// How the digits after a tilde (three for a byte escape) or after "~m" (two for a check-digit
// escape) are read as a number.
enum class TildeNumber {
    kExact,    // all of them inside the data, and all digits
    kToEnd,    // those inside the data (fewer near its end), at least one, all digits
    kLeading,  // the number they begin with, as the C library's atol reads it: no digit test
};

// The digits whose Mod 10 check digit a "~mNN" escape writes.
enum class TildeCheckDigits {
    kBefore,   // the digits among the NN characters right before the tilde, in the data; fewer
               // than NN characters before it make the tilde an ordinary character
    kWritten,  // the last NN digits written so far, or all of them when fewer were written
    kWalk,     // the first NN digits met walking back over the data from the tilde (every one
               // for NN of 0 or less), jumping over each earlier four-character escape; none
               // makes the tilde an ordinary character
};

// What the number of a byte escape writes, besides a character code 0 to 255.
inline constexpr int kTildeText = -1;     // not an escape here: the tilde is an ordinary character
inline constexpr int kTildeNothing = -2;  // an escape that writes nothing

struct TildeRules {
    // Data shorter than this keeps every tilde as an ordinary character.
    std::size_t shortest_data;
    // A byte or check-digit escape needs at least this many characters after its tilde.
    std::size_t after_tilde;
    // A check-digit escape is looked at only in data of at least `check_shortest_data`
    // characters and from position `check_first` on; elsewhere "~m" is no escape.
    std::size_t check_shortest_data;
    std::size_t check_first;
    TildeNumber number;
    TildeCheckDigits check_digits;
    // What a byte escape of this number writes: a code 0 to 255, kTildeNothing or kTildeText.
    int (*escaped_byte)(long number);
    // "~~" writes one tilde.
    bool tilde_pair;
    // A tilde that begins no escape is dropped (rather than kept as an ordinary character).
    bool drop_other_tilde;
};

// The text font's symbol: control characters, FNC2 (197), FNC1 (202) and the FNC1 markers with
// an identifier length (212 to 217) by their code; any other code keeps the tilde as text.
constexpr int TextFontEscapedByte(long n) {
    const bool known = (n >= 1 && n <= 31) || n == 197 || n == 202 || (n >= 212 && n <= 217);
    return known ? static_cast<int>(n) : kTildeText;
}

// The text font's readable line: a control character shows as a space, FNC2 as nothing; FNC1
// and the other codes have no escape here (their tilde and digits print as they stand).
constexpr int TextLineEscapedByte(long n) {
    if (n >= 1 && n <= 31) return ' ';
    return n == 197 ? kTildeNothing : kTildeText;
}

// The Universal symbol: any number, modulo 256 (code 0 included).
constexpr int UniversalEscapedByte(long n) {
    return static_cast<int>(n % 256);
}

// The Universal readable line: the number's low byte, and nothing for a 0, which would end the
// zero-terminated text that the host receives.
constexpr int UniversalLineEscapedByte(long n) {
    const int byte = static_cast<unsigned char>(n);
    return byte == 0 ? kTildeNothing : byte;
}

// The dialects. Where they differ, the difference is the dialect's own reading, and results
// depend on it byte for byte:
// - the text font's symbol is strict: exact three-digit codes of the function and control
//   characters it knows, "~mNN" only with two digits, from the third character of data of six
//   or more, over the NN characters before the escape, and "~~" for a tilde;
// - the text font's readable line reads the same escapes as that symbol but shows their
//   meaning (a space for a control character, nothing for FNC2), knows no "~~", drops every
//   tilde that begins no escape, and keeps all tildes of data shorter than four characters;
// - the Universal symbol takes any code modulo 256 and a check digit over the digits written
//   so far, and reads one or two digits at the data's end ("~12", "~m5"), since an escape
//   there needs only two characters after its tilde;
// - the Universal readable line needs three characters after the tilde, reads the number as
//   the C library does (no digit test: "~abc" writes nothing), and takes the check digit over
//   the data itself, skipping the earlier escapes, since it has no encoded result to look at.
inline constexpr TildeRules kTextFontTildes = {
    .shortest_data = 0,
    .after_tilde = 2,
    .check_shortest_data = 6,
    .check_first = 2,
    .number = TildeNumber::kExact,
    .check_digits = TildeCheckDigits::kBefore,
    .escaped_byte = TextFontEscapedByte,
    .tilde_pair = true,
    .drop_other_tilde = false,
};
inline constexpr TildeRules kTextLineTildes = {
    .shortest_data = 4,
    .after_tilde = 2,
    .check_shortest_data = 6,
    .check_first = 2,
    .number = TildeNumber::kExact,
    .check_digits = TildeCheckDigits::kBefore,
    .escaped_byte = TextLineEscapedByte,
    .tilde_pair = false,
    .drop_other_tilde = true,
};
inline constexpr TildeRules kUniversalTildes = {
    .shortest_data = 0,
    .after_tilde = 2,
    .check_shortest_data = 0,
    .check_first = 0,
    .number = TildeNumber::kToEnd,
    .check_digits = TildeCheckDigits::kWritten,
    .escaped_byte = UniversalEscapedByte,
    .tilde_pair = false,
    .drop_other_tilde = false,
};
inline constexpr TildeRules kUniversalLineTildes = {
    .shortest_data = 0,
    .after_tilde = 3,
    .check_shortest_data = 0,
    .check_first = 0,
    .number = TildeNumber::kLeading,
    .check_digits = TildeCheckDigits::kWalk,
    .escaped_byte = UniversalLineEscapedByte,
    .tilde_pair = false,
    .drop_other_tilde = false,
};

// What the reader makes of a tilde: how many characters of the data it takes, and the code it
// writes (0 to 255) or kTildeNothing.
struct TildeRead {
    std::size_t length;
    int code;
};

struct TildeWalkStep;

// The state that a check-digit escape reads, kept by the caller from escape to escape.
struct TildeHistory {
    const char* digits = nullptr;  // kWritten: the digits written so far, in order
    std::size_t digit_count = 0;
    const TildeWalkStep* walk = nullptr;  // kWalk: the walk over the data, once made
};

namespace tilde_detail {

// Reads the number of `width` characters at `at` (see TildeNumber); false when there is none.
template <TildeNumber How>
bool read_number(std::string_view d, std::size_t at, std::size_t width, long& number) {
    if constexpr (How == TildeNumber::kLeading) {
        number = LeadingNumber(d.substr(at, width));
        return true;
    } else {
        const std::size_t end = at + width;
        if (How == TildeNumber::kExact ? end > d.size() : at >= d.size()) return false;
        number = 0;
        for (std::size_t k = at; k < end && k < d.size(); ++k) {
            if (!isNumeric(static_cast<unsigned char>(d[k]))) return false;
            number = 10 * number + (d[k] - '0');
        }
        return true;
    }
}

// Mod 10 digit of the digits among the `count` characters before `i`; '\0' when fewer precede.
char CheckDigitBefore(std::string_view d, std::size_t i, long count);
// Mod 10 digit of the last `count` of `digits` (all of them when fewer).
char CheckDigitWritten(const char* digits, std::size_t digit_count, long count);
// The walk over `d` (per thread, valid until the next call), and the Mod 10 digit of the first
// `count` digits that it collects from the tilde at `i`; '\0' when it collects none.
const TildeWalkStep* PrepareWalk(std::string_view d);
char CheckDigitWalked(std::string_view d, const TildeWalkStep* walk, std::size_t i, long count);
// Room for `size` digits, per thread.
char* DigitArea(std::size_t size);

template <const TildeRules& Rules>
char check_digit(std::string_view d, std::size_t i, long count, TildeHistory& history) {
    if constexpr (Rules.check_digits == TildeCheckDigits::kBefore) {
        return CheckDigitBefore(d, i, count);
    } else if constexpr (Rules.check_digits == TildeCheckDigits::kWritten) {
        return CheckDigitWritten(history.digits, history.digit_count, count);
    } else {
        if (history.walk == nullptr) history.walk = PrepareWalk(d);
        return CheckDigitWalked(d, history.walk, i, count);
    }
}

}  // namespace tilde_detail

// The escape that the tilde at `i` of `d` begins, read by `Rules`.
template <const TildeRules& Rules>
TildeRead ReadTilde(std::string_view d, std::size_t i, TildeHistory& history) {
    using namespace tilde_detail;
    const std::size_t n = d.size();
    if (n < Rules.shortest_data) return {1, '~'};
    if (i + Rules.after_tilde < n) {
        long number = 0;
        if (d[i + 1] == 'm' && n >= Rules.check_shortest_data && i >= Rules.check_first) {
            if (!read_number<Rules.number>(d, i + 2, 2, number)) return {1, '~'};
            const char digit = check_digit<Rules>(d, i, number, history);
            return digit == '\0' ? TildeRead{1, '~'} : TildeRead{4, digit};
        }
        if (read_number<Rules.number>(d, i + 1, 3, number)) {
            const int code = Rules.escaped_byte(number);
            return code == kTildeText ? TildeRead{1, '~'} : TildeRead{4, code};
        }
    }
    if (Rules.tilde_pair && i + 1 < n && d[i + 1] == '~') return {2, '~'};
    return {1, Rules.drop_other_tilde ? kTildeNothing : '~'};
}

// The text font's readable line reads its escapes in the middle of its own walk over the data;
// the reading is compiled once, out of line, so that the walk over the other characters stays
// as tight as it is without escapes.
extern template TildeRead ReadTilde<kTextLineTildes>(std::string_view, std::size_t, TildeHistory&);

// Expands the escapes of `d` into `out`, which has room for d.size() characters (no escape
// makes the text longer); returns the length written.
template <const TildeRules& Rules>
std::size_t ExpandTildes(std::string_view d, char* out) {
    const std::size_t n = d.size();
    if (d.find('~') == std::string_view::npos) {
        d.copy(out, n);
        return n;
    }
    constexpr bool kKeepDigits = Rules.check_digits == TildeCheckDigits::kWritten;
    TildeHistory history;
    char* const digits = kKeepDigits ? tilde_detail::DigitArea(n) : nullptr;
    history.digits = digits;
    std::size_t length = 0;
    const auto put = [out, digits, &length, &history](char c) {
        out[length++] = c;
        if (kKeepDigits && isNumeric(static_cast<unsigned char>(c)))
            digits[history.digit_count++] = c;
    };
    std::size_t i = 0;
    while (i < n) {
        if (d[i] != '~') {
            put(d[i++]);
            continue;
        }
        const TildeRead read = ReadTilde<Rules>(d, i, history);
        if (read.code >= 0) put(static_cast<char>(read.code));
        i += read.length;
    }
    return length;
}

}  // namespace orbx
