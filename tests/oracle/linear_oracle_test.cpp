// The narrow/wide text-font functions (Code 39, Code 39 Mod 43, Codabar, Interleaved 2 of 5
// with and without Mod 10, MSI) and the Code 93 encoder against zint and zxing-cpp. zint draws
// these at its own wide-to-narrow ratio, so the symbols are compared element by element as
// narrow and wide; every element is fixed by the standards and must agree.
#include <ZXing/BarcodeFormat.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "encoders/linear/code93.h"
#include "oracle/oracle.h"
#include "support/host_call.h"

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
        const ReadBack back = Read(ours, zxing_format);
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
        ours.call = "Orbelantrix_Code93( " + in + " )";
        ours.bytes = out.data();
        ours.text = test::Cp1252(ours.bytes);
        auto drawn = render::Render(render::Font::code93, ours.bytes);
        ours.symbol = drawn.symbol;
        ours.error = drawn.error;
        if (ours.symbol) SetInFont(ours, render::Font::code93);
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
                const ReadBack back = Read(ours, static_cast<int>(ZXing::BarcodeFormat::Code93));
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

// ---- The Universal font's narrow/wide symbols, with their ratio and check options.

struct UniOptions {
    std::string text;  // "|ratio|flag" as the user appends it
    double ratio = 2;  // the ratio the symbol must be drawn at
    bool check = false;
};

// A ratio field (empty, 2, 2.5, 3 or one that falls back to 2) and a check flag field.
UniOptions RandomOptions(Random& rnd, bool check_default) {
    static const std::pair<std::string, double> kRatios[] = {
        {"", 2}, {"2", 2}, {"2.5", 2.5}, {"3", 3}, {"2.4", 2}, {"x", 2}, {" 3abc", 3}};
    const auto& [ratio_text, ratio] = kRatios[rnd.Int(0, 6)];
    UniOptions o{"", ratio, check_default};
    switch (rnd.Int(0, 2)) {
        case 0:
            o.text = ratio_text.empty() ? "" : "|" + ratio_text;
            break;
        case 1:
            o.text = "|" + (ratio_text.empty() ? "2" : ratio_text) + "|1";
            o.check = true;
            break;
        default:
            o.text = "|" + (ratio_text.empty() ? "2" : ratio_text) + "|0";
            o.check = false;
    }
    if (ratio_text.empty() && o.text.empty()) o.ratio = 2;
    return o;
}

// The wide elements of our symbol are `ratio` times the narrow ones.
std::string CheckRatio(const Ours& ours, double ratio) {
    if (!ours.symbol) return {};
    const std::vector<int> runs = Runs(Crop(RowsOf(*ours.symbol))[0]);
    const int narrow = *std::min_element(runs.begin(), runs.end());
    const int wide = *std::max_element(runs.begin(), runs.end());
    if (std::abs(static_cast<double>(wide) / narrow - ratio) > 1e-9) {
        return "drawn at ratio " + std::to_string(static_cast<double>(wide) / narrow) +
               ", expected " + std::to_string(ratio);
    }
    return {};
}

std::string CompareUni(std::string_view function, int symbology, const Case& c, double ratio,
                       int zxing_format) {
    const Ours ours = Encode(function, c.parameter);
    std::string d = CompareElements(ours, symbology, c, zxing_format);
    return d.empty() ? CheckRatio(ours, ratio) : d;
}

TEST(UniCode39Oracle, AgreesWithZintAndZxing) {
    Tally tally("Orbx_Uni_C39");
    std::vector<std::pair<std::string, UniOptions>> inputs = {
        /* 0 */ {"A", {"|3", 3, false}},          // example: CAIIAIACAICAIIA
        /* 1 */ {"A", {"", 2, false}},            // example: BAEEAEABAEBAEEA
        /* 2 */ {"A", {"|3|1", 3, true}},         // check: value 10 twice
        /* 3 */ {"abc*#", {"|2.5", 2.5, false}},  // upper-cased, "*" and "#" dropped
        /* 4 */ {"CODE-39", {"|2|1", 2, true}},
        /* 5 */ {"A B", {"||1", 2, false}},  // "||1" reads one empty field: no check
    };
    Random rnd(26);
    for (int i = 0; i < kRandomInputs; ++i) {
        inputs.emplace_back(rnd.String(kCode39Lower, 1, 30), RandomOptions(rnd, false));
    }
    for (const auto& [data, o] : inputs) {
        std::string kept;
        for (char ch : Upper(data)) {
            if (kCode39Chars.find(ch) != std::string_view::npos) kept += ch;
        }
        const int check = o.check ? 1 : 0;
        tally.Check(data + o.text,
                    CompareUni("Orbx_Uni_C39", BARCODE_CODE39,
                               {data + o.text, kept, check, Code39Text(kept, check)}, o.ratio,
                               static_cast<int>(ZXing::BarcodeFormat::Code39)));
    }
    tally.Finish();
}

