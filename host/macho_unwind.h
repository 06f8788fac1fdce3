// The Mach-O loader's translation of a macOS image's compact unwind information into the DWARF
// call frame information that libgcc's unwinder reads (host/macho_unwind.cpp).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace orbx::host::macho {

enum class Processor { x86_64, arm64 };

// The frames of every function of an image, as an .eh_frame list for libgcc's __register_frame,
// ending with its zero entry: one FDE per function, with the personality and LSDA it names. The
// compact entries of __TEXT,__unwind_info (`info`, `size` bytes) are translated; the functions
// whose entry refers to DWARF information get a copy of their FDE from the image's __eh_frame
// (`eh_frame`, null when there is none). `image` is the image's start (its Mach-O header), from
// which the compact table's offsets count. Throws std::runtime_error when the tables are
// malformed or use an encoding it does not read.
std::vector<unsigned char> FramesFromCompactUnwind(const unsigned char* image,
                                                   const unsigned char* info, std::size_t size,
                                                   const unsigned char* eh_frame,
                                                   std::size_t eh_frame_size, Processor processor);

}  // namespace orbx::host::macho
