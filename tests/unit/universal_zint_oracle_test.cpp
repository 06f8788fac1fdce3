// The Universal symbols read back as modules and compared with zint's symbols for the same data.
// zint is an independent encoder: agreement checks our pattern tables, check characters and
// start/stop elements against it. Only data for which both choose the same code sets is used.
#ifdef ORBX_HAVE_ZINT

#include <gtest/gtest.h>
#include <zint.h>

#include <functional>
#include <string>
#include <vector>

#include "encoders/universal/uni_code128.h"
#include "encoders/universal/uni_code128_sets.h"
#include "encoders/universal/uni_narrow_wide.h"
#include "encoders/universal/uni_postal.h"

namespace orbx {
namespace {

// zint's first row as "1" (bar module) and "0" (space module), or its error text.
std::string zint_row(int symbology, const std::string& data, int option_2, int row = 0) {
    zint_symbol* symbol = ZBarcode_Create();
    symbol->symbology = symbology;
    symbol->option_2 = option_2;
    if (symbology == BARCODE_GS1_128) symbol->input_mode = GS1_MODE;
    const int rc = ZBarcode_Encode(symbol, reinterpret_cast<const unsigned char*>(data.data()),
                                   static_cast<int>(data.size()));
    std::string modules;
    if (rc >= ZINT_ERROR) {
        modules = std::string("zint error: ") + symbol->errtxt;
    } else {
        for (int c = 0; c < symbol->width; ++c) {
            modules += (symbol->encoded_data[row][c >> 3] >> (c & 7)) & 1 ? '1' : '0';
        }
        // zint's Codabar keeps the gap after the stop character.
        while (!modules.empty() && modules.back() == '0')
            modules.pop_back();
    }
    ZBarcode_Delete(symbol);
    return modules;
}

// Universal letters "A" to "P" as modules; the space after the last bar is left off on both
// sides, since it is quiet zone.
std::string letters_to_modules(const std::string& letters) {
    std::string modules;
    for (char l : letters) {
        if (l < 'A' || l > 'P') return "not a module letter: " + letters;
        const int code = l - 'A';
        modules.append(static_cast<std::size_t>(code / 4 + 1), '1');
        modules.append(static_cast<std::size_t>(code % 4 + 1), '0');
    }
    while (!modules.empty() && modules.back() == '0')
        modules.pop_back();
    return modules;
}

// Postal letters as bar heights: "T" tall, "s" short.
std::string postal_to_heights(const std::string& letters) {
    std::string heights;
    for (char l : letters) {
        if (l >= 'j' && l <= 'm') {
            heights += (l - 'j') & 2 ? 'T' : 's';
            heights += (l - 'j') & 1 ? 'T' : 's';
        } else {
            heights += l == 'n' ? 'T' : 's';
        }
    }
    return heights;
}

// zint's postal symbol (two rows: the upper half of the tall bars, then every bar) as heights.
std::string zint_heights(int symbology, const std::string& data) {
    const std::string top = zint_row(symbology, data, 0, 0);
    const std::string all = zint_row(symbology, data, 0, 1);
    std::string heights;
    for (std::size_t c = 0; c < all.size(); ++c) {
        if (all[c] == '1') heights += c < top.size() && top[c] == '1' ? 'T' : 's';
    }
    return heights;
}

using Encode = std::function<int(char* data, char* out, long capacity)>;

std::string ours(const Encode& encode, const std::string& data) {
    std::vector<char> out(2048, '\0');
    std::string in = data;
    const int status = encode(in.data(), out.data(), 2048);
    if (status != 0) return "status " + std::to_string(status);
    return out.data();
}

struct Row {
    const char* name;
    Encode encode;
    std::string data;
    int symbology;
    std::string zint_data;
    int zint_option_2;
};

TEST(UniversalZintOracle, ModulesMatchZint) {
    const Encode c128 = [](char* d, char* o, long c) {
        return Orbelantrix_Universal_C128(d, 0, o, c);
    };
    const Encode c128b = Orbelantrix_Universal_C128B;
    const Encode c128c = Orbelantrix_Universal_C128C;
    const Encode ucc = Orbelantrix_Universal_UCC128;
    const auto c39 = [](long check) {
        return Encode([check](char* d, char* o, long c) {
            return Orbelantrix_Universal_C39(d, 2.0, check, o, c);
        });
    };
    // zint draws Interleaved 2 of 5 at ratio 3 and the other narrow/wide codes at ratio 2.
    const auto i2of5 = [](long check) {
        return Encode([check](char* d, char* o, long c) {
            return Orbelantrix_Universal_I2of5(d, 3.0, check, o, c);
        });
    };
    const auto msi = [](long check) {
        return Encode([check](char* d, char* o, long c) {
            return Orbelantrix_Universal_MSI(d, 2.0, check, o, c);
        });
    };
    const auto codabar = [](const char* start, const char* stop) {
        return Encode([start, stop](char* d, char* o, long c) {
            std::string a = start;
            std::string b = stop;
            return Orbelantrix_Universal_Codabar(d, 2.0, a.data(), b.data(), o, c);
        });
    };
    const Row rows[] = {
        /*  0 */ {"C128", c128, "123456", BARCODE_CODE128, "123456", 0},
        /*  1 */ {"C128", c128, "12345", BARCODE_CODE128, "12345", 0},
        /*  2 */ {"C128", c128, "Code 128", BARCODE_CODE128, "Code 128", 0},
        /*  3 */ {"C128", c128, "abc", BARCODE_CODE128, "abc", 0},
        /*  4 */ {"C128", c128, "0123456789", BARCODE_CODE128, "0123456789", 0},
        /*  5 */ {"C128B", c128b, "Hello, World! ~{|}", BARCODE_CODE128B, "Hello, World! ~{|}", 0},
        /*  6 */ {"C128B", c128b, "12345678", BARCODE_CODE128B, "12345678", 0},
        /*  7 */ {"C128C", c128c, "1234567890", BARCODE_CODE128, "1234567890", 0},
        /*  8 */ {"UCC128", ucc, "0112345678901231", BARCODE_GS1_128, "[01]12345678901231", 0},
        /*  9 */ {"C39", c39(0), "A", BARCODE_CODE39, "A", 0},
        /* 10 */
        {"C39", c39(0), "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%", BARCODE_CODE39,
         "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%", 0},
        /* 11 */ {"C39 check", c39(1), "CODE39", BARCODE_CODE39, "CODE39", 1},
        /* 12 */ {"I2of5", i2of5(0), "12", BARCODE_C25INTER, "12", 0},
        /* 13 */ {"I2of5", i2of5(0), "0123456789", BARCODE_C25INTER, "0123456789", 0},
        /* 14 */ {"I2of5", i2of5(0), "123", BARCODE_C25INTER, "123", 0},
        /* 15 */ {"I2of5 check", i2of5(1), "1234567", BARCODE_C25INTER, "1234567", 1},
        /* 16 */ {"Codabar", codabar("A", "B"), "1234", BARCODE_CODABAR, "A1234B", 0},
        /* 17 */
        {"Codabar", codabar("C", "D"), "0123456789-$:/.+", BARCODE_CODABAR, "C0123456789-$:/.+D",
         0},
        /* 18 */ {"MSI", msi(0), "0123456789", BARCODE_MSI_PLESSEY, "0123456789", 0},
        /* 19 */ {"MSI check", msi(1), "1234567", BARCODE_MSI_PLESSEY, "1234567", 1},
        /* 20 */ {"MSI check", msi(1), "80523", BARCODE_MSI_PLESSEY, "80523", 1},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(testing::Message()
                     << "row " << i << " " << rows[i].name << " " << rows[i].data);
        EXPECT_EQ(letters_to_modules(ours(rows[i].encode, rows[i].data)),
                  zint_row(rows[i].symbology, rows[i].zint_data, rows[i].zint_option_2));
    }
}

TEST(UniversalZintOracle, PostalHeightsMatchZint) {
    // zint always appends the check digit.
    struct PostalRow {
        int symbology;
        std::string data;
    };
    const PostalRow rows[] = {
        /* 0 */ {BARCODE_POSTNET, "12345"},
        /* 1 */ {BARCODE_POSTNET, "123456789"},
        /* 2 */ {BARCODE_POSTNET, "01234567890"},
        /* 3 */ {BARCODE_PLANET, "12345678901"},
        /* 4 */ {BARCODE_PLANET, "0987654321098"},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(testing::Message() << "row " << i << " " << rows[i].data);
        const Encode encode = [planet = rows[i].symbology == BARCODE_PLANET](char* d, char* o,
                                                                             long c) {
            return planet ? Orbelantrix_Universal_Planet(d, 1, o, c)
                          : Orbelantrix_Universal_Postnet(d, 1, o, c);
        };
        EXPECT_EQ(postal_to_heights(ours(encode, rows[i].data)),
                  zint_heights(rows[i].symbology, rows[i].data));
    }
}

}  // namespace
}  // namespace orbx

#endif  // ORBX_HAVE_ZINT
