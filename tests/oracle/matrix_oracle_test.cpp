// The 2D functions proved against independent tools. For random data of every kind (digits,
// text, binary, UTF-8 with characters beyond the Basic Multilingual Plane, GS1) at every level
// and at sizes small to large, with the settings that choose them:
// - the function's text through the real plug-in draws, in the 2D font's meanings, exactly the
//   modules that the encoder gives for the options those settings name (the encoder called
//   here, with options this test writes itself);
// - that text set in Orbelantrix-2D.ttf by FreeType draws the same modules, and zxing-cpp reads
//   it back to the data;
// - Orbx_Image's PNG of the same data and settings, decoded by Pillow, holds the same modules
//   in the standard's quiet zone at the module the settings ask for, and zxing-cpp reads it
//   back to the data (and the level the settings ask for).
#include <ZXing/DecodeHints.h>
#include <ZXing/ReadBarcode.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <optional>

#include <unistd.h>

#include "common/status.h"
#include "encoders/matrix/gs1_data.h"
#include "fonts/families.h"
#include "host/host.h"
#include "oracle/oracle.h"
#include "picture/matrix.h"
#include "support/host_call.h"

namespace orbx::oracle {
namespace {

namespace fs = std::filesystem;
using picture::Matrix;
using picture::MatrixOptions;

enum class Kind { digits, text, binary, utf8, gs1 };
constexpr const char* kKindNames[] = {"digits", "text", "binary", "UTF-8", "GS1"};

// Code points as UTF-8, written here for the test on its own.
std::string Utf8(const std::vector<char32_t>& points) {
    std::string s;
    for (char32_t c : points) {
        if (c < 0x80) {
            s += static_cast<char>(c);
        } else if (c < 0x800) {
            s += static_cast<char>(0xC0 | (c >> 6));
            s += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            s += static_cast<char>(0xE0 | (c >> 12));
            s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            s += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            s += static_cast<char>(0xF0 | (c >> 18));
            s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            s += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return s;
}

// `length` characters of the kind, as UTF-8.
std::string RandomData(Kind kind, int length, Random& rnd) {
    static const std::vector<char32_t> foreign = {0xE9,   0xDF,    0x20AC, 0x4E2D,
                                                  0x0416, 0x1F600, 0x1D11E};
    constexpr std::string_view kLot = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefgh-./_";
    std::vector<char32_t> points;
    if (kind == Kind::gs1) {
        const std::string gtin = rnd.Digits(13);
        std::string s = "(01)" + gtin + Mod10(gtin);
        while (static_cast<int>(s.size()) < length) {
            const int ai = rnd.Int(0, 2);
            s += ai == 0 ? "(10)" : ai == 1 ? "(21)" : "(91)";
            s += rnd.Int(0, 1) ? rnd.Digits(rnd.Int(1, 20)) : rnd.String(kLot, 1, 20);
        }
        return s;
    }
    for (int i = 0; i < length; ++i) {
        switch (kind) {
            case Kind::digits:
                points.push_back(static_cast<char32_t>('0' + rnd.Int(0, 9)));
                break;
            case Kind::text:
                points.push_back(static_cast<char32_t>(rnd.Int(0, 3) == 0 ? '0' + rnd.Int(0, 9)
                                                                          : rnd.Int(0x20, 0x7E)));
                break;
            case Kind::binary:
                points.push_back(static_cast<char32_t>(rnd.Int(1, 255)));
                break;
            default:
                points.push_back(rnd.Int(0, 2) == 0
                                     ? foreign[static_cast<std::size_t>(rnd.Int(0, 6))]
                                     : static_cast<char32_t>(rnd.Int(0x20, 0x7E)));
                break;
        }
    }
    return Utf8(points);
}

// The data's characters as Latin-1 bytes, or nothing when one lies beyond U+00FF.
std::optional<std::string> Latin1(const std::string& utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if ((c == 0xC2 || c == 0xC3) && i + 1 < utf8.size()) {
            out += static_cast<char>(((c & 0x03) << 6) | (utf8[++i] & 0x3F));
        } else {
            return std::nullopt;
        }
    }
    return out;
}

struct Case {
    Matrix matrix;
    Kind kind;
    std::string data;
    std::string settings;   // the symbol's own, as the user writes them
    MatrixOptions options;  // what they mean, written here
    std::string level;      // the level zxing-cpp must report ("" where it has none to give)
};

const char* FunctionOf(Matrix m) {
    return m == Matrix::qr_code       ? "Orbx_QRCode"
           : m == Matrix::data_matrix ? "Orbx_DataMatrix"
                                      : "Orbx_PDF417";
}

ZXing::BarcodeFormat FormatOf(Matrix m) {
    return m == Matrix::qr_code       ? ZXing::BarcodeFormat::QRCode
           : m == Matrix::data_matrix ? ZXing::BarcodeFormat::DataMatrix
                                      : ZXing::BarcodeFormat::PDF417;
}

// Whether zxing-cpp reads `image` as the case's data: a GS1 element string as its AI and data
// stream, text within Latin-1 in Data Matrix and PDF417 as Latin-1 bytes, ASCII in QR Code as
// it is, and all other text as the UTF-8 its ECI says.
std::string ReadDifference(const Case& c, const render::Bitmap& image) {
    ZXing::DecodeHints hints;
    hints.setFormats(FormatOf(c.matrix));
    hints.setTryHarder(true);
    const ZXing::Result r = ZXing::ReadBarcode(
        ZXing::ImageView(image.pixels.data(), image.width, image.height, ZXing::ImageFormat::Lum),
        hints);
    if (!r.isValid()) return "zxing-cpp reads nothing";
    const std::string bytes(r.bytes().begin(), r.bytes().end());
    if (!c.level.empty() && r.ecLevel() != c.level) {
        return "level " + r.ecLevel() + ", not " + c.level;
    }
    if (c.kind == Kind::gs1) {
        std::string want(c.data.size(), '\0');
        want.resize(static_cast<std::size_t>(
            std::max(0, Gs1ElementData(c.data, want.data(), static_cast<int>(want.size())))));
        const std::string id = c.matrix == Matrix::qr_code ? "]Q3" : "]d2";
        if (r.symbologyIdentifier() != id) return "symbology " + r.symbologyIdentifier();
        return bytes == want ? "" : "read " + Show(bytes) + ", not " + Show(want);
    }
    const auto latin1 = Latin1(c.data);
    bool ascii = true;
    for (char ch : c.data)
        ascii = ascii && static_cast<unsigned char>(ch) < 0x80;
    if (ascii || (c.matrix != Matrix::qr_code && latin1)) {
        const std::string want = ascii ? c.data : *latin1;
        return bytes == want ? "" : "read " + Show(bytes) + ", not " + Show(want);
    }
    if (!r.hasECI()) return "no ECI for " + Show(c.data);
    return r.text() == c.data ? "" : "read " + Show(r.text()) + ", not " + Show(c.data);
}

// Where the font's symbol differs from the encoder's modules (rows drawn row_height tall, light
// below and right of the grid), or nothing.
std::string GridDifference(const render::Symbol& s, const ModuleMatrix& m) {
    const int drawn = m.height * m.row_height;
    if (static_cast<int>(s.rows.size()) < drawn || static_cast<int>(s.rows.size()) >= drawn + 3) {
        return std::to_string(s.rows.size()) + " rows for " + std::to_string(drawn);
    }
    for (std::size_t r = 0; r < s.rows.size(); ++r) {
        const auto& row = s.rows[r].modules;
        if (static_cast<int>(row.size()) < m.width || static_cast<int>(row.size()) > m.width + 1)
            return "row " + std::to_string(r) + " of " + std::to_string(row.size()) + " modules";
        for (std::size_t x = 0; x < row.size(); ++x) {
            if ((row[x] != 0) != IsDark(m, static_cast<int>(x), static_cast<int>(r) / m.row_height))
                return "row " + std::to_string(r) + ", module " + std::to_string(x);
        }
    }
    return {};
}

struct Image {
    int width = 0, height = 0;
    std::vector<unsigned char> pixels;
};

Image ReadPgm(const fs::path& path) {
    Image image;
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int maximum = 0;
    in >> magic >> image.width >> image.height >> maximum;
    in.get();
    if (magic != "P5" || maximum != 255) return Image{};
    image.pixels.resize(static_cast<std::size_t>(image.width) * image.height);
    in.read(reinterpret_cast<char*>(image.pixels.data()),
            static_cast<std::streamsize>(image.pixels.size()));
    return image;
}

// Where the picture differs from the modules in a quiet zone of `quiet` modules at `unit`
// pixels a module (sampled at every module's centre, and the quiet zone at every module's
// place), or nothing.
std::string PictureDifference(const Image& image, const ModuleMatrix& m, int quiet, int unit) {
    const int across = m.width + 2 * quiet;
    const int down = m.height * m.row_height + 2 * quiet;
    if (image.width != across * unit || image.height != down * unit) {
        return std::to_string(image.width) + " x " + std::to_string(image.height) +
               " pixels, not " + std::to_string(across * unit) + " x " +
               std::to_string(down * unit);
    }
    for (int y = 0; y < down; ++y) {
        for (int x = 0; x < across; ++x) {
            const int row = y - quiet;
            const bool want = row >= 0 && IsDark(m, x - quiet, row / m.row_height);
            const std::size_t at = static_cast<std::size_t>(y * unit + unit / 2) * image.width +
                                   static_cast<std::size_t>(x * unit + unit / 2);
            if ((image.pixels[at] < 128) != want) {
                return "module " + std::to_string(x - quiet) + " of row " + std::to_string(row);
            }
        }
    }
    return {};
}

// The picture settings each case is drawn with in turn, and the pixels of a module they give.
struct Variant {
    const char* settings;
    int unit;
    int dpi;
};
constexpr Variant kVariants[] = {
    {"module=0.254mm", 3, 300},          // 3.0 pixels
    {"dpi=600; module=0.17mm", 4, 600},  // 4.02
    {"dpi=200; module=0.5mm", 4, 200},   // 3.94
    {"DPI=203; Module=10mil", 2, 203},   // 2.03
};
// Every so many cases the picture is also made as a PDF.
constexpr std::size_t kPdfEvery = 6;
// Pixels per module of the font settings, in turn.
constexpr double kFontModules[] = {3.0, 2.0, 4.3};
// Symbols wider than this many modules are drawn 3 pixels a module or more.
constexpr int kLargeAt2Pixels = 100;

// The encoder itself, with the case's options.
int EncodeCase(const Case& c, ModuleMatrix& symbol) {
    switch (c.matrix) {
        case Matrix::qr_code:
            return Orbelantrix_QRCode(c.data, c.options.qr_code, symbol);
        case Matrix::data_matrix:
            return Orbelantrix_DataMatrix(c.data, c.options.data_matrix, symbol);
        default:
            return Orbelantrix_PDF417(c.data, c.options.pdf417, symbol);
    }
}

// New data, shorter each time, until the encoder takes it for the case's options (the smallest
// Data Matrix sizes hold no ECI or GS1 data, a version given holds only so much).
void Shorten(Case& c, int length, Random& rnd) {
    auto symbol = std::make_unique<ModuleMatrix>();
    while (length > 1 && EncodeCase(c, *symbol) != kStatusOk) {
        length = length * 2 / 3;
        c.data = RandomData(c.kind, length, rnd);
    }
}

MatrixOptions QrOptions(char ecc, int version, bool gs1) {
    MatrixOptions o;
    o.qr_code.ecc = ecc;
    o.qr_code.version = version;
    o.qr_code.gs1 = gs1;
    return o;
}

// QR Code: every kind at every level in the smallest version that holds it (lengths picked at
// random below the level's capacity of version 40, most of them short), and every version 1 to
// 40 given by the settings, the levels and kinds in turn.
std::vector<Case> QrCases(Random& rnd) {
    constexpr std::string_view kLevels = "LMQH";
    // Version 40 data codewords at L, M, Q, H (ISO/IEC 18004 Table 7), and the characters of
    // each kind a codeword holds, roughly.
    constexpr int kCodewords[] = {2956, 2334, 1666, 1276};
    constexpr double kPer[] = {2.4, 1.0, 0.6, 0.55, 1.5};
    std::vector<Case> cases;
    auto add = [&](int kind, std::size_t l, int version, double share) {
        const int length =
            std::max(1, static_cast<int>(kCodewords[l] * kPer[kind] * share * share));
        const char level = kLevels[l];
        const bool gs1 = kind == static_cast<int>(Kind::gs1);
        Case c{Matrix::qr_code,
               static_cast<Kind>(kind),
               RandomData(static_cast<Kind>(kind), length, rnd),
               std::string(rnd.Int(0, 1) ? "ecc=" : "ECC = ") +
                   static_cast<char>(rnd.Int(0, 1) ? level : level - 'A' + 'a'),
               QrOptions(level, version, gs1),
               std::string(1, level)};
        if (version > 0) c.settings += "; version=" + std::to_string(version);
        if (gs1) c.settings += "; gs1=on";
        Shorten(c, length, rnd);
        cases.push_back(std::move(c));
    };
    for (int kind = 0; kind < 5; ++kind) {
        for (std::size_t l = 0; l < kLevels.size(); ++l) {
            add(kind, l, 0, rnd.Int(1, 10) / 100.0);
            add(kind, l, 0, rnd.Int(10, 90) / 100.0);
        }
    }
    for (int version = 1; version <= 40; ++version) {
        add(version % 5, static_cast<std::size_t>(version % 4), version, version / 40.0);
    }
    return cases;
}

// Data Matrix: every one of the 30 ECC 200 sizes given by the settings (the data shortened
// until it fits), and every kind in the smallest square and rectangular sizes.
std::vector<Case> DataMatrixCases(Random& rnd) {
    // ISO/IEC 16022 Table 7: the 24 square sizes and the 6 rectangular ones.
    constexpr std::array<std::array<int, 2>, 30> kSizes = {
        {{10, 10}, {12, 12}, {14, 14}, {16, 16}, {18, 18},   {20, 20},   {22, 22},   {24, 24},
         {26, 26}, {32, 32}, {36, 36}, {40, 40}, {44, 44},   {48, 48},   {52, 52},   {64, 64},
         {72, 72}, {80, 80}, {88, 88}, {96, 96}, {104, 104}, {120, 120}, {132, 132}, {144, 144},
         {8, 18},  {8, 32},  {12, 26}, {12, 36}, {16, 36},   {16, 48}}};
    std::vector<Case> cases;
    auto add = [&](int kind, const std::string& size, int length) {
        Case c{Matrix::data_matrix, static_cast<Kind>(kind), "", "size=" + size, {}, {}};
        auto& o = c.options.data_matrix;
        o.gs1 = kind == static_cast<int>(Kind::gs1);
        const std::size_t by = size.find_first_of("xX");
        if (size == "Rectangle") {
            o.shape = DataMatrixOptions::Shape::rectangle;
        } else if (by != std::string::npos) {
            o.shape = DataMatrixOptions::Shape::fixed;
            o.rows = std::stoi(size.substr(0, by));
            o.columns = std::stoi(size.substr(by + 1));
        }
        if (o.gs1) c.settings += "; gs1=yes";
        c.data = RandomData(c.kind, length, rnd);
        Shorten(c, length, rnd);
        cases.push_back(std::move(c));
    };
    for (std::size_t i = 0; i < kSizes.size(); ++i) {
        const auto& size = kSizes[i];
        // (8 x 18 holds 5 codewords: no GTIN, which GS1 data starts with.)
        const int kind = i % 5 == 4 && size[0] * size[1] < 256 ? 0 : static_cast<int>(i % 5);
        add(kind, std::to_string(size[0]) + (i % 2 ? "x" : " X ") + std::to_string(size[1]),
            rnd.Int(1, size[0] * size[1] / 4));
    }
    for (int kind = 0; kind < 5; ++kind) {
        add(kind, "auto", rnd.Int(1, 400));
        add(kind, "square", rnd.Int(1, 40));
        add(kind, "Rectangle", rnd.Int(1, 20));
    }
    return cases;
}

// PDF417: every kind but GS1 at every level 0 to 8 and at the level of the data's length, with
// 1 to 30 columns given in turn or chosen.
std::vector<Case> Pdf417Cases(Random& rnd) {
    std::vector<Case> cases;
    int given = 0;
    for (int kind = 0; kind < 4; ++kind) {
        for (int level = -1; level <= 8; ++level) {
            Case c{Matrix::pdf417, static_cast<Kind>(kind), "", "", {}, {}};
            auto& o = c.options.pdf417;
            o.ecc = level;
            // Columns enough for the level's error correction codewords in 90 rows.
            const int fewest = level < 0 ? 1 : ((2 << level) + 2 + 89) / 90;
            o.columns = level % 3 == 0 ? 0 : std::max(fewest, given++ % 30 + 1);
            c.settings = level < 0 ? "ecc=auto" : "ecc=" + std::to_string(level);
            c.settings +=
                o.columns == 0 ? "; columns=auto" : "; Columns=" + std::to_string(o.columns);
            const int length = rnd.Int(1, level >= 7 ? 120 : 500);
            c.data = RandomData(c.kind, length, rnd);
            Shorten(c, length, rnd);
            if (level >= 0) c.level = std::to_string(level);
            cases.push_back(std::move(c));
        }
    }
    return cases;
}

std::string Shell(const std::string& command, int* status) {
    std::string output;
    if (std::FILE* p = popen((command + " 2>&1").c_str(), "r")) {
        char buffer[4096];
        std::size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, p)) > 0)
            output.append(buffer, n);
        *status = pclose(p);
    } else {
        *status = -1;
    }
    return output;
}

