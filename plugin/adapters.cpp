#include "plugin/adapters.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "plugin/strings.h"

namespace orbx {

namespace {

// The version that "autoupdate" reports, as major, minor and revision: the project's version,
// which the packages and the file's own version carry too.
constexpr int kAutoUpdateVersion[3] = {ORBX_VERSION_MAJOR, ORBX_VERSION_MINOR, ORBX_VERSION_PATCH};

// Stores Windows-1252 bytes as the text result, with the locale of parameter 0 when the
// function was given one (`given`: the parameter vector is not empty).
void store_result(const fmx::DataVect& parms, bool given, fmx::Data& result, const char* bytes,
                  fmx::uint32 length) {
    fmx::TextUniquePtr text;
    if (length == 0) {
        text->Assign("", fmx::Text::kEncoding_ASCII_Windows);
    } else {
        text->AssignWithLength(bytes, length, fmx::Text::kEncoding_ASCII_Windows);
    }
    if (given) {
        result.SetAsText(*text, parms.At(0).GetLocale(), fmx::Data::kDTText);
    } else {
        fmx::LocaleUniquePtr locale(fmx::Locale::kType_System);
        result.SetAsText(*text, *locale, fmx::Data::kDTText);
    }
}

void load_string(fmx::Text& into, unsigned id) {
    fmx::uint16 buffer[256];
    // The host calls adapters without a call record: the strings come from the plug-in's own
    // module, the one the host names in instanceID.
    LoadPluginString(OwnModule(), id, buffer, 256);
    into.AssignUnicode(buffer);
}

// The last units of a text are turned into bytes as one block of this many: a fixed count that
// the compiler packs with a few vector instructions. (Two 64-bit words hold its "|" marks.)
constexpr fmx::uint32 kUnitBlock = 16;
static_assert(kLargestInput >= kUnitBlock && kUnitBlock == 2 * sizeof(std::uint64_t));

// The low 8 bits of each unit of a block, one byte each, and in `bars` a 1 at each place whose
// byte is a "|" (place by place, with no sum over the block, which would not stay in vector
// instructions).
void low_bytes(const fmx::uint16* units, char* bytes, unsigned char* bars) {
    for (fmx::uint32 k = 0; k < kUnitBlock; ++k) {
        const unsigned char byte = static_cast<unsigned char>(units[k] & 0xFF);
        bytes[k] = static_cast<char>(byte);
        bars[k] = byte == '|' ? 1 : 0;
    }
}

// Each of the `size` UTF-16 units becomes one byte, its low 8 bits: one plain loop over whole
// blocks, then the last block, which ends at `size` (overlapping the loop's end), or at the end of
// the first block for a shorter text, whose units past `size` are zeros. Returns whether the
// bytes hold a "|".
bool units_to_bytes(const fmx::uint16* units, fmx::uint32 size, char* bytes) {
    const fmx::uint32 whole = size <= kUnitBlock ? 0 : (size - 1) / kUnitBlock * kUnitBlock;
    const fmx::uint32 last = size <= kUnitBlock ? 0 : size - kUnitBlock;
    unsigned char bar = 0;
    for (fmx::uint32 i = 0; i < whole; ++i) {
        const unsigned char byte = static_cast<unsigned char>(units[i] & 0xFF);
        bytes[i] = static_cast<char>(byte);
        bar |= byte == '|' ? 1 : 0;
    }
    unsigned char bars[kUnitBlock];
    low_bytes(units + last, bytes + last, bars);
    std::uint64_t halves[kUnitBlock / 8];
    std::memcpy(halves, bars, sizeof halves);
    return bar != 0 || (halves[0] | halves[1]) != 0;
}

bool equals_keyword(const fmx::Text& text, const char* keyword) {
    fmx::TextUniquePtr word;
    word->Assign(keyword, fmx::Text::kEncoding_UTF8);
    return text == *word;
}

}  // namespace

fmx::errcode RunEncodingAdapter(const FunctionRow& row, const fmx::DataVect& parms,
                                fmx::Data& result) noexcept {
    // The output buffer is large for DataBar Expanded; keep it off the host thread's stack.
    thread_local char out[kLargestOutput];
    bool given = false;
    fmx::uint32 length = 0;
    try {
        // The first block of units starts as zeros, so a short text converts as one block.
        fmx::uint16 units[kLargestInput];
        std::memset(units, 0, kUnitBlock * sizeof units[0]);
        char data[kLargestInput + 1];
        const fmx::uint32 limit = row.input_limit < kLargestInput ? row.input_limit : kLargestInput;
        const fmx::uint32 out_size =
            row.output_size < kLargestOutput ? row.output_size : kLargestOutput;
        given = parms.Size() > 0;
        if (given && row.encode != nullptr) {
            const fmx::Text& parameter = parms.AtAsText(0);
            const fmx::uint32 size = parameter.GetSize();
            if (size <= limit) {
                fmx::TextUniquePtr text;
                text->SetText(parameter, 0, size);
                text->GetUnicode(units, 0, size);
                // Without a "|" there are no options to split off.
                const bool bar =
                    units_to_bytes(units, size, data) && row.options != OptionRule::none;
                data[size] = '\0';

                OptionFields options;
                if (bar && row.options == OptionRule::single) options = SplitSingleOption(data);
                if (bar && row.options == OptionRule::counted) {
                    options = SplitCountedOptions(data, row.max_options);
                }
                // Every encoder hands over its text with its terminating zero and writes nothing
                // when it fails, so an empty buffer serves as well as a zero-filled one, without
                // clearing up to 20 KB on every call.
                out[0] = '\0';
                if (row.encode(data, options, out, static_cast<long>(out_size)) == 0) {
                    length = static_cast<fmx::uint32>(strnlen(out, out_size));
                }
            }
        }
    } catch (...) {
        length = 0;
    }
    // The result, or the empty text when building or storing it failed (one call site, so that
    // the compiler writes the storing in line).
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            store_result(parms, given, result, out, length);
            break;
        } catch (...) {
            length = 0;
        }
    }
    return 0;
}

