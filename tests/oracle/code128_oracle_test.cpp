// Orbx_Code128 against zint and zxing-cpp. The choice of code sets may legitimately differ
// from zint's, so the symbols are compared by what a scanner reads from them: the check
// character, and the content decoded from the modules.
#include <ZXing/BarcodeFormat.h>

#include "oracle/code128_decode.h"
#include "oracle/oracle.h"

namespace orbx::oracle {
namespace {

struct Row {
    std::string parameter;  // the function's parameter
    std::string content;    // what the symbol must carry (FNC1 as kFnc1)
    std::string note;
    std::string gs1 = {};  // zint's bracketed form of GS1 content (empty: plain Code 128)
};

// zint's input for the same content: plain Code 128, or GS1-128 with bracketed AIs when the
// content starts with FNC1 (FNC1 after a variable-length AI is zint's to insert).
ZintSymbol ZintFor(const std::string& content, const std::string& gs1) {
    if (!gs1.empty()) {
        return Zint(BARCODE_GS1_128, gs1, [](zint_symbol* s) { s->input_mode = GS1_MODE; });
    }
    return Zint(BARCODE_CODE128, content);
}

// What zxing-cpp reports for content: GS1 data as its symbology identifier ]C1 and the later
// FNC1 separators as GS (29).
std::string ZxingText(const std::string& content) {
    std::string text;
    for (std::size_t i = content[0] == kFnc1 ? 1 : 0; i < content.size(); ++i) {
        text += content[i] == kFnc1 ? '\x1D' : content[i];
    }
    return text;
}

std::string Compare(const Row& row, std::string_view function, int fixed_set = 0) {
    const Ours ours = Encode(function, row.parameter);
    if (!ours.symbol) return "our result draws no symbol: " + ours.error;
    const auto cropped = Crop(RowsOf(*ours.symbol));
    const Code128Reading read = ReadCode128(cropped[0]);
    if (!read.error.empty()) return "our symbol does not read: " + read.error;
    if (!read.check_ok) return "our check character is wrong";
    if (read.content != row.content) {
        return "our symbol carries " + Show(read.content) + ", expected " + Show(row.content);
    }
    const ZintSymbol zint =
        fixed_set ? Zint(fixed_set, row.content) : ZintFor(row.content, row.gs1);
    if (!zint.ok) return "zint refuses: " + zint.error;
    // Where both symbols are held to one code set, their modules must agree as well.
    if (fixed_set) {
        if (std::string d = Difference(cropped, Crop(zint.rows)); !d.empty()) return d;
    }
    const Code128Reading theirs = ReadCode128(Crop(zint.rows)[0]);
    if (!theirs.error.empty() || !theirs.check_ok) return "zint's symbol does not read";
    if (theirs.content != read.content) {
        return "zint's symbol carries " + Show(theirs.content) + ", ours " + Show(read.content);
    }
    const ReadBack back = Read(ours, static_cast<int>(ZXing::BarcodeFormat::Code128));
    if (!back.ok) return "zxing-cpp does not read our symbol";
    const bool gs1_symbol = row.content[0] == kFnc1;
    if (gs1_symbol != (back.symbology == "]C1")) return "zxing-cpp symbology " + back.symbology;
    if (back.text != ZxingText(row.content)) {
        return "zxing-cpp reads " + Show(back.text) + ", expected " + Show(ZxingText(row.content));
    }
    return {};
}

const std::string kF(1, kFnc1);

// Realistic inputs; a GS1 row also gives zint's bracketed form.
const std::vector<Row> kTable = {
    /* 0 */ {"AB12345678", "AB12345678", "worked example: Code C after the letters"},
    /* 1 */ {"Code 128", "Code 128", "lower case and a space in set B"},
    /* 2 */ {"12345", "12345", "odd digit run: set C, then the last digit in B"},
    /* 3 */ {"A12345", "A12345", "letter, one digit in B, then set C"},
    /* 4 */ {"123", "123", "three digits stay in set B"},
    /* 5 */ {"1234", "1234", "four digits start in set C"},
    /* 6 */ {"Invoice 2013-0042", "Invoice 2013-0042", "invoice number"},
    /* 7 */ {"HELLO world", "HELLO world", ""},
    /* 8 */ {"ABC\tDEF", "ABC\tDEF", "a control character: set A"},
    /* 9 */
    {"abc\x01"
     "def",
     "abc\x01"
     "def",
     "set B, A and back to B"},
    /* 10 */ {"A~009B", "A\tB", "tilde escape of a control character"},
    /* 11 */ {"12345~m05", "123457", "check digit escape"},
    /* 12 */ {"~~", "~", "escaped tilde"},
    /* 13 */ {"~300", "~300", "not an accepted code: plain text"},
    /* 14 */ {"~202AB|0", "~202AB", "tilde processing off"},
    /* 15 */ {"0", "0", "one digit"},
    /* 16 */ {"00", "00", ""},
    /* 17 */
    {"0123456789012345678901234567890123456789", "0123456789012345678901234567890123456789",
     "40 digits"},
    /* 18 */ {"PO-4711/2013 ", "PO-4711/2013 ", "trailing space"},
    /* 19 */
    {"~2020112345678901231", kF + "0112345678901231", "GS1-128: GTIN", "[01]12345678901231"},
    /* 20 */
    {"~20201095011010209171725123110ABC123", kF + "01095011010209171725123110ABC123",
     "GS1-128: GTIN, expiry date, batch", "[01]09501101020917[17]251231[10]ABC123"},
    /* 21 */
    {"~20210LOT42~2023103001234", kF + "10LOT42" + kF + "3103001234",
     "GS1-128: batch, FNC1 separator, net weight", "[10]LOT42[3103]001234"},
    /* 22 */
    {"~20200012345678000000011", kF + "00012345678000000011", "GS1-128: SSCC",
     "[00]012345678000000011"},
};

// GS1 element strings from a handful of common AIs: the data for us and for zint.
struct Gs1 {
    std::string parameter, content, zint;
};

Gs1 RandomGs1(Random& rnd) {
    static constexpr std::string_view kAlnum =
        "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz-./";
    Gs1 g{"~202", kF, ""};
    const int count = rnd.Int(1, 4);
    for (int k = 0; k < count; ++k) {
        std::string ai, data;
        bool variable = false;
        switch (rnd.Int(0, 6)) {
            case 0: {
                ai = "01";
                const std::string body = rnd.Digits(13);
                data = body + Mod10(body);
                break;
            }
            case 1: {
                ai = "17";
                char date[7];
                std::snprintf(date, sizeof date, "%02d%02d%02d", rnd.Int(0, 99), rnd.Int(1, 12),
                              rnd.Int(1, 28));
                data = date;
                break;
            }
            case 2:
                ai = "10";
                data = rnd.String(kAlnum, 1, 20);
                variable = true;
                break;
            case 3:
                ai = "21";
                data = rnd.String(kAlnum, 1, 20);
                variable = true;
                break;
            case 4:
                ai = "3103";
                data = rnd.Digits(6);
                break;
            case 5:
                ai = "400";
                data = rnd.String(kAlnum, 1, 30);
                variable = true;
                break;
            default: {
                ai = "00";
                const std::string body = rnd.Digits(17);
                data = body + Mod10(body);
            }
        }
        g.parameter += ai + data;
        g.content += ai + data;
        g.zint += "[" + ai + "]" + data;
        if (variable && k + 1 < count) {
            g.parameter += "~202";
            g.content += kF;
        }
    }
    return g;
}

// Mixed data from the whole ASCII range: digit runs of every length, letters of both cases,
// punctuation and control characters ("|" starts the options, so it is not data here).
std::string RandomMixed(Random& rnd) {
    static constexpr std::string_view kUpper = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    static constexpr std::string_view kLower = "abcdefghijklmnopqrstuvwxyz";
    static constexpr std::string_view kPunct = " !\"#$%&'()*+,-./:;<=>?@[\\]^_`{}~";
    std::string s;
    const int parts = rnd.Int(1, 6);
    for (int p = 0; p < parts; ++p) {
        switch (rnd.Int(0, 4)) {
            case 0:
                s += rnd.Digits(rnd.Int(1, 12));
                break;
            case 1:
                s += rnd.String(kUpper, 1, 8);
                break;
            case 2:
                s += rnd.String(kLower, 1, 8);
                break;
            case 3:
                s += rnd.String(kPunct, 1, 4);
                break;
            default:
                s += static_cast<char>(rnd.Int(1, 31));
                break;
        }
    }
    return s;
}

// Compares each row of a table for one function.
void CheckRows(Tally& tally, const std::vector<Row>& table, std::string_view function,
               int fixed_set = 0) {
    for (std::size_t i = 0; i < table.size(); ++i) {
        SCOPED_TRACE("table row " + std::to_string(i));
        tally.Check(table[i].parameter, Compare(table[i], function, fixed_set));
    }
}

// Random mixed data with tilde processing off: every character is data.
void CheckRandomMixed(Tally& tally, Random& rnd, std::string_view function) {
    for (int i = 0; i < kRandomInputs; ++i) {
        const std::string data = RandomMixed(rnd);
        tally.Check(data + "|0", Compare(Row{data + "|0", data, "random"}, function));
    }
}

// Random GS1 element strings (GS1-128 carries at most 48 data characters); with
// `drop_leading_fnc1`, every other input leaves the leading FNC1 to the function.
void CheckRandomGs1(Tally& tally, Random& rnd, int count, std::string_view function,
                    bool drop_leading_fnc1 = false) {
    for (int i = 0; i < count; ++i) {
        Gs1 g = RandomGs1(rnd);
        while (g.content.size() > 49)
            g = RandomGs1(rnd);
        if (drop_leading_fnc1 && i % 2) g.parameter.erase(0, 4);
        tally.Check(g.parameter,
                    Compare(Row{g.parameter, g.content, "random GS1", g.zint}, function));
    }
}

// Random data of 1 to 40 characters from the codes first to last, carried as it stands.
void CheckRandomText(Tally& tally, Random& rnd, int first, int last, std::string_view function,
                     int fixed_set = 0) {
    std::string set;
    for (int c = first; c <= last; ++c)
        set += static_cast<char>(c);
    for (int i = 0; i < kRandomInputs; ++i) {
        const std::string data = rnd.String(set, 1, 40);
        tally.Check(data, Compare(Row{data, data, "random"}, function, fixed_set));
    }
}

// Random digit runs of 1 to 40 in set C, an odd count padded with a leading 0; with `dashes`,
// a quarter of them get a dash in the first two places, which set C drops.
void CheckRandomDigits(Tally& tally, Random& rnd, std::string_view function, bool dashes) {
    for (int i = 0; i < kRandomInputs; ++i) {
        std::string data = rnd.Digits(rnd.Int(1, 40));
        const std::string content = data.size() % 2 ? "0" + data : data;
        if (dashes && rnd.Int(0, 3) == 0) data.insert(static_cast<std::size_t>(rnd.Int(0, 1)), "-");
        tally.Check(data, Compare(Row{data, content, "random"}, function, BARCODE_CODE128));
    }
}

TEST(Code128Oracle, AgreesWithZintAndZxing) {
    Tally tally("Orbx_Code128");
    CheckRows(tally, kTable, "Orbx_Code128");
    Random rnd(128);
    CheckRandomMixed(tally, rnd, "Orbx_Code128");
    CheckRandomGs1(tally, rnd, kRandomInputs / 2, "Orbx_Code128");
    tally.Finish();
    EXPECT_GE(tally.compared(), kRandomInputs);
}

// Set A: the data characters are font characters as they stand, so the characters 96 to 126
// draw set A's control characters (for example "a" is SOH).
TEST(Code128aOracle, AgreesWithZintAndZxing) {
    Tally tally("Orbx_Code128a");
    const std::vector<Row> table = {
        /* 0 */ {"ABC", "ABC", "worked example: check value 0 drawn by 194"},
        /* 1 */ {"HELLO WORLD", "HELLO WORLD", ""},
        /* 2 */
        {"PART|4711",
         "PART\x1C"
         "4711",
         "no options: the bar is data, and draws FS"},
        /* 3 */ {"abc", "\x01\x02\x03", "the characters 97 to 99 draw SOH, STX, ETX"},
        /* 4 */ {"A`B", std::string("A") + '\0' + "B", "96 draws NUL"},
    };
    // zint takes the NUL of row 4 as data: its input is the content.
    CheckRows(tally, table, "Orbx_Code128a");
    Random rnd(1281);
    CheckRandomText(tally, rnd, 32, 95, "Orbx_Code128a");
    tally.Finish();
}

TEST(Code128bOracle, AgreesWithZintAndZxing) {
    Tally tally("Orbx_Code128b");
    const std::vector<Row> table = {
        /* 0 */ {"Hello", "Hello", "worked example"},
        /* 1 */ {"A B", "A B", "space drawn by 194"},
        /* 2 */ {"PART|4711", "PART|4711", "no options: the bar is data"},
        /* 3 */ {"12345678", "12345678", "digits stay in set B"},
    };
    CheckRows(tally, table, "Orbx_Code128b", BARCODE_CODE128B);
    Random rnd(1282);
    CheckRandomText(tally, rnd, 32, 126, "Orbx_Code128b", BARCODE_CODE128B);
    tally.Finish();
}

TEST(Code128cOracle, AgreesWithZintAndZxing) {
    Tally tally("Orbx_Code128c");
    const std::vector<Row> table = {
        /* 0 */ {"12345", "012345", "worked example: odd count padded"},
        /* 1 */ {"A1B2C3", "0123", "worked example: letters dropped"},
        /* 2 */ {"00", "00", "worked example: pair 00 drawn by 194"},
        /* 3 */ {"0012-3456-7890", "001234567890", ""},
    };
    CheckRows(tally, table, "Orbx_Code128c", BARCODE_CODE128);
    Random rnd(1283);
    CheckRandomDigits(tally, rnd, "Orbx_Code128c", true);
    tally.Finish();
}

// The Universal font writes the same Code 128 symbols with its own set choices and escapes:
// "~" and up to three digits is any character code (modulo 256).
TEST(UniCode128Oracle, AgreesWithZintAndZxing) {
    Tally tally("Orbx_Uni_C128");
    const std::vector<Row> table = {
        /* 0 */ {"123456", "123456", "example: Start C, 12, 34, 56"},
        /* 1 */ {"12345", "12345", "example: the last digit in set B"},
        /* 2 */ {"AB12345", "AB12345", "example: odd run gives its first digit to set B"},
        /* 3 */ {"Code 128", "Code 128", "example: set B throughout"},
        /* 4 */
        {"abc\x01"
         "def",
         "abc\x01"
         "def",
         "example: CODE A for the control character"},
        /* 5 */ {" lead", " lead", "a leading space selects Start B"},
        /* 6 */ {"\x01 A", "\x01 A", "a space met in set A goes to set B"},
        /* 7 */ {"A~065B", "AAB", "character escape"},
        /* 8 */ {"A~12", "A\x0C", "short character escape at the end"},
        /* 9 */ {"12345~m05", "123457", "check digit escape"},
        /* 10 */ {"~300X", ",X", "300 modulo 256 is 44"},
        /* 11 */ {"~202AB|0", "~202AB", "tilde processing off"},
        /* 12 */
        {"~2020112345678901231", kF + "0112345678901231", "example: GS1", "[01]12345678901231"},
        /* 13 */
        {"~20210LOT42~2023103001234", kF + "10LOT42" + kF + "3103001234", "GS1",
         "[10]LOT42[3103]001234"},
    };
    CheckRows(tally, table, "Orbx_Uni_C128");
    Random rnd(18);
    CheckRandomMixed(tally, rnd, "Orbx_Uni_C128");
    CheckRandomGs1(tally, rnd, kRandomInputs / 2, "Orbx_Uni_C128");
    tally.Finish();
}

TEST(UniUcc128Oracle, AgreesWithZintAndZxing) {
    Tally tally("Orbx_Uni_UCC128");
    const std::vector<Row> table = {
        /* 0 */ {"0112345678901231", kF + "0112345678901231", "example: FNC1 put in front",
                 "[01]12345678901231"},
        /* 1 */
        {"~2020112345678901231", kF + "0112345678901231", "example: FNC1 already there",
         "[01]12345678901231"},
        /* 2 */
        {"10ABC~20221XYZ", kF + "10ABC" + kF + "21XYZ", "separator escape", "[10]ABC[21]XYZ"},
    };
    CheckRows(tally, table, "Orbx_Uni_UCC128");
    Random rnd(22);
    CheckRandomGs1(tally, rnd, kRandomInputs, "Orbx_Uni_UCC128", true);
    tally.Finish();
}

TEST(UniCode128SetsOracle, AgreeWithZintAndZxing) {
    {
        Tally tally("Orbx_Uni_C128A");
        const std::vector<Row> table = {
            /* 0 */ {"ABC", "ABC", "example"},
            /* 1 */ {"abc", "\x01\x02\x03", "the characters 97 to 99 are SOH, STX, ETX"},
        };
        CheckRows(tally, table, "Orbx_Uni_C128A");
        Random rnd(19);
        CheckRandomText(tally, rnd, 32, 95, "Orbx_Uni_C128A");
        tally.Finish();
    }
    {
        Tally tally("Orbx_Uni_C128B");
        const std::vector<Row> table = {
            /* 0 */ {"abc", "abc", "example"},
            /* 1 */ {"PART|4711", "PART|4711", "no options: the bar is data"},
        };
        CheckRows(tally, table, "Orbx_Uni_C128B", BARCODE_CODE128B);
        Random rnd(20);
        CheckRandomText(tally, rnd, 32, 126, "Orbx_Uni_C128B", BARCODE_CODE128B);
        tally.Finish();
    }
    {
        Tally tally("Orbx_Uni_C128C");
        const std::vector<Row> table = {
            /* 0 */ {"12345", "012345", "example: padded"},
            /* 1 */ {"12a34", "1234", "example: the letter ignored"},
        };
        CheckRows(tally, table, "Orbx_Uni_C128C", BARCODE_CODE128);
        Random rnd(21);
        CheckRandomDigits(tally, rnd, "Orbx_Uni_C128C", false);
        tally.Finish();
    }
}

}  // namespace
}  // namespace orbx::oracle
