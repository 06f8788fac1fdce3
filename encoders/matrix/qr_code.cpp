#include "encoders/matrix/qr_code.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "common/status.h"
#include "encoders/matrix/bit_buffer.h"
#include "encoders/matrix/galois.h"
#include "encoders/matrix/gs1_data.h"
#include "encoders/matrix/reed_solomon.h"

namespace orbx {

namespace {

constexpr int kMaxVersion = 40;
constexpr int kMaxSize = 17 + 4 * kMaxVersion;
// The most characters any symbol holds: version 40-L, 7089 digits.
constexpr int kMaxCharacters = 7089;

// ISO/IEC 18004 Table 1: the total codewords of each version (index 0 unused).
constexpr std::array<int, kMaxVersion + 1> kTotalCodewords{
    0,    26,   44,   70,   100,  134,  172,  196,  242,  292,  346,  404,  466,  532,
    581,  655,  733,  815,  901,  991,  1085, 1156, 1258, 1364, 1474, 1588, 1706, 1828,
    1921, 2051, 2185, 2323, 2465, 2611, 2761, 2876, 3034, 3196, 3362, 3532, 3706,
};
// ISO/IEC 18004 Table 1: the remainder bits after the last codeword.
constexpr std::array<int, kMaxVersion + 1> kRemainderBits{
    0, 0, 7, 7, 7, 7, 7, 0, 0, 0, 0, 0, 0, 0, 3, 3, 3, 3, 3, 3, 3,
    4, 4, 4, 4, 4, 4, 4, 3, 3, 3, 3, 3, 3, 3, 0, 0, 0, 0, 0, 0,
};

// The levels in the order of the tables below.
constexpr std::array<char, 4> kLevels{'L', 'M', 'Q', 'H'};
// ISO/IEC 18004 Table 12: each level's two bits in the format information.
constexpr std::array<unsigned, 4> kLevelBits{0b01, 0b00, 0b11, 0b10};

// ISO/IEC 18004 Table 7: the data codewords of each version at L, M, Q and H.
constexpr std::array<std::array<int, kMaxVersion + 1>, 4> kDataCodewords{{
    {0,    19,   34,   55,   80,   108,  136,  156,  194,  232,  274,  324,  370,  428,
     461,  523,  589,  647,  721,  795,  861,  932,  1006, 1094, 1174, 1276, 1370, 1468,
     1531, 1631, 1735, 1843, 1955, 2071, 2191, 2306, 2434, 2566, 2702, 2812, 2956},
    {0,    16,   28,   44,   64,   86,   108,  124,  154,  182,  216,  254,  290,  334,
     365,  415,  453,  507,  563,  627,  669,  714,  782,  860,  914,  1000, 1062, 1128,
     1193, 1267, 1373, 1455, 1541, 1631, 1725, 1812, 1914, 1992, 2102, 2216, 2334},
    {0,   13,  22,  34,   48,   62,   76,   88,   110,  132,  154,  180,  206, 244,
     261, 295, 325, 367,  397,  445,  485,  512,  568,  614,  664,  718,  754, 808,
     871, 911, 985, 1033, 1115, 1171, 1231, 1286, 1354, 1426, 1502, 1582, 1666},
    {0,   9,   16,  26,  36,  46,  60,  66,  86,   100,  122,  140,  158, 180,
     197, 223, 253, 283, 313, 341, 385, 406, 442,  464,  514,  538,  596, 628,
     661, 701, 745, 793, 845, 901, 961, 986, 1054, 1096, 1142, 1222, 1276},
}};

// ISO/IEC 18004 Table 9: the error correction codewords of each block, by level and version.
constexpr std::array<std::array<int, kMaxVersion + 1>, 4> kEccPerBlock{{
    {0,  7,  10, 15, 20, 26, 18, 20, 24, 30, 18, 20, 24, 26, 30, 22, 24, 28, 30, 28, 28,
     28, 28, 30, 30, 26, 28, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30},
    {0,  10, 16, 26, 18, 24, 16, 18, 22, 22, 26, 30, 22, 22, 24, 24, 28, 28, 26, 26, 26,
     26, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28},
    {0,  13, 22, 18, 26, 18, 24, 18, 22, 20, 24, 28, 26, 24, 20, 30, 24, 28, 28, 26, 30,
     28, 30, 30, 30, 30, 28, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30},
    {0,  17, 28, 22, 16, 22, 28, 26, 26, 24, 28, 24, 28, 22, 24, 24, 30, 28, 28, 26, 28,
     30, 24, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30},
}};

// ISO/IEC 18004 Table 9: the number of error correction blocks, by level and version.
constexpr std::array<std::array<int, kMaxVersion + 1>, 4> kBlocks{{
    {0, 1, 1, 1,  1,  1,  2,  2,  2,  2,  4,  4,  4,  4,  4,  6,  6,  6,  6,  7, 8,
     8, 9, 9, 10, 12, 12, 12, 13, 14, 15, 16, 17, 18, 19, 19, 20, 21, 22, 24, 25},
    {0,  1,  1,  1,  2,  2,  4,  4,  4,  5,  5,  5,  8,  9,  9,  10, 10, 11, 13, 14, 16,
     17, 17, 18, 20, 21, 23, 25, 26, 28, 29, 31, 33, 35, 37, 38, 40, 43, 45, 47, 49},
    {0,  1,  1,  2,  2,  4,  4,  6,  6,  8,  8,  8,  10, 12, 16, 12, 17, 16, 18, 21, 20,
     23, 23, 25, 27, 29, 34, 34, 35, 38, 40, 43, 45, 48, 51, 53, 56, 59, 62, 65, 68},
    {0,  1,  1,  2,  4,  4,  4,  5,  6,  8,  8,  11, 11, 16, 16, 18, 16, 19, 21, 25, 25,
     25, 34, 30, 32, 35, 37, 40, 42, 45, 48, 51, 54, 57, 60, 63, 66, 70, 74, 77, 81},
}};

// ISO/IEC 18004 Annex E, Table E.1: the row and column coordinates of the alignment patterns'
// centres, 0 after the last.
constexpr std::array<std::array<std::uint8_t, 7>, kMaxVersion + 1> kAlignment{{
    {},
    {},
    {6, 18},
    {6, 22},
    {6, 26},
    {6, 30},
    {6, 34},
    {6, 22, 38},
    {6, 24, 42},
    {6, 26, 46},
    {6, 28, 50},
    {6, 30, 54},
    {6, 32, 58},
    {6, 34, 62},
    {6, 26, 46, 66},
    {6, 26, 48, 70},
    {6, 26, 50, 74},
    {6, 30, 54, 78},
    {6, 30, 56, 82},
    {6, 30, 58, 86},
    {6, 34, 62, 90},
    {6, 28, 50, 72, 94},
    {6, 26, 50, 74, 98},
    {6, 30, 54, 78, 102},
    {6, 28, 54, 80, 106},
    {6, 32, 58, 84, 110},
    {6, 30, 58, 86, 114},
    {6, 34, 62, 90, 118},
    {6, 26, 50, 74, 98, 122},
    {6, 30, 54, 78, 102, 126},
    {6, 26, 52, 78, 104, 130},
    {6, 30, 56, 82, 108, 134},
    {6, 34, 60, 86, 112, 138},
    {6, 30, 58, 86, 114, 142},
    {6, 34, 62, 90, 118, 146},
    {6, 30, 54, 78, 102, 126, 150},
    {6, 24, 50, 76, 102, 128, 154},
    {6, 28, 54, 80, 106, 132, 158},
    {6, 32, 58, 84, 110, 136, 162},
    {6, 26, 54, 82, 110, 138, 166},
    {6, 30, 58, 86, 114, 142, 170},
}};

constexpr int SizeOf(int version) {
    return 17 + 4 * version;
}

constexpr int AlignmentCount(int version) {
    int n = 0;
    while (n < 7 && kAlignment[static_cast<std::size_t>(version)][static_cast<std::size_t>(n)])
        ++n;
    return n;
}

// The modules left for codewords once the function patterns are drawn: finders with their
// separators (3 x 64), the two timing patterns, the alignment patterns (less what they share
// with the timing patterns), the format information with the dark module (31) and, from
// version 7, the version information (2 x 18).
constexpr int DataModules(int version) {
    const int size = SizeOf(version);
    const int n = AlignmentCount(version);
    int modules = size * size - 3 * 64 - 2 * (size - 16) - 31;
    if (n > 0) modules -= 25 * (n * n - 3) - 10 * (n - 2);
    if (version >= 7) modules -= 36;
    return modules;
}

// Each table agrees with the others and with the symbol's geometry: the alignment patterns are
// version / 7 + 2 with the last 7 modules from the edge, the codewords and remainder bits fill
// the modules the function patterns leave, and every version's codewords are its data
// codewords plus its blocks' error correction codewords at each level.
constexpr bool TablesAgree() {
    for (int v = 1; v <= kMaxVersion; ++v) {
        const auto vi = static_cast<std::size_t>(v);
        const int n = AlignmentCount(v);
        if (v >= 2 &&
            (n != v / 7 + 2 || kAlignment[vi][static_cast<std::size_t>(n - 1)] != SizeOf(v) - 7))
            return false;
        if (v == 1 && n != 0) return false;
        if (DataModules(v) != 8 * kTotalCodewords[vi] + kRemainderBits[vi]) return false;
        for (std::size_t l = 0; l < 4; ++l) {
            if (kDataCodewords[l][vi] + kBlocks[l][vi] * kEccPerBlock[l][vi] != kTotalCodewords[vi])
                return false;
        }
    }
    return true;
}
static_assert(TablesAgree());

// No block has more error correction codewords than 30.
constexpr int kMostEccPerBlock = 30;
constexpr bool EccBlocksFit() {
    for (const auto& level : kEccPerBlock)
        for (int k : level)
            if (k > kMostEccPerBlock) return false;
    return true;
}
static_assert(EccBlocksFit());
static_assert(kTotalCodewords[kMaxVersion] == kQrMaxCodewords);
static_assert(kDataCodewords[0][kMaxVersion] <= kBitBufferBytes);

// ISO/IEC 18004 7.9: the format information, 5 data bits and their BCH (15, 5) code with the
// generator x^10 + x^8 + x^5 + x^4 + x^2 + x + 1, masked with 101010000010010.
constexpr unsigned FormatBits(int level, int mask) {
    const unsigned data =
        kLevelBits[static_cast<std::size_t>(level)] << 3 | static_cast<unsigned>(mask);
    unsigned r = data << 10;
    for (int bit = 14; bit >= 10; --bit)
        if (r >> bit & 1u) r ^= 0x537u << (bit - 10);
    return (data << 10 | r) ^ 0x5412u;
}
// ISO/IEC 18004 Table C.1.
static_assert(FormatBits(1, 0) == 0b101010000010010);
static_assert(FormatBits(0, 0) == 0b111011111000100);
static_assert(FormatBits(3, 7) == 0b000100000111011);

// ISO/IEC 18004 7.10: the version information, 6 data bits and their BCH (18, 6) code with the
// generator x^12 + x^11 + x^10 + x^9 + x^8 + x^5 + x^2 + 1.
constexpr unsigned VersionBits(int version) {
    const auto data = static_cast<unsigned>(version);
    unsigned r = data << 12;
    for (int bit = 17; bit >= 12; --bit)
        if (r >> bit & 1u) r ^= 0x1F25u << (bit - 12);
    return data << 12 | r;
}
// ISO/IEC 18004 Table D.1.
static_assert(VersionBits(7) == 0b000111110010010100);
static_assert(VersionBits(40) == 0b101000110001101001);

// --- Segmentation ---------------------------------------------------------------------------

enum Mode : std::uint8_t { kNumeric, kAlphanumeric, kByte };

// ISO/IEC 18004 Table 2: the mode indicators; ECI 0111 and FNC1 in first position 0101.
constexpr std::array<unsigned, 3> kModeIndicator{0b0001, 0b0010, 0b0100};
constexpr unsigned kEciIndicator = 0b0111;
constexpr unsigned kFnc1FirstIndicator = 0b0101;
// ECI 000026, UTF-8, in its one-byte form (ISO/IEC 18004 7.4.2).
constexpr unsigned kUtf8Eci = 26;

// ISO/IEC 18004 Table 3: the character count indicator's bits, by version range 1-9, 10-26 and
// 27-40 and by mode.
constexpr std::array<std::array<int, 3>, 3> kCountBits{{{10, 9, 8}, {12, 11, 16}, {14, 13, 16}}};

constexpr int RangeOf(int version) {
    return version <= 9 ? 0 : version <= 26 ? 1 : 2;
}
constexpr std::array<int, 3> kRangeFirst{1, 10, 27};
constexpr std::array<int, 3> kRangeLast{9, 26, 40};

// A segment as long as its count indicator allows holds more bits than any version of its
// range, so a count never overflows in data that fits.
constexpr bool CountsNeverOverflow() {
    for (std::size_t r = 0; r < 3; ++r) {
        const int bits = 8 * kDataCodewords[0][static_cast<std::size_t>(kRangeLast[r])];
        if ((1 << kCountBits[r][0]) * 10 / 3 <= bits || (1 << kCountBits[r][1]) * 11 / 2 <= bits ||
            (1 << kCountBits[r][2]) * 8 <= bits)
            return false;
    }
    return true;
}
static_assert(CountsNeverOverflow());

// ISO/IEC 18004 Table 5: the alphanumeric mode's 45 characters, by value.
constexpr std::string_view kAlphanumerics = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:";
static_assert(kAlphanumerics.size() == 45);

constexpr std::array<std::int8_t, 256> MakeAlphanumericValues() {
    std::array<std::int8_t, 256> v{};
    for (auto& x : v)
        x = -1;
    for (std::size_t i = 0; i < kAlphanumerics.size(); ++i)
        v[static_cast<unsigned char>(kAlphanumerics[i])] = static_cast<std::int8_t>(i);
    return v;
}
constexpr std::array<std::int8_t, 256> kAlphanumericValue = MakeAlphanumericValues();
constexpr int kPercentValue = 38;
static_assert(kAlphanumerics[kPercentValue] == '%');

// The states of the segmentation: the mode of the segment that a character ends and, in
// numeric and alphanumeric mode, how many characters of its last group (3 digits, 2
// alphanumerics) are written so far. The bits of a group are counted as its characters come:
// a digit 4, 3, 3 bits (1, 2, 3 digits take 4, 7, 10), an alphanumeric 6, 5 bits (6, 11).
enum State : std::uint8_t { kN0, kN1, kN2, kA0, kA1, kB, kStates, kStart = kStates };
constexpr std::array<Mode, kStates> kStateMode{kNumeric,      kNumeric,      kNumeric,
                                               kAlphanumeric, kAlphanumeric, kByte};
constexpr int kNever = 1 << 28;

// The data as the segmentation sees it: its bytes, and in GS1 mode what each stands for.
struct Input {
    const std::uint8_t* bytes = nullptr;
    int length = 0;
    bool gs1 = false;
    bool utf8 = false;  // not all ASCII, and valid UTF-8: behind ECI 000026
};

// How many alphanumeric characters byte `c` takes: 0 when it has none. In GS1 mode the
// separator is "%" (FNC1) and a literal "%" is "%%" (ISO/IEC 18004 7.4.8).
inline int AlphanumericWidth(const Input& in, std::uint8_t c) {
    if (in.gs1) {
        if (c == static_cast<std::uint8_t>(kGs1Separator)) return 1;
        if (c == '%') return 2;
    }
    return kAlphanumericValue[c] >= 0 ? 1 : 0;
}

// ISO/IEC 18004 7.4 (and Annex J's aim, the shortest bit stream): the fewest bits of numeric,
// alphanumeric and byte segments for the version range, by dynamic programming over the
// states above; each character's mode into `modes`. Returns the bits of the segments.
int Segment(const Input& in, int range, std::uint8_t* back, std::uint8_t* modes) {
    const auto& count = kCountBits[static_cast<std::size_t>(range)];
    std::array<int, kStates> cost;
    cost.fill(kNever);
    for (int i = 0; i < in.length; ++i) {
        const std::uint8_t c = in.bytes[i];
        // The cheapest way to end the previous character in each mode, and in any other mode.
        std::array<int, 3> in_mode{kNever, kNever, kNever};
        std::array<std::uint8_t, 3> from{kStart, kStart, kStart};
        for (int s = 0; s < kStates; ++s) {
            const Mode m = kStateMode[static_cast<std::size_t>(s)];
            if (cost[static_cast<std::size_t>(s)] < in_mode[m]) {
                in_mode[m] = cost[static_cast<std::size_t>(s)];
                from[m] = static_cast<std::uint8_t>(s);
            }
        }
        // Starting a segment of mode m: after the cheapest character of another mode.
        auto start = [&](Mode m, int& base, std::uint8_t& source) {
            base = i == 0 ? 0 : kNever;
            source = kStart;
            for (int o = 0; o < 3; ++o) {
                if (o == m || in_mode[static_cast<std::size_t>(o)] >= base) continue;
                base = in_mode[static_cast<std::size_t>(o)];
                source = from[static_cast<std::size_t>(o)];
            }
            base += 4 + count[m];
        };
        std::array<int, kStates> next;
        next.fill(kNever);
        std::uint8_t* b = back + static_cast<std::ptrdiff_t>(i) * kStates;
        auto offer = [&](State to, int value, std::uint8_t source) {
            if (value < next[to]) {
                next[to] = value;
                b[to] = source;
            }
        };
        if (c >= '0' && c <= '9') {
            offer(kN1, cost[kN0] + 4, kN0);
            offer(kN2, cost[kN1] + 3, kN1);
            offer(kN0, cost[kN2] + 3, kN2);
            int base;
            std::uint8_t source;
            start(kNumeric, base, source);
            offer(kN1, base + 4, source);
        }
        if (const int w = AlphanumericWidth(in, c); w > 0) {
            if (w == 1) {
                offer(kA1, cost[kA0] + 6, kA0);
                offer(kA0, cost[kA1] + 5, kA1);
            } else {
                offer(kA0, cost[kA0] + 11, kA0);
                offer(kA1, cost[kA1] + 11, kA1);
            }
            int base;
            std::uint8_t source;
            start(kAlphanumeric, base, source);
            offer(w == 1 ? kA1 : kA0, base + (w == 1 ? 6 : 11), source);
        }
        offer(kB, cost[kB] + 8, kB);
        int base;
        std::uint8_t source;
        start(kByte, base, source);
        offer(kB, base + 8, source);
        cost = next;
    }
    int best = kStart;
    for (int s = 0; s < kStates; ++s)
        if (best == kStart ||
            cost[static_cast<std::size_t>(s)] < cost[static_cast<std::size_t>(best)])
            best = s;
    const int bits = cost[static_cast<std::size_t>(best)];
    for (int i = in.length - 1; i >= 0; --i) {
        modes[i] = kStateMode[static_cast<std::size_t>(best)];
        best = back[static_cast<std::ptrdiff_t>(i) * kStates + best];
    }
    return bits;
}

// ISO/IEC 18004 7.4.3 to 7.4.5: the segments of the data, each its mode indicator, character
// count and characters. False when a count does not fit its indicator.
bool EncodeSegments(const Input& in, const std::uint8_t* modes, int range, BitBuffer& out) {
    const auto& count_bits = kCountBits[static_cast<std::size_t>(range)];
    int i = 0;
    while (i < in.length) {
        const Mode m = static_cast<Mode>(modes[i]);
        int end = i;
        int characters = 0;
        while (end < in.length && modes[end] == m) {
            characters += m == kAlphanumeric ? AlphanumericWidth(in, in.bytes[end]) : 1;
            ++end;
        }
        if (characters >= 1 << count_bits[m]) return false;
        AppendBits(out, kModeIndicator[m], 4);
        AppendBits(out, static_cast<std::uint32_t>(characters), count_bits[m]);
        if (m == kNumeric) {
            for (int k = i; k < end; k += 3) {
                const int n = end - k < 3 ? end - k : 3;
                unsigned v = 0;
                for (int j = 0; j < n; ++j)
                    v = v * 10 + (in.bytes[k + j] - '0');
                AppendBits(out, v, n * 3 + 1);
            }
        } else if (m == kAlphanumeric) {
            // The values, "%%" for a GS1 literal "%", in pairs of 11 bits and a last one of 6.
            int pending = -1;
            for (int k = i; k < end; ++k) {
                const std::uint8_t c = in.bytes[k];
                const int w = AlphanumericWidth(in, c);
                const int value =
                    in.gs1 && (c == '%' || c == static_cast<std::uint8_t>(kGs1Separator))
                        ? kPercentValue
                        : kAlphanumericValue[c];
                for (int j = 0; j < w; ++j) {
                    if (pending < 0) {
                        pending = value;
                    } else {
                        AppendBits(out, static_cast<std::uint32_t>(pending * 45 + value), 11);
                        pending = -1;
                    }
                }
            }
            if (pending >= 0) AppendBits(out, static_cast<std::uint32_t>(pending), 6);
        } else {
            for (int k = i; k < end; ++k)
                AppendBits(out, in.bytes[k], 8);
        }
        i = end;
    }
    return !out.overflow;
}

// ISO/IEC 18004 7.4.9 and 7.4.10: the terminator (up to 4 zero bits), zero bits to the codeword
// boundary, then the pad codewords 11101100 and 00010001 in turn to the data capacity.
void Pad(BitBuffer& b, int data_codewords) {
    const int capacity = data_codewords * 8;
    const int terminator = capacity - b.bits < 4 ? capacity - b.bits : 4;
    AppendBits(b, 0, terminator);
    AppendBits(b, 0, (8 - b.bits % 8) % 8);
    for (bool first = true; b.bits < capacity; first = !first)
        AppendBits(b, first ? 0xEC : 0x11, 8);
}

// ISO/IEC 18004 7.5.2 and 7.6: each block's error correction codewords, and the final sequence:
// the blocks' data codewords interleaved, then their error correction codewords. The shorter
// blocks come first; the longer ones have one data codeword more.
void ErrorCorrectAndInterleave(const std::uint8_t* data, int level, int version,
                               std::uint8_t* final) {
    const auto l = static_cast<std::size_t>(level);
    const auto v = static_cast<std::size_t>(version);
    const int blocks = kBlocks[l][v];
    const int k = kEccPerBlock[l][v];
    const int data_count = kDataCodewords[l][v];
    const int short_length = data_count / blocks;
    const int long_blocks = data_count % blocks;
    const int short_blocks = blocks - long_blocks;
    std::uint8_t generator[kMostEccPerBlock];
    BinaryGenerator(kQrField, k, 0, generator);
    std::uint8_t ecc[kMostEccPerBlock];
    int start = 0;
    for (int block = 0; block < blocks; ++block) {
        const int length = short_length + (block < short_blocks ? 0 : 1);
        // Data codeword j of this block goes after j codewords of every block, and the last
        // codeword of a long block after all the short blocks' data.
        for (int j = 0; j < length; ++j) {
            const int at = j < short_length ? j * blocks + block
                                            : short_length * blocks + (block - short_blocks);
            final[at] = data[start + j];
        }
        BinaryRemainder(kQrField, data + start, length, generator, k, ecc);
        for (int j = 0; j < k; ++j)
            final[data_count + j * blocks + block] = ecc[j];
        start += length;
    }
}

// --- The matrix -----------------------------------------------------------------------------

constexpr std::uint8_t kDark = 1;
constexpr std::uint8_t kFunction = 2;

struct Grid {
    std::uint8_t* at;
    int size;
    std::uint8_t& operator()(int x, int y) const { return at[y * size + x]; }
};

void SetFunction(const Grid& g, int x, int y, bool dark) {
    if (x < 0 || y < 0 || x >= g.size || y >= g.size) return;
    g(x, y) = static_cast<std::uint8_t>(kFunction | (dark ? kDark : 0));
}

// ISO/IEC 18004 6.3: a finder pattern (7 x 7 dark ring, light ring, 3 x 3 dark
// centre) with its light separator around it, centred at (cx, cy).
void DrawFinder(const Grid& g, int cx, int cy) {
    for (int dy = -4; dy <= 4; ++dy) {
        for (int dx = -4; dx <= 4; ++dx) {
            const int d = std::abs(dx) > std::abs(dy) ? std::abs(dx) : std::abs(dy);
            SetFunction(g, cx + dx, cy + dy, d != 2 && d != 4);
        }
    }
}

// ISO/IEC 18004 6.3: an alignment pattern, a 5 x 5 dark ring round a light ring and a dark
// centre module.
void DrawAlignment(const Grid& g, int cx, int cy) {
    for (int dy = -2; dy <= 2; ++dy) {
        for (int dx = -2; dx <= 2; ++dx) {
            const int d = std::abs(dx) > std::abs(dy) ? std::abs(dx) : std::abs(dy);
            SetFunction(g, cx + dx, cy + dy, d != 1);
        }
    }
}

struct Position {
    int x;
    int y;
};

// ISO/IEC 18004 7.9: where bit i (0 the least significant) of the format information's first
// (copy 0) and second copy stand: the first round the top left finder (bits 0-7 down column 8,
// skipping the timing row; bits 8-14 leftwards along row 8, skipping the timing column), the
// second leftwards along row 8 from the right edge (bits 0-7) and down column 8 to the bottom
// edge (bits 8-14).
constexpr Position FormatModule(int i, int copy, int size) {
    if (copy == 0) {
        if (i < 6) return {8, i};
        if (i < 8) return {8, i + 1};
        if (i == 8) return {7, 8};
        return {14 - i, 8};
    }
    if (i < 8) return {size - 1 - i, 8};
    return {8, size - 15 + i};
}

// The format information's 30 modules, and the dark module above its second copy's bits 8-14.
void DrawFormat(const Grid& g, unsigned bits) {
    for (int copy = 0; copy < 2; ++copy) {
        for (int i = 0; i < 15; ++i) {
            const Position p = FormatModule(i, copy, g.size);
            SetFunction(g, p.x, p.y, (bits >> i) & 1u);
        }
    }
    SetFunction(g, 8, g.size - 8, true);
}

// ISO/IEC 18004 7.10: the version information's 18 bits in the 6 x 3 block above the bottom
// left finder (bit i in column i / 3, row size - 11 + i % 3) and its transpose left of the top
// right finder.
void DrawVersion(const Grid& g, int version) {
    const unsigned bits = VersionBits(version);
    for (int i = 0; i < 18; ++i) {
        const bool dark = (bits >> i) & 1u;
        const int a = i / 3;
        const int b = g.size - 11 + i % 3;
        SetFunction(g, a, b, dark);
        SetFunction(g, b, a, dark);
    }
}

// ISO/IEC 18004 6.3: every function pattern, the format information's modules reserved light
// (each mask draws its own) but for the dark module.
void DrawFunctionPatterns(const Grid& g, int version) {
    const int n = g.size;
    for (int i = 0; i < n * n; ++i)
        g.at[i] = 0;
    // The timing patterns, dark at even coordinates.
    for (int i = 0; i < n; ++i) {
        SetFunction(g, 6, i, i % 2 == 0);
        SetFunction(g, i, 6, i % 2 == 0);
    }
    DrawFinder(g, 3, 3);
    DrawFinder(g, n - 4, 3);
    DrawFinder(g, 3, n - 4);
    const auto& centres = kAlignment[static_cast<std::size_t>(version)];
    const int count = AlignmentCount(version);
    for (int i = 0; i < count; ++i) {
        for (int j = 0; j < count; ++j) {
            // Not where a finder pattern is.
            if ((i == 0 && j == 0) || (i == 0 && j == count - 1) || (i == count - 1 && j == 0))
                continue;
            DrawAlignment(g, centres[static_cast<std::size_t>(i)],
                          centres[static_cast<std::size_t>(j)]);
        }
    }
    DrawFormat(g, 0);
    if (version >= 7) DrawVersion(g, version);
}

// ISO/IEC 18004 7.7.3: the codeword bits, most significant first, in two-module columns from
// the bottom right corner, up and down in turn, the right module before the left, skipping the
// vertical timing pattern and every function module; the remainder bits are light.
void PlaceCodewords(const Grid& g, const std::uint8_t* codewords, int count) {
    const int n = g.size;
    const int total_bits = count * 8;
    int bit = 0;
    int pair = 0;
    for (int right = n - 1; right >= 1; right -= 2, ++pair) {
        if (right == 6) right = 5;
        const bool upward = pair % 2 == 0;
        for (int step = 0; step < n; ++step) {
            const int y = upward ? n - 1 - step : step;
            for (int x = right; x >= right - 1; --x) {
                std::uint8_t& m = g(x, y);
                if (m & kFunction) continue;
                if (bit < total_bits && (codewords[bit / 8] >> (7 - bit % 8)) & 1u) m = kDark;
                ++bit;
            }
        }
    }
}

// ISO/IEC 18004 Table 10: whether mask `mask` inverts the module in row i, column j.
constexpr bool MaskInverts(int mask, int i, int j) {
    switch (mask) {
        case 0:
            return (i + j) % 2 == 0;
        case 1:
            return i % 2 == 0;
        case 2:
            return j % 3 == 0;
        case 3:
            return (i + j) % 3 == 0;
        case 4:
            return (i / 2 + j / 3) % 2 == 0;
        case 5:
            return (i * j) % 2 + (i * j) % 3 == 0;
        case 6:
            return ((i * j) % 2 + (i * j) % 3) % 2 == 0;
        default:
            return ((i + j) % 2 + (i * j) % 3) % 2 == 0;
    }
}

// A row or a column of modules as bits, module k in bit k % 64 of word k / 64, 1 for dark: the
// penalty rules are counted on whole words at a time, on as few words as the symbol needs.
template <int W>
struct Bits {
    std::array<std::uint64_t, W> w{};
};
constexpr int kLineWords = 3;
using Line = Bits<kLineWords>;
// Room for the longest line and 4 light modules at each end.
static_assert(kLineWords * 64 >= kMaxSize + 8);

template <int W>
constexpr Bits<W> operator&(Bits<W> a, const Bits<W>& b) {
    for (std::size_t i = 0; i < W; ++i)
        a.w[i] &= b.w[i];
    return a;
}
template <int W>
constexpr Bits<W> operator|(Bits<W> a, const Bits<W>& b) {
    for (std::size_t i = 0; i < W; ++i)
        a.w[i] |= b.w[i];
    return a;
}
template <int W>
constexpr Bits<W> operator^(Bits<W> a, const Bits<W>& b) {
    for (std::size_t i = 0; i < W; ++i)
        a.w[i] ^= b.w[i];
    return a;
}
template <int W>
constexpr Bits<W> operator~(Bits<W> a) {
    for (auto& word : a.w)
        word = ~word;
    return a;
}
// Module k + s at k (0 < s < 64), light from beyond the end.
template <int W>
constexpr Bits<W> Down(const Bits<W>& a, int s) {
    Bits<W> r;
    for (std::size_t i = 0; i < W; ++i)
        r.w[i] = a.w[i] >> s | (i + 1 < W ? a.w[i + 1] << (64 - s) : 0);
    return r;
}
// Module k - s at k (0 < s < 64), light before the start.
template <int W>
constexpr Bits<W> Up(const Bits<W>& a, int s) {
    Bits<W> r;
    for (std::size_t i = 0; i < W; ++i)
        r.w[i] = a.w[i] << s | (i > 0 ? a.w[i - 1] >> (64 - s) : 0);
    return r;
}
// The dark modules, counted in the word (no population-count instruction is assumed).
inline int CountWord(std::uint64_t x) {
    x -= (x >> 1) & 0x5555555555555555u;
    x = (x & 0x3333333333333333u) + ((x >> 2) & 0x3333333333333333u);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Fu;
    return static_cast<int>((x * 0x0101010101010101u) >> 56);
}
template <int W>
int Count(const Bits<W>& a) {
    int n = 0;
    for (std::uint64_t word : a.w)
        n += CountWord(word);
    return n;
}
template <int W>
bool Any(const Bits<W>& a) {
    std::uint64_t any = 0;
    for (std::uint64_t word : a.w)
        any |= word;
    return any != 0;
}
template <int W>
constexpr Bits<W> FirstModules(int n) {
    Bits<W> r;
    for (int k = 0; k < n; ++k)
        r.w[static_cast<std::size_t>(k / 64)] |= std::uint64_t{1} << (k % 64);
    return r;
}
template <int W>
Bits<W> Narrow(const Line& a) {
    Bits<W> r;
    for (std::size_t i = 0; i < W; ++i)
        r.w[i] = a.w[i];
    return r;
}
inline void SetBit(Line& a, int k, bool dark) {
    const std::uint64_t bit = std::uint64_t{1} << (k % 64);
    auto& word = a.w[static_cast<std::size_t>(k / 64)];
    word = dark ? word | bit : word & ~bit;
}
inline bool BitOf(const Line& a, int k) {
    return (a.w[static_cast<std::size_t>(k / 64)] >> (k % 64)) & 1u;
}

// Every mask repeats every 12 rows and every 12 columns (each depends on the row modulo 2, 3 or
// 4 and the column modulo 2, 3 or 6): checked over three periods, within every compiler's
// limit on constant evaluation.
constexpr int kMaskPeriod = 12;
constexpr bool MasksRepeat() {
    for (int m = 0; m < 8; ++m)
        for (int i = 0; i < 3 * kMaskPeriod; ++i)
            for (int j = 0; j < 3 * kMaskPeriod; ++j)
                if (MaskInverts(m, i, j) != MaskInverts(m, i % kMaskPeriod, j % kMaskPeriod))
                    return false;
    return true;
}
static_assert(MasksRepeat());

// Each mask's rows (bit j of row i % 12 set where it inverts column j) or, transposed, columns.
using MaskLines = std::array<std::array<Line, kMaskPeriod>, 8>;
constexpr MaskLines MakeMaskLines(bool columns) {
    MaskLines lines{};
    for (int m = 0; m < 8; ++m) {
        for (int a = 0; a < kMaskPeriod; ++a) {
            Line& l = lines[static_cast<std::size_t>(m)][static_cast<std::size_t>(a)];
            for (int k = 0; k < kLineWords * 64; ++k) {
                if (columns ? MaskInverts(m, k, a) : MaskInverts(m, a, k))
                    l.w[static_cast<std::size_t>(k / 64)] |= std::uint64_t{1} << (k % 64);
            }
        }
    }
    return lines;
}
constexpr MaskLines kMaskRows = MakeMaskLines(false);
constexpr MaskLines kMaskColumns = MakeMaskLines(true);

// The unmasked symbol and a masked one, as rows and as columns.
struct Lines {
    std::array<Line, kMaxSize> rows;
    std::array<Line, kMaxSize> columns;
};

// The grid as lines: its dark modules into `dark`, its function modules into `function`.
void ToLines(const Grid& g, Lines& dark, Lines& function) {
    const int n = g.size;
    for (int k = 0; k < n; ++k) {
        dark.rows[static_cast<std::size_t>(k)] = Line{};
        dark.columns[static_cast<std::size_t>(k)] = Line{};
        function.rows[static_cast<std::size_t>(k)] = Line{};
        function.columns[static_cast<std::size_t>(k)] = Line{};
    }
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            const std::uint8_t m = g(x, y);
            if (m & kDark) {
                SetBit(dark.rows[static_cast<std::size_t>(y)], x, true);
                SetBit(dark.columns[static_cast<std::size_t>(x)], y, true);
            }
            if (m & kFunction) {
                SetBit(function.rows[static_cast<std::size_t>(y)], x, true);
                SetBit(function.columns[static_cast<std::size_t>(x)], y, true);
            }
        }
    }
}

