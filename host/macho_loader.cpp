#include "host/macho_loader.h"

#include <dlfcn.h>
#include <sys/mman.h>
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/macho_libsystem.h"
#include "host/macho_unwind.h"

// libgcc's unwinder: the tables of code it did not find through the dynamic linker.
extern "C" void __register_frame(void* begin);
extern "C" void __deregister_frame(void* begin);

namespace orbx::host::macho {

namespace {

// The Mach-O format's values (Apple's <mach-o/loader.h>, <mach-o/fat.h> and <mach/machine.h>).
constexpr std::uint32_t kMagic64 = 0xFEEDFACF;
constexpr std::uint32_t kFatMagic = 0xCAFEBABE;  // universal file, big-endian
constexpr std::uint32_t kFatMagic64 = 0xCAFEBABF;
constexpr std::uint32_t kCpuX86_64 = 0x01000007;
constexpr std::uint32_t kCpuArm64 = 0x0100000C;
constexpr std::uint32_t kFileDylib = 6;
constexpr std::uint32_t kFileBundle = 8;
constexpr std::uint32_t kRequiresDyld = 0x80000000;

#if defined(__x86_64__)
constexpr std::uint32_t kHostCpu = kCpuX86_64;
#elif defined(__aarch64__)
constexpr std::uint32_t kHostCpu = kCpuArm64;
#else
constexpr std::uint32_t kHostCpu = 0;
#endif

// Section types (the low byte of a section's flags).
enum SectionType : std::uint32_t {
    kModInitPointers = 0x09,
    kModTermPointers = 0x0A,
    kThreadLocalRegular = 0x11,
    kThreadLocalZerofill = 0x12,
    kThreadLocalVariables = 0x13,
    kThreadLocalInitPointers = 0x15,
    kInitOffsets = 0x16,
};

// Virtual memory protections of a segment.
constexpr int kProtRead = 1, kProtWrite = 2, kProtExecute = 4;

// The libraries a plug-in may import from, by their install names.
constexpr std::string_view kLibSystem = "/usr/lib/libSystem.B.dylib";
constexpr std::string_view kFMWrapper = "@rpath/FMWrapper.framework/Versions/A/FMWrapper";

struct MachHeader {
    std::uint32_t magic, cputype, cpusubtype, filetype, ncmds, sizeofcmds, flags, reserved;
};
struct SegmentCommand {
    std::uint32_t cmd, cmdsize;
    char segname[16];
    std::uint64_t vmaddr, vmsize, fileoff, filesize;
    std::int32_t maxprot, initprot;
    std::uint32_t nsects, flags;
};
struct SectionHeader {
    char sectname[16], segname[16];
    std::uint64_t addr, size;
    std::uint32_t offset, align, reloff, nreloc, flags, reserved1, reserved2, reserved3;
};
struct DyldInfoCommand {
    std::uint32_t cmd, cmdsize, rebase_off, rebase_size, bind_off, bind_size, weak_bind_off,
        weak_bind_size, lazy_bind_off, lazy_bind_size, export_off, export_size;
};
struct DylibCommand {
    std::uint32_t cmd, cmdsize, name_offset, timestamp, current_version, compatibility_version;
};
struct LinkeditCommand {
    std::uint32_t cmd, cmdsize, dataoff, datasize;
};
static_assert(sizeof(MachHeader) == 32 && sizeof(SegmentCommand) == 72 &&
              sizeof(SectionHeader) == 80 && sizeof(DyldInfoCommand) == 48);

struct Segment {
    std::string name;
    std::uint64_t vmaddr, vmsize, fileoff, filesize;
    int initprot;
};
struct Section {
    std::string segment, name;
    std::uint64_t addr, size;
    std::uint32_t type, align;
};
// A table of the linkedit data: offset and size in the slice.
struct Table {
    std::uint32_t offset = 0, size = 0;
};

[[noreturn]] void refuse(const std::string& why) {
    throw std::runtime_error(why);
}

std::string hex(std::uint64_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(value));
    return text;
}

}  // namespace

