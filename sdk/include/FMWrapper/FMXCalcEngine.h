// Stand-in for the FileMaker plug-in SDK: registration of external calculation functions.
#pragma once

#include "FMWrapper/FMXData.h"
#include "FMWrapper/FMXText.h"
#include "FMWrapper/FMXTypes.h"

namespace fmx {

// The host calls an external function with its ID, the expression environment, the parameters
// and a result slot, and expects an error code back (0 for none).
typedef errcode (*ExtPluginType)(short functionId, const ExprEnv& env, const DataVect& parms,
                                 Data& result);

}  // namespace fmx

extern "C" {
FMX_API fmx::errcode FM_ExprEnv_RegisterExternalFunction(
    const fmx::QuadChar& pluginId, short functionId, const fmx::Text& functionName,
    const fmx::Text& functionPrototype, short minArgs, short maxArgs, fmx::uint32 compatibleOnFlags,
    fmx::ExtPluginType funcPtr, fmx::_fmxcpt& x) noexcept;
FMX_API fmx::errcode FM_ExprEnv_UnRegisterExternalFunction(const fmx::QuadChar& pluginId,
                                                           short functionId,
                                                           fmx::_fmxcpt& x) noexcept;
}

namespace fmx {

class ExprEnv {
  public:
    enum {
        kMayEvaluateOnServer = 0x00000001,
        kDisplayInAllDialogs = 0x0000FF00,
    };

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