// ISO/IEC 18004 7.8.2: the symbol with `mask` applied to its encoding region, and the format
// information of `level` and `mask` drawn, into `out`.
void ApplyMask(const Lines& dark, const Lines& function, int n, int level, int mask, Lines& out) {
    const Line inside = FirstModules<kLineWords>(n);
    const auto& mask_rows = kMaskRows[static_cast<std::size_t>(mask)];
    const auto& mask_columns = kMaskColumns[static_cast<std::size_t>(mask)];
    for (int k = 0; k < n; ++k) {
        const auto i = static_cast<std::size_t>(k);
        const auto period = static_cast<std::size_t>(k % kMaskPeriod);
        out.rows[i] = dark.rows[i] ^ (mask_rows[period] & ~function.rows[i] & inside);
        out.columns[i] = dark.columns[i] ^ (mask_columns[period] & ~function.columns[i] & inside);
    }
    const unsigned bits = FormatBits(level, mask);
    for (int copy = 0; copy < 2; ++copy) {
        for (int i = 0; i < 15; ++i) {
            const Position p = FormatModule(i, copy, n);
            const bool on = (bits >> i) & 1u;
            SetBit(out.rows[static_cast<std::size_t>(p.y)], p.x, on);
            SetBit(out.columns[static_cast<std::size_t>(p.x)], p.y, on);
        }
    }
}