struct Image {
    std::string path;
    std::vector<unsigned char> slice;  // the file's bytes of this processor's code
    std::vector<Segment> segments;
    std::vector<Section> sections;
    std::vector<std::string> libraries;  // by ordinal, from 1
    Table rebases, binds, weak_binds, lazy_binds, exports;
    unsigned char* base = nullptr;  // the mapping, which starts at the lowest segment address
    std::size_t mapped = 0;
    std::uint64_t low = 0;                      // that address
    std::vector<unsigned char> compact_frames;  // the compact unwind information as DWARF
    std::vector<void*> unwind_tables;           // what libgcc's unwinder was given
    ThreadLocals locals;
};

namespace {

// Bounded reads of the slice.
template <typename T>
T read_at(const Image& image, std::uint64_t offset) {
    if (offset > image.slice.size() || image.slice.size() - offset < sizeof(T)) {
        refuse(image.path + " is cut short at offset " + hex(offset));
    }
    T value;
    std::memcpy(&value, image.slice.data() + offset, sizeof(T));
    return value;
}

std::string fixed_name(const char (&name)[16]) {
    return std::string(name, strnlen(name, sizeof name));
}

// The image's memory at the unslid address `address`, for `size` bytes.
unsigned char* at(const Image& image, std::uint64_t address, std::uint64_t size = 8) {
    if (address < image.low || address - image.low > image.mapped ||
        image.mapped - (address - image.low) < size) {
        refuse(image.path + ": address " + hex(address) + " lies outside its segments");
    }
    return image.base + (address - image.low);
}

// ULEB128 and SLEB128 numbers, names and bytes of the linker's opcode streams and export trie.
class Stream {
  public:
    Stream(const Image& image, Table table) : image_(image), table_(table) {
        if (table.offset > image.slice.size() || image.slice.size() - table.offset < table.size) {
            refuse(image.path + ": a table lies outside the file");
        }
    }
    bool done() const { return at_ >= table_.size; }
    std::size_t position() const { return at_; }
    void seek(std::uint64_t position) {
        if (position >= table_.size) refuse(image_.path + ": a link in its export trie is broken");
        at_ = static_cast<std::size_t>(position);
    }
    std::uint8_t byte() {
        if (done()) refuse(image_.path + ": a table ends in the middle of an entry");
        return image_.slice[table_.offset + at_++];
    }
    std::uint64_t uleb() {
        std::uint64_t value = 0;
        for (int shift = 0;; shift += 7) {
            const std::uint8_t b = byte();
            if (shift < 64) value |= static_cast<std::uint64_t>(b & 0x7F) << shift;
            if ((b & 0x80) == 0) return value;
        }
    }
    std::int64_t sleb() {
        std::int64_t value = 0;
        int shift = 0;
        std::uint8_t b = 0;
        do {
            b = byte();
            if (shift < 64) value |= static_cast<std::int64_t>(b & 0x7F) << shift;
            shift += 7;
        } while (b & 0x80);
        if (shift < 64 && (b & 0x40)) value |= -(static_cast<std::int64_t>(1) << shift);
        return value;
    }
    std::string name() {
        std::string text;
        for (std::uint8_t b = byte(); b != 0; b = byte())
            text += static_cast<char>(b);
        return text;
    }

  private:
    const Image& image_;
    Table table_;
    std::size_t at_ = 0;
};

// ---- The file: the slice of this processor --------------------------------------------------

std::vector<unsigned char> read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) refuse("cannot read " + path);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

std::uint32_t big_endian(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
           static_cast<std::uint32_t>(p[2]) << 8 | p[3];
}

const char* cpu_name(std::uint32_t cpu) {
    return cpu == kCpuX86_64 ? "x86_64" : cpu == kCpuArm64 ? "arm64" : "another processor";
}

