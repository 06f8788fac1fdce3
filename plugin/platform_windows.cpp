// What the Windows DLL does differently: its strings come from the string table resource of the
// plug-in's module (built by the resource compiler from plugin/string_table.h and
// plugin/function_rows.h), read with LoadStringW through the module handle that the host passes
// in the call record's instanceID; and its per-thread buffers are released at thread exit and
// when the host unloads the DLL.
#include <windows.h>

#include <new>

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
    const int length =
        LoadStringW(reinterpret_cast<HINSTANCE>(module), id, reinterpret_cast<LPWSTR>(&text), 0);
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

const char* PlatformVersionNumber() {
    return nullptr;
}

}  // namespace orbx

// Per-thread buffers (the encoders' function-local thread_local work strings) and unloading.
//
// GCC registers the destructor of each such object with __cxa_thread_atexit. The C++ runtime's
// own version, linked statically into this DLL, adds a reference to the DLL for every object
// (so that the destructor's code stays mapped) and drops it after running the destructor at
// thread exit. When the host disables the plug-in (FreeLibrary) while threads that called it live
// on, as FileMaker Server does, the DLL stays loaded and is finally unloaded from inside the
// last such thread's exit, while that thread is still running the DLL's thread-exit callbacks:
// under Wine the process hangs there, on Windows it can crash.
//
// So the DLL keeps the records itself and takes no references: each thread's records are run
// on DLL_THREAD_DETACH, and when the DLL is unloaded (DLL_PROCESS_DETACH through FreeLibrary)
// the records of every thread still alive are run by the unloading thread, so their buffers
// are freed before the code goes away. That is safe because the host has shut the plug-in down
// and no thread is inside it any more. The callback sits in the TLS callback section .CRT$XLB,
// ahead of winpthreads' callback (.CRT$XLF), whose key destructors free the thread_local
// objects' own storage (libgcc's emulated TLS); running the destructors first keeps them on
// live storage. What is left behind by a thread that outlives the DLL is that emulated-TLS
// storage (the objects themselves, a few bytes each), which only the unloaded DLL could free.
namespace {

struct ExitCall {
    void (*destroy)(void*);
    void* object;
    ExitCall* next;
};

// One thread's destructors, newest first (they run in reverse order of construction).
struct ThreadCalls {
    DWORD thread;
    ExitCall* calls;
    ThreadCalls* next;
};

// The records of every thread: process-wide because the unloading thread must reach the other
// threads' records. Both are constant-initialised and trivially destructible.
SRWLOCK registry_lock = SRWLOCK_INIT;
ThreadCalls* registry = nullptr;

// Takes the records of `thread` (of every thread when `all`) out of the registry.
ExitCall* take(DWORD thread, bool all) {
    ExitCall* taken = nullptr;
    AcquireSRWLockExclusive(&registry_lock);
    for (ThreadCalls** link = &registry; *link != nullptr;) {
        ThreadCalls* entry = *link;
        if (!all && entry->thread != thread) {
            link = &entry->next;
            continue;
        }
        // Appended after what was taken so far: each thread's own order is kept.
        ExitCall** tail = &taken;
        while (*tail != nullptr)
            tail = &(*tail)->next;
        *tail = entry->calls;
        *link = entry->next;
        delete entry;
    }
    ReleaseSRWLockExclusive(&registry_lock);
    return taken;
}

// Runs the destructors outside the lock; one that makes another per-thread object registers it
// anew, so this repeats until nothing is left.
void release(DWORD thread, bool all) {
    while (ExitCall* calls = take(thread, all)) {
        while (calls != nullptr) {
            ExitCall* call = calls;
            calls = call->next;
            call->destroy(call->object);
            delete call;
        }
    }
}

void NTAPI on_thread_or_unload(PVOID, DWORD reason, PVOID reserved) {
    if (reason == DLL_THREAD_DETACH) release(GetCurrentThreadId(), false);
    // reserved is null for FreeLibrary; at process exit the other threads are gone already.
    if (reason == DLL_PROCESS_DETACH && reserved == nullptr) release(0, true);
}

}  // namespace

extern "C" {

// Called by the compiler's code the first time a thread constructs a thread_local object with a
// destructor. A record that cannot be allocated leaves that buffer to the process.
int __cxa_thread_atexit(void (*destroy)(void*), void* object, void*) noexcept {
    auto* call = new (std::nothrow) ExitCall{destroy, object, nullptr};
    if (call == nullptr) return 1;
    const DWORD thread = GetCurrentThreadId();
    AcquireSRWLockExclusive(&registry_lock);
    ThreadCalls* entry = registry;
    while (entry != nullptr && entry->thread != thread)
        entry = entry->next;
    if (entry == nullptr) {
        entry = new (std::nothrow) ThreadCalls{thread, nullptr, registry};
        if (entry != nullptr) registry = entry;
    }
    if (entry != nullptr) {
        call->next = entry->calls;
        entry->calls = call;
    }
    ReleaseSRWLockExclusive(&registry_lock);
    if (entry == nullptr) {
        delete call;
        return 1;
    }
    return 0;
}

// The loader calls the entries of the .CRT$XL* sections in name order at every thread and
// process attach and detach.
__attribute__((section(".CRT$XLB"), used)) const PIMAGE_TLS_CALLBACK orbx_thread_exit_callback =
    on_thread_or_unload;

}  // extern "C"
