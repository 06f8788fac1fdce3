// The host library's FM_ calls, as far as plug-ins and the host program need them. Objects
// handed to the plug-in are opaque: fmx::Text* and the like point to the structures of objects.h.
#include <algorithm>
#include <cstring>

#include "common/utf8.h"
#include "src/objects.h"

namespace {

using namespace fmxhost::detail;

template <typename T>
T* make() {
    T* object = new T;
    ++LiveCount();
    return object;
}

template <typename T>
void destroy(void* self) {
    if (self == nullptr) return;
    --LiveCount();
    delete static_cast<T*>(self);
}

// Whether this call is the one the host was told to fail (FailCallAt).
bool failing_now() {
    std::atomic<int>& countdown = FailCountdown();
    for (int n = countdown.load(); n > 0;) {
        if (countdown.compare_exchange_weak(n, n - 1)) return n == 1;
    }
    return false;
}

// Runs `body`, reporting an allocation failure or anything else through the exception holder.
template <typename F>
auto guarded(fmx::_fmxcpt& x, F body) -> decltype(body()) {
    try {
        if (failing_now()) throw std::bad_alloc();
        x.m_code = fmx::_fmxcpt::kNoErr;
        return body();
    } catch (const std::bad_alloc&) {
        x.m_code = fmx::_fmxcpt::kBadAlloc;
    } catch (...) {
        x.m_code = fmx::_fmxcpt::kUnknown;
    }
    return decltype(body())();
}

// Windows-1252 bytes 128 to 159; the five bytes the code page leaves undefined keep their
// C1 control code points, as Windows maps them.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::u16string decode_utf8(const char* s, std::size_t n) {
    std::u16string out;
    std::size_t i = 0;
    while (i < n) {
        const unsigned char b = static_cast<unsigned char>(s[i]);
        int extra = b < 0x80             ? 0
                    : (b & 0xE0) == 0xC0 ? 1
                    : (b & 0xF0) == 0xE0 ? 2
                    : (b & 0xF8) == 0xF0 ? 3
                                         : -1;
        char32_t cp = extra == 0   ? b
                      : extra == 1 ? (b & 0x1F)
                      : extra == 2 ? (b & 0x0F)
                                   : (b & 0x07);
        bool ok = extra >= 0 && i + static_cast<std::size_t>(extra) < n;
        if (ok) {
            for (int k = 1; k <= extra; ++k) {
                const unsigned char c =
                    static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
                if ((c & 0xC0) != 0x80) {
                    ok = false;
                    break;
                }
                cp = (cp << 6) | (c & 0x3F);
            }
        }
        if (!ok || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            out += char16_t{0xFFFD};
            ++i;
            continue;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

// Decodes into `out`, replacing its content; false for an encoding the host does not know,
// with `out` left alone.
bool decode(const char* s, std::size_t n, fmx::int32 encoding, std::u16string& out) {
    switch (encoding) {
        case fmx::Text::kEncoding_Native:
        case fmx::Text::kEncoding_UTF8:
            out = decode_utf8(s, n);
            return true;
        case fmx::Text::kEncoding_ASCII_Windows:
        case fmx::Text::kEncoding_ISO_8859_1: {
            // One unit per byte: sized once, then written in place.
            out.resize(n);
            const bool windows = encoding == fmx::Text::kEncoding_ASCII_Windows;
            for (std::size_t i = 0; i < n; ++i) {
                const unsigned char b = static_cast<unsigned char>(s[i]);
                const bool c1 = b >= 0x80 && b < 0xA0;
                out[i] = windows && c1 ? kCp1252High[b - 0x80] : static_cast<char16_t>(b);
            }
            return true;
        }
        default:
            return false;
    }
}

// Clamps a (position, size) request to the text, the way the host's text calls treat ranges.
std::pair<std::size_t, std::size_t> clamp_range(const std::u16string& s, fmx::uint32 position,
                                                fmx::uint32 size) {
    const std::size_t start = std::min<std::size_t>(position, s.size());
    const std::size_t count = std::min<std::size_t>(size, s.size() - start);
    return {start, count};
}

// An out-of-range position reports an error and hands back an empty value.
const DataImpl& item_at(const void* self, fmx::uint32 position, fmx::_fmxcpt& x) {
    static const DataImpl empty;
    const auto& items = impl<DataVectImpl>(self).items;
    if (position >= items.size()) {
        x.m_code = fmx::_fmxcpt::kUnknown;
        return empty;
    }
    x.m_code = fmx::_fmxcpt::kNoErr;
    return items[position];
}

using Stream = BinaryDataImpl::Stream;

const char* type_of(const fmx::QuadChar& type) {
    return impl<QuadCharImpl>(&type).chars;
}

// The stream at `index`, or null (with an error code for the caller) when there is none.
const Stream* stream_at(const void* self, fmx::int32 index) {
    const auto& streams = impl<BinaryDataImpl>(self).streams;
    if (index < 0 || static_cast<std::size_t>(index) >= streams.size()) return nullptr;
    return &streams[static_cast<std::size_t>(index)];
}

fmx::int32 index_of(const void* self, const char* type) {
    const auto& streams = impl<BinaryDataImpl>(self).streams;
    for (std::size_t i = 0; i < streams.size(); ++i) {
        if (std::memcmp(streams[i].type, type, 4) == 0) return static_cast<fmx::int32>(i);
    }
    return -1;
}

// Adds a stream; a container holds at most one stream of each type. 0, or the host's error 1.
fmx::errcode add_stream(void* self, const char* type, const unsigned char* bytes,
                        std::size_t size) {
    if (index_of(self, type) >= 0) return 1;
    Stream stream;
    std::memcpy(stream.type, type, 4);
    stream.bytes.assign(bytes, bytes + size);
    impl<BinaryDataImpl>(self).streams.push_back(std::move(stream));
    return 0;
}

// The stand-in's own layout of the two streams the host reads itself: 'FNAM' the file name in
// UTF-8, 'SIZE' the width then the height as big-endian 16-bit numbers.
constexpr char kFileName[4] = {'F', 'N', 'A', 'M'};
constexpr char kSize[4] = {'S', 'I', 'Z', 'E'};

std::string encode_utf8(const std::u16string& units) {
    std::string out(orbx::kUtf8BytesPerUnit * units.size(), '\0');
    out.resize(orbx::Utf16ToUtf8(units.data(), units.size(), out.data()));
    return out;
}

}  // namespace

extern "C" {

fmx::QuadChar* FM_QuadChar_Constructor2(char c0, char c1, char c2, char c3,
                                        fmx::_fmxcpt& x) noexcept {
    return guarded(x, [&]() -> fmx::QuadChar* {
        auto* q = make<QuadCharImpl>();
        q->chars[0] = c0;
        q->chars[1] = c1;
        q->chars[2] = c2;
        q->chars[3] = c3;
        return reinterpret_cast<fmx::QuadChar*>(q);
    });
}

void FM_QuadChar_Delete(void* self, fmx::_fmxcpt& x) noexcept {
    x.m_code = fmx::_fmxcpt::kNoErr;
    destroy<QuadCharImpl>(self);
}

fmx::Locale* FM_Locale_Constructor1(fmx::int32 inputType, fmx::_fmxcpt& x) noexcept {
    return guarded(x, [&]() -> fmx::Locale* {
        auto* l = make<LocaleImpl>();
        l->type = inputType;
        return reinterpret_cast<fmx::Locale*>(l);
    });
}

void FM_Locale_Delete(void* self, fmx::_fmxcpt& x) noexcept {
    x.m_code = fmx::_fmxcpt::kNoErr;
    destroy<LocaleImpl>(self);
}

fmx::Text* FM_Text_Constructor1(fmx::_fmxcpt& x) noexcept {
    return guarded(x, [&]() { return reinterpret_cast<fmx::Text*>(make<TextImpl>()); });
}

fmx::uint32 FM_Text_GetSize(const void* self, fmx::_fmxcpt& x) noexcept {
    x.m_code = fmx::_fmxcpt::kNoErr;
    return static_cast<fmx::uint32>(impl<TextImpl>(self).units.size());
}

void FM_Text_SetText(void* self, const fmx::Text& other, fmx::uint32 position, fmx::uint32 size,
                     fmx::_fmxcpt& x) noexcept {
    guarded(x, [&]() {
        const std::u16string& source = impl<TextImpl>(&other).units;
        const auto [start, count] = clamp_range(source, position, size);
        // assign copies in place and copes with a text set from itself.
        impl<TextImpl>(self).units.assign(source, start, count);
    });
}

void FM_Text_AssignWithLength(void* self, const char* s, fmx::uint32 strlength, fmx::int32 encoding,
                              fmx::_fmxcpt& x) noexcept {
    guarded(x, [&]() {
        if (s == nullptr || !decode(s, strlength, encoding, impl<TextImpl>(self).units)) {
            x.m_code = fmx::_fmxcpt::kUnknown;
        }
    });
}

void FM_Text_Assign(void* self, const char* s, fmx::int32 encoding, fmx::_fmxcpt& x) noexcept {
    const fmx::uint32 length = s == nullptr ? 0 : static_cast<fmx::uint32>(std::strlen(s));
    FM_Text_AssignWithLength(self, s == nullptr ? "" : s, length, encoding, x);
}

void FM_Text_AssignUnicode(void* self, const fmx::uint16* s, fmx::_fmxcpt& x) noexcept {
    guarded(x, [&]() {
        std::u16string& units = impl<TextImpl>(self).units;
        units.clear();
        for (const fmx::uint16* p = s; p != nullptr && *p != 0; ++p)
            units += static_cast<char16_t>(*p);
    });
}

void FM_Text_GetUnicode(const void* self, fmx::uint16* s, fmx::uint32 position, fmx::uint32 size,
                        fmx::_fmxcpt& x) noexcept {
    x.m_code = fmx::_fmxcpt::kNoErr;
    const std::u16string& units = impl<TextImpl>(self).units;
    const auto [start, count] = clamp_range(units, position, size);
    for (std::size_t i = 0; i < count; ++i)
        s[i] = units[start + i];
}

fmx::uint32 FM_Text_Find(const void* self, const fmx::Text& other, fmx::uint32 position,
                         fmx::_fmxcpt& x) noexcept {
    x.m_code = fmx::_fmxcpt::kNoErr;
    const std::size_t at = impl<TextImpl>(self).units.find(impl<TextImpl>(&other).units, position);
    return at == std::u16string::npos ? fmx::Text::kSize_Invalid : static_cast<fmx::uint32>(at);
}

void FM_Text_DeleteText(void* self, fmx::uint32 position, fmx::uint32 size,
                        fmx::_fmxcpt& x) noexcept {
    x.m_code = fmx::_fmxcpt::kNoErr;
    std::u16string& units = impl<TextImpl>(self).units;
    const auto [start, count] = clamp_range(units, position, size);
    units.erase(start, count);
}

void FM_Text_AppendText(void* self, const fmx::Text& other, fmx::uint32 position, fmx::uint32 size,
                        fmx::_fmxcpt& x) noexcept {
    guarded(x, [&]() {
        const std::u16string source = impl<TextImpl>(&other).units;
        const auto [start, count] = clamp_range(source, position, size);
        impl<TextImpl>(self).units.append(source, start, count);
    });
}

bool FM_Text_operatorEQ(const void* self, const fmx::Text& that, fmx::_fmxcpt& x) noexcept {
    x.m_code = fmx::_fmxcpt::kNoErr;
    return impl<TextImpl>(self).units == impl<TextImpl>(&that).units;
}

void FM_Text_Delete(void* self, fmx::_fmxcpt& x) noexcept {
    x.m_code = fmx::_fmxcpt::kNoErr;
    destroy<TextImpl>(self);
}

fmx::Data* FM_Data_Constructor1(fmx::_fmxcpt& x) noexcept {
    return guarded(x, [&]() { return reinterpret_cast<fmx::Data*>(make<DataImpl>()); });
}

const fmx::Locale* FM_Data_GetLocale(const void* self, fmx::_fmxcpt& x) noexcept {
    x.m_code = fmx::_fmxcpt::kNoErr;
    return as<const fmx::Locale>(impl<DataImpl>(self).locale);
}

const fmx::Text* FM_Data_GetAsText(const void* self, fmx::_fmxcpt& x) noexcept {
    x.m_code = fmx::_fmxcpt::kNoErr;
    return as<const fmx::Text>(impl<DataImpl>(self).text);
}

fmx::errcode FM_Data_SetAsText(void* self, const fmx::Text& text, const fmx::Locale& sourceLocale,
                               fmx::int32 nativeType, fmx::_fmxcpt& x) noexcept {
    return guarded(x, [&]() -> fmx::errcode {
        DataImpl& data = impl<DataImpl>(self);
        data.text.units = impl<TextImpl>(&text).units;
        data.locale.type = impl<LocaleImpl>(&sourceLocale).type;
        data.type = nativeType;
        data.binary.streams.clear();
        return 0;
    });
}

void FM_Data_Delete(void* self, fmx::_fmxcpt& x) noexcept {
    x.m_code = fmx::_fmxcpt::kNoErr;
    destroy<DataImpl>(self);
}

fmx::DataVect* FM_DataVect_Constructor1(fmx::_fmxcpt& x) noexcept {
    return guarded(x, [&]() { return reinterpret_cast<fmx::DataVect*>(make<DataVectImpl>()); });
}

fmx::uint32 FM_DataVect_Size(const void* self, fmx::_fmxcpt& x) noexcept {
    x.m_code = fmx::_fmxcpt::kNoErr;
    return static_cast<fmx::uint32>(impl<DataVectImpl>(self).items.size());
}

const fmx::Text* FM_DataVect_AtAsText(const void* self, fmx::uint32 position,
                                      fmx::_fmxcpt& x) noexcept {
    return as<const fmx::Text>(item_at(self, position, x).text);
}

const fmx::Data* FM_DataVect_At(const void* self, fmx::uint32 position, fmx::_fmxcpt& x) noexcept {
    return as<const fmx::Data>(item_at(self, position, x));
}

void FM_DataVect_PushBack(void* self, const fmx::Data& data, fmx::_fmxcpt& x) noexcept {
    guarded(x, [&]() { impl<DataVectImpl>(self).items.push_back(impl<DataImpl>(&data)); });
}

void FM_DataVect_Delete(void* self, fmx::_fmxcpt& x) noexcept {
    x.m_code = fmx::_fmxcpt::kNoErr;
    destroy<DataVectImpl>(self);
}

fmx::BinaryData* FM_BinaryData_Constructor1(fmx::_fmxcpt& x) noexcept {
    return guarded(x, [&]() { return reinterpret_cast<fmx::BinaryData*>(make<BinaryDataImpl>()); });
}

fmx::BinaryData* FM_BinaryData_Constructor2(const fmx::BinaryData& sourceData,
                                            fmx::_fmxcpt& x) noexcept {
    return guarded(x, [&]() {
        BinaryDataImpl* copy = make<BinaryDataImpl>();
        copy->streams = impl<BinaryDataImpl>(&sourceData).streams;
        return reinterpret_cast<fmx::BinaryData*>(copy);
    });
}

void FM_BinaryData_Delete(void* self, fmx::_fmxcpt& x) noexcept {
    x.m_code = fmx::_fmxcpt::kNoErr;
    destroy<BinaryDataImpl>(self);
}

fmx::int32 FM_BinaryData_GetCount(const void* self, fmx::_fmxcpt& x) noexcept {
    x.m_code = fmx::_fmxcpt::kNoErr;
    return static_cast<fmx::int32>(impl<BinaryDataImpl>(self).streams.size());
}

fmx::int32 FM_BinaryData_GetIndex(const void* self, const fmx::QuadChar& dataType,
                                  fmx::_fmxcpt& x) noexcept {
    x.m_code = fmx::_fmxcpt::kNoErr;
    return index_of(self, type_of(dataType));
}

fmx::uint32 FM_BinaryData_GetTotalSize(const void* self, fmx::_fmxcpt& x) noexcept {
    x.m_code = fmx::_fmxcpt::kNoErr;
    std::size_t total = 0;
    for (const Stream& stream : impl<BinaryDataImpl>(self).streams)
        total += stream.bytes.size();
    return static_cast<fmx::uint32>(total);
}

void FM_BinaryData_GetType(const void* self, fmx::int32 index, fmx::QuadChar& dataType,
                           fmx::_fmxcpt& x) noexcept {
    x.m_code = fmx::_fmxcpt::kNoErr;
    const Stream* stream = stream_at(self, index);
    if (stream == nullptr) {
        x.m_code = fmx::_fmxcpt::kUnknown;
        return;
    }
    std::memcpy(impl<QuadCharImpl>(&dataType).chars, stream->type, 4);
}

fmx::uint32 FM_BinaryData_GetSize(const void* self, fmx::int32 index, fmx::_fmxcpt& x) noexcept {
    x.m_code = fmx::_fmxcpt::kNoErr;
    const Stream* stream = stream_at(self, index);
    return stream == nullptr ? 0 : static_cast<fmx::uint32>(stream->bytes.size());
}

fmx::errcode FM_BinaryData_GetData(const void* self, fmx::int32 index, fmx::uint32 offset,
                                   fmx::uint32 amount, void* buffer, fmx::_fmxcpt& x) noexcept {
    x.m_code = fmx::_fmxcpt::kNoErr;
    const Stream* stream = stream_at(self, index);
    if (stream == nullptr || buffer == nullptr || offset > stream->bytes.size() ||
        amount > stream->bytes.size() - offset) {
        return 1;
    }
    std::memcpy(buffer, stream->bytes.data() + offset, amount);
    return 0;
}

fmx::errcode FM_BinaryData_Add(void* self, const fmx::QuadChar& dataType, fmx::uint32 amount,
                               void* buffer, fmx::_fmxcpt& x) noexcept {
    return guarded(x, [&]() -> fmx::errcode {
        if (buffer == nullptr && amount > 0) return 1;
        return add_stream(self, type_of(dataType), static_cast<const unsigned char*>(buffer),
                          amount);
    });
}

bool FM_BinaryData_Remove(void* self, const fmx::QuadChar& dataType, fmx::_fmxcpt& x) noexcept {
    x.m_code = fmx::_fmxcpt::kNoErr;
    const fmx::int32 index = index_of(self, type_of(dataType));
    if (index < 0) return false;
    auto& streams = impl<BinaryDataImpl>(self).streams;
    streams.erase(streams.begin() + index);
    return true;
}

void FM_BinaryData_RemoveAll(void* self, fmx::_fmxcpt& x) noexcept {
    x.m_code = fmx::_fmxcpt::kNoErr;
    impl<BinaryDataImpl>(self).streams.clear();
}

fmx::errcode FM_BinaryData_GetFNAMData(const void* self, fmx::Text& filepathlist,
                                       fmx::_fmxcpt& x) noexcept {
    return guarded(x, [&]() -> fmx::errcode {
        const Stream* stream = stream_at(self, index_of(self, kFileName));
        if (stream == nullptr) return 1;
        impl<TextImpl>(&filepathlist).units =
            decode_utf8(reinterpret_cast<const char*>(stream->bytes.data()), stream->bytes.size());
        return 0;
    });
}

fmx::errcode FM_BinaryData_AddFNAMData(void* self, const fmx::Text& filepathlist,
                                       fmx::_fmxcpt& x) noexcept {
    return guarded(x, [&]() -> fmx::errcode {
        const std::string name = encode_utf8(impl<TextImpl>(&filepathlist).units);
        return add_stream(self, kFileName, reinterpret_cast<const unsigned char*>(name.data()),
                          name.size());
    });
}

fmx::errcode FM_BinaryData_GetSIZEData(const void* self, short& width, short& height,
                                       fmx::_fmxcpt& x) noexcept {
    x.m_code = fmx::_fmxcpt::kNoErr;
    const Stream* stream = stream_at(self, index_of(self, kSize));
    if (stream == nullptr || stream->bytes.size() != 4) return 1;
    const auto& b = stream->bytes;
    width = static_cast<short>((b[0] << 8) | b[1]);
    height = static_cast<short>((b[2] << 8) | b[3]);
    return 0;
}

fmx::errcode FM_BinaryData_AddSIZEData(void* self, short width, short height,
                                       fmx::_fmxcpt& x) noexcept {
    return guarded(x, [&]() -> fmx::errcode {
        const auto w = static_cast<unsigned short>(width);
        const auto h = static_cast<unsigned short>(height);
        const unsigned char bytes[4] = {
            static_cast<unsigned char>(w >> 8), static_cast<unsigned char>(w & 0xFF),
            static_cast<unsigned char>(h >> 8), static_cast<unsigned char>(h & 0xFF)};
        return add_stream(self, kSize, bytes, sizeof bytes);
    });
}

const fmx::BinaryData* FM_Data_GetBinaryData(const void* self, fmx::_fmxcpt& x) noexcept {
    x.m_code = fmx::_fmxcpt::kNoErr;
    return as<const fmx::BinaryData>(impl<DataImpl>(self).binary);
}

fmx::errcode FM_Data_SetBinaryData(void* self, const fmx::BinaryData& binaryData,
                                   bool forceBinaryNativeType, fmx::_fmxcpt& x) noexcept {
    return guarded(x, [&]() -> fmx::errcode {
        DataImpl& data = impl<DataImpl>(self);
        const BinaryDataImpl& source = impl<BinaryDataImpl>(&binaryData);
        if (&source != &data.binary) data.binary.streams = source.streams;
        // As text, a container reads as its file name.
        data.text.units.clear();
        const fmx::int32 name = index_of(&data.binary, kFileName);
        if (name >= 0) {
            const auto& bytes = data.binary.streams[static_cast<std::size_t>(name)].bytes;
            data.text.units =
                decode_utf8(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        }
        if (forceBinaryNativeType) data.type = fmx::Data::kDTBinary;
        return 0;
    });
}

const fmx::BinaryData* FM_DataVect_AtAsBinaryData(const void* self, fmx::uint32 position,
                                                  fmx::_fmxcpt& x) noexcept {
    return as<const fmx::BinaryData>(item_at(self, position, x).binary);
}

fmx::errcode FM_ExprEnv_RegisterExternalFunction(const fmx::QuadChar& pluginId, short functionId,
                                                 const fmx::Text& functionName,
                                                 const fmx::Text& functionPrototype, short minArgs,
                                                 short maxArgs, fmx::uint32 compatibleOnFlags,
                                                 fmx::ExtPluginType funcPtr,
                                                 fmx::_fmxcpt& x) noexcept {
    return guarded(x, [&]() -> fmx::errcode {
        RegistrationTable& table = Registrations();
        std::lock_guard lock(table.mutex);
        if (table.fail_countdown > 0 && --table.fail_countdown == 0) return 1;
        const char* id = impl<QuadCharImpl>(&pluginId).chars;
        for (const auto& row : table.rows) {
            if (std::memcmp(row.pluginId, id, 4) == 0 && row.functionId == functionId) return 1;
        }
        fmxhost::Registration row{};
        std::memcpy(row.pluginId, id, 4);
        row.functionId = functionId;
        row.name = impl<TextImpl>(&functionName).units;
        row.prototype = impl<TextImpl>(&functionPrototype).units;
        row.minArgs = minArgs;
        row.maxArgs = maxArgs;
        row.flags = compatibleOnFlags;
        row.callback = funcPtr;
        table.rows.push_back(std::move(row));
        return 0;
    });
}

fmx::errcode FM_ExprEnv_UnRegisterExternalFunction(const fmx::QuadChar& pluginId, short functionId,
                                                   fmx::_fmxcpt& x) noexcept {
    return guarded(x, [&]() -> fmx::errcode {
        RegistrationTable& table = Registrations();
        std::lock_guard lock(table.mutex);
        const char* id = impl<QuadCharImpl>(&pluginId).chars;
        const auto removed = std::erase_if(table.rows, [&](const fmxhost::Registration& row) {
            return std::memcmp(row.pluginId, id, 4) == 0 && row.functionId == functionId;
        });
        return removed == 0 ? 1 : 0;
    });
}

}  // extern "C"