struct Count {
    int symbols = 0, font = 0, picture = 0, pdf = 0;
};

TEST(MatrixOracle, TextFontAndPictureDrawTheEncodersModulesAndReadBack) {
    test::StartedPlugin();
    Random rnd(2027);
    std::vector<Case> cases = QrCases(rnd);
    for (auto* make : {DataMatrixCases, Pdf417Cases}) {
        for (Case& c : make(rnd))
            cases.push_back(std::move(c));
    }
    const fs::path dir = fs::temp_directory_path() / ("orbx-2d-" + std::to_string(getpid()));
    fs::create_directories(dir);
    fonts::Typesetter setter(std::string(ORBX_FONTS_DIR "/Orbelantrix-2D.ttf"),
                             fonts::FamilyOf(render::Font::matrix).units_per_module);
    ASSERT_EQ(setter.error(), "");
    const fmxhost::Registration image = *host::FindFunction("Orbx_Image");

    struct Drawn {
        std::unique_ptr<ModuleMatrix> symbol;
        fs::path png;
        Variant variant;
        int quiet;
    };
    std::vector<Drawn> drawn(cases.size());
    std::map<Matrix, Count> counts;
    std::string pngs;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(std::string(FunctionOf(c.matrix)) + " " +
                     kKindNames[static_cast<int>(c.kind)] + " " + std::to_string(c.data.size()) +
                     " bytes, \"" + c.settings + "\"");
        auto symbol = std::make_unique<ModuleMatrix>();
        ASSERT_EQ(EncodeCase(c, *symbol), kStatusOk);
        ++counts[c.matrix].symbols;

        // The text, its modules in the font's meanings, and the font set by FreeType.
        const std::u16string text =
            host::EvaluateAll(test::Function(FunctionOf(c.matrix)),
                              {host::Utf8ToUtf16(c.data), host::Utf8ToUtf16(c.settings)})
                .text;
        const auto bytes = render::FontBytes(text);
        ASSERT_TRUE(bytes && !bytes->empty());
        const render::Rendering font = render::Render(render::Font::matrix, *bytes);
        ASSERT_TRUE(font.symbol) << font.error;
        EXPECT_EQ(GridDifference(*font.symbol, *symbol), "") << "the text";
        // zxing-cpp 1.4 reads no large symbol at 2 pixels a module, even drawn exactly.
        const bool large = symbol->width > kLargeAt2Pixels;
        double module = kFontModules[i % std::size(kFontModules)];
        if (large && module < 3) module = 3;
        const fonts::Setting set = setter.Set(text, module, 4);
        ASSERT_EQ(set.error, "");
        EXPECT_EQ(FontDifference(*font.symbol, set), "") << "set at " << module;
        const std::string font_read = ReadDifference(c, set.image);
        EXPECT_EQ(font_read, "") << "set at " << module << " pixels a module";
        if (font_read.empty()) ++counts[c.matrix].font;

        // The picture of the same data and settings.
        Variant v = kVariants[i % std::size(kVariants)];
        if (large && v.unit < 3) v = kVariants[0];
        const char* name = c.matrix == Matrix::qr_code       ? "QRCode"
                           : c.matrix == Matrix::data_matrix ? "DataMatrix"
                                                             : "PDF417";
        const host::Result r =
            host::EvaluateAll(image, {host::Utf8ToUtf16(name), host::Utf8ToUtf16(c.data),
                                      host::Utf8ToUtf16(c.settings + "; " + v.settings)});
        ASSERT_TRUE(r.container && r.container->Main());
        const fs::path png = dir / (std::to_string(i) + ".png");
        std::ofstream(png, std::ios::binary)
            .write(reinterpret_cast<const char*>(r.container->Main()->bytes.data()),
                   static_cast<std::streamsize>(r.container->Main()->bytes.size()));
        pngs += " " + png.string();
        if (i % kPdfEvery == 0) {
            // The PDF of the same picture, rasterised by poppler at its resolution.
            const host::Result pdf = host::EvaluateAll(
                image, {host::Utf8ToUtf16(name), host::Utf8ToUtf16(c.data),
                        host::Utf8ToUtf16(c.settings + "; format=pdf; " + v.settings)});
            ASSERT_TRUE(pdf.container && pdf.container->Main());
            EXPECT_EQ(pdf.container->Main()->type, "PDF ");
            const fs::path file = dir / (std::to_string(i) + ".pdf");
            std::ofstream(file, std::ios::binary)
                .write(reinterpret_cast<const char*>(pdf.container->Main()->bytes.data()),
                       static_cast<std::streamsize>(pdf.container->Main()->bytes.size()));
            int status = 0;
            const std::string checked = Shell("qpdf --check " + file.string(), &status);
            EXPECT_EQ(status, 0) << checked;
            const std::string page =
                Shell("pdftoppm -r " + std::to_string(v.dpi) + " -gray -singlefile " +
                          file.string() + " " + (dir / (std::to_string(i) + "-pdf")).string(),
                      &status);
            ASSERT_EQ(status, 0) << page;
        }
        const int quiet = c.matrix == Matrix::qr_code ? 4 : c.matrix == Matrix::data_matrix ? 1 : 2;
        drawn[i] = {std::move(symbol), png, v, quiet};
    }

    // Pillow decodes every PNG in one run.
    int status = 0;
    const std::string decoded = Shell(
        "/usr/bin/python3 " ORBX_SOURCE_DIR "/tests/oracle/decode_pictures.py" + pngs, &status);
    ASSERT_EQ(status, 0) << decoded;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        const Drawn& d = drawn[i];
        if (!d.symbol) continue;
        SCOPED_TRACE(std::string(FunctionOf(c.matrix)) + " " +
                     kKindNames[static_cast<int>(c.kind)] + " \"" + c.settings + "; " +
                     d.variant.settings + "\"");
        const Image png = ReadPgm(fs::path(d.png).replace_extension(".pgm"));
        EXPECT_EQ(PictureDifference(png, *d.symbol, d.quiet, d.variant.unit), "") << "PNG";
        const std::string read =
            ReadDifference(c, render::Bitmap{png.width, png.height, png.pixels});
        EXPECT_EQ(read, "") << "PNG";
        if (read.empty()) ++counts[c.matrix].picture;
        if (i % kPdfEvery != 0) continue;
        const Image page = ReadPgm(dir / (std::to_string(i) + "-pdf.pgm"));
        EXPECT_EQ(PictureDifference(page, *d.symbol, d.quiet, d.variant.unit), "") << "PDF";
        const std::string pdf_read =
            ReadDifference(c, render::Bitmap{page.width, page.height, page.pixels});
        EXPECT_EQ(pdf_read, "") << "PDF";
        if (pdf_read.empty()) ++counts[c.matrix].pdf;
    }
    for (const auto& [matrix, n] : counts) {
        std::cout << "[2D] " << FunctionOf(matrix) << ": " << n.symbols
                  << " symbols, the text's modules the encoder's; zxing-cpp read back " << n.font
                  << " from the font set by FreeType and " << n.picture << " from the PNG, "
                  << n.pdf << " from the PDF\n";
    }
    fs::remove_all(dir);
}

}  // namespace
}  // namespace orbx::oracle
