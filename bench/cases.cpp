#include "bench/cases.h"

#include <zint.h>

namespace orbx::bench {

namespace {

// The same few data items serve several functions.
constexpr std::string_view kMixed20 = "INV-2024/0815 ab Q17";         // 20 mixed characters
constexpr std::string_view kUpper20 = "INV-2024/0815 AB Q17";         // the same for set A
constexpr std::string_view kDigits20 = "12345678901234567890";        // 20 digits
constexpr std::string_view kItf14 = "10012345678902";                 // ITF-14 shipping code
constexpr std::string_view kCodabar = "40156-123456";                 // library-card style
constexpr std::string_view kCodabarZint = "A40156-123456B";           // zint wants start and stop
constexpr std::string_view kCode39 = "CODE39 PART-1234/X";            // 18 characters
constexpr std::string_view kZipPlus4 = "12345-6789";                  // ZIP+4
constexpr std::string_view kMsi = "1234567890";                       // 10 digits
constexpr std::string_view kImb = "0123456709498765432101234567891";  // 31 digits
constexpr std::string_view kImbZint = "01234567094987654321-01234567891";
constexpr std::string_view kGtin14 = "09501101530003";  // GTIN-14 with check digit
constexpr std::string_view kGtin13 = "0950110153000";   // zint takes it without

constexpr ZintCall kNoZint{};

constexpr ZintCall zint(int symbology, std::string_view data, int option_2 = 0) {
    return {symbology, option_2, DATA_MODE, data};
}

}  // namespace

// clang-format off
const std::array<Case, kCaseCount> kCases = {{
    {1, "keyword \"long\"", "long", kNoZint, "no encoder"},
    {2, "20 mixed characters", kMixed20, zint(BARCODE_CODE128, kMixed20), ""},
    {3, "20 mixed characters", kMixed20, zint(BARCODE_CODE128, kMixed20),
     "zint: the Code 128 symbol with its text line"},
    {4, "20 upper-case characters", kUpper20, zint(BARCODE_CODE128, kUpper20),
     "zint: automatic sets"},
    {5, "20 mixed characters", kMixed20, zint(BARCODE_CODE128B, kMixed20), ""},
    {6, "20 digits", kDigits20, zint(BARCODE_CODE128, kDigits20), ""},
    {7, "ITF-14, 14 digits", kItf14, zint(BARCODE_C25INTER, kItf14), ""},
    {8, "13 digits + check", kGtin13, zint(BARCODE_C25INTER, kGtin13, 1), ""},
    {9, "12 characters", kCodabar, zint(BARCODE_CODABAR, kCodabarZint), ""},
    {10, "18 characters", kCode39, zint(BARCODE_CODE39, kCode39), ""},
    {11, "18 characters + check", kCode39, zint(BARCODE_CODE39, kCode39, 1), ""},
    {12, "ZIP+4", kZipPlus4, zint(BARCODE_POSTNET, "123456789"), ""},
    {13, "7 digits", "9638507", zint(BARCODE_EANX, "9638507"), ""},
    {14, "12 digits", "400638133393", zint(BARCODE_EANX, "400638133393"), ""},
    {15, "11 digits", "03600029145", zint(BARCODE_UPCA, "03600029145"), ""},
    {16, "10 digits + Mod 10", kMsi, zint(BARCODE_MSI_PLESSEY, kMsi, 1), ""},
    {17, "7 digits", "0425261", zint(BARCODE_UPCE, "0425261"), ""},
    {18, "20 mixed characters", kMixed20, zint(BARCODE_CODE128, kMixed20), ""},
    {19, "20 upper-case characters", kUpper20, zint(BARCODE_CODE128, kUpper20),
     "zint: automatic sets"},
    {20, "20 mixed characters", kMixed20, zint(BARCODE_CODE128B, kMixed20), ""},
    {21, "20 digits", kDigits20, zint(BARCODE_CODE128, kDigits20), ""},
    {22, "GS1 (01)(17)(10)", "01095011015300031725010110ABC123",
     zint(BARCODE_GS1_128, "[01]09501101530003[17]250101[10]ABC123"), ""},
    {23, "ZIP+4", kZipPlus4, zint(BARCODE_POSTNET, "123456789"), ""},
    {24, "11 digits", "40123432343", zint(BARCODE_PLANET, "40123432343"), ""},
    {25, "20 mixed characters", kMixed20, zint(BARCODE_CODE128, kMixed20),
     "zint: the Code 128 symbol with its text line"},
    {26, "18 characters", kCode39, zint(BARCODE_CODE39, kCode39), ""},
    {27, "ITF-14, 14 digits", kItf14, zint(BARCODE_C25INTER, kItf14), ""},
    {28, "10 digits + Mod 10", kMsi, zint(BARCODE_MSI_PLESSEY, kMsi, 1), ""},
    {29, "12 characters", kCodabar, zint(BARCODE_CODABAR, kCodabarZint), ""},
    {30, "31 digits", kImb, zint(BARCODE_USPS_IMAIL, kImbZint), ""},
    {31, "31 digits", kImb, zint(BARCODE_USPS_IMAIL, kImbZint), ""},
    {32, "GTIN-14", kGtin14, zint(BARCODE_DBAR_OMN, kGtin13), ""},
    {33, "GS1 (01)(3103)(15)", "(01)09501101530003(3103)000123(15)231231",
     {BARCODE_DBAR_EXP, 0, GS1_MODE, "[01]09501101530003[3103]000123[15]231231"}, ""},
    {34, "GTIN-14", kGtin14, zint(BARCODE_DBAR_LTD, kGtin13), ""},
    {35, "GTIN-14", kGtin14, zint(BARCODE_DBAR_STK, kGtin13), ""},
    {36, "GTIN-14", kGtin14, zint(BARCODE_DBAR_OMNSTK, kGtin13),
     ""},
}};
// clang-format on

}  // namespace orbx::bench
