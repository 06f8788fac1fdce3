// FileMaker Server evaluates calculations for many sessions at once: every function called
// from 8 threads must give exactly what it gives called alone.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "support/host_call.h"

namespace orbx {
namespace {

// A few parameters per function ID, realistic ones and odd ones.
const std::vector<std::pair<short, std::u16string>>& samples() {
    static const std::vector<std::pair<short, std::u16string>> list = {
        {1, u"long"},
        {1, u"autoupdate"},
        {2, u"AB12345678"},
        {2, u"~2020112345678901231"},
        {2, u"Invoice 2013-0042 ~m04|1"},
        {3, u"\u00CA0112345678901231"},
        {3, u"12345~m05 X~009Y"},
        {4, u"ABC"},
        {5, u"Hello World"},
        {6, u"A1B2C3 123456789"},
        {7, u"9899 12345"},
        {8, u"1234567"},
        {9, u"A123-45B $1,000.00"},
        {10, u"code-39"},
        {11, u"code-39 A?B"},
        {12, u"12345-6789"},
        {13, u"5512345"},
        {14, u"97802013796252495"},
        {15, u"0360002914512"},
        {16, u"1234567 80523"},
        {17, u"0425261"},
        {17, u"01234567890"},
        {18, u"Code 128 ~m05"},
        {18, u"abc\u0001def|1"},
        {19, u"ABC"},
        {20, u"abc"},
        {21, u"12a34"},
        {22, u"0112345678901231"},
        {23, u"12345-6789|1"},
        {24, u"12345|0"},
        {25, u"~202011234567890123~20210ABC123"},
        {26, u"abc*#|3|1"},
        {27, u"1234567|2.5|1"},
        {28, u"80523|2"},
        {29, u"123|2|CX|D"},
        {30, u"01234567094987654321"},
        {31, u"0123-4567-0949-8765-4321 01234567891"},
        {32, u"0001234567890"},
        {33, u"(01)98898765432106(3202)012345(15)991231"},
        {33, u"(01)98898765432106(3202)012345(15)991231|4"},
        {34, u"0001234567890"},
        {35, u"24012345678905"},
        {36, u"24012345678905"},
        {36, u"00000000000000"},
        {38, u"https://example.org/item?id=1234567890"},
        {38, u"Gr\u00FC\u00DFe \U0001F600"},
        {39, u"(01)09501101530003(17)140704(10)AB-123"},
        {39, u"\u00E9t\u00E9 12345678901234567890"},
        {40, u"PDF417 shipping label 0123456789 ABCDEFGHIJ"},
        {40, u"\u4E2D\u6587 text"},
    };
    return list;
}

TEST(Concurrency, EveryFunctionFromEightThreadsGivesTheSerialResults) {
    test::StartedPlugin();
    std::vector<fmxhost::Registration> functions;
    std::vector<std::u16string> serial;
    for (const auto& [id, parameter] : samples()) {
        functions.push_back(fmxhost::Registrations().at(static_cast<std::size_t>(id - 1)));
        ASSERT_EQ(functions.back().functionId, id);
        serial.push_back(host::Evaluate(functions.back(), &parameter));
    }
    std::atomic<int> mismatches{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t) {
        threads.emplace_back([&, t] {
            // Each thread walks the list from its own place, so different functions overlap.
            for (std::size_t round = 0; round < 40 * samples().size(); ++round) {
                const std::size_t i = (round * 7 + static_cast<std::size_t>(t) * 5) % serial.size();
                if (host::Evaluate(functions[i], &samples()[i].second) != serial[i]) ++mismatches;
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(mismatches.load(), 0);
}

}  // namespace
}  // namespace orbx
