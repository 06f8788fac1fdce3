// The plug-in's string table (its name, description and version text, plugin/string_table.h, and
// the prototypes of the external functions, plugin/function_rows.h), the name of the platform
// it was built for and that platform's version answer.
// compiled_strings.cpp serves the strings from a table built into the file (Linux, macOS),
// platform_windows.cpp from the string table resource of the plug-in's module; the platform's
// name and version answer are in platform_linux.cpp, platform_macos.cpp and platform_windows.cpp.
#pragma once

#include "plugin/fmx_sdk.h"

namespace orbx {

inline constexpr unsigned kNameString = 1;
inline constexpr unsigned kDescriptionString = 2;
inline constexpr unsigned kVersionString = 3;
// The prototype of function ID n is string kPrototypeStrings + n.
inline constexpr unsigned kPrototypeStrings = 100;

// The plug-in's loaded module as the host names it in the call record's instanceID (on Windows
// its HINSTANCE, where the string resources are; unused on Linux and macOS).
using Module = fmx::ptrtype;

// The plug-in's own module, for code the host calls without a call record (the adapters).
Module OwnModule();

// Copies string `id` of `module` with a terminating zero into `buffer` of `size` UTF-16 units
// and returns its length. A string the table does not hold, or one that does not fit, writes an
// empty string (when there is room for its zero) and returns 0.
fmx::uint32 LoadPluginString(Module module, unsigned id, fmx::uint16* buffer, fmx::uint32 size);

// What "Orbx_PluginVersion( "platform" )" answers.
const char* PlatformName();

// The number that "Orbx_PluginVersion( parameter )" answers, as a number, without a parameter and
// for every parameter but "platform" and "autoupdate", on a platform whose edition answers one
// number so; null where it answers the version text for its keywords.
const char* PlatformVersionNumber();

}  // namespace orbx
