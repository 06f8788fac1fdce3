#include "picture/readable.h"

#include <cstring>
#include <string_view>

#include "encoders/code128/code128_sets.h"
#include "encoders/linear/narrow_wide_patterns.h"
#include "encoders/universal/uni_code128_sets.h"

namespace orbx::picture {

namespace {

using render::Font;

enum class Kind { code39, codabar, i2of5, msi, other };

Kind kind_of(const Symbology& s) {
    if (s.font == Font::code39 || s.function == 26) return Kind::code39;
    if (s.font == Font::codabar || s.function == 29) return Kind::codabar;
    if (s.font == Font::i2of5 || s.function == 27) return Kind::i2of5;
    if (s.font == Font::msi || s.function == 28) return Kind::msi;
    return Kind::other;
}

// The elements of the row as narrow and wide: "n" and "w", each wider than the narrowest run
// wide. At most `size` of them; returns the count, 0 when there are more.
std::size_t elements(const std::vector<std::uint8_t>& row, char* out, std::size_t size) {
    std::size_t begin = 0;
    while (begin < row.size() && !row[begin])
        ++begin;
    std::size_t end = row.size();
    while (end > begin && !row[end - 1])
        --end;
    int narrow = 0;
    for (std::size_t i = begin; i < end;) {
        std::size_t j = i;
        while (j < end && row[j] == row[i])
            ++j;
        const int run = static_cast<int>(j - i);
        if (narrow == 0 || run < narrow) narrow = run;
        i = j;
    }
    std::size_t n = 0;
    for (std::size_t i = begin; i < end;) {
        std::size_t j = i;
        while (j < end && row[j] == row[i])
            ++j;
        if (n == size) return 0;
        out[n++] = static_cast<int>(j - i) > narrow ? 'w' : 'n';
        i = j;
    }
    return n;
}

template <std::size_t N>
int find(const std::array<std::string_view, N>& table, std::string_view pattern) {
    for (std::size_t k = 0; k < N; ++k) {
        if (table[k] == pattern) return static_cast<int>(k);
    }
    return -1;
}

// The longest data string of a function's encoder, and the readable-line functions' output
// buffer (Orbx_Code128HR's and Orbx_Uni_C128HR's).
constexpr std::size_t kLongestData = 2048;
constexpr long kReadableRoom = 2048;

constexpr std::string_view kCode39Characters = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";
static_assert(kCode39Characters.size() == kCode39StartStopIndex);

}  // namespace

std::size_t ReadElements(const Symbology& s, const render::Symbol& symbol, char* out,
                         std::size_t size) {
    if (symbol.rows.size() != 1) return 0;
    constexpr std::size_t kMost = 8192;
    char e[kMost];
    const std::size_t n = elements(symbol.rows[0].modules, e, kMost);
    const std::string_view all(e, n);
    std::size_t written = 0;
    auto emit = [&](char c) {
        if (written == size) return false;
        out[written++] = c;
        return true;
    };
    switch (kind_of(s)) {
        case Kind::code39:
            // Characters of 9 elements, each but the last followed by a narrow gap.
            for (std::size_t i = 0; i + 9 <= n; i += 10) {
                const int v = find(kCode39Patterns, all.substr(i, 9));
                if (v < 0) return 0;
                if (v != static_cast<int>(kCode39StartStopIndex) &&
                    !emit(kCode39Characters[static_cast<std::size_t>(v)])) {
                    return 0;
                }
            }
            return written;
        case Kind::codabar:
            for (std::size_t i = 0; i + 7 <= n; i += 8) {
                const int v = find(kCodabarPatterns, all.substr(i, 7));
                if (v < 0 || !emit(kCodabarAlphabet[static_cast<std::size_t>(v)])) return 0;
            }
            return written;
        case Kind::i2of5: {
            // Start "nnnn", digit pairs of ten elements (bars the first digit, spaces the
            // second), stop "wnn".
            if (n < 7 || all.substr(0, 4) != "nnnn" || (n - 7) % 10 != 0) return 0;
            for (std::size_t i = 4; i + 3 < n; i += 10) {
                char bars[5];
                char spaces[5];
                for (std::size_t k = 0; k < 5; ++k) {
                    bars[k] = e[i + 2 * k];
                    spaces[k] = e[i + 2 * k + 1];
                }
                const int first = find(kInterleavedPatterns, std::string_view(bars, 5));
                const int second = find(kInterleavedPatterns, std::string_view(spaces, 5));
                if (first < 0 || second < 0) return 0;
                if (!emit(static_cast<char>('0' + first)) ||
                    !emit(static_cast<char>('0' + second))) {
                    return 0;
                }
            }
            return written;
        }
        case Kind::msi:
            // Start "wn", four bits a digit ("wn" 1, "nw" 0), stop "nwn".
            if (n < 5 || all.substr(0, 2) != "wn" || (n - 5) % 8 != 0) return 0;
            for (std::size_t i = 2; i + 3 < n; i += 8) {
                int digit = 0;
                for (std::size_t bit = 0; bit < 4; ++bit) {
                    const std::string_view pair = all.substr(i + 2 * bit, 2);
                    if (pair != "wn" && pair != "nw") return 0;
                    digit = digit * 2 + (pair == "wn" ? 1 : 0);
                }
                if (digit > 9 || !emit(static_cast<char>('0' + digit))) return 0;
            }
            return written;
        case Kind::other:
            return 0;
    }
    return 0;
}

namespace {

std::size_t readable_bytes(const Symbology& s, const char* given, long tilde,
                           const render::Symbol& symbol, char* out, std::size_t size) {
    char* data = const_cast<char*>(given);
    out[0] = '\0';
    switch (s.readable) {
        case Readable::code128: {
            // The readable-line function leaves "~202" and "~212" to "~217" as typed (it puts
            // identifiers in parentheses after the FNC1 byte itself): with the tilde flag on,
            // they are given to it as the bytes they stand for, so that a GS1-128 symbol prints
            // its identifiers.
            char gs1[kLongestData + 1];
            if (tilde != 0) {
                std::size_t n = 0;
                for (const char* p = data; *p != '\0' && n < kLongestData;) {
                    const bool escape = p[0] == '~' && p[1] == '2' &&
                                        ((p[2] == '0' && p[3] == '2') ||
                                         (p[2] == '1' && p[3] >= '2' && p[3] <= '7'));
                    if (p[0] == '~' && p[1] == '~') {
                        gs1[n++] = *p++;
                        if (n < kLongestData) gs1[n++] = *p++;
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
            return strnlen(out, size);
        }
        case Readable::universal: {
            // GS1-128 puts FNC1 in front of data that does not begin with one.
            char gs1[kLongestData + 2];
            const auto first = static_cast<unsigned char>(data[0]);
            if (s.readable_tilde == 1 && !(first >= 202 && first <= 218) &&
                std::strncmp(data, "~2", 2) != 0) {
                gs1[0] = static_cast<char>(202);
                std::strncpy(gs1 + 1, data, kLongestData);
                gs1[kLongestData + 1] = '\0';
                data = gs1;
            }
            if (Orbelantrix_Universal_C128HR(data, tilde, out, kReadableRoom) != 0) return 0;
            return strnlen(out, size);
        }
        case Readable::set_c: {
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
        case Readable::elements:
            return ReadElements(s, symbol, out, size);
        case Readable::labels:
        case Readable::none:
            return 0;
    }
    return 0;
}

}  // namespace

std::string_view ReadableLine(const Symbology& s, const char* data, long tilde,
                              const render::Symbol& symbol, char* out, std::size_t size) {
    if (size < static_cast<std::size_t>(kReadableRoom)) return {};
    std::string_view line(out, readable_bytes(s, data, tilde, symbol, out, size));
    while (!line.empty() && line.front() == ' ')
        line.remove_prefix(1);
    while (!line.empty() && line.back() == ' ')
        line.remove_suffix(1);
    return line;
}

}  // namespace orbx::picture