// A universal file holds one slice per processor (fat_header, then fat_arch or fat_arch_64
// entries, all big-endian); a thin file is its own slice.
void take_slice(Image& image, std::vector<unsigned char> file) {
    if (file.size() < 8) refuse(image.path + " is not a Mach-O file");
    const std::uint32_t magic = big_endian(file.data());
    if (magic != kFatMagic && magic != kFatMagic64) {
        image.slice = std::move(file);
        return;
    }
    const bool wide = magic == kFatMagic64;
    const std::uint32_t count = big_endian(file.data() + 4);
    const std::size_t entry = wide ? 32 : 20;
    std::string found;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t at = 8 + i * entry;
        if (at + entry > file.size()) refuse(image.path + ": its list of slices is cut short");
        const unsigned char* e = file.data() + at;
        const std::uint32_t cpu = big_endian(e);
        const std::uint64_t offset =
            wide ? (std::uint64_t{big_endian(e + 8)} << 32 | big_endian(e + 12))
                 : big_endian(e + 8);
        const std::uint64_t size =
            wide ? (std::uint64_t{big_endian(e + 16)} << 32 | big_endian(e + 20))
                 : big_endian(e + 12);
        found += std::string(found.empty() ? "" : ", ") + cpu_name(cpu);
        if (cpu != kHostCpu) continue;
        if (offset > file.size() || file.size() - offset < size) {
            refuse(image.path + ": its " + cpu_name(cpu) + " slice lies outside the file");
        }
        image.slice.assign(file.begin() + static_cast<std::ptrdiff_t>(offset),
                           file.begin() + static_cast<std::ptrdiff_t>(offset + size));
        return;
    }
    refuse(image.path + " has no " + cpu_name(kHostCpu) + " slice (it has " + found + ")");
}

void check_header(const Image& image, const MachHeader& header) {
    if (header.magic != kMagic64) refuse(image.path + " is not 64-bit Mach-O code");
    if (header.cputype != kHostCpu) {
        refuse(image.path + " is code for " + cpu_name(header.cputype) + ", this host runs " +
               cpu_name(kHostCpu));
    }
    if (header.filetype != kFileBundle && header.filetype != kFileDylib) {
        refuse(image.path + " is neither a bundle nor a dynamic library (file type " +
               std::to_string(header.filetype) + ")");
    }
}

// ---- Load commands, one function each ---------------------------------------------------------

struct Command {
    std::uint64_t offset;  // in the slice
    std::uint32_t cmd, size;
};

void read_segment(Image& image, const Command& command) {
    const auto segment = read_at<SegmentCommand>(image, command.offset);
    if (command.size < sizeof segment + std::uint64_t{segment.nsects} * sizeof(SectionHeader)) {
        refuse(image.path + ": segment " + fixed_name(segment.segname) + " is cut short");
    }
    if (segment.fileoff > image.slice.size() ||
        image.slice.size() - segment.fileoff < segment.filesize ||
        segment.filesize > segment.vmsize) {
        refuse(image.path + ": segment " + fixed_name(segment.segname) + " lies outside the file");
    }
    image.segments.push_back({fixed_name(segment.segname), segment.vmaddr, segment.vmsize,
                              segment.fileoff, segment.filesize, segment.initprot});
    for (std::uint32_t i = 0; i < segment.nsects; ++i) {
        const auto section = read_at<SectionHeader>(
            image, command.offset + sizeof segment + i * sizeof(SectionHeader));
        if (section.addr < segment.vmaddr || section.addr - segment.vmaddr > segment.vmsize ||
            segment.vmsize - (section.addr - segment.vmaddr) < section.size) {
            refuse(image.path + ": section " + fixed_name(section.sectname) +
                   " lies outside its segment");
        }
        image.sections.push_back({fixed_name(section.segname), fixed_name(section.sectname),
                                  section.addr, section.size, section.flags & 0xFF, section.align});
    }
}

void read_dyld_info(Image& image, const Command& command) {
    const auto info = read_at<DyldInfoCommand>(image, command.offset);
    image.rebases = {info.rebase_off, info.rebase_size};
    image.binds = {info.bind_off, info.bind_size};
    image.weak_binds = {info.weak_bind_off, info.weak_bind_size};
    image.lazy_binds = {info.lazy_bind_off, info.lazy_bind_size};
    image.exports = {info.export_off, info.export_size};
}

void read_exports_trie(Image& image, const Command& command) {
    const auto data = read_at<LinkeditCommand>(image, command.offset);
    image.exports = {data.dataoff, data.datasize};
}

// A library the code imports from; its ordinal is its place among these commands.
void read_library(Image& image, const Command& command) {
    const auto dylib = read_at<DylibCommand>(image, command.offset);
    if (dylib.name_offset >= command.size) refuse(image.path + ": a library's name is missing");
    const char* name =
        reinterpret_cast<const char*>(image.slice.data() + command.offset + dylib.name_offset);
    const std::string library(name, strnlen(name, command.size - dylib.name_offset));
    if (library != kLibSystem && library != kFMWrapper) {
        refuse(image.path + " needs the library " + library +
               ", which this host does not stand in for (only libSystem and FMWrapper)");
    }
    image.libraries.push_back(library);
}

