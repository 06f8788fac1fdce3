// Orbx_Image through the real plug-in: what its containers hold, and the empty text for
// everything that gives no picture.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/host.h"
#include "support/host_call.h"
#include "support/threads.h"

namespace orbx::test {
namespace {

host::Result Image(const std::vector<std::string>& parameters) {
    StartedPlugin();
    std::vector<std::u16string> units;
    for (const std::string& p : parameters)
        units.push_back(host::Utf8ToUtf16(p));
    return host::EvaluateAll(Function("Orbx_Image"), units);
}

struct ContainerRow {
    std::vector<std::string> parameters;
    std::vector<std::string> streams;  // the types in order
    std::string file_name;
    int width, height;  // pixels
};

// Sizes worked out by hand from the layout's rules: Code 128 "ABC" is 68 modules with 10 of
// quiet zone each side, 30 modules tall, the readable line 1 + 7.5 + 2 modules under it.
TEST(ImageFunction, ContainersHoldThePictureItsNameAndSize) {
    const std::vector<ContainerRow> rows = {
        /* 0 */ {{"Code128", "ABC"}, {"PNGf", "FNAM", "SIZE"}, "Code128.png", 88 * 4, 0},
        /* 1 */ {{"code128", "ABC", "text=off"}, {"PNGf", "FNAM", "SIZE"}, "Code128.png", 352, 120},
        /* 2 */
        {{"CODE128", "ABC", "format=pdf; text=off"},
         {"PDF ", "PNGf", "FNAM", "SIZE"},
         "Code128.pdf",
         352,
         120},
        /* 3 */
        {{"Code128", "ABC", "dpi=600; text=off; quiet=off"},
         {"PNGf", "FNAM", "SIZE"},
         "Code128.png",
         68 * 8,
         240},
        /* 4 */
        {{"Code128", "ABC", "module=1mm; height=10mm; text=off; dpi=254"},
         {"PNGf", "FNAM", "SIZE"},
         "Code128.png",
         88 * 10,
         100},
        /* 5 */
        {{"Code128", "ABC", "dpi=nonsense; module=; shape=round; text=off"},
         {"PNGf", "FNAM", "SIZE"},
         "Code128.png",
         352,
         120},
        // DataBar keeps its standard height, 33 modules, whatever the setting; of its 96
        // modules the first is light, so only the right side needs its module of margin.
        /* 6 */
        {{"DataBar", "00012345678905", "height=50mm"},
         {"PNGf", "FNAM", "SIZE"},
         "DataBar.png",
         (96 + 1) * 4,
         33 * 4},
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE("row " + std::to_string(i));
        const host::Result r = Image(rows[i].parameters);
        ASSERT_TRUE(r.container);
        std::vector<std::string> types;
        for (const auto& s : r.container->streams)
            types.push_back(s.type);
        EXPECT_EQ(types, rows[i].streams);
        EXPECT_EQ(host::Utf16ToUtf8(r.container->file_name), rows[i].file_name);
        EXPECT_TRUE(r.container->has_size);
        EXPECT_EQ(r.container->width, rows[i].width);
        if (rows[i].height > 0) {
            EXPECT_EQ(r.container->height, rows[i].height);
        }
        const auto& main = r.container->Main()->bytes;
        const std::string magic(main.begin(), main.begin() + 4);
        EXPECT_EQ(magic, rows[i].streams[0] == "PDF " ? "%PDF" : "\x89PNG");
    }
}

TEST(ImageFunction, GivesTheEmptyTextWhereThereIsNoPicture) {
    const std::vector<std::vector<std::string>> rows = {
        /* 0 */ {"Code128", ""},          // the function's empty text
        /* 1 */ {"Orbx_Code128", "ABC"},  // names are given without Orbx_
        /* 2 */ {"Code128HR", "ABC"},     // readable lines are no symbols
        /* 3 */ {"Uni_C128HR", "ABC"},
        /* 4 */ {"PluginVersion", "long"},
        /* 5 */ {"", "ABC"},
        /* 6 */ {"Code128"},                           // one parameter
        /* 7 */ {"DataBarLimited", "99999999999990"},  // the function refuses it
        /* 8 */ {std::string(100, 'C'), "ABC"},
        /* 9 */ {"Code128", std::string(910, 'A'), "module=25mm"},  // too wide at one pixel
        /* 10 */ {"USPS_IntelligentMail", "1234"},  // its text is "Incorrct data", no symbol
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE("row " + std::to_string(i));
        const host::Result r = Image(rows[i]);
        EXPECT_FALSE(r.container);
        EXPECT_EQ(r.text, u"");
    }
}

// A long symbol shrinks to fit 10,000 pixels: 910 characters at a 2-pixel module would not.
TEST(ImageFunction, AWideSymbolIsDrawnWithASmallerModule) {
    const host::Result r = Image({"Code128b", std::string(800, 'a'), "dpi=600; module=0.2mm"});
    ASSERT_TRUE(r.container);
    EXPECT_LE(r.container->width, 10000);
    EXPECT_GT(r.container->width, 800 * 11);
}

// Each thread draws with buffers of its own: pictures of different symbols and settings made on
// eight threads at once are the pictures made one at a time.
TEST(ImageConcurrency, EightThreadsDrawThePicturesOfOne) {
    const std::vector<std::vector<std::string>> calls = {
        {"Code128", "INV-2024/0815 ab Q17"},
        {"EAN13", "590123412345", "format=pdf"},
        {"DataBarExpanded", "(01)98898765432106(3202)012345(15)991231|4", "dpi=600"},
        {"USPS_IntelligentMail", "01234567094987654321", "quiet=off"},
        {"Uni_C39", "CODE-39|2.5|1", "module=0.5mm; text=off"},
        {"QRCode", "https://example.org/item?id=1234567890", "ecc=Q"},
        {"DataMatrix", "(01)09501101530003(17)140704(10)AB-123", "gs1=on; format=pdf"},
        {"PDF417", "PDF417 shipping label 0123456789 ABCDEFGHIJ", "columns=4; dpi=600"},
    };
    std::vector<std::vector<unsigned char>> alone;
    for (const auto& c : calls) {
        const host::Result r = Image(c);
        ASSERT_TRUE(r.container);
        alone.push_back(r.container->Main()->bytes);
    }
    ExpectNoThreadWrong(8, [&](int t) {
        int wrong = 0;
        for (int round = 0; round < 20; ++round) {
            const std::size_t k = static_cast<std::size_t>(t + round) % calls.size();
            const host::Result r = Image(calls[k]);
            if (!r.container || r.container->Main()->bytes != alone[k]) ++wrong;
        }
        return wrong;
    });
}

}  // namespace
}  // namespace orbx::test
