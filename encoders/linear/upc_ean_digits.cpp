#include "encoders/linear/upc_ean_digits.h"

#include "common/utilities.h"

namespace orbx {

RetailDigits FilterRetailDigits(std::string_view data) {
    RetailDigits r;
    for (char c : data) {
        if (!isNumeric(static_cast<unsigned char>(c))) continue;
        if (r.count < RetailDigits::kMaxKept) r.kept[r.count] = c;
        ++r.count;
    }
    return r;
}

}  // namespace orbx
