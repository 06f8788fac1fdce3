// The picture function: Orbx_Image ( symbology ; data {; settings} ) returns, as a container,
// the symbol that the named function's text draws in its font, as a PNG or a PDF picture.
#pragma once

#include "plugin/fmx_sdk.h"
#include "plugin/function_rows.h"

namespace orbx {

// Parameter 0 names the function (without "Orbx_", in any case), parameter 1 is what that
// function takes, parameter 2 the settings (picture/settings.h). Anything that gives no picture
// (an unknown name, data the function gives the empty text for) gives the empty text. Returns
// 0 to the host in every case.
#define ORBX_IMAGE_DECLARATION(id, adapter, ...)                            \
    fmx::errcode adapter(short functionId, const fmx::ExprEnv& environment, \
                         const fmx::DataVect& parms, fmx::Data& result) noexcept;
ORBX_IMAGE_ROW(ORBX_IMAGE_DECLARATION)
#undef ORBX_IMAGE_DECLARATION

// The picture function's registration: how many parameters it takes (its prototype is string
// 100 + id of the string table).
struct ImageRow {
    short id;
    short fewest;
    short most;
    fmx::ExtPluginType adapter;
};
#define ORBX_IMAGE_REGISTRATION(id, adapter, prototype, fewest, most) \
    inline constexpr ImageRow kImageRow = {id, fewest, most, adapter};
ORBX_IMAGE_ROW(ORBX_IMAGE_REGISTRATION)
#undef ORBX_IMAGE_REGISTRATION

}  // namespace orbx
