#include "encoders/matrix/data_matrix.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>

#include "common/status.h"
#include "encoders/matrix/galois.h"
#include "encoders/matrix/gs1_data.h"
#include "encoders/matrix/reed_solomon.h"

namespace orbx {

namespace {

// ISO/IEC 16022's table of ECC 200 symbol attributes: each size, its data regions, and its
// codewords with the Reed-Solomon blocks they are split into.
struct Size {
    int rows;
    int columns;
    int region_rows;  // one data region, without its finder and clock patterns
    int region_columns;
    int data;  // codewords of the whole symbol
    int ecc;
    int blocks;  // interleaved Reed-Solomon blocks
};

constexpr int kSquareSizes = 24;
constexpr std::array<Size, 30> kSizes = {{
    {10, 10, 8, 8, 3, 5, 1},          {12, 12, 10, 10, 5, 7, 1},
    {14, 14, 12, 12, 8, 10, 1},       {16, 16, 14, 14, 12, 12, 1},
    {18, 18, 16, 16, 18, 14, 1},      {20, 20, 18, 18, 22, 18, 1},
    {22, 22, 20, 20, 30, 20, 1},      {24, 24, 22, 22, 36, 24, 1},
    {26, 26, 24, 24, 44, 28, 1},      {32, 32, 14, 14, 62, 36, 1},
    {36, 36, 16, 16, 86, 42, 1},      {40, 40, 18, 18, 114, 48, 1},
    {44, 44, 20, 20, 144, 56, 1},     {48, 48, 22, 22, 174, 68, 1},
    {52, 52, 24, 24, 204, 84, 2},     {64, 64, 14, 14, 280, 112, 2},
    {72, 72, 16, 16, 368, 144, 4},    {80, 80, 18, 18, 456, 192, 4},
    {88, 88, 20, 20, 576, 224, 4},    {96, 96, 22, 22, 696, 272, 4},
    {104, 104, 24, 24, 816, 336, 6},  {120, 120, 18, 18, 1050, 408, 6},
    {132, 132, 20, 20, 1304, 496, 8}, {144, 144, 22, 22, 1558, 620, 10},
    {8, 18, 6, 16, 5, 7, 1},          {8, 32, 6, 14, 10, 11, 1},
    {12, 26, 10, 24, 16, 14, 1},      {12, 36, 10, 16, 22, 18, 1},
    {16, 36, 14, 16, 32, 24, 1},      {16, 48, 14, 22, 49, 28, 1},
}};

constexpr int MappingRows(const Size& s) {
    return s.rows / (s.region_rows + 2) * s.region_rows;
}
constexpr int MappingColumns(const Size& s) {
    return s.columns / (s.region_columns + 2) * s.region_columns;
}

constexpr int kMaxData = kSizes[kSquareSizes - 1].data;  // 144 x 144
constexpr int kMaxBlockData = 175;                       // 120 x 120: 1050 in 6 blocks
constexpr int kMaxBlockEcc = 68;                         // 48 x 48

// Every size is whole data regions, each with its two-module frame; its mapping matrix holds
// exactly its codewords (8 modules each, the few left over filled by a fixed pattern); its
// error correction splits evenly into its blocks, and so does its data but for 144 x 144,
// whose first 8 blocks hold 156 data codewords and last 2 hold 155.
constexpr bool SizesAgree() {
    int previous = 0;
    for (std::size_t i = 0; i < kSizes.size(); ++i) {
        const Size& s = kSizes[i];
        if (i == kSquareSizes) previous = 0;
        if (s.rows % (s.region_rows + 2) != 0 || s.columns % (s.region_columns + 2) != 0)
            return false;
        if (MappingRows(s) * MappingColumns(s) / 8 != s.data + s.ecc) return false;
        if (s.ecc % s.blocks != 0 || s.data <= previous) return false;
        if ((s.data + s.blocks - 1) / s.blocks > kMaxBlockData) return false;
        if (s.ecc / s.blocks > kMaxBlockEcc || s.data > kMaxData) return false;
        const bool unequal = s.rows == 144;
        if (!unequal && s.data % s.blocks != 0) return false;
        if (unequal && s.data != 8 * 156 + 2 * 155) return false;
        if ((i < kSquareSizes) != (s.rows == s.columns)) return false;
        previous = s.data;
    }
    return true;
}
static_assert(SizesAgree());
static_assert(kSizes[kSquareSizes - 1].data + kSizes[kSquareSizes - 1].ecc ==
              kDataMatrixMaxCodewords);

// The most characters any symbol holds: 3116 digits, two to a codeword.
constexpr int kMaxCharacters = 2 * kMaxData;

// ISO/IEC 16022's ASCII encodation values of the codewords that are not data.
constexpr int kPad = 129;
constexpr int kDigitPairs = 130;
constexpr int kLatchC40 = 230;
constexpr int kLatchBase256 = 231;
constexpr int kFnc1Codeword = 232;
constexpr int kUpperShift = 235;
constexpr int kLatchX12 = 238;
constexpr int kLatchText = 239;
constexpr int kLatchEdifact = 240;
constexpr int kEciCodeword = 241;
// Back to ASCII from C40, Text and X12 (a codeword), and from EDIFACT (a 6-bit value).
constexpr int kUnlatch = 254;
constexpr int kEdifactUnlatch = 31;
// ECI 000026: UTF-8, written as one codeword, the number plus 1.
constexpr int kUtf8EciCodeword = 26 + 1;
// The C40 and Text shift values, and the Shift 2 values of FNC1 and of Upper Shift.
constexpr int kShift1 = 0;
constexpr int kShift2 = 1;
constexpr int kShift3 = 2;
constexpr int kShift2Fnc1 = 27;
constexpr int kShift2UpperShift = 30;

enum Mode { kAscii, kC40, kText, kX12, kEdifact, kBase256 };

constexpr std::array<int, 6> kLatch = {0,         kLatchC40,     kLatchText,
                                       kLatchX12, kLatchEdifact, kLatchBase256};

// The data's characters: bytes 0 to 255, and in GS1 mode FNC1 where the separator stands.
struct Input {
    const std::uint8_t* bytes;
    int length;
    bool gs1;
};

constexpr int kFnc1 = 256;

int CharAt(const Input& in, int i) {
    const int c = in.bytes[i];
    return in.gs1 && c == kGs1Separator ? kFnc1 : c;
}

constexpr bool IsDigit(int c) {
    return c >= '0' && c <= '9';
}
constexpr bool IsUpper(int c) {
    return c >= 'A' && c <= 'Z';
}
constexpr bool IsLower(int c) {
    return c >= 'a' && c <= 'z';
}
constexpr bool IsExtended(int c) {
    return c >= 128 && c < 256;
}
constexpr bool C40Native(int c) {
    return c == ' ' || IsDigit(c) || IsUpper(c);
}
constexpr bool TextNative(int c) {
    return c == ' ' || IsDigit(c) || IsLower(c);
}
constexpr bool X12Terminator(int c) {
    return c == '\r' || c == '*' || c == '>';
}
constexpr bool X12Native(int c) {
    return X12Terminator(c) || C40Native(c);
}
constexpr bool EdifactNative(int c) {
    return c >= 32 && c <= 94;
}

// The data codewords as they are written; a write past the largest symbol only sets `overflow`.
struct Stream {
    std::array<std::uint8_t, kMaxData> cw;  // the first `count` written
    int count = 0;
    bool overflow = false;
};

void Put(Stream& s, int value) {
    if (s.count >= kMaxData) {
        s.overflow = true;
        return;
    }
    s.cw[static_cast<std::size_t>(s.count++)] = static_cast<std::uint8_t>(value);
}

// ISO/IEC 16022 ASCII encodation: one character (FNC1, a byte below 128, or Upper Shift and the
// byte less 128).
void PutAsciiChar(Stream& s, int c) {
    if (c == kFnc1) {
        Put(s, kFnc1Codeword);
    } else if (IsExtended(c)) {
        Put(s, kUpperShift);
        Put(s, c - 127);
    } else {
        Put(s, c + 1);
    }
}

bool DigitPairAt(const Input& in, int i) {
    return i + 1 < in.length && IsDigit(CharAt(in, i)) && IsDigit(CharAt(in, i + 1));
}

// ASCII codewords of characters `from` to `to`, digit pairs as one.
int AsciiLength(const Input& in, int from, int to) {
    int n = 0;
    for (int i = from; i < to; ++i, ++n) {
        const int c = CharAt(in, i);
        if (i + 1 < to && IsDigit(c) && IsDigit(CharAt(in, i + 1))) {
            ++i;
        } else if (IsExtended(c)) {
            ++n;
        }
    }
    return n;
}

void PutAscii(Stream& s, const Input& in, int from, int to) {
    for (int i = from; i < to; ++i) {
        const int c = CharAt(in, i);
        if (i + 1 < to && IsDigit(c) && IsDigit(CharAt(in, i + 1))) {
            Put(s, kDigitPairs + (c - '0') * 10 + (CharAt(in, i + 1) - '0'));
            ++i;
        } else {
            PutAsciiChar(s, c);
        }
    }
}

// ISO/IEC 16022 C40 and Text encodation: a character's values (1 to 4) in the basic set or a
// shift set, Upper Shift before a byte above 127; X12: its one value. Returns their count.
constexpr int Values(Mode mode, int c, int* v) {
    if (mode == kX12) {
        v[0] = c == '\r'    ? 0
               : c == '*'   ? 1
               : c == '>'   ? 2
               : c == ' '   ? 3
               : IsDigit(c) ? c - '0' + 4
                            : c - 'A' + 14;
        return 1;
    }
    if (c == kFnc1) {
        v[0] = kShift2;
        v[1] = kShift2Fnc1;
        return 2;
    }
    int n = 0;
    if (IsExtended(c)) {
        v[n++] = kShift2;
        v[n++] = kShift2UpperShift;
        c -= 128;
    }
    const bool text = mode == kText;
    if (c == ' ') {
        v[n++] = 3;
    } else if (IsDigit(c)) {
        v[n++] = c - '0' + 4;
    } else if (IsUpper(c) && !text) {
        v[n++] = c - 'A' + 14;
    } else if (IsLower(c) && text) {
        v[n++] = c - 'a' + 14;
    } else if (c < 32) {
        v[n++] = kShift1;
        v[n++] = c;
    } else if (c <= 47) {
        v[n++] = kShift2;
        v[n++] = c - 33;
    } else if (c <= 64) {
        v[n++] = kShift2;
        v[n++] = c - 43;
    } else if (c >= 91 && c <= 95) {
        v[n++] = kShift2;
        v[n++] = c - 69;
    } else {
        // The Shift 3 set: C40's is 96 to 127, Text's the same with the cases swapped.
        v[n++] = kShift3;
        v[n++] = text && IsUpper(c) ? c - 64 : c - 96;
    }
    return n;
}

// The values of every byte and FNC1 in C40, Text and X12, looked up rather than worked out.
struct CharValues {
    int count;
    std::array<int, 4> v;
};
using ValueTable = std::array<CharValues, 257>;

constexpr ValueTable MakeValueTable(Mode mode) {
    ValueTable table{};
    for (int c = 0; c <= kFnc1; ++c) {
        CharValues& t = table[static_cast<std::size_t>(c)];
        int v[4] = {};
        t.count = mode == kX12 && !X12Native(c) ? 0 : Values(mode, c, v);
        for (std::size_t i = 0; i < 4; ++i)
            t.v[i] = v[i];
    }
    return table;
}

constexpr std::array<ValueTable, 3> kValueTables = {MakeValueTable(kC40), MakeValueTable(kText),
                                                    MakeValueTable(kX12)};
static_assert(kValueTables[0]['a'].count == 2 && kValueTables[1]['a'].v[0] == 14 &&
              kValueTables[0][0xC1].count == 3 && kValueTables[2]['>'].v[0] == 2);

const CharValues& ValuesOf(Mode mode, int c) {
    return kValueTables[static_cast<std::size_t>(mode - kC40)][static_cast<std::size_t>(c)];
}

int ValueCount(Mode mode, int c) {
    return ValuesOf(mode, c).count;
}

// Three values in two codewords: 1600 v1 + 40 v2 + v3 + 1, high byte first.
void PutTriplet(Stream& s, int a, int b, int c) {
    const int value = 1600 * a + 40 * b + c + 1;
    Put(s, value >> 8);
    Put(s, value & 0xFF);
}

// C40, Text or X12 values of characters `from` to `to`, whose count is a multiple of three or
// one short of one; the short last triplet ends in Shift 1 as its pad.
void PutTriplets(Stream& s, const Input& in, Mode mode, int from, int to) {
    int v[8];
    int n = 0;
    for (int i = from; i < to; ++i) {
        const CharValues& cv = ValuesOf(mode, CharAt(in, i));
        for (int k = 0; k < cv.count; ++k)
            v[n++] = cv.v[static_cast<std::size_t>(k)];
        for (; n >= 3; n -= 3) {
            PutTriplet(s, v[0], v[1], v[2]);
            for (int k = 3; k < n; ++k)
                v[k - 3] = v[k];
        }
    }
    if (n == 2) PutTriplet(s, v[0], v[1], kShift1);
}

// ISO/IEC 16022 EDIFACT encodation: the low six bits of each character, four values to three
// codewords; with the unlatch value after them, a short last group is padded with zero bits to
// its last whole codeword.
void PutEdifact(Stream& s, const Input& in, int from, int to, bool unlatch) {
    std::uint32_t bits = 0;
    int n = 0;
    const auto push = [&](int value) {
        bits = bits << 6 | static_cast<std::uint32_t>(value & 0x3F);
        if (++n < 4) return;
        Put(s, static_cast<int>(bits >> 16));
        Put(s, static_cast<int>(bits >> 8 & 0xFF));
        Put(s, static_cast<int>(bits & 0xFF));
        bits = 0;
        n = 0;
    };
    for (int i = from; i < to; ++i)
        push(CharAt(in, i));
    if (unlatch) push(kEdifactUnlatch);
    if (n == 0) return;
    bits <<= 6 * (4 - n);
    for (int b = 0; b < (6 * n + 7) / 8; ++b)
        Put(s, static_cast<int>(bits >> (16 - 8 * b) & 0xFF));
}

// ISO/IEC 16022 255-state randomising of a Base 256 codeword at 1-based `position`.
int Randomise255(int value, int position) {
    const int r = value + 149 * position % 255 + 1;
    return r <= 255 ? r : r - 256;
}

// ISO/IEC 16022 253-state randomising of a pad codeword at 1-based `position`.
int Randomise253(int value, int position) {
    const int r = value + 149 * position % 253 + 1;
    return r <= 254 ? r : r - 254;
}

// ISO/IEC 16022 Base 256 encodation: the field length (one codeword up to 249, two above; 0 for
// a field that runs to the end of the symbol) and the bytes, all randomised.
void PutBase256(Stream& s, const Input& in, int from, int to, bool to_end) {
    const int length = to - from;
    const auto put = [&](int value) { Put(s, Randomise255(value, s.count + 1)); };
    if (to_end) {
        put(0);
    } else if (length <= 249) {
        put(length);
    } else {
        put(length / 250 + 249);
        put(length % 250);
    }
    for (int i = from; i < to; ++i)
        put(CharAt(in, i));
}

// ISO/IEC 16022 Annex P, steps j to n: the encodation to continue in from `pos`, counted in
// twelfths of a codeword so that the thirds and quarters stay exact.
using Counts = std::array<int, 6>;

int RoundUp(int twelfths) {
    return (twelfths + 11) / 12 * 12;
}

int Least(int a, int b) {
    return a < b ? a : b;
}

// Step k: at the end of the data, with every count rounded up to whole codewords.
Mode EndOfDataChoice(Counts n) {
    for (int& c : n)
        c = RoundUp(c);
    const int a = n[kAscii], c = n[kC40], t = n[kText], x = n[kX12], e = n[kEdifact],
              b = n[kBase256];
    if (a <= Least(Least(c, t), Least(Least(x, e), b))) return kAscii;
    if (b < Least(Least(a, c), Least(Least(t, x), e))) return kBase256;
    if (e < Least(Least(a, c), Least(Least(t, x), b))) return kEdifact;
    if (t < Least(Least(a, c), Least(Least(x, e), b))) return kText;
    if (x < Least(Least(a, c), Least(Least(t, e), b))) return kX12;
    return kC40;
}

// Step m, after at least four characters: a mode that leads by a codeword, or -1 to read
// on. `next` is the first character not counted.
int LeadingMode(const Counts& n, const Input& in, int next) {
    constexpr int one = 12;
    const int a = n[kAscii], c = n[kC40], t = n[kText], x = n[kX12], e = n[kEdifact],
              b = n[kBase256];
    const int ab = Least(a, b);
    // (ASCII must lead Base 256 by more than a codeword.)
    if (a + one <= Least(Least(c, t), Least(x, e)) && a + one < b) return kAscii;
    if (b + one <= a || b + one < Least(Least(c, t), Least(x, e))) return kBase256;
    if (e + one < Least(Least(ab, c), Least(t, x))) return kEdifact;
    if (t + one < Least(Least(ab, c), Least(x, e))) return kText;
    if (x + one < Least(Least(ab, c), Least(t, e))) return kX12;
    if (c + one < Least(ab, Least(t, e))) {
        if (c < x) return kC40;
        if (c == x) {
            // X12 if one of its terminators comes before any character it cannot take.
            for (int p = next; p < in.length; ++p) {
                const int ch = CharAt(in, p);
                if (X12Terminator(ch)) return kX12;
                if (!X12Native(ch)) break;
            }
            return kC40;
        }
    }
    return -1;
}

// Step l: what a character costs in C40, Text, X12, EDIFACT and Base 256 (ASCII's cost depends
// on the count so far), for the bytes and FNC1.
using Costs = std::array<std::uint8_t, 6>;

constexpr std::array<Costs, 257> MakeCosts() {
    std::array<Costs, 257> costs{};
    for (int c = 0; c <= kFnc1; ++c) {
        const bool extended = IsExtended(c);
        Costs& k = costs[static_cast<std::size_t>(c)];
        k[kAscii] = IsDigit(c) ? 6 : extended ? 24 : 12;
        k[kC40] = C40Native(c) ? 8 : extended ? 32 : 16;
        k[kText] = TextNative(c) ? 8 : extended ? 32 : 16;
        k[kX12] = X12Native(c) ? 8 : extended ? 52 : 40;
        k[kEdifact] = EdifactNative(c) ? 9 : extended ? 51 : 39;
        k[kBase256] = c == kFnc1 ? 48 : 12;
    }
    return costs;
}

constexpr std::array<Costs, 257> kCosts = MakeCosts();
static_assert(kCosts['7'][kAscii] == 6 && kCosts[0xE9][kX12] == 52 && kCosts[kFnc1][kC40] == 16);

Mode LookAhead(const Input& in, int pos, Mode current) {
    // Step j: a latch costs a codeword, and from C40, Text, X12 or EDIFACT an unlatch as well.
    // Base 256 ends without one, so from it the others cost what they cost from ASCII; from
    // ASCII it costs its latch and its length field.
    Counts n = current == kAscii     ? Counts{0, 12, 12, 12, 12, 24}
               : current == kBase256 ? Counts{0, 12, 12, 12, 12, 0}
                                     : Counts{12, 24, 24, 24, 24, 27};
    n[current] = 0;
    for (int p = pos, processed = 1;; ++p, ++processed) {
        if (p == in.length) return EndOfDataChoice(n);
        const Costs& k = kCosts[static_cast<std::size_t>(CharAt(in, p))];
        // A digit adds half a codeword to ASCII; anything else starts a codeword of its own.
        n[kAscii] = k[kAscii] == 6 ? n[kAscii] + 6 : RoundUp(n[kAscii]) + k[kAscii];
        for (int m = kC40; m <= kBase256; ++m)
            n[static_cast<std::size_t>(m)] += k[static_cast<std::size_t>(m)];
        if (processed >= 4) {
            const int m = LeadingMode(n, in, p + 1);
            if (m >= 0) return static_cast<Mode>(m);
        }
    }
}

// Whether `mode` can take character c first (ASCII takes it otherwise).
bool Takes(Mode mode, int c) {
    switch (mode) {
        case kX12:
            return X12Native(c);
        case kEdifact:
            return EdifactNative(c);
        case kBase256:
            return c != kFnc1;
        default:
            return true;
    }
}

// The data codewords up to the last segment, which waits for the symbol's size.
struct Encoder {
    Input in{};
    Stream out;
    Mode mode = kAscii;
    int start = 0;   // the segment's first character (in a mode other than ASCII)
    int values = 0;  // its C40, Text, X12 or EDIFACT values so far
};

// Writes characters `start` to `end` in the segment's mode and returns to ASCII: after C40,
// Text and X12 with the unlatch codeword, after EDIFACT with the unlatch value, after Base 256
// with nothing (its length says where it ends). An X12 segment left empty loses its latch.
void EndSegment(Encoder& e, int end) {
    switch (e.mode) {
        case kC40:
        case kText:
        case kX12:
            if (end == e.start) {
                --e.out.count;
                break;
            }
            PutTriplets(e.out, e.in, e.mode, e.start, end);
            Put(e.out, kUnlatch);
            break;
        case kEdifact:
            PutEdifact(e.out, e.in, e.start, end, true);
            break;
        case kBase256:
            PutBase256(e.out, e.in, e.start, end, false);
            break;
        case kAscii:
            break;
    }
    e.mode = kAscii;
}

// ISO/IEC 16022 Annex P, steps a to i: each character in the mode the look-ahead chooses. A
// mode other than ASCII consults it again where it could leave: after each whole C40, Text or
// X12 triplet, in EDIFACT when a group lacks one value (the unlatch completes it), after each
// Base 256 byte; and it leaves early for a character it cannot take.
void Encode(Encoder& e) {
    const Input& in = e.in;
    int pos = 0;
    int plain_until = 0;  // characters an X12 triplet gave back are written in ASCII
    while (pos < in.length && !e.out.overflow) {
        const int c = CharAt(in, pos);
        switch (e.mode) {
            case kAscii: {
                if (DigitPairAt(in, pos)) {
                    PutAscii(e.out, in, pos, pos + 2);
                    pos += 2;
                    break;
                }
                const Mode next = pos >= plain_until ? LookAhead(in, pos, kAscii) : kAscii;
                if (next != kAscii && Takes(next, c)) {
                    Put(e.out, kLatch[next]);
                    e.mode = next;
                    e.start = pos;
                    e.values = 0;
                    break;
                }
                PutAsciiChar(e.out, c);
                ++pos;
                break;
            }
            case kC40:
            case kText:
                e.values += ValueCount(e.mode, c);
                ++pos;
                if (e.values % 3 == 0 && pos < in.length && LookAhead(in, pos, e.mode) != e.mode)
                    EndSegment(e, pos);
                break;
            case kX12:
                if (!X12Native(c)) {
                    const int back = e.values % 3;
                    EndSegment(e, pos - back);
                    plain_until = pos;
                    pos -= back;
                    break;
                }
                ++e.values;
                ++pos;
                if (e.values % 3 == 0 && pos < in.length && LookAhead(in, pos, kX12) != kX12)
                    EndSegment(e, pos);
                break;
            case kEdifact:
                if (!EdifactNative(c)) {
                    EndSegment(e, pos);
                    break;
                }
                ++e.values;
                ++pos;
                if (e.values % 4 == 3 && pos < in.length &&
                    LookAhead(in, pos, kEdifact) != kEdifact)
                    EndSegment(e, pos);
                break;
            case kBase256:
                if (c == kFnc1) {
                    EndSegment(e, pos);
                    break;
                }
                ++pos;
                if (pos < in.length && LookAhead(in, pos, kBase256) != kBase256) EndSegment(e, pos);
                break;
        }
    }
}

// How the last segment ends in a symbol of `capacity` data codewords.
struct Ending {
    int need = 0;      // data codewords before the pads
    int mode_end = 0;  // the characters from here on are written in ASCII
    bool unlatch = false;
    bool to_end = false;  // Base 256: the field length 0, "to the end of the symbol"
};

// ISO/IEC 16022's end-of-data rules for each encodation. C40 and Text pad a last triplet one
// value short with Shift 1 when just its two codewords remain; otherwise the characters of a
// short last triplet (X12's always) go back to ASCII after the unlatch, which is left out when
// the triplets end the symbol or when one codeword remains and one ASCII codeword fills it.
// EDIFACT leaves its unlatch out when at most two codewords remain after its last whole group
// and ASCII fills them. Base 256 states its length, 0 when the field runs to the symbol's end.
Ending PlanEnding(const Encoder& e, int capacity) {
    const Input& in = e.in;
    const int n = in.length;
    const int used = e.out.count;
    Ending end;
    end.mode_end = n;
    switch (e.mode) {
        case kAscii:
            end.need = used;
            break;
        case kC40:
        case kText:
        case kX12: {
            int values = e.values;
            if (e.mode != kX12 && values % 3 == 2 && used + 2 * (values + 1) / 3 == capacity) {
                // Two values and two codewords left: Shift 1 pads the last triplet.
                end.need = capacity;
                break;
            }
            // Otherwise the characters of a short last triplet go back to ASCII.
            int last = n;
            while (values % 3 != 0) {
                --last;
                values -= ValueCount(e.mode, CharAt(in, last));
            }
            const int triplets = used + 2 * values / 3;
            const int rest = AsciiLength(in, last, n);
            end.mode_end = last;
            if (triplets + rest == capacity && rest <= 1) {
                end.need = capacity;
            } else {
                end.unlatch = true;
                end.need = triplets + 1 + rest;
            }
            break;
        }
        case kEdifact: {
            const int last = e.start + e.values / 4 * 4;
            const int groups = used + e.values / 4 * 3;
            const int rest = AsciiLength(in, last, n);
            if (capacity - groups <= 2 && rest <= capacity - groups) {
                end.mode_end = last;
                end.need = groups + rest;
            } else {
                end.unlatch = true;
                end.need = groups + (6 * (n - last + 1) + 7) / 8;
            }
            break;
        }
        case kBase256: {
            const int length = n - e.start;
            end.need = used + length + (length <= 249 ? 1 : 2);
            if (used + length + 1 == capacity) {
                end.to_end = true;
                end.need = capacity;
            }
            break;
        }
    }
    return end;
}

void WriteEnding(Encoder& e, const Ending& end) {
    const Input& in = e.in;
    switch (e.mode) {
        case kAscii:
            break;
        case kC40:
        case kText:
        case kX12:
            PutTriplets(e.out, in, e.mode, e.start, end.mode_end);
            if (end.unlatch) Put(e.out, kUnlatch);
            PutAscii(e.out, in, end.mode_end, in.length);
            break;
        case kEdifact:
            PutEdifact(e.out, in, e.start, end.mode_end, end.unlatch);
            PutAscii(e.out, in, end.mode_end, in.length);
            break;
        case kBase256:
            PutBase256(e.out, in, e.start, in.length, end.to_end);
            break;
    }
}

// ISO/IEC 16022 pad: the first pad is 129, those after it 253-state randomised.
void PutPads(Stream& s, int capacity) {
    if (s.count < capacity) Put(s, kPad);
    while (s.count < capacity)
        Put(s, Randomise253(kPad, s.count + 1));
}

// The text's bytes: Latin-1 when it is UTF-8 of characters up to U+00FF, else the bytes as they
// are (`utf8` when they are UTF-8, for ECI 000026). -1 when more than `capacity`.
int TextBytes(std::string_view data, std::uint8_t* out, int capacity, bool& utf8) {
    const auto* b = reinterpret_cast<const unsigned char*>(data.data());
    const std::size_t size = data.size();
    // Not even as two-byte UTF-8 of Latin-1 characters would it fit.
    if (size > 2 * static_cast<std::size_t>(capacity)) return -1;
    bool valid = true;
    bool latin1 = true;
    for (std::size_t i = 0; i < size && valid;) {
        const unsigned lead = b[i];
        int more = 0;
        unsigned low = 0x80;
        unsigned high = 0xBF;
        if (lead < 0x80) {
            more = 0;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            more = 1;
            if (lead > 0xC3) latin1 = false;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            more = 2;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            more = 3;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            valid = false;
            break;
        }
        if (more >= 2) latin1 = false;
        if (size - i <= static_cast<std::size_t>(more)) {
            valid = false;
            break;
        }
        for (int k = 1; k <= more; ++k) {
            const unsigned next = b[i + static_cast<std::size_t>(k)];
            if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF)) valid = false;
        }
        i += static_cast<std::size_t>(more) + 1;
    }
    utf8 = valid && !latin1;
    int n = 0;
    for (std::size_t i = 0; i < size; ++i) {
        if (n == capacity) return -1;
        if (valid && latin1 && b[i] >= 0x80) {
            out[n++] = static_cast<std::uint8_t>((b[i] & 0x03) << 6 | (b[i + 1] & 0x3F));
            ++i;
        } else {
            out[n++] = b[i];
        }
    }
    return n;
}

