#include <dlfcn.h>

#include <exception>

#include "host/macho_loader.h"
#include "host/platform.h"

namespace orbx::host::platform {

namespace {

// A loaded plug-in: an ELF shared object loaded by the dynamic linker, or the Mach-O code of a
// macOS bundle loaded by the host's own loader.
struct Module {
    void* library = nullptr;
    macho::Image* image = nullptr;
};

}  // namespace

void* LoadModule(const std::string& path, std::string& error) {
    if (macho::IsMachO(path)) {
        try {
            return new Module{nullptr, macho::Load(path)};
        } catch (const std::exception& e) {
            error = e.what();
            return nullptr;
        }
    }
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        const char* why = dlerror();
        error = why ? why : "unknown error";
        return nullptr;
    }
    return new Module{library, nullptr};
}

void* FindExport(void* module, const char* name) {
    const auto* m = static_cast<Module*>(module);
    return m->image != nullptr ? macho::FindExport(*m->image, name) : dlsym(m->library, name);
}

void UnloadModule(void* module) {
    auto* m = static_cast<Module*>(module);
    if (m->image != nullptr) macho::Unload(m->image);
    if (m->library != nullptr) dlclose(m->library);
    delete m;
}

void UseBinaryStdio() {}

}  // namespace orbx::host::platform
