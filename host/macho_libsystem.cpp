// The libSystem names a macOS plug-in imports, bound for the Linux host: C library functions
// where macOS and glibc agree (the same calling convention and the same types), thin wrappers
// where they differ (the sizes of pthread objects, the C library's variables, functions glibc
// lacks), and macOS's thread-local variables. Only the names the plug-in imports are here; the
// loader refuses any other.
#include "host/macho_libsystem.h"

#include <pthread.h>
#include <unistd.h>
#include <unwind.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace orbx::host::macho {

namespace {

// ---- pthread objects ----------------------------------------------------------------------
// macOS's pthread objects start with a signature word (its static initialisers write only that,
// and zeros), then opaque storage: 56 bytes for a mutex, 40 for a condition variable, 8 for a
// once flag (<sys/_pthread/_pthread_types.h>). The zeros are glibc's own static initialisers, so
// a glibc mutex and once flag live in the opaque storage. A glibc condition variable (48 bytes)
// does not fit in 40: each Mac one gets a glibc one of its own, found by its address.
struct MacMutex {
    long signature;
    alignas(8) unsigned char opaque[56];
};
struct MacCondition {
    long signature;
    unsigned char opaque[40];
};
struct MacOnce {
    long signature;
    alignas(8) unsigned char opaque[8];
};
static_assert(sizeof(pthread_mutex_t) <= sizeof(MacMutex::opaque) &&
              sizeof(pthread_once_t) <= sizeof(MacOnce::opaque));

pthread_mutex_t* glibc_mutex(MacMutex* mutex) {
    return reinterpret_cast<pthread_mutex_t*>(mutex->opaque);
}

int mac_mutex_lock(MacMutex* mutex) {
    return pthread_mutex_lock(glibc_mutex(mutex));
}

int mac_mutex_unlock(MacMutex* mutex) {
    return pthread_mutex_unlock(glibc_mutex(mutex));
}

struct Conditions {
    std::mutex mutex;
    std::map<const void*, std::unique_ptr<pthread_cond_t>> by_address;
};
Conditions& conditions() {
    static Conditions table;
    return table;
}

pthread_cond_t* glibc_condition(MacCondition* condition) {
    Conditions& table = conditions();
    std::lock_guard lock(table.mutex);
    auto& entry = table.by_address[condition];
    if (!entry) {
        entry = std::make_unique<pthread_cond_t>();
        pthread_cond_init(entry.get(), nullptr);
    }
    return entry.get();
}

int mac_cond_wait(MacCondition* condition, MacMutex* mutex) {
    return pthread_cond_wait(glibc_condition(condition), glibc_mutex(mutex));
}

int mac_cond_broadcast(MacCondition* condition) {
    return pthread_cond_broadcast(glibc_condition(condition));
}

int mac_once(MacOnce* once, void (*init)()) {
    return pthread_once(reinterpret_cast<pthread_once_t*>(once->opaque), init);
}

// A pthread_key_t is an unsigned long on macOS, an unsigned int in glibc. The keys the image
// creates are remembered with the code that created them, to be deleted when it is unloaded.
struct Keys {
    std::mutex mutex;
    std::vector<std::pair<pthread_key_t, const void*>> created;
};
Keys& keys() {
    static Keys table;
    return table;
}

__attribute__((noinline)) int mac_key_create(unsigned long* key, void (*destroy)(void*)) {
    const void* caller = __builtin_return_address(0);
    pthread_key_t k;
    const int status = pthread_key_create(&k, destroy);
    if (status != 0) return status;
    *key = k;
    Keys& table = keys();
    std::lock_guard lock(table.mutex);
    table.created.emplace_back(k, caller);
    return 0;
}

void* mac_getspecific(unsigned long key) {
    return pthread_getspecific(static_cast<pthread_key_t>(key));
}

int mac_setspecific(unsigned long key, const void* value) {
    return pthread_setspecific(static_cast<pthread_key_t>(key), value);
}

// macOS names a thread by its Mach port; the thread's own ID stands in for it.
unsigned mac_mach_thread_np(pthread_t thread) {
    if (pthread_equal(thread, pthread_self())) return static_cast<unsigned>(gettid());
    return static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(reinterpret_cast<void*>(thread)));
}

// ---- Memory and strings that glibc lacks ---------------------------------------------------

void mac_bzero(void* memory, std::size_t size) {
    std::memset(memory, 0, size);
}

