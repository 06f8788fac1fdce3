#include "picture/settings.h"

namespace orbx::picture {

namespace {

bool is_space(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && is_space(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && is_space(s.back()))
        s.remove_suffix(1);
    return s;
}

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool same(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != b[i]) return false;
    }
    return true;
}

// A decimal number that is the whole of `s` ("300", "0.33", ".5"); negative when it is not one.
// At most nine digits on each side of the point count: more cannot be a sensible size.
double parse_number(std::string_view s) {
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

// on/off and its other spellings; -1 for anything else.
int parse_switch(std::string_view s) {
    if (same(s, "on") || same(s, "yes") || same(s, "true") || s == "1") return 1;
    if (same(s, "off") || same(s, "no") || same(s, "false") || s == "0") return 0;
    return -1;
}

void apply(Settings& settings, std::string_view name, std::string_view value) {
    if (same(name, "format")) {
        if (same(value, "png")) settings.format = Format::png;
        if (same(value, "pdf")) settings.format = Format::pdf;
    } else if (same(name, "dpi")) {
        const double dpi = parse_number(value);
        // Whole dots per inch only, within the range printers and screens use.
        if (dpi >= kMinDpi && dpi <= kMaxDpi && dpi == static_cast<int>(dpi)) {
            settings.dpi = static_cast<int>(dpi);
        }
    } else if (same(name, "module")) {
        const double mm = ParseLength(value);
        if (mm > 0 && mm <= kMaxModuleMm) settings.module_mm = mm;
    } else if (same(name, "height")) {
        const double mm = ParseLength(value);
        if (mm > 0 && mm <= kMaxHeightMm) settings.height_mm = mm;
    } else if (same(name, "text")) {
        const int on = parse_switch(value);
        if (on >= 0) settings.text = on == 1;
    } else if (same(name, "quiet")) {
        const int on = parse_switch(value);
        if (on >= 0) settings.quiet = on == 1;
    }
}

}  // namespace

double ParseLength(std::string_view text) noexcept {
    std::string_view s = trim(text);
    double per_unit = 1;  // millimetres per unit
    auto unit = [&](std::string_view suffix, double mm) {
        if (s.size() < suffix.size() || !same(s.substr(s.size() - suffix.size()), suffix)) {
            return false;
        }
        s = trim(s.substr(0, s.size() - suffix.size()));
        per_unit = mm;
        return true;
    };
    // "mils" and "mil" are thousandths of an inch.
    unit("mm", 1) || unit("mils", 0.0254) || unit("mil", 0.0254) || unit("in", 25.4);
    const double value = parse_number(s);
    return value < 0 ? -1 : value * per_unit;
}

Settings ParseSettings(std::string_view text) noexcept {
    Settings settings;
    while (!text.empty()) {
        const std::size_t end = text.find(';');
        const std::string_view pair = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        const std::size_t equals = pair.find('=');
        if (equals == std::string_view::npos) continue;
        apply(settings, trim(pair.substr(0, equals)), trim(pair.substr(equals + 1)));
    }
    return settings;
}

}  // namespace orbx::picture
