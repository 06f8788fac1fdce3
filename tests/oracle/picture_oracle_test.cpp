// Proof that Orbx_Image draws the symbol its function's text draws in the font. For every one of
// the 33 symbol functions, over a sample of the corpus (bench/corpus.py) and random data, the
// picture made through the real plug-in is decoded by independent readers and compared with the
// font:
// - the PNG decoded by Pillow must hold exactly the module rows of the renderer's symbol for the
//   font text, which FreeType's setting of that text in the Orbelantrix font must draw too
//   (Encode sets it and compares);
// - zxing-cpp must read the PNG as it reads the renderer's symbol, wherever it reads that
//   symbology;
// - the PDF, rasterised by poppler's pdftoppm at the picture's resolution, must give the same
//   modules and read the same; its preview is the PNG;
// - every PNG passes pngcheck and every PDF qpdf --check.
#include <ZXing/BarcodeFormat.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>

#include <unistd.h>

#include "host/host.h"
#include "oracle/oracle.h"
#include "plugin/function_rows.h"
#include "render/raster.h"
#include "support/host_call.h"

namespace orbx::oracle {
namespace {

namespace fs = std::filesystem;

// The 33 functions whose text draws a symbol, from the function rows.
std::vector<std::string> SymbolFunctions() {
    std::vector<std::string> names;
#define ORBX_NAME_ROW(id, adapter, prototype, ...) names.emplace_back(FunctionName(prototype));
    ORBX_FUNCTION_ROWS(ORBX_NAME_ROW)
#undef ORBX_NAME_ROW
    std::erase_if(names, [](const std::string& n) { return !render::FontOf(n); });
    return names;
}

std::string Shell(const std::string& command, int* status = nullptr) {
    std::string output;
    if (std::FILE* p = popen((command + " 2>&1").c_str(), "r")) {
        char buffer[4096];
        std::size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, p)) > 0)
            output.append(buffer, n);
        const int rc = pclose(p);
        if (status != nullptr) *status = rc;
    } else if (status != nullptr) {
        *status = -1;
    }
    return output;
}

// The corpus's parameters of each function, as bytes (each UTF-16 unit of the corpus below 256).
std::map<std::string, std::vector<std::string>> CorpusParameters() {
    std::map<std::string, std::vector<std::string>> by_function;
    std::istringstream lines(Shell("/usr/bin/python3 " ORBX_SOURCE_DIR "/bench/corpus.py"));
    std::string line;
    while (std::getline(lines, line)) {
        const std::size_t tab = line.find('\t');
        if (tab == std::string::npos) continue;
        std::string bytes;
        bool fits = true;
        for (std::size_t i = tab + 1; i < line.size(); ++i) {
            if (line[i] == '\\' && i + 1 < line.size() && line[i + 1] == '\\') {
                bytes += '\\';
                ++i;
            } else if (line[i] == '\\' && i + 5 < line.size() + 1 && line[i + 1] == 'u') {
                const unsigned code = std::stoul(line.substr(i + 2, 4), nullptr, 16);
                fits = fits && code < 256;
                bytes += static_cast<char>(code);
                i += 5;
            } else {
                bytes += line[i];
            }
        }
        if (fits) by_function["Orbx_" + line.substr(0, tab)].push_back(bytes);
    }
    return by_function;
}

// Random data of the kind each function encodes.
std::string RandomData(const std::string& f, Random& rnd) {
    if (f.find("DataBarExpanded") != std::string::npos) {
        const std::string gtin = rnd.Digits(13);
        return "(01)" + gtin + Mod10(gtin) + "(3103)" + rnd.Digits(6) + "(10)" + rnd.Digits(4);
    }
    if (f.find("DataBar") != std::string::npos) return rnd.Digits(13);
    if (f.find("EAN8") != std::string::npos) return rnd.Digits(7);
    if (f.find("EAN13") != std::string::npos) return rnd.Digits(rnd.Int(0, 1) ? 12 : 14);
    if (f.find("UPCa") != std::string::npos) return rnd.Digits(rnd.Int(0, 1) ? 11 : 16);
    if (f.find("UPCe") != std::string::npos) return "0" + rnd.Digits(6);
    if (f.find("Postnet") != std::string::npos) return rnd.Digits(rnd.Int(0, 1) ? 5 : 9);
    if (f.find("Planet") != std::string::npos) return rnd.Digits(11);
    if (f.find("OneCode") != std::string::npos || f.find("Intelligent") != std::string::npos) {
        return "0123456709" + rnd.Digits(10) + (rnd.Int(0, 1) ? rnd.Digits(11) : "");
    }
    if (f.find("Codabar") != std::string::npos) return rnd.String("0123456789-$:/.+", 1, 16);
    if (f.find("39") != std::string::npos) {
        return rnd.String("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%", 1, 16);
    }
    if (f.find("128") != std::string::npos && f.find("C128C") == std::string::npos &&
        f.find("128c") == std::string::npos) {
        return rnd.String("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 -./", 1,
                          24);
    }
    return rnd.Digits(rnd.Int(1, 16));
}

