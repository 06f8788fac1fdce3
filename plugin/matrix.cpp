#include "plugin/matrix.h"

#include <memory>

#include "common/status.h"
#include "plugin/adapters.h"

namespace orbx {

namespace {

// The common algorithm of the 2D functions: the data (parameter 0) and the settings (parameter
// 1, if given) to the symbol's text, stored as the result; the empty text when there is none.
fmx::errcode run_matrix_adapter(const MatrixRow& row, const fmx::DataVect& parms,
                                fmx::Data& result) noexcept {
    bool given = false;
    const char* text = "";
    fmx::uint32 length = 0;
    try {
        given = parms.Size() > 0;
        if (given) {
            MatrixWork& work = ThreadMatrixWork();
            char settings[kLongestSettings] = "";
            if (parms.Size() > 1 &&
                !ShortParameterText(parms.AtAsText(1), settings, kLongestSettings)) {
                settings[0] = '\0';
            }
            if (EncodeMatrixParameter(row.symbol, row.input_limit, parms.AtAsText(0), settings,
                                      work)) {
                const int n = MatrixText(work.symbol, work.text, kLongestMatrixText);
                if (n > 0) {
                    text = work.text;
                    length = static_cast<fmx::uint32>(n);
                }
            }
        }
    } catch (...) {
        length = 0;
    }
    // The text, or the empty text when storing it failed.
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            StoreTextResult(parms, given, result, text, length);
            break;
        } catch (...) {
            length = 0;
        }
    }
    return 0;
}

}  // namespace

const MatrixRow* MatrixRowById(short id) {
    for (const MatrixRow& row : kMatrixRows) {
        if (row.id == id) return &row;
    }
    return nullptr;
}

MatrixWork& ThreadMatrixWork() {
    // On the heap, one block per thread that the thread's exit releases: too large for a host
    // thread's stack, and on Windows no larger than a pointer in the emulated thread storage
    // that a thread outliving the DLL leaves behind.
    thread_local const std::unique_ptr<MatrixWork> work = std::make_unique<MatrixWork>();
    return *work;
}

bool EncodeMatrixParameter(picture::Matrix symbol, fmx::uint32 limit, const fmx::Text& data,
                           std::string_view settings, MatrixWork& work) {
    const fmx::uint32 size = data.GetSize();
    if (size == 0 || size > limit || size > kLargestMatrixInput) return false;
    picture::MatrixOptions options;
    if (!picture::ParseMatrixSettings(symbol, settings, options)) return false;
    data.GetUnicode(work.units, 0, size);
    const std::size_t bytes = Utf16ToUtf8(work.units, size, work.data);
    return picture::EncodeMatrix(symbol, std::string_view(work.data, bytes), options,
                                 work.symbol) == kStatusOk;
}

#define ORBX_MATRIX_ADAPTER(id, adapter, ...)                                    \
    fmx::errcode adapter(short, const fmx::ExprEnv&, const fmx::DataVect& parms, \
                         fmx::Data& result) noexcept {                           \
        return run_matrix_adapter(*MatrixRowById(id), parms, result);            \
    }
ORBX_MATRIX_ROWS(ORBX_MATRIX_ADAPTER)
#undef ORBX_MATRIX_ADAPTER

}  // namespace orbx