void refuse_chained_fixups(Image& image, const Command&) {
    refuse(image.path +
           " carries chained fixups (LC_DYLD_CHAINED_FIXUPS), which this loader "
           "does not read: link it with rebase and bind opcodes (macOS 11 and "
           "earlier)");
}

// Symbols, the code signature, version and layout notes: nothing a loader must act on.
void no_effect(Image&, const Command&) {}

struct CommandRow {
    std::uint32_t cmd;
    void (*read)(Image&, const Command&);
};
// The load commands this loader knows (values of <mach-o/loader.h>).
constexpr std::array<CommandRow, 19> kCommands = {{
    {0x19, read_segment},                           // LC_SEGMENT_64
    {0x22, read_dyld_info},                         // LC_DYLD_INFO
    {0x22 | kRequiresDyld, read_dyld_info},         // LC_DYLD_INFO_ONLY
    {0x33 | kRequiresDyld, read_exports_trie},      // LC_DYLD_EXPORTS_TRIE
    {0x0C, read_library},                           // LC_LOAD_DYLIB
    {0x18 | kRequiresDyld, read_library},           // LC_LOAD_WEAK_DYLIB
    {0x34 | kRequiresDyld, refuse_chained_fixups},  // LC_DYLD_CHAINED_FIXUPS
    {0x02, no_effect},                              // LC_SYMTAB
    {0x0B, no_effect},                              // LC_DYSYMTAB
    {0x0D, no_effect},                              // LC_ID_DYLIB
    {0x1B, no_effect},                              // LC_UUID
    {0x1C | kRequiresDyld, no_effect},              // LC_RPATH
    {0x1D, no_effect},                              // LC_CODE_SIGNATURE
    {0x1E, no_effect},                              // LC_SEGMENT_SPLIT_INFO
    {0x24, no_effect},                              // LC_VERSION_MIN_MACOSX
    {0x26, no_effect},                              // LC_FUNCTION_STARTS
    {0x29, no_effect},                              // LC_DATA_IN_CODE
    {0x2A, no_effect},                              // LC_SOURCE_VERSION
    {0x32, no_effect},                              // LC_BUILD_VERSION
}};

void read_commands(Image& image) {
    const auto header = read_at<MachHeader>(image, 0);
    check_header(image, header);
    std::uint64_t offset = sizeof header;
    for (std::uint32_t i = 0; i < header.ncmds; ++i) {
        const auto cmd = read_at<std::uint32_t>(image, offset);
        const auto size = read_at<std::uint32_t>(image, offset + 4);
        if (size < 8 || offset + size > sizeof header + header.sizeofcmds) {
            refuse(image.path + ": load command " + std::to_string(i) + " is malformed");
        }
        const auto row = std::find_if(kCommands.begin(), kCommands.end(),
                                      [&](const CommandRow& r) { return r.cmd == cmd; });
        if (row == kCommands.end()) {
            refuse(image.path + " has load command " + hex(cmd) +
                   ", which this loader does not "
                   "handle");
        }
        row->read(image, {offset, cmd, size});
        offset += size;
    }
    if (image.segments.empty()) refuse(image.path + " has no segments");
}

// ---- Mapping ----------------------------------------------------------------------------------

void map_segments(Image& image) {
    std::uint64_t low = UINT64_MAX, high = 0;
    for (const Segment& s : image.segments) {
        if (s.vmsize == 0) continue;
        low = std::min(low, s.vmaddr);
        high = std::max(high, s.vmaddr + s.vmsize);
    }
    const std::uint64_t page = 4096;
    if (low % page != 0 || high <= low) refuse(image.path + ": its segments are not page-aligned");
    image.low = low;
    image.mapped = static_cast<std::size_t>((high - low + page - 1) / page * page);
    void* memory =
        mmap(nullptr, image.mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) refuse("cannot map " + image.path);
    image.base = static_cast<unsigned char*>(memory);
    for (const Segment& s : image.segments) {
        if (s.filesize > 0)
            std::memcpy(at(image, s.vmaddr, s.filesize), &image.slice[s.fileoff], s.filesize);
    }
}

