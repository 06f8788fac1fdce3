// The host's side of the SDK stand-in: what the host program (and the tests standing in for the
// host) need beyond the plug-in's SDK: the registration table, an expression environment,
// failure injection and a count of live host objects. Only host targets can include or link it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "FMWrapper/FMXBinaryData.h"
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

// Makes the n-th FM_ call from now on that creates or changes an object (1 is the next) report
// an allocation failure through its exception holder, as the host does when its memory runs
// out; 0 turns it off.
FMX_HOST_API void FailCallAt(int n);

// The data type a result was stored with (fmx::Data::DataType).
FMX_HOST_API fmx::int32 StoredType(const fmx::Data& data);

// Text, data, data-vector, locale and four-character objects currently alive.
FMX_HOST_API long LiveObjects();

// Sets a text to exactly these UTF-16 units, U+0000 and lone surrogates included, as a field
// can hold them.
FMX_HOST_API void AssignUnits(fmx::Text& text, std::u16string_view units);

// The four characters of a type, such as a container stream's ('PNGf').
FMX_HOST_API std::string QuadCharText(const fmx::QuadChar& type);

// The expression environment the host passes to every external function.
FMX_HOST_API const fmx::ExprEnv& Environment();

// Appends a text parameter of exactly these units, in the system locale, as the host passes a
// field's contents to an external function.
inline void PushTextParameter(fmx::DataVect& parms, std::u16string_view units) {
    fmx::TextUniquePtr text;
    AssignUnits(*text, units);
    fmx::DataUniquePtr data;
    fmx::LocaleUniquePtr locale(fmx::Locale::kType_System);
    data->SetAsText(*text, *locale, fmx::Data::kDTText);
    parms.PushBack(*data);
}

// The UTF-16 units of a text, such as a function's result.
inline std::u16string Units(const fmx::Text& text) {
    std::u16string units(text.GetSize(), u'\0');
    text.GetUnicode(reinterpret_cast<fmx::uint16*>(units.data()), 0,
                    static_cast<fmx::uint32>(units.size()));
    return units;
}

}  // namespace fmxhost
