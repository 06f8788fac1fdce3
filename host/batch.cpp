#include "host/batch.h"

#include <charconv>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "FMWrapper/FMXData.h"
#include "FMWrapper/FMXText.h"
#include "host/host.h"

namespace orbx::host {

namespace {

// Results are written in blocks of a little over this many bytes.
constexpr std::size_t kFlushSize = std::size_t{1} << 16;
// Input is read this many bytes at a time.
constexpr std::size_t kReadSize = std::size_t{1} << 16;

constexpr char16_t kReplacement = 0xFFFD;

// Whole lines of a stream, read in large blocks; a line is valid until the next call.
class LineReader {
  public:
    explicit LineReader(std::FILE* in) : in_(in), buffer_(2 * kReadSize) {}

    // The next line without its '\n'; false at the end. A last line without '\n' counts, as
    // long as it is not empty.
    bool Next(std::string_view& line) {
        for (;;) {
            const char* start = buffer_.data() + begin_;
            if (const void* nl = std::memchr(start, '\n', end_ - begin_)) {
                const auto length = static_cast<std::size_t>(static_cast<const char*>(nl) - start);
                line = std::string_view(start, length);
                begin_ += length + 1;
                return true;
            }
            if (eof_) {
                if (begin_ == end_) return false;
                line = std::string_view(start, end_ - begin_);
                begin_ = end_;
                return true;
            }
            refill();
        }
    }

  private:
    // Moves the partial line to the front and reads after it, growing for a very long line.
    void refill() {
        const std::size_t partial = end_ - begin_;
        std::memmove(buffer_.data(), buffer_.data() + begin_, partial);
        begin_ = 0;
        end_ = partial;
        if (buffer_.size() - end_ < kReadSize) buffer_.resize(2 * buffer_.size());
        const std::size_t got = std::fread(buffer_.data() + end_, 1, buffer_.size() - end_, in_);
        end_ += got;
        if (got == 0) eof_ = true;
    }

    std::FILE* in_;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool eof_ = false;
};

// The output block: results are formatted in place and written when the block is full.
class Output {
  public:
    explicit Output(std::FILE* out) : out_(out), buffer_(2 * kFlushSize) {}

    // Room for `n` more bytes at the end; Commit says how many were used.
    char* Room(std::size_t n) {
        if (buffer_.size() - used_ < n) buffer_.resize(used_ + n);
        return buffer_.data() + used_;
    }
    void Commit(const char* end) { used_ = static_cast<std::size_t>(end - buffer_.data()); }

    // After each line: the block goes out once it holds more than kFlushSize bytes.
    void LineDone() {
        if (used_ > kFlushSize) Flush();
    }
    void Flush() {
        std::fwrite(buffer_.data(), 1, used_, out_);
        used_ = 0;
    }

  private:
    std::FILE* out_;
    std::vector<char> buffer_;
    std::size_t used_ = 0;
};

// Functions by the name the lines use, each looked up once.
class FunctionCache {
  public:
    const fmxhost::Registration* Find(std::string_view name) {
        if (last_ < entries_.size() && entries_[last_].name == name) return &entries_[last_].row;
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            if (entries_[i].name == name) {
                last_ = i;
                return &entries_[i].row;
            }
        }
        auto row = FindFunction(name);
        if (!row) return nullptr;
        last_ = entries_.size();
        entries_.push_back({std::string(name), std::move(*row)});
        return &entries_.back().row;
    }

