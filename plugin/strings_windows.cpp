// Windows keeps the strings in the string table resource of the plug-in's module (built by the
// resource compiler from plugin/string_table.h, plugin/resources.rc), read with LoadStringW
// through the module handle that the host passes in the call record's instanceID.
#include <windows.h>

#include "plugin/strings.h"

// The linker's symbol at the start of the module's image: its address is the module's HINSTANCE.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace orbx {

Module OwnModule() {
    return reinterpret_cast<Module>(&__ImageBase);
}

fmx::uint32 LoadPluginString(Module module, unsigned id, fmx::uint16* buffer, fmx::uint32 size) {
    if (buffer == nullptr || size == 0) return 0;
    buffer[0] = 0;
    // With a buffer size of 0, LoadStringW gives the resource's own read-only text and its
    // length instead of a copy cut to fit: a string too long for the buffer is then left out
    // whole, as on every platform.
    const wchar_t* text = nullptr;
    const int length = LoadStringW(reinterpret_cast<HINSTANCE>(module), id,
                                   reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || text == nullptr) return 0;
    const auto units = static_cast<fmx::uint32>(length);
    if (units >= size) return 0;
    for (fmx::uint32 i = 0; i < units; ++i)
        buffer[i] = static_cast<fmx::uint16>(text[i]);
    buffer[units] = 0;
    return units;
}

const char* PlatformName() {
    return "Windows";
}

}  // namespace orbx
