// Independent oracles for the barcode functions: zint's modules for the same content, and
// zxing-cpp reading back the symbol our result draws.
#pragma once

#include <gtest/gtest.h>
#include <zint.h>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "fonts/typeset.h"
#include "render/render.h"

namespace orbx::oracle {

using Modules = std::vector<std::vector<std::uint8_t>>;

// ---- Our side: the function called through the real plug-in, and the symbol it draws.

struct Ours {
    std::string call;                      // NAME( parameter ), for messages
    std::u16string text;                   // the result as the host shows it
    std::string bytes;                     // the result as font bytes
    std::optional<render::Symbol> symbol;  // what the font draws
    std::string error;                     // why there is no symbol
    // The result set in the font by FreeType, at each of kFontSizes.
    std::vector<fonts::Setting> settings;
};

// NAME( parameter ), the parameter given as bytes (each byte one UTF-16 unit). A result that
// draws a symbol is also set in its Orbelantrix font (SetInFont).
Ours Encode(std::string_view function, std::string_view parameter);

// ---- The fonts, as a user sets the result

// Sizes the result is set at: near the smallest that prints, a larger one, and one whose
// module edges fall inside pixels (grey edges on every element). zxing-cpp 1.4 reads the first
// two; at the third it misses many Code 39 and Codabar symbols whose modules are all right,
// so that size is compared module by module only.
struct FontSize {
    double pixels_per_module;
    bool read;  // also read back by zxing-cpp
};
inline constexpr std::array<FontSize, 3> kFontSizes = {{{2.0, true}, {5.0, true}, {4.3, false}}};

// Sets the result's text as the host shows it (each character found by the font's cmap) in the
// font file that draws `font`, at each of kFontSizes, and compares each setting module by
// module with the renderer's symbol; a difference fails the test, naming the call, the font,
// the size and the first differing module.
void SetInFont(Ours& ours, render::Font font);

// Where a setting first differs from the symbol, or empty when it draws the same modules.
std::string FontDifference(const render::Symbol& symbol, const fonts::Setting& setting);

// ---- zint

struct ZintSymbol {
    bool ok = false;
    std::string error;
    Modules rows;
    std::string text;  // zint's human-readable text
};

// Encodes `data` with zint; `setup` sets options on the symbol before encoding.
ZintSymbol Zint(int symbology, std::string_view data,
                const std::function<void(zint_symbol*)>& setup = {});

// ---- Comparing modules

// The rows of a symbol, cut to the columns between the first and the last dark module of any
// row (a row's light margin is quiet zone, not symbol).
Modules Crop(const Modules& rows);
Modules RowsOf(const render::Symbol& symbol);

// Run lengths of a row, beginning with its first dark module (after Crop).
std::vector<int> Runs(const std::vector<std::uint8_t>& row);

// A narrow/wide row as "n"/"w" letters, one per element: an element wider than the narrowest
// is wide. Lets symbols drawn at different wide-to-narrow ratios be compared.
std::string NarrowWide(const std::vector<std::uint8_t>& row);

// Where two cropped module sets first differ, or empty when they are equal.
std::string Difference(const Modules& ours, const Modules& theirs);

// Postal bars (ascender, descender) of a zint symbol: POSTNET/PLANET have two rows (tall part,
// all bars), Intelligent Mail three (ascenders, trackers, descenders).
std::string PostalBars(const render::Symbol& ours);
std::string PostalBars(const ZintSymbol& zint);

// ---- zxing-cpp

struct ReadBack {
    bool ok = false;
    std::string text;       // the content as zxing-cpp gives it
    std::string symbology;  // "]C1" and the like
    std::string format;
};

// Draws the symbol into an image and reads it with zxing-cpp. `pure` is the hint that the image
// holds one computer-drawn symbol (needed for the stacked DataBar forms).
ReadBack Read(const render::Symbol& symbol, int formats, bool pure = false, bool add_on = false);

// Reads an image of a symbol with zxing-cpp, with the same hints.
ReadBack ReadBitmap(const render::Bitmap& image, int formats, bool pure = false,
                    bool add_on = false);

// The same for our result, and zxing-cpp reads each of its font settings too: one that reads
// otherwise than the symbol fails the test.
ReadBack Read(const Ours& ours, int formats, bool pure = false, bool add_on = false);

// ---- Tallying the comparisons of one function

// An input on which our symbol and the oracle are expected to disagree, and why.
struct Known {
    std::string input;
    std::string reason;
};

class Tally {
  public:
    Tally(std::string function, std::vector<Known> known = {});
    // Records the comparison of one input; `difference` is empty when the symbols agree.
    void Check(const std::string& input, const std::string& difference);
    // Reports the counts and checks that every known disagreement was met and still disagrees.
    void Finish();
    int compared() const { return compared_; }

  private:
    std::string function_;
    std::vector<Known> known_;
    std::vector<bool> seen_;
    int compared_ = 0;
    int failures_ = 0;
};

// Printable form of bytes for messages: \xNN for the others.
std::string Show(std::string_view bytes);

// Random inputs: a fixed seed per test, so every run compares the same inputs.
class Random {
  public:
    explicit Random(unsigned seed) : engine_(seed) {}
    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(engine_); }
    char From(std::string_view alphabet) {
        return alphabet[static_cast<std::size_t>(Int(0, static_cast<int>(alphabet.size()) - 1))];
    }
    std::string String(std::string_view alphabet, int lo, int hi) {
        std::string s;
        const int n = Int(lo, hi);
        for (int i = 0; i < n; ++i)
            s += From(alphabet);
        return s;
    }
    std::string Digits(int n) {
        std::string s;
        for (int i = 0; i < n; ++i)
            s += static_cast<char>('0' + Int(0, 9));
        return s;
    }

  private:
    std::mt19937 engine_;
};

inline constexpr int kRandomInputs = 200;
inline constexpr std::string_view kDigits = "0123456789";

// GS1 Mod 10 check digit of a digit string (weights 3, 1, 3, ... from the right).
char Mod10(std::string_view digits);

}  // namespace orbx::oracle