// GS1 element string to its data, of printable ASCII but for the separators; -1 if it is not one.
int Gs1Bytes(std::string_view data, std::uint8_t* out, int capacity) {
    const int n = Gs1ElementData(data, reinterpret_cast<char*>(out), capacity);
    for (int i = 0; i < n; ++i) {
        const int c = out[i];
        if (c != kGs1Separator && (c < 0x20 || c > 0x7E)) return -1;
    }
    return n;
}

// The sizes the options allow, smallest first: [first, last) in kSizes; empty when none.
void AllowedSizes(const DataMatrixOptions& o, int& first, int& last) {
    first = last = 0;
    switch (o.shape) {
        case DataMatrixOptions::Shape::square:
            last = kSquareSizes;
            break;
        case DataMatrixOptions::Shape::rectangle:
            first = kSquareSizes;
            last = static_cast<int>(kSizes.size());
            break;
        case DataMatrixOptions::Shape::fixed:
            for (int i = 0; i < static_cast<int>(kSizes.size()); ++i) {
                const Size& s = kSizes[static_cast<std::size_t>(i)];
                if (s.rows == o.rows && s.columns == o.columns) {
                    first = i;
                    last = i + 1;
                }
            }
            break;
    }
}

using Generators = std::array<std::array<std::uint8_t, kMaxBlockEcc>, kSizes.size()>;

