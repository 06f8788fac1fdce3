// What the host does differently per system: loading a plug-in file and finding its entry point
// (dlopen on Linux, LoadLibraryW on Windows), and byte-exact standard streams. One source per
// system: platform_posix.cpp, platform_windows.cpp.
#pragma once

#include <string>

namespace orbx::host::platform {

// Loads the library at `path` (UTF-8) and returns its handle, or nullptr with the reason in
// `error`. On Windows the handle is the module's HINSTANCE, which the host passes as instanceID.
void* LoadModule(const std::string& path, std::string& error);
// The address of the exported function `name`, or nullptr.
void* FindExport(void* module, const char* name);
void UnloadModule(void* module);

// Standard input and output carry UTF-8 bytes unchanged (no CR LF translation on Windows).
void UseBinaryStdio();

}  // namespace orbx::host::platform
