// The plug-in's string table: its name, description, version text and the prototypes of the
// external functions. On Linux there are no platform string resources, so the table lives here.
#pragma once

#include "plugin/fmx_sdk.h"

namespace orbx {

inline constexpr unsigned kNameString = 1;
inline constexpr unsigned kDescriptionString = 2;
inline constexpr unsigned kVersionString = 3;
// The prototype of function ID n is string kPrototypeStrings + n.
inline constexpr unsigned kPrototypeStrings = 100;

// Copies string `id` with a terminating zero into `buffer` of `size` UTF-16 units and returns its
// length. A string the table does not hold, or one that does not fit, writes an empty string
// (when there is room for its zero) and returns 0.
fmx::uint32 LoadPluginString(unsigned id, fmx::uint16* buffer, fmx::uint32 size);

}  // namespace orbx
