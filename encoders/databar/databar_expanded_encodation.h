// GS1 DataBar Expanded data encodation: GS1 element strings written with parentheses, e.g.
// (01)98898765432106(3202)012345, to the binary data string of the symbol, 12 bits per data
// character (ISO/IEC 24724 encodation rules).
//
// Binary text: the characters "0" and "1", most significant bit first. A field of width w holding
// the value v is v in binary padded on the left with "0" to w characters.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace orbx {

// The FNC1 character of the data text: the user puts it where GS1 needs a separator after a
// variable-length element string.
inline constexpr char FNC_1 = static_cast<char>(0xCA);

// Latches between the modes of the general-purpose field.
inline constexpr std::string_view NUMERIC_TO_ALPHA_LATCH = "0000";
inline constexpr std::string_view ALPHA_TO_NUMERIC_LATCH = "000";
inline constexpr std::string_view ALPHA_TO_ISO_LATCH = "00100";
inline constexpr std::string_view ISO_TO_NUMERIC_LATCH = "000";
inline constexpr std::string_view ISO_TO_ALPHANUMERIC_LATCH = "00100";

// The symbol's data characters: at most 21 after the check character, so at most 252 bits.
inline constexpr int kExpandedMinSymbolChars = 4;
inline constexpr int kExpandedMaxSymbolChars = 22;
inline constexpr int kExpandedMaxDataBits = 252;

// The binary data string as integers: fields appended most significant bit first into a fixed
// store. Size() counts every bit appended, also those beyond the store, which are dropped: a data
// string that long fits in no symbol.
class ExpandedBits {
  public:
    // Appends the low `width` bits of `value`, `width` 0 to 16.
    void Append(unsigned value, int width) {
        put(size_, value, width);
        size_ += width;
    }
    // Writes `width` bits at `position`, where only zero bits were appended.
    void Set(int position, unsigned value, int width) { put(position, value, width); }
    // The `width` bits (1 to 16) from bit `position`, which lie in the store.
    unsigned Read(int position, int width) const {
        const auto word = static_cast<std::size_t>(position / 32);
        const std::uint64_t both =
            (static_cast<std::uint64_t>(words_[word]) << 32) | words_[word + 1];
        return static_cast<unsigned>(both >> (64 - position % 32 - width)) & ((1U << width) - 1);
    }
    int Size() const { return size_; }
    // The bits as a binary text.
    std::string Text() const;

  private:
    // A little more than the 252 bits a symbol carries.
    static constexpr int kStoreBits = 256;

    void put(int position, unsigned value, int width) {
        if (width <= 0 || position + width > kStoreBits) return;
        const auto word = static_cast<std::size_t>(position / 32);
        const std::uint64_t placed = static_cast<std::uint64_t>(value & ((1U << width) - 1))
                                     << (64 - position % 32 - width);
        words_[word] |= static_cast<std::uint32_t>(placed >> 32);
        words_[word + 1] |= static_cast<std::uint32_t>(placed);
    }

    // One word more than the store, for the second half of a field at its end.
    std::array<std::uint32_t, kStoreBits / 32 + 1> words_{};
    int size_ = 0;
};

// Encodation method: "1" (a GTIN in (01) compressed, then the general-purpose field) or "00"
// (everything in the general-purpose field).
std::string_view GetDatabarEncodationMethod(std::string_view data);

// Splits the data into the compressed field (binary, empty for method "00") and the text left for
// the general-purpose field. A method "1" text whose GTIN is too short or not numeric leaves both
// empty.
void EncodeDatabarExtended(std::string_view method, std::string_view data, std::string& compressed,
                           std::string& generalPurpose);

// The general-purpose field of `text` in binary, starting in numeric mode. The lengths of the
// method code and of the compressed field, with the segments per row `segs`, size the last symbol
// character when a single digit is left over. `numericLastCompaction` tells whether the field
// ends in numeric mode (or is empty), which decides the padding.
std::string EncodeGeneralPurposeField(std::string_view text, int methodLength, int compressedLength,
                                      int segs, bool& numericLastCompaction);

// One `width`-bit field per character pair, of 11 x first + second + 8, where a digit counts its
// value and FNC1 counts 10.
std::string DoNumericEncoding(std::string_view pairs, int width);

// Four 10-bit fields of the numbers in characters 1-3, 4-6, 7-9 and 10-12, each group read as a
// decimal number up to its first non-digit.
std::string Convert12DigitsToBinary(std::string_view twelve);

// The binary digits of a value of 0 or more, without leading zeros ("0" for 0).
std::string ConvertToBinary(int value);

// The value of a binary text: each "1" k places from the right adds 2 to the power k.
int ConvertBinaryToDec(std::string_view bits);

// In ISO/IEC 646 mode, the latch that the rest of the data (from the current character) calls
// for: to numeric, to alphanumeric, or none (empty).
std::string_view ISOEncodingCheckAhead(std::string_view rest);

// Padding bits after `dataBits` bits: up to a whole number of 12-bit data characters, at least 3,
// adding one when a stacked symbol of `segs` segments per row would end with a row of one symbol
// character. Beyond 252 data bits: -dataBits.
int GetUnusedBits(int dataBits, int segs);

// The binary data string: linkage flag, method, variable-length field, compressed field,
// general-purpose field and padding, 12 bits for each data character (the symbol has one more,
// the check character). Empty when the symbol would need fewer than 4 or more than 22 symbol
// characters.
std::string GetDatabarExpandedBinaryString(std::string_view data, int segs);

// The same binary data string in `bits` (empty on entry); false when the symbol would need fewer
// than 4 or more than 22 symbol characters.
bool DatabarExpandedBits(std::string_view data, int segs, ExpandedBits& bits);

}  // namespace orbx
