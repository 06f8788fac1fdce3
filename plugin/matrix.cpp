#include "plugin/matrix.h"

#include <memory>

#include "common/status.h"
#include "plugin/adapters.h"

namespace orbx {

namespace {

constexpr std::uint32_t kReplacement = 0xFFFD;

// One code point as UTF-8 (RFC 3629) at `out`; returns the bytes written.
int put_utf8(std::uint32_t c, char* out) {
    if (c < 0x80) {
        out[0] = static_cast<char>(c);
        return 1;
    }
    if (c < 0x800) {
        out[0] = static_cast<char>(0xC0 | (c >> 6));
        out[1] = static_cast<char>(0x80 | (c & 0x3F));
        return 2;
    }
    if (c < 0x10000) {
        out[0] = static_cast<char>(0xE0 | (c >> 12));
        out[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out[2] = static_cast<char>(0x80 | (c & 0x3F));
        return 3;
    }
    out[0] = static_cast<char>(0xF0 | (c >> 18));
    out[1] = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out[2] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out[3] = static_cast<char>(0x80 | (c & 0x3F));
    return 4;
}

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

int Utf16ToUtf8(const fmx::uint16* units, fmx::uint32 count, char* out) {
    int at = 0;
    for (fmx::uint32 i = 0; i < count; ++i) {
        std::uint32_t c = units[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < count && units[i + 1] >= 0xDC00 &&
            units[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (units[i + 1] - 0xDC00u);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = kReplacement;
        }
        at += put_utf8(c, out + at);
    }
    return at;
}

bool EncodeMatrixParameter(picture::Matrix symbol, fmx::uint32 limit, const fmx::Text& data,
                           std::string_view settings, MatrixWork& work) {
    const fmx::uint32 size = data.GetSize();
    if (size == 0 || size > limit || size > kLargestMatrixInput) return false;
    picture::MatrixOptions options;
    if (!picture::ParseMatrixSettings(symbol, settings, options)) return false;
    data.GetUnicode(work.units, 0, size);
    const int bytes = Utf16ToUtf8(work.units, size, work.data);
    return picture::EncodeMatrix(symbol,
                                 std::string_view(work.data, static_cast<std::size_t>(bytes)),
                                 options, work.symbol) == kStatusOk;
}

#define ORBX_MATRIX_ADAPTER(id, adapter, ...)                                    \
    fmx::errcode adapter(short, const fmx::ExprEnv&, const fmx::DataVect& parms, \
                         fmx::Data& result) noexcept {                           \
        return run_matrix_adapter(*MatrixRowById(id), parms, result);            \
    }
ORBX_MATRIX_ROWS(ORBX_MATRIX_ADAPTER)
#undef ORBX_MATRIX_ADAPTER

}  // namespace orbx
