#include "oracle/code128_decode.h"

#include <string_view>

#include "encoders/code128/code128_patterns.h"

namespace orbx::oracle {

namespace {

int ValueOf(const std::vector<std::uint8_t>& row, std::size_t at) {
    for (int v = 0; v < 106; ++v) {
        std::size_t m = at;
        bool dark = true;
        bool match = true;
        for (char w : kCode128Patterns[static_cast<std::size_t>(v)]) {
            for (int k = 0; k < w - '0'; ++k, ++m)
                match = match && row[m] == (dark ? 1 : 0);
            dark = !dark;
        }
        if (match) return v;
    }
    return -1;
}

}  // namespace

Code128Reading ReadCode128(const std::vector<std::uint8_t>& row) {
    Code128Reading r;
    if (row.size() < 35 || (row.size() - 13) % 11 != 0) {
        r.error = "width " + std::to_string(row.size()) + " is not 11 n + 13";
        return r;
    }
    const std::size_t chars = (row.size() - 13) / 11;
    for (std::size_t k = 0; k < chars; ++k) {
        const int v = ValueOf(row, k * 11);
        if (v < 0) {
            r.error = "no symbol character at module " + std::to_string(k * 11);
            return r;
        }
        r.values.push_back(v);
    }
    std::vector<std::uint8_t> stop(row.end() - 13, row.end());
    const std::vector<std::uint8_t> expected = {1, 1, 0, 0, 0, 1, 1, 1, 0, 1, 0, 1, 1};
    if (stop != expected) {
        r.error = "no stop character";
        return r;
    }
    if (r.values.size() < 2 || r.values[0] < 103) {
        r.error = "no start character";
        return r;
    }
    long sum = r.values[0];
    for (std::size_t i = 1; i + 1 < r.values.size(); ++i)
        sum += r.values[i] * static_cast<long>(i);
    r.check_ok = sum % 103 == r.values.back();

    // ISO/IEC 15417 code sets: A (controls and upper case), B (printable ASCII), C (digit pairs).
    char set = static_cast<char>('A' + (r.values[0] - 103));
    bool shift = false;
    for (std::size_t i = 1; i + 1 < r.values.size(); ++i) {
        const int v = r.values[i];
        const char in = shift ? (set == 'A' ? 'B' : 'A') : set;
        shift = false;
        if (v == 102) {
            r.content += kFnc1;
        } else if (in == 'C') {
            if (v < 100) {
                r.content += static_cast<char>('0' + v / 10);
                r.content += static_cast<char>('0' + v % 10);
            } else {
                set = v == 100 ? 'B' : 'A';
            }
        } else if (v < 96) {
            r.content += static_cast<char>(in == 'A' && v >= 64 ? v - 64 : v + 32);
        } else if (v == 96) {
            r.content += kFnc3;
        } else if (v == 97) {
            r.content += kFnc2;
        } else if (v == 98) {
            shift = true;
        } else if (v == 99) {
            set = 'C';
        } else if ((in == 'A' && v == 100) || (in == 'B' && v == 101)) {
            set = in == 'A' ? 'B' : 'A';
        } else {
            r.error = "FNC4 is not expected";  // only ASCII data is compared
        }
    }
    return r;
}

}  // namespace orbx::oracle