// Each size's generator polynomial, computed once.
const Generators& SizeGenerators() {
    static const Generators generators = [] {
        Generators g{};
        for (std::size_t i = 0; i < kSizes.size(); ++i)
            BinaryGenerator(kDataMatrixField, kSizes[i].ecc / kSizes[i].blocks, 1, g[i].data());
        return g;
    }();
    return generators;
}

// ISO/IEC 16022 error correction: the symbol's codewords dealt out to its B blocks in turn,
// codeword t to block t mod B, the data first and then each block's Reed-Solomon codewords
// (generator roots 2^1 to 2^k in GF(256), polynomial 0x12D). Only in 144 x 144 does the data
// not split evenly: its first error correction codeword falls to block 1558 mod 10 = 8.
void AddErrorCorrection(const Size& s, std::uint8_t* cw) {
    const int blocks = s.blocks;
    const int k = s.ecc / blocks;
    const auto& generator = SizeGenerators()[static_cast<std::size_t>(&s - kSizes.data())];
    for (int b = 0; b < blocks; ++b) {
        std::array<std::uint8_t, kMaxBlockData> block{};
        int length = 0;
        for (int i = b; i < s.data; i += blocks)
            block[static_cast<std::size_t>(length++)] = cw[i];
        std::array<std::uint8_t, kMaxBlockEcc> ecc{};
        BinaryRemainder(kDataMatrixField, block.data(), length, generator.data(), k, ecc.data());
        const int first = s.data + (b - s.data % blocks + blocks) % blocks;
        for (int j = 0; j < k; ++j)
            cw[first + j * blocks] = ecc[static_cast<std::size_t>(j)];
    }
}

