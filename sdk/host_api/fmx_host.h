// The host's side of the SDK stand-in: what the host program (and the tests standing in for the
// host) need beyond the plug-in's SDK: the registration table, an expression environment,
// failure injection and a count of live host objects. Only host targets can include or link it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "FMWrapper/FMXCalcEngine.h"

#if defined(_WIN32)
#if defined(FMX_BUILDING_HOST)
#define FMX_HOST_API __declspec(dllexport)
#else
#define FMX_HOST_API __declspec(dllimport)
#endif
#else
#define FMX_HOST_API __attribute__((visibility("default")))
#endif

namespace fmxhost {

struct Registration {
    char pluginId[4];
    short functionId;
    std::u16string name;
    std::u16string prototype;
    short minArgs;
    short maxArgs;
    fmx::uint32 flags;
    fmx::ExtPluginType callback;
};

// The functions registered now, in the order of registration.
FMX_HOST_API std::vector<Registration> Registrations();

// Makes the n-th registration call from now on fail (1 is the next call); 0 turns it off.
FMX_HOST_API void FailRegistrationAt(int n);

// Text, data, data-vector, locale and four-character objects currently alive.
FMX_HOST_API long LiveObjects();

// Sets a text to exactly these UTF-16 units, U+0000 and lone surrogates included, as a field
// can hold them.
FMX_HOST_API void AssignUnits(fmx::Text& text, std::u16string_view units);

// The expression environment the host passes to every external function.
FMX_HOST_API const fmx::ExprEnv& Environment();

}  // namespace fmxhost
