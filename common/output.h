// Handing an encoder's result to the caller's buffer.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

#include "common/status.h"
#include "common/utilities.h"

namespace orbx {

// Copies `text` into the caller's zero-filled buffer `out` of `capacity` bytes, keeping at least
// one zero byte after it so the result stays terminated. A result that does not fit is not cut
// (a cut symbol would scan as different data or not at all): nothing is written and false is
// returned.
inline bool CopyResult(char* out, long capacity, std::string_view text) {
    if (out == nullptr || capacity <= 0 || text.size() >= static_cast<std::size_t>(capacity)) {
        return false;
    }
    std::memcpy(out, text.data(), text.size());
    out[text.size()] = '\0';
    return true;
}

// Hands `text` over as CopyResult does and gives the encoder's status for it: kStatusOk when it
// fit, kStatusRefused when it did not and nothing was written.
inline int HandOver(char* out, long capacity, std::string_view text) {
    return CopyResult(out, capacity, text) ? kStatusOk : kStatusRefused;
}

// The same for the text built from `begin` up to `end`.
inline int HandOver(char* out, long capacity, const char* begin, const char* end) {
    return HandOver(out, capacity, std::string_view(begin, static_cast<std::size_t>(end - begin)));
}

// At least `size` bytes to build a result in, from `buffer`, which only ever grows. An encoder
// keeps its buffer per thread (a function-local thread_local), so once a thread has built a
// result this long, building one allocates nothing, and the characters are written straight
// into place rather than appended one by one.
inline char* WorkArea(std::string& buffer, std::size_t size) {
    if (buffer.size() < size) buffer.resize(size);
    return buffer.data();
}

// The frame of the simple linear symbols: null or empty data is refused; otherwise `write(data,
// symbol)` writes the symbol, at most the data's length plus `extra` characters, and returns its
// end. Where the longest symbol of the data fits the caller's buffer with its zero, it is written
// there in place; otherwise into a per-thread work area, and handed over if it fits.
template <typename Write>
int BuildSymbol(const char* data, char* out, long capacity, std::size_t extra, Write write) {
    if (data == nullptr || data[0] == '\0') return kStatusRefused;
    const std::string_view d(data);
    if (out != nullptr && capacity > 0 && d.size() + extra < static_cast<std::size_t>(capacity)) {
        *write(d, out) = '\0';
        return kStatusOk;
    }
    thread_local std::string work;  // one per encoder (each instantiation has its own)
    char* const symbol = WorkArea(work, d.size() + extra);
    return HandOver(out, capacity, symbol, write(d, symbol));
}

// The symbols that are their data's digits between two guard characters, with a check
// character before the closing one, framed as BuildSymbol frames them: every other character
// of the data is dropped, and `check(digits, sum)` gives the check character from the digits
// kept and their digit sum.
template <typename Check>
int BuildFramedDigits(const char* data, char* out, long capacity, char open, char close,
                      Check check) {
    return BuildSymbol(data, out, capacity, 3, [&](std::string_view d, char* p) {
        *p++ = open;
        char* const digits = p;
        int sum = 0;
        for (char c : d) {
            if (!isNumeric(static_cast<unsigned char>(c))) continue;
            *p++ = c;
            sum += c - '0';
        }
        *p = check(std::string_view(digits, static_cast<std::size_t>(p - digits)), sum);
        p[1] = close;
        return p + 2;
    });
}

}  // namespace orbx
