#include "encoders/imb/intelligent_mail.h"

#include <bit>
#include <cassert>
#include <cstddef>
#include <cstring>

#include "common/bit_bytes.h"
#include "common/output.h"
#include "common/utilities.h"

namespace orbx {

namespace {

// Characters A to J as the bar table names them.
enum : std::uint8_t { kA, kB, kC, kD, kE, kF, kG, kH, kI, kJ };

struct BarSource {
    std::uint8_t descender_char;
    std::uint8_t descender_bit;
    std::uint8_t ascender_char;
    std::uint8_t ascender_bit;
};

// USPS-B-3200 bar-to-character table: for bars 1 to 65, left to right, the character and bit
// that give the bar's descender, then the character and bit that give its ascender.
constexpr std::array<BarSource, kIntelligentMailBars> kBarTable = {{
    {kH, 2, kE, 3},    // 1
    {kB, 10, kA, 0},   // 2
    {kJ, 12, kC, 8},   // 3
    {kF, 5, kG, 11},   // 4
    {kI, 9, kD, 1},    // 5
    {kA, 1, kF, 12},   // 6
    {kC, 5, kB, 8},    // 7
    {kE, 4, kJ, 11},   // 8
    {kG, 3, kI, 10},   // 9
    {kD, 9, kH, 6},    // 10
    {kF, 11, kB, 4},   // 11
    {kI, 5, kC, 12},   // 12
    {kJ, 10, kA, 2},   // 13
    {kH, 1, kG, 7},    // 14
    {kD, 6, kE, 9},    // 15
    {kA, 3, kI, 6},    // 16
    {kG, 4, kC, 7},    // 17
    {kB, 1, kJ, 9},    // 18
    {kH, 10, kF, 2},   // 19
    {kE, 0, kD, 8},    // 20
    {kG, 2, kA, 4},    // 21
    {kI, 11, kB, 0},   // 22
    {kJ, 8, kD, 12},   // 23
    {kC, 6, kH, 7},    // 24
    {kF, 1, kE, 10},   // 25
    {kB, 12, kG, 9},   // 26
    {kH, 3, kI, 0},    // 27
    {kF, 8, kJ, 7},    // 28
    {kE, 6, kC, 10},   // 29
    {kD, 4, kA, 5},    // 30
    {kI, 4, kF, 7},    // 31
    {kH, 11, kB, 9},   // 32
    {kG, 0, kJ, 6},    // 33
    {kA, 6, kE, 8},    // 34
    {kC, 1, kD, 2},    // 35
    {kF, 9, kI, 12},   // 36
    {kE, 11, kG, 1},   // 37
    {kJ, 5, kH, 4},    // 38
    {kD, 3, kB, 2},    // 39
    {kA, 7, kC, 0},    // 40
    {kB, 3, kE, 1},    // 41
    {kG, 10, kD, 5},   // 42
    {kI, 7, kJ, 4},    // 43
    {kC, 11, kF, 6},   // 44
    {kA, 8, kH, 12},   // 45
    {kE, 2, kI, 1},    // 46
    {kF, 10, kD, 0},   // 47
    {kJ, 3, kA, 9},    // 48
    {kG, 5, kC, 4},    // 49
    {kH, 8, kB, 7},    // 50
    {kF, 0, kE, 5},    // 51
    {kC, 3, kA, 10},   // 52
    {kG, 12, kJ, 2},   // 53
    {kD, 11, kB, 6},   // 54
    {kI, 8, kH, 9},    // 55
    {kF, 4, kA, 11},   // 56
    {kB, 5, kC, 2},    // 57
    {kJ, 1, kE, 12},   // 58
    {kI, 3, kG, 6},    // 59
    {kH, 0, kD, 7},    // 60
    {kE, 7, kH, 5},    // 61
    {kA, 12, kB, 11},  // 62
    {kC, 9, kJ, 0},    // 63
    {kG, 8, kF, 3},    // 64
    {kD, 10, kI, 2},   // 65
}};

constexpr int kCharBits = 13;

// Every bit of the ten characters draws exactly one half of one bar.
constexpr bool each_bit_used_once() {
    std::array<int, kIntelligentMailCharacters * kCharBits> uses{};
    for (const BarSource& b : kBarTable) {
        if (b.descender_char > kJ || b.ascender_char > kJ || b.descender_bit >= kCharBits ||
            b.ascender_bit >= kCharBits) {
            return false;
        }
        ++uses[b.descender_char * kCharBits + b.descender_bit];
        ++uses[b.ascender_char * kCharBits + b.ascender_bit];
    }
    for (int n : uses) {
        if (n != 1) return false;
    }
    return true;
}
static_assert(each_bit_used_once());

constexpr unsigned reverse13(unsigned v) {
    unsigned r = 0;
    for (int i = 0; i < kCharBits; ++i) {
        r = (r << 1) | ((v >> i) & 1U);
    }
    return r;
}

template <std::size_t Size>
struct CharTable {
    std::array<std::uint16_t, Size> entries{};
    bool built = false;
};

// USPS-B-3200 table-building procedure for the N-of-13 characters: ascending through the 13-bit
// values with N bits set, a value and its larger bit-reversal take the next two places from the
// front, a palindrome the next place from the back; the front and back must meet.
template <int N, std::size_t Size>
constexpr CharTable<Size> BuildCharTable() {
    CharTable<Size> t;
    std::size_t front = 0;
    std::size_t back = Size;  // one past the next free place from the back
    for (unsigned v = 0; v < (1U << kCharBits); ++v) {
        if (std::popcount(v) != N) continue;
        const unsigned r = reverse13(v);
        if (r < v) continue;  // placed already with its reversal
        if (r == v) {
            if (back <= front) return t;
            t.entries[--back] = static_cast<std::uint16_t>(v);
        } else {
            if (back - front < 2) return t;
            t.entries[front++] = static_cast<std::uint16_t>(v);
            t.entries[front++] = static_cast<std::uint16_t>(r);
        }
    }
    t.built = front == back;
    return t;
}

constexpr auto k5of13 = BuildCharTable<5, 1287>();
constexpr auto k2of13 = BuildCharTable<2, 78>();
static_assert(k5of13.built && k2of13.built, "N-of-13 table generation failed");

// The 102-bit binary value in four 32-bit limbs, most significant first.
using Value = std::array<std::uint32_t, 4>;
// Its 13 bytes, most significant first (the first holds the top 6 bits), for the frame check.
using ValueBytes = std::array<std::uint8_t, 13>;

// v = v * mul + add, with mul and add below 2^32 (64-bit intermediate products).
void mul_add(Value& v, unsigned mul, unsigned add) {
    std::uint64_t carry = add;
    for (std::size_t i = v.size(); i-- > 0;) {
        const std::uint64_t t = std::uint64_t{v[i]} * mul + carry;
        v[i] = static_cast<std::uint32_t>(t);
        carry = t >> 32;
    }
}

// v = v / D; returns the remainder. D is a constant, so the divisions become multiplications.
template <unsigned D>
unsigned div_mod(Value& v) {
    std::uint64_t rem = 0;
    for (std::uint32_t& limb : v) {
        const std::uint64_t t = rem << 32 | limb;
        limb = static_cast<std::uint32_t>(t / D);
        rem = t % D;
    }
    return static_cast<unsigned>(rem);
}

ValueBytes bytes_of(const Value& v) {
    ValueBytes bytes{};
    for (std::size_t k = 0; k < bytes.size(); ++k) {
        const std::size_t bit = 8 * (bytes.size() - 1 - k);
        bytes[k] = static_cast<std::uint8_t>(v[v.size() - 1 - bit / 32] >> (bit % 32));
    }
    return bytes;
}

// USPS-B-3200 conversion of the data fields into the binary value: the routing code with its
// length's offset, then the Barcode Identifier (second digit in base 5) and the rest of the
// tracking code.
bool binary_value(std::string_view tracking, std::string_view routing, Value& v) {
    if (tracking.size() != 20) return false;
    std::uint64_t offset = 0;
    switch (routing.size()) {
        case 0:
            break;
        case 5:
            offset = 1;
            break;
        case 9:
            offset = 100001;
            break;
        case 11:
            offset = 1000100001;
            break;
        default:
            return false;
    }
    // The routing code and its offset stay below 2^37: the value starts as their sum.
    std::uint64_t start = 0;
    for (char c : routing)
        start = start * 10 + static_cast<unsigned>(c - '0');
    start += offset;
    v = {0, 0, static_cast<std::uint32_t>(start >> 32), static_cast<std::uint32_t>(start)};
    mul_add(v, 10, static_cast<unsigned>(tracking[0] - '0'));
    mul_add(v, 5, static_cast<unsigned>(tracking[1] - '0'));
    // The other 18 digits two at a time: times 100 plus the pair is times 10 plus each digit.
    for (std::size_t i = 2; i < tracking.size(); i += 2) {
        mul_add(v, 100, static_cast<unsigned>((tracking[i] - '0') * 10 + (tracking[i + 1] - '0')));
    }
    return true;
}

// USPS-B-3200 CRC-11 frame check sequence (generator 0xF35, preset 0x7FF), most significant bit
// first over the 102 bits: the first byte without its two unused top bits, then 12 whole bytes.
constexpr unsigned kGenerator = 0xF35;

constexpr unsigned feed_bit(unsigned fcs, unsigned bit) {
    const unsigned top = (fcs >> 10) & 1U;
    fcs = (fcs << 1) & 0x7FFU;
    return top != bit ? fcs ^ (kGenerator & 0x7FFU) : fcs;
}

// The same a byte at a time: the register after eight bits fed from zero, for each byte value
// of the register's top eight bits combined with the data byte.
constexpr std::array<std::uint16_t, 256> kFrameCheckBytes = [] {
    std::array<std::uint16_t, 256> table{};
    for (unsigned i = 0; i < 256; ++i) {
        unsigned fcs = i << 3;
        for (int b = 7; b >= 0; --b)
            fcs = feed_bit(fcs, 0);
        table[i] = static_cast<std::uint16_t>(fcs);
    }
    return table;
}();

constexpr unsigned feed_byte(unsigned fcs, std::uint8_t byte) {
    return ((fcs << 8) & 0x7FFU) ^ kFrameCheckBytes[((fcs >> 3) ^ byte) & 0xFFU];
}

// The byte step gives what eight bit steps give.
constexpr bool byte_step_matches() {
    for (unsigned fcs : {0x7FFU, 0x000U, 0x400U, 0x2A5U, 0x13CU}) {
        for (unsigned byte : {0x00U, 0xFFU, 0x5AU, 0x81U, 0x3CU}) {
            unsigned bits = fcs;
            for (int b = 7; b >= 0; --b)
                bits = feed_bit(bits, (byte >> b) & 1U);
            if (bits != feed_byte(fcs, static_cast<std::uint8_t>(byte))) return false;
        }
    }
    return true;
}
static_assert(byte_step_matches());

unsigned frame_check(const ValueBytes& bytes) {
    unsigned fcs = 0x7FF;
    for (int b = 5; b >= 0; --b)
        fcs = feed_bit(fcs, (bytes[0] >> b) & 1U);
    for (std::size_t i = 1; i < bytes.size(); ++i)
        fcs = feed_byte(fcs, bytes[i]);
    return fcs;
}

// Codewords A to J: mixed radix 659, 1365 (eight times), 636 from the most significant end;
// J is doubled and A carries the frame check's top bit as 659 more.
std::array<unsigned, kIntelligentMailCharacters> codewords(Value v, unsigned fcs) {
    std::array<unsigned, kIntelligentMailCharacters> cw{};
    cw[kJ] = div_mod<636>(v);
    for (int i = kI; i >= kB; --i)
        cw[i] = div_mod<1365>(v);
    cw[kA] = div_mod<659>(v);
    cw[kJ] *= 2;
    if (fcs & 0x400U) cw[kA] += 659;
    return cw;
}

}  // namespace

const std::array<std::uint16_t, 1287>& IntelligentMail5of13Table() {
    return k5of13.entries;
}

const std::array<std::uint16_t, 78>& IntelligentMail2of13Table() {
    return k2of13.entries;
}

bool IntelligentMailCharacters(std::string_view tracking, std::string_view routing,
                               ImbCharacters& characters) {
    Value v{};
    if (!binary_value(tracking, routing, v)) return false;
    const unsigned fcs = frame_check(bytes_of(v));
    const auto cw = codewords(v, fcs);
    for (int i = 0; i < kIntelligentMailCharacters; ++i) {
        // A is below 1318, J below 1272 and B to I below 1365: always a table entry.
        assert(cw[i] < k5of13.entries.size() + k2of13.entries.size());
        std::uint16_t c = cw[i] < k5of13.entries.size()
                              ? k5of13.entries[cw[i]]
                              : k2of13.entries[cw[i] - k5of13.entries.size()];
        // The low ten bits of the frame check invert characters A to J.
        if ((fcs >> i) & 1U) c ^= 0x1FFFU;
        characters[i] = c;
    }
    return true;
}

namespace {

// Bars 1 to 64 as bits 0 to 63: those with an ascender, those with a descender.
struct BarMasks {
    std::uint64_t ascenders = 0;
    std::uint64_t descenders = 0;
};

// The bar table turned round: for each character, each group of four of its bits (bits 0-3,
// 4-7, 8-11 and 12) and each value of the group, the bars among 1 to 64 whose halves those
// bits draw. Bar 65 is read from its two bits alone.
constexpr std::size_t kBitGroups = (kCharBits + 3) / 4;
constexpr auto kBarsByBits = [] {
    std::array<std::array<std::array<BarMasks, 16>, kBitGroups>, kIntelligentMailCharacters> t{};
    for (std::size_t bar = 0; bar < 64; ++bar) {
        const BarSource& b = kBarTable[bar];
        for (unsigned v = 0; v < 16; ++v) {
            if ((v >> (b.ascender_bit % 4)) & 1U) {
                t[b.ascender_char][b.ascender_bit / 4][v].ascenders |= std::uint64_t{1} << bar;
            }
            if ((v >> (b.descender_bit % 4)) & 1U) {
                t[b.descender_char][b.descender_bit / 4][v].descenders |= std::uint64_t{1} << bar;
            }
        }
    }
    return t;
}();

// Bar letters by ascender x 2 + descender: "s" down to "p", so eight bars at once are "s" less
// their values byte by byte.
constexpr std::array<char, 4> kBarLetters{kImbTracker, kImbDescender, kImbAscender, kImbFull};
static_assert(kImbDescender == kImbTracker - 1 && kImbAscender == kImbTracker - 2 &&
              kImbFull == kImbTracker - 3);

}  // namespace

std::array<char, kIntelligentMailBars> IntelligentMailLetters(const ImbCharacters& characters) {
    BarMasks bars;
    for (std::size_t c = 0; c < characters.size(); ++c) {
        for (std::size_t g = 0; g < kBitGroups; ++g) {
            const BarMasks& m = kBarsByBits[c][g][(characters[c] >> (4 * g)) & 0xFU];
            bars.ascenders |= m.ascenders;
            bars.descenders |= m.descenders;
        }
    }
    std::array<char, kIntelligentMailBars> letters{};
    for (unsigned first = 0; first < 64; first += 8) {
        const std::uint64_t values =
            2 * BitBytes(bars.ascenders, first) + BitBytes(bars.descenders, first);
        const std::uint64_t chars = static_cast<unsigned char>(kImbTracker) * kByteOnes - values;
        std::memcpy(letters.data() + first, &chars, sizeof chars);
    }
    const BarSource& last = kBarTable[64];
    const bool ascender = (characters[last.ascender_char] >> last.ascender_bit) & 1U;
    const bool descender = (characters[last.descender_char] >> last.descender_bit) & 1U;
    letters[64] = kBarLetters[(ascender ? 2U : 0U) + (descender ? 1U : 0U)];
    return letters;
}

int Orbelantrix_IntelligentMail(char* data, char* out, long capacity) {
    if (data == nullptr) return kStatusNullData;
    if (data[0] == '\0') return kStatusEmptyData;

    // Only the first 512 characters are read. The longest valid text has 31 digits, so the
    // digits are kept up to 32 and beyond that only counted.
    constexpr std::size_t kReadLimit = 512;
    char digits[32];
    std::size_t count = 0;
    for (std::size_t i = 0; i < kReadLimit && data[i] != '\0'; ++i) {
        if (!isNumeric(code_at(data, i))) continue;
        if (count < sizeof digits) digits[count] = data[i];
        ++count;
    }

    std::string_view result = kIntelligentMailBadData;
    std::array<char, kIntelligentMailBars> letters{};
    if (count == 20 || count == 25 || count == 29 || count == 31) {
        const std::string_view all(digits, count);
        ImbCharacters characters{};
        if (IntelligentMailCharacters(all.substr(0, 20), all.substr(20), characters)) {
            letters = IntelligentMailLetters(characters);
            result = std::string_view(letters.data(), letters.size());
        } else {
            result = {};
        }
    }
    return HandOver(out, capacity, result);
}

}  // namespace orbx
