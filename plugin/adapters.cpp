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

bool ShortParameterText(const fmx::Text& text, char* bytes, fmx::uint32 room) {
    const fmx::uint32 size = text.GetSize();
    if (size >= room || size >= kLongestSettings) return false;
    fmx::uint16 units[kLongestSettings];
    text.GetUnicode(units, 0, size);
    for (fmx::uint32 i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(units[i] & 0xFF);
    bytes[size] = '\0';
    return true;
}

void StoreTextResult(const fmx::DataVect& parms, bool given, fmx::Data& result, const char* bytes,
                     fmx::uint32 length) {
    store_result(parms, given, result, bytes, length);
}

fmx::uint32 EncodeText(const FunctionRow& row, const fmx::Text& parameter, EncodingWork& work,
                       char* out) {
    fmx::uint16* units = work.units;
    char* data = work.data;
    // The first block of units starts as zeros, so a short text converts as one block.
    std::memset(units, 0, kUnitBlock * sizeof units[0]);
    work.options = OptionFields{};
    const fmx::uint32 limit = row.input_limit < kLargestInput ? row.input_limit : kLargestInput;
    const fmx::uint32 out_size =
        row.output_size < kLargestOutput ? row.output_size : kLargestOutput;
    data[0] = '\0';
    out[0] = '\0';
    if (row.encode == nullptr) return 0;
    const fmx::uint32 size = parameter.GetSize();
    if (size > limit) return 0;
    fmx::TextUniquePtr text;
    text->SetText(parameter, 0, size);
    text->GetUnicode(units, 0, size);
    // Without a "|" there are no options to split off.
    const bool bar = units_to_bytes(units, size, data) && row.options != OptionRule::none;
    data[size] = '\0';

    OptionFields& options = work.options;
    if (bar && row.options == OptionRule::single) options = SplitSingleOption(data);
    if (bar && row.options == OptionRule::counted) {
        options = SplitCountedOptions(data, row.max_options);
    }
    // Every encoder hands over its text with its terminating zero and writes nothing when it
    // fails, so an empty buffer serves as well as a zero-filled one, without clearing up to
    // 20 KB on every call.
    if (row.encode(data, options, out, static_cast<long>(out_size)) != 0) return 0;
    return static_cast<fmx::uint32>(strnlen(out, out_size));
}

fmx::errcode RunEncodingAdapter(const FunctionRow& row, const fmx::DataVect& parms,
                                fmx::Data& result) noexcept {
    // The output buffer is large for DataBar Expanded; keep it off the host thread's stack.
    thread_local char out[kLargestOutput];
    bool given = false;
    fmx::uint32 length = 0;
    try {
        EncodingWork work;
        given = parms.Size() > 0;
        if (given && row.encode != nullptr) {
            length = EncodeText(row, parms.AtAsText(0), work, out);
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
        // Where the platform's edition answers one number, it does so for every parameter but
        // "platform" and "autoupdate", and stores it as a number.
        const char* const number = PlatformVersionNumber();
        bool as_number = false;
        if (parms.Size() == 0) {
            as_number = number != nullptr;
            if (as_number) {
                answer->Assign(number, fmx::Text::kEncoding_UTF8);
            } else {
                load_string(*answer, kVersionString);
            }
        } else {
            const fmx::Text& keyword = parms.AtAsText(0);
            if (equals_keyword(keyword, "platform")) {
                answer->Assign(PlatformName(), fmx::Text::kEncoding_UTF8);
            } else if (equals_keyword(keyword, "autoupdate")) {
                char text[32];
                std::snprintf(text, sizeof text, "%02d%02d%02d00", kAutoUpdateVersion[0],
                              kAutoUpdateVersion[1], kAutoUpdateVersion[2]);
                answer->Assign(text, fmx::Text::kEncoding_UTF8);
            } else if (number != nullptr) {
                as_number = true;
                answer->Assign(number, fmx::Text::kEncoding_UTF8);
            } else if (keyword.GetSize() == 0 || equals_keyword(keyword, "short")) {
                load_string(*answer, kVersionString);
            } else if (equals_keyword(keyword, "long")) {
                fmx::TextUniquePtr space;
                fmx::TextUniquePtr version;
                load_string(*answer, kNameString);
                space->Assign(" ", fmx::Text::kEncoding_UTF8);
                load_string(*version, kVersionString);
                answer->AppendText(*space);
                answer->AppendText(*version);
            }
        }
        fmx::LocaleUniquePtr locale(fmx::Locale::kType_System);
        result.SetAsText(*answer, *locale, as_number ? fmx::Data::kDTNumber : fmx::Data::kDTText);
    } catch (...) {
    }
    return 0;
}

// The adapters of the functions that encode run the common algorithm with their own row; the
// adapter of a second name for a function runs the adapter of the function before it.
#define ORBX_ADAPTER_encodes(id, name)                                 \
    ORBX_DECLARE_ADAPTER(name) {                                       \
        (void)functionId;                                              \
        (void)environment;                                             \
        return RunEncodingAdapter(FunctionRowById(id), parms, result); \
    }
#define ORBX_ADAPTER_forwards(id, name)                                                 \
    ORBX_DECLARE_ADAPTER(name) {                                                        \
        return FunctionRowById(id - 1).adapter(functionId, environment, parms, result); \
    }
#define ORBX_ADAPTER_keyword(id, name)
#define ORBX_ADAPTER_ROW(id, name, prototype, limit, out, options, most, kind, ...) \
    ORBX_ADAPTER_##kind(id, name)
ORBX_FUNCTION_ROWS(ORBX_ADAPTER_ROW)
#undef ORBX_ADAPTER_ROW

}  // namespace orbx