// The settings the pictures are drawn with, in turn: each names its module, so that the test
// knows the pixels of a module without the plug-in's defaults.
struct Variant {
    const char* settings;
    int dpi;
    double module_mm;
};
constexpr Variant kVariants[] = {
    {"module=0.254mm", 300, 0.254},
    {"dpi=600; module=0.33mm", 600, 0.33},
    {"module=13mil; quiet=off", 300, 0.3302},
    {"dpi=200; module=0.5mm; text=off", 200, 0.5},
    {"DPI = 300 ; Module = 0.42 mm ; Text = On", 300, 0.42},
};

struct Image {
    int width = 0, height = 0;
    std::vector<unsigned char> pixels;  // 0 dark, 255 light
    bool Dark(int x, int y) const {
        return x >= 0 && y >= 0 && x < width && y < height &&
               pixels[static_cast<std::size_t>(y) * width + x] < 128;
    }
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

// Where the image first differs from the symbol's modules, sampled at every module's centre in
// the middle of every row (each bar's three parts and its gap for the postal codes), from the
// top of the bars and the first bar's left edge; empty when it draws the same.
std::string ModuleDifference(const render::Symbol& symbol, const Image& image, int unit) {
    int top = -1;
    for (int y = 0; y < image.height && top < 0; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (image.Dark(x, y)) {
                top = y;
                break;
            }
        }
    }
    if (top < 0) return "the picture has no dark pixel";
    auto first_dark = [&](int y) {
        for (int x = 0; x < image.width; ++x)
            if (image.Dark(x, y)) return x;
        return -1;
    };
    if (symbol.postal()) {
        int left = image.width;
        for (int y = 0; y < image.height; ++y) {
            const int x = first_dark(y);
            if (x >= 0) left = std::min(left, x);
        }
        auto centre = [&](std::size_t k) {
            return left + 2 * static_cast<int>(k) * unit + unit / 2;
        };
        // The tracker: the rows in which every bar is dark.
        int tracker_top = -1, tracker_bottom = -1;
        for (int y = top; y < image.height; ++y) {
            bool all = true;
            for (std::size_t k = 0; k < symbol.bars.size() && all; ++k)
                all = image.Dark(centre(k), y);
            if (all && tracker_top < 0) tracker_top = y;
            if (all) tracker_bottom = y;
        }
        if (tracker_top < 0) return "no row crosses every bar";
        int bottom = tracker_bottom;
        for (int y = tracker_bottom; y < image.height; ++y) {
            for (std::size_t k = 0; k < symbol.bars.size(); ++k)
                if (image.Dark(centre(k), y)) bottom = y;
        }
        const int ascender = (top + tracker_top) / 2;
        const int descender = (tracker_bottom + bottom + 1) / 2;
        for (std::size_t k = 0; k < symbol.bars.size(); ++k) {
            const bool up = image.Dark(centre(k), ascender);
            const bool down = image.Dark(centre(k), descender);
            const bool gap = image.Dark(centre(k) + unit, (tracker_top + tracker_bottom) / 2);
            if (up != symbol.bars[k].ascender || down != symbol.bars[k].descender || gap) {
                return "bar " + std::to_string(k) + " differs";
            }
        }
        return {};
    }
    int first = -1;
    std::size_t first_row = 0;
    for (std::size_t r = 0; r < symbol.rows.size(); ++r) {
        const auto& m = symbol.rows[r].modules;
        for (std::size_t c = 0; c < m.size(); ++c) {
            if (m[c] && (first < 0 || static_cast<int>(c) < first)) {
                first = static_cast<int>(c);
                first_row = r;
            }
        }
    }
    std::vector<int> middles;
    double y = top;
    for (const render::Row& row : symbol.rows) {
        middles.push_back(static_cast<int>(y + row.height * unit / 2));
        y += row.height * unit;
    }
    const int left = first_dark(middles[first_row]);
    for (std::size_t r = 0; r < symbol.rows.size(); ++r) {
        const auto& m = symbol.rows[r].modules;
        for (int c = first - 2; c < static_cast<int>(m.size()) + 2; ++c) {
            const bool want = c >= 0 && c < static_cast<int>(m.size()) && m[c] != 0;
            const bool drawn = image.Dark(left + (c - first) * unit + unit / 2, middles[r]);
            if (want != drawn) {
                return "row " + std::to_string(r) + ", module " + std::to_string(c) + ": " +
                       (drawn ? "dark" : "light") + " in the picture, " +
                       (want ? "dark" : "light") + " in the font";
            }
        }
    }
    return {};
}

