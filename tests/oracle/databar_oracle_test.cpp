// GS1 DataBar Omnidirectional, Stacked, Stacked Omnidirectional and Limited against zint and
// zxing-cpp. Every module is fixed by ISO/IEC 24724 and compared exactly, apart from two
// separator rules that zint reads differently (see the Stacked and Stacked Omnidirectional
// tests).
#include <ZXing/BarcodeFormat.h>

#include <iostream>
#include "oracle/oracle.h"

namespace orbx::oracle {
namespace {

// The 13 digits the encoders take from the data: the text cut or padded with zeros in front to
// 14 characters; the digits among its first 13 places (the 14th is the check digit's), with
// zeros put in behind the first one when fewer than 13 remain.
std::string Body(const std::string& text) {
    const std::string cut =
        text.size() >= 14 ? text.substr(0, 14) : std::string(14 - text.size(), '0') + text;
    std::string digits;
    for (char c : cut.substr(0, 13)) {
        if (c >= '0' && c <= '9') digits += c;
    }
    if (digits.size() < 13) digits.insert(1, 13 - digits.size(), '0');
    return digits;
}

// GTINs as users type them: 13-digit bodies, GTIN-14 with check digit, EAN-13, UPC-A, EAN-8.
std::string RandomGtin(Random& rnd, char first_max = '9') {
    std::string body = rnd.Digits(13);
    body[0] = static_cast<char>('0' + rnd.Int(0, first_max - '0'));
    switch (rnd.Int(0, 4)) {
        case 0:
            return body;
        case 1:
            return body + Mod10(body);
        case 2: {
            const std::string ean = body.substr(1);
            return ean + Mod10(ean);  // 13 digits: padded to the GTIN-14 0 + EAN-13
        }
        case 3: {
            const std::string upc = body.substr(2);
            return upc + Mod10(upc);
        }
        default: {
            const std::string ean8 = body.substr(6);
            return ean8 + Mod10(ean8);
        }
    }
}

struct Outcome {
    std::string difference;  // unexpected
    bool known = false;      // the only difference is a known one
};

std::string ReadBackCheck(const Ours& ours, bool pure, const std::string& body) {
    const ReadBack back = Read(ours, static_cast<int>(ZXing::BarcodeFormat::DataBar), pure);
    if (!back.ok) return "zxing-cpp does not read our symbol";
    const std::string expected = body + Mod10(body);
    if (back.text != expected && back.text != "01" + expected) {
        return "zxing-cpp reads " + back.text + ", expected " + expected;
    }
    return {};
}

TEST(DataBarOracle, OmnidirectionalAgreesWithZintAndZxing) {
    Tally tally("Orbx_DataBar");
    std::vector<std::string> inputs = {
        /* 0 */ "0001234567890",       // EAN-13 with check digit: body 0000123456789
        /* 1 */ "00012345678905",      // GTIN-14 with check digit
        /* 2 */ "5901234123457",       // EAN-13: padded to 05901234123457
        /* 3 */ "0000000000000",       // all characters 0
        /* 4 */ "9999999999999",       // the largest value
        /* 5 */ "(01)00012345678905",  // the AI is not understood: the body is 0001000123456
        /* 6 */ "20012345678909",
        /* 7 */ "0000000000011",  // 13 characters: padded to 14, body 0000000000001
    };
    Random rnd(32);
    for (int i = 0; i < kRandomInputs; ++i)
        inputs.push_back(RandomGtin(rnd));
    for (const std::string& in : inputs) {
        const std::string body = Body(in);
        const Ours ours = Encode("Orbx_DataBar", in);
        std::string d;
        if (!ours.symbol) {
            d = "no symbol: " + ours.error;
        } else {
            const ZintSymbol zint = Zint(BARCODE_DBAR_OMN, body);
            d = !zint.ok ? "zint refuses: " + zint.error
                         : Difference(Crop(RowsOf(*ours.symbol)), Crop(zint.rows));
            if (d.empty()) d = ReadBackCheck(ours, false, body);
        }
        tally.Check(in, d);
    }
    tally.Finish();
}

// Where two cropped symbols differ, except in rows listed as `excused`; fills `excused_differ`
// when an excused row differs.
std::string DifferenceExcept(const Modules& ours, const Modules& theirs,
                             const std::vector<std::size_t>& excused, bool& excused_differ) {
    excused_differ = false;
    if (ours.size() != theirs.size()) return Difference(ours, theirs);
    Modules a = ours;
    Modules b = theirs;
    for (std::size_t r : excused) {
        if (a[r] != b[r]) excused_differ = true;
        a[r] = b[r];
    }
    return Difference(a, b);
}

TEST(DataBarOracle, StackedAgreesWithZintAndZxing) {
    Tally tally("Orbx_DataBarStacked");
    std::vector<std::string> inputs = {
        /* 0 */ "0001234567890",   // EAN-13 with its check digit: body 0000123456789
        /* 1 */ "00012345678905",  // GTIN-14
        /* 2 */ "0000000000000",
        /* 3 */ "9999999999999",
    };
    Random rnd(35);
    for (int i = 0; i < kRandomInputs; ++i)
        inputs.push_back(RandomGtin(rnd));
    int separators_differ = 0;
    for (const std::string& in : inputs) {
        const std::string body = Body(in);
        const Ours ours = Encode("Orbx_DataBarStacked", in);
        std::string d;
        if (!ours.symbol) {
            d = "no symbol: " + ours.error;
        } else {
            const ZintSymbol zint = Zint(BARCODE_DBAR_STK, body);
            // The separator row (row 1) follows a rule zint reads differently: the two rows
            // themselves must agree module for module.
            bool separator_differs = false;
            d = !zint.ok ? "zint refuses: " + zint.error
                         : DifferenceExcept(Crop(RowsOf(*ours.symbol)), Crop(zint.rows), {1},
                                            separator_differs);
            separators_differ += separator_differs ? 1 : 0;
            if (d.empty()) d = ReadBackCheck(ours, true, body);
        }
        tally.Check(in, d);
    }
    tally.Finish();
    std::cout << "[oracle] Orbx_DataBarStacked: separator row differs from zint's in "
              << separators_differ << " of " << inputs.size() << " symbols (known)\n";
}

// The upper-bottom separator over a bottom-row finder of value 3: the font can draw a dark
// separator module only where the bottom row is light, so ours has one dark module, at column
// 28, where zint alternates.
bool FinderThreeSeparator(const Modules& ours, const Modules& theirs) {
    if (ours.size() != 5 || theirs.size() != 5) return false;
    for (std::size_t c = 0; c < ours[3].size(); ++c) {
        const bool in_finder = c >= 18 && c <= 31;
        if (!in_finder && ours[3][c] != theirs[3][c]) return false;
        if (in_finder && ours[3][c] != (c == 28 ? 1 : 0)) return false;
    }
    return true;
}

TEST(DataBarOracle, StackedOmnidirectionalAgreesWithZintAndZxing) {
    Tally tally("Orbx_DataBarStackedOmniDirectional");
    std::vector<std::string> inputs = {
        /* 0 */ "0001234567890",
        /* 1 */ "00012345678905",
        /* 2 */ "0000000000000",  // right finder of value 3
        /* 3 */ "9999999999999",
    };
    Random rnd(36);
    for (int i = 0; i < kRandomInputs; ++i)
        inputs.push_back(RandomGtin(rnd));
    int finder_three = 0;
    for (const std::string& in : inputs) {
        const std::string body = Body(in);
        const Ours ours = Encode("Orbx_DataBarStackedOmniDirectional", in);
        std::string d;
        if (!ours.symbol) {
            d = "no symbol: " + ours.error;
        } else {
            const ZintSymbol zint = Zint(BARCODE_DBAR_OMNSTK, body);
            const Modules a = Crop(RowsOf(*ours.symbol));
            const Modules b = Crop(zint.rows);
            bool separator_differs = false;
            d = !zint.ok ? "zint refuses: " + zint.error
                         : DifferenceExcept(a, b, {3}, separator_differs);
            if (d.empty() && separator_differs) {
                if (FinderThreeSeparator(a, b)) {
                    ++finder_three;
                } else {
                    d = Difference(a, b);
                }
            }
            if (d.empty()) d = ReadBackCheck(ours, true, body);
        }
        tally.Check(in, d);
    }
    tally.Finish();
    std::cout << "[oracle] Orbx_DataBarStackedOmniDirectional: finder-3 separator in "
              << finder_three << " of " << inputs.size() << " symbols (known)\n";
}

TEST(DataBarOracle, LimitedAgreesWithZint) {
    Tally tally("Orbx_DataBarLimited",
                {{"20012345678909",
                  "GTIN-14 indicator 2 is outside DataBar Limited (0 and 1 only); the encoder "
                  "encodes every value the symbol's arithmetic allows, zint refuses it"}});
    std::vector<std::string> inputs = {
        /* 0 */ "0000000000000",   // both characters of value 0
        /* 1 */ "15012345678907",  // GTIN-14 with indicator 1
        /* 2 */ "00012345678905",
        /* 3 */ "1999999999999",   // body 0199999999999
        /* 4 */ "19999999999999",  // the largest body with indicator 1
        /* 5 */ "20012345678909",
    };
    Random rnd(34);
    for (int i = 0; i < kRandomInputs; ++i)
        inputs.push_back(RandomGtin(rnd, '1'));
    for (const std::string& in : inputs) {
        const std::string body = Body(in);
        const Ours ours = Encode("Orbx_DataBarLimited", in);
        std::string d;
        if (!ours.symbol) {
            d = "no symbol: " + ours.error;
        } else {
            const ZintSymbol zint = Zint(BARCODE_DBAR_LTD, body);
            d = !zint.ok ? "zint refuses: " + zint.error
                         : Difference(Crop(RowsOf(*ours.symbol)), Crop(zint.rows));
        }
        // zxing-cpp 1.4 does not read DataBar Limited.
        tally.Check(in, d);
    }
    tally.Finish();
}

}  // namespace
}  // namespace orbx::oracle
