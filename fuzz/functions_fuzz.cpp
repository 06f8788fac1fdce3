// Fuzz target: every external function through its real adapter, with the host's own objects.
// The first byte picks the function: below 0xF0 one of the 36 (the byte modulo 36), and the rest
// is the parameter's UTF-16 units; from 0xF0 one of the three 2D functions, the bytes up to the
// first 0x00 its settings text and the rest its data's UTF-16 units. Besides crashes and
// sanitizer reports it checks that the result fits the adapter's buffer, uses only the alphabet
// of the function's font, and is the same when the call is repeated.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FMWrapper/FMXData.h"
#include "FMWrapper/FMXText.h"
#include "host_api/fmx_host.h"
#include "plugin/function_table.h"
#include "plugin/matrix.h"
#include "support/alphabets.h"

namespace {

constexpr std::uint8_t kFirstMatrixPick = 0xF0;

std::u16string evaluate(short id, fmx::ExtPluginType adapter, const std::u16string* parameters,
                        std::size_t count) {
    fmx::DataVectUniquePtr parms;
    for (std::size_t i = 0; i < count; ++i)
        fmxhost::PushTextParameter(*parms, parameters[i]);
    fmx::DataUniquePtr result;
    if (adapter(id, fmxhost::Environment(), *parms, *result) != 0) std::abort();
    return fmxhost::Units(result->GetAsText());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    std::u16string parameters[2];
    std::size_t count = 1;
    std::size_t i = 1;
    short id = 0;
    fmx::ExtPluginType adapter = nullptr;
    std::size_t capacity = 0;
    if (data[0] < kFirstMatrixPick) {
        const orbx::FunctionRow& row = orbx::kFunctionTable[data[0] % orbx::kFunctionCount];
        id = row.id;
        adapter = row.adapter;
        capacity = row.output_size;
    } else {
        const orbx::MatrixRow& row =
            orbx::kMatrixRows[(data[0] - kFirstMatrixPick) % orbx::kMatrixFunctionCount];
        id = row.id;
        adapter = row.adapter;
        capacity = orbx::kLongestMatrixText + 1;
        while (i < size && data[i] != 0)
            parameters[1] += static_cast<char16_t>(data[i++]);
        ++i;
        count = 2;
    }
    for (; i + 1 < size; i += 2)
        parameters[0] += static_cast<char16_t>(data[i] | (data[i + 1] << 8));

    const long live = fmxhost::LiveObjects();
    const std::u16string first = evaluate(id, adapter, parameters, count);
    // The adapter releases every host object it made.
    if (fmxhost::LiveObjects() != live) std::abort();
    if (id == 1) return 0;  // the version function encodes nothing

    if (first.size() >= capacity && !first.empty()) std::abort();
    std::string bytes;
    if (!orbx::test::BytesOfResult(first, bytes)) std::abort();
    if (!orbx::test::InFontAlphabet(id, bytes)) std::abort();
    if (evaluate(id, adapter, parameters, count) != first) std::abort();
    return 0;
}