ReadBack ReadPicture(const Image& image, bool pure) {
    render::Bitmap bitmap{image.width, image.height, image.pixels};
    // Read through the oracle's reader: the same hints as for the renderer's symbol.
    return ReadImage(bitmap, static_cast<int>(ZXing::BarcodeFormat::LinearCodes), pure);
}

struct Count {
    int png = 0, pdf = 0, read = 0, readable = 0, too_large = 0;
};

TEST(PictureOracle, PicturesDrawTheFontsModulesAndReadBack) {
    const fs::path dir = fs::temp_directory_path() / ("orbx-pictures-" + std::to_string(getpid()));
    fs::create_directories(dir);
    const auto corpus = CorpusParameters();
    Random rnd(2026);
    const fmxhost::Registration image_function = [] {
        test::StartedPlugin();
        return *host::FindFunction("Orbx_Image");
    }();

    struct Case {
        std::string function, parameter;
        Variant variant;
        Ours ours;
        fs::path png, pdf;
    };
    std::vector<Case> cases;
    std::map<std::string, Count> counts;
    int serial = 0;
    for (const std::string& f : SymbolFunctions()) {
        std::vector<std::string> inputs;
        const auto& params = corpus.at(f);
        // Every fifth corpus parameter until ten have a symbol (every one, for the functions
        // that take few of the corpus's parameters), then random data.
        int taken = 0;
        for (std::size_t stride : {5, 1}) {
            for (std::size_t i = 0; i < params.size() && taken < 10; i += stride) {
                if (stride == 1 && i % 5 == 0) continue;
                // A result that draws a symbol (not Intelligent Mail's "Incorrct data").
                const auto bytes = render::FontBytes(test::Call(f, test::Latin1(params[i])));
                if (!bytes || bytes->empty() ||
                    !render::Render(*render::FontOf(f), *bytes).symbol) {
                    continue;
                }
                inputs.push_back(params[i]);
                ++taken;
            }
        }
        for (int i = 0; i < 10; ++i)
            inputs.push_back(RandomData(f, rnd));
        for (const std::string& parameter : inputs) {
            Ours ours = Encode(f, parameter);
            if (!ours.symbol) continue;
            const Variant v = kVariants[serial % std::size(kVariants)];
            const std::string name = f.substr(5);
            Case c{f, parameter, v, std::move(ours), {}, {}};
            const std::string stem = std::to_string(serial++) + "-" + name;
            for (bool pdf : {false, true}) {
                if (pdf && serial % 4 != 0) continue;
                const std::string settings = std::string(v.settings) + (pdf ? "; format=pdf" : "");
                const host::Result result = host::EvaluateAll(
                    image_function, {host::Utf8ToUtf16(name), test::Latin1(parameter),
                                     host::Utf8ToUtf16(settings)});
                SCOPED_TRACE(c.ours.call + " with " + settings);
                if (!result.container) {
                    // Only a symbol too wide for 10,000 pixels at one pixel a module is refused.
                    EXPECT_GT(c.ours.symbol->width(), 9000) << "no picture";
                    ++counts[f].too_large;
                    break;
                }
                const host::Container& box = *result.container;
                ASSERT_NE(box.Main(), nullptr);
                EXPECT_EQ(box.Main()->type, pdf ? "PDF " : "PNGf");
                EXPECT_EQ(host::Utf16ToUtf8(box.file_name), name + (pdf ? ".pdf" : ".png"));
                const fs::path file = dir / (stem + (pdf ? ".pdf" : ".png"));
                std::ofstream(file, std::ios::binary)
                    .write(reinterpret_cast<const char*>(box.Main()->bytes.data()),
                           static_cast<std::streamsize>(box.Main()->bytes.size()));
                (pdf ? c.pdf : c.png) = file;
                if (pdf) {
                    // The preview beside the PDF is the PNG of the same settings.
                    const auto preview = std::find_if(
                        box.streams.begin(), box.streams.end(),
                        [](const host::Container::Stream& s) { return s.type == "PNGf"; });
                    ASSERT_NE(preview, box.streams.end());
                    std::ifstream png(c.png, std::ios::binary);
                    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(png)),
                                                           std::istreambuf_iterator<char>());
                    EXPECT_EQ(preview->bytes, bytes) << "the preview is not the PNG";
                }
            }
            if (!c.png.empty()) cases.push_back(std::move(c));
        }
    }

    // pngcheck on every PNG at once; Pillow decodes them all in one run.
    std::string pngs;
    for (const Case& c : cases)
        pngs += " " + c.png.string();
    int status = 0;
    const std::string checked = Shell("pngcheck -q" + pngs, &status);
    EXPECT_EQ(status, 0) << "pngcheck: " << checked;
    const std::string decoded = Shell(
        "/usr/bin/python3 " ORBX_SOURCE_DIR "/tests/oracle/decode_pictures.py" + pngs, &status);
    ASSERT_EQ(status, 0) << decoded;
    std::map<std::string, int> dpi_of;
    {
        std::istringstream lines(decoded);
        std::string path;
        int w = 0, h = 0, dpi = 0;
        while (lines >> path >> w >> h >> dpi)
            dpi_of[path] = dpi;
    }

    for (const Case& c : cases) {
        SCOPED_TRACE(c.ours.call + " with " + c.variant.settings);
        Count& count = counts[c.function];
        const render::Symbol& symbol = *c.ours.symbol;
        EXPECT_EQ(dpi_of[c.png.string()], c.variant.dpi) << "pHYs";
        const Image png = ReadPgm(fs::path(c.png).replace_extension(".pgm"));
        // The module the settings ask for, rounded to whole pixels; a symbol too wide for the
        // largest picture at that module is drawn with the module halved until it fits.
        int unit =
            std::max(1, static_cast<int>(std::lround(c.variant.module_mm * symbol.module_width *
                                                     c.variant.dpi / 25.4)));
        while (unit > 1 && symbol.width() * unit > png.width)
            unit = std::max(1, unit / 2);
        const std::string difference = ModuleDifference(symbol, png, unit);
        EXPECT_EQ(difference, "") << "PNG";
        const bool pure = c.function.find("DataBar") != std::string::npos;
        const ReadBack ours =
            Read(symbol, static_cast<int>(ZXing::BarcodeFormat::LinearCodes), pure);
        const ReadBack back = ReadPicture(png, pure);
        ++count.png;
        if (ours.ok) {
            ++count.readable;
            EXPECT_TRUE(back.ok && back.text == ours.text)
                << "zxing-cpp reads the font's symbol as " << Show(ours.text) << ", the PNG as "
                << (back.ok ? Show(back.text) : "nothing");
            if (back.ok && back.text == ours.text) ++count.read;
        }
        if (c.pdf.empty()) continue;
        const std::string qpdf = Shell("qpdf --check " + c.pdf.string(), &status);
        EXPECT_EQ(status, 0) << "qpdf: " << qpdf;
        const fs::path raster = fs::path(c.pdf).replace_extension("");
        const std::string poppler =
            Shell("pdftoppm -r " + std::to_string(c.variant.dpi) + " -gray -singlefile " +
                      c.pdf.string() + " " + raster.string(),
                  &status);
        ASSERT_EQ(status, 0) << poppler;
        const Image page = ReadPgm(raster.string() + ".pgm");
        EXPECT_EQ(page.width, png.width);
        EXPECT_EQ(page.height, png.height);
        EXPECT_EQ(ModuleDifference(symbol, page, unit), "") << "PDF";
        const ReadBack pdf_back = ReadPicture(page, pure);
        EXPECT_EQ(pdf_back.ok, back.ok);
        EXPECT_EQ(pdf_back.text, back.text);
        ++count.pdf;
    }
    int total = 0;
    for (const auto& [function, n] : counts) {
        std::cout << "[picture] " << function << ": " << n.png
                  << " PNG compared module for module, " << n.pdf << " PDF, zxing-cpp read "
                  << n.read << " of the " << n.readable << " it reads in the font"
                  << (n.too_large ? ", " + std::to_string(n.too_large) + " too wide" : "") << "\n";
        EXPECT_GT(n.png, 0) << function;
        total += n.png;
    }
    EXPECT_EQ(counts.size(), 33u);
    std::cout << "[picture] " << total << " pictures of " << counts.size() << " functions\n";
    fs::remove_all(dir);
}

}  // namespace
}  // namespace orbx::oracle