// Fills `size` bytes with the 16-byte pattern repeated, the last copy cut short.
void mac_memset_pattern16(void* memory, const void* pattern, std::size_t size) {
    auto* out = static_cast<unsigned char*>(memory);
    for (std::size_t done = 0; done < size; done += 16)
        std::memcpy(out + done, pattern, std::min<std::size_t>(16, size - done));
}

// libc++ asks whether a macOS C++ library is loaded; none ever is here.
void* mac_dlopen(const char*, int) {
    return nullptr;
}

void* mac_dlsym(void*, const char*) {
    return nullptr;
}

[[noreturn]] void mac_dyld_stub_binder() {
    std::fputs(
        "orbx: the plug-in called dyld_stub_binder, but the loader binds every lazy "
        "pointer at load time\n",
        stderr);
    std::abort();
}

// ---- The C locale's character classes ------------------------------------------------------
// macOS's <ctype.h> reads the classes of characters below 128 from _DefaultRuneLocale's table
// (<runetype.h>, <_ctype.h>): one mask a character, _CTYPE_A 0x100 (alpha), _C 0x200 (control),
// _D 0x400 (digit), _G 0x800 (graph), _L 0x1000 (lower), _P 0x2000 (punct), _S 0x4000 (space),
// _U 0x8000 (upper), _X 0x10000 (hex digit), _B 0x20000 (blank), _R 0x40000 (print); the
// printing characters are one column wide (_CTYPE_SW1 0x40000000).
constexpr std::uint32_t ascii_class(unsigned c) {
    const bool upper = c >= 'A' && c <= 'Z', lower = c >= 'a' && c <= 'z';
    const bool digit = c >= '0' && c <= '9';
    const bool hex = digit || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
    const bool space = c == ' ' || (c >= '\t' && c <= '\r');
    const bool control = c < 32 || c == 127;
    const bool print = c >= 32 && c < 127;
    const bool graph = c > 32 && c < 127;
    const bool punct = graph && !upper && !lower && !digit;
    return (upper || lower ? 0x100u : 0) | (control ? 0x200u : 0) | (digit ? 0x400u : 0) |
           (graph ? 0x800u : 0) | (lower ? 0x1000u : 0) | (punct ? 0x2000u : 0) |
           (space ? 0x4000u : 0) | (upper ? 0x8000u : 0) | (hex ? 0x10000u : 0) |
           (c == ' ' || c == '\t' ? 0x20000u : 0) | (print ? 0x40000u : 0) |
           (print ? 0x40000000u : 0);
}

// The leading part of macOS's _RuneLocale, up to its tables of the first 256 characters, then
// its extension ranges, empty.
struct MacRuneLocale {
    char magic[8];
    char encoding[32];
    void* get_rune;
    void* put_rune;
    int invalid_rune;
    std::uint32_t types[256];
    int lower[256];
    int upper[256];
    struct {
        int count;
        void* ranges;
    } type_ranges, lower_ranges, upper_ranges;
    void* variable;
    int variable_length;
    int class_count;
    void* classes;
};
static_assert(offsetof(MacRuneLocale, types) == 60 && offsetof(MacRuneLocale, upper) == 2108);

constexpr MacRuneLocale make_c_locale() {
    MacRuneLocale locale{{'R', 'u', 'n', 'e', 'M', 'a', 'g', 'A'},
                         {'N', 'O', 'N', 'E'},
                         nullptr,
                         nullptr,
                         0xFFFD,
                         {},
                         {},
                         {},
                         {},
                         {},
                         {},
                         nullptr,
                         0,
                         0,
                         nullptr};
    for (unsigned c = 0; c < 256; ++c) {
        locale.types[c] = c < 128 ? ascii_class(c) : 0;
        locale.lower[c] = static_cast<int>(c >= 'A' && c <= 'Z' ? c + 32 : c);
        locale.upper[c] = static_cast<int>(c >= 'a' && c <= 'z' ? c - 32 : c);
    }
    return locale;
}
constexpr MacRuneLocale kCLocale = make_c_locale();
static_assert(kCLocale.types[0x37] == 0x40050C00u && kCLocale.types[0x0A] == 0x4200u);  // '7', LF

// ---- Thread-local variables ----------------------------------------------------------------
// Each thread that touches an image's thread-local variables gets a copy of its template on
// first use, and keeps a user of the image until it ends; then the destructors registered with
// _tlv_atexit run, newest first (as macOS runs them before the thread's variables are freed),
// and the copies are released.
struct ThreadRecord {
    struct Copy {
        ThreadLocals* locals;
        unsigned char* block;
    };
    struct ExitCall {
        void (*destroy)(void*);
        void* object;
    };
    std::vector<Copy> copies;
    std::vector<ExitCall> exits;

