// The narrow/wide text-font functions (Code 39, Code 39 Mod 43, Codabar, Interleaved 2 of 5
// with and without Mod 10, MSI) and the Code 93 encoder against zint and zxing-cpp. zint draws
// these at its own wide-to-narrow ratio, so the symbols are compared element by element as
// narrow and wide; every element is fixed by the standards and must agree.
#include <ZXing/BarcodeFormat.h>

#include <array>

#include "encoders/linear/code93.h"
#include "oracle/oracle.h"

namespace orbx::oracle {
namespace {

struct Case {
    std::string parameter;
    std::string zint_data;
    int zint_option_2 = 0;
    std::string zxing_text;  // what zxing-cpp must read; empty: no read-back
};

std::string CompareElements(const Ours& ours, int symbology, const Case& c, int zxing_format) {
    if (!ours.symbol) return "our result " + Show(ours.bytes) + " draws no symbol: " + ours.error;
    const ZintSymbol zint =
        Zint(symbology, c.zint_data, [&](zint_symbol* s) { s->option_2 = c.zint_option_2; });
    if (!zint.ok) return "zint refuses " + Show(c.zint_data) + ": " + zint.error;
    const std::string a = NarrowWide(Crop(RowsOf(*ours.symbol))[0]);
    const std::string b = NarrowWide(Crop(zint.rows)[0]);
    if (a != b) return "elements differ\n  ours " + a + "\n  zint " + b;
    if (zxing_format != 0 && !c.zxing_text.empty()) {
        const ReadBack back = Read(*ours.symbol, zxing_format);
        if (!back.ok) return "zxing-cpp does not read our symbol";
        if (back.text != c.zxing_text) {
            return "zxing-cpp reads " + Show(back.text) + ", expected " + Show(c.zxing_text);
        }
    }
    return {};
}

std::string Compare(std::string_view function, int symbology, const Case& c, int zxing_format) {
    return CompareElements(Encode(function, c.parameter), symbology, c, zxing_format);
}

std::string Upper(std::string s) {
    for (char& ch : s) {
        if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 32);
    }
    return s;
}

// zint's human-readable text without the start and stop asterisks: the data as zxing-cpp reads
// it, check character included.
std::string Code39Text(const std::string& data, int check) {
    const ZintSymbol z = Zint(BARCODE_CODE39, data, [&](zint_symbol* s) { s->option_2 = check; });
    if (z.text.size() < 2) return {};
    std::string text = z.text.substr(1, z.text.size() - 2);
    // zint shows a check character of value 38, the space, as "_".
    if (check && !text.empty() && text.back() == '_') text.back() = ' ';
    return text;
}

constexpr std::string_view kCode39Chars = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";
constexpr std::string_view kCode39Lower = "0123456789abcdefghijklmnopqrstuvwxyzABCDEF-. $/+%";

TEST(Code39Oracle, AgreesWithZintAndZxing) {
    Tally tally("Orbx_Code39",
                {{"AB#C",
                  "a character Code 39 cannot encode passes through to the font, which "
                  "has no symbol character for it; zint refuses it"},
                 {"A*B",
                  "\"*\" passes through and draws a start/stop character inside the "
                  "symbol; zint refuses it"}});
    const std::vector<std::string> table = {
        /* 0 */ "CODE39",      /* 1 */ "abc",    /* 2 */ "A B", /* 3 */ "ab 12",
        /* 4 */ "PART-4711/B", /* 5 */ "$12.50", /* 6 */ "+%",  /* 7 */ "0",
        /* 8 */ "AB#C",        /* 9 */ "A*B",
    };
    std::vector<std::string> inputs = table;
    Random rnd(39);
    for (int i = 0; i < kRandomInputs; ++i)
        inputs.push_back(rnd.String(kCode39Lower, 1, 40));
    for (const std::string& in : inputs) {
        const std::string data = Upper(in);
        tally.Check(in, Compare("Orbx_Code39", BARCODE_CODE39, {in, data, 0, Code39Text(data, 0)},
                                static_cast<int>(ZXing::BarcodeFormat::Code39)));
    }
    tally.Finish();
}

TEST(Code39Mod43Oracle, AgreesWithZintAndZxing) {
    Tally tally("Orbx_Code39Mod43");
    const std::vector<std::string> table = {
        /* 0 */ "code-39",  // worked example: check "P"
        /* 1 */ "A?B",      // "?" dropped: same as AB, check "L"
        /* 2 */ "A B",      // space value 38
        /* 3 */ "W",        // value 32: check "W"
        /* 4 */ "ZZZZ",     // sum 140, check 11 "B"
        /* 5 */ "9V",       // 9 + 31 = 40: check "/"
        /* 6 */ "PO 4711/13",
    };
    std::vector<std::string> inputs = table;
    Random rnd(43);
    for (int i = 0; i < kRandomInputs; ++i)
        inputs.push_back(rnd.String(kCode39Lower, 1, 40));
    inputs.push_back("2Z");  // 2 + 35 = 37: check "."
    inputs.push_back("3Z");  // 3 + 35 = 38: check space, drawn by "="
    for (const std::string& in : inputs) {
        std::string data;
        for (char ch : Upper(in)) {
            if (kCode39Chars.find(ch) != std::string_view::npos) data += ch;
        }
        tally.Check(in,
                    Compare("Orbx_Code39Mod43", BARCODE_CODE39, {in, data, 1, Code39Text(data, 1)},
                            static_cast<int>(ZXing::BarcodeFormat::Code39)));
    }
    tally.Finish();
}

// Code 93 has no function of its own: its encoder is called directly.
TEST(Code93Oracle, AgreesWithZintAndZxing) {
    Tally tally("Orbelantrix_Code93 (no function)");
    std::vector<std::string> inputs = {"TEST93", "CODE 93", "abc-123", "$5.00+TAX%", "A", "0"};
    Random rnd(93);
    for (int i = 0; i < kRandomInputs; ++i)
        inputs.push_back(rnd.String(kCode39Lower, 1, 40));
    for (const std::string& in : inputs) {
        std::string data = in;
        std::array<char, 256> out{};
        Ours ours;
        if (Orbelantrix_Code93(data.data(), out.data(), static_cast<long>(out.size())) != 0) {
            tally.Check(in, "encoder status");
            continue;
        }
        ours.bytes = out.data();
        auto drawn = render::Render(render::Font::code93, ours.bytes);
        ours.symbol = drawn.symbol;
        ours.error = drawn.error;
        std::string diff;
        const std::string upper = Upper(in);
        const ZintSymbol zint = Zint(BARCODE_CODE93, upper);
        if (!ours.symbol) {
            diff = "no symbol: " + ours.error;
        } else if (!zint.ok) {
            diff = "zint refuses: " + zint.error;
        } else {
            diff = Difference(Crop(RowsOf(*ours.symbol)), Crop(zint.rows));
            if (diff.empty()) {
                const ReadBack back =
                    Read(*ours.symbol, static_cast<int>(ZXing::BarcodeFormat::Code93));
                if (!back.ok || back.text != upper) diff = "zxing-cpp reads " + Show(back.text);
            }
        }
        tally.Check(in, diff);
    }
    tally.Finish();
}

constexpr std::string_view kCodabarChars = "0123456789-$:/.+";

TEST(CodabarOracle, AgreesWithZintAndZxing) {
    Tally tally("Orbx_Codabar");
    const std::vector<std::string> table = {
        /* 0 */ "A123-45B",   // the data's own A and B are dropped
        /* 1 */ "c12.34d",    // lower-case letters dropped
        /* 2 */ "$1,000.00",  // the comma dropped
        /* 3 */ "31117013206375",
        /* 4 */ "+1:2/3",
        /* 5 */ "7",
    };
    std::vector<std::string> inputs = table;
    Random rnd(1);
    for (int i = 0; i < kRandomInputs; ++i)
        inputs.push_back(rnd.String(kCodabarChars, 1, 40));
    for (const std::string& in : inputs) {
        std::string kept;
        for (char ch : in) {
            if (kCodabarChars.find(ch) != std::string_view::npos) kept += ch;
        }
        // zxing-cpp reads Codabar of two data characters or more.
        const std::string zxing = kept.size() >= 2 ? kept : "";
        tally.Check(in, Compare("Orbx_Codabar", BARCODE_CODABAR, {in, "A" + kept + "B", 0, zxing},
                                static_cast<int>(ZXing::BarcodeFormat::Codabar)));
    }
    tally.Finish();
}

std::string DigitsOf(std::string_view s) {
    std::string d;
    for (char ch : s) {
        if (ch >= '0' && ch <= '9') d += ch;
    }
    return d;
}

void Interleaved(std::string_view function, bool check, unsigned seed) {
    Tally tally{std::string(function)};
    std::vector<std::string> inputs = {
        /* 0 */ "12345",         /* 1 */ "12-34",  /* 2 */ "9899",           /* 3 */ "9300",
        /* 4 */ "1234567",       /* 5 */ "123456", /* 6 */ "00012345678905",
        /* 7 */ "1540014128876",  // ITF-14 body
    };
    Random rnd(seed);
    for (int i = 0; i < kRandomInputs; ++i)
        inputs.push_back(rnd.Digits(rnd.Int(1, 30)));
    for (const std::string& in : inputs) {
        const std::string digits = DigitsOf(in);
        std::string full = check ? digits + Mod10(digits) : digits;
        if (full.size() % 2) full = "0" + full;
        // zxing-cpp reads Interleaved 2 of 5 of six digits or more.
        const std::string zxing = full.size() >= 6 ? full : "";
        tally.Check(in, Compare(function, BARCODE_C25INTER, {in, digits, check ? 1 : 0, zxing},
                                static_cast<int>(ZXing::BarcodeFormat::ITF)));
    }
    tally.Finish();
}

TEST(I2of5Oracle, AgreesWithZintAndZxing) {
    Interleaved("Orbx_I2of5", false, 25);
}

TEST(I2of5Mod10Oracle, AgreesWithZintAndZxing) {
    Interleaved("Orbx_I2of5Mod10", true, 2510);
}

TEST(MsiOracle, AgreesWithZint) {
    Tally tally("Orbx_MSI");
    std::vector<std::string> inputs = {"1234567", "80523",      "12-34",
                                       "0",       "9999999999", "123456789012345678901234567890"};
    Random rnd(16);
    for (int i = 0; i < kRandomInputs; ++i)
        inputs.push_back(rnd.Digits(rnd.Int(1, 30)));
    for (const std::string& in : inputs) {
        // zxing-cpp does not read MSI.
        tally.Check(in, Compare("Orbx_MSI", BARCODE_MSI_PLESSEY, {in, DigitsOf(in), 1, ""}, 0));
    }
    tally.Finish();
}

}  // namespace
}  // namespace orbx::oracle
