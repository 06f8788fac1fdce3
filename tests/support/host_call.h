// Calling the plug-in's functions through the host, as FileMaker does, from the tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>
#include <string>
#include <string_view>

#include "host/host.h"
#if !defined(_WIN32)
#include "host/macho_loader.h"
#endif

namespace orbx::test {

// The edition of the plug-in the tests load (the host's default plug-in file, which ORBX_PLUGIN
// may name): the macOS bundle answers the version function differently.
enum class Edition { linux, windows, macos };

inline Edition PluginEdition() {
#if defined(_WIN32)
    return Edition::windows;
#else
    return host::macho::IsMachO(host::DefaultPluginPath()) ? Edition::macos : Edition::linux;
#endif
}

// What Orbx_PluginVersion answers without a parameter: the version text, or on macOS the
// number that edition has always answered.
inline std::u16string VersionAnswer() {
    return PluginEdition() == Edition::macos ? u"2014" : u"2013";
}

// The real plug-in file, loaded and started once for the whole test program.
inline host::Plugin& StartedPlugin() {
    static host::Plugin* plugin = [] {
        auto* p = new host::Plugin(host::DefaultPluginPath());
        if (!host::Enables(p->StartUp())) {
            ADD_FAILURE() << "the plug-in did not start";
            std::abort();
        }
        return p;
    }();
    return *plugin;
}

inline fmxhost::Registration Function(std::string_view name) {
    StartedPlugin();
    const auto function = host::FindFunction(name);
    if (!function) {
        ADD_FAILURE() << "function not registered: " << name;
        std::abort();
    }
    return *function;
}

// The result of NAME( parameter ), as UTF-16 units.
inline std::u16string Call(std::string_view name, std::u16string_view parameter) {
    const std::u16string p(parameter);
    return host::Evaluate(Function(name), &p);
}

// The same with a parameter given as UTF-8.
inline std::u16string CallUtf8(std::string_view name, std::string_view parameter) {
    const std::u16string p = host::Utf8ToUtf16(parameter);
    return host::Evaluate(Function(name), &p);
}

// Parameter text whose UTF-16 units are the given bytes, as a user types them in a field
// (each byte 128 to 255 as the Latin-1 character of that code).
inline std::u16string Latin1(std::string_view bytes) {
    std::u16string units;
    for (char c : bytes)
        units += static_cast<char16_t>(static_cast<unsigned char>(c));
    return units;
}

// What the host shows for encoder output bytes: each byte read as a Windows-1252 character.
inline std::u16string Cp1252(std::string_view bytes) {
    static constexpr char16_t kHigh[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    std::u16string units;
    for (char c : bytes) {
        const unsigned char b = static_cast<unsigned char>(c);
        units += (b >= 0x80 && b < 0xA0) ? kHigh[b - 0x80] : static_cast<char16_t>(b);
    }
    return units;
}

inline std::u16string Cp1252(std::initializer_list<int> bytes) {
    std::string s;
    for (int b : bytes)
        s += static_cast<char>(b);
    return Cp1252(s);
}

}  // namespace orbx::test
