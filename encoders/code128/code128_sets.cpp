#include "encoders/code128/code128_sets.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "common/gs1.h"
#include "common/output.h"
#include "common/status.h"
#include "common/utilities.h"
#include "encoders/code128/code128.h"
#include "encoders/code128/tilde_escapes.h"

namespace orbx {

namespace {

// The AI-length markers 212 to 217 stand for an FNC1 followed by an application identifier of
// 2 to 7 characters.
constexpr int kFirstAiMarker = 212;
constexpr int kLastAiMarker = 217;
constexpr std::size_t kAiMarkerBase = 210;

bool is_digit(char c) {
    return isNumeric(static_cast<unsigned char>(c));
}

bool digit_at(std::string_view s, std::size_t i) {
    return i < s.size() && is_digit(s[i]);
}

int digit_value(std::string_view s, std::size_t i) {
    return s[i] - '0';
}

// Start character, the characters up to `end`, check character and stop, handed to the caller;
// the symbol has room for the two after `end`.
int finish(unsigned char start, char* symbol, char* end, char* out, long capacity) {
    const unsigned char check = Code128CheckChar(
        start, std::string_view(symbol + 1, static_cast<std::size_t>(end - symbol - 1)));
    *end++ = static_cast<char>(check);
    *end++ = static_cast<char>(kCode128Stop);
    return HandOver(out, capacity, symbol, end);
}

// Sets A and B take the data bytes as font characters unchanged; only the space becomes 194,
// the font's character for value 0. The check character reads every written character back
// as the value the font draws for it.
int fixed_set(char* data, unsigned char start, char* out, long capacity) {
    if (data == nullptr || data[0] == '\0') return kStatusRefused;
    const std::string_view d(data);
    // Per thread, kept from call to call: no allocation once it has held a symbol this long.
    thread_local std::string work;
    char* const symbol = WorkArea(work, d.size() + 3);
    char* p = symbol;
    *p++ = static_cast<char>(start);
    for (char c : d)
        *p++ = c == ' ' ? static_cast<char>(Code128FontChar(0)) : c;
    return finish(start, symbol, p, out, capacity);
}

}  // namespace

int Orbelantrix_Code128a(char* data, char* out, long capacity) {
    return fixed_set(data, kCode128StartA, out, capacity);
}

int Orbelantrix_Code128b(char* data, char* out, long capacity) {
    return fixed_set(data, kCode128StartB, out, capacity);
}

int Orbelantrix_Code128c(char* data, char* out, long capacity) {
    if (data == nullptr || data[0] == '\0') return kStatusRefused;
    const std::string_view d(data);
    const auto count = static_cast<std::size_t>(std::count_if(d.begin(), d.end(), is_digit));
    thread_local std::string work;
    char* const symbol = WorkArea(work, count / 2 + 4);
    char* p = symbol;
    *p++ = static_cast<char>(kCode128StartC);
    // An odd count is made even with a leading zero, so the first pair is "0" and the first
    // digit.
    int pending = count % 2 == 1 ? 0 : -1;
    for (char c : d) {
        if (!is_digit(c)) continue;
        const int digit = c - '0';
        if (pending < 0) {
            pending = digit;
        } else {
            *p++ = static_cast<char>(Code128FontChar(pending * 10 + digit));
            pending = -1;
        }
    }
    return finish(kCode128StartC, symbol, p, out, capacity);
}

int Orbelantrix_Code128HumanReadable(char* data, long tilde, char* out, long capacity) {
    if (data == nullptr || data[0] == '\0') return kStatusRefused;
    const std::string_view d(data);
    const std::size_t len = d.size();
    // An identifier of k characters with its marker (k + 1 bytes) prints as k + 4: at most twice
    // the data. Per thread, kept from call to call.
    thread_local std::string text;
    text.clear();
    text.reserve(2 * len);

    std::size_t p = 0;
    while (p < len) {
        const int b = code_at(data, p);
        if (tilde != 0 && b == '~') {
            // An escape shows what it stands for; the digits and tildes it takes are not read
            // again as text.
            TildeHistory history;
            const TildeRead read = ReadTilde<kTextLineTildes>(d, p, history);
            if (read.code >= 0) text += static_cast<char>(read.code);
            p += read.length;
            continue;
        }
        if (b >= kFirstAiMarker && b <= kLastAiMarker) {
            const std::size_t k = static_cast<std::size_t>(b) - kAiMarkerBase;
            if (p + k < len) {
                text += " (";
                text += d.substr(p + 1, k);
                text += ") ";
                p += k + 1;
                continue;
            }
        }
        if (b == kCode128Fnc1 && p + 4 <= len && digit_at(d, p + 1) && digit_at(d, p + 2)) {
            // An identifier that runs past the end of the data prints what there is of it.
            const std::size_t k = std::min(
                Gs1AiLength(digit_value(d, p + 1) * 10 + digit_value(d, p + 2)), len - p - 1);
            text += " (";
            text += d.substr(p + 1, k);
            text += ") ";
            p += k + 1;
            continue;
        }
        if (b >= 1 && b <= 31) {
            text += ' ';
        } else if (b >= 32 && b <= 126) {
            text += static_cast<char>(b);
        }
        // Bytes from 127 up (FNC2, a lone FNC1 and the rest) have nothing to print.
        ++p;
    }
    return HandOver(out, capacity, text);
}

}  // namespace orbx
