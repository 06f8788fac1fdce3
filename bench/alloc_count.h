// Heap allocations made by the calling thread, counted by the benchmark binary's replacements of
// the global operator new and (where no sanitizer brings its own allocator) of malloc, calloc
// and realloc: the plug-in code, the SDK stand-in and zint all allocate through them.
#pragma once

#include <cstdint>

namespace orbx::bench {

// Allocations on this thread since it started.
std::uint64_t Allocations();

}  // namespace orbx::bench
