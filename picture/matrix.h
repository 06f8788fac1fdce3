// The two-dimensional symbols as the functions and the pictures make them: their settings, read
// from the same "name=value; name=value" text as the picture settings, the data encoded into a
// module matrix (encoders/matrix/), and that matrix as the module rows the layout draws. Knows
// nothing of the host.
#pragma once

#include <string_view>

#include "encoders/matrix/data_matrix.h"
#include "encoders/matrix/module_matrix.h"
#include "encoders/matrix/pdf417.h"
#include "encoders/matrix/qr_code.h"
#include "render/symbol.h"

namespace orbx::picture {

// Which two-dimensional symbol a function or a picture draws; none for the linear symbols.
enum class Matrix : unsigned char { none, qr_code, data_matrix, pdf417 };

// The options of each symbol, with the encoders' defaults: QR Code at level M in the smallest
// version, Data Matrix in the smallest square size, PDF417 at the recommended level in the
// columns that make it about twice as wide as tall; GS1 off.
struct MatrixOptions {
    QrCodeOptions qr_code;
    DataMatrixOptions data_matrix;
    Pdf417Options pdf417;
};

// Reads the settings `matrix` knows from `text` into `options` (the others are left as they
// are, and names it does not know, the picture's among them, are ignored):
//   QR Code      ecc=L|M|Q|H, version=auto|1..40, gs1=on|off
//   Data Matrix  size=auto|square|rectangle|ROWSxCOLUMNS, gs1=on|off
//   PDF417       ecc=auto|0..8, columns=auto|1..30
// Names and keywords in any case. False when a name it knows has a value it cannot use (an
// empty one included): the function then gives no symbol.
bool ParseMatrixSettings(Matrix matrix, std::string_view text, MatrixOptions& options) noexcept;

// `data` (UTF-8) as `matrix` with its options into `symbol`: kStatusOk, or the encoder's
// refusal (kStatusRefused) for empty data, data the symbol cannot hold, bad GS1 data, or a
// size that is no Data Matrix size.
int EncodeMatrix(Matrix matrix, std::string_view data, const MatrixOptions& options,
                 ModuleMatrix& symbol) noexcept;

// The matrix as module rows, top first, each `m.row_height` modules tall, into `symbol`, whose
// storage is reused; no quiet zone of its own (the symbology's gives it).
void MatrixRows(const ModuleMatrix& m, render::Symbol& symbol);

}  // namespace orbx::picture