// ISO/IEC 18004 7.8.3.1, Table 11, along one line of n modules: rule 1, N1 = 3 for 5 modules of
// one colour in a row and 1 more for each further module (a run of L >= 5 holds L - 4 windows
// of 5 and scores L - 2); rule 3, N3 = 40 for each 1:1:3:1:1 pattern (dark, light, 3 dark,
// light, dark) with 4 light modules before or after it, the area beyond the symbol counting as
// light (its quiet zone).
template <int W>
int LinePenalty(const Bits<W>& a, const Bits<W>& inner) {
    const Bits<W> equal_next = ~(a ^ Down(a, 1)) & inner;
    const Bits<W> five =
        equal_next & Down(equal_next, 1) & Down(equal_next, 2) & Down(equal_next, 3);
    int score = 0;
    if (Any(five)) score = Count(five) + 2 * Count(five & ~Up(five, 1));

    const Bits<W> p = Up(a, 4);
    const Bits<W> pattern =
        p & ~Down(p, 1) & Down(p, 2) & Down(p, 3) & Down(p, 4) & ~Down(p, 5) & Down(p, 6);
    if (!Any(pattern)) return score;
    const Bits<W> light4 = ~(p | Down(p, 1) | Down(p, 2) | Down(p, 3));
    return score + 40 * Count(pattern & (Up(light4, 4) | Down(light4, 7)));
}

