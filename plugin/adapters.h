// Adapters: the functions the host calls for each external function. Each reads parameter 0,
// runs one encoder and stores its text as the result; every one returns 0 to the host, so bad
// data never raises a calculation error.
#pragma once

#include "plugin/fmx_sdk.h"
#include "plugin/function_table.h"

namespace orbx {

// The common algorithm of every encoding adapter, for the function of `row`.
fmx::errcode RunEncodingAdapter(const FunctionRow& row, const fmx::DataVect& parms,
                                fmx::Data& result) noexcept;

#define ORBX_DECLARE_ADAPTER(name)                                       \
    fmx::errcode name(short functionId, const fmx::ExprEnv& environment, \
                      const fmx::DataVect& parms, fmx::Data& result) noexcept

ORBX_DECLARE_ADAPTER(Do_Orbx_Version);
ORBX_DECLARE_ADAPTER(Do_Orbx_FCode128);
ORBX_DECLARE_ADAPTER(Do_Orbx_FCode128HR);
ORBX_DECLARE_ADAPTER(Do_Orbx_FCode128a);
ORBX_DECLARE_ADAPTER(Do_Orbx_FCode128b);
ORBX_DECLARE_ADAPTER(Do_Orbx_FCode128c);
ORBX_DECLARE_ADAPTER(Do_Orbx_I2of5);
ORBX_DECLARE_ADAPTER(Do_Orbx_I2of5Mod10);
ORBX_DECLARE_ADAPTER(Do_Orbx_Codabar);
ORBX_DECLARE_ADAPTER(Do_Orbx_Code39);
ORBX_DECLARE_ADAPTER(Do_Orbx_Code39Mod43);
ORBX_DECLARE_ADAPTER(Do_Orbx_Postnet);
ORBX_DECLARE_ADAPTER(Do_Orbx_EAN8);
ORBX_DECLARE_ADAPTER(Do_Orbx_EAN13);
ORBX_DECLARE_ADAPTER(Do_Orbx_UPCa);
ORBX_DECLARE_ADAPTER(Do_Orbx_MSI);
ORBX_DECLARE_ADAPTER(Do_Orbx_UPCe);
ORBX_DECLARE_ADAPTER(Do_Orbx_Uni_C128);
ORBX_DECLARE_ADAPTER(Do_Orbx_Uni_C128A);
ORBX_DECLARE_ADAPTER(Do_Orbx_Uni_C128B);
ORBX_DECLARE_ADAPTER(Do_Orbx_Uni_C128C);
ORBX_DECLARE_ADAPTER(Do_Orbx_Uni_UCC128);
ORBX_DECLARE_ADAPTER(Do_Orbx_Uni_Postnet);
ORBX_DECLARE_ADAPTER(Do_Orbx_Uni_Planet);
ORBX_DECLARE_ADAPTER(Do_Orbx_Uni_C128HR);
ORBX_DECLARE_ADAPTER(Do_Orbx_Uni_C39);
ORBX_DECLARE_ADAPTER(Do_Orbx_Uni_I2of5);
ORBX_DECLARE_ADAPTER(Do_Orbx_Uni_MSI);
ORBX_DECLARE_ADAPTER(Do_Orbx_Uni_Codabar);
ORBX_DECLARE_ADAPTER(Do_Orbx_Uni_OneCode);
ORBX_DECLARE_ADAPTER(Do_Orbx_USPS_IntelligentMail);
ORBX_DECLARE_ADAPTER(Do_Orbx_DataBar_DataBar);
ORBX_DECLARE_ADAPTER(Do_Orbx_DataBar_DataBarExpanded);
ORBX_DECLARE_ADAPTER(Do_Orbx_DataBar_DataBarLimited);
ORBX_DECLARE_ADAPTER(Do_Orbx_DataBar_DataBarStacked);
ORBX_DECLARE_ADAPTER(Do_Orbx_DataBarStackedOmniDirectional);

}  // namespace orbx
