// The settings of a picture, read from the text a user writes: "name=value; name=value". Every
// setting has a default; an unknown name, an unreadable value or a value out of its range leaves
// the default. Parsed into one plain struct before anything is drawn.
#pragma once

#include <string_view>

namespace orbx::picture {

enum class Format : unsigned char { png, pdf };

// Sizes are capped so that no setting can make a picture larger than this many pixels a side.
inline constexpr int kMaxSide = 10000;
inline constexpr int kDefaultDpi = 300;
inline constexpr int kMinDpi = 72;
inline constexpr int kMaxDpi = 2400;
// The longest length a module or a bar height may be given as, in millimetres.
inline constexpr double kMaxModuleMm = 25.4;
inline constexpr double kMaxHeightMm = 1000;

struct Settings {
    Format format = Format::png;
    int dpi = kDefaultDpi;
    // The narrow bar's width; 0: the symbology's usual X dimension.
    double module_mm = 0;
    // The bars' height; 0: the symbology's standard height (for DataBar and the postal codes
    // always, which fix their heights).
    double height_mm = 0;
    bool text = true;   // the human-readable line
    bool quiet = true;  // the standard's quiet zones
};

// Reads "format=pdf; dpi=600; module=0.33mm; height=15mm; text=off; quiet=on". Names and
// keywords in any case; spaces around names, values and separators are ignored; lengths in
// millimetres ("0.33mm", or a bare number), mils ("13mil") or inches ("0.5in").
Settings ParseSettings(std::string_view text) noexcept;

// A length such as "0.33mm", "13mil" or "0.5in" in millimetres, or a negative value when it is
// no length.
double ParseLength(std::string_view text) noexcept;

// The pieces of the settings syntax, for the settings the symbols read from the same text
// (picture/matrix.h).

// `text` without the white space at its ends.
std::string_view TrimSpace(std::string_view text) noexcept;

// Whether `text` is `word` (written in lower case) in any letter case.
bool SameWord(std::string_view text, std::string_view word) noexcept;

// A decimal number that is the whole of `text` ("300", "0.33", ".5"), at most nine digits on
// each side of the point; negative when it is none.
double ParseDecimal(std::string_view text) noexcept;

// on/off and its other spellings (yes/no, true/false, 1/0): 1 or 0, and -1 for anything else.
int ParseSwitch(std::string_view text) noexcept;

// Calls `use(name, value)` for every "name=value" pair of `text`, in order, both trimmed; a
// pair without "=" is skipped.
template <typename Use>
void ForEachSetting(std::string_view text, Use&& use) {
    while (!text.empty()) {
        const std::size_t end = text.find(';');
        const std::string_view pair = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        const std::size_t equals = pair.find('=');
        if (equals == std::string_view::npos) continue;
        use(TrimSpace(pair.substr(0, equals)), TrimSpace(pair.substr(equals + 1)));
    }
}

}  // namespace orbx::picture
