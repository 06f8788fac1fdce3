#include "plugin/function_table.h"

#include "encoders/code128/code128.h"
#include "encoders/code128/code128_sets.h"
#include "encoders/imb/intelligent_mail.h"
#include "encoders/linear/codabar.h"
#include "encoders/linear/code39.h"
#include "encoders/linear/ean13.h"
#include "encoders/linear/ean8.h"
#include "encoders/linear/interleaved2of5.h"
#include "encoders/linear/msi.h"
#include "encoders/linear/postnet.h"
#include "encoders/linear/upca.h"
#include "encoders/linear/upce.h"
#include "plugin/adapters.h"

namespace orbx {

// ID, adapter, input limit, output buffer, option rule, most options read, encoder call with the
// options' defaults. The prototypes are the plug-in's strings 101 to 136.
const std::array<FunctionRow, kFunctionCount> kFunctionTable = {{
    {1, Do_Orbx_Version, 0, 0, OptionRule::none, 0, nullptr},
    {2, Do_Orbx_FCode128, 2048, 2048, OptionRule::single, 1,
     [](char* data, const OptionFields& options, char* out, long capacity) {
         return Orbelantrix_Code128(data, LongOption(options, 0, 1), out, capacity);
     }},
    {3, Do_Orbx_FCode128HR, 2048, 2048, OptionRule::single, 1,
     [](char* data, const OptionFields& options, char* out, long capacity) {
         return Orbelantrix_Code128HumanReadable(data, LongOption(options, 0, 1), out, capacity);
     }},
    {4, Do_Orbx_FCode128a, 2048, 2048, OptionRule::none, 0,
     [](char* data, const OptionFields&, char* out, long capacity) {
         return Orbelantrix_Code128a(data, out, capacity);
     }},
    {5, Do_Orbx_FCode128b, 2048, 2048, OptionRule::none, 0,
     [](char* data, const OptionFields&, char* out, long capacity) {
         return Orbelantrix_Code128b(data, out, capacity);
     }},
    {6, Do_Orbx_FCode128c, 2048, 2048, OptionRule::none, 0,
     [](char* data, const OptionFields&, char* out, long capacity) {
         return Orbelantrix_Code128c(data, out, capacity);
     }},
    {7, Do_Orbx_I2of5, 2048, 2048, OptionRule::none, 0,
     [](char* data, const OptionFields&, char* out, long capacity) {
         return Orbelantrix_Interleaved2of5(data, out, capacity);
     }},
    {8, Do_Orbx_I2of5Mod10, 2048, 2048, OptionRule::none, 0,
     [](char* data, const OptionFields&, char* out, long capacity) {
         return Orbelantrix_Interleaved2of5Mod10(data, out, capacity);
     }},
    {9, Do_Orbx_Codabar, 2048, 2048, OptionRule::none, 0,
     [](char* data, const OptionFields&, char* out, long capacity) {
         return Orbelantrix_Codabar(data, out, capacity);
     }},
    {10, Do_Orbx_Code39, 512, 1024, OptionRule::none, 0,
     [](char* data, const OptionFields&, char* out, long capacity) {
         return Orbelantrix_Code39(data, out, capacity);
     }},
    {11, Do_Orbx_Code39Mod43, 512, 1024, OptionRule::none, 0,
     [](char* data, const OptionFields&, char* out, long capacity) {
         return Orbelantrix_Code39Mod43(data, out, capacity);
     }},
    {12, Do_Orbx_Postnet, 512, 1024, OptionRule::none, 0,
     [](char* data, const OptionFields&, char* out, long capacity) {
         return Orbelantrix_Postnet(data, out, capacity);
     }},
    {13, Do_Orbx_EAN8, 512, 1024, OptionRule::none, 0,
     [](char* data, const OptionFields&, char* out, long capacity) {
         return Orbelantrix_EAN8(data, out, capacity);
     }},
    {14, Do_Orbx_EAN13, 512, 1024, OptionRule::none, 0,
     [](char* data, const OptionFields&, char* out, long capacity) {
         return Orbelantrix_EAN13(data, out, capacity);
     }},
    {15, Do_Orbx_UPCa, 512, 1024, OptionRule::none, 0,
     [](char* data, const OptionFields&, char* out, long capacity) {
         return Orbelantrix_UPCa(data, out, capacity);
     }},
    {16, Do_Orbx_MSI, 512, 1024, OptionRule::none, 0,
     [](char* data, const OptionFields&, char* out, long capacity) {
         return Orbelantrix_MSI(data, out, capacity);
     }},
    {17, Do_Orbx_UPCe, 512, 1024, OptionRule::none, 0,
     [](char* data, const OptionFields&, char* out, long capacity) {
         return Orbelantrix_UPCe(data, out, capacity);
     }},
    {18, Do_Orbx_Uni_C128, 2048, 2048, OptionRule::counted, 1, nullptr},
    {19, Do_Orbx_Uni_C128A, 2048, 2048, OptionRule::none, 0, nullptr},
    {20, Do_Orbx_Uni_C128B, 2048, 2048, OptionRule::none, 0, nullptr},
    {21, Do_Orbx_Uni_C128C, 2048, 2048, OptionRule::none, 0, nullptr},
    {22, Do_Orbx_Uni_UCC128, 2048, 2048, OptionRule::none, 0, nullptr},
    {23, Do_Orbx_Uni_Postnet, 2048, 2048, OptionRule::counted, 1, nullptr},
    {24, Do_Orbx_Uni_Planet, 2048, 2048, OptionRule::counted, 1, nullptr},
    {25, Do_Orbx_Uni_C128HR, 2048, 2048, OptionRule::counted, 1, nullptr},
    {26, Do_Orbx_Uni_C39, 2048, 2048, OptionRule::counted, 2, nullptr},
    {27, Do_Orbx_Uni_I2of5, 2048, 2048, OptionRule::counted, 2, nullptr},
    {28, Do_Orbx_Uni_MSI, 2048, 2048, OptionRule::counted, 2, nullptr},
    {29, Do_Orbx_Uni_Codabar, 2048, 2048, OptionRule::counted, 3, nullptr},
    {30, Do_Orbx_Uni_OneCode, 2048, 2048, OptionRule::none, 0,
     [](char* data, const OptionFields&, char* out, long capacity) {
         return Orbelantrix_IntelligentMail(data, out, capacity);
     }},
    // Another name for function 30: its adapter runs the adapter of 30, so this row's call is
    // the same one and serves only to describe the function.
    {31, Do_Orbx_USPS_IntelligentMail, 2048, 2048, OptionRule::none, 0,
     [](char* data, const OptionFields&, char* out, long capacity) {
         return Orbelantrix_IntelligentMail(data, out, capacity);
     }},
    {32, Do_Orbx_DataBar_DataBar, 2048, 2048, OptionRule::none, 0, nullptr},
    {33, Do_Orbx_DataBar_DataBarExpanded, 2048, 20480, OptionRule::single, 1, nullptr},
    {34, Do_Orbx_DataBar_DataBarLimited, 2048, 2048, OptionRule::none, 0, nullptr},
    {35, Do_Orbx_DataBar_DataBarStacked, 2048, 2048, OptionRule::none, 0, nullptr},
    {36, Do_Orbx_DataBarStackedOmniDirectional, 2048, 2048, OptionRule::none, 0, nullptr},
}};

}  // namespace orbx
