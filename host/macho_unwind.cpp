// macOS linkers describe most functions' frames in compact form only (__TEXT,__unwind_info, one
// 32-bit encoding a function, <mach-o/compact_unwind_encoding.h>), and keep DWARF frame
// information (__eh_frame) just for the functions the compact form cannot describe. libgcc's
// unwinder, which the plug-in's C++ exceptions go through in this host, reads DWARF only: so each
// compact encoding is written out here as the DWARF rules it stands for. The rules hold from the
// end of the function's prologue, which is where every call the unwinder passes through is made.
#include "host/macho_unwind.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>
#include <utility>

namespace orbx::host::macho {

namespace {

[[noreturn]] void malformed(const std::string& what) {
    throw std::runtime_error("its __unwind_info " + what);
}

std::uint32_t u32(const unsigned char* info, std::size_t size, std::uint64_t offset) {
    if (offset > size || size - offset < 4) malformed("is cut short");
    std::uint32_t value;
    std::memcpy(&value, info + offset, 4);
    return value;
}

std::uint16_t u16(const unsigned char* info, std::size_t size, std::uint64_t offset) {
    if (offset > size || size - offset < 2) malformed("is cut short");
    std::uint16_t value;
    std::memcpy(&value, info + offset, 2);
    return value;
}

// The encoding's flags shared by both processors.
constexpr std::uint32_t kModeMask = 0x0F000000;
constexpr std::uint32_t kHasLsda = 0x40000000;
constexpr std::uint32_t kPersonalityMask = 0x30000000;

// x86-64 modes and fields.
constexpr std::uint32_t kX86RbpFrame = 0x01000000;
constexpr std::uint32_t kX86StackImmediate = 0x02000000;
constexpr std::uint32_t kX86StackIndirect = 0x03000000;
constexpr std::uint32_t kX86Dwarf = 0x04000000;
// arm64 modes and the register pairs a frame saves, in the order they are stored.
constexpr std::uint32_t kArmFrameless = 0x02000000;
constexpr std::uint32_t kArmDwarf = 0x03000000;
constexpr std::uint32_t kArmFrame = 0x04000000;

// DWARF call frame instructions (DWARF 5, 6.4.2) and register numbers (the System V x86-64
// and AArch64 DWARF register mappings).
constexpr std::uint8_t kDefCfa = 0x0C, kOffset = 0x80, kOffsetExtended = 0x05;
constexpr std::uint8_t kX86Rsp = 7, kX86Rbp = 6, kX86ReturnAddress = 16;
constexpr std::uint8_t kArmFp = 29, kArmLr = 30, kArmSp = 31;
// The compact encoding's register numbers 1 to 6: rbx, r12, r13, r14, r15, rbp.
constexpr std::uint8_t kX86Registers[7] = {0, 3, 12, 13, 14, 15, 6};
// arm64 frame pairs: x19-x20 (bit 0) to x27-x28 (bit 4), then d8-d9 (bit 8) to d14-d15 (bit 11).
struct Pair {
    std::uint32_t bit;
    std::uint8_t first, second;
};
constexpr Pair kArmPairs[] = {{0x001, 19, 20}, {0x002, 21, 22}, {0x004, 23, 24},
                              {0x008, 25, 26}, {0x010, 27, 28}, {0x100, 72, 73},
                              {0x200, 74, 75}, {0x400, 76, 77}, {0x800, 78, 79}};

void uleb(std::vector<unsigned char>& out, std::uint64_t value) {
    do {
        unsigned char b = value & 0x7F;
        value >>= 7;
        if (value != 0) b |= 0x80;
        out.push_back(b);
    } while (value != 0);
}

void def_cfa(std::vector<unsigned char>& program, std::uint8_t reg, std::uint64_t offset) {
    program.push_back(kDefCfa);
    uleb(program, reg);
    uleb(program, offset);
}

// Register `reg` saved at CFA - 8 * factored (the CIE's data alignment is -8).
void saved_at(std::vector<unsigned char>& program, std::uint8_t reg, std::uint64_t factored) {
    if (reg < 64) {
        program.push_back(static_cast<unsigned char>(kOffset | reg));
    } else {
        program.push_back(kOffsetExtended);
        uleb(program, reg);
    }
    uleb(program, factored);
}

// x86-64 frameless functions list the registers they push (up to six of the compact numbers)
// as a permutation number; this is its decoding, each place an index among the numbers unused.
std::vector<std::uint8_t> pushed_registers(std::uint32_t count, std::uint32_t permutation) {
    static constexpr std::uint32_t kPlaces[7][6] = {
        {}, {1}, {5, 1}, {20, 4, 1}, {60, 12, 3, 1}, {120, 24, 6, 2, 1}, {120, 24, 6, 2, 1, 1}};
    if (count > 6) malformed("lists more than six pushed registers");
    std::uint32_t index[6] = {};
    for (std::uint32_t i = 0; i < count; ++i) {
        index[i] = permutation / kPlaces[count][i];
        permutation -= index[i] * kPlaces[count][i];
    }
    if (count == 6) index[5] = 0;
    std::vector<std::uint8_t> registers;
    bool used[7] = {};
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint32_t unused = 0;
        for (std::uint8_t r = 1; r <= 6; ++r) {
            if (used[r]) continue;
            if (unused++ == index[i]) {
                used[r] = true;
                registers.push_back(r);
                break;
            }
        }
    }
    if (registers.size() != count) malformed("has a register permutation out of range");
    return registers;
}

// The rules of one x86-64 function, or none when it has no frame to describe.
std::vector<unsigned char> x86_rules(std::uint32_t encoding, const unsigned char* function) {
    std::vector<unsigned char> program;
    const std::uint32_t mode = encoding & kModeMask;
    if (mode == kX86RbpFrame) {
        // push rbp; mov rbp, rsp: the CFA is rbp + 16, rbp saved at CFA - 16; the registers
        // saved at rbp - 8 * offset, one each 8 bytes up.
        const std::uint32_t offset = (encoding >> 16) & 0xFF;
        def_cfa(program, kX86Rbp, 16);
        saved_at(program, kX86Rbp, 2);
        for (std::uint32_t i = 0; i < 5; ++i) {
            const std::uint32_t r = (encoding >> (3 * i)) & 0x7;
            if (r == 0) continue;
            if (r > 6 || 2 + offset < i + 1) malformed("names a register it cannot");
            saved_at(program, kX86Registers[r], 2 + offset - i);
        }
    } else if (mode == kX86StackImmediate || mode == kX86StackIndirect) {
        // No frame pointer: the CFA is rsp + the stack size (with the return address); the
        // pushed registers lie just below the return address.
        std::uint64_t stack = ((encoding >> 16) & 0xFF) * 8u;
        if (mode == kX86StackIndirect) {
            // The size is the immediate of the function's "sub rsp" at that offset, plus an
            // adjustment.
            std::uint32_t immediate;
            std::memcpy(&immediate, function + ((encoding >> 16) & 0xFF), 4);
            stack = immediate + ((encoding >> 13) & 0x7) * 8u;
        }
        const std::uint32_t count = (encoding >> 10) & 0x7;
        def_cfa(program, kX86Rsp, stack);
        const std::vector<std::uint8_t> pushed = pushed_registers(count, encoding & 0x3FF);
        for (std::uint32_t i = 0; i < count; ++i)
            saved_at(program, kX86Registers[pushed[i]], 1 + count - i);
    }
    return program;
}

// The rules of one arm64 function, or none.
std::vector<unsigned char> arm_rules(std::uint32_t encoding) {
    std::vector<unsigned char> program;
    const std::uint32_t mode = encoding & kModeMask;
    if (mode == kArmFrame) {
        // stp fp, lr, [sp, #-16]!; mov fp, sp: the CFA is fp + 16, lr at CFA - 8, fp at
        // CFA - 16, then the pairs downwards from fp - 8.
        def_cfa(program, kArmFp, 16);
        saved_at(program, kArmLr, 1);
        saved_at(program, kArmFp, 2);
        std::uint64_t at = 3;
        for (const Pair& pair : kArmPairs) {
            if ((encoding & pair.bit) == 0) continue;
            saved_at(program, pair.first, at++);
            saved_at(program, pair.second, at++);
        }
    } else if (mode == kArmFrameless) {
        // A leaf: the return address stays in lr. One that saves registers is never passed
        // through by an unwinder (it calls nothing) and is left out.
        bool saves = false;
        for (const Pair& pair : kArmPairs)
            saves = saves || (encoding & pair.bit) != 0;
        if (!saves) def_cfa(program, kArmSp, 16u * ((encoding >> 12) & 0xFFF));
    }
    return program;
}

// What a CIE says: the alignment factors, the return address column, the personality (null:
// none), whether its FDEs carry an LSDA pointer, whether they are signal frames, and the
// instructions every FDE starts from.
struct CieFacts {
    std::uint64_t code_alignment = 1;
    std::int64_t data_alignment = -8;
    std::uint64_t return_column = 0;
    const void* personality = nullptr;
    bool lsda = false;
    bool signal = false;
    std::vector<unsigned char> initial;
};

// The CIE of the compact encodings: at a call's target the return address is on top of the
// stack (x86-64) or in lr (arm64); the personality, when there is one, with an LSDA pointer.
CieFacts compact_cie(Processor processor, const void* personality) {
    CieFacts cie;
    cie.personality = personality;
    cie.lsda = personality != nullptr;
    if (processor == Processor::x86_64) {
        cie.return_column = kX86ReturnAddress;
        def_cfa(cie.initial, kX86Rsp, 8);
        saved_at(cie.initial, kX86ReturnAddress, 1);
    } else {
        cie.return_column = kArmLr;
        def_cfa(cie.initial, kArmSp, 0);
    }
    return cie;
}

// Writes the .eh_frame list for libgcc: CIEs, then FDEs. Every pointer is absolute
// (DW_EH_PE_absptr): the list does not lie beside the code. libgcc takes the functions of one
// registered list as one object and expects objects not to overlap, so every function of the
// image is in this one list.
class FrameList {
  public:
    std::size_t Cie(const CieFacts& facts) {
        const std::size_t start = begin_entry();
        put32(0);           // a CIE
        out_.push_back(1);  // version
        std::string augmentation = "z";
        if (facts.personality != nullptr) augmentation += 'P';
        if (facts.lsda) augmentation += 'L';
        augmentation += 'R';
        if (facts.signal) augmentation += 'S';
        out_.insert(out_.end(), augmentation.begin(), augmentation.end() + 1);
        uleb(out_, facts.code_alignment);
        sleb(out_, facts.data_alignment);
        if (facts.return_column > 255) malformed("has a return address column out of range");
        out_.push_back(static_cast<unsigned char>(facts.return_column));
        uleb(out_, (facts.personality != nullptr ? 9 : 0) + (facts.lsda ? 1 : 0) + 1);
        if (facts.personality != nullptr) {
            out_.push_back(0x00);  // DW_EH_PE_absptr
            put64(reinterpret_cast<std::uintptr_t>(facts.personality));
        }
        if (facts.lsda) out_.push_back(0x00);
        out_.push_back(0x00);  // the FDEs' own pointers
        out_.insert(out_.end(), facts.initial.begin(), facts.initial.end());
        end_entry(start);
        return start - 4;  // where the CIE begins, with its length
    }

