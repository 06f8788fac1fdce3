#include "encoders/code128/code128_values.h"

#include <string>

namespace orbx {

std::uint8_t* Code128ValueArea(std::size_t size) {
    thread_local std::basic_string<std::uint8_t> values;
    if (values.size() < size) values.resize(size);
    return values.data();
}

}  // namespace orbx
