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
    {1, "PluginVersion", "keyword \"long\"", "long", kNoZint, "no encoder"},
    {2, "Code128", "20 mixed characters", kMixed20, zint(BARCODE_CODE128, kMixed20), ""},
    {3, "Code128HR", "20 mixed characters", kMixed20, zint(BARCODE_CODE128, kMixed20),
     "zint: the Code 128 symbol with its text line"},
    {4, "Code128a", "20 upper-case characters", kUpper20, zint(BARCODE_CODE128, kUpper20),
     "zint: automatic sets"},
    {5, "Code128b", "20 mixed characters", kMixed20, zint(BARCODE_CODE128B, kMixed20), ""},
    {6, "Code128c", "20 digits", kDigits20, zint(BARCODE_CODE128, kDigits20), ""},
    {7, "I2of5", "ITF-14, 14 digits", kItf14, zint(BARCODE_C25INTER, kItf14), ""},
    {8, "I2of5Mod10", "13 digits + check", kGtin13, zint(BARCODE_C25INTER, kGtin13, 1), ""},
    {9, "Codabar", "12 characters", kCodabar, zint(BARCODE_CODABAR, kCodabarZint), ""},
    {10, "Code39", "18 characters", kCode39, zint(BARCODE_CODE39, kCode39), ""},
    {11, "Code39Mod43", "18 characters + check", kCode39, zint(BARCODE_CODE39, kCode39, 1), ""},
    {12, "Postnet", "ZIP+4", kZipPlus4, zint(BARCODE_POSTNET, "123456789"), ""},
    {13, "EAN8", "7 digits", "9638507", zint(BARCODE_EANX, "9638507"), ""},
    {14, "EAN13", "12 digits", "400638133393", zint(BARCODE_EANX, "400638133393"), ""},
    {15, "UPCa", "11 digits", "03600029145", zint(BARCODE_UPCA, "03600029145"), ""},
    {16, "MSI", "10 digits + Mod 10", kMsi, zint(BARCODE_MSI_PLESSEY, kMsi, 1), ""},
    {17, "UPCe", "7 digits", "0425261", zint(BARCODE_UPCE, "0425261"), ""},
    {18, "Uni_C128", "20 mixed characters", kMixed20, zint(BARCODE_CODE128, kMixed20), ""},
    {19, "Uni_C128A", "20 upper-case characters", kUpper20, zint(BARCODE_CODE128, kUpper20),
     "zint: automatic sets"},
    {20, "Uni_C128B", "20 mixed characters", kMixed20, zint(BARCODE_CODE128B, kMixed20), ""},
    {21, "Uni_C128C", "20 digits", kDigits20, zint(BARCODE_CODE128, kDigits20), ""},
    {22, "Uni_UCC128", "GS1 (01)(17)(10)", "01095011015300031725010110ABC123",
     zint(BARCODE_GS1_128, "[01]09501101530003[17]250101[10]ABC123"), ""},
    {23, "Uni_Postnet", "ZIP+4", kZipPlus4, zint(BARCODE_POSTNET, "123456789"), ""},
    {24, "Uni_Planet", "11 digits", "40123432343", zint(BARCODE_PLANET, "40123432343"), ""},
    {25, "Uni_C128HR", "20 mixed characters", kMixed20, zint(BARCODE_CODE128, kMixed20),
     "zint: the Code 128 symbol with its text line"},
    {26, "Uni_C39", "18 characters", kCode39, zint(BARCODE_CODE39, kCode39), ""},
    {27, "Uni_I2of5", "ITF-14, 14 digits", kItf14, zint(BARCODE_C25INTER, kItf14), ""},
    {28, "Uni_MSI", "10 digits + Mod 10", kMsi, zint(BARCODE_MSI_PLESSEY, kMsi, 1), ""},
    {29, "Uni_Codabar", "12 characters", kCodabar, zint(BARCODE_CODABAR, kCodabarZint), ""},
    {30, "Uni_OneCode", "31 digits", kImb, zint(BARCODE_USPS_IMAIL, kImbZint), ""},
    {31, "USPS_IntelligentMail", "31 digits", kImb, zint(BARCODE_USPS_IMAIL, kImbZint), ""},
    {32, "DataBar", "GTIN-14", kGtin14, zint(BARCODE_DBAR_OMN, kGtin13), ""},
    {33, "DataBarExpanded", "GS1 (01)(3103)(15)", "(01)09501101530003(3103)000123(15)231231",
     {BARCODE_DBAR_EXP, 0, GS1_MODE, "[01]09501101530003[3103]000123[15]231231"}, ""},
    {34, "DataBarLimited", "GTIN-14", kGtin14, zint(BARCODE_DBAR_LTD, kGtin13), ""},
    {35, "DataBarStacked", "GTIN-14", kGtin14, zint(BARCODE_DBAR_STK, kGtin13), ""},
    {36, "DataBarStackedOmniDirectional", "GTIN-14", kGtin14, zint(BARCODE_DBAR_OMNSTK, kGtin13),
     ""},
}};
// clang-format on

}  // namespace orbx::bench
