#include "encoders/matrix/pdf417.h"

#include <array>
#include <bit>
#include <cstdint>
#include <utility>

#include "common/status.h"
#include "encoders/matrix/pdf417_patterns.h"
#include "encoders/matrix/reed_solomon.h"

namespace orbx {

namespace {

constexpr int kMinRows = 3;
constexpr int kMaxRows = 90;
constexpr int kMaxColumns = 30;
constexpr int kMaxLevel = 8;

// The most bytes any symbol carries: 2710 digits in numeric compaction (925 data codewords, one
// of them the latch: 61 groups of 44 digits in 15 codewords and 26 digits in 9).
constexpr int kMaxBytes = 2710;
static_assert(61 * 15 + 9 + 1 == kPdf417MaxCodewords - 3 && 61 * 44 + 26 == kMaxBytes);

// Mode codewords (ISO/IEC 15438, data encodation).
constexpr std::uint16_t kLatchText = 900;
constexpr std::uint16_t kLatchByte = 901;
constexpr std::uint16_t kLatchNumeric = 902;
constexpr std::uint16_t kShiftByte = 913;
constexpr std::uint16_t kLatchByteSix = 924;
constexpr std::uint16_t kEci = 927;
constexpr std::uint16_t kPad = 900;
// ECI 000026: UTF-8.
constexpr std::uint16_t kUtf8Eci = 26;

// Digit runs this long go to numeric compaction, text runs this long to text compaction
// (ISO/IEC 15438 Annex, the informative compaction algorithm).
constexpr int kNumericRun = 13;
constexpr int kTextRun = 5;
// Digits that end the data go to numeric compaction from this many: with no latch back to text
// to follow they take fewer codewords there.
constexpr int kFinalNumericRun = 8;

// Start pattern 81111113 and stop pattern 711311121 (ISO/IEC 15438, symbol structure), as
// modules.
constexpr std::uint32_t kStart = 0b11111111'0'1'0'1'0'1'000;
constexpr int kStartModules = 17;
constexpr std::uint32_t kStop = 0b1111111'0'1'000'1'0'1'00'1;
constexpr int kStopModules = 18;
static_assert(Pdf417Modules(81111113) == kStart);

// `count` modules with the first in bit 0, the order of the matrix's bits.
constexpr std::uint32_t reversed(std::uint32_t modules, int count) {
    std::uint32_t r = 0;
    for (int i = 0; i < count; ++i)
        r |= ((modules >> i) & 1u) << (count - 1 - i);
    return r;
}

constexpr std::array<std::array<std::uint32_t, kPdf417Values>, 3> make_row_bits() {
    std::array<std::array<std::uint32_t, kPdf417Values>, 3> bits{};
    for (std::size_t c = 0; c < 3; ++c) {
        for (std::size_t v = 0; v < kPdf417Values; ++v)
            bits[c][v] = reversed(Pdf417Modules(kPdf417Widths[c][v]), 17);
    }
    return bits;
}
// Each cluster's codewords as the bits of a matrix row.
constexpr auto kRowBits = make_row_bits();
static_assert(kRowBits[0][0] == 0b000000'111'0'1'0'1'0'111);

// Text compaction sub-modes (ISO/IEC 15438, text compaction).
enum Submode : int { kAlpha, kLower, kMixed, kPunct, kSubmodes };
constexpr int kNotIn = 0xFF;

// The characters of the mixed sub-mode (values 0 to 24; 25 to 29 are pl, space, ll, al, ps) and
// of the punctuation sub-mode (values 0 to 28; 29 is al): ISO/IEC 15438's text compaction
// character table.
constexpr std::string_view kMixedCharacters = "0123456789&\r\t,:#-.$/+%*=^";
constexpr std::string_view kPunctCharacters = ";<>@[\\]_`~!\r\t,:\n-.$/\"|*()?{}'";
static_assert(kMixedCharacters.size() == 25 && kPunctCharacters.size() == 29);

constexpr int kSpace = 26;
constexpr int kLatchLowerValue = 27;  // ll in alpha and mixed
constexpr int kShiftAlphaValue = 27;  // as in lower
constexpr int kLatchMixedValue = 28;  // ml in alpha and lower
constexpr int kLatchAlphaValue = 28;  // al in mixed
constexpr int kLatchPunctValue = 25;  // pl in mixed
constexpr int kShiftPunctValue = 29;  // ps in alpha, lower and mixed; al in punctuation

// Each ASCII character's value in each sub-mode, or kNotIn.
constexpr std::array<std::array<std::uint8_t, kSubmodes>, 128> make_text_values() {
    std::array<std::array<std::uint8_t, kSubmodes>, 128> t{};
    for (auto& c : t)
        c = {kNotIn, kNotIn, kNotIn, kNotIn};
    for (int i = 0; i < 26; ++i) {
        t[static_cast<std::size_t>('A' + i)][kAlpha] = static_cast<std::uint8_t>(i);
        t[static_cast<std::size_t>('a' + i)][kLower] = static_cast<std::uint8_t>(i);
    }
    t[' '] = {kSpace, kSpace, kSpace, kNotIn};
    for (std::size_t i = 0; i < kMixedCharacters.size(); ++i)
        t[static_cast<std::size_t>(kMixedCharacters[i])][kMixed] = static_cast<std::uint8_t>(i);
    for (std::size_t i = 0; i < kPunctCharacters.size(); ++i)
        t[static_cast<std::size_t>(kPunctCharacters[i])][kPunct] = static_cast<std::uint8_t>(i);
    return t;
}
constexpr auto kTextValues = make_text_values();

// Text compaction writes CR, HT, LF and the printable ASCII characters.
constexpr bool text_values_complete() {
    for (int c = 0; c < 128; ++c) {
        const auto& v = kTextValues[static_cast<std::size_t>(c)];
        const bool in = v[0] != kNotIn || v[1] != kNotIn || v[2] != kNotIn || v[3] != kNotIn;
        if (in != ((c >= 32 && c < 127) || c == '\r' || c == '\t' || c == '\n')) return false;
    }
    return true;
}
static_assert(text_values_complete());

// For each byte, bit s set where sub-mode s has it.
constexpr std::array<std::uint8_t, 256> make_text_masks() {
    std::array<std::uint8_t, 256> masks{};
    for (std::size_t c = 0; c < 128; ++c) {
        for (std::size_t s = 0; s < kSubmodes; ++s) {
            if (kTextValues[c][s] != kNotIn)
                masks[c] = static_cast<std::uint8_t>(masks[c] | 1u << s);
        }
    }
    return masks;
}
constexpr auto kTextMasks = make_text_masks();

constexpr bool is_text(std::uint8_t b) {
    return kTextMasks[b] != 0;
}

// The values that latch from one sub-mode to another (ISO/IEC 15438's sub-mode transitions): one
// or two.
struct Latch {
    int count;
    std::array<std::uint8_t, 2> values;
};
constexpr std::array<std::array<Latch, kSubmodes>, kSubmodes> kLatches{{
    // from alpha: ll, ml, ml pl
    {{{0, {}}, {1, {27}}, {1, {28}}, {2, {28, 25}}}},
    // from lower: ml al, ml, ml pl
    {{{2, {28, 28}}, {0, {}}, {1, {28}}, {2, {28, 25}}}},
    // from mixed: al, ll, pl
    {{{1, {28}}, {1, {27}}, {0, {}}, {1, {25}}}},
    // from punctuation: al, al ll, al ml
    {{{1, {29}}, {2, {29, 27}}, {2, {29, 28}}, {0, {}}}},
}};
// The values a latch and the character after it take.
constexpr std::array<std::array<int, kSubmodes>, kSubmodes> make_latch_costs() {
    std::array<std::array<int, kSubmodes>, kSubmodes> costs{};
    for (std::size_t s = 0; s < kSubmodes; ++s) {
        for (std::size_t t = 0; t < kSubmodes; ++t)
            costs[s][t] = kLatches[s][t].count + 1;
    }
    return costs;
}
constexpr auto kLatchCosts = make_latch_costs();

static_assert(kLatches[kAlpha][kLower].values[0] == kLatchLowerValue &&
              kLatches[kMixed][kAlpha].values[0] == kLatchAlphaValue &&
              kLatches[kMixed][kPunct].values[0] == kLatchPunctValue &&
              kLatches[kPunct][kAlpha].values[0] == kShiftPunctValue &&
              kLatches[kLower][kMixed].values[0] == kLatchMixedValue);

// A bounded run of output codewords.
struct Codewords {
    std::uint16_t* out;
    int capacity;
    int count = 0;
    bool overflow = false;
};

void put(Codewords& c, unsigned value) {
    if (c.count >= c.capacity) {
        c.overflow = true;
        return;
    }
    c.out[c.count++] = static_cast<std::uint16_t>(value);
}

// Text values two to a codeword, 30 h + l.
struct TextPairs {
    Codewords& out;
    int pending = -1;
};

void put_value(TextPairs& t, int value) {
    if (t.pending < 0) {
        t.pending = value;
        return;
    }
    put(t.out, static_cast<unsigned>(30 * t.pending + value));
    t.pending = -1;
}

// How the text encoder reaches a character: within the sub-mode it is in, by a shift, or by a
// latch from the sub-mode before.
enum Step : std::uint8_t { kStay, kShiftPunct, kShiftAlpha, kLatchTo };

struct Back {
    std::uint8_t from;
    std::uint8_t step;
};

// ISO/IEC 15438 text compaction of `n` text characters from sub-mode `mode`, the fewest
// values (a shortest path over the four sub-modes); the last odd value is padded with ps.
// Returns the sub-mode it ends in.
int encode_text(const std::uint8_t* text, int n, int mode, Codewords& out) {
    constexpr int kInfinite = 1 << 30;
    std::array<std::array<Back, kSubmodes>, kMaxBytes> back;
    // The fewest values that reach each sub-mode after the characters so far, and after the next.
    std::array<int, kSubmodes> costs[2];
    std::array<int, kSubmodes>* cost = &costs[0];
    std::array<int, kSubmodes>* after_next = &costs[1];
    cost->fill(kInfinite);
    (*cost)[static_cast<std::size_t>(mode)] = 0;
    unsigned live = 1u << mode;  // the sub-modes with a cost
    for (int i = 0; i < n; ++i) {
        const unsigned in = kTextMasks[text[i]];
        if ((live & (live - 1)) == 0 && (in & live) != 0) {
            // In the one sub-mode left and the character in it: any other way costs more than
            // a latch from it would.
            const auto s = static_cast<std::size_t>(std::countr_zero(live));
            ++(*cost)[s];
            back[static_cast<std::size_t>(i)][s] = {static_cast<std::uint8_t>(s), kStay};
            continue;
        }
        std::array<int, kSubmodes>& next = *after_next;
        next.fill(kInfinite);
        auto& b = back[static_cast<std::size_t>(i)];
        // Where two ways cost the same, the one that latches later.
        const auto relax = [&](int to, int value, int from, Step step) {
            const auto t = static_cast<std::size_t>(to);
            if (value > next[t]) return;
            if (value == next[t] && (step != kLatchTo || b[t].step == kLatchTo)) return;
            next[t] = value;
            b[t] = {static_cast<std::uint8_t>(from), step};
        };
        for (int s = 0; s < kSubmodes; ++s) {
            const int here = (*cost)[static_cast<std::size_t>(s)];
            if (here == kInfinite) continue;
            if (in >> s & 1u) {
                relax(s, here + 1, s, kStay);
            } else {
                if (s != kPunct && (in >> kPunct & 1u)) relax(s, here + 2, s, kShiftPunct);
                if (s == kLower && (in >> kAlpha & 1u)) relax(s, here + 2, s, kShiftAlpha);
            }
            for (unsigned to = in & ~(1u << s); to != 0; to &= to - 1) {
                const int t = std::countr_zero(to);
                relax(t,
                      here + kLatchCosts[static_cast<std::size_t>(s)][static_cast<std::size_t>(t)],
                      s, kLatchTo);
            }
        }
        // A sub-mode that costs more than latching to it from the cheapest one leads nowhere.
        int cheapest = 0;
        for (int s = 1; s < kSubmodes; ++s) {
            if (next[static_cast<std::size_t>(s)] < next[static_cast<std::size_t>(cheapest)])
                cheapest = s;
        }
        live = 0;
        for (int s = 0; s < kSubmodes; ++s) {
            const auto& latch = kLatchCosts[static_cast<std::size_t>(cheapest)];
            // (kLatchCosts counts the character after the latch too.)
            if (next[static_cast<std::size_t>(s)] >
                next[static_cast<std::size_t>(cheapest)] + latch[static_cast<std::size_t>(s)] - 1) {
                next[static_cast<std::size_t>(s)] = kInfinite;
            } else {
                live |= 1u << s;
            }
        }
        std::swap(cost, after_next);
    }
    int end = mode;
    for (int s = 0; s < kSubmodes; ++s) {
        if ((*cost)[static_cast<std::size_t>(s)] < (*cost)[static_cast<std::size_t>(end)]) end = s;
    }
    // The sub-mode after each character, read back from the end.
    std::array<std::uint8_t, kMaxBytes> after;
    for (int i = n - 1, s = end; i >= 0; --i) {
        after[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(s);
        s = back[static_cast<std::size_t>(i)][static_cast<std::size_t>(s)].from;
    }
    TextPairs pairs{out};
    for (int i = 0; i < n; ++i) {
        const std::uint8_t c = text[i];
        const int s = after[static_cast<std::size_t>(i)];
        const Back how = back[static_cast<std::size_t>(i)][static_cast<std::size_t>(s)];
        const auto& values = kTextValues[c];
        switch (how.step) {
            case kStay:
                put_value(pairs, values[static_cast<std::size_t>(s)]);
                break;
            case kShiftPunct:
                put_value(pairs, kShiftPunctValue);
                put_value(pairs, values[kPunct]);
                break;
            case kShiftAlpha:
                put_value(pairs, kShiftAlphaValue);
                put_value(pairs, values[kAlpha]);
                break;
            default: {
                const Latch& latch = kLatches[how.from][static_cast<std::size_t>(s)];
                for (int k = 0; k < latch.count; ++k)
                    put_value(pairs, latch.values[static_cast<std::size_t>(k)]);
                put_value(pairs, values[static_cast<std::size_t>(s)]);
                break;
            }
        }
    }
    if (pairs.pending >= 0) put_value(pairs, kShiftPunctValue);
    return end;
}

// ISO/IEC 15438 byte compaction: 924 where the count is a multiple of 6, else 901; each
// 6 bytes, a number in base 256, as 5 codewords in base 900; the rest one byte a codeword.
void encode_bytes(const std::uint8_t* bytes, int n, Codewords& out) {
    put(out, n % 6 == 0 ? kLatchByteSix : kLatchByte);
    int i = 0;
    for (; i + 6 <= n; i += 6) {
        std::uint64_t v = 0;
        for (int k = 0; k < 6; ++k)
            v = v << 8 | bytes[i + k];
        std::array<std::uint16_t, 5> group{};
        for (int k = 4; k >= 0; --k) {
            group[static_cast<std::size_t>(k)] = static_cast<std::uint16_t>(v % 900);
            v /= 900;
        }
        for (std::uint16_t g : group)
            put(out, g);
    }
    for (; i < n; ++i)
        put(out, bytes[i]);
}

// ISO/IEC 15438 numeric compaction: groups of up to 44 digits, each read as the number
// with a 1 before its digits and written in base 900, most significant codeword first.
void encode_digits(const std::uint8_t* digits, int n, Codewords& out) {
    put(out, kLatchNumeric);
    for (int start = 0; start < n; start += 44) {
        const int length = n - start < 44 ? n - start : 44;
        // Base-900 digits, least significant first: 10^44 < 900^15.
        std::array<unsigned, 15> limbs{1};
        int used = 1;
        for (int i = 0; i < length; ++i) {
            unsigned carry = static_cast<unsigned>(digits[start + i] - '0');
            for (int k = 0; k < used; ++k) {
                const unsigned x = limbs[static_cast<std::size_t>(k)] * 10 + carry;
                limbs[static_cast<std::size_t>(k)] = x % 900;
                carry = x / 900;
            }
            if (carry != 0 && used < 15) limbs[static_cast<std::size_t>(used++)] = carry;
        }
        for (int k = used - 1; k >= 0; --k)
            put(out, limbs[static_cast<std::size_t>(k)]);
    }
}

bool is_digit(std::uint8_t b) {
    return b >= '0' && b <= '9';
}

// Consecutive digits from `at`, counted up to `cap`.
int digits_at(const std::uint8_t* b, int at, int n, int cap) {
    int i = at;
    while (i < n && i - at < cap && is_digit(b[i]))
        ++i;
    return i - at;
}

// Whether the digits from `at` go to numeric compaction: 13 or more, or 8 or more that end the
// data.
bool numeric_at(const std::uint8_t* b, int at, int n) {
    const int digits = digits_at(b, at, n, kNumericRun);
    return digits >= kNumericRun || (digits >= kFinalNumericRun && at + digits == n);
}

// Consecutive text characters from `at` up to digits for numeric compaction, counted up to `cap`.
int text_at(const std::uint8_t* b, int at, int n, int cap) {
    int i = at;
    while (i < n && i - at < cap && is_text(b[i]) && !numeric_at(b, i, n))
        ++i;
    return i - at;
}

// Bytes from `at` up to digits for numeric compaction or a run of 5 text characters.
int bytes_at(const std::uint8_t* b, int at, int n) {
    int i = at + 1;
    while (i < n && !numeric_at(b, i, n) && text_at(b, i, n, kTextRun) < kTextRun)
        ++i;
    return i - at;
}

// The codewords byte compaction takes for `n` bytes, its latch included.
int byte_cost(int n) {
    return 1 + n / 6 * 5 + n % 6;
}

// The codewords text compaction takes for `n` characters from sub-mode `mode`.
int text_cost(const std::uint8_t* text, int n, int mode) {
    std::array<std::uint16_t, 3 * kTextRun> scratch;
    Codewords c{scratch.data(), static_cast<int>(scratch.size())};
    encode_text(text, n, mode, c);
    return c.count;
}

enum class Mode { kText, kByte, kNumeric };

// Whether a run of fewer than 5 text characters at `at` goes to text compaction rather than into
// the byte compaction of the `bytes` bytes from `at`: where no byte that needs byte compaction
// follows it, or where text compaction is in force and writing the run as text, and the bytes
// after it as bytes, takes no more codewords.
bool short_text(const std::uint8_t* b, int at, int text, int bytes, Mode mode, int submode) {
    if (bytes == text) return true;
    if (mode != Mode::kText) return false;
    const int rest = bytes - text;
    return text_cost(b + at, text, submode) + (rest == 1 ? 2 : byte_cost(rest)) <= byte_cost(bytes);
}

// Whether the first of the `bytes` bytes from `at` (one that text compaction cannot write) is
// shifted to from text compaction (913) rather than latched to with the rest: where it is the only
// one, or where the text run after it as text and the bytes after that as bytes take no more.
bool shift_byte(const std::uint8_t* b, int at, int n, int bytes, int submode) {
    if (is_text(b[at])) return false;
    if (bytes == 1) return true;
    const int text = text_at(b, at + 1, n, bytes - 1);
    if (text == 0) return false;
    const int rest = bytes - 1 - text;
    return 2 + text_cost(b + at + 1, text, submode) +
               (rest == 0   ? 0
                : rest == 1 ? 2
                            : byte_cost(rest)) <=
           byte_cost(bytes);
}

// ISO/IEC 15438 Annex (informative compaction algorithm): from text compaction, 13 digits or more
// go to numeric compaction and 5 text characters or more to text compaction; the bytes between,
// a single one by a shift from text compaction. Besides, 8 digits or more that end the data go to
// numeric compaction, a shorter run of text to text compaction (short_text) and a byte before
// text to a shift (shift_byte) where that takes no more codewords.
void compact(const std::uint8_t* b, int n, Codewords& out) {
    Mode mode = Mode::kText;
    int submode = kAlpha;
    int at = 0;
    while (at < n && !out.overflow) {
        if (numeric_at(b, at, n)) {
            const int digits = digits_at(b, at, n, n);
            encode_digits(b + at, digits, out);
            mode = Mode::kNumeric;
            at += digits;
            continue;
        }
        const int text = text_at(b, at, n, n);
        const int bytes = text >= kTextRun ? 0 : bytes_at(b, at, n);
        if (text >= kTextRun || (text > 0 && short_text(b, at, text, bytes, mode, submode))) {
            if (mode != Mode::kText) {
                put(out, kLatchText);
                submode = kAlpha;
                mode = Mode::kText;
            }
            submode = encode_text(b + at, text, submode, out);
            at += text;
            continue;
        }
        const int run = bytes > 0 ? bytes : bytes_at(b, at, n);
        if (mode == Mode::kText && shift_byte(b, at, n, run, submode)) {
            put(out, kShiftByte);
            put(out, b[at]);
            ++at;
            continue;
        }
        encode_bytes(b + at, run, out);
        mode = Mode::kByte;
        at += run;
    }
}

// Reads `data` as UTF-8: false if it is not; `widest` is its largest code point.
bool read_utf8(std::string_view data, std::uint32_t& widest) {
    widest = 0;
    const auto* s = reinterpret_cast<const std::uint8_t*>(data.data());
    const std::size_t n = data.size();
    for (std::size_t i = 0; i < n;) {
        const std::uint8_t lead = s[i];
        int extra = 0;
        std::uint32_t cp = lead;
        std::uint8_t low = 0x80;
        std::uint8_t high = 0xBF;
        if (lead < 0x80) {
            extra = 0;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            extra = 1;
            cp = lead & 0x1Fu;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            extra = 2;
            cp = lead & 0x0Fu;
            if (lead == 0xE0) low = 0xA0;
            if (lead == 0xED) high = 0x9F;  // no surrogates
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            extra = 3;
            cp = lead & 0x07u;
            if (lead == 0xF0) low = 0x90;
            if (lead == 0xF4) high = 0x8F;  // nothing past U+10FFFF
        } else {
            return false;
        }
        if (n - i <= static_cast<std::size_t>(extra)) return false;
        for (int k = 1; k <= extra; ++k) {
            const std::uint8_t c = s[i + static_cast<std::size_t>(k)];
            if (c < (k == 1 ? low : 0x80) || c > (k == 1 ? high : 0xBF)) return false;
            cp = cp << 6 | (c & 0x3Fu);
        }
        if (cp > widest) widest = cp;
        i += static_cast<std::size_t>(extra) + 1;
    }
    return true;
}

// The bytes the symbol carries: ISO 8859-1 where every character is in it, else the data's own
// bytes (its UTF-8, marked by ECI 000026 in `utf8`, or bytes that are not UTF-8 at all). -1 when
// there are more than any symbol holds.
int symbol_bytes(std::string_view data, std::uint8_t* out, bool& utf8) {
    std::uint32_t widest = 0;
    const bool valid = read_utf8(data, widest);
    utf8 = valid && widest > 0xFF;
    const auto* s = reinterpret_cast<const std::uint8_t*>(data.data());
    int n = 0;
    for (std::size_t i = 0; i < data.size(); ++i) {
        std::uint8_t b = s[i];
        if (valid && !utf8 && b >= 0x80) {
            // A two-byte sequence of U+0080 to U+00FF.
            b = static_cast<std::uint8_t>((b & 0x03u) << 6 | (s[i + 1] & 0x3Fu));
            ++i;
        }
        if (n == kMaxBytes) return -1;
        out[n++] = b;
    }
    return n;
}

// The error correction codewords of level L (2^(L+1) of them) for each level's generator,
// computed once.
struct Generators {
    std::array<std::uint16_t, (2 << kMaxLevel) * 2 - 2> coefficients{};
    static constexpr int offset(int level) { return (2 << level) - 2; }
};

const Generators& generators() {
    static const Generators g = [] {
        Generators made;
        for (int level = 0; level <= kMaxLevel; ++level)
            Pdf417Generator(2 << level, made.coefficients.data() + Generators::offset(level));
        return made;
    }();
    return g;
}

struct Layout {
    int rows = 0;
    int columns = 0;
};

// Rows for `codewords` in `columns` columns; false where they do not fit (ISO/IEC 15438:
// 3 to 90 rows, at most 928 codewords).
bool fit(int codewords, int columns, Layout& layout) {
    int rows = (codewords + columns - 1) / columns;
    if (rows < kMinRows) rows = kMinRows;
    if (rows > kMaxRows || rows * columns > kPdf417MaxCodewords) return false;
    layout = {rows, columns};
    return true;
}

// The columns asked for, or else the fewest that make the symbol (17 c + 69 modules wide, each
// row 3 modules tall) at least twice as wide as it is tall.
bool choose_layout(int codewords, int columns, Layout& layout) {
    if (columns > 0) return fit(codewords, columns, layout);
    bool found = false;
    for (int c = 1; c <= kMaxColumns; ++c) {
        Layout here;
        if (!fit(codewords, c, here)) continue;
        if (!found) layout = here;
        found = true;
        if (2 * 3 * here.rows <= 17 * c + 69) {
            layout = here;
            return true;
        }
    }
    return found;
}

// ISO/IEC 15438 row indicators: the values for row `y`: the row group's 30 (y / 3) plus, by
// cluster, the rows' (r - 1) / 3, the level's 3 L + (r - 1) mod 3 or the columns' c - 1, the
// left indicator taking them in the order 0, 3, 6 and the right one in the order 6, 0, 3.
void row_indicators(int y, const Layout& layout, int level, int& left, int& right) {
    const int group = 30 * (y / 3);
    const int rows = group + (layout.rows - 1) / 3;
    const int ecc = group + 3 * level + (layout.rows - 1) % 3;
    const int columns = group + layout.columns - 1;
    switch (y % 3) {
        case 0:
            left = rows;
            right = columns;
            break;
        case 1:
            left = ecc;
            right = rows;
            break;
        default:
            left = columns;
            right = ecc;
            break;
    }
}

// Sets the dark ones of `count` modules (at most 32, the first in bit 0 of `bits`) in the
// cleared matrix from bit `at` on, a word or two at a time; nothing past the matrix.
void put_modules(ModuleMatrix& m, int& at, std::uint32_t bits, int count) {
    if (at < 0 || at + count > m.width * m.height) return;
    const auto word = static_cast<std::size_t>(at / 64);
    const int shift = at % 64;
    m.bits[word] |= std::uint64_t{bits} << shift;
    if (shift + count > 64) m.bits[word + 1] |= std::uint64_t{bits} >> (64 - shift);
    at += count;
}

// ISO/IEC 15438 symbol structure: each row is the start pattern, the left row indicator, its data
// columns, the right row indicator and the stop pattern, in the row's cluster (0, 3, 6 in turn).
void place(const std::uint16_t* codewords, const Layout& layout, int level, ModuleMatrix& m) {
    for (int y = 0; y < layout.rows; ++y) {
        const auto& cluster = kRowBits[static_cast<std::size_t>(y % 3)];
        int left = 0;
        int right = 0;
        row_indicators(y, layout, level, left, right);
        int at = y * m.width;
        put_modules(m, at, reversed(kStart, kStartModules), kStartModules);
        put_modules(m, at, cluster[static_cast<std::size_t>(left)], 17);
        for (int c = 0; c < layout.columns; ++c) {
            const std::uint16_t v = codewords[y * layout.columns + c];
            put_modules(m, at, cluster[v], 17);
        }
        put_modules(m, at, cluster[static_cast<std::size_t>(right)], 17);
        put_modules(m, at, reversed(kStop, kStopModules), kStopModules);
    }
}

}  // namespace

int Pdf417RecommendedLevel(int data_codewords) {
    if (data_codewords <= 40) return 2;
    if (data_codewords <= 160) return 3;
    if (data_codewords <= 320) return 4;
    return 5;
}

int Pdf417DataCodewords(std::string_view data, std::uint16_t* out, int capacity) {
    std::array<std::uint8_t, kMaxBytes> bytes;
    bool utf8 = false;
    const int n = symbol_bytes(data, bytes.data(), utf8);
    if (n < 0) return -1;
    Codewords codewords{out, capacity};
    if (utf8) {
        put(codewords, kEci);
        put(codewords, kUtf8Eci);
    }
    compact(bytes.data(), n, codewords);
    return codewords.overflow ? -1 : codewords.count;
}

int Orbelantrix_PDF417(std::string_view data, const Pdf417Options& options, ModuleMatrix& symbol) {
    ResetMatrix(symbol, 0, 0);
    if (data.empty() || options.ecc < -1 || options.ecc > kMaxLevel || options.columns < 0 ||
        options.columns > kMaxColumns) {
        return kStatusRefused;
    }
    // The symbol length descriptor first, then the data, padding and error correction.
    std::array<std::uint16_t, kPdf417MaxCodewords> codewords;
    const int data_count = Pdf417DataCodewords(data, codewords.data() + 1, kPdf417MaxCodewords - 3);
    if (data_count < 0) return kStatusRefused;
    int level = options.ecc;
    if (level < 0) {
        level = Pdf417RecommendedLevel(data_count);
        while (level > 0 && 1 + data_count + (2 << level) > kPdf417MaxCodewords)
            --level;
    }
    const int ecc_count = 2 << level;
    Layout layout;
    if (!choose_layout(1 + data_count + ecc_count, options.columns, layout)) return kStatusRefused;
    const int length = layout.rows * layout.columns - ecc_count;
    codewords[0] = static_cast<std::uint16_t>(length);
    for (int i = 1 + data_count; i < length; ++i)
        codewords[static_cast<std::size_t>(i)] = kPad;
    Pdf417Remainder(codewords.data(), length,
                    generators().coefficients.data() + Generators::offset(level), ecc_count,
                    codewords.data() + length);

    if (!ResetMatrix(symbol, 17 * (layout.columns + 4) + 1, layout.rows)) return kStatusRefused;
    symbol.row_height = 3;
    place(codewords.data(), layout, level, symbol);
    return kStatusOk;
}

}  // namespace orbx