    ~ThreadRecord() {
        while (!exits.empty()) {
            const ExitCall call = exits.back();
            exits.pop_back();
            call.destroy(call.object);
        }
        for (const Copy& copy : copies) {
            std::free(copy.block);
            ReleaseThreadLocals(*copy.locals);
        }
    }
};
ThreadRecord& thread_record() {
    thread_local ThreadRecord record;
    return record;
}

void mac_tlv_atexit(void (*destroy)(void*), void* object) {
    thread_record().exits.push_back({destroy, object});
}

}  // namespace

}  // namespace orbx::host::macho

// The address of a thread-local variable, for the access function below.
extern "C" __attribute__((used)) void* orbx_macho_tlv_address(
    orbx::host::macho::ThreadLocalDescriptor* descriptor) {
    using namespace orbx::host::macho;
    auto* locals = reinterpret_cast<ThreadLocals*>(descriptor->key);
    ThreadRecord& record = thread_record();
    for (const ThreadRecord::Copy& copy : record.copies) {
        if (copy.locals == locals) return copy.block + descriptor->offset;
    }
    const std::size_t size =
        (locals->size + locals->alignment - 1) / locals->alignment * locals->alignment;
    auto* block = static_cast<unsigned char*>(std::aligned_alloc(locals->alignment, size));
    if (block == nullptr) std::abort();
    std::memcpy(block, locals->initial, locals->initial_size);
    std::memset(block + locals->initial_size, 0, size - locals->initial_size);
    locals->users.fetch_add(1);
    record.copies.push_back({locals, block});
    return block + descriptor->offset;
}

