// What the macOS plug-in answers differently: the platform's name, and the version function's
// answer. The Mac edition of these functions has always answered the number 2014 to
// Orbx_PluginVersion, whatever its parameter, and solutions made on a Mac may test for it; it
// keeps that answer but for "platform", which names the platform, and "autoupdate", which gives
// the release number that FileMaker's AutoUpdate compares, as on every platform. Its strings are
// the table built into the file (plugin/compiled_strings.cpp), as on Linux.
#include "plugin/strings.h"

namespace orbx {

const char* PlatformName() {
    return "macOS";
}

const char* PlatformVersionNumber() {
    return "2014";
}

}  // namespace orbx
