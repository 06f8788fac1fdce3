#include "picture/matrix.h"

#include "common/status.h"
#include "picture/settings.h"

namespace orbx::picture {

namespace {

// A whole number of 1 to 3 digits from `lowest` to `highest`, or -1.
int whole_number(std::string_view text, int lowest, int highest) {
    if (text.empty() || text.size() > 3) return -1;
    int n = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return -1;
        n = n * 10 + (c - '0');
    }
    return n >= lowest && n <= highest ? n : -1;
}

// "on"/"off" into `flag`; false for anything else.
bool read_switch(std::string_view value, bool& flag) {
    const int on = ParseSwitch(value);
    if (on >= 0) flag = on == 1;
    return on >= 0;
}

// QR Code: the error correction level and the version (ISO/IEC 18004: levels L, M, Q, H,
// versions 1 to 40).
bool read_qr_code(std::string_view name, std::string_view value, QrCodeOptions& o) {
    if (SameWord(name, "ecc")) {
        for (char level : {'l', 'm', 'q', 'h'}) {
            if (SameWord(value, std::string_view(&level, 1))) {
                o.ecc = static_cast<char>(level - 'a' + 'A');
                return true;
            }
        }
        return false;
    }
    if (SameWord(name, "version")) {
        const int version = SameWord(value, "auto") ? 0 : whole_number(value, 1, 40);
        if (version >= 0) o.version = version;
        return version >= 0;
    }
    if (SameWord(name, "gs1")) return read_switch(value, o.gs1);
    return true;
}

// Data Matrix: the smallest square or rectangular size, or rows x columns (the encoder refuses
// what is no ECC 200 size).
bool read_data_matrix(std::string_view name, std::string_view value, DataMatrixOptions& o) {
    using Shape = DataMatrixOptions::Shape;
    if (SameWord(name, "size")) {
        if (SameWord(value, "auto") || SameWord(value, "square")) {
            o.shape = Shape::square;
            return true;
        }
        if (SameWord(value, "rectangle")) {
            o.shape = Shape::rectangle;
            return true;
        }
        const std::size_t by = value.find_first_of("xX");
        if (by == std::string_view::npos) return false;
        const int rows = whole_number(TrimSpace(value.substr(0, by)), 1, 144);
        const int columns = whole_number(TrimSpace(value.substr(by + 1)), 1, 144);
        if (rows < 0 || columns < 0) return false;
        o.shape = Shape::fixed;
        o.rows = rows;
        o.columns = columns;
        return true;
    }
    if (SameWord(name, "gs1")) return read_switch(value, o.gs1);
    return true;
}

// PDF417: the error correction level (ISO/IEC 15438: 0 to 8) and the data columns (1 to 30).
bool read_pdf417(std::string_view name, std::string_view value, Pdf417Options& o) {
    if (SameWord(name, "ecc")) {
        const bool automatic = SameWord(value, "auto");
        const int level = automatic ? -1 : whole_number(value, 0, 8);
        if (level < 0 && !automatic) return false;
        o.ecc = level;
        return true;
    }
    if (SameWord(name, "columns")) {
        const int columns = SameWord(value, "auto") ? 0 : whole_number(value, 1, 30);
        if (columns >= 0) o.columns = columns;
        return columns >= 0;
    }
    return true;
}

}  // namespace

bool ParseMatrixSettings(Matrix matrix, std::string_view text, MatrixOptions& options) noexcept {
    bool usable = true;
    ForEachSetting(text, [&](std::string_view name, std::string_view value) {
        switch (matrix) {
            case Matrix::qr_code:
                usable = read_qr_code(name, value, options.qr_code) && usable;
                break;
            case Matrix::data_matrix:
                usable = read_data_matrix(name, value, options.data_matrix) && usable;
                break;
            case Matrix::pdf417:
                usable = read_pdf417(name, value, options.pdf417) && usable;
                break;
            case Matrix::none:
                break;
        }
    });
    return usable;
}

int EncodeMatrix(Matrix matrix, std::string_view data, const MatrixOptions& options,
                 ModuleMatrix& symbol) noexcept {
    switch (matrix) {
        case Matrix::qr_code:
            return Orbelantrix_QRCode(data, options.qr_code, symbol);
        case Matrix::data_matrix:
            return Orbelantrix_DataMatrix(data, options.data_matrix, symbol);
        case Matrix::pdf417:
            return Orbelantrix_PDF417(data, options.pdf417, symbol);
        case Matrix::none:
            break;
    }
    ResetMatrix(symbol, 0, 0);
    return kStatusRefused;
}

void MatrixRows(const ModuleMatrix& m, render::Symbol& symbol) {
    symbol.module_width = 1.0;
    symbol.reach.clear();
    symbol.labels.clear();
    symbol.bars.clear();
    symbol.four_state = false;
    symbol.quiet_zone = 0;
    symbol.rows.resize(static_cast<std::size_t>(m.height));
    for (int y = 0; y < m.height; ++y) {
        render::Row& row = symbol.rows[static_cast<std::size_t>(y)];
        row.height = m.row_height;
        row.modules.assign(static_cast<std::size_t>(m.width), 0);
        for (int x = 0; x < m.width; ++x)
            if (IsDark(m, x, y)) row.modules[static_cast<std::size_t>(x)] = 1;
    }
}

}  // namespace orbx::picture
