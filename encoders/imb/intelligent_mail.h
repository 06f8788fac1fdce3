// USPS Intelligent Mail barcode (4-state customer barcode): one font letter per bar.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "common/status.h"

namespace orbx {

// Result text for a digit count other than 20, 25, 29 or 31 (spelled so).
inline constexpr std::string_view kIntelligentMailBadData = "Incorrct data";

inline constexpr int kIntelligentMailBars = 65;
inline constexpr int kIntelligentMailCharacters = 10;

// Font letters of the four bar states.
inline constexpr char kImbFull = 'p';
inline constexpr char kImbAscender = 'q';
inline constexpr char kImbDescender = 'r';
inline constexpr char kImbTracker = 's';

using ImbCharacters = std::array<std::uint16_t, kIntelligentMailCharacters>;

// The USPS-B-3200 character tables: every 13-bit value with five (1287 entries) or two (78
// entries) bits set, in the order of the standard's table-building procedure.
const std::array<std::uint16_t, 1287>& IntelligentMail5of13Table();
const std::array<std::uint16_t, 78>& IntelligentMail2of13Table();

// The ten 13-bit characters A to J for a 20-digit tracking code and a routing code of 0, 5, 9 or
// 11 digits (digits only), with the frame check already applied. False for other lengths.
bool IntelligentMailCharacters(std::string_view tracking, std::string_view routing,
                               ImbCharacters& characters);

// The 65 bar letters that the characters A to J give, left to right.
std::array<char, kIntelligentMailBars> IntelligentMailLetters(const ImbCharacters& characters);

// Keeps the digits among the first 512 characters of `data`: 20 digits are a tracking code, the
// digits after the twentieth a routing code. Writes the 65 bar letters p/q/r/s, or
// "Incorrct data" for a digit count other than 20, 25, 29 or 31, and returns 0; returns 1100 for
// null and 1000 for empty data.
int Orbelantrix_IntelligentMail(char* data, char* out, long capacity);

}  // namespace orbx
