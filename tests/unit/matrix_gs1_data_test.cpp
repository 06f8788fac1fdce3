#include "encoders/matrix/gs1_data.h"

#include <gtest/gtest.h>

#include <string>

namespace orbx {
namespace {

struct Row {
    std::string text;
    std::string data;  // "" with ok false: refused
    bool ok = true;
};

TEST(Gs1ElementData, Table) {
    const Row rows[] = {
        {"(01)09501101530003(17)140704(10)AB-123", "01095011015300031714070410AB-123"},  // 0
        {"(10)AB-123(01)09501101530003",
         "10AB-123\x1D"
         "0109501101530003"},  // 1
        {"(3103)000189(21)12345(400)X",
         "3103000189"
         "2112345\x1D"
         "400X"},                                    // 2
        {"(8200)http://x.org", "8200http://x.org"},  // 3
        {"(00)123456789012345675(21)A",
         "00123456789012345675"
         "21A"},                                     // 4
        {"01095011015300031", "", false},            // 5
        {"(1)2", "", false},                         // 6
        {"(01234)5", "", false},                     // 7
        {"(01)", "", false},                         // 8
        {"(0A)12", "", false},                       // 9
        {"(01)12)3", "", false},                     // 10
        {"(01)12(10", "", false},                    // 11
        {"", "", false},                             // 12
        {"(10)" + std::string(91, '1'), "", false},  // 13
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        char out[256];
        const int n = Gs1ElementData(rows[i].text, out, sizeof out);
        if (!rows[i].ok) {
            EXPECT_EQ(n, -1);
        } else {
            ASSERT_GE(n, 0);
            EXPECT_EQ(std::string(out, static_cast<std::size_t>(n)), rows[i].data);
        }
    }
}

TEST(Gs1ElementData, NeverWritesPastItsCapacity) {
    const std::string text = "(10)ABCDEFGH(21)12345";
    char out[32];
    for (int capacity = 0; capacity <= 20; ++capacity) {
        SCOPED_TRACE(capacity);
        for (char& c : out)
            c = '#';
        const int n = Gs1ElementData(text, out, capacity);
        EXPECT_EQ(n, capacity >= 18 ? 18 : -1);
        for (int i = capacity; i < 32; ++i)
            ASSERT_EQ(out[i], '#');
    }
}

}  // namespace
}  // namespace orbx
