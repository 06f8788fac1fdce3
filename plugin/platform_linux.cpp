// What the Linux plug-in answers differently: the platform's name. Its strings are the table
// built into the file (plugin/compiled_strings.cpp).
#include "plugin/strings.h"

namespace orbx {

const char* PlatformName() {
    return "Linux";
}

const char* PlatformVersionNumber() {
    return nullptr;
}

}  // namespace orbx
