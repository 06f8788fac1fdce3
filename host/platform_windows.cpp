#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

#include "host/platform.h"

namespace orbx::host::platform {

void* LoadModule(const std::string& path, std::string& error) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n > 0 ? n : 1), L'\0');
    if (n > 0) MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, wide.data(), n);
    HMODULE module = LoadLibraryW(wide.c_str());
    if (module == nullptr) error = "Windows error " + std::to_string(GetLastError());
    return reinterpret_cast<void*>(module);
}

void* FindExport(void* module, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name));
}

void UnloadModule(void* module) {
    FreeLibrary(static_cast<HMODULE>(module));
}

void UseBinaryStdio() {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
}

}  // namespace orbx::host::platform
