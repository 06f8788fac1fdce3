// The string table built into the plug-in file, for the platforms whose plug-in has no string
// resources of its own: Linux, and macOS, whose bundle could carry them but gains nothing by it.
// The texts are plugin/string_table.h's and the function rows'; the Windows string table
// resource is compiled from the same rows.
#include <array>
#include <string_view>

#include "plugin/function_rows.h"
#include "plugin/string_table.h"
#include "plugin/strings.h"

namespace orbx {

namespace {

struct StringRow {
    unsigned id;
    std::u16string_view text;
};

#define ORBX_CPP_ROW(id, text) {id, u"" text},
#define ORBX_CPP_PROTOTYPE(id, adapter, prototype, ...) {kPrototypeStrings + id, u"" prototype},
constexpr StringRow kStrings[] = {ORBX_STRING_ROWS(ORBX_CPP_ROW) ORBX_FUNCTION_ROWS(
    ORBX_CPP_PROTOTYPE) ORBX_IMAGE_ROW(ORBX_CPP_PROTOTYPE) ORBX_MATRIX_ROWS(ORBX_CPP_PROTOTYPE)};
#undef ORBX_CPP_ROW
#undef ORBX_CPP_PROTOTYPE
static_assert(std::size(kStrings) == 3 + 36 + 1 + 3,
              "name, description, version, 36 prototypes, the picture function's and the three "
              "2D functions'");

}  // namespace

// The table needs no module to be found in.
Module OwnModule() {
    return 0;
}

fmx::uint32 LoadPluginString(Module, unsigned id, fmx::uint16* buffer, fmx::uint32 size) {
    if (buffer == nullptr || size == 0) return 0;
    buffer[0] = 0;
    for (const StringRow& row : kStrings) {
        if (row.id != id) continue;
        if (row.text.size() >= size) return 0;
        for (std::size_t i = 0; i < row.text.size(); ++i)
            buffer[i] = row.text[i];
        buffer[row.text.size()] = 0;
        return static_cast<fmx::uint32>(row.text.size());
    }
    return 0;
}

}  // namespace orbx