    void Fde(std::size_t cie, bool with_lsda_field, std::uint64_t begin, std::uint64_t size,
             const void* lsda, const unsigned char* rules, std::size_t rules_size) {
        const std::size_t start = begin_entry();
        put32(static_cast<std::uint32_t>(out_.size() - cie));  // back to its CIE's start
        put64(begin);
        put64(size);
        if (with_lsda_field) {
            uleb(out_, 8);
            put64(reinterpret_cast<std::uintptr_t>(lsda));
        } else {
            uleb(out_, 0);
        }
        out_.insert(out_.end(), rules, rules + rules_size);
        end_entry(start);
    }

    std::vector<unsigned char> Finish() {
        put32(0);  // the end of the list
        return std::move(out_);
    }

  private:
    static void sleb(std::vector<unsigned char>& out, std::int64_t value) {
        while (true) {
            const unsigned char b = value & 0x7F;
            value >>= 7;
            if ((value == 0 && (b & 0x40) == 0) || (value == -1 && (b & 0x40) != 0)) {
                out.push_back(b);
                return;
            }
            out.push_back(b | 0x80);
        }
    }
    std::size_t begin_entry() {
        const std::size_t start = out_.size();
        put32(0);  // its length, written at the end
        return start + 4;
    }
    // Pads the entry to 8 bytes with DW_CFA_nop and writes its length.
    void end_entry(std::size_t start) {
        while ((out_.size() - start + 4) % 8 != 0)
            out_.push_back(0);
        const auto length = static_cast<std::uint32_t>(out_.size() - start);
        std::memcpy(&out_[start - 4], &length, 4);
    }
    void put32(std::uint32_t v) {
        unsigned char b[4];
        std::memcpy(b, &v, 4);
        out_.insert(out_.end(), b, b + 4);
    }
    void put64(std::uint64_t v) {
        unsigned char b[8];
        std::memcpy(b, &v, 8);
        out_.insert(out_.end(), b, b + 8);
    }

