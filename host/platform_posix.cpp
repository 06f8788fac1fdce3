#include <dlfcn.h>

#include "host/platform.h"

namespace orbx::host::platform {

void* LoadModule(const std::string& path, std::string& error) {
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
        const char* why = dlerror();
        error = why ? why : "unknown error";
    }
    return module;
}

void* FindExport(void* module, const char* name) {
    return dlsym(module, name);
}

void UnloadModule(void* module) {
    dlclose(module);
}

void UseBinaryStdio() {}

}  // namespace orbx::host::platform
