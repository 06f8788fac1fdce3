#include "picture/settings.h"

namespace orbx::picture {

namespace {

bool is_space(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

std::string_view TrimSpace(std::string_view s) noexcept {
    while (!s.empty() && is_space(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && is_space(s.back()))
        s.remove_suffix(1);
    return s;
}

bool SameWord(std::string_view a, std::string_view b) noexcept {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != b[i]) return false;
    }
    return true;
}

double ParseDecimal(std::string_view s) noexcept {
    double whole = 0;
    int digits = 0;
    std::size_t i = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i, ++digits) {
        if (digits >= 9) return -1;
        whole = whole * 10 + (s[i] - '0');
    }
    double fraction = 0;
    double scale = 1;
    int decimals = 0;
    if (i < s.size() && s[i] == '.') {
        for (++i; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i, ++decimals) {
            if (decimals >= 9) return -1;
            fraction = fraction * 10 + (s[i] - '0');
            scale *= 10;
        }
    }
    if (i != s.size() || digits + decimals == 0) return -1;
    return whole + fraction / scale;
}

int ParseSwitch(std::string_view s) noexcept {
    if (SameWord(s, "on") || SameWord(s, "yes") || SameWord(s, "true") || s == "1") return 1;
    if (SameWord(s, "off") || SameWord(s, "no") || SameWord(s, "false") || s == "0") return 0;
    return -1;
}

namespace {

void apply(Settings& settings, std::string_view name, std::string_view value) {
    if (SameWord(name, "format")) {
        if (SameWord(value, "png")) settings.format = Format::png;
        if (SameWord(value, "pdf")) settings.format = Format::pdf;
    } else if (SameWord(name, "dpi")) {
        const double dpi = ParseDecimal(value);
        // Whole dots per inch only, within the range printers and screens use.
        if (dpi >= kMinDpi && dpi <= kMaxDpi && dpi == static_cast<int>(dpi)) {
            settings.dpi = static_cast<int>(dpi);
        }
    } else if (SameWord(name, "module")) {
        const double mm = ParseLength(value);
        if (mm > 0 && mm <= kMaxModuleMm) settings.module_mm = mm;
    } else if (SameWord(name, "height")) {
        const double mm = ParseLength(value);
        if (mm > 0 && mm <= kMaxHeightMm) settings.height_mm = mm;
    } else if (SameWord(name, "text")) {
        const int on = ParseSwitch(value);
        if (on >= 0) settings.text = on == 1;
    } else if (SameWord(name, "quiet")) {
        const int on = ParseSwitch(value);
        if (on >= 0) settings.quiet = on == 1;
    }
}

}  // namespace

double ParseLength(std::string_view text) noexcept {
    std::string_view s = TrimSpace(text);
    double per_unit = 1;  // millimetres per unit
    auto unit = [&](std::string_view suffix, double mm) {
        if (s.size() < suffix.size() || !SameWord(s.substr(s.size() - suffix.size()), suffix)) {
            return false;
        }
        s = TrimSpace(s.substr(0, s.size() - suffix.size()));
        per_unit = mm;
        return true;
    };
    // "mils" and "mil" are thousandths of an inch.
    unit("mm", 1) || unit("mils", 0.0254) || unit("mil", 0.0254) || unit("in", 25.4);
    const double value = ParseDecimal(s);
    return value < 0 ? -1 : value * per_unit;
}

Settings ParseSettings(std::string_view text) noexcept {
    Settings settings;
    ForEachSetting(text, [&settings](std::string_view name, std::string_view value) {
        apply(settings, name, value);
    });
    return settings;
}

}  // namespace orbx::picture
