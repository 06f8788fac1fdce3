// The character meanings of each font family (one source file per family) and the small
// helpers they share.
#pragma once

#include <string>
#include <string_view>

#include "render/render.h"

namespace orbx::render::detail {

Rendering Code128Text(std::string_view text);
Rendering Code93Text(std::string_view text);
Elements Code39Elements(std::string_view text);
Elements CodabarElements(std::string_view text);
Elements I2of5Elements(std::string_view text);
Elements MsiElements(std::string_view text);
Rendering UpcEanText(std::string_view text);
Rendering PostnetText(std::string_view text);
Rendering UniversalText(std::string_view text);
Rendering IntelligentMailText(std::string_view text);
Rendering DataBarPairs(std::string_view text);
// The width pair characters at the height of an Omnidirectional symbol.
Rendering DataBarPairGlyph(char c);
Rendering DataBarStacked(std::string_view text);
Rendering DataBarRows(std::string_view text);

// Appends `width` modules of one colour.
void AppendRun(Row& row, int width, bool dark);

// Appends element widths given as digits, alternating colours from `dark`.
void AppendWidths(Row& row, std::string_view widths, bool dark);

// The failure for a character that the font gives no meaning.
std::string NoMeaning(std::string_view font, std::string_view text, std::size_t at);

// The symbol `s` with `row` as its last row.
Rendering WithRow(Symbol s, Row row);

Rendering Failure(std::string error);
Elements ElementsFailure(std::string error);

}  // namespace orbx::render::detail
