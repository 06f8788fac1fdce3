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

}  // namespace orbx::picture
