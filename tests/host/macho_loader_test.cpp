// The host's Mach-O loader refuses, with a message naming it, what it does not handle: each row
// changes one thing in a copy of the macOS plug-in's slice for this host's processor and loads
// the copy. Runs when the tests load the macOS bundle (ORBX_PLUGIN).
#if !defined(_WIN32)
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "host/host.h"
#include "host/macho_loader.h"

namespace orbx {
namespace {

using Bytes = std::vector<unsigned char>;

#if defined(__x86_64__)
constexpr std::uint32_t kHostCpu = 0x01000007;  // CPU_TYPE_X86_64
#else
constexpr std::uint32_t kHostCpu = 0x0100000C;  // CPU_TYPE_ARM64
#endif

std::uint32_t big_endian(const unsigned char* p) {
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

Bytes read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

std::string code_of(const std::string& bundle) {
    return bundle + "/Contents/MacOS/Orbelantrix";
}

// This processor's slice of the universal file (fat_header, then fat_arch entries, big-endian).
Bytes host_slice(const Bytes& universal) {
    const std::uint32_t count = big_endian(&universal[4]);
    for (std::uint32_t i = 0; i < count; ++i) {
        const unsigned char* entry = &universal[8 + 20 * i];
        if (big_endian(entry) != kHostCpu) continue;
        const auto begin = universal.begin() + big_endian(entry + 8);
        return Bytes(begin, begin + big_endian(entry + 12));
    }
    ADD_FAILURE() << "no slice for this processor";
    return {};
}

// The offset of the first load command `cmd` of a thin slice.
std::size_t command_at(const Bytes& slice, std::uint32_t cmd) {
    std::uint32_t count;
    std::memcpy(&count, &slice[16], 4);
    std::size_t at = 32;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint32_t c, size;
        std::memcpy(&c, &slice[at], 4);
        std::memcpy(&size, &slice[at + 4], 4);
        if (c == cmd) return at;
        at += size;
    }
    ADD_FAILURE() << "no load command " << cmd;
    return 0;
}

void put32(Bytes& bytes, std::size_t at, std::uint32_t value) {
    std::memcpy(&bytes[at], &value, 4);
}

// Replaces the first `from` in the bytes by `to`, of the same length.
void replace(Bytes& bytes, const std::string& from, const std::string& to) {
    const auto at = std::search(bytes.begin(), bytes.end(), from.begin(), from.end());
    ASSERT_NE(at, bytes.end()) << from;
    std::copy(to.begin(), to.end(), at);
}

constexpr std::uint32_t kDataInCode = 0x29;  // LC_DATA_IN_CODE, which the loader passes over

TEST(MachOLoader, RefusesWhatItDoesNotHandle) {
    const std::string bundle = host::DefaultPluginPath();
    if (!host::macho::IsMachO(bundle)) GTEST_SKIP() << "the tests load no macOS bundle";
    const Bytes universal = read(code_of(bundle));
    const Bytes slice = host_slice(universal);
    struct Row {
        const char* what;
        bool universal;  // change the universal file, not this processor's slice
        std::function<void(Bytes&)> change;
        const char* refusal;  // empty: it loads
    };
    const Row rows[] = {
        /* 0 */ {"the slice as it is", false, [](Bytes&) {}, ""},
        /* 1 */
        {"code for another processor", false, [](Bytes& b) { put32(b, 4, 0x01000012); },
         "is code for another processor"},
        /* 2 */
        {"a load command it does not know", false,
         [](Bytes& b) { put32(b, command_at(b, kDataInCode), 0x99); },
         "has load command 0x99, which this loader does not handle"},
        /* 3 */
        {"chained fixups", false,
         [](Bytes& b) { put32(b, command_at(b, kDataInCode), 0x80000034); },
         "carries chained fixups"},
        /* 4 */
        {"a library the host does not stand in for", false,
         [](Bytes& b) { replace(b, "/usr/lib/libSystem.B.dylib", "/usr/lib/libSystem.C.dylib"); },
         "needs the library /usr/lib/libSystem.C.dylib"},
        /* 5 */
        {"an import without a wrapper", false,
         [](Bytes& b) { replace(b, std::string("_memchr\0", 8), std::string("_memchz\0", 8)); },
         "imports _memchz from /usr/lib/libSystem.B.dylib, for which this host has no "
         "function"},
        /* 6 */
        {"an FM_ name the host library lacks", false,
         [](Bytes& b) { replace(b, "_FM_Text_Find", "_FM_Text_Fine"); },
         "imports _FM_Text_Fine from @rpath/FMWrapper.framework/Versions/A/FMWrapper"},
        /* 7 */
        {"a universal file without this processor's slice", true,
         [](Bytes& b) {
             for (std::size_t i = 0; i < 2; ++i) {
                 if (big_endian(&b[8 + 20 * i]) == kHostCpu) b[8 + 20 * i + 3] = 0x12;
             }
         },
         "slice (it has"},
        /* 8 */
        {"a 32-bit Mach-O file", false, [](Bytes& b) { put32(b, 0, 0xFEEDFACE); },
         "is not 64-bit Mach-O code"},
    };
    const std::string path = testing::TempDir() + "orbx_macho_" + std::to_string(getpid());
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Bytes bytes = row.universal ? universal : slice;
        row.change(bytes);
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        std::string error;
        try {
            host::Plugin plugin(path);
            EXPECT_NE(plugin.Entry(), nullptr);
        } catch (const host::HostError& e) {
            error = e.what();
        }
        if (*row.refusal == '\0') {
            EXPECT_EQ(error, "");
        } else {
            EXPECT_NE(error.find(row.refusal), std::string::npos) << error;
        }
    }
    std::remove(path.c_str());
}

}  // namespace
}  // namespace orbx
#endif
