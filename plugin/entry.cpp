// The plug-in's one exported entry point: start-up, shut-down and the strings the host asks for.
#include <cstdint>

#include "plugin/fmx_sdk.h"
#include "plugin/function_table.h"
#include "plugin/image.h"
#include "plugin/matrix.h"
#include "plugin/strings.h"

namespace orbx {

namespace {

// The options string: the plug-in identifier, "1", then the host's option flags: no preferences
// dialog, start-up and shut-down messages, no idle, session or file messages.
constexpr char16_t kOptionsString[] = u"Orbx1nnYnnn";

// The host extension versions the plug-in starts under, and the version it replies it was built
// for. The SDK's own kCurrentExtnVersion and kMinExtnVersion follow the SDK release, not these.
constexpr fmx::int16 kLowestHostVersion = 50;
constexpr fmx::int16 kHighestHostVersion = 255;
constexpr fmx::int16 kBuiltForExtnVersion = 52;

fmx::QuadCharUniquePtr plugin_id() {
    return fmx::QuadCharUniquePtr('O', 'r', 'b', 'x');
}

// Removes the registrations of functions `highest` down to 1; a missing one is not an error.
void unregister_down_from(short highest) {
    const fmx::QuadCharUniquePtr id = plugin_id();
    for (short function = highest; function >= 1; --function) {
        try {
            fmx::ExprEnv::UnRegisterExternalFunction(*id, function);
        } catch (...) {
        }
    }
}

// Registers one function, its prototype string 100 + id and its name the prototype up to its
// "("; true when the host took it.
bool register_function(Module module, short id, short fewest, short most,
                       fmx::ExtPluginType adapter) {
    const fmx::QuadCharUniquePtr plugin = plugin_id();
    fmx::TextUniquePtr paren;
    paren->Assign("(", fmx::Text::kEncoding_UTF8);
    fmx::uint16 buffer[1024];
    LoadPluginString(module, kPrototypeStrings + static_cast<unsigned>(id), buffer, 1024);
    fmx::TextUniquePtr prototype;
    fmx::TextUniquePtr name;
    prototype->AssignUnicode(buffer);
    name->AssignUnicode(buffer);
    // A position past the end: no "(" found.
    const fmx::uint32 at = name->Find(*paren, 0);
    if (at < name->GetSize()) name->DeleteText(at, name->GetSize() - at);
    return fmx::ExprEnv::RegisterExternalFunction(*plugin, id, *name, *prototype, fewest, most,
                                                  kFunctionFlags, adapter) == 0;
}

// Registers the functions of the table in order, then the picture function, then the 2D
// functions; on any failure, takes back what was registered and asks the host not to enable
// the plug-in.
fmx::int32 start_up(fmx::int16 host_version, Module module) {
    if (host_version < kLowestHostVersion || host_version > kHighestHostVersion) {
        return kBadExtnVersion;
    }
    short registered = 0;
    try {
        for (const FunctionRow& row : kFunctionTable) {
            if (!register_function(module, row.id, row.min_parameters, 1, row.adapter)) break;
            registered = row.id;
        }
        if (registered == kFunctionCount &&
            register_function(module, kImageRow.id, kImageRow.fewest, kImageRow.most,
                              kImageRow.adapter)) {
            registered = kImageRow.id;
        }
        for (const MatrixRow& row : kMatrixRows) {
            if (registered != row.id - 1 ||
                !register_function(module, row.id, row.fewest, row.most, row.adapter)) {
                break;
            }
            registered = row.id;
        }
    } catch (...) {
    }
    if (registered == kLastFunctionId) return kBuiltForExtnVersion;
    unregister_down_from(registered);
    return kDoNotEnable;
}

void copy_string(Module module, FMX_UChar which, fmx::uint16* buffer, fmx::uint32 size) {
    switch (which) {
        case kFMXT_NameStr:
            LoadPluginString(module, kNameString, buffer, size);
            break;
        case kFMXT_AppConfigStr:
            LoadPluginString(module, kDescriptionString, buffer, size);
            break;
        case kFMXT_OptionsStr:
            if (buffer != nullptr && size >= std::size(kOptionsString)) {
                for (std::size_t i = 0; i < std::size(kOptionsString); ++i) {
                    buffer[i] = kOptionsString[i];
                }
            }
            break;
        default:
            break;
    }
}

}  // namespace

}  // namespace orbx

#if defined(_WIN32)
#define ORBX_EXPORT __declspec(dllexport)
#else
#define ORBX_EXPORT __attribute__((visibility("default")))
#endif

// The plug-in reads only the fields every SDK names alike: extnVersion, whichCall, parm1 to parm3,
// instanceID and result. Every message but these three is left alone. The strings are read
// through instanceID, the module the host loaded (on Windows, where its string resources are).
extern "C" ORBX_EXPORT void FMExternCallProc(FMX_ExternCallPtr pb) {
    if (pb == nullptr) return;
    switch (pb->whichCall) {
        case kFMXT_Init:
            pb->result = static_cast<fmx::ptrtype>(
                static_cast<std::intptr_t>(orbx::start_up(pb->extnVersion, pb->instanceID)));
            break;
        case kFMXT_Shutdown:
            orbx::unregister_down_from(orbx::kLastFunctionId);
            break;
        case kFMXT_GetString: {
            const fmx::ptrtype size = pb->parm3 > 0xFFFFFFFFu ? 0xFFFFFFFFu : pb->parm3;
            orbx::copy_string(pb->instanceID, pb->parm1, reinterpret_cast<fmx::uint16*>(pb->result),
                              static_cast<fmx::uint32>(size));
            break;
        }
        default:
            break;
    }
}
