// The 36 external functions as the plug-in uses them: one row each, in the order they are
// registered, expanded from plugin/function_rows.h.
#pragma once

#include <array>
#include <string_view>

#include "plugin/fmx_sdk.h"
#include "plugin/function_rows.h"
#include "plugin/options.h"

namespace orbx {

// How an adapter finds options in its parameter.
enum class OptionRule {
    none,     // the whole parameter is data, vertical bars included
    single,   // data|option
    counted,  // data|option1|option2|option3, only as many as stand there
};

// What the adapter of a function does.
enum class FunctionKind {
    encodes,   // reads parameter 0, runs the encoder call and returns its text
    keyword,   // the version function: answers a keyword
    forwards,  // another name for the function before it: calls that function's adapter
};

// Calls one encoder with the data string, the option fields and the zero-filled output buffer
// of `capacity` bytes; returns the encoder's status.
using EncoderCall = int (*)(char* data, const OptionFields& options, char* out, long capacity);

struct FunctionRow {
    short id;
    std::string_view name;  // "Orbx_Code128"
    short min_parameters;   // the version function may be called without its parameter
    fmx::ExtPluginType adapter;
    fmx::uint32 input_limit;  // UTF-16 units; a longer parameter gives the empty text
    fmx::uint32 output_size;  // bytes of the encoder's output buffer
    OptionRule options;
    int max_options;     // for OptionRule::counted
    EncoderCall encode;  // null while the function has no encoder: it gives the empty text
};

inline constexpr short kFunctionCount = 36;
inline constexpr fmx::uint32 kLargestOutput = 20480;
inline constexpr fmx::uint32 kLargestInput = 2048;
// Shown in all of the host's calculation dialogs (0xFF00), and bit 0x1, which older hosts read
// as "may be evaluated on a server"; the current SDK gives that bit no name.
inline constexpr fmx::uint32 kFunctionFlags = 0xFF01;

extern const std::array<FunctionRow, kFunctionCount> kFunctionTable;

// The row of function `id` (1 to 36).
inline const FunctionRow& FunctionRowById(short id) {
    return kFunctionTable[static_cast<std::size_t>(id - 1)];
}

}  // namespace orbx
