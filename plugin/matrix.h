// The two-dimensional symbols' functions: Orbx_QRCode ( data {; settings} ), Orbx_DataMatrix
// and Orbx_PDF417 return the symbol as text for the Orbelantrix 2D font
// (encoders/matrix/matrix_text.h), and Orbx_Image draws the same symbols as pictures. The data
// is the host's Unicode text as UTF-8; the settings are read by picture/matrix.h.
#pragma once

#include <array>
#include <string_view>

#include "common/utf8.h"
#include "encoders/matrix/matrix_text.h"
#include "encoders/matrix/module_matrix.h"
#include "picture/matrix.h"
#include "plugin/fmx_sdk.h"
#include "plugin/function_rows.h"

namespace orbx {

#define ORBX_MATRIX_DECLARATION(id, adapter, ...)                           \
    fmx::errcode adapter(short functionId, const fmx::ExprEnv& environment, \
                         const fmx::DataVect& parms, fmx::Data& result) noexcept;
ORBX_MATRIX_ROWS(ORBX_MATRIX_DECLARATION)
#undef ORBX_MATRIX_DECLARATION

// A 2D function's registration (its prototype is string 100 + id) and what it draws.
struct MatrixRow {
    short id;
    short fewest;
    short most;
    fmx::uint32 input_limit;  // UTF-16 units of data; longer data gives the empty text
    picture::Matrix symbol;
    fmx::ExtPluginType adapter;
};

inline constexpr std::size_t kMatrixFunctionCount = 3;
#define ORBX_MATRIX_REGISTRATION(id, adapter, prototype, fewest, most, limit, symbol) \
    MatrixRow{id, fewest, most, limit, picture::Matrix::symbol, adapter},
inline constexpr std::array<MatrixRow, kMatrixFunctionCount> kMatrixRows = {
    {ORBX_MATRIX_ROWS(ORBX_MATRIX_REGISTRATION)}};
#undef ORBX_MATRIX_REGISTRATION

// The highest function ID the plug-in registers.
inline constexpr short kLastFunctionId = kMatrixRows.back().id;

// The longest data any 2D function reads, in UTF-16 units: more than the largest symbol holds
// (QR Code version 40 at level L: 7089 digits).
inline constexpr fmx::uint32 kLargestMatrixInput = 8192;
// UTF-8 takes at most 3 bytes a UTF-16 unit (4 for a surrogate pair of 2 units).
inline constexpr int kLargestMatrixData = static_cast<int>(kUtf8BytesPerUnit * kLargestMatrixInput);
// The longest text: PDF417 at 90 rows of 30 data columns (579 x 90 modules, rows 3 tall), 90
// lines of 290 characters and 89 returns.
inline constexpr int kLongestMatrixText = MatrixTextLength(579, 90, 3);
static_assert(kLongestMatrixText == 26189);

constexpr bool matrix_rows_fit() {
    short id = kMatrixRows.front().id;
    for (const MatrixRow& row : kMatrixRows) {
        if (row.id != id++ || row.input_limit > kLargestMatrixInput) return false;
    }
    return true;
}
static_assert(matrix_rows_fit(), "consecutive IDs, and no more data than the buffers hold");

// The row of 2D function `id`, or null.
const MatrixRow* MatrixRowById(short id);

// The buffers of one symbol: kept per thread (made on a thread's first symbol), so that a call
// allocates nothing of its own.
struct MatrixWork {
    fmx::uint16 units[kLargestMatrixInput];
    char data[kLargestMatrixData];
    ModuleMatrix symbol;
    char text[kLongestMatrixText];
};

// This thread's buffers. May throw std::bad_alloc on the thread's first call.
MatrixWork& ThreadMatrixWork();

// Encodes the data parameter `data` (at most `limit` units) as `symbol` with the settings text
// into work.symbol; false when it gives no symbol: too long or empty data, a setting it knows
// with a value it cannot use, data the encoder refuses.
bool EncodeMatrixParameter(picture::Matrix symbol, fmx::uint32 limit, const fmx::Text& data,
                           std::string_view settings, MatrixWork& work);

}  // namespace orbx
