#include "plugin/image.h"

#include <cstring>
#include <memory>
#include <string_view>

#include "picture/picture.h"
#include "picture/readable.h"
#include "plugin/adapters.h"
#include "plugin/function_table.h"
#include "plugin/matrix.h"
#include "render/render.h"

namespace orbx {

namespace {

// The longest symbology name read; a longer one names nothing.
constexpr fmx::uint32 kLongestName = 64;

struct ImageWork {
    char text[kLargestOutput];      // the function's font text
    char readable[kLargestOutput];  // the readable line
    render::Symbol symbol;
};

// On the heap, freed by a destructor at the thread's exit (or when the host unloads the plug-in
// while the thread lives on), as the 2D functions' work is.
ImageWork& image_work() {
    thread_local const std::unique_ptr<ImageWork> work = std::make_unique<ImageWork>();
    return *work;
}

// The readable line of the symbol, from the data string and tilde flag the encoder was given,
// without the spaces an identifier's parentheses bring at its ends.
std::string_view readable_line(const picture::Symbology& s, const EncodingWork& encoding,
                               const render::Symbol& symbol, char* out) {
    const long tilde =
        s.readable_tilde >= 0 ? s.readable_tilde : LongOption(encoding.options, 0, 1);
    return picture::ReadableLine(s, encoding.data, tilde, symbol, out, kLargestOutput);
}

// The container: the picture's main stream, the PNG (the PDF's preview), its file name and
// its size in pixels.
void store_picture(const picture::Symbology& s, const picture::Picture& p, bool pdf,
                   fmx::Data& result) {
    fmx::BinaryDataUniquePtr binary;
    if (pdf) {
        const fmx::QuadCharUniquePtr type('P', 'D', 'F', ' ');
        binary->Add(*type, static_cast<fmx::uint32>(p.pdf.size()),
                    const_cast<unsigned char*>(p.pdf.data()));
    }
    {
        const fmx::QuadCharUniquePtr type('P', 'N', 'G', 'f');
        binary->Add(*type, static_cast<fmx::uint32>(p.png.size()),
                    const_cast<unsigned char*>(p.png.data()));
    }
    char name[kLongestName + 8];
    std::memcpy(name, s.name.data(), s.name.size());
    std::memcpy(name + s.name.size(), pdf ? ".pdf" : ".png", 5);
    fmx::TextUniquePtr file;
    file->Assign(name, fmx::Text::kEncoding_UTF8);
    binary->AddFNAMData(*file);
    binary->AddSIZEData(static_cast<short>(p.width), static_cast<short>(p.height));
    result.SetBinaryData(*binary, true);
}

bool draw(const fmx::DataVect& parms, fmx::Data& result) {
    if (parms.Size() < 2) return false;
    char name[kLongestName];
    if (!ShortParameterText(parms.AtAsText(0), name, kLongestName)) return false;
    const picture::Symbology* s = picture::FindSymbology(name);
    if (s == nullptr) return false;
    // The settings: the picture's, and a 2D symbol's own from the same text.
    char text[kLongestSettings] = "";
    if (parms.Size() >= 3 && !ShortParameterText(parms.AtAsText(2), text, kLongestSettings)) {
        text[0] = '\0';
    }
    const picture::Settings settings = picture::ParseSettings(text);

    ImageWork& work = image_work();
    std::string_view readable;
    if (s->matrix != picture::Matrix::none) {
        const MatrixRow* row = MatrixRowById(s->function);
        MatrixWork& matrix = ThreadMatrixWork();
        if (row == nullptr ||
            !EncodeMatrixParameter(s->matrix, row->input_limit, parms.AtAsText(1), text, matrix)) {
            return false;
        }
        // Into the thread's symbol, whose rows keep their storage from picture to picture.
        picture::MatrixRows(matrix.symbol, work.symbol);
    } else {
        EncodingWork encoding;
        const fmx::uint32 length =
            EncodeText(FunctionRowById(s->function), parms.AtAsText(1), encoding, work.text);
        if (length == 0) return false;
        if (!render::RenderInto(s->font, std::string_view(work.text, length), work.symbol)) {
            return false;
        }
        readable = readable_line(*s, encoding, work.symbol, work.readable);
    }

    picture::Picture p;
    if (!picture::Draw(*s, work.symbol, readable, settings, p)) {
        return false;
    }
    store_picture(*s, p, settings.format == picture::Format::pdf, result);
    return true;
}

}  // namespace

fmx::errcode Do_Orbx_Image(short, const fmx::ExprEnv&, const fmx::DataVect& parms,
                           fmx::Data& result) noexcept {
    try {
        if (draw(parms, result)) return 0;
    } catch (...) {
    }
    // No picture: the empty text, as the functions give it.
    try {
        fmx::TextUniquePtr empty;
        empty->Assign("", fmx::Text::kEncoding_UTF8);
        fmx::LocaleUniquePtr locale(fmx::Locale::kType_System);
        result.SetAsText(*empty, *locale, fmx::Data::kDTText);
    } catch (...) {
    }
    return 0;
}

}  // namespace orbx
