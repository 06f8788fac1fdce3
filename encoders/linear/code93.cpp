#include "encoders/linear/code93.h"

#include <string>
#include <string_view>

#include "common/output.h"
#include "common/status.h"
#include "common/utilities.h"
#include "encoders/linear/code39_values.h"

namespace orbx {

namespace {

constexpr char kStart = '(';
constexpr char kStop = ')';
// Check weights count up from the right and wrap: C after 20, K after 15 (AIM USS Code 93).
constexpr int kCMaxWeight = 20;
constexpr int kKMaxWeight = 15;

// Font character of a data value: a space is drawn as "=".
char data_char(int value) {
    return value == kCode39SpaceValue ? kCode39FontSpace : kCode39Chars[value];
}

// Font character of a check value: here value 38 is the space character itself.
char check_char(int value) {
    return kCode39Chars[value];
}

// Value of a data font character already in the symbol.
int value_of(char font) {
    return font == kCode39FontSpace ? kCode39SpaceValue
                                    : Code93Value(static_cast<unsigned char>(font));
}

}  // namespace

int Orbelantrix_Code93(char* data, char* out, long capacity) {
    if (data == nullptr || data[0] == '\0') return kStatusRefused;
    // The caller sees its data upper-cased, as the symbol carries it.
    strupr(data);
    const std::string_view d(data);

    std::string symbol;
    symbol.reserve(d.size() + 4);
    symbol += kStart;
    for (char c : d) {
        const int value = Code93Value(static_cast<unsigned char>(c));
        if (value >= 0) symbol += data_char(value);
    }

    // Weighted sums from the rightmost data character to the leftmost.
    int c_sum = 0;
    int k_sum = 0;
    int c_weight = 1;
    int k_weight = 2;
    for (std::size_t i = symbol.size() - 1; i >= 1; --i) {
        const int value = value_of(symbol[i]);
        c_sum = (c_sum + value * c_weight) % kCode93ValueCount;
        k_sum = (k_sum + value * k_weight) % kCode93ValueCount;
        c_weight = c_weight == kCMaxWeight ? 1 : c_weight + 1;
        k_weight = k_weight == kKMaxWeight ? 1 : k_weight + 1;
    }
    // C takes K weight 1.
    const int c_value = c_sum;
    const int k_value = (k_sum + c_value) % kCode93ValueCount;

    symbol += check_char(c_value);
    symbol += check_char(k_value);
    symbol += kStop;
    return HandOver(out, capacity, symbol);
}

}  // namespace orbx
