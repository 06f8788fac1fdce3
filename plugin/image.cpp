#include "plugin/image.h"

#include <cstring>
#include <string_view>

#include "encoders/code128/code128_sets.h"
#include "encoders/universal/uni_code128_sets.h"
#include "picture/picture.h"
#include "picture/readable.h"
#include "plugin/adapters.h"
#include "plugin/function_table.h"
#include "render/render.h"

namespace orbx {

namespace {

// The longest symbology name and settings text read; longer ones name nothing and set nothing.
constexpr fmx::uint32 kLongestName = 64;
constexpr fmx::uint32 kLongestSettings = 1024;
// The readable-line functions' output buffer (Orbx_Code128HR's and Orbx_Uni_C128HR's).
constexpr long kReadableRoom = 2048;

struct ImageWork {
    char text[kLargestOutput];      // the function's font text
    char readable[kLargestOutput];  // the readable line
    render::Symbol symbol;
};

ImageWork& image_work() {
    thread_local ImageWork work;
    return work;
}

// A parameter's first units as bytes (their low 8 bits) with a zero; false when it is longer.
bool small_text(const fmx::Text& text, char* bytes, fmx::uint32 room) {
    const fmx::uint32 size = text.GetSize();
    if (size >= room) return false;
    fmx::uint16 units[kLongestSettings];
    text.GetUnicode(units, 0, size);
    for (fmx::uint32 i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(units[i] & 0xFF);
    bytes[size] = '\0';
    return true;
}

// The readable line of the symbol, as the readable-line functions give it for the same data.
std::size_t readable_line(const picture::Symbology& s, const EncodingWork& encoding,
                          const render::Symbol& symbol, char* out) {
    char* data = const_cast<char*>(encoding.data);
    const long tilde =
        s.readable_tilde >= 0 ? s.readable_tilde : LongOption(encoding.options, 0, 1);
    out[0] = '\0';
    switch (s.readable) {
        case picture::Readable::code128: {
            // The readable-line function leaves "~202" and "~212" to "~217" as typed (it puts
            // identifiers in parentheses after the FNC1 byte itself): with the tilde flag on,
            // they are given to it as the bytes they stand for, so that a GS1-128 symbol prints
            // its identifiers.
            char gs1[kLargestInput + 1];
            if (tilde != 0) {
                std::size_t n = 0;
                for (const char* p = data; *p != '\0' && n < kLargestInput;) {
                    const bool escape = p[0] == '~' && p[1] == '2' &&
                                        ((p[2] == '0' && p[3] == '2') ||
                                         (p[2] == '1' && p[3] >= '2' && p[3] <= '7'));
                    if (p[0] == '~' && p[1] == '~') {
                        gs1[n++] = *p++;
                        if (n < kLargestInput) gs1[n++] = *p++;
                    } else if (escape) {
                        gs1[n++] = static_cast<char>(p[2] == '0' ? 202 : 210 + (p[3] - '0'));
                        p += 4;
                    } else {
                        gs1[n++] = *p++;
                    }
                }
                gs1[n] = '\0';
                data = gs1;
            }
            if (Orbelantrix_Code128HumanReadable(data, tilde, out, kReadableRoom) != 0) return 0;
            return strnlen(out, kLargestOutput);
        }
        case picture::Readable::universal: {
            // GS1-128 puts FNC1 in front of data that does not begin with one.
            char gs1[kLargestInput + 2];
            const auto first = static_cast<unsigned char>(data[0]);
            if (s.readable_tilde == 1 && !(first >= 202 && first <= 218) &&
                std::strncmp(data, "~2", 2) != 0) {
                gs1[0] = static_cast<char>(202);
                std::strncpy(gs1 + 1, data, kLargestInput);
                gs1[kLargestInput + 1] = '\0';
                data = gs1;
            }
            if (Orbelantrix_Universal_C128HR(data, tilde, out, kReadableRoom) != 0) return 0;
            return strnlen(out, kLargestOutput);
        }
        case picture::Readable::set_c: {
            std::size_t digits = 0;
            for (const char* p = data; *p != '\0'; ++p)
                digits += *p >= '0' && *p <= '9' ? 1 : 0;
            std::size_t n = 0;
            if (digits % 2 == 1) out[n++] = '0';
            for (const char* p = data; *p != '\0'; ++p) {
                if (*p >= '0' && *p <= '9') out[n++] = *p;
            }
            return n;
        }
        case picture::Readable::elements:
            return picture::ReadElements(s, symbol, out, kLargestOutput);
        case picture::Readable::labels:
        case picture::Readable::none:
            return 0;
    }
    return 0;
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
    if (!small_text(parms.AtAsText(0), name, kLongestName)) return false;
    const picture::Symbology* s = picture::FindSymbology(name);
    if (s == nullptr) return false;
    picture::Settings settings;
    if (parms.Size() >= 3) {
        char text[kLongestSettings];
        if (small_text(parms.AtAsText(2), text, kLongestSettings)) {
            settings = picture::ParseSettings(text);
        }
    }

    ImageWork& work = image_work();
    EncodingWork encoding;
    const fmx::uint32 length =
        EncodeText(FunctionRowById(s->function), parms.AtAsText(1), encoding, work.text);
    if (length == 0) return false;
    // Into the thread's symbol, whose rows keep their storage from picture to picture.
    if (!render::RenderInto(s->font, std::string_view(work.text, length), work.symbol)) {
        return false;
    }
    // The line without the spaces an identifier's parentheses bring at its ends.
    std::string_view readable(work.readable,
                              readable_line(*s, encoding, work.symbol, work.readable));
    while (!readable.empty() && readable.front() == ' ')
        readable.remove_prefix(1);
    while (!readable.empty() && readable.back() == ' ')
        readable.remove_suffix(1);

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