// Each segment gets the protection the file asks for, once its fix-ups are written.
void protect_segments(const Image& image) {
    for (const Segment& s : image.segments) {
        if (s.vmsize == 0) continue;
        const int prot = ((s.initprot & kProtRead) ? PROT_READ : 0) |
                         ((s.initprot & kProtWrite) ? PROT_WRITE : 0) |
                         ((s.initprot & kProtExecute) ? PROT_EXEC : 0);
        if (mprotect(at(image, s.vmaddr, s.vmsize), s.vmsize, prot) != 0) {
            refuse("cannot protect segment " + s.name + " of " + image.path);
        }
    }
}

std::uint64_t segment_address(const Image& image, unsigned index) {
    if (index >= image.segments.size()) refuse(image.path + ": a fix-up names a missing segment");
    return image.segments[index].vmaddr;
}

// ---- Fix-ups, one function per kind ------------------------------------------------------------

constexpr std::uint8_t kPointerFixup = 1;  // REBASE_TYPE_POINTER, BIND_TYPE_POINTER

// Rebase information (REBASE_OPCODE_*): pointers the linker wrote for the image at address 0,
// each moved by where the image lies now.
void apply_rebases(Image& image) {
    Stream in(image, image.rebases);
    std::uint64_t address = 0;
    std::uint8_t type = 0;
    const std::uint64_t slide = reinterpret_cast<std::uintptr_t>(image.base) - image.low;
    auto rebase = [&](std::uint64_t times, std::uint64_t step) {
        if (type != kPointerFixup) refuse(image.path + " has text relocations");
        for (std::uint64_t i = 0; i < times; ++i) {
            std::uint64_t value;
            unsigned char* where = at(image, address);
            std::memcpy(&value, where, 8);
            value += slide;
            std::memcpy(where, &value, 8);
            address += 8 + step;
        }
    };
    while (!in.done()) {
        const std::uint8_t b = in.byte();
        const std::uint8_t immediate = b & 0x0F;
        switch (b & 0xF0) {
            case 0x00:  // DONE
                return;
            case 0x10:  // SET_TYPE_IMM
                type = immediate;
                break;
            case 0x20:  // SET_SEGMENT_AND_OFFSET_ULEB
                address = segment_address(image, immediate) + in.uleb();
                break;
            case 0x30:  // ADD_ADDR_ULEB
                address += in.uleb();
                break;
            case 0x40:  // ADD_ADDR_IMM_SCALED
                address += immediate * 8u;
                break;
            case 0x50:  // DO_REBASE_IMM_TIMES
                rebase(immediate, 0);
                break;
            case 0x60:  // DO_REBASE_ULEB_TIMES
                rebase(in.uleb(), 0);
                break;
            case 0x70:  // DO_REBASE_ADD_ADDR_ULEB
                rebase(1, in.uleb());
                break;
            case 0x80: {  // DO_REBASE_ULEB_TIMES_SKIPPING_ULEB
                const std::uint64_t times = in.uleb();
                rebase(times, in.uleb());
                break;
            }
            default:
                refuse(image.path + " has rebase opcode " + hex(b) +
                       ", which this loader does "
                       "not know");
        }
    }
}

void* find_export_address(const Image& image, std::string_view symbol);

// What an imported name binds to: FMWrapper's names to the host library's FM_ functions,
// libSystem's to the C library or a wrapper (host/macho_libsystem.cpp).
std::uint64_t resolve(const Image& image, int ordinal, const std::string& name, bool weak) {
    const void* address = nullptr;
    std::string library;
    if (ordinal == 0) {
        library = "the image itself";
        address = find_export_address(image, name);
    } else if (ordinal > 0 && static_cast<std::size_t>(ordinal) <= image.libraries.size()) {
        library = image.libraries[static_cast<std::size_t>(ordinal - 1)];
        if (library == kFMWrapper) {
            void* wrapper = dlopen("libFMWrapper.so", RTLD_NOW | RTLD_NOLOAD);
            if (wrapper == nullptr) refuse("the host's libFMWrapper.so is not loaded");
            if (name.size() > 1 && name[0] == '_') address = dlsym(wrapper, name.c_str() + 1);
            dlclose(wrapper);
        } else {
            address = LibSystemSymbol(name);
        }
    } else {
        refuse(image.path + " binds " + name + " by a lookup this loader does not do (ordinal " +
               std::to_string(ordinal) + ")");
    }
    if (address == nullptr && !weak) {
        refuse(image.path + " imports " + name + " from " + library +
               ", for which this host has no function");
    }
    return reinterpret_cast<std::uintptr_t>(address);
}

