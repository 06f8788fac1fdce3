#include "bench/alloc_count.h"

#include <cstddef>
#include <cstdlib>
#include <new>

namespace {

// Plain per-thread count: no dynamic initialisation, so it is usable from the first allocation.
thread_local std::uint64_t t_allocations = 0;

}  // namespace

namespace orbx::bench {

std::uint64_t Allocations() {
    return t_allocations;
}

}  // namespace orbx::bench

#if defined(ORBX_BENCH_COUNT_MALLOC)
// glibc's own allocator under its exported second names: the replacements below count a call
// and hand it on, so every block still comes from, and goes back to, the one allocator.
extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);

void* malloc(std::size_t size) {
    ++t_allocations;
    return __libc_malloc(size);
}

void* calloc(std::size_t count, std::size_t size) {
    ++t_allocations;
    return __libc_calloc(count, size);
}

void* realloc(void* block, std::size_t size) {
    ++t_allocations;
    return __libc_realloc(block, size);
}
}

namespace {
void* raw_allocate(std::size_t size) {
    return __libc_malloc(size == 0 ? 1 : size);
}
}  // namespace
#else
namespace {
void* raw_allocate(std::size_t size) {
    return std::malloc(size == 0 ? 1 : size);
}
}  // namespace
#endif

namespace {

// operator new counts once and allocates without passing through the counting malloc.
void* counted_new(std::size_t size) {
    ++t_allocations;
    if (void* block = raw_allocate(size)) return block;
    throw std::bad_alloc();
}

void* counted_aligned_new(std::size_t size, std::align_val_t alignment) {
    ++t_allocations;
    const auto align = static_cast<std::size_t>(alignment);
    // aligned_alloc wants a size that is a multiple of the alignment.
    const std::size_t rounded = (size + align - 1) / align * align;
    // aligned_alloc is not one of the counting replacements: this call counts once.
    if (void* block = std::aligned_alloc(align, rounded == 0 ? align : rounded)) return block;
    throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t size) {
    return counted_new(size);
}
void* operator new[](std::size_t size) {
    return counted_new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    ++t_allocations;
    return raw_allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    ++t_allocations;
    return raw_allocate(size);
}
void* operator new(std::size_t size, std::align_val_t alignment) {
    return counted_aligned_new(size, alignment);
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
    return counted_aligned_new(size, alignment);
}

void operator delete(void* block) noexcept {
    std::free(block);
}
void operator delete[](void* block) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    std::free(block);
}
void operator delete(void* block, std::align_val_t) noexcept {
    std::free(block);
}
void operator delete[](void* block, std::align_val_t) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t, std::align_val_t) noexcept {
    std::free(block);
}
void operator delete[](void* block, std::size_t, std::align_val_t) noexcept {
    std::free(block);
}