// A module known to lie in the matrix made dark.
void SetDark(ModuleMatrix& m, int x, int y) {
    const auto at = static_cast<std::size_t>(y * m.width + x);
    m.bits[at / 64] |= std::uint64_t{1} << (at % 64);
}

// ISO/IEC 16022 Annex F: the codewords' modules in the mapping matrix (the data regions side by
// side without their patterns), each codeword in its "utah" shape or one of four corner shapes.
// The placement depends on the size alone, so each size's is worked out once: for each bit of
// each codeword (8 times the codeword plus the bit, 0 the most significant), its module in the
// symbol (row times width plus column).
struct Placement {
    const Size& size;
    int rows;  // of the mapping matrix
    int columns;
    std::uint16_t* module;  // for each codeword bit
    int bits;
    std::array<std::uint64_t, (132 * 132 + 63) / 64> placed{};  // the mapping matrix's modules
};

bool IsPlaced(const Placement& p, int row, int col) {
    const int at = row * p.columns + col;
    return (p.placed[static_cast<std::size_t>(at / 64)] >> (at % 64)) & 1u;
}

// The symbol's module of the mapping matrix's (row, col): in its data region, inside the frame.
constexpr int SymbolModule(const Size& s, int row, int col) {
    return (row + 1 + 2 * (row / s.region_rows)) * s.columns + col + 1 +
           2 * (col / s.region_columns);
}

