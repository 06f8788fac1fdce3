// What each function's result may hold: the characters of its font, and its fixed texts. Used
// by the fuzz targets and the bad-input tests to check results they cannot predict exactly.
#pragma once

#include <string>
#include <string_view>

namespace orbx::test {

// The bytes an encoder wrote, recovered from the host's Windows-1252 text; false when a unit is
// no Windows-1252 character.
inline bool BytesOfResult(std::u16string_view text, std::string& bytes) {
    static constexpr char16_t kHigh[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    bytes.clear();
    for (char16_t u : text) {
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            bytes += static_cast<char>(u);
            continue;
        }
        int found = -1;
        for (int i = 0; i < 32; ++i) {
            if (kHigh[i] == u) found = i;
        }
        if (found < 0) return false;
        bytes += static_cast<char>(0x80 + found);
    }
    return true;
}

namespace detail {

inline bool all_in(std::string_view s, std::string_view set) {
    return s.find_first_not_of(set) == std::string_view::npos;
}

inline std::string range(int from, int to) {
    std::string s;
    for (int c = from; c <= to; ++c)
        s += static_cast<char>(c);
    return s;
}

// Start, middle and stop of a wrapped symbol: the first byte in `starts`, the last in `stops`.
inline bool wrapped(std::string_view s, std::string_view starts, std::string_view middle,
                    std::string_view stops) {
    return s.size() >= 2 && starts.find(s.front()) != std::string_view::npos &&
           stops.find(s.back()) != std::string_view::npos &&
           all_in(s.substr(1, s.size() - 2), middle);
}

}  // namespace detail

// Whether `bytes`, the result of function `id` (2 to 36, 38 to 40), could be what its font
// draws. The
// empty text is always allowed: it is the answer to data an encoder cannot use.
inline bool InFontAlphabet(short id, std::string_view s) {
    using detail::all_in;
    using detail::range;
    using detail::wrapped;
    if (s.empty()) return true;
    const std::string text_font_128 = range(33, 127) + range(194, 206);
    const std::string upc_ean =
        range('0', '9') + range('A', 'Y') + range('a', 'z') + "()*+! \"#$%&,./:;=?@[\\]_{}";
    const std::string universal = range('A', 'P');
    const std::string narrow_wide = range('A', 'P') + "WXYZ";
    switch (id) {
        case 2:  // Code 128, automatic
        case 6:  // set C
            return wrapped(s, "\xCB\xCC\xCD", text_font_128, "\xCE");
        case 3:  // human-readable line: printable text, and identifiers as they stand
            return s.find('\0') == std::string_view::npos;
        case 4:
        case 5:  // sets A and B carry the data bytes as they stand
            return s.size() >= 3 && (s.front() == '\xCB' || s.front() == '\xCC') &&
                   s.back() == '\xCE';
        case 7:
        case 8:
            return wrapped(s, "\xCB", range(33, 126) + range(197, 202), "\xCC");
        case 9:
            return wrapped(s, "A", "0123456789$+-/.:", "B");
        case 10:  // Code 39 passes what it cannot encode through, but never a space
            return wrapped(s, "*", range(1, 31) + range(33, 96) + range(123, 255), "*");
        case 11:
            return wrapped(s, "*", "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-.=$/+%", "*");
        case 12:
        case 16:
            return wrapped(s, "(", "0123456789", ")");
        case 13:
        case 14:
        case 15:
        case 17:
            return all_in(s, upc_ean);
        case 18:
        case 19:
        case 20:
        case 21:
        case 22:
            return all_in(s, universal) && s.size() >= 10 && s.substr(s.size() - 4) == "GIAH";
        case 23:
        case 24:
            return all_in(s, "jklmno") && s.front() == 'n' && s.back() == 'n';
        case 25:  // the Universal human-readable line passes other bytes through
            return s.find('\0') == std::string_view::npos;
        case 26:
        case 27:
        case 28:
        case 29:
            return all_in(s, narrow_wide);
        case 30:
        case 31:
            return s == "Incorrct data" || (s.size() == 65 && all_in(s, "pqrs"));
        case 32:
        case 34:
            return s.size() == 46 && all_in(s, "abcdefghi123456789");
        case 35:
            return s.size() == 50 && all_in(s, "ajklmnoT");
        case 36:
            return s.size() == 101 && s[50] == '\r' && all_in(s.substr(0, 50), "aw") &&
                   all_in(s.substr(51), "apqrstuvwxyz");
        case 33:
            return all_in(s, "awpqrstuvwxyz\r");
        case 38:
        case 39:
        case 40: {  // the 2D font: lines of blocks "0" to "o", all as long, between returns
            const std::size_t width =
                s.find('\r') == std::string_view::npos ? s.size() : s.find('\r');
            if (width == 0 || !all_in(s, range('0', 'o') + "\r")) return false;
            for (std::size_t at = 0; at <= s.size(); at += width + 1) {
                if (at + width > s.size() || (at + width < s.size() && s[at + width] != '\r'))
                    return false;
            }
            return true;
        }
        default:
            return false;
    }
}

}  // namespace orbx::test