// The access function of every thread-local descriptor: the code calls it with the descriptor
// (x86-64: in rdi; arm64: in x0) and expects the variable's address back in rax (x0) with every
// other register as it was, as macOS's own preserves them. It saves what the C function it calls
// may change: the other caller-saved general registers and the whole vector and x87 state.
#if defined(__x86_64__)
__asm__(R"(
    .text
    .p2align 4
    .globl orbx_macho_tlv_thunk
    .hidden orbx_macho_tlv_thunk
    .type orbx_macho_tlv_thunk, @function
orbx_macho_tlv_thunk:
    pushq %rbp
    movq %rsp, %rbp
    pushq %rcx
    pushq %rdx
    pushq %rsi
    pushq %rdi
    pushq %r8
    pushq %r9
    pushq %r10
    pushq %r11
    andq $-64, %rsp
    subq $512, %rsp
    fxsave64 (%rsp)
    call orbx_macho_tlv_address@PLT
    fxrstor64 (%rsp)
    leaq -64(%rbp), %rsp
    popq %r11
    popq %r10
    popq %r9
    popq %r8
    popq %rdi
    popq %rsi
    popq %rdx
    popq %rcx
    popq %rbp
    ret
    .size orbx_macho_tlv_thunk, .-orbx_macho_tlv_thunk
)");
#elif defined(__aarch64__)
__asm__(R"(
    .text
    .p2align 4
    .globl orbx_macho_tlv_thunk
    .hidden orbx_macho_tlv_thunk
    .type orbx_macho_tlv_thunk, %function
orbx_macho_tlv_thunk:
    stp x29, x30, [sp, #-16]!
    mov x29, sp
    sub sp, sp, #656
    stp x1, x2, [sp, #0]
    stp x3, x4, [sp, #16]
    stp x5, x6, [sp, #32]
    stp x7, x8, [sp, #48]
    stp x9, x10, [sp, #64]
    stp x11, x12, [sp, #80]
    stp x13, x14, [sp, #96]
    stp x15, x16, [sp, #112]
    stp x17, x18, [sp, #128]
    stp q0, q1, [sp, #144]
    stp q2, q3, [sp, #176]
    stp q4, q5, [sp, #208]
    stp q6, q7, [sp, #240]
    stp q8, q9, [sp, #272]
    stp q10, q11, [sp, #304]
    stp q12, q13, [sp, #336]
    stp q14, q15, [sp, #368]
    stp q16, q17, [sp, #400]
    stp q18, q19, [sp, #432]
    stp q20, q21, [sp, #464]
    stp q22, q23, [sp, #496]
    stp q24, q25, [sp, #528]
    stp q26, q27, [sp, #560]
    stp q28, q29, [sp, #592]
    stp q30, q31, [sp, #624]
    bl orbx_macho_tlv_address
    ldp x1, x2, [sp, #0]
    ldp x3, x4, [sp, #16]
    ldp x5, x6, [sp, #32]
    ldp x7, x8, [sp, #48]
    ldp x9, x10, [sp, #64]
    ldp x11, x12, [sp, #80]
    ldp x13, x14, [sp, #96]
    ldp x15, x16, [sp, #112]
    ldp x17, x18, [sp, #128]
    ldp q0, q1, [sp, #144]
    ldp q2, q3, [sp, #176]
    ldp q4, q5, [sp, #208]
    ldp q6, q7, [sp, #240]
    ldp q8, q9, [sp, #272]
    ldp q10, q11, [sp, #304]
    ldp q12, q13, [sp, #336]
    ldp q14, q15, [sp, #368]
    ldp q16, q17, [sp, #400]
    ldp q18, q19, [sp, #432]
    ldp q20, q21, [sp, #464]
    ldp q22, q23, [sp, #496]
    ldp q24, q25, [sp, #528]
    ldp q26, q27, [sp, #560]
    ldp q28, q29, [sp, #592]
    ldp q30, q31, [sp, #624]
    mov sp, x29
    ldp x29, x30, [sp], #16
    ret
    .size orbx_macho_tlv_thunk, .-orbx_macho_tlv_thunk
)");
#endif

#if defined(__x86_64__) || defined(__aarch64__)
extern "C" void* orbx_macho_tlv_thunk(orbx::host::macho::ThreadLocalDescriptor*);
#endif

namespace orbx::host::macho {

namespace {

// ---- Variadic calls ---------------------------------------------------------------------------
// On x86-64 macOS and glibc pass variadic arguments and va_list alike. On arm64 macOS passes
// every variadic argument on the stack, 8 bytes each, and its va_list is a pointer to them; a
// glibc va_list that has no register arguments left reads the same stack slots.
#if defined(__aarch64__)
struct GlibcVaList {
    void* stack;
    void* general_top;
    void* vector_top;
    int general_offset;
    int vector_offset;
};

void from_mac_arguments(std::va_list& list, void* arguments) {
    static_assert(sizeof(std::va_list) == sizeof(GlibcVaList));
    const GlibcVaList raw{arguments, nullptr, nullptr, 0, 0};
    std::memcpy(&list, &raw, sizeof raw);
}

int mac_vfprintf(std::FILE* file, const char* format, void* arguments) {
    std::va_list list;
    from_mac_arguments(list, arguments);
    return std::vfprintf(file, format, list);
}
#endif

}  // namespace

}  // namespace orbx::host::macho

#if defined(__aarch64__)
// snprintf called from arm64 macOS code: its variadic arguments start at the caller's stack
// pointer, handed to the C function as a fourth argument.
extern "C" __attribute__((used)) int orbx_macho_vsnprintf(char* buffer, std::size_t size,
                                                          const char* format, void* arguments) {
    std::va_list list;
    orbx::host::macho::from_mac_arguments(list, arguments);
    return std::vsnprintf(buffer, size, format, list);
}
__asm__(R"(
    .text
    .p2align 2
    .globl orbx_macho_snprintf
    .hidden orbx_macho_snprintf
    .type orbx_macho_snprintf, %function
orbx_macho_snprintf:
    mov x3, sp
    b orbx_macho_vsnprintf
    .size orbx_macho_snprintf, .-orbx_macho_snprintf
)");
extern "C" int orbx_macho_snprintf(char*, std::size_t, const char*, ...);
#endif

namespace orbx::host::macho {

namespace {

struct Symbol {
    std::string_view name;
    const void* address;
};

template <typename F>
const void* function(F* f) {
    return reinterpret_cast<const void*>(f);
}

// Every libSystem name the plug-in imports, with what it binds to.
const std::vector<Symbol>& libsystem() {
    static const std::vector<Symbol> table = {
        // The C library's own, where macOS and glibc agree.
        {"_abort", function(&std::abort)},
        {"_malloc", function(&std::malloc)},
        {"_calloc", function(&std::calloc)},
        {"_realloc", function(&std::realloc)},
        {"_free", function(&std::free)},
        {"_aligned_alloc", function(&std::aligned_alloc)},
        {"_memchr",
         function(static_cast<const void* (*)(const void*, int, std::size_t)>(&std::memchr))},
        {"_strchr", function(static_cast<const char* (*)(const char*, int)>(&std::strchr))},
        {"_strcmp", function(&std::strcmp)},
        {"_strncmp", function(&std::strncmp)},
        {"_strlen", function(&std::strlen)},
        {"_strnlen", function(&strnlen)},
        {"_strncpy", function(&std::strncpy)},
        {"_lround", function(static_cast<long (*)(double)>(&std::lround))},
        {"_llround", function(static_cast<long long (*)(double)>(&std::llround))},
        {"_fputc", function(&std::fputc)},
        {"_fwrite", function(&std::fwrite)},
#if defined(__aarch64__)
        {"_vfprintf", function(&mac_vfprintf)},
        {"_snprintf", function(&orbx_macho_snprintf)},
#else
        {"_vfprintf", function(&std::vfprintf)},
        {"_snprintf", function(&std::snprintf)},
#endif
        // The C library's variables: the standard error stream, and the C locale's character
        // classes.
        {"___stderrp", &stderr},
        {"__DefaultRuneLocale", &kCLocale},
        // macOS's own functions, and those whose types differ.
        {"___bzero", function(&mac_bzero)},
        {"_bzero", function(&mac_bzero)},
        {"_memset_pattern16", function(&mac_memset_pattern16)},
        {"_dlopen", function(&mac_dlopen)},
        {"_dlsym", function(&mac_dlsym)},
        {"dyld_stub_binder", function(&mac_dyld_stub_binder)},
        {"_pthread_mutex_lock", function(&mac_mutex_lock)},
        {"_pthread_mutex_unlock", function(&mac_mutex_unlock)},
        {"_pthread_cond_wait", function(&mac_cond_wait)},
        {"_pthread_cond_broadcast", function(&mac_cond_broadcast)},
        {"_pthread_once", function(&mac_once)},
        {"_pthread_key_create", function(&mac_key_create)},
        {"_pthread_getspecific", function(&mac_getspecific)},
        {"_pthread_setspecific", function(&mac_setspecific)},
        {"_pthread_self", function(&pthread_self)},
        {"_pthread_mach_thread_np", function(&mac_mach_thread_np)},
    // Thread-local variables.
#if defined(__x86_64__) || defined(__aarch64__)
        {"__tlv_bootstrap", function(&orbx_macho_tlv_thunk)},
#endif
        {"__tlv_atexit", function(&mac_tlv_atexit)},
        // C++ exceptions unwind through libgcc's unwinder, which reads the image's registered
        // tables; the unwinding interface is the same on both systems.
        {"__Unwind_RaiseException", function(&_Unwind_RaiseException)},
        {"__Unwind_Resume", function(&_Unwind_Resume)},
        {"__Unwind_DeleteException", function(&_Unwind_DeleteException)},
        {"__Unwind_GetIP", function(&_Unwind_GetIP)},
        {"__Unwind_SetIP", function(&_Unwind_SetIP)},
        {"__Unwind_SetGR", function(&_Unwind_SetGR)},
        {"__Unwind_GetLanguageSpecificData", function(&_Unwind_GetLanguageSpecificData)},
        {"__Unwind_GetRegionStart", function(&_Unwind_GetRegionStart)},
    };
    return table;
}

}  // namespace

const void* LibSystemSymbol(std::string_view name) {
    for (const Symbol& symbol : libsystem()) {
        if (symbol.name == name) return symbol.address;
    }
    return nullptr;
}

void BindThreadLocal(ThreadLocalDescriptor& descriptor, ThreadLocals& locals) {
#if defined(__x86_64__) || defined(__aarch64__)
    descriptor.thunk = orbx_macho_tlv_thunk;
#endif
    descriptor.key = reinterpret_cast<unsigned long>(&locals);
}

void ReleaseThreadLocals(ThreadLocals& locals) {
    if (locals.users.fetch_sub(1) == 1) locals.release(locals.owner);
}

void ForgetImage(const void* begin, const void* end) {
    auto inside = [&](const void* p) {
        return std::less_equal<const void*>()(begin, p) && std::less<const void*>()(p, end);
    };
    {
        Keys& table = keys();
        std::lock_guard lock(table.mutex);
        std::erase_if(table.created, [&](const auto& entry) {
            if (!inside(entry.second)) return false;
            pthread_key_delete(entry.first);
            return true;
        });
    }
    Conditions& table = conditions();
    std::lock_guard lock(table.mutex);
    std::erase_if(table.by_address, [&](auto& entry) {
        if (!inside(entry.first)) return false;
        pthread_cond_destroy(entry.second.get());
        return true;
    });
}

}  // namespace orbx::host::macho
