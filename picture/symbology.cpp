#include "picture/symbology.h"

#include <array>
#include <optional>

#include "plugin/function_rows.h"

namespace orbx::picture {

namespace {

using render::Font;

struct Row {
    short id;
    std::string_view name;
    std::optional<Font> font;
};

// Every function with the font its result is drawn in, from the function rows.
namespace row_fonts {
using enum Font;
constexpr std::optional<Font> none = std::nullopt;
#define ORBX_PICTURE_ROW(id, adapter, prototype, limit, out, options, most, kind, call, encoder, \
                         fallback, font)                                                         \
    Row{id, FunctionName(prototype).substr(5), font},
constexpr std::array kRows = {ORBX_FUNCTION_ROWS(ORBX_PICTURE_ROW)};
#undef ORBX_PICTURE_ROW
}  // namespace row_fonts

// X = 0.33 mm is the usual narrow bar of the linear symbologies and 100 % of UPC/EAN (ISO/IEC
// 15420); the postal codes print 22 bars an inch, a bar and a gap of 1/44 inch each.
constexpr double kUsualX = 0.33;
constexpr double kPostalX = 25.4 / 44;

// Quiet zones in modules: 10 X for the linear symbologies (ISO/IEC 15417, 16388, 16390), the
// UPC/EAN ones of ISO/IEC 15420 (with an add-on 5 X after it, the layout's business), a 1 X
// margin for DataBar, whose guard patterns need no quiet zone (ISO/IEC 24724), and the USPS
// clear zone of 1/8 inch beside and 1/25 inch above and below the postal codes.
constexpr Symbology describe(const Row& row) {
    Symbology s{row.name,           row.id, *row.font, kUsualX,     10, 10, 0,
                Readable::elements, -1,     false,     Matrix::none};
    switch (*row.font) {
        case Font::code128:
            s.readable = row.id == 6 ? Readable::set_c : Readable::code128;
            s.readable_tilde = row.id == 2 ? -1 : 0;
            break;
        case Font::universal:
            if (row.id >= 18 && row.id <= 22) {
                s.readable = row.id == 21 ? Readable::set_c : Readable::universal;
                s.readable_tilde = row.id == 18 ? -1 : row.id == 22 ? 1 : 0;
            }
            if (row.id == 23 || row.id == 24) {  // Postnet and Planet letters
                s.x_mm = kPostalX;
                s.quiet_left = s.quiet_right = 6;
                s.quiet_vertical = 2;
                s.readable = Readable::none;
                s.fixed_height = true;
            }
            break;
        case Font::upc_ean:
            s.readable = Readable::labels;
            // EAN-8 7 + 7, EAN-13 11 + 7, UPC-A 9 + 9, UPC-E 9 + 7.
            s.quiet_left = row.id == 13 ? 7 : row.id == 14 ? 11 : 9;
            s.quiet_right = row.id == 15 ? 9 : 7;
            break;
        case Font::postnet:
        case Font::intelligent_mail:
            s.x_mm = kPostalX;
            s.quiet_left = s.quiet_right = 6;
            s.quiet_vertical = 2;
            s.readable = Readable::none;
            s.fixed_height = true;
            break;
        case Font::databar:
        case Font::databar_stacked:
        case Font::databar_rows:
            s.quiet_left = s.quiet_right = 1;
            s.readable = Readable::none;
            s.fixed_height = true;
            break;
        default:
            break;
    }
    return s;
}

// The two-dimensional symbols: a module of 0.5 mm for QR Code and Data Matrix and the usual
// 0.33 mm for PDF417, and the quiet zones of their standards on every side: 4 X for QR Code
// (ISO/IEC 18004), 1 X for Data Matrix (ISO/IEC 16022), 2 X for PDF417 (ISO/IEC 15438). The
// module grid fixes the height; none prints a readable line.
constexpr double kMatrixX = 0.5;

constexpr Symbology describe_matrix(short id, std::string_view name, Matrix matrix) {
    const int quiet = matrix == Matrix::qr_code ? 4 : matrix == Matrix::data_matrix ? 1 : 2;
    return Symbology{name,  id,    Font::matrix, matrix == Matrix::pdf417 ? kUsualX : kMatrixX,
                     quiet, quiet, quiet,        Readable::none,
                     0,     true,  matrix};
}

#define ORBX_PICTURE_MATRIX_ROW(id, adapter, prototype, fewest, most, limit, symbol) \
    describe_matrix(id, FunctionName(prototype).substr(5), Matrix::symbol),
constexpr std::array kMatrixSymbologies = {ORBX_MATRIX_ROWS(ORBX_PICTURE_MATRIX_ROW)};
#undef ORBX_PICTURE_MATRIX_ROW

constexpr std::array<Symbology, kSymbologyCount> build() {
    std::array<Symbology, kSymbologyCount> out{};
    std::size_t n = 0;
    for (const Row& row : row_fonts::kRows) {
        if (row.font && n < out.size()) out[n++] = describe(row);
    }
    for (const Symbology& s : kMatrixSymbologies) {
        if (n < out.size()) out[n++] = s;
    }
    return out;
}

constexpr std::size_t count_symbols() {
    std::size_t n = 0;
    for (const Row& row : row_fonts::kRows) {
        if (row.font) ++n;
    }
    return n;
}
static_assert(count_symbols() + kMatrixSymbologies.size() == kSymbologyCount,
              "33 of the 36 functions draw a symbol, and the three 2D symbols");

constexpr std::array<Symbology, kSymbologyCount> kSymbologies = build();

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

std::span<const Symbology> Symbologies() {
    return kSymbologies;
}

const Symbology* FindSymbology(std::string_view name) {
    for (const Symbology& s : kSymbologies) {
        if (s.name.size() != name.size()) continue;
        bool same = true;
        for (std::size_t i = 0; i < name.size() && same; ++i)
            same = lower(s.name[i]) == lower(name[i]);
        if (same) return &s;
    }
    return nullptr;
}

}  // namespace orbx::picture