// ISO/IEC 18004 7.8.3.1, Table 11: the penalty score of a masked symbol: rules 1 and 3 along
// every row and column, rule 2 N2 = 3 for each 2 x 2 block of one colour (an m x n block
// scores 3 (m - 1)(n - 1)), and rule 4 N4 = 10 for each full 5 % by which the share of dark
// modules departs from half. On W words a line, enough for n + 8 modules.
template <int W>
int Penalty(const Lines& s, int n) {
    int score = 0;
    int dark = 0;
    const Bits<W> inner = FirstModules<W>(n - 1);
    Bits<W> row = Narrow<W>(s.rows[0]);
    for (int k = 0; k < n; ++k) {
        score += LinePenalty(row, inner) +
                 LinePenalty(Narrow<W>(s.columns[static_cast<std::size_t>(k)]), inner);
        dark += Count(row);
        if (k + 1 == n) break;
        const Bits<W> below = Narrow<W>(s.rows[static_cast<std::size_t>(k + 1)]);
        const Bits<W> same_below = ~(row ^ below);
        const Bits<W> same_right = ~(row ^ Down(row, 1));
        score += 3 * Count(same_below & Down(same_below, 1) & same_right & inner);
        row = below;
    }
    const int total = n * n;
    // 20 |dark / total - 1/2| in whole steps: the number of full 5 % steps.
    score += 10 * (std::abs(dark * 20 - total * 10) / total);
    return score;
}