// Bind information (BIND_OPCODE_*): pointers to imported names. The lazy pointers are bound at
// once, like the others, so the code never calls dyld_stub_binder; in the lazy table each entry
// ends with DONE.
void apply_binds(Image& image, Table table, bool lazy) {
    Stream in(image, table);
    std::uint64_t address = 0;
    std::int64_t addend = 0;
    int ordinal = 0;
    std::string name;
    bool weak = false;
    std::uint8_t type = kPointerFixup;
    auto bind = [&](std::uint64_t times, std::uint64_t step) {
        if (type != kPointerFixup) refuse(image.path + " binds " + name + " into its text");
        const std::uint64_t value = resolve(image, ordinal, name, weak) + addend;
        for (std::uint64_t i = 0; i < times; ++i) {
            std::memcpy(at(image, address), &value, 8);
            address += 8 + step;
        }
    };
    while (!in.done()) {
        const std::uint8_t b = in.byte();
        const std::uint8_t immediate = b & 0x0F;
        switch (b & 0xF0) {
            case 0x00:  // DONE
                if (!lazy) return;
                break;
            case 0x10:  // SET_DYLIB_ORDINAL_IMM
                ordinal = immediate;
                break;
            case 0x20:  // SET_DYLIB_ORDINAL_ULEB
                ordinal = static_cast<int>(in.uleb());
                break;
            case 0x30:  // SET_DYLIB_SPECIAL_IMM: 0 the image itself, then -1, -2, -3
                ordinal = immediate == 0 ? 0 : static_cast<std::int8_t>(0xF0 | immediate);
                break;
            case 0x40:                          // SET_SYMBOL_TRAILING_FLAGS_IMM
                weak = (immediate & 0x1) != 0;  // BIND_SYMBOL_FLAGS_WEAK_IMPORT
                name = in.name();
                break;
            case 0x50:  // SET_TYPE_IMM
                type = immediate;
                break;
            case 0x60:  // SET_ADDEND_SLEB
                addend = in.sleb();
                break;
            case 0x70:  // SET_SEGMENT_AND_OFFSET_ULEB
                address = segment_address(image, immediate) + in.uleb();
                break;
            case 0x80:  // ADD_ADDR_ULEB
                address += in.uleb();
                break;
            case 0x90:  // DO_BIND
                bind(1, 0);
                break;
            case 0xA0:  // DO_BIND_ADD_ADDR_ULEB
                bind(1, in.uleb());
                break;
            case 0xB0:  // DO_BIND_ADD_ADDR_IMM_SCALED
                bind(1, immediate * 8u);
                break;
            case 0xC0: {  // DO_BIND_ULEB_TIMES_SKIPPING_ULEB
                const std::uint64_t times = in.uleb();
                bind(times, in.uleb());
                break;
            }
            default:
                refuse(image.path + " has bind opcode " + hex(b) +
                       ", which this loader does not "
                       "know");
        }
    }
}

// Weak definitions that another image could override: none can here, the plug-in is the only
// Mach-O image, so its own definitions stand. Refused when present all the same, since the
// loader would leave them unread.
void check_weak_binds(const Image& image) {
    if (image.weak_binds.size != 0) {
        refuse(image.path + " has weak binding information, which this loader does not read");
    }
}

// ---- The export trie ----------------------------------------------------------------------------

