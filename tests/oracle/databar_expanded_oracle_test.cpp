// GS1 DataBar Expanded and Expanded Stacked against zint and zxing-cpp. The encodation may
// legitimately differ from zint's, so the symbols are compared by what a scanner reads from
// them: zxing-cpp checks the check character and decodes the content, which must be the
// element strings given, and zint's symbol for the same element strings must read the same.
#include <ZXing/BarcodeFormat.h>

#include <iostream>

#include "oracle/oracle.h"

namespace orbx::oracle {
namespace {

constexpr char kFnc1 = '\xCA';

struct Element {
    std::string ai, data;
    bool variable;
};

// The parameter ("(AI)data" with FNC1 after a variable-length element string that is not
// last), zint's bracketed form, and the content as zxing-cpp reports it: "(AI)data" for each
// element string.
struct Gs1 {
    std::string parameter, zint, content;
};

Gs1 Build(const std::vector<Element>& elements) {
    Gs1 g;
    for (std::size_t k = 0; k < elements.size(); ++k) {
        const Element& e = elements[k];
        g.parameter += "(" + e.ai + ")" + e.data;
        g.zint += "[" + e.ai + "]" + e.data;
        g.content += "(" + e.ai + ")" + e.data;
        if (e.variable && k + 1 < elements.size()) g.parameter += kFnc1;
    }
    return g;
}

Element Gtin(Random& rnd, char first) {
    std::string body = std::string(1, first) + rnd.Digits(12);
    return {"01", body + Mod10(body), false};
}

Gs1 RandomElements(Random& rnd) {
    static constexpr std::string_view kAlnum = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-./";
    std::vector<Element> e;
    // Most start with a GTIN (compressed when its indicator is not 9).
    if (rnd.Int(0, 3)) e.push_back(Gtin(rnd, static_cast<char>('0' + rnd.Int(0, 9))));
    const int more = rnd.Int(e.empty() ? 1 : 0, 3);
    for (int k = 0; k < more; ++k) {
        switch (rnd.Int(0, 4)) {
            case 0:
                e.push_back({"10", rnd.String(kAlnum, 1, 12), true});
                break;
            case 1:
                e.push_back({"21", rnd.String(kAlnum, 1, 12), true});
                break;
            case 2: {
                char date[7];
                std::snprintf(date, sizeof date, "%02d%02d%02d", rnd.Int(0, 99), rnd.Int(1, 12),
                              rnd.Int(1, 28));
                e.push_back({rnd.Int(0, 1) ? "17" : "15", date, false});
                break;
            }
            case 3:
                e.push_back({"3103", rnd.Digits(6), false});
                break;
            default:
                e.push_back({"400", rnd.String(kAlnum, 1, 10), true});
        }
    }
    return Build(e);
}

// zxing-cpp 1.4 reads neither our nor zint's symbol for some element strings (a GTIN alone, for
// one); there the rows of our symbol must equal zint's for the same segments per row. Their
// separators are left out: zint reads the separator rule differently at the row ends.
int unread_by_zxing = 0;

std::string Compare(const std::string& parameter, const Gs1& g, int segments) {
    const Ours ours = Encode("Orbx_DataBarExpanded", parameter);
    if (!ours.symbol) return "our result " + Show(ours.bytes) + " draws no symbol: " + ours.error;
    const bool stacked = ours.symbol->rows.size() > 1;
    const ZintSymbol zint =
        Zint(stacked ? BARCODE_DBAR_EXPSTK : BARCODE_DBAR_EXP, g.zint, [&](zint_symbol* s) {
            s->input_mode = GS1_MODE;
            if (stacked) s->option_2 = segments / 2;
        });
    if (!zint.ok) return "zint refuses " + g.zint + ": " + zint.error;
    render::Symbol theirs;
    for (const auto& row : zint.rows)
        theirs.rows.push_back({row, stacked ? 1.0 : 34.0});
    const int format = static_cast<int>(ZXing::BarcodeFormat::DataBarExpanded);
    const ReadBack zback = Read(theirs, format, stacked);
    const ReadBack back = Read(ours, format, stacked);
    if (!back.ok) {
        if (zback.ok) return "zxing-cpp reads zint's symbol but not ours";
        ++unread_by_zxing;
        Modules a = Crop(RowsOf(*ours.symbol));
        Modules b = Crop(zint.rows);
        if (a.size() != b.size()) return "zxing-cpp reads neither symbol, rows differ in number";
        for (std::size_t r = 0; r < a.size(); ++r) {
            if (r % 4 != 0) a[r] = b[r];  // separator and middle rows
        }
        const std::string d = Difference(a, b);
        return d.empty() ? "" : "zxing-cpp reads neither symbol, and they differ: " + d;
    }
    if (back.text != g.content) {
        return "zxing-cpp reads " + Show(back.text) + ", expected " + Show(g.content);
    }
    if (zback.ok && zback.text != back.text) return "zint's symbol reads " + Show(zback.text);
    return {};
}

TEST(DataBarExpandedOracle, AgreesWithZintAndZxing) {
    Tally tally("Orbx_DataBarExpanded");
    const std::vector<std::pair<std::string, std::vector<Element>>> table = {
        /* 0 */ {
            "",
            {{"01", "98898765432106", false}, {"3202", "012345", false}, {"15", "991231", false}}},
        /* 1 */ {"", {{"01", "00012345678905", false}}},
        /* 2 */ {"", {{"01", "00012345678905", false}, {"10", "ABC123", true}}},
        /* 3 */ {"", {{"10", "LOT42", true}, {"21", "S/N-7", true}}},
        /* 4 */
        {"|4",
         {{"01", "98898765432106", false}, {"3202", "012345", false}, {"15", "991231", false}}},
        /* 5 */ {"|2", {{"01", "00012345678905", false}, {"10", "ABC123", true}}},
        /* 6 */
        {"|6", {{"01", "95012345678903", false}, {"3103", "000123", false}, {"10", "XYZ", true}}},
    };
    for (std::size_t i = 0; i < table.size(); ++i) {
        SCOPED_TRACE("table row " + std::to_string(i));
        const Gs1 g = Build(table[i].second);
        const std::string p = g.parameter + table[i].first;
        const int segments = table[i].first.empty() ? 22 : std::stoi(table[i].first.substr(1));
        tally.Check(p, Compare(p, g, segments));
    }
    Random rnd(33);
    for (int i = 0; i < kRandomInputs; ++i) {
        // At most 22 symbol characters: keep the element strings short enough.
        Gs1 g = RandomElements(rnd);
        while (g.parameter.size() > 48)
            g = RandomElements(rnd);
        // The option and the segments per row it gives (odd values go up by one, 0 is 22).
        static const std::pair<std::string, int> kSegments[] = {
            {"", 22}, {"", 22}, {"|2", 2}, {"|4", 4}, {"|6", 6}, {"|8", 8}, {"|3", 4}, {"|0", 22}};
        const auto& [option, segments] = kSegments[rnd.Int(0, 7)];
        tally.Check(g.parameter + option, Compare(g.parameter + option, g, segments));
    }
    tally.Finish();
    std::cout << "[oracle] Orbx_DataBarExpanded: " << unread_by_zxing
              << " symbols that zxing-cpp reads in neither form were compared with zint's "
                 "modules\n";
}

}  // namespace
}  // namespace orbx::oracle
