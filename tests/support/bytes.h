// Helpers for writing expected font text as byte lists in test tables.
#pragma once

#include <initializer_list>
#include <string>

namespace orbx::test {

inline std::string bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values)
        s += static_cast<char>(v);
    return s;
}

inline std::string bytes_of(const std::string& text) {
    return text;
}

}  // namespace orbx::test