    std::vector<unsigned char> out_;
};

// Reads the image's own DWARF frame information (__eh_frame, as the linker wrote it beside the
// code, with pointers relative to where they lie): one FDE and its CIE at a time, for the
// functions whose compact entry points there.
class EhFrame {
  public:
    EhFrame(const unsigned char* section, std::size_t size) : section_(section), size_(size) {}

    // The FDE at `offset`, written into `list` with its CIE's facts.
    void Copy(std::uint32_t offset, FrameList& list,
              std::vector<std::pair<std::uint32_t, std::size_t>>& cies) {
        std::size_t at = offset;
        const std::uint32_t length = u32(section_, size_, at);
        if (length == 0 || length == 0xFFFFFFFF) malformed("points at an FDE that is not one");
        const std::size_t end = at + 4 + length;
        if (end > size_) malformed("points at an FDE cut short");
        const std::uint32_t back = u32(section_, size_, at + 4);
        if (back == 0 || back > at + 4) malformed("points at a CIE, not an FDE");
        const std::uint32_t cie_at = static_cast<std::uint32_t>(at + 4 - back);
        CieFacts facts;
        std::string augmentation;
        std::uint8_t pointers = 0, lsda_encoding = 0xFF;
        read_cie(cie_at, facts, augmentation, pointers, lsda_encoding);
        std::size_t cie = 0;
        bool found = false;
        for (const auto& [known, written] : cies) {
            if (known == cie_at) {
                cie = written;
                found = true;
            }
        }
        if (!found) {
            cie = list.Cie(facts);
            cies.emplace_back(cie_at, cie);
        }
        at += 8;
        const std::uint64_t begin = pointer(at, end, pointers);
        const std::uint64_t range = pointer(at, end, pointers & 0x0F);
        const void* lsda = nullptr;
        if (!augmentation.empty() && augmentation[0] == 'z') {
            const std::uint64_t data = leb(at, end, false);
            const std::size_t rules = at + static_cast<std::size_t>(data);
            if (facts.lsda) lsda = reinterpret_cast<const void*>(pointer(at, rules, lsda_encoding));
            at = rules;
        }
        if (at > end) malformed("has an FDE whose augmentation overruns it");
        list.Fde(cie, facts.lsda, begin, range, lsda, section_ + at, end - at);
    }