int Penalty(const Lines& s, int n) {
    if (n + 8 <= 64) return Penalty<1>(s, n);
    if (n + 8 <= 128) return Penalty<2>(s, n);
    return Penalty<3>(s, n);
}

// Everything a call needs that is too big for the stack, one per thread.
struct Workspace {
    char gs1[kMaxCharacters + 1];
    std::uint8_t back[(kMaxCharacters + 1) * kStates];
    std::uint8_t modes[kMaxCharacters];
    BitBuffer bits;
    std::uint8_t codewords[kQrMaxCodewords];
    std::uint8_t final[kQrMaxCodewords];
    // Each module: bit 0 dark, bit 1 part of a function pattern.
    std::uint8_t grid[kMaxSize * kMaxSize];
    Lines dark;
    Lines function;
    Lines masked;
};

// Made once per thread on the heap and freed with a destructor at the thread's exit, so that a
// host that unloads the plug-in while its threads live on can have it freed too.
Workspace& Work() {
    thread_local const std::unique_ptr<Workspace> w = std::make_unique<Workspace>();
    return *w;
}

// The data as the symbol carries it, or false when it cannot be encoded: GS1 element strings
// become their AI and data stream (printable ASCII only, no ECI); other data is UTF-8 behind
// ECI 000026 when it has any byte above 127 and is valid UTF-8, otherwise its bytes as they are.
bool ReadInput(std::string_view data, bool gs1, Workspace& w, Input& in) {
    in.gs1 = gs1;
    if (gs1) {
        const int n = Gs1ElementData(data, w.gs1, kMaxCharacters);
        if (n <= 0) return false;
        for (int i = 0; i < n; ++i) {
            const auto c = static_cast<unsigned char>(w.gs1[i]);
            if (c != static_cast<unsigned char>(kGs1Separator) && (c < 0x21 || c > 0x7E))
                return false;
        }
        in.bytes = reinterpret_cast<const std::uint8_t*>(w.gs1);
        in.length = n;
        return true;
    }
    if (data.empty() || data.size() > static_cast<std::size_t>(kMaxCharacters)) return false;
    in.bytes = reinterpret_cast<const std::uint8_t*>(data.data());
    in.length = static_cast<int>(data.size());
    bool ascii = true;
    bool valid = true;
    for (int i = 0; i < in.length && valid;) {
        const std::uint8_t c = in.bytes[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        ascii = false;
        // RFC 3629: 2 to 4 bytes, no overlong forms, no surrogates, nothing above U+10FFFF.
        int extra;
        unsigned low = 0x80;
        unsigned high = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            if (c == 0xE0) low = 0xA0;
            if (c == 0xED) high = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            if (c == 0xF0) low = 0x90;
            if (c == 0xF4) high = 0x8F;
        } else {
            valid = false;
            break;
        }
        if (i + extra >= in.length) {
            valid = false;
            break;
        }
        for (int k = 1; k <= extra; ++k) {
            const std::uint8_t t = in.bytes[i + k];
            if (t < (k == 1 ? low : 0x80) || t > (k == 1 ? high : 0xBF)) valid = false;
        }
        i += extra + 1;
    }
    in.utf8 = !ascii && valid;
    return true;
}

}  // namespace

