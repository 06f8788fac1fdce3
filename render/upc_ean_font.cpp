// UPC/EAN text font: digits in the three digit sets (with the digit printed under them), the
// long-bar digits of UPC-A, the digits printed outside the bars, the guards and the add-on.
#include <array>
#include <string_view>

#include "render/fonts.h"

namespace orbx::render::detail {

namespace {

// Number set A (odd parity) of ISO/IEC 15420 (EAN/UPC), 7 modules per digit. Set B
// (even parity) is set C reversed, and set C (right half) is set A with every module inverted.
constexpr std::array<std::string_view, 10> kSetA = {
    "0001101", "0011001", "0010011", "0111101", "0100011",
    "0110001", "0101111", "0111011", "0110111", "0001011",
};

// Add-on digits of parity A and B: the characters for 0 to 9.
constexpr std::string_view kAddOnA = "\"#$%&,./:;";
constexpr std::string_view kAddOnB = "z=?@[\\]_{}";

constexpr int kDigitModules = 7;
// Light modules that the add-on start character "+" draws before its pattern; with the 7 of
// the character in front of it (a printed digit or EAN-13's space) the add-on stands 9 modules
// from the main symbol.
constexpr int kAddOnLead = 2;

enum class Set { a, b, c };

std::string DigitModules(int d, Set set) {
    std::string m(kSetA[static_cast<std::size_t>(d)]);
    if (set == Set::a) return m;
    for (char& c : m)
        c = c == '1' ? '0' : '1';
    if (set == Set::b) return std::string(m.rbegin(), m.rend());
    return m;
}

struct Builder {
    Symbol& s;
    Row& row;

    void Modules(std::string_view m, BarReach reach) {
        for (char c : m) {
            row.modules.push_back(c == '1' ? 1 : 0);
            s.reach.push_back(reach);
        }
    }
    void Light(int n) { Modules(std::string(static_cast<std::size_t>(n), '0'), BarReach::normal); }
    void Label(int d, bool above) {
        s.labels.push_back(render::Label{static_cast<double>(row.modules.size()), kDigitModules,
                                         static_cast<char>('0' + d), above});
    }
};

}  // namespace

bool UpcEanText(std::string_view text, Symbol& s, std::string* error) {
    Builder b{s, RowAt(s, 0, 50)};
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const std::size_t add_a = kAddOnA.find(static_cast<char>(c));
        const std::size_t add_b = kAddOnB.find(static_cast<char>(c));
        if (c >= '0' && c <= '9') {
            b.Label(c - '0', false);
            b.Modules(DigitModules(c - '0', Set::a), BarReach::normal);
        } else if (c >= 'A' && c <= 'J') {
            b.Label(c - 'A', false);
            b.Modules(DigitModules(c - 'A', Set::b), BarReach::normal);
        } else if (c >= 'K' && c <= 'T') {
            b.Label(c - 'K', false);
            b.Modules(DigitModules(c - 'K', Set::c), BarReach::normal);
        } else if (c >= 'a' && c <= 'j') {
            b.Modules(DigitModules(c - 'a', Set::a), BarReach::long_);
        } else if (c >= 'k' && c <= 't') {
            b.Modules(DigitModules(c - 'k', Set::c), BarReach::long_);
        } else if ((c >= 'U' && c <= 'Y') || (c >= 'u' && c <= 'y')) {
            // A digit printed outside the bars: no bars, the room of one digit.
            b.Label(c <= 'Y' ? c - 'U' : c - 'u' + 5, false);
            b.Light(kDigitModules);
        } else if (add_a != std::string_view::npos) {
            b.Label(static_cast<int>(add_a), true);
            b.Modules(DigitModules(static_cast<int>(add_a), Set::a), BarReach::add_on);
        } else if (add_b != std::string_view::npos) {
            b.Label(static_cast<int>(add_b), true);
            b.Modules(DigitModules(static_cast<int>(add_b), Set::b), BarReach::add_on);
        } else if (c == '(') {
            b.Modules("101", BarReach::long_);  // normal guard
        } else if (c == '*') {
            b.Modules("01010", BarReach::long_);  // centre guard
        } else if (c == ')') {
            b.Modules("010101", BarReach::long_);  // UPC-E right guard
        } else if (c == '+') {
            b.Light(kAddOnLead);
            b.Modules("1011", BarReach::add_on);  // add-on start
        } else if (c == '!') {
            b.Modules("01", BarReach::add_on);  // add-on delineator
        } else if (c == ' ') {
            b.Light(kDigitModules);
        } else {
            return Fail(error, "UPC/EAN", text, i);
        }
    }
    KeepRows(s, 1);
    return true;
}

}  // namespace orbx::render::detail