  private:
    void read_cie(std::uint32_t at, CieFacts& facts, std::string& augmentation,
                  std::uint8_t& pointers, std::uint8_t& lsda_encoding) {
        const std::uint32_t length = u32(section_, size_, at);
        const std::size_t end = at + 4 + std::size_t{length};
        if (length == 0xFFFFFFFF || end > size_ || u32(section_, size_, at + 4) != 0) {
            malformed("has a CIE it cannot read");
        }
        std::size_t p = at + 8;
        const std::uint8_t version = byte(p, end);
        if (version != 1 && version != 3)
            malformed("has a CIE of version " + std::to_string(version));
        for (std::uint8_t c = byte(p, end); c != 0; c = byte(p, end))
            augmentation += static_cast<char>(c);
        facts.code_alignment = leb(p, end, false);
        facts.data_alignment = static_cast<std::int64_t>(leb(p, end, true));
        facts.return_column = version == 1 ? byte(p, end) : leb(p, end, false);
        if (!augmentation.empty() && augmentation[0] == 'z') {
            const std::uint64_t data = leb(p, end, false);
            const std::size_t initial = p + static_cast<std::size_t>(data);
            for (std::size_t i = 1; i < augmentation.size(); ++i) {
                switch (augmentation[i]) {
                    case 'P': {
                        const std::uint8_t encoding = byte(p, initial);
                        facts.personality =
                            reinterpret_cast<const void*>(pointer(p, initial, encoding));
                        break;
                    }
                    case 'L':
                        facts.lsda = true;
                        lsda_encoding = byte(p, initial);
                        break;
                    case 'R':
                        pointers = byte(p, initial);
                        break;
                    case 'S':
                        facts.signal = true;
                        break;
                    default:
                        malformed(std::string("has a CIE augmentation '") + augmentation[i] + "'");
                }
            }
            p = initial;
        } else if (!augmentation.empty()) {
            malformed("has a CIE augmentation \"" + augmentation + "\"");
        }
        if (p > end) malformed("has a CIE whose augmentation overruns it");
        facts.initial.assign(section_ + p, section_ + end);
    }

