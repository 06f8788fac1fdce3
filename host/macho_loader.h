// A loader of the macOS plug-in's code for the Linux host, so that the tests run the Mac build's
// own machine code: it maps one slice of a Mach-O bundle (Orbelantrix.fmplugin) into the host
// process, applies its rebase and bind information, binds its FMWrapper imports to the host's
// FM_ functions and its libSystem imports to the C library (host/macho_libsystem.cpp), sets up
// its thread-local variables, registers its unwind tables and runs its initialisers. Test
// infrastructure of the host program: the plug-in itself knows nothing of it.
//
// It reads what Apple's linker and ld64.lld write for a bundle without chained fixups, and
// refuses anything else with a message naming it: another processor, a load command it does not
// know, chained fixups, a library other than libSystem and FMWrapper, an import it has no
// wrapper for.
#pragma once

#include <string>
#include <string_view>

namespace orbx::host::macho {

struct Image;

// Whether `path` names Mach-O code: a bundle folder (Contents/MacOS/<executable> inside) or a
// Mach-O file, thin or universal.
bool IsMachO(const std::string& path);

// Loads the slice of this host's processor and runs its initialisers; throws
// std::runtime_error with the reason when it cannot.
Image* Load(const std::string& path);

// The address of the exported C function `name` (without Mach-O's leading underscore), or null.
void* FindExport(const Image& image, std::string_view name);

// Runs the image's terminators and unloads it. Its memory is released once no thread holds its
// thread-local variables any more (their destructors are its code).
void Unload(Image* image);

}  // namespace orbx::host::macho
