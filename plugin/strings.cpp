#include "plugin/strings.h"

#include <array>
#include <string_view>

namespace orbx {

namespace {

struct StringRow {
    unsigned id;
    std::u16string_view text;
};

// The prototypes run in function-ID order from 101; the name of each function is its prototype
// up to the "(".
constexpr std::array<StringRow, 39> kStrings = {{
    {kNameString, u"Orbelantrix"},
    {kDescriptionString,
     u"This plug-in extends FileMaker applications by adding external functions."},
    {kVersionString, u"2013"},
    {101, u"Orbx_PluginVersion( parameter )"},
    {102, u"Orbx_Code128( parameter )"},
    {103, u"Orbx_Code128HR( parameter )"},
    {104, u"Orbx_Code128a( parameter )"},
    {105, u"Orbx_Code128b( parameter )"},
    {106, u"Orbx_Code128c( parameter )"},
    {107, u"Orbx_I2of5( parameter )"},
    {108, u"Orbx_I2of5Mod10( parameter )"},
    {109, u"Orbx_Codabar( parameter )"},
    {110, u"Orbx_Code39( parameter )"},
    {111, u"Orbx_Code39Mod43( parameter )"},
    {112, u"Orbx_Postnet( parameter )"},
    {113, u"Orbx_EAN8( parameter )"},
    {114, u"Orbx_EAN13( parameter )"},
    {115, u"Orbx_UPCa( parameter )"},
    {116, u"Orbx_MSI( parameter )"},
    {117, u"Orbx_UPCe( parameter )"},
    {118, u"Orbx_Uni_C128( parameter )"},
    {119, u"Orbx_Uni_C128A( parameter )"},
    {120, u"Orbx_Uni_C128B( parameter )"},
    {121, u"Orbx_Uni_C128C( parameter )"},
    {122, u"Orbx_Uni_UCC128( parameter )"},
    {123, u"Orbx_Uni_Postnet( parameter )"},
    {124, u"Orbx_Uni_Planet( parameter )"},
    {125, u"Orbx_Uni_C128HR( parameter )"},
    {126, u"Orbx_Uni_C39( parameter )"},
    {127, u"Orbx_Uni_I2of5( parameter )"},
    {128, u"Orbx_Uni_MSI( parameter )"},
    {129, u"Orbx_Uni_Codabar( parameter )"},
    {130, u"Orbx_Uni_OneCode( parameter )"},
    {131, u"Orbx_USPS_IntelligentMail( parameter )"},
    {132, u"Orbx_DataBar( parameter )"},
    {133, u"Orbx_DataBarExpanded( parameter )"},
    {134, u"Orbx_DataBarLimited( parameter )"},
    {135, u"Orbx_DataBarStacked( parameter )"},
    {136, u"Orbx_DataBarStackedOmniDirectional( parameter )"},
}};

}  // namespace

fmx::uint32 LoadPluginString(unsigned id, fmx::uint16* buffer, fmx::uint32 size) {
    if (buffer == nullptr || size == 0) return 0;
    buffer[0] = 0;
    for (const StringRow& row : kStrings) {
        if (row.id != id) continue;
        if (row.text.size() >= size) return 0;
        for (std::size_t i = 0; i < row.text.size(); ++i)
            buffer[i] = row.text[i];
        buffer[row.text.size()] = 0;
        return static_cast<fmx::uint32>(row.text.size());
    }
    return 0;
}

}  // namespace orbx
