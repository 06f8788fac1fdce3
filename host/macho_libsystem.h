// What the Mach-O loader binds a plug-in's libSystem imports to (host/macho_libsystem.cpp): C
// library functions and variables where macOS and glibc agree, thin wrappers where they differ,
// and macOS's thread-local variables.
#pragma once

#include <atomic>
#include <cstddef>
#include <string_view>

namespace orbx::host::macho {

// The address the import `name` (a libSystem symbol with its leading underscore) binds to, or
// null when the host has no wrapper for it.
const void* LibSystemSymbol(std::string_view name);

// The thread-local variables of one image: the template every thread's copy starts from (the
// image's __thread_data, then zeros for its __thread_bss), and a count of users: one while the
// image is loaded and one for each thread that holds a copy. When it drops to zero, `release`
// frees the image, its `owner`.
struct ThreadLocals {
    const unsigned char* initial = nullptr;
    std::size_t initial_size = 0;
    std::size_t size = 0;
    std::size_t alignment = 16;
    std::atomic<long> users{1};
    void (*release)(void* owner) = nullptr;
    void* owner = nullptr;
};

// A thread-local variable's descriptor in the image's __thread_vars section, as macOS lays it
// out: the access function the code calls with the descriptor, a key naming the image's
// variables, and the variable's offset in them.
struct ThreadLocalDescriptor {
    void* (*thunk)(ThreadLocalDescriptor*);
    unsigned long key;
    unsigned long offset;
};

// Points a descriptor at the host's access function for the variables of `locals`.
void BindThreadLocal(ThreadLocalDescriptor& descriptor, ThreadLocals& locals);

// Drops one user of `locals` (the image's own, when it is unloaded).
void ReleaseThreadLocals(ThreadLocals& locals);

// Forgets what the wrappers keep for code in [begin, end) of an unloaded image: the pthread keys
// it created are deleted (a live thread's value for one is left to the process: its destructor
// is the image's code), and its condition variables are destroyed.
void ForgetImage(const void* begin, const void* end);

}  // namespace orbx::host::macho