// Follows the export trie (a prefix tree of the exported names) to `symbol`.
void* find_export_address(const Image& image, std::string_view symbol) {
    if (image.exports.size == 0) return nullptr;
    Stream trie(image, image.exports);
    std::size_t matched = 0;
    for (int depth = 0; depth < 1024; ++depth) {
        const std::uint64_t terminal = trie.uleb();
        const std::size_t children_at = trie.position() + static_cast<std::size_t>(terminal);
        if (matched == symbol.size()) {
            if (terminal == 0) return nullptr;
            const std::uint64_t flags = trie.uleb();
            // EXPORT_SYMBOL_FLAGS_REEXPORT, _STUB_AND_RESOLVER, kinds THREAD_LOCAL and ABSOLUTE
            if ((flags & 0x18) != 0 || (flags & 0x3) != 0) {
                refuse(image.path + " exports " + std::string(symbol) +
                       " in a form this loader does not read (flags " + hex(flags) + ")");
            }
            const std::uint64_t offset = trie.uleb();
            const Segment& text = image.segments.front();
            return at(image, text.vmaddr + offset, 1);
        }
        trie.seek(children_at);
        const std::uint8_t children = trie.byte();
        bool followed = false;
        for (std::uint8_t i = 0; i < children && !followed; ++i) {
            const std::string edge = trie.name();
            const std::uint64_t child = trie.uleb();
            if (symbol.substr(matched, edge.size()) == edge) {
                matched += edge.size();
                trie.seek(child);
                followed = true;
            }
        }
        if (!followed) return nullptr;
    }
    refuse(image.path + ": its export trie is too deep");
}

// ---- Thread-local variables, unwind tables, initialisers ---------------------------------------

std::uint64_t alignment_of(const Section& s) {
    return s.align < 16 ? std::uint64_t{1} << s.align : 65536;
}

// The thread-local template spans the image's __thread_data and __thread_bss; every variable's
// descriptor is pointed at the host's access function.
void set_up_thread_locals(Image& image) {
    std::uint64_t start = UINT64_MAX, end = 0, initialised = 0;
    std::size_t alignment = 16;
    for (const Section& s : image.sections) {
        if (s.type == kThreadLocalInitPointers) {
            refuse(image.path +
                   " has thread-local initialiser pointers, which this loader "
                   "does not run");
        }
        if (s.type != kThreadLocalRegular && s.type != kThreadLocalZerofill) continue;
        start = std::min(start, s.addr);
        end = std::max(end, s.addr + s.size);
        if (s.type == kThreadLocalRegular) initialised = std::max(initialised, s.addr + s.size);
        alignment = std::max<std::size_t>(alignment, alignment_of(s));
    }
    if (end > start) {
        image.locals.initial = at(image, start, end - start);
        image.locals.initial_size = initialised > start ? initialised - start : 0;
        image.locals.size = end - start;
        image.locals.alignment = alignment;
    }
    for (const Section& s : image.sections) {
        if (s.type != kThreadLocalVariables) continue;
        if (s.size % sizeof(ThreadLocalDescriptor) != 0 || image.locals.size == 0) {
            refuse(image.path + ": its thread-local descriptors do not match its variables");
        }
        auto* descriptors = reinterpret_cast<ThreadLocalDescriptor*>(at(image, s.addr, s.size));
        for (std::size_t i = 0; i < s.size / sizeof(ThreadLocalDescriptor); ++i) {
            if (descriptors[i].offset >= image.locals.size) {
                refuse(image.path + ": a thread-local variable lies outside its template");
            }
            BindThreadLocal(descriptors[i], image.locals);
        }
    }
}

// The frames of every function, for libgcc's unwinder, which the plug-in's _Unwind_ calls reach:
// it throws and catches C++ exceptions inside itself. The linker keeps DWARF call frame
// information (__TEXT,__eh_frame) only for the functions its compact unwind information
// (__TEXT,__unwind_info) cannot describe: the compact entries are translated and the DWARF
// ones copied into one list (host/macho_unwind.cpp), which libgcc takes as one object.
void register_unwind_tables(Image& image) {
    const Section* compact = nullptr;
    const Section* dwarf = nullptr;
    for (const Section& s : image.sections) {
        if (s.segment == "__TEXT" && s.name == "__unwind_info") compact = &s;
        if (s.segment == "__TEXT" && s.name == "__eh_frame") dwarf = &s;
    }
    if (compact == nullptr) {
        if (dwarf != nullptr) refuse(image.path + " has an __eh_frame without __unwind_info");
        return;
    }
    try {
        image.compact_frames = FramesFromCompactUnwind(
            at(image, image.segments.front().vmaddr, 1), at(image, compact->addr, compact->size),
            compact->size, dwarf != nullptr ? at(image, dwarf->addr, dwarf->size) : nullptr,
            dwarf != nullptr ? dwarf->size : 0,
            kHostCpu == kCpuX86_64 ? Processor::x86_64 : Processor::arm64);
    } catch (const std::exception& e) {
        refuse(image.path + ": " + e.what());
    }
    image.unwind_tables.push_back(image.compact_frames.data());
    __register_frame(image.compact_frames.data());
}

