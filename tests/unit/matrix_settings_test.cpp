// The 2D symbols' settings as the functions and the pictures read them, the 2D font's meanings in
// render/ against the text encoders/matrix/ writes, and the module rows the pictures lay out.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "encoders/matrix/matrix_text.h"
#include "picture/matrix.h"
#include "picture/symbology.h"
#include "render/render.h"

namespace orbx::picture {
namespace {

using Shape = DataMatrixOptions::Shape;

struct QrRow {
    std::string text;
    bool usable;
    char ecc;
    int version;
    bool gs1;
};

TEST(MatrixSettings, QrCode) {
    const std::vector<QrRow> rows = {
        /* 0 */ {"", true, 'M', 0, false},  // the defaults
        /* 1 */ {"ecc=L", true, 'L', 0, false},
        /* 2 */ {"ECC = q ; Version = 12", true, 'Q', 12, false},
        /* 3 */ {"ecc=h;version=40;gs1=on", true, 'H', 40, true},
        /* 4 */ {"version=auto; gs1=off", true, 'M', 0, false},
        /* 5 */ {"version=07", true, 'M', 7, false},
        /* 6 */ {"gs1=YES", true, 'M', 0, true},
        // The picture's names and the other symbols' are not QR Code's.
        /* 7 */ {"dpi=600; size=7x7; columns=99; format=gif", true, 'M', 0, false},
        /* 8 */ {"ecc", true, 'M', 0, false},  // no "=": no setting
        /* 9 */ {"ecc=X", false, 'M', 0, false},
        /* 10 */ {"ecc=", false, 'M', 0, false},
        /* 11 */ {"ecc=LL", false, 'M', 0, false},
        /* 12 */ {"version=0", false, 'M', 0, false},
        /* 13 */ {"version=41", false, 'M', 0, false},
        /* 14 */ {"version=1.0", false, 'M', 0, false},
        /* 15 */ {"version=1000", false, 'M', 0, false},
        /* 16 */ {"gs1=2", false, 'M', 0, false},
        /* 17 */ {"ecc=X; ecc=L", false, 'L', 0, false},  // once unusable, unusable
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE("row " + std::to_string(i) + ": " + rows[i].text);
        MatrixOptions o;
        EXPECT_EQ(ParseMatrixSettings(Matrix::qr_code, rows[i].text, o), rows[i].usable);
        if (!rows[i].usable) continue;
        EXPECT_EQ(o.qr_code.ecc, rows[i].ecc);
        EXPECT_EQ(o.qr_code.version, rows[i].version);
        EXPECT_EQ(o.qr_code.gs1, rows[i].gs1);
        EXPECT_EQ(o.qr_code.mask, -1);
    }
}

struct DataMatrixRow {
    std::string text;
    bool usable;
    Shape shape;
    int rows, columns;
    bool gs1;
};

TEST(MatrixSettings, DataMatrix) {
    const std::vector<DataMatrixRow> rows = {
        /* 0 */ {"", true, Shape::square, 0, 0, false},
        /* 1 */ {"size=auto", true, Shape::square, 0, 0, false},
        /* 2 */ {"size=Square", true, Shape::square, 0, 0, false},
        /* 3 */ {"size=RECTANGLE; gs1=on", true, Shape::rectangle, 0, 0, true},
        /* 4 */ {"size=16x48", true, Shape::fixed, 16, 48, false},
        /* 5 */ {"size = 144 X 144", true, Shape::fixed, 144, 144, false},
        // Any rows x columns is read; the encoder refuses what is no ECC 200 size.
        /* 6 */ {"size=7x7", true, Shape::fixed, 7, 7, false},
        /* 7 */ {"ecc=X; version=99; columns=0", true, Shape::square, 0, 0, false},
        /* 8 */ {"size=16", false, Shape::square, 0, 0, false},
        /* 9 */ {"size=16x", false, Shape::square, 0, 0, false},
        /* 10 */ {"size=0x10", false, Shape::square, 0, 0, false},
        /* 11 */ {"size=145x145", false, Shape::square, 0, 0, false},
        /* 12 */ {"size=16*48", false, Shape::square, 0, 0, false},
        /* 13 */ {"size=", false, Shape::square, 0, 0, false},
        /* 14 */ {"gs1=sometimes", false, Shape::square, 0, 0, false},
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE("row " + std::to_string(i) + ": " + rows[i].text);
        MatrixOptions o;
        EXPECT_EQ(ParseMatrixSettings(Matrix::data_matrix, rows[i].text, o), rows[i].usable);
        if (!rows[i].usable) continue;
        EXPECT_EQ(o.data_matrix.shape, rows[i].shape);
        EXPECT_EQ(o.data_matrix.gs1, rows[i].gs1);
        if (rows[i].shape == Shape::fixed) {
            EXPECT_EQ(o.data_matrix.rows, rows[i].rows);
            EXPECT_EQ(o.data_matrix.columns, rows[i].columns);
        }
    }
}

struct Pdf417Row {
    std::string text;
    bool usable;
    int ecc, columns;
};

TEST(MatrixSettings, Pdf417) {
    const std::vector<Pdf417Row> rows = {
        /* 0 */ {"", true, -1, 0},
        /* 1 */ {"ecc=auto; columns=auto", true, -1, 0},
        /* 2 */ {"ecc=0", true, 0, 0},
        /* 3 */ {"ECC=8; COLUMNS=30", true, 8, 30},
        /* 4 */ {"columns=1", true, -1, 1},
        /* 5 */ {"gs1=on; size=7x7; version=50", true, -1, 0},  // not PDF417's names
        /* 6 */ {"ecc=9", false, -1, 0},
        /* 7 */ {"ecc=M", false, -1, 0},
        /* 8 */ {"ecc=-1", false, -1, 0},
        /* 9 */ {"columns=0", false, -1, 0},
        /* 10 */ {"columns=31", false, -1, 0},
        /* 11 */ {"columns= ", false, -1, 0},
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE("row " + std::to_string(i) + ": " + rows[i].text);
        MatrixOptions o;
        EXPECT_EQ(ParseMatrixSettings(Matrix::pdf417, rows[i].text, o), rows[i].usable);
        if (!rows[i].usable) continue;
        EXPECT_EQ(o.pdf417.ecc, rows[i].ecc);
        EXPECT_EQ(o.pdf417.columns, rows[i].columns);
    }
}

// A random grid of `width` x `height` modules drawn `row_height` tall.
std::unique_ptr<ModuleMatrix> RandomMatrix(int width, int height, int row_height,
                                           std::mt19937& rng) {
    auto m = std::make_unique<ModuleMatrix>();
    EXPECT_TRUE(ResetMatrix(*m, width, height));
    m->row_height = row_height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            SetModule(*m, x, y, rng() % 2 == 0);
    return m;
}

// The 2D font draws exactly the grid whose text encoders/matrix/ wrote (light below its last
// row and right of its last column), and the pictures' rows are the grid's rows at its height.
TEST(MatrixFont, DrawsTheGridItsTextWasWrittenFrom) {
    std::mt19937 rng(38);
    const int sizes[][3] = {{21, 21, 1}, {25, 25, 1}, {10, 10, 1}, {18, 8, 1},
                            {86, 3, 3},  {103, 7, 3}, {1, 1, 1},   {177, 177, 1}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(std::to_string(size[0]) + " x " + std::to_string(size[1]));
        const auto m = RandomMatrix(size[0], size[1], size[2], rng);
        std::string text(
            static_cast<std::size_t>(MatrixTextLength(m->width, m->height, m->row_height)), '\0');
        ASSERT_EQ(MatrixText(*m, text.data(), static_cast<int>(text.size())),
                  static_cast<int>(text.size()));
        const render::Rendering drawn = render::Render(render::Font::matrix, text);
        ASSERT_TRUE(drawn.symbol) << drawn.error;
        const render::Symbol& s = *drawn.symbol;
        ASSERT_EQ(s.rows.size() % 3, 0u);
        ASSERT_GE(static_cast<int>(s.rows.size()), m->height * m->row_height);
        for (std::size_t r = 0; r < s.rows.size(); ++r) {
            const int y = static_cast<int>(r) / m->row_height;
            EXPECT_EQ(s.rows[r].height, 1);
            ASSERT_GE(static_cast<int>(s.rows[r].modules.size()), m->width);
            for (std::size_t x = 0; x < s.rows[r].modules.size(); ++x) {
                EXPECT_EQ(s.rows[r].modules[x] != 0, IsDark(*m, static_cast<int>(x), y))
                    << "row " << r << ", module " << x;
            }
        }
        render::Symbol rows;
        MatrixRows(*m, rows);
        ASSERT_EQ(static_cast<int>(rows.rows.size()), m->height);
        for (int y = 0; y < m->height; ++y) {
            const render::Row& row = rows.rows[static_cast<std::size_t>(y)];
            EXPECT_EQ(row.height, m->row_height);
            ASSERT_EQ(static_cast<int>(row.modules.size()), m->width);
            for (int x = 0; x < m->width; ++x)
                EXPECT_EQ(row.modules[static_cast<std::size_t>(x)] != 0, IsDark(*m, x, y));
        }
    }
    // Characters outside "0" to "o" have no meaning; a line feed after a return is part of it.
    EXPECT_FALSE(render::Render(render::Font::matrix, "0p").symbol);
    EXPECT_FALSE(render::Render(render::Font::matrix, "/").symbol);
    EXPECT_EQ(render::Render(render::Font::matrix, "o\r\no").symbol->rows.size(), 6u);
    EXPECT_EQ(render::FontOf("Orbx_QRCode"), render::Font::matrix);
    EXPECT_EQ(render::FontOf("DataMatrix"), render::Font::matrix);
    EXPECT_EQ(render::FontOf("Orbx_PDF417"), render::Font::matrix);
}

TEST(MatrixSymbologies, QuietZonesModulesAndNames) {
    struct Row {
        const char* name;
        Matrix matrix;
        int quiet;
        double x_mm;
    };
    // ISO/IEC 18004: 4 X all round; ISO/IEC 16022: 1 X; ISO/IEC 15438: 2 X.
    const Row rows[] = {
        /* 0 */ {"qrcode", Matrix::qr_code, 4, 0.5},
        /* 1 */ {"DATAMATRIX", Matrix::data_matrix, 1, 0.5},
        /* 2 */ {"Pdf417", Matrix::pdf417, 2, 0.33},
    };
    EXPECT_EQ(Symbologies().size(), 36u);
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        const Symbology* s = FindSymbology(rows[i].name);
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->matrix, rows[i].matrix);
        EXPECT_EQ(s->function, 38 + static_cast<int>(i));
        EXPECT_EQ(s->font, render::Font::matrix);
        EXPECT_EQ(s->quiet_left, rows[i].quiet);
        EXPECT_EQ(s->quiet_right, rows[i].quiet);
        EXPECT_EQ(s->quiet_vertical, rows[i].quiet);
        EXPECT_DOUBLE_EQ(s->x_mm, rows[i].x_mm);
        EXPECT_TRUE(s->fixed_height);
        EXPECT_EQ(s->readable, Readable::none);
    }
    EXPECT_EQ(FindSymbology("Code128")->matrix, Matrix::none);
    EXPECT_EQ(FindSymbology("QR"), nullptr);
}

}  // namespace
}  // namespace orbx::picture