// Bit `bit` (1 the most significant) of codeword `chr` at (row, col), wrapping outside the
// matrix as the standard's placement does.
void PlaceBit(Placement& p, int row, int col, int chr, int bit) {
    if (row < 0) {
        row += p.rows;
        col += 4 - ((p.rows + 4) % 8);
    }
    if (col < 0) {
        col += p.columns;
        row += 4 - ((p.columns + 4) % 8);
    }
    if (row < 0 || col < 0 || row >= p.rows || col >= p.columns) return;
    const int at = row * p.columns + col;
    p.placed[static_cast<std::size_t>(at / 64)] |= std::uint64_t{1} << (at % 64);
    const int t = chr * 8 + bit - 1;
    if (t < p.bits)
        p.module[static_cast<std::size_t>(t)] =
            static_cast<std::uint16_t>(SymbolModule(p.size, row, col));
}

struct Offset {
    int row;
    int col;
};

// The utah shape, relative to its lower right module.
constexpr std::array<Offset, 8> kUtah = {
    {{-2, -2}, {-2, -1}, {-1, -2}, {-1, -1}, {-1, 0}, {0, -2}, {0, -1}, {0, 0}}};

void PlaceUtah(Placement& p, int row, int col, int chr) {
    for (int bit = 1; bit <= 8; ++bit) {
        const Offset& o = kUtah[static_cast<std::size_t>(bit - 1)];
        PlaceBit(p, row + o.row, col + o.col, chr, bit);
    }
}