void deregister_unwind_tables(Image& image) {
    for (void* table : image.unwind_tables)
        __deregister_frame(table);
    image.unwind_tables.clear();
}

using Initializer = void (*)(int, const char**, const char**, const char**, const void*);

// The initialisers of __mod_init_func (pointers) and __init_offsets (offsets from the image's
// start), in order, with the arguments dyld passes: no arguments or environment here.
void run_initializers(const Image& image) {
    static const char* const kNone[] = {nullptr};
    const char** none = const_cast<const char**>(kNone);
    for (const Section& s : image.sections) {
        if (s.type == kModInitPointers) {
            for (std::uint64_t i = 0; i < s.size / 8; ++i) {
                Initializer f;
                std::memcpy(&f, at(image, s.addr + 8 * i), 8);
                f(0, none, none, none, nullptr);
            }
        } else if (s.type == kInitOffsets) {
            for (std::uint64_t i = 0; i < s.size / 4; ++i) {
                std::uint32_t offset;
                std::memcpy(&offset, at(image, s.addr + 4 * i, 4), 4);
                auto f = reinterpret_cast<Initializer>(
                    at(image, image.segments.front().vmaddr + offset, 1));
                f(0, none, none, none, nullptr);
            }
        }
    }
}

// The terminators of __mod_term_func, last first.
void run_terminators(const Image& image) {
    for (auto s = image.sections.rbegin(); s != image.sections.rend(); ++s) {
        if (s->type != kModTermPointers) continue;
        for (std::uint64_t i = s->size / 8; i > 0; --i) {
            void (*f)();
            std::memcpy(&f, at(image, s->addr + 8 * (i - 1)), 8);
            f();
        }
    }
}

void release_image(void* owner) {
    Image* image = static_cast<Image*>(owner);
    if (image->base != nullptr) munmap(image->base, image->mapped);
    delete image;
}

std::string code_path(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return path;
    // A bundle: its code is Contents/MacOS/ under the bundle's own name.
    std::string folder = path;
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    std::string name = folder.substr(folder.find_last_of('/') + 1);
    name = name.substr(0, name.find_last_of('.'));
    return folder + "/Contents/MacOS/" + name;
}

}  // namespace

bool IsMachO(const std::string& path) {
    std::ifstream in(code_path(path), std::ios::binary);
    unsigned char magic[4] = {};
    if (!in.read(reinterpret_cast<char*>(magic), 4)) return false;
    // Universal, or thin of either word size and byte order (MH_MAGIC, MH_MAGIC_64, swapped):
    // the loader then refuses what it cannot run, with its reason.
    const std::uint32_t big = big_endian(magic);
    return big == kFatMagic || big == kFatMagic64 || (big | 0x01000000) == 0xCFFAEDFE ||
           (big & 0xFFFFFFFE) == 0xFEEDFACE;
}

Image* Load(const std::string& path) {
    if (kHostCpu == 0) refuse("this host runs no Mach-O code");
    auto image = std::make_unique<Image>();
    image->path = code_path(path);
    image->locals.release = release_image;
    image->locals.owner = image.get();
    take_slice(*image, read_file(image->path));
    read_commands(*image);
    map_segments(*image);
    try {
        apply_rebases(*image);
        apply_binds(*image, image->binds, false);
        apply_binds(*image, image->lazy_binds, true);
        check_weak_binds(*image);
        set_up_thread_locals(*image);
        protect_segments(*image);
        register_unwind_tables(*image);
    } catch (...) {
        deregister_unwind_tables(*image);
        munmap(image->base, image->mapped);
        throw;
    }
    run_initializers(*image);
    return image.release();
}

void* FindExport(const Image& image, std::string_view name) {
    // Mach-O names carry a leading underscore. (Appended, not "_" + name: GCC 12 at -O3 takes
    // that concatenation for an overlapping copy, its bug 105651.)
    std::string symbol = "_";
    symbol += name;
    return find_export_address(image, symbol);
}

void Unload(Image* image) {
    if (image == nullptr) return;
    run_terminators(*image);
    deregister_unwind_tables(*image);
    ForgetImage(image->base, image->base + image->mapped);
    ReleaseThreadLocals(image->locals);
}

}  // namespace orbx::host::macho