fmx::errcode Do_Orbx_Version(short, const fmx::ExprEnv&, const fmx::DataVect& parms,
                             fmx::Data& result) noexcept {
    try {
        fmx::TextUniquePtr answer;
        if (parms.Size() == 0) {
            load_string(*answer, kVersionString);
        } else {
            const fmx::Text& keyword = parms.AtAsText(0);
            if (keyword.GetSize() == 0 || equals_keyword(keyword, "short")) {
                load_string(*answer, kVersionString);
            } else if (equals_keyword(keyword, "long")) {
                fmx::TextUniquePtr space;
                fmx::TextUniquePtr version;
                load_string(*answer, kNameString);
                space->Assign(" ", fmx::Text::kEncoding_UTF8);
                load_string(*version, kVersionString);
                answer->AppendText(*space);
                answer->AppendText(*version);
            } else if (equals_keyword(keyword, "platform")) {
                answer->Assign(PlatformName(), fmx::Text::kEncoding_UTF8);
            } else if (equals_keyword(keyword, "autoupdate")) {
                char number[32];
                std::snprintf(number, sizeof number, "%02d%02d%02d00", kAutoUpdateVersion[0],
                              kAutoUpdateVersion[1], kAutoUpdateVersion[2]);
                answer->Assign(number, fmx::Text::kEncoding_UTF8);
            }
        }
        fmx::LocaleUniquePtr locale(fmx::Locale::kType_System);
        result.SetAsText(*answer, *locale, fmx::Data::kDTText);
    } catch (...) {
    }
    return 0;
}

#define ORBX_ENCODING_ADAPTER(name, id)                                \
    ORBX_DECLARE_ADAPTER(name) {                                       \
        (void)functionId;                                              \
        (void)environment;                                             \
        return RunEncodingAdapter(FunctionRowById(id), parms, result); \
    }

ORBX_ENCODING_ADAPTER(Do_Orbx_FCode128, 2)
ORBX_ENCODING_ADAPTER(Do_Orbx_FCode128HR, 3)
ORBX_ENCODING_ADAPTER(Do_Orbx_FCode128a, 4)
ORBX_ENCODING_ADAPTER(Do_Orbx_FCode128b, 5)
ORBX_ENCODING_ADAPTER(Do_Orbx_FCode128c, 6)
ORBX_ENCODING_ADAPTER(Do_Orbx_I2of5, 7)
ORBX_ENCODING_ADAPTER(Do_Orbx_I2of5Mod10, 8)
ORBX_ENCODING_ADAPTER(Do_Orbx_Codabar, 9)
ORBX_ENCODING_ADAPTER(Do_Orbx_Code39, 10)
ORBX_ENCODING_ADAPTER(Do_Orbx_Code39Mod43, 11)
ORBX_ENCODING_ADAPTER(Do_Orbx_Postnet, 12)
ORBX_ENCODING_ADAPTER(Do_Orbx_EAN8, 13)
ORBX_ENCODING_ADAPTER(Do_Orbx_EAN13, 14)
ORBX_ENCODING_ADAPTER(Do_Orbx_UPCa, 15)
ORBX_ENCODING_ADAPTER(Do_Orbx_MSI, 16)
ORBX_ENCODING_ADAPTER(Do_Orbx_UPCe, 17)
ORBX_ENCODING_ADAPTER(Do_Orbx_Uni_C128, 18)
ORBX_ENCODING_ADAPTER(Do_Orbx_Uni_C128A, 19)
ORBX_ENCODING_ADAPTER(Do_Orbx_Uni_C128B, 20)
ORBX_ENCODING_ADAPTER(Do_Orbx_Uni_C128C, 21)
ORBX_ENCODING_ADAPTER(Do_Orbx_Uni_UCC128, 22)
ORBX_ENCODING_ADAPTER(Do_Orbx_Uni_Postnet, 23)
ORBX_ENCODING_ADAPTER(Do_Orbx_Uni_Planet, 24)
ORBX_ENCODING_ADAPTER(Do_Orbx_Uni_C128HR, 25)
ORBX_ENCODING_ADAPTER(Do_Orbx_Uni_C39, 26)
ORBX_ENCODING_ADAPTER(Do_Orbx_Uni_I2of5, 27)
ORBX_ENCODING_ADAPTER(Do_Orbx_Uni_MSI, 28)
ORBX_ENCODING_ADAPTER(Do_Orbx_Uni_Codabar, 29)
ORBX_ENCODING_ADAPTER(Do_Orbx_Uni_OneCode, 30)
ORBX_ENCODING_ADAPTER(Do_Orbx_DataBar_DataBar, 32)
ORBX_ENCODING_ADAPTER(Do_Orbx_DataBar_DataBarExpanded, 33)
ORBX_ENCODING_ADAPTER(Do_Orbx_DataBar_DataBarLimited, 34)
ORBX_ENCODING_ADAPTER(Do_Orbx_DataBar_DataBarStacked, 35)
ORBX_ENCODING_ADAPTER(Do_Orbx_DataBarStackedOmniDirectional, 36)

// Two names for one behaviour: the Intelligent Mail function runs the adapter of its twin.
ORBX_DECLARE_ADAPTER(Do_Orbx_USPS_IntelligentMail) {
    return Do_Orbx_Uni_OneCode(functionId, environment, parms, result);
}

}  // namespace orbx
