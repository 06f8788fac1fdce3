#include "plugin/function_table.h"

#include "encoders/code128/code128.h"
#include "encoders/code128/code128_sets.h"
#include "encoders/databar/databar.h"
#include "encoders/databar/databar_expanded.h"
#include "encoders/databar/databar_limited.h"
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
#include "encoders/universal/uni_code128.h"
#include "encoders/universal/uni_code128_sets.h"
#include "encoders/universal/uni_narrow_wide.h"
#include "encoders/universal/uni_postal.h"
#include "plugin/adapters.h"

namespace orbx {

namespace {

// How each kind of encoder is called with the option fields and their defaults.

template <int (*Encoder)(char*, char*, long)>
int NoOptions(char* data, const OptionFields&, char* out, long capacity) {
    return Encoder(data, out, capacity);
}

// One numeric option: the tilde flag, the check-digit flag or the segments per row.
template <int (*Encoder)(char*, long, char*, long), long Default>
int OneNumber(char* data, const OptionFields& options, char* out, long capacity) {
    return Encoder(data, LongOption(options, 0, Default), out, capacity);
}

// The Universal narrow/wide symbologies: the ratio (2), then the check flag.
template <int (*Encoder)(char*, double, long, char*, long), long CheckDefault>
int RatioAndCheck(char* data, const OptionFields& options, char* out, long capacity) {
    return Encoder(data, RatioOption(options, 0, 2.0), LongOption(options, 1, CheckDefault), out,
                   capacity);
}

// The Universal Codabar: the ratio (2), the start character ("A": the first character of its
// field) and the stop character ("B": the field as it stands).
int CodabarOptions(char* data, const OptionFields& options, char* out, long capacity) {
    char start[2] = {'A', '\0'};
    if (const char* field = OptionText(options, 1)) start[0] = field[0];
    char default_stop[2] = {'B', '\0'};
    char* stop = OptionText(options, 2) != nullptr ? options.field[2] : default_stop;
    return Orbelantrix_Universal_Codabar(data, RatioOption(options, 0, 2.0), start, stop, out,
                                         capacity);
}

}  // namespace

// ID, adapter, input limit, output buffer, option rule, most options read, encoder call with the
// options' defaults. The prototypes are the plug-in's strings 101 to 136.
const std::array<FunctionRow, kFunctionCount> kFunctionTable = {{
    {1, Do_Orbx_Version, 0, 0, OptionRule::none, 0, nullptr},
    {2, Do_Orbx_FCode128, 2048, 2048, OptionRule::single, 1, OneNumber<Orbelantrix_Code128, 1>},
    {3, Do_Orbx_FCode128HR, 2048, 2048, OptionRule::single, 1,
     OneNumber<Orbelantrix_Code128HumanReadable, 1>},
    {4, Do_Orbx_FCode128a, 2048, 2048, OptionRule::none, 0, NoOptions<Orbelantrix_Code128a>},
    {5, Do_Orbx_FCode128b, 2048, 2048, OptionRule::none, 0, NoOptions<Orbelantrix_Code128b>},
    {6, Do_Orbx_FCode128c, 2048, 2048, OptionRule::none, 0, NoOptions<Orbelantrix_Code128c>},
    {7, Do_Orbx_I2of5, 2048, 2048, OptionRule::none, 0, NoOptions<Orbelantrix_Interleaved2of5>},
    {8, Do_Orbx_I2of5Mod10, 2048, 2048, OptionRule::none, 0,
     NoOptions<Orbelantrix_Interleaved2of5Mod10>},
    {9, Do_Orbx_Codabar, 2048, 2048, OptionRule::none, 0, NoOptions<Orbelantrix_Codabar>},
    {10, Do_Orbx_Code39, 512, 1024, OptionRule::none, 0, NoOptions<Orbelantrix_Code39>},
    {11, Do_Orbx_Code39Mod43, 512, 1024, OptionRule::none, 0, NoOptions<Orbelantrix_Code39Mod43>},
    {12, Do_Orbx_Postnet, 512, 1024, OptionRule::none, 0, NoOptions<Orbelantrix_Postnet>},
    {13, Do_Orbx_EAN8, 512, 1024, OptionRule::none, 0, NoOptions<Orbelantrix_EAN8>},
    {14, Do_Orbx_EAN13, 512, 1024, OptionRule::none, 0, NoOptions<Orbelantrix_EAN13>},
    {15, Do_Orbx_UPCa, 512, 1024, OptionRule::none, 0, NoOptions<Orbelantrix_UPCa>},
    {16, Do_Orbx_MSI, 512, 1024, OptionRule::none, 0, NoOptions<Orbelantrix_MSI>},
    {17, Do_Orbx_UPCe, 512, 1024, OptionRule::none, 0, NoOptions<Orbelantrix_UPCe>},
    {18, Do_Orbx_Uni_C128, 2048, 2048, OptionRule::counted, 1,
     OneNumber<Orbelantrix_Universal_C128, 1>},
    {19, Do_Orbx_Uni_C128A, 2048, 2048, OptionRule::none, 0,
     NoOptions<Orbelantrix_Universal_C128A>},
    {20, Do_Orbx_Uni_C128B, 2048, 2048, OptionRule::none, 0,
     NoOptions<Orbelantrix_Universal_C128B>},
    {21, Do_Orbx_Uni_C128C, 2048, 2048, OptionRule::none, 0,
     NoOptions<Orbelantrix_Universal_C128C>},
    {22, Do_Orbx_Uni_UCC128, 2048, 2048, OptionRule::none, 0,
     NoOptions<Orbelantrix_Universal_UCC128>},
    {23, Do_Orbx_Uni_Postnet, 2048, 2048, OptionRule::counted, 1,
     OneNumber<Orbelantrix_Universal_Postnet, 1>},
    {24, Do_Orbx_Uni_Planet, 2048, 2048, OptionRule::counted, 1,
     OneNumber<Orbelantrix_Universal_Planet, 1>},
    {25, Do_Orbx_Uni_C128HR, 2048, 2048, OptionRule::counted, 1,
     OneNumber<Orbelantrix_Universal_C128HR, 1>},
    {26, Do_Orbx_Uni_C39, 2048, 2048, OptionRule::counted, 2,
     RatioAndCheck<Orbelantrix_Universal_C39, 0>},
    {27, Do_Orbx_Uni_I2of5, 2048, 2048, OptionRule::counted, 2,
     RatioAndCheck<Orbelantrix_Universal_I2of5, 0>},
    {28, Do_Orbx_Uni_MSI, 2048, 2048, OptionRule::counted, 2,
     RatioAndCheck<Orbelantrix_Universal_MSI, 1>},
    {29, Do_Orbx_Uni_Codabar, 2048, 2048, OptionRule::counted, 3, CodabarOptions},
    {30, Do_Orbx_Uni_OneCode, 2048, 2048, OptionRule::none, 0,
     NoOptions<Orbelantrix_IntelligentMail>},
    // Another name for function 30: its adapter runs the adapter of 30, so this row's call is
    // the same one and serves only to describe the function.
    {31, Do_Orbx_USPS_IntelligentMail, 2048, 2048, OptionRule::none, 0,
     NoOptions<Orbelantrix_IntelligentMail>},
    {32, Do_Orbx_DataBar_DataBar, 2048, 2048, OptionRule::none, 0,
     NoOptions<Orbelantrix_DataBar_DataBar>},
    {33, Do_Orbx_DataBar_DataBarExpanded, 2048, 20480, OptionRule::single, 1,
     OneNumber<Orbelantrix_DataBar_DataBarExpanded, 0>},
    {34, Do_Orbx_DataBar_DataBarLimited, 2048, 2048, OptionRule::none, 0,
     NoOptions<Orbelantrix_DataBar_DataBarLimited>},
    {35, Do_Orbx_DataBar_DataBarStacked, 2048, 2048, OptionRule::none, 0,
     NoOptions<Orbelantrix_DataBar_DataBarStacked>},
    {36, Do_Orbx_DataBarStackedOmniDirectional, 2048, 2048, OptionRule::none, 0,
     NoOptions<Orbelantrix_DataBar_DataBarStackedOmniDirectional>},
}};

}  // namespace orbx
