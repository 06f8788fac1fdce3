// Postnet and USPS Intelligent Mail against zint: every bar's height is fixed by the USPS
// specifications and compared exactly. zxing-cpp reads neither.
#include "oracle/oracle.h"

namespace orbx::oracle {
namespace {

std::string ComparePostal(std::string_view function, const std::string& parameter, int symbology,
                          const std::string& zint_data) {
    const Ours ours = Encode(function, parameter);
    if (!ours.symbol) return "our result " + Show(ours.bytes) + " draws no symbol: " + ours.error;
    const ZintSymbol zint = Zint(symbology, zint_data);
    if (!zint.ok) return "zint refuses " + zint_data + ": " + zint.error;
    const std::string a = PostalBars(*ours.symbol);
    const std::string b = PostalBars(zint);
    if (a != b) return "bars differ\n  ours " + a + "\n  zint " + b;
    return {};
}

std::string DigitsOf(std::string_view s) {
    std::string d;
    for (char ch : s) {
        if (ch >= '0' && ch <= '9') d += ch;
    }
    return d;
}

TEST(PostnetOracle, AgreesWithZint) {
    Tally tally("Orbx_Postnet");
    std::vector<std::string> inputs = {
        /* 0 */ "12345",       // worked example
        /* 1 */ "12345-6789",  // ZIP+4, worked example
        /* 2 */ "55555",
        /* 3 */ "19",
        /* 4 */ "20500-0003-99",  // ZIP+4 and delivery point
        /* 5 */ "9",
    };
    Random rnd(12);
    constexpr int kLengths[] = {5, 9, 11};
    for (int i = 0; i < kRandomInputs; ++i) {
        const int n = rnd.Int(0, 3) ? kLengths[rnd.Int(0, 2)] : rnd.Int(1, 20);
        std::string zip = rnd.Digits(n);
        if (n >= 9 && rnd.Int(0, 1)) zip.insert(5, "-");
        inputs.push_back(zip);
    }
    for (const std::string& in : inputs) {
        tally.Check(in, ComparePostal("Orbx_Postnet", in, BARCODE_POSTNET, DigitsOf(in)));
    }
    tally.Finish();
}

// Tracking code and routing code as zint takes them.
std::string ImbZint(const std::string& digits) {
    return digits.size() == 20 ? digits : digits.substr(0, 20) + "-" + digits.substr(20);
}

void IntelligentMail(std::string_view function, unsigned seed) {
    Tally tally{std::string(function),
                {{"05234567094987654321",
                  "the second digit of the Barcode Identifier is above 4: the encoder encodes it "
                  "arithmetically as it stands, zint refuses it"}}};
    std::vector<std::string> inputs = {
        /* 0 */ "01234567094987654321",             // USPS-B-3200 example, no routing code
        /* 1 */ "0123456709498765432101234",        // with a ZIP Code
        /* 2 */ "01234567094987654321012345678",    // with ZIP+4
        /* 3 */ "0123456709498765432101234567891",  // with ZIP+4 and delivery point
        /* 4 */ "0123-4567-0949-8765-4321 ABC",     // separators and letters are ignored
        /* 5 */ "00270123456200800001987654321",
        /* 6 */ "05234567094987654321",
    };
    Random rnd(seed);
    constexpr int kRouting[] = {0, 5, 9, 11};
    for (int i = 0; i < kRandomInputs; ++i) {
        std::string tracking =
            rnd.Digits(1) + static_cast<char>('0' + rnd.Int(0, 4)) + rnd.Digits(18);
        inputs.push_back(tracking + rnd.Digits(kRouting[rnd.Int(0, 3)]));
    }
    for (const std::string& in : inputs) {
        tally.Check(in, ComparePostal(function, in, BARCODE_USPS_IMAIL, ImbZint(DigitsOf(in))));
    }
    tally.Finish();
}

TEST(IntelligentMailOracle, UniOneCodeAgreesWithZint) {
    IntelligentMail("Orbx_Uni_OneCode", 30);
}

TEST(IntelligentMailOracle, UspsIntelligentMailAgreesWithZint) {
    IntelligentMail("Orbx_USPS_IntelligentMail", 31);
}

// Universal Postnet and Planet: the check digit is optional ("|0" leaves it out). zint always
// adds it; without it the symbol is zint's with the check digit's five bars taken out.
void UniversalPostal(std::string_view function, int symbology, unsigned seed) {
    Tally tally{std::string(function)};
    std::vector<std::string> inputs = {
        /* 0 */ "12345",    // example, with the check digit
        /* 1 */ "12345|0",  // example, without it
        /* 2 */ "12345-6789", /* 3 */ "12345678901", /* 4 */ "1234567890123|1",
    };
    Random rnd(seed);
    constexpr int kLengths[] = {5, 9, 11, 13};
    for (int i = 0; i < kRandomInputs; ++i) {
        const int n = rnd.Int(0, 3) ? kLengths[rnd.Int(0, 3)] : rnd.Int(1, 20);
        const int flag = rnd.Int(0, 2);
        inputs.push_back(rnd.Digits(n) + (flag == 0 ? "" : flag == 1 ? "|1" : "|0"));
    }
    for (const std::string& in : inputs) {
        const bool check = !in.ends_with("|0");
        const std::string digits = DigitsOf(in.substr(0, in.find('|')));
        const Ours ours = Encode(function, in);
        std::string d;
        const ZintSymbol zint = Zint(symbology, digits);
        if (!ours.symbol) {
            d = "our result " + Show(ours.bytes) + " draws no symbol: " + ours.error;
        } else if (!zint.ok) {
            d = "zint refuses " + digits + ": " + zint.error;
        } else {
            std::string theirs = PostalBars(zint);
            if (!check) theirs.erase(1 + 5 * digits.size(), 5);
            const std::string a = PostalBars(*ours.symbol);
            if (a != theirs) d = "bars differ\n  ours " + a + "\n  zint " + theirs;
        }
        tally.Check(in, d);
    }
    tally.Finish();
}

TEST(UniPostnetOracle, AgreesWithZint) {
    UniversalPostal("Orbx_Uni_Postnet", BARCODE_POSTNET, 23);
}

TEST(UniPlanetOracle, AgreesWithZint) {
    UniversalPostal("Orbx_Uni_Planet", BARCODE_PLANET, 24);
}

}  // namespace
}  // namespace orbx::oracle
