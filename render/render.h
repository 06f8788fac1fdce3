// From the result text of a barcode function to the symbol that the matching Orbelantrix font
// draws: for previews, the fonts and the tests, and for the plug-in's pictures (RenderInto).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "render/symbol.h"

namespace orbx::render {

// The font families, each with its own character meanings.
enum class Font {
    code128,           // Code 128 text font: one character per symbol value
    code39,            // Code 39 text font (narrow/wide)
    code93,            // Code 93 text font
    codabar,           // Codabar text font (narrow/wide)
    i2of5,             // Interleaved 2 of 5 text font: one character per digit pair
    msi,               // MSI text font (narrow/wide)
    upc_ean,           // UPC/EAN text font: digits in parity sets, guards, add-ons
    postnet,           // Postnet text font: frame bars and digits
    universal,         // Universal font: one bar and one space per letter, or postal letters
    intelligent_mail,  // four bar states p, q, r, s
    databar,           // width pairs: Omnidirectional and Limited
    databar_stacked,   // one character per column of the three Stacked rows
    databar_rows,      // first row a/w, then four module rows per character and line
    matrix,            // the 2D font: each character a block of 2 x 3 modules, 3 rows a line
};

// The font that draws the result of a barcode function, by name with or without "Orbx_";
// nothing for functions whose result is plain text or no barcode.
std::optional<Font> FontOf(std::string_view function);

// A drawn symbol, or why the text has none (a character the font gives no meaning).
struct Rendering {
    std::optional<Symbol> symbol;
    std::string error;
};

Rendering Render(Font font, std::string_view text);

// The same drawn into `symbol`, whose storage is reused: once its rows have grown to a text's
// size, drawing such a text again allocates nothing. False for a character without meaning,
// with the reason in `error` when one is given.
bool RenderInto(Font font, std::string_view text, Symbol& symbol, std::string* error = nullptr);

// The element sequence of a narrow/wide text font (Code 39, Codabar, Interleaved 2 of 5, MSI):
// true for a wide element, bar first, inter-character gaps included.
struct Elements {
    std::optional<std::vector<bool>> wide;
    std::string error;
};

Elements NarrowWide(Font font, std::string_view text);

// Wide elements of the narrow/wide text fonts are drawn this many modules wide.
inline constexpr int kWideToNarrow = 3;

// What one character of the font draws as a glyph of its own, standing on the baseline: the
// characters of the DataBar rows font as on a line after the first (on the first line, "a"
// and "w" draw the same), and the width pairs at the Omnidirectional height (a Limited symbol
// set in the font is drawn that tall too). Nothing, with the reason, for a character without
// meaning.
Rendering Glyph(Font font, unsigned char character);

// The character as which the host shows a font byte: its Windows-1252 character (the five
// bytes that Windows-1252 leaves undefined as the C1 control character of the same code).
char16_t HostCharacter(unsigned char byte);

// The font text as bytes, from the result text as the host shows it: every character is the
// Windows-1252 character of one byte. Characters outside Windows-1252 give nothing.
std::optional<std::string> FontBytes(std::u16string_view text);

}  // namespace orbx::render