int Orbelantrix_QRCode(std::string_view data, const QrCodeOptions& options, ModuleMatrix& symbol,
                       QrCodewords* out) {
    ResetMatrix(symbol, 0, 0);
    int level = -1;
    for (std::size_t l = 0; l < kLevels.size(); ++l)
        if (options.ecc == kLevels[l]) level = static_cast<int>(l);
    if (level < 0 || options.version < 0 || options.version > kMaxVersion || options.mask < -1 ||
        options.mask > 7)
        return kStatusRefused;
    const auto li = static_cast<std::size_t>(level);

    Workspace& w = Work();
    Input in;
    if (!ReadInput(data, options.gs1, w, in)) return kStatusRefused;
    const int prefix = in.gs1 ? 4 : in.utf8 ? 4 + 8 : 0;

    // The smallest version that holds the segments, range by range (the count indicators
    // lengthen with the range); or the version asked for.
    int version = 0;
    int range = -1;
    for (int r = 0; r < 3 && version == 0; ++r) {
        const int first =
            options.version ? options.version : kRangeFirst[static_cast<std::size_t>(r)];
        const int last =
            options.version ? options.version : kRangeLast[static_cast<std::size_t>(r)];
        if (options.version && RangeOf(options.version) != r) continue;
        const int bits = prefix + Segment(in, r, w.back, w.modes);
        for (int v = first; v <= last; ++v) {
            if (bits <= 8 * kDataCodewords[li][static_cast<std::size_t>(v)]) {
                version = v;
                range = r;
                break;
            }
        }
    }
    if (version == 0) return kStatusRefused;
    const int data_count = kDataCodewords[li][static_cast<std::size_t>(version)];
    const int total = kTotalCodewords[static_cast<std::size_t>(version)];

    // The data bit stream (ISO/IEC 18004 7.4): FNC1 or ECI first, then the segments, padded.
    BitBuffer& b = w.bits;
    ClearBits(b);
    if (in.gs1) AppendBits(b, kFnc1FirstIndicator, 4);
    if (in.utf8) {
        AppendBits(b, kEciIndicator, 4);
        AppendBits(b, kUtf8Eci, 8);
    }
    if (!EncodeSegments(in, w.modes, range, b) || b.bits > data_count * 8) return kStatusRefused;
    Pad(b, data_count);
    for (int i = 0; i < data_count; ++i)
        w.codewords[i] = b.bytes[static_cast<std::size_t>(i)];
    ErrorCorrectAndInterleave(w.codewords, level, version, w.final);

    const int size = SizeOf(version);
    const Grid grid{w.grid, size};
    DrawFunctionPatterns(grid, version);
    PlaceCodewords(grid, w.final, total);

    // ISO/IEC 18004 7.8.3: the mask with the lowest penalty, the first of equals.
    ToLines(grid, w.dark, w.function);
    int mask = options.mask;
    if (mask < 0) {
        int best = 0;
        for (int m = 0; m < 8; ++m) {
            ApplyMask(w.dark, w.function, size, level, m, w.masked);
            const int score = Penalty(w.masked, size);
            if (m == 0 || score < best) {
                best = score;
                mask = m;
            }
        }
    }
    ApplyMask(w.dark, w.function, size, level, mask, w.masked);

    if (!ResetMatrix(symbol, size, size)) return kStatusRefused;
    for (int y = 0; y < size; ++y) {
        const Line& row = w.masked.rows[static_cast<std::size_t>(y)];
        for (int x = 0; x < size; ++x)
            if (BitOf(row, x)) SetModule(symbol, x, y, true);
    }

    if (out != nullptr) {
        out->version = version;
        out->mask = mask;
        out->data_count = data_count;
        out->total = total;
        for (int i = 0; i < total; ++i) {
            out->data[i] = i < data_count ? w.codewords[i] : 0;
            out->final[i] = w.final[i];
        }
    }
    return kStatusOk;
}

int Orbelantrix_QRCode(std::string_view data, const QrCodeOptions& options, ModuleMatrix& symbol) {
    return Orbelantrix_QRCode(data, options, symbol, nullptr);
}

}  // namespace orbx
