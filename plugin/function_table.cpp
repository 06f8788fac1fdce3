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

// How each kind of encoder is called with the option fields and their defaults: the rows' `call`,
// each with the encoder and the row's fallback.

template <auto Encoder, long>
int NoOptions(char* data, const OptionFields&, char* out, long capacity) {
    return Encoder(data, out, capacity);
}

// One numeric option: the tilde flag, the check-digit flag or the segments per row.
template <auto Encoder, long Fallback>
int OneNumber(char* data, const OptionFields& options, char* out, long capacity) {
    return Encoder(data, LongOption(options, 0, Fallback), out, capacity);
}

// The Universal narrow/wide symbologies: the ratio (2), then the check flag.
template <auto Encoder, long CheckFallback>
int RatioAndCheck(char* data, const OptionFields& options, char* out, long capacity) {
    return Encoder(data, RatioOption(options, 0, 2.0), LongOption(options, 1, CheckFallback), out,
                   capacity);
}

// The Universal Codabar: the ratio (2), the start character ("A": the first character of its
// field) and the stop character ("B": the field as it stands).
template <auto Encoder, long>
int CodabarOptions(char* data, const OptionFields& options, char* out, long capacity) {
    char start[2] = {'A', '\0'};
    if (const char* field = OptionText(options, 1)) start[0] = field[0];
    char default_stop[2] = {'B', '\0'};
    char* stop = OptionText(options, 2) != nullptr ? options.field[2] : default_stop;
    return Encoder(data, RatioOption(options, 0, 2.0), start, stop, out, capacity);
}

// The version function has no encoder.
template <auto, long>
constexpr EncoderCall NoEncoder = nullptr;

}  // namespace

#define ORBX_TABLE_ROW(id, adapter, prototype, limit, out, options, most, kind, call, encoder, \
                       fallback, font)                                                         \
    {id,                                                                                       \
     FunctionName(prototype),                                                                  \
     FunctionKind::kind == FunctionKind::keyword ? 0 : 1,                                      \
     adapter,                                                                                  \
     limit,                                                                                    \
     out,                                                                                      \
     OptionRule::options,                                                                      \
     most,                                                                                     \
     call<encoder, fallback>},
const std::array<FunctionRow, kFunctionCount> kFunctionTable = {
    {ORBX_FUNCTION_ROWS(ORBX_TABLE_ROW)}};
#undef ORBX_TABLE_ROW

}  // namespace orbx
