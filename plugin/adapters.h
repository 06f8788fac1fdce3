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

#define ORBX_ADAPTER_DECLARATION(id, adapter, ...) ORBX_DECLARE_ADAPTER(adapter);
ORBX_FUNCTION_ROWS(ORBX_ADAPTER_DECLARATION)
#undef ORBX_ADAPTER_DECLARATION

}  // namespace orbx