    std::uint8_t byte(std::size_t& at, std::size_t end) {
        if (at >= end) malformed("has an entry cut short");
        return section_[at++];
    }
    std::uint64_t leb(std::size_t& at, std::size_t end, bool is_signed) {
        std::uint64_t value = 0;
        int shift = 0;
        std::uint8_t b = 0;
        do {
            b = byte(at, end);
            if (shift < 64) value |= static_cast<std::uint64_t>(b & 0x7F) << shift;
            shift += 7;
        } while (b & 0x80);
        if (is_signed && shift < 64 && (b & 0x40)) value |= ~std::uint64_t{0} << shift;
        return value;
    }
    // A pointer in DWARF's exception-handling encoding (DW_EH_PE_*): absolute or relative to
    // its own place, of any size, possibly through another pointer.
    std::uint64_t pointer(std::size_t& at, std::size_t end, std::uint8_t encoding) {
        if (encoding == 0xFF) return 0;  // DW_EH_PE_omit
        const std::uintptr_t place = reinterpret_cast<std::uintptr_t>(section_ + at);
        std::uint64_t value = 0;
        auto fixed = [&](std::size_t n, bool is_signed) {
            if (at + n > end) malformed("has a pointer cut short");
            std::uint64_t v = 0;
            std::memcpy(&v, section_ + at, n);
            if (is_signed && n < 8 && (v >> (8 * n - 1)) != 0) v |= ~std::uint64_t{0} << (8 * n);
            at += n;
            return v;
        };
        switch (encoding & 0x0F) {
            case 0x00:
                value = fixed(8, false);
                break;  // absptr
            case 0x01:
                value = leb(at, end, false);
                break;
            case 0x02:
                value = fixed(2, false);
                break;
            case 0x03:
                value = fixed(4, false);
                break;
            case 0x04:
                value = fixed(8, false);
                break;
            case 0x09:
                value = leb(at, end, true);
                break;
            case 0x0A:
                value = fixed(2, true);
                break;
            case 0x0B:
                value = fixed(4, true);
                break;
            case 0x0C:
                value = fixed(8, true);
                break;
            default:
                malformed("has a pointer encoding it does not know");
        }
        if (value == 0 && (encoding & 0x70) != 0x10) return 0;
        switch (encoding & 0x70) {
            case 0x00:
                break;
            case 0x10:
                value += place;
                break;  // DW_EH_PE_pcrel
            default:
                malformed("has a pointer relative to something other than its place");
        }
        if ((encoding & 0x80) != 0) {  // DW_EH_PE_indirect
            std::uint64_t target;
            std::memcpy(&target, reinterpret_cast<const void*>(value), 8);
            value = target;
        }
        return value;
    }

