// Adapters: the functions the host calls for each external function. Each reads parameter 0,
// runs one encoder and stores its text as the result; every one returns 0 to the host, so bad
// data never raises a calculation error.
#pragma once

#include "plugin/fmx_sdk.h"
#include "plugin/function_table.h"

namespace orbx {

// The buffers of one encoding: the parameter's units, the data string and its option fields.
struct EncodingWork {
    fmx::uint16 units[kLargestInput];
    char data[kLargestInput + 1];
    OptionFields options;
};

// The font text of `row`'s function for `parameter`, as its adapter computes it, in `out` (room
// for the row's output size) with its zero; returns its length, 0 for the empty text. `work`
// keeps the data string and the option fields the encoder was given.
fmx::uint32 EncodeText(const FunctionRow& row, const fmx::Text& parameter, EncodingWork& work,
                       char* out);

// The longest settings text the picture and 2D functions read; a longer one is not read at all.
inline constexpr fmx::uint32 kLongestSettings = 1024;

// A parameter's units as bytes (their low 8 bits) with a zero, into `bytes` of `room` bytes (at
// most kLongestSettings); false, and nothing read, when it is longer.
bool ShortParameterText(const fmx::Text& text, char* bytes, fmx::uint32 room);

// Stores `length` Windows-1252 bytes as the text result, with the locale of parameter 0 when
// the function was given one (`given`), else the system's. May throw what the host throws.
void StoreTextResult(const fmx::DataVect& parms, bool given, fmx::Data& result, const char* bytes,
                     fmx::uint32 length);

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