// The four corner shapes: rows counted from the bottom and columns from the right where
// negative (-1 the last).
using Corner = std::array<Offset, 8>;
constexpr std::array<Corner, 4> kCorners = {{
    {{{-1, 0}, {-1, 1}, {-1, 2}, {0, -2}, {0, -1}, {1, -1}, {2, -1}, {3, -1}}},
    {{{-3, 0}, {-2, 0}, {-1, 0}, {0, -4}, {0, -3}, {0, -2}, {0, -1}, {1, -1}}},
    {{{-3, 0}, {-2, 0}, {-1, 0}, {0, -2}, {0, -1}, {1, -1}, {2, -1}, {3, -1}}},
    {{{-1, 0}, {-1, -1}, {0, -3}, {0, -2}, {0, -1}, {1, -3}, {1, -2}, {1, -1}}},
}};

void PlaceCorner(Placement& p, const Corner& corner, int chr) {
    for (int bit = 1; bit <= 8; ++bit) {
        const Offset& o = corner[static_cast<std::size_t>(bit - 1)];
        PlaceBit(p, o.row < 0 ? p.rows + o.row : o.row, o.col < 0 ? p.columns + o.col : o.col, chr,
                 bit);
    }
}

void PlaceCodewords(Placement& p) {
    const int nrow = p.rows;
    const int ncol = p.columns;
    int chr = 0;
    int row = 4;
    int col = 0;
    do {
        if (row == nrow && col == 0) PlaceCorner(p, kCorners[0], chr++);
        if (row == nrow - 2 && col == 0 && ncol % 4 != 0) PlaceCorner(p, kCorners[1], chr++);
        if (row == nrow - 2 && col == 0 && ncol % 8 == 4) PlaceCorner(p, kCorners[2], chr++);
        if (row == nrow + 4 && col == 2 && ncol % 8 == 0) PlaceCorner(p, kCorners[3], chr++);
        // Up and to the right, then down and to the left.
        do {
            if (row < nrow && col >= 0 && !IsPlaced(p, row, col)) PlaceUtah(p, row, col, chr++);
            row -= 2;
            col += 2;
        } while (row >= 0 && col < ncol);
        row += 1;
        col += 3;
        do {
            if (row >= 0 && col < ncol && !IsPlaced(p, row, col)) PlaceUtah(p, row, col, chr++);
            row += 2;
            col -= 2;
        } while (row < nrow && col >= 0);
        row += 3;
        col += 1;
    } while (row < nrow || col < ncol);
}