    const unsigned char* section_;
    std::size_t size_;
};

struct Entry {
    std::uint32_t function;  // offset from the image's start
    std::uint32_t encoding;
};

// Every entry of the second-level pages (regular, kind 2, and compressed, kind 3), in order,
// followed by the index's closing entry, whose offset ends the last function.
std::vector<Entry> read_entries(const unsigned char* info, std::size_t size) {
    if (u32(info, size, 0) != 1) malformed("is not version 1");
    const std::uint32_t common_at = u32(info, size, 4), common_count = u32(info, size, 8);
    const std::uint32_t index_at = u32(info, size, 20), index_count = u32(info, size, 24);
    std::vector<Entry> entries;
    for (std::uint32_t i = 0; i < index_count; ++i) {
        const std::uint64_t index = index_at + 12ull * i;
        const std::uint32_t first = u32(info, size, index);
        const std::uint32_t page = u32(info, size, index + 4);
        if (page == 0) {  // the closing entry
            entries.push_back({first, 0});
            break;
        }
        const std::uint32_t kind = u32(info, size, page);
        const std::uint16_t entries_at = u16(info, size, page + 4);
        const std::uint16_t count = u16(info, size, page + 6);
        if (kind == 2) {
            for (std::uint32_t e = 0; e < count; ++e) {
                const std::uint64_t at = page + entries_at + 8ull * e;
                entries.push_back({u32(info, size, at), u32(info, size, at + 4)});
            }
        } else if (kind == 3) {
            const std::uint16_t page_encodings_at = u16(info, size, page + 8);
            const std::uint16_t page_encodings = u16(info, size, page + 10);
            for (std::uint32_t e = 0; e < count; ++e) {
                const std::uint32_t packed = u32(info, size, page + entries_at + 4ull * e);
                const std::uint32_t which = packed >> 24;
                std::uint32_t encoding;
                if (which < common_count) {
                    encoding = u32(info, size, common_at + 4ull * which);
                } else if (which - common_count < page_encodings) {
                    encoding =
                        u32(info, size, page + page_encodings_at + 4ull * (which - common_count));
                } else {
                    malformed("names an encoding it does not have");
                }
                entries.push_back({first + (packed & 0x00FFFFFF), encoding});
            }
        } else {
            malformed("has a page of kind " + std::to_string(kind));
        }
    }
    if (entries.empty() || entries.back().encoding != 0) malformed("has no closing entry");
    return entries;
}

}  // namespace

std::vector<unsigned char> FramesFromCompactUnwind(const unsigned char* image,
                                                   const unsigned char* info, std::size_t size,
                                                   const unsigned char* eh_frame,
                                                   std::size_t eh_frame_size, Processor processor) {
    const std::vector<Entry> entries = read_entries(info, size);
    const std::uint32_t personality_at = u32(info, size, 12);
    const std::uint32_t personality_count = u32(info, size, 16);
    const std::uint32_t index_at = u32(info, size, 20), index_count = u32(info, size, 24);
    // The LSDAs, by function: between the first index entry's list and the closing entry's.
    const std::uint32_t lsda_first = u32(info, size, index_at + 8);
    const std::uint32_t lsda_end = u32(info, size, index_at + 12ull * (index_count - 1) + 8);
    auto lsda_of = [&](std::uint32_t function) -> const void* {
        for (std::uint64_t at = lsda_first; at + 8 <= lsda_end; at += 8) {
            if (u32(info, size, at) == function) return image + u32(info, size, at + 4);
        }
        malformed("has no LSDA for a function that names one");
    };

    FrameList list;
    // CIE 0 without a personality; CIE n with personality n, which the table names by the
    // offset of the pointer that holds its address.
    std::vector<std::size_t> cies = {list.Cie(compact_cie(processor, nullptr))};
    for (std::uint32_t p = 0; p < personality_count; ++p) {
        const void* personality;
        std::memcpy(&personality, image + u32(info, size, personality_at + 4ull * p), 8);
        cies.push_back(list.Cie(compact_cie(processor, personality)));
    }
    EhFrame dwarf(eh_frame, eh_frame_size);
    std::vector<std::pair<std::uint32_t, std::size_t>> dwarf_cies;
    const std::uint32_t dwarf_mode = processor == Processor::x86_64 ? kX86Dwarf : kArmDwarf;
    for (std::size_t i = 0; i + 1 < entries.size(); ++i) {
        const Entry& e = entries[i];
        if (e.encoding == 0) continue;
        if ((e.encoding & kModeMask) == dwarf_mode) {
            if (eh_frame == nullptr) malformed("points into an __eh_frame the image lacks");
            dwarf.Copy(e.encoding & 0x00FFFFFF, list, dwarf_cies);
            continue;
        }
        const std::vector<unsigned char> rules = processor == Processor::x86_64
                                                     ? x86_rules(e.encoding, image + e.function)
                                                     : arm_rules(e.encoding);
        if (rules.empty()) continue;
        const std::uint32_t personality = (e.encoding & kPersonalityMask) >> 28;
        if (personality > personality_count) malformed("names a personality it does not have");
        const void* lsda = (e.encoding & kHasLsda) != 0 ? lsda_of(e.function) : nullptr;
        list.Fde(cies[personality], personality != 0,
                 reinterpret_cast<std::uintptr_t>(image + e.function),
                 entries[i + 1].function - e.function, lsda, rules.data(), rules.size());
    }
    return list.Finish();
}

}  // namespace orbx::host::macho
