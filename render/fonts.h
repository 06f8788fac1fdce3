// The character meanings of each font family (one source file per family) and the small
// helpers they share.
#pragma once

#include <string>
#include <string_view>

#include "render/render.h"

namespace orbx::render::detail {

// Each family's meanings draw `text` into `s`, which Reset has emptied (its storage kept): true,
// or false with the reason in `error` (when one is given) for a character without meaning.
bool Code128Text(std::string_view text, Symbol& s, std::string* error);
bool Code93Text(std::string_view text, Symbol& s, std::string* error);
// The narrow/wide text fonts as one row, wide elements kWideToNarrow modules.
bool NarrowWideRow(Font font, std::string_view text, Symbol& s, std::string* error);
Elements Code39Elements(std::string_view text);
Elements CodabarElements(std::string_view text);
Elements I2of5Elements(std::string_view text);
Elements MsiElements(std::string_view text);
bool UpcEanText(std::string_view text, Symbol& s, std::string* error);
bool PostnetText(std::string_view text, Symbol& s, std::string* error);
bool UniversalText(std::string_view text, Symbol& s, std::string* error);
bool IntelligentMailText(std::string_view text, Symbol& s, std::string* error);
bool DataBarPairs(std::string_view text, Symbol& s, std::string* error);
// The width pair characters at the height of an Omnidirectional symbol.
Rendering DataBarPairGlyph(char c);
bool DataBarStacked(std::string_view text, Symbol& s, std::string* error);
bool DataBarRows(std::string_view text, Symbol& s, std::string* error);
bool MatrixBlocks(std::string_view text, Symbol& s, std::string* error);

// The next line of `text` from `start` (up to a carriage return, which may be followed by a
// line feed); `start` moves past its break, to text.size() + 1 after the last line.
std::string_view NextLine(std::string_view text, std::size_t& start);

// Empties a symbol for drawing anew: its rows keep their storage.
void Reset(Symbol& s);

// Row `index` of the symbol (reused, or added when there are fewer), emptied, `height` tall.
Row& RowAt(Symbol& s, std::size_t index, double height);

// Drops the rows from `count` on: the symbol has `count` rows.
void KeepRows(Symbol& s, std::size_t count);

// Gives false, with the reason in `error` when one is given.
bool Fail(std::string* error, std::string_view font, std::string_view text, std::size_t at);

// Appends `width` modules of one colour.
void AppendRun(Row& row, int width, bool dark);

// Appends element widths given as digits, alternating colours from `dark`.
void AppendWidths(Row& row, std::string_view widths, bool dark);

// The failure for a character that the font gives no meaning.
std::string NoMeaning(std::string_view font, std::string_view text, std::size_t at);

Rendering Failure(std::string error);
Elements ElementsFailure(std::string error);

}  // namespace orbx::render::detail