  private:
    struct Entry {
        std::string name;
        fmxhost::Registration row;
    };
    std::vector<Entry> entries_;
    std::size_t last_ = 0;
};

int hex_value(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Decodes one UTF-8 sequence at in[i] the way the host's text decoder does: an invalid or
// cut-off sequence, a surrogate or a value beyond U+10FFFF gives U+FFFD for its first byte
// alone. Writes one or two units at `out`; returns the bytes taken.
std::size_t decode_utf8(std::string_view in, std::size_t i, char16_t*& out) {
    const auto b = static_cast<unsigned char>(in[i]);
    const int extra = (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : -1;
    bool ok = extra > 0 && i + static_cast<std::size_t>(extra) < in.size();
    char32_t cp = extra == 1 ? (b & 0x1F) : extra == 2 ? (b & 0x0F) : (b & 0x07);
    for (int k = 1; ok && k <= extra; ++k) {
        const auto c = static_cast<unsigned char>(in[i + static_cast<std::size_t>(k)]);
        ok = (c & 0xC0) == 0x80;
        cp = (cp << 6) | (c & 0x3F);
    }
    if (!ok || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        *out++ = kReplacement;
        return 1;
    }
    if (cp >= 0x10000) {
        cp -= 0x10000;
        *out++ = static_cast<char16_t>(0xD800 + (cp >> 10));
        *out++ = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
        *out++ = static_cast<char16_t>(cp);
    }
    return static_cast<std::size_t>(extra) + 1;
}

// The parameter's UTF-16 units, batch escapes decoded, written from `out` (room for in.size()
// units: no byte gives more than one unit, and no sequence of n bytes more than n); returns
// the end, or nullptr for a malformed escape.
char16_t* decode_parameter(std::string_view in, char16_t* out) {
    std::size_t i = 0;
    while (i < in.size()) {
        const char c = in[i];
        if (static_cast<unsigned char>(c) >= 0x80) {
            i += decode_utf8(in, i, out);
            continue;
        }
        ++i;
        if (c != '\\') {
            *out++ = static_cast<char16_t>(c);
            continue;
        }
        if (i >= in.size()) return nullptr;
        switch (in[i++]) {
            case '\\':
                *out++ = u'\\';
                break;
            case 't':
                *out++ = u'\t';
                break;
            case 'n':
                *out++ = u'\n';
                break;
            case 'r':
                *out++ = u'\r';
                break;
            case 'u': {
                if (i + 4 > in.size()) return nullptr;
                unsigned unit = 0;
                for (std::size_t k = 0; k < 4; ++k) {
                    const int v = hex_value(in[i + k]);
                    if (v < 0) return nullptr;
                    unit = unit * 16 + static_cast<unsigned>(v);
                }
                *out++ = static_cast<char16_t>(unit);
                i += 4;
                break;
            }
            default:
                return nullptr;
        }
    }
    return out;
}

// The result as UTF-8 with the characters that would break the line escaped; a lone surrogate
// becomes U+FFFD. `out` has room for 3 bytes a unit.
char* write_escaped(const fmx::uint16* units, std::size_t n, char* out) {
    for (std::size_t i = 0; i < n; ++i) {
        char32_t cp = units[i];
        if (cp < 0x80) {
            const char* escape = cp == '\\'   ? "\\\\"
                                 : cp == '\t' ? "\\t"
                                 : cp == '\n' ? "\\n"
                                 : cp == '\r' ? "\\r"
                                              : nullptr;
            if (escape != nullptr) {
                *out++ = escape[0];
                *out++ = escape[1];
            } else {
                *out++ = static_cast<char>(cp);
            }
            continue;
        }
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < n && units[i + 1] >= 0xDC00 &&
            units[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (units[++i] - 0xDC00);
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = kReplacement;
        }
        if (cp < 0x800) {
            *out++ = static_cast<char>(0xC0 | (cp >> 6));
            *out++ = static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            *out++ = static_cast<char>(0xE0 | (cp >> 12));
            *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            *out++ = static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            *out++ = static_cast<char>(0xF0 | (cp >> 18));
            *out++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            *out++ = static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

// --codes: the units as decimal numbers separated by spaces; `out` has room for 6 bytes a unit.
char* write_codes(const fmx::uint16* units, std::size_t n, char* out) {
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0) *out++ = ' ';
        out = std::to_chars(out, out + 5, units[i]).ptr;
    }
    return out;
}

// Writes a container's content into the folder as LINE-FILENAME.
void save_content(const Container& container, const std::string& folder, std::size_t number) {
    const Container::Stream* content = container.Main();
    if (content == nullptr) return;
    std::string name = Utf16ToUtf8(container.file_name);
    for (char& c : name) {
        if (c == '/' || c == '\\' || c == ':') c = '_';
    }
    const std::string path = folder + "/" + std::to_string(number) + "-" + name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    const bool written =
        file != nullptr &&
        std::fwrite(content->bytes.data(), 1, content->bytes.size(), file) == content->bytes.size();
    if (file != nullptr && std::fclose(file) != 0) throw HostError("cannot write " + path);
    if (!written) throw HostError("cannot write " + path);
}

}  // namespace

void RunBatch(std::FILE* in, std::FILE* out, bool codes, const std::string& folder) {
    LineReader reader(in);
    Output output(out);
    FunctionCache functions;

    // The host's parameter vectors and result data, reused for every line: one without a
    // parameter, one whose text parameter is replaced in place.
    fmx::DataVectUniquePtr noParameter;
    fmx::DataVectUniquePtr oneParameter;
    {
        fmx::TextUniquePtr text;
        fmx::DataUniquePtr data;
        fmx::LocaleUniquePtr locale(fmx::Locale::kType_System);
        data->SetAsText(*text, *locale, fmx::Data::kDTText);
        oneParameter->PushBack(*data);
    }
    // The vector hands out its item only as const; it is this host's own object.
    fmx::Text& parameterText = const_cast<fmx::Text&>(oneParameter->AtAsText(0));
    fmx::DataUniquePtr result;
    fmx::Text& resultText = const_cast<fmx::Text&>(result->GetAsText());

    std::vector<char16_t> units;
    std::vector<fmx::uint16> resultUnits;
    std::string_view line;
    std::size_t number = 0;
    // After a container result the result data is set back to text, as a new result would be.
    bool held_container = false;
    while (reader.Next(line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const std::size_t tab = line.find('\t');
        const std::string_view name = line.substr(0, tab);
        const fmx::DataVect* parms = noParameter.get();
        if (tab != std::string_view::npos) {
            const std::string_view raw = line.substr(tab + 1);
            // One more than needed, so that an empty parameter has a place too.
            if (units.size() <= raw.size()) units.resize(raw.size() + 1);
            const char16_t* end = decode_parameter(raw, units.data());
            if (end == nullptr) {
                throw HostError("line " + std::to_string(number) + ": malformed escape");
            }
            fmxhost::AssignUnits(
                parameterText,
                std::u16string_view(units.data(), static_cast<std::size_t>(end - units.data())));
            parms = oneParameter.get();
        }
        const fmxhost::Registration* function = functions.Find(name);
        if (function == nullptr) {
            throw HostError("line " + std::to_string(number) + ": unknown function " +
                            std::string(name));
        }
        // A function of several parameters takes each further field as one more.
        fmx::DataVectUniquePtr fields;
        if (function->maxArgs > 1 && tab != std::string_view::npos) {
            std::string_view rest = line.substr(tab + 1);
            for (short k = 0; k < function->maxArgs; ++k) {
                const std::size_t next = k + 1 < function->maxArgs ? rest.find('\t') : rest.npos;
                const std::string_view raw = rest.substr(0, next);
                if (units.size() <= raw.size()) units.resize(raw.size() + 1);
                const char16_t* end = decode_parameter(raw, units.data());
                if (end == nullptr) {
                    throw HostError("line " + std::to_string(number) + ": malformed escape");
                }
                fmxhost::PushTextParameter(
                    *fields, std::u16string_view(units.data(),
                                                 static_cast<std::size_t>(end - units.data())));
                if (next == rest.npos) break;
                rest = rest.substr(next + 1);
            }
            parms = fields.get();
        }
        // A function that leaves its result alone gives the empty text, as a new result would.
        if (held_container) {
            fmx::TextUniquePtr empty;
            fmx::LocaleUniquePtr locale(fmx::Locale::kType_System);
            result->SetAsText(*empty, *locale, fmx::Data::kDTText);
            held_container = false;
        }
        fmxhost::AssignUnits(resultText, {});
        function->callback(function->functionId, fmxhost::Environment(), *parms, *result);

        if (function->maxArgs > 1) {
            if (const auto container = ContainerOf(*result)) {
                held_container = true;
                if (!folder.empty()) save_content(*container, folder, number);
                const std::string described = Describe(*container);
                char* p = output.Room(described.size() + 1);
                std::memcpy(p, described.data(), described.size());
                p += described.size();
                *p++ = '\n';
                output.Commit(p);
                output.LineDone();
                continue;
            }
        }
        const fmx::Text& text = result->GetAsText();
        const std::size_t size = text.GetSize();
        if (resultUnits.size() < size) resultUnits.resize(size);
        text.GetUnicode(resultUnits.data(), 0, static_cast<fmx::uint32>(size));
        char* p = output.Room(6 * size + 1);
        p = codes ? write_codes(resultUnits.data(), size, p)
                  : write_escaped(resultUnits.data(), size, p);
        *p++ = '\n';
        output.Commit(p);
        output.LineDone();
    }
    output.Flush();
}

}  // namespace orbx::host
