// The host's side of the SDK stand-in: what the host program (and the tests standing in for the
// host) need beyond the plug-in's API: the registration table, an expression environment,
// failure injection and a count of live host objects. Plug-ins never include this header.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "FMWrapper/FMXCalcEngine.h"

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
FMX_API std::vector<Registration> Registrations();

// Makes the n-th registration call from now on fail (1 is the next call); 0 turns it off.
FMX_API void FailRegistrationAt(int n);

// Text, data, data-vector, locale and four-character objects currently alive.
FMX_API long LiveObjects();

// Sets a text to exactly these UTF-16 units (the plug-in API has no call that takes U+0000).
FMX_API void AssignUnits(fmx::Text& text, std::u16string_view units);

// The expression environment the host passes to every external function.
FMX_API const fmx::ExprEnv& Environment();

}  // namespace fmxhost
