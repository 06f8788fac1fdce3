// zint, the independent encoder, as the unit tests compare with it: a symbol's rows of modules.
#pragma once

#include <zint.h>

#include <string>
#include <vector>

namespace orbx::test {

// zint's rows for `data` as "1" (dark module) and "0" (light module); `columns` sets zint's
// columns (option_2) where it is above 0. Empty when zint refuses the data, with zint's reason
// in `error` where one is given.
inline std::vector<std::string> zint_rows(int symbology, const std::string& data, int columns = 0,
                                          std::string* error = nullptr) {
    zint_symbol* symbol = ZBarcode_Create();
    symbol->symbology = symbology;
    if (columns > 0) symbol->option_2 = columns;
    const int rc = ZBarcode_Encode(symbol, reinterpret_cast<const unsigned char*>(data.data()),
                                   static_cast<int>(data.size()));
    std::vector<std::string> rows;
    if (rc < ZINT_ERROR) {
        for (int r = 0; r < symbol->rows; ++r) {
            std::string modules;
            for (int c = 0; c < symbol->width; ++c)
                modules += (symbol->encoded_data[r][c >> 3] >> (c & 7)) & 1 ? '1' : '0';
            rows.push_back(modules);
        }
    } else if (error != nullptr) {
        *error = symbol->errtxt;
    }
    ZBarcode_Delete(symbol);
    return rows;
}

}  // namespace orbx::test