// Size I's placement, worked out on first use; `corner` when no codeword reaches the mapping
// matrix's lower right corner.
template <std::size_t I>
struct BitModules {
    std::array<std::uint16_t, static_cast<std::size_t>(8 * (kSizes[I].data + kSizes[I].ecc))>
        module;
    bool corner;
};

struct SizePlacement {
    const std::uint16_t* module;
    bool corner;
};

template <std::size_t I>
SizePlacement PlacementOf() {
    static const BitModules<I> table = [] {
        BitModules<I> t{};
        Placement p{kSizes[I], MappingRows(kSizes[I]), MappingColumns(kSizes[I]), t.module.data(),
                    static_cast<int>(t.module.size())};
        PlaceCodewords(p);
        t.corner = !IsPlaced(p, p.rows - 1, p.columns - 1);
        return t;
    }();
    return {table.module.data(), table.corner};
}

template <std::size_t... I>
constexpr std::array<SizePlacement (*)(), sizeof...(I)> Placements(std::index_sequence<I...>) {
    return {&PlacementOf<I>...};
}

constexpr auto kPlacements = Placements(std::make_index_sequence<kSizes.size()>());

// Each codeword's dark modules, and the fixed pattern of the lower right corner where no
// codeword reaches it: dark, light over dark, light.
void DrawCodewords(const Size& s, const DataMatrixCodewords& codewords, ModuleMatrix& symbol) {
    const SizePlacement p = kPlacements[static_cast<std::size_t>(&s - kSizes.data())]();
    const auto dark = [&symbol](int at) {
        symbol.bits[static_cast<std::size_t>(at / 64)] |= std::uint64_t{1} << (at % 64);
    };
    for (int chr = 0; chr < codewords.total; ++chr) {
        const unsigned value = codewords.codewords[static_cast<std::size_t>(chr)];
        const std::uint16_t* module = p.module + 8 * chr;
        for (int bit = 0; value != 0 && bit < 8; ++bit)
            if (value & (0x80u >> bit)) dark(module[bit]);
    }
    if (p.corner) {
        const int rows = MappingRows(s);
        const int columns = MappingColumns(s);
        dark(SymbolModule(s, rows - 1, columns - 1));
        dark(SymbolModule(s, rows - 2, columns - 2));
    }
}

