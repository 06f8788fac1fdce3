#include "encoders/linear/upc_ean_digits.h"

#include "common/utilities.h"

namespace orbx {

RetailDigits FilterRetailDigits(std::string_view data) {
    RetailDigits r;
    std::size_t i = 0;
    // While there is room each character is stored and kept when it is a digit; after that
    // the digits are only counted.
    for (; i < data.size() && r.count < RetailDigits::kMaxKept; ++i) {
        r.kept[r.count] = data[i];
        r.count += isNumeric(static_cast<unsigned char>(data[i])) ? 1 : 0;
    }
    for (; i < data.size(); ++i)
        r.count += isNumeric(static_cast<unsigned char>(data[i])) ? 1 : 0;
    return r;
}

}  // namespace orbx
