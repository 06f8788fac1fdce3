// The renderer on its own: font texts whose symbols are known (worked examples of each font
// family) drawn and compared with zint's symbol for the same data.
#include <algorithm>

#include "oracle/oracle.h"

namespace orbx::oracle {
namespace {

using render::Font;

render::Symbol Draw(Font font, std::string_view text) {
    render::Rendering r = render::Render(font, text);
    EXPECT_TRUE(r.symbol) << r.error;
    return r.symbol ? *r.symbol : render::Symbol{};
}

std::string Bytes(std::initializer_list<int> bytes) {
    std::string s;
    for (int b : bytes)
        s += static_cast<char>(b);
    return s;
}

struct ModuleRow {
    Font font;
    std::string text;  // font text
    int symbology;     // zint's symbology for the same data
    std::string data;
    int option_2;
    bool narrow_wide;  // compare elements as narrow/wide (zint draws a 2:1 ratio)
    std::string note;
};

const std::vector<ModuleRow> kModuleRows = {
    /* 0 */ {Font::code128, Bytes({204, 65, 66, 199, 44, 66, 88, 110, 89, 206}), BARCODE_CODE128,
             "AB12345678", 0, false, "Code 128 worked example"},
    /* 1 */
    {Font::universal, "EBJAFJCAGKAECEIGIAH", BARCODE_CODE128, "123456", 0, false,
     "Universal Code 128 example: Start C, 12, 34, 56"},
    /* 2 */
    {Font::universal, "EBDCCECMADBEAFDEFFBJEFJAIBFADFGIAH", BARCODE_CODE128, "Code 128", 0, false,
     "Universal Code 128 example in set B"},
    /* 3 */
    {Font::code93, "(TEST93+6)", BARCODE_CODE93, "TEST93", 0, false,
     "Code 93 example with C and K"},
    /* 4 */
    {Font::upc_ean, "u(9AB23E*LMNOPR(", BARCODE_EANX, "590123412345", 0, false, "EAN-13 example"},
    /* 5 */
    {Font::upc_ean, "U(a36000*MTLOPm(W", BARCODE_UPCA, "03600029145", 0, false, "UPC-A example"},
    /* 6 */ {Font::upc_ean, "U(E2FC61)Y", BARCODE_UPCE, "0425261", 0, false, "UPC-E example"},
    /* 7 */ {Font::upc_ean, "(5512*NOPR(", BARCODE_EANX, "5512345", 0, false, "EAN-8 example"},
    /* 8 */
    {Font::code39, "*CODE-39P*", BARCODE_CODE39, "CODE-39", 1, true, "Code 39 Mod 43 example"},
    /* 9 */ {Font::code39, "*A=B*", BARCODE_CODE39, "A B", 0, true, "space drawn by ="},
    /* 10 */
    {Font::universal, "CAIIAIACAICAIIA", BARCODE_CODE39, "A", 0, true,
     "Universal Code 39 example, ratio 3"},
    /* 11 */
    {Font::universal, "BAEEAEABAEBAEEA", BARCODE_CODE39, "A", 0, true,
     "Universal Code 39 example, ratio 2"},
    /* 12 */ {Font::codabar, "A123-45B", BARCODE_CODABAR, "A123-45B", 0, true, "Codabar example"},
    /* 13 */ {Font::codabar, "A$1000.00B", BARCODE_CODABAR, "A$1000.00B", 0, true, "Codabar"},
    /* 14 */
    {Font::i2of5, Bytes({203, 34, 56, 78, 204}), BARCODE_C25INTER, "12345", 0, true,
     "Interleaved 2 of 5 example: 012345"},
    /* 15 */
    {Font::i2of5, Bytes({203, 201, 202, 204}), BARCODE_C25INTER, "9899", 0, true,
     "pairs 98 and 99 drawn by 201 and 202"},
    /* 16 */
    {Font::universal, "AAEBAAFEA", BARCODE_C25INTER, "12", 0, true,
     "Universal Interleaved 2 of 5 example"},
    /* 17 */
    {Font::msi, "(12345674)", BARCODE_MSI_PLESSEY, "1234567", 1, true,
     "MSI example with its check digit"},
    /* 18 */
    {Font::universal, "YXYYYXX", BARCODE_MSI_PLESSEY, "7", 0, true,
     "Universal MSI example, ratio 2.5"},
};

TEST(Render, SymbolsOfWorkedExamplesMatchZint) {
    for (std::size_t i = 0; i < kModuleRows.size(); ++i) {
        const ModuleRow& row = kModuleRows[i];
        SCOPED_TRACE("row " + std::to_string(i) + ": " + row.note);
        const render::Symbol ours = Draw(row.font, row.text);
        const ZintSymbol zint =
            Zint(row.symbology, row.data, [&](zint_symbol* s) { s->option_2 = row.option_2; });
        ASSERT_TRUE(zint.ok) << zint.error;
        const Modules a = Crop(RowsOf(ours));
        const Modules b = Crop(zint.rows);
        if (row.narrow_wide) {
            EXPECT_EQ(NarrowWide(a[0]), NarrowWide(b[0]));
        } else {
            EXPECT_EQ(Difference(a, b), "");
        }
    }
}

TEST(Render, NarrowWideTextFontsDrawWideElementsThreeModulesWide) {
    const render::Symbol s = Draw(Font::code39, "*A*");
    const std::vector<int> runs = Runs(Crop(RowsOf(s))[0]);
    for (int r : runs)
        EXPECT_TRUE(r == 1 || r == render::kWideToNarrow) << r;
    // "*" draws nwnnwnwnn and its gap: 9 elements, 3 wide.
    ASSERT_GE(runs.size(), 9u);
    EXPECT_EQ(runs[1], 3);
    EXPECT_EQ(runs[4], 3);
}

TEST(Render, PostalBarsMatchZint) {
    struct PostalRow {
        Font font;
        std::string text;
        int symbology;
        std::string data;
        std::string note;
    };
    const std::vector<PostalRow> rows = {
        /* 0 */ {Font::postnet, "(123455)", BARCODE_POSTNET, "12345", "Postnet text example"},
        /* 1 */ {Font::postnet, "(1234567895)", BARCODE_POSTNET, "123456789", "ZIP+4"},
        /* 2 */
        {Font::universal, "njknjlnjmokjnkkokkon", BARCODE_POSTNET, "12345",
         "Universal Postnet example"},
        /* 3 */
        {Font::universal, "nmlomkomjnlmollnllnn", BARCODE_PLANET, "12345",
         "Universal Planet example"},
        /* 4 */
        {Font::intelligent_mail,
         "qsspqssrssqrsqqssrsrsqssrqprrpqrprpspppppsqspqqqqsrppsrqqrpsprsrs", BARCODE_USPS_IMAIL,
         "01234567094987654321", "USPS-B-3200 example, no routing"},
        /* 5 */
        {Font::intelligent_mail,
         "rssqpqrrsspsrspsprsrrqrqrqpqrpqsrrpsqqqprssqrpqqqsrprsrpqrrrsrpps", BARCODE_USPS_IMAIL,
         "01234567094987654321-01234", "with a ZIP Code"},
        /* 6 */
        {Font::intelligent_mail,
         "qqrspprpsrqrsqqrqqsprsrrqqqrrsrssrqpqrqrrrsppprrsssqrpqqqrpsrqqrq", BARCODE_USPS_IMAIL,
         "01234567094987654321-01234567891", "with ZIP+4+2"},
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE("row " + std::to_string(i) + ": " + rows[i].note);
        const render::Symbol ours = Draw(rows[i].font, rows[i].text);
        const ZintSymbol zint = Zint(rows[i].symbology, rows[i].data);
        ASSERT_TRUE(zint.ok) << zint.error;
        EXPECT_EQ(PostalBars(ours), PostalBars(zint));
    }
}

TEST(Render, DataBarRowBreakWithOrWithoutLineFeed) {
    const std::string line1(50, 'a');
    const std::string line2 = "aprsw" + std::string(45, 'a');
    const render::Symbol crlf = Draw(Font::databar_rows, line1 + "\r\n" + line2);
    const render::Symbol cr = Draw(Font::databar_rows, line1 + "\r" + line2);
    EXPECT_EQ(RowsOf(crlf), RowsOf(cr));
    ASSERT_EQ(crlf.rows.size(), 5u);
    // "p" is the lower separator, "r" also the middle row, "s" the upper separator, "w" the row.
    EXPECT_EQ(crlf.rows[1].modules[1], 1);
    EXPECT_EQ(crlf.rows[2].modules[2], 1);
    EXPECT_EQ(crlf.rows[3].modules[3], 1);
    EXPECT_EQ(crlf.rows[4].modules[4], 1);
    EXPECT_EQ(crlf.rows[4].modules[3], 0);
}

TEST(Render, DataBarStackedColumns) {
    // Value = bottom row × 4 + separator × 2 + top row.
    const render::Symbol s = Draw(Font::databar_stacked, "ajklmnoT");
    ASSERT_EQ(s.rows.size(), 3u);
    for (int v = 0; v < 8; ++v) {
        EXPECT_EQ(s.rows[0].modules[v], v & 1);
        EXPECT_EQ(s.rows[1].modules[v], (v >> 1) & 1);
        EXPECT_EQ(s.rows[2].modules[v], (v >> 2) & 1);
    }
}

// The terminal preview: a 2D symbol's module is a column and half a line (about square), a
// linear symbol's bars four lines tall however tall their rows.
TEST(Render, BlocksKeepTwoDimensionalModulesSquare) {
    struct Case {
        int rows;
        double height;
        long lines;
    };
    for (const Case& c : {Case{21, 1, 11}, Case{6, 3, 9}, Case{1, 50, 4}, Case{2, 34, 8}}) {
        render::Symbol s;
        s.quiet_zone = 1;
        s.rows.assign(c.rows, render::Row{std::vector<std::uint8_t>(5, 1), c.height});
        const std::string blocks = render::Blocks(s);
        EXPECT_EQ(std::count(blocks.begin(), blocks.end(), '\n'), c.lines)
            << c.rows << " rows of " << c.height << "\n"
            << blocks;
        EXPECT_EQ(blocks.substr(0, blocks.find('\n')), " \u2588\u2588\u2588\u2588\u2588 ");
    }
}

TEST(Render, CharactersWithoutMeaningAreReported) {
    EXPECT_FALSE(render::Render(Font::code128, Bytes({204, 128, 206})).symbol);
    EXPECT_FALSE(render::Render(Font::code39, "*A#*").symbol);
    EXPECT_FALSE(render::Render(Font::upc_ean, "(0Z").symbol);
    EXPECT_FALSE(render::Render(Font::intelligent_mail, "pqrst").symbol);
    EXPECT_NE(render::Render(Font::universal, "EBDx").error, "");
}

TEST(Render, FontBytesUndoTheWindows1252Conversion) {
    EXPECT_EQ(render::FontBytes(u"\u00CC~\u00CE"), Bytes({204, 126, 206}));
    EXPECT_EQ(render::FontBytes(u"\u20AC\u0178"), Bytes({128, 159}));
    EXPECT_FALSE(render::FontBytes(u"\u0100"));
}

TEST(Render, FontOfEveryBarcodeFunction) {
    EXPECT_EQ(render::FontOf("Orbx_Code128"), Font::code128);
    EXPECT_EQ(render::FontOf("UPCe"), Font::upc_ean);
    EXPECT_EQ(render::FontOf("Orbx_Uni_Planet"), Font::universal);
    EXPECT_EQ(render::FontOf("Orbx_DataBarStacked"), Font::databar_stacked);
    EXPECT_EQ(render::FontOf("Orbx_DataBarStackedOmniDirectional"), Font::databar_rows);
    EXPECT_FALSE(render::FontOf("Orbx_Code128HR"));
    EXPECT_FALSE(render::FontOf("Orbx_PluginVersion"));
}

}  // namespace
}  // namespace orbx::oracle
