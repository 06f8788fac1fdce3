// Fuzz target: every external function through its real adapter, with the host's own objects.
// The first byte picks the function, the rest is the parameter's UTF-16 units. Besides crashes
// and sanitizer reports it checks that the result fits the adapter's buffer, uses only the
// alphabet of the function's font, and is the same when the call is repeated.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FMWrapper/FMXData.h"
#include "FMWrapper/FMXText.h"
#include "host_api/fmx_host.h"
#include "plugin/function_table.h"
#include "support/alphabets.h"

namespace {

std::u16string evaluate(const orbx::FunctionRow& row, const std::u16string& parameter) {
    fmx::DataVectUniquePtr parms;
    fmxhost::PushTextParameter(*parms, parameter);
    fmx::DataUniquePtr result;
    if (row.adapter(row.id, fmxhost::Environment(), *parms, *result) != 0) std::abort();
    return fmxhost::Units(result->GetAsText());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const orbx::FunctionRow& row = orbx::kFunctionTable[data[0] % orbx::kFunctionCount];
    std::u16string parameter;
    for (std::size_t i = 1; i + 1 < size; i += 2) {
        parameter += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    }

    const long live = fmxhost::LiveObjects();
    const std::u16string first = evaluate(row, parameter);
    // The adapter releases every host object it made.
    if (fmxhost::LiveObjects() != live) std::abort();
    if (row.id == 1) return 0;  // the version function encodes nothing

    if (first.size() >= row.output_size && !first.empty()) std::abort();
    std::string bytes;
    if (!orbx::test::BytesOfResult(first, bytes)) std::abort();
    if (!orbx::test::InFontAlphabet(row.id, bytes)) std::abort();
    if (evaluate(row, parameter) != first) std::abort();
    return 0;
}
