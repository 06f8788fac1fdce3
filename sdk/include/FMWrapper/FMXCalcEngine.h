// FileMaker plug-in SDK, as far as this project uses it: registration of external calculation
// functions and the type of the function the host calls for each evaluation.
#pragma once

#include "FMWrapper/FMXData.h"
#include "FMWrapper/FMXText.h"
#include "FMWrapper/FMXTypes.h"

namespace fmx {

// The host calls an external function with its ID, the expression environment, the parameters
// and a result slot, and expects an error code back (0 for none). On a server, several
// evaluations may run at once on different threads.
typedef errcode (*ExtPluginType)(short functionId, const ExprEnv& env, const DataVect& parms,
                                 Data& result);

}  // namespace fmx

extern "C" {
FMX_API fmx::errcode FM_ExprEnv_RegisterExternalFunction(
    const fmx::QuadChar& pluginId, short functionId, const fmx::Text& functionName,
    const fmx::Text& functionPrototype, short minArgs, short maxArgs, fmx::uint32 compatibleOnFlags,
    fmx::ExtPluginType funcPtr, fmx::_fmxcpt& _x) noexcept;
FMX_API fmx::errcode FM_ExprEnv_UnRegisterExternalFunction(const fmx::QuadChar& pluginId,
                                                           short functionId,
                                                           fmx::_fmxcpt& _x) noexcept;
}

namespace fmx {

class ExprEnv {
  public:
    // Registration flags: shown in all of the host's calculation dialogs. With every
    // compatibility bit (0x00FF0000 and the low byte) clear, the host treats a function as
    // compatible with every product.
    enum { kDisplayInAllDialogs = 0x0000FF00 };

    ExprEnv() = delete;
    ExprEnv(const ExprEnv&) = delete;

    static errcode RegisterExternalFunction(const QuadChar& pluginId, short functionId,
                                            const Text& functionName, const Text& functionPrototype,
                                            short minArgs, short maxArgs, uint32 compatibleOnFlags,
                                            ExtPluginType funcPtr) {
        _fmxcpt x;
        const errcode error = FM_ExprEnv_RegisterExternalFunction(
            pluginId, functionId, functionName, functionPrototype, minArgs, maxArgs,
            compatibleOnFlags, funcPtr, x);
        x.Check();
        return error;
    }
    static errcode UnRegisterExternalFunction(const QuadChar& pluginId, short functionId) {
        _fmxcpt x;
        const errcode error = FM_ExprEnv_UnRegisterExternalFunction(pluginId, functionId, x);
        x.Check();
        return error;
    }
};

}  // namespace fmx