TEST(UniI2of5Oracle, AgreesWithZintAndZxing) {
    Tally tally("Orbx_Uni_I2of5");
    std::vector<std::pair<std::string, UniOptions>> inputs = {
        /* 0 */ {"12", {"", 2, false}},          // example: AAEBAAFEA
        /* 1 */ {"123", {"", 2, false}},         // odd: 0123
        /* 2 */ {"1234567", {"|2|1", 2, true}},  // check 0, eight digits
        /* 3 */ {"0012-3456-7890", {"|3", 3, false}},
    };
    Random rnd(27);
    for (int i = 0; i < kRandomInputs; ++i) {
        inputs.emplace_back(rnd.Digits(rnd.Int(1, 30)), RandomOptions(rnd, false));
    }
    for (const auto& [data, o] : inputs) {
        const std::string digits = DigitsOf(data);
        std::string full = o.check ? digits + Mod10(digits) : digits;
        if (full.size() % 2) full = "0" + full;
        tally.Check(
            data + o.text,
            CompareUni("Orbx_Uni_I2of5", BARCODE_C25INTER,
                       {data + o.text, digits, o.check ? 1 : 0, full.size() >= 6 ? full : ""},
                       o.ratio, static_cast<int>(ZXing::BarcodeFormat::ITF)));
    }
    tally.Finish();
}

TEST(UniMsiOracle, AgreesWithZint) {
    Tally tally("Orbx_Uni_MSI");
    std::vector<std::pair<std::string, UniOptions>> inputs = {
        /* 0 */ {"7", {"|2.5|0", 2.5, false}},  // example: YXYYYXX
        /* 1 */ {"1234567", {"", 2, true}},     // check digit by default
        /* 2 */ {"80523", {"|3", 3, true}},
    };
    Random rnd(28);
    for (int i = 0; i < kRandomInputs; ++i) {
        inputs.emplace_back(rnd.Digits(rnd.Int(1, 30)), RandomOptions(rnd, true));
    }
    for (const auto& [data, o] : inputs) {
        tally.Check(data + o.text,
                    CompareUni("Orbx_Uni_MSI", BARCODE_MSI_PLESSEY,
                               {data + o.text, DigitsOf(data), o.check ? 1 : 0, ""}, o.ratio, 0));
    }
    tally.Finish();
}

TEST(UniCodabarOracle, AgreesWithZintAndZxing) {
    Tally tally("Orbx_Uni_Codabar",
                {{"1b2",
                  "a letter A to D inside the data is written as that start/stop "
                  "character, so the symbol holds a stop character among its data; zint "
                  "refuses start/stop characters inside the data"}});
    struct Input {
        std::string parameter, zint, data;
        double ratio;
    };
    std::vector<Input> inputs = {
        /* 0 */ {"123|2|CX|D", "C123D", "123", 2},  // start "C" (first character of its field)
        /* 1 */ {"123|3|x", "A123B", "123", 3},     // invalid start: "A"
        /* 2 */ {"123|3|a", "A123B", "123", 3},     // lower-case start: "A"
        /* 3 */ {"40156", "A40156B", "40156", 2},
        /* 4 */ {"1b2", "A1B2B", "", 2},  // a data letter is a start/stop character
    };
    Random rnd(29);
    for (int i = 0; i < kRandomInputs; ++i) {
        const std::string data = rnd.String(kCodabarChars, 1, 30);
        static const std::pair<std::string, double> kRatios[] = {{"", 2}, {"2.5", 2.5}, {"3", 3}};
        const auto& [ratio_text, ratio] = kRatios[rnd.Int(0, 2)];
        const char start = "ABCD"[rnd.Int(0, 3)];
        const char stop = "ABCD"[rnd.Int(0, 3)];
        inputs.push_back(
            {data + "|" + (ratio_text.empty() ? "2" : ratio_text) + "|" + start + "|" + stop,
             start + data + stop, data.size() >= 2 ? data : "", ratio});
    }
    for (const Input& in : inputs) {
        tally.Check(in.parameter, CompareUni("Orbx_Uni_Codabar", BARCODE_CODABAR,
                                             {in.parameter, in.zint, 0, in.data}, in.ratio,
                                             static_cast<int>(ZXing::BarcodeFormat::Codabar)));
    }
    tally.Finish();
}

}  // namespace
}  // namespace orbx::oracle
