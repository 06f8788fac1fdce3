#include "encoders/universal/uni_postal.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "encoders/universal/universal_font.h"
#include "support/linear_encode.h"

namespace orbx {
namespace {

using Result = test::Encoded;

Result postal(bool planet, const std::string& data, long check) {
    return test::run_encoder(
        [planet, check](char* d, char* o, long c) {
            return planet ? Orbelantrix_Universal_Planet(d, check, o, c)
                          : Orbelantrix_Universal_Postnet(d, check, o, c);
        },
        data);
}

TEST(UniversalPostal, Table) {
    struct Row {
        bool planet;
        std::string data;
        long check;
        int status;
        std::string expected;
    };
    const Row rows[] = {
        // 0: worked example: the digits sum to 15, check digit 5
        {false, "12345", 1, kStatusOk, "njknjlnjmokjnkkokkon"},
        {false, "12345", 0, kStatusOk, "njknjlnjmokjnkkon"},  // 1: worked example: no check
        // 2: worked example: Planet, check digit 5 ("lln")
        {true, "12345", 1, kStatusOk, "nmlomkomjnlmollnllnn"},
        {true, "12345", 0, kStatusOk, "nmlomkomjnlmollnn"},  // 3
        {false, "ABC", 1, kStatusOk, "nmjon"},               // 4: worked example: check digit 0
        {false, "ABC", 0, kStatusOk, "nn"},                  // 5: worked example: frame only
        {true, "ABC", 1, kStatusEmptyData, ""},              // 6: worked example: Planet refuses
        // 7: every digit once: Postnet 0 is "mjo", 6 "klo", 7 "ljn", 8 "lko", 9 "llo"
        {false, "06789", 0, kStatusOk, "nmjokloljnlkollon"},
        // 8: Planet of the same digits
        {true, "06789", 0, kStatusOk, "njmnlknkmoklnkknn"},
        // 9: worked example: separators are ignored
        {false, "12345-6789", 0, kStatusOk, "njknjlnjmokjnkkokloljnlkollon"},
        {false, "12345", 7, kStatusOk, "njknjlnjmokjnkkokkon"},  // 10: any nonzero flag checks
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        const Result r = postal(rows[i].planet, rows[i].data, rows[i].check);
        EXPECT_EQ(r.status, rows[i].status);
        EXPECT_EQ(r.text, rows[i].expected);
    }
}

TEST(UniversalPostal, Statuses) {
    std::vector<char> out(8, '\0');
    EXPECT_EQ(Orbelantrix_Universal_Postnet(nullptr, 1, out.data(), 8), kStatusNullData);
    EXPECT_EQ(Orbelantrix_Universal_Planet(nullptr, 1, out.data(), 8), kStatusNullData);
    EXPECT_EQ(postal(false, "", 1).status, kStatusEmptyData);
    EXPECT_EQ(postal(true, "", 1).status, kStatusEmptyData);
    // The longest symbol, 512 digits with a check digit, fits the adapters' buffer.
    EXPECT_EQ(postal(false, std::string(600, '9'), 1).text.size(), 3u * 513 + 2);
}

}  // namespace
}  // namespace orbx
