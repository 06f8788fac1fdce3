// EAN-13, EAN-8, UPC-A and UPC-E with their add-ons against zint and zxing-cpp. The modules of
// the main symbol and of the add-on are fixed by the standard and compared exactly; the gap
// between them may be 7 to 12 modules.
#include <ZXing/BarcodeFormat.h>

#include "oracle/oracle.h"

namespace orbx::oracle {
namespace {

struct Parts {
    std::vector<std::uint8_t> main, add_on;
    int gap = 0;
};

// Splits a cropped row at the first light run of 7 modules or more: no such run occurs inside
// a UPC/EAN symbol or an add-on.
Parts Split(const std::vector<std::uint8_t>& row) {
    Parts p;
    std::size_t i = 0;
    while (i < row.size()) {
        std::size_t j = i;
        while (j < row.size() && !row[j])
            ++j;
        if (j - i >= 7) {
            p.main.assign(row.begin(), row.begin() + static_cast<std::ptrdiff_t>(i));
            p.add_on.assign(row.begin() + static_cast<std::ptrdiff_t>(j), row.end());
            p.gap = static_cast<int>(j - i);
            return p;
        }
        i = j == i ? i + 1 : j;
    }
    p.main = row;
    return p;
}

struct Case {
    std::string parameter;
    int symbology;
    std::string zint_data;
    std::string zxing_text;  // main number and add-on as zxing-cpp reads them
};

std::string Compare(std::string_view function, const Case& c, int zxing_format) {
    const Ours ours = Encode(function, c.parameter);
    if (!ours.symbol) return "our result " + Show(ours.bytes) + " draws no symbol: " + ours.error;
    const ZintSymbol zint = Zint(c.symbology, c.zint_data);
    if (!zint.ok) return "zint refuses " + c.zint_data + ": " + zint.error;
    const Parts a = Split(Crop(RowsOf(*ours.symbol))[0]);
    const Parts b = Split(Crop(zint.rows)[0]);
    if (std::string d = Difference({a.main}, {b.main}); !d.empty()) return "main symbol: " + d;
    if (std::string d = Difference({a.add_on}, {b.add_on}); !d.empty()) return "add-on: " + d;
    if (!a.add_on.empty() && (a.gap < 7 || a.gap > 12)) {
        return "add-on gap of " + std::to_string(a.gap) + " modules";
    }
    const ReadBack back = Read(ours, zxing_format, false, !a.add_on.empty());
    if (!back.ok) return "zxing-cpp does not read our symbol";
    if (back.text != c.zxing_text) {
        return "zxing-cpp reads " + back.text + " (" + back.format + "), expected " + c.zxing_text;
    }
    return {};
}

std::string WithCheck(const std::string& body) {
    return body + Mod10(body);
}

// zint's add-on syntax and zxing-cpp's text for a symbol with an add-on.
std::string ZintData(const std::string& main, const std::string& add_on) {
    return add_on.empty() ? main : main + "+" + add_on;
}
std::string ZxingText(const std::string& main, const std::string& add_on) {
    return add_on.empty() ? main : main + " " + add_on;
}

constexpr int kEanUpc =
    static_cast<int>(ZXing::BarcodeFormat::EAN13) | static_cast<int>(ZXing::BarcodeFormat::EAN8) |
    static_cast<int>(ZXing::BarcodeFormat::UPCA) | static_cast<int>(ZXing::BarcodeFormat::UPCE);

TEST(Ean13Oracle, AgreesWithZintAndZxing) {
    Tally tally("Orbx_EAN13");
    struct Input {
        std::string parameter, main12, add_on;
    };
    std::vector<Input> inputs = {
        /* 0 */ {"590123412345", "590123412345", ""},            // worked example
        /* 1 */ {"5901234123457", "590123412345", ""},           // with its check digit
        /* 2 */ {"97802013796252495", "978020137962", "52495"},  // worked example, 5-digit add-on
        /* 3 */ {"978-0-201-37962-4 52495", "978020137962", "52495"},  // 18 digits, check dropped
        /* 4 */ {"400638133393112", "400638133393", "12"},
        /* 5 */ {"abc", "000000000000", ""},               // default number
        /* 6 */ {"1234567890123456", "000000000000", ""},  // 16 digits: default
        /* 7 */ {"4006381333931", "400638133393", ""},
    };
    Random rnd(13);
    for (int i = 0; i < kRandomInputs; ++i) {
        const std::string main = rnd.Digits(12);
        const int form = rnd.Int(0, 5);
        const std::string add_on = form >= 4 ? rnd.Digits(5) : form >= 2 ? rnd.Digits(2) : "";
        // Forms with a 13th digit carry a check digit, right or wrong: it is dropped either way.
        const std::string thirteenth = form % 2 ? rnd.Digits(1) : "";
        inputs.push_back({main + thirteenth + add_on, main, add_on});
    }
    for (const Input& in : inputs) {
        // zxing-cpp reports an EAN-13 number that begins with 0 as the UPC-A number without it.
        std::string gtin = WithCheck(in.main12);
        if (gtin[0] == '0') gtin.erase(0, 1);
        tally.Check(in.parameter,
                    Compare("Orbx_EAN13",
                            {in.parameter, BARCODE_EANX, ZintData(in.main12, in.add_on),
                             ZxingText(gtin, in.add_on)},
                            kEanUpc));
    }
    tally.Finish();
}

TEST(Ean8Oracle, AgreesWithZintAndZxing) {
    Tally tally("Orbx_EAN8");
    std::vector<std::pair<std::string, std::string>> inputs = {
        /* 0 */ {"5512345", "5512345"},   // worked example
        /* 1 */ {"55123457", "5512345"},  // with its check digit
        /* 2 */ {"12", "0005000"},        // default number
        /* 3 */ {"9638-5074", "9638507"},
        /* 4 */ {"123456789012", "1234567"},  // digits after the seventh are dropped
    };
    Random rnd(8);
    for (int i = 0; i < kRandomInputs; ++i) {
        const std::string main = rnd.Digits(7);
        inputs.emplace_back(main + (rnd.Int(0, 1) ? rnd.Digits(1) : ""), main);
    }
    for (const auto& [parameter, main] : inputs) {
        tally.Check(parameter, Compare("Orbx_EAN8",
                                       {parameter, BARCODE_EANX, main, WithCheck(main)}, kEanUpc));
    }
    tally.Finish();
}

TEST(UpcaOracle, AgreesWithZintAndZxing) {
    Tally tally("Orbx_UPCa");
    struct Input {
        std::string parameter, main11, add_on;
    };
    std::vector<Input> inputs = {
        /* 0 */ {"03600029145", "03600029145", ""},      // worked example
        /* 1 */ {"036000291452", "03600029145", ""},     // with its check digit
        /* 2 */ {"0360002914512", "03600029145", "12"},  // worked example, 2-digit add-on
        /* 3 */ {"x", "00000000000", ""},                // default number
        /* 4 */ {"0-12345-67890-5 54321", "01234567890", "54321"},
    };
    Random rnd(12);
    for (int i = 0; i < kRandomInputs; ++i) {
        const std::string main = rnd.Digits(11);
        const int form = rnd.Int(0, 5);
        const std::string add_on = form >= 4 ? rnd.Digits(5) : form >= 2 ? rnd.Digits(2) : "";
        const std::string twelfth = form % 2 ? rnd.Digits(1) : "";
        inputs.push_back({main + twelfth + add_on, main, add_on});
    }
    for (const Input& in : inputs) {
        tally.Check(in.parameter,
                    Compare("Orbx_UPCa",
                            {in.parameter, BARCODE_UPCA, ZintData(in.main11, in.add_on),
                             ZxingText(WithCheck(in.main11), in.add_on)},
                            kEanUpc));
    }
    tally.Finish();
}

// The UPC-A number a UPC-E number stands for (the standard's zero-suppression forms).
std::string Expand(const std::string& n_body) {
    const char n = n_body[0];
    const std::string d = n_body.substr(1);
    std::string a(1, n);
    switch (d[5]) {
        case '0':
        case '1':
        case '2':
            a += d.substr(0, 2) + d[5] + "0000" + d.substr(2, 3);
            break;
        case '3':
            a += d.substr(0, 3) + "00000" + d.substr(3, 2);
            break;
        case '4':
            a += d.substr(0, 4) + "00000" + d[4];
            break;
        default:
            a += d.substr(0, 5) + "0000" + d[5];
    }
    return a;
}

// A UPC-E body in its canonical form: each UPC-A number that can be compressed has exactly one.
std::string RandomBody(Random& rnd) {
    std::string d = rnd.Digits(6);
    switch (d[5]) {
        case '3':
            d[2] = static_cast<char>('3' + rnd.Int(0, 6));
            break;
        case '4':
            d[3] = static_cast<char>('1' + rnd.Int(0, 8));
            break;
        case '0':
        case '1':
        case '2':
            break;
        default:
            d[4] = static_cast<char>('1' + rnd.Int(0, 8));
    }
    return d;
}

TEST(UpceOracle, AgreesWithZintAndZxing) {
    Tally tally("Orbx_UPCe", {{"2425261",
                               "number system 2 is outside UPC-E; the encoder compresses it with "
                               "the number-system-0 parities and shows the digit 1, zint reads the "
                               "seven digits as number system 0 and 425261"},
                              {"0120003",
                               "a UPC-E body in a non-canonical form (d6 = 3 with d3 below 3): "
                               "the encoder expands and compresses it again to the canonical body "
                               "120000 of the same UPC-A number; zint refuses the input"}});
    struct Input {
        std::string parameter;
        int symbology;
        std::string zint_main, add_on, zxing_main;
    };
    std::vector<Input> inputs = {
        /* 0 */ {"0425261", BARCODE_UPCE, "0425261", "", "04252614"},  // worked example
        /* 1 */ {"425261", BARCODE_UPCE, "0425261", "", "04252614"},
        /* 2 */ {"04252614", BARCODE_UPCE, "0425261", "", "04252614"},
        /* 3 */ {"04210000526", BARCODE_UPCE, "0425261", "", "04252614"},
        /* 4 */ {"1425261", BARCODE_UPCE, "1425261", "", "14252611"},
        /* 5 */ {"0421000052612", BARCODE_UPCE, "0425261", "12", "04252614"},
        /* 6 */ {"04210000526412345", BARCODE_UPCE, "0425261", "12345", "04252614"},
        // Not compressible: a UPC-A symbol.
        /* 7 */ {"01234567890", BARCODE_UPCA, "01234567890", "", "012345678905"},
        /* 8 */ {"2425261", BARCODE_UPCE, "2425261", "", ""},
        /* 9 */ {"0120003", BARCODE_UPCE, "0120003", "", ""},
    };
    Random rnd(6);
    for (int i = 0; i < kRandomInputs; ++i) {
        const std::string n_body = std::string(1, rnd.Int(0, 1) ? '1' : '0') + RandomBody(rnd);
        const std::string upca = Expand(n_body);
        const std::string upce_text = n_body + Mod10(upca);
        switch (rnd.Int(0, 4)) {
            case 0:
                inputs.push_back({n_body, BARCODE_UPCE, n_body, "", upce_text});
                break;
            case 1:
                inputs.push_back({upce_text, BARCODE_UPCE, n_body, "", upce_text});
                break;
            case 2:
                inputs.push_back({upca, BARCODE_UPCE, n_body, "", upce_text});
                break;
            case 3: {
                const std::string add_on = rnd.Digits(2);
                inputs.push_back({upca + add_on, BARCODE_UPCE, n_body, add_on, upce_text});
                break;
            }
            default: {
                const std::string add_on = rnd.Digits(5);
                inputs.push_back(
                    {upca + Mod10(upca) + add_on, BARCODE_UPCE, n_body, add_on, upce_text});
            }
        }
    }
    for (const Input& in : inputs) {
        tally.Check(in.parameter,
                    Compare("Orbx_UPCe",
                            {in.parameter, in.symbology, ZintData(in.zint_main, in.add_on),
                             ZxingText(in.zxing_main, in.add_on)},
                            kEanUpc));
    }
    tally.Finish();
}

}  // namespace
}  // namespace orbx::oracle