// ISO/IEC 16022 finder and clock patterns: each data region's left and lower edges dark, its
// upper and right edges alternating, dark from the upper left and from the lower right.
void DrawPatterns(const Size& s, ModuleMatrix& symbol) {
    const int height = s.region_rows + 2;
    const int width = s.region_columns + 2;
    for (int top = 0; top < s.rows; top += height) {
        for (int left = 0; left < s.columns; left += width) {
            for (int x = 0; x < width; ++x) {
                SetDark(symbol, left + x, top + height - 1);
                if (x % 2 == 0) SetDark(symbol, left + x, top);
            }
            for (int y = 0; y < height; ++y) {
                SetDark(symbol, left, top + y);
                if (y % 2 == 1) SetDark(symbol, left + width - 1, top + y);
            }
        }
    }
}

}  // namespace

int EncodeDataMatrixCodewords(std::string_view data, const DataMatrixOptions& options,
                              DataMatrixCodewords& out) {
    out.rows = out.columns = out.data = out.total = 0;
    int first = 0;
    int last = 0;
    AllowedSizes(options, first, last);
    if (first == last || data.empty()) return kStatusRefused;

    std::array<std::uint8_t, kMaxCharacters> bytes;
    bool utf8 = false;
    const int length = options.gs1 ? Gs1Bytes(data, bytes.data(), kMaxCharacters)
                                   : TextBytes(data, bytes.data(), kMaxCharacters, utf8);
    if (length <= 0) return kStatusRefused;

    Encoder e;
    e.in = {bytes.data(), length, options.gs1};
    if (options.gs1) Put(e.out, kFnc1Codeword);
    if (utf8) {
        Put(e.out, kEciCodeword);
        Put(e.out, kUtf8EciCodeword);
    }
    Encode(e);
    if (e.out.overflow) return kStatusRefused;

    for (int i = first; i < last; ++i) {
        const Size& s = kSizes[static_cast<std::size_t>(i)];
        const Ending end = PlanEnding(e, s.data);
        if (end.need > s.data) continue;
        WriteEnding(e, end);
        PutPads(e.out, s.data);
        std::copy(e.out.cw.begin(), e.out.cw.begin() + s.data, out.codewords.begin());
        AddErrorCorrection(s, out.codewords.data());
        out.rows = s.rows;
        out.columns = s.columns;
        out.data = s.data;
        out.total = s.data + s.ecc;
        return kStatusOk;
    }
    return kStatusRefused;
}

int Orbelantrix_DataMatrix(std::string_view data, const DataMatrixOptions& options,
                           ModuleMatrix& symbol) {
    ResetMatrix(symbol, 0, 0);
    DataMatrixCodewords codewords;
    if (EncodeDataMatrixCodewords(data, options, codewords) != kStatusOk) return kStatusRefused;
    const Size* size = nullptr;
    for (const Size& s : kSizes)
        if (s.rows == codewords.rows && s.columns == codewords.columns) size = &s;
    if (size == nullptr || !ResetMatrix(symbol, size->columns, size->rows)) return kStatusRefused;
    DrawPatterns(*size, symbol);
    DrawCodewords(*size, codewords, symbol);
    return kStatusOk;
}

}  // namespace orbx
