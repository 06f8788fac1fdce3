#include "encoders/code128/code128_values.h"

#include <string>

namespace orbx {

std::uint8_t* Code128ValueArea(std::size_t size) {
    thread_local std::basic_string<std::uint8_t> values;
    if (values.size() < size) values.resize(size);
    return values.data();
}

int Code128CheckValue(int start, const std::uint8_t* values, std::size_t count) {
    // Summed in 64 bits and reduced once: the same remainder as reducing at every step.
    std::uint64_t sum = static_cast<std::uint64_t>(start);
    for (std::size_t i = 0; i < count; ++i)
        sum += values[i] * static_cast<std::uint64_t>(i + 1);
    return static_cast<int>(sum % 103);
}

}  // namespace orbx
