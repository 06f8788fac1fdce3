#include "render/render.h"

#include <algorithm>
#include <array>
#include <utility>

#include "plugin/function_rows.h"
#include "render/fonts.h"

namespace orbx::render {

namespace {

struct FunctionFont {
    std::string_view name;  // "Orbx_Code128"
    std::optional<Font> font;
};

// The font of each function, from the function rows: a row names a font family or none.
namespace row_fonts {
using enum Font;
constexpr std::optional<Font> none = std::nullopt;
#define ORBX_FONT_ROW(id, adapter, prototype, limit, out, options, most, kind, call, encoder, \
                      fallback, font)                                                         \
    {FunctionName(prototype), font},
// The two-dimensional symbols' text is all for the 2D font.
#define ORBX_MATRIX_FONT_ROW(id, adapter, prototype, ...) {FunctionName(prototype), matrix},
constexpr FunctionFont kFunctionFonts[] = {ORBX_FUNCTION_ROWS(ORBX_FONT_ROW)
                                               ORBX_MATRIX_ROWS(ORBX_MATRIX_FONT_ROW)};
#undef ORBX_FONT_ROW
#undef ORBX_MATRIX_FONT_ROW
}  // namespace row_fonts

// Windows-1252 characters of the bytes 128 to 159.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

std::optional<Font> FontOf(std::string_view function) {
    for (const FunctionFont& row : row_fonts::kFunctionFonts) {
        if (row.name == function || row.name.substr(5) == function) return row.font;
    }
    return std::nullopt;
}

bool RenderInto(Font font, std::string_view text, Symbol& symbol, std::string* error) {
    detail::Reset(symbol);
    switch (font) {
        case Font::code128:
            return detail::Code128Text(text, symbol, error);
        case Font::code93:
            return detail::Code93Text(text, symbol, error);
        case Font::code39:
        case Font::codabar:
        case Font::i2of5:
        case Font::msi:
            return detail::NarrowWideRow(font, text, symbol, error);
        case Font::upc_ean:
            return detail::UpcEanText(text, symbol, error);
        case Font::postnet:
            return detail::PostnetText(text, symbol, error);
        case Font::universal:
            return detail::UniversalText(text, symbol, error);
        case Font::intelligent_mail:
            return detail::IntelligentMailText(text, symbol, error);
        case Font::databar:
            return detail::DataBarPairs(text, symbol, error);
        case Font::databar_stacked:
            return detail::DataBarStacked(text, symbol, error);
        case Font::databar_rows:
            return detail::DataBarRows(text, symbol, error);
        case Font::matrix:
            return detail::MatrixBlocks(text, symbol, error);
    }
    if (error != nullptr) *error = "unknown font";
    return false;
}

Rendering Render(Font font, std::string_view text) {
    Symbol symbol;
    std::string error;
    if (!RenderInto(font, text, symbol, &error)) return detail::Failure(std::move(error));
    return Rendering{std::move(symbol), {}};
}

Rendering Glyph(Font font, unsigned char character) {
    const char c = static_cast<char>(character);
    if (font == Font::databar) return detail::DataBarPairGlyph(c);
    if (font == Font::databar_rows) {
        // The rows under an empty first line; the first line's own characters otherwise.
        Rendering r = Render(font, std::string{'\r', c});
        if (!r.symbol) return Render(font, std::string_view(&c, 1));
        r.symbol->rows.erase(r.symbol->rows.begin());
        return r;
    }
    return Render(font, std::string_view(&c, 1));
}

char16_t HostCharacter(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80] : char16_t{byte};
}

Elements NarrowWide(Font font, std::string_view text) {
    switch (font) {
        case Font::code39:
            return detail::Code39Elements(text);
        case Font::codabar:
            return detail::CodabarElements(text);
        case Font::i2of5:
            return detail::I2of5Elements(text);
        case Font::msi:
            return detail::MsiElements(text);
        default:
            return detail::ElementsFailure("not a narrow/wide text font");
    }
}

std::optional<std::string> FontBytes(std::u16string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (char16_t c : text) {
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            bytes += static_cast<char>(c);
            continue;
        }
        const auto* hit = std::find(kCp1252High.begin(), kCp1252High.end(), c);
        if (hit == kCp1252High.end()) return std::nullopt;
        bytes += static_cast<char>(0x80 + (hit - kCp1252High.begin()));
    }
    return bytes;
}

int Symbol::width() const {
    if (postal()) return static_cast<int>(bars.size()) * 2 - 1;
    std::size_t w = 0;
    for (const Row& r : rows)
        w = std::max(w, r.modules.size());
    return static_cast<int>(w);
}

namespace detail {

void AppendRun(Row& row, int width, bool dark) {
    row.modules.insert(row.modules.end(), static_cast<std::size_t>(width), dark ? 1 : 0);
}

void AppendWidths(Row& row, std::string_view widths, bool dark) {
    for (char w : widths) {
        AppendRun(row, w - '0', dark);
        dark = !dark;
    }
}

std::string NoMeaning(std::string_view font, std::string_view text, std::size_t at) {
    return std::string(font) + " font: character " +
           std::to_string(static_cast<unsigned char>(text[at])) + " at position " +
           std::to_string(at + 1) + " draws nothing known";
}

std::string_view NextLine(std::string_view text, std::size_t& start) {
    std::size_t i = start;
    while (i < text.size() && text[i] != '\r')
        ++i;
    const std::string_view line = text.substr(start, i - start);
    if (i < text.size() && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
    return line;
}

void Reset(Symbol& s) {
    s.module_width = 1.0;
    s.reach.clear();
    s.labels.clear();
    s.bars.clear();
    s.four_state = false;
    s.quiet_zone = 10;
}

Row& RowAt(Symbol& s, std::size_t index, double height) {
    if (index >= s.rows.size()) s.rows.resize(index + 1);
    Row& row = s.rows[index];
    row.modules.clear();
    row.height = height;
    return row;
}

void KeepRows(Symbol& s, std::size_t count) {
    s.rows.resize(count);
}

bool Fail(std::string* error, std::string_view font, std::string_view text, std::size_t at) {
    if (error != nullptr) *error = NoMeaning(font, text, at);
    return false;
}

Rendering Failure(std::string error) {
    return Rendering{std::nullopt, std::move(error)};
}

Elements ElementsFailure(std::string error) {
    return Elements{std::nullopt, std::move(error)};
}

}  // namespace detail

}  // namespace orbx::render
