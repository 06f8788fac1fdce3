// The Orbelantrix font files: which character meanings each holds and its module size.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "render/render.h"

namespace orbx::fonts {

struct Family {
    std::string_view file;  // file name without ".ttf"
    std::string_view name;  // family name
    // The renderer's character meanings that the font draws; a character with meanings in
    // more than one of them draws the same in each.
    std::vector<render::Font> meanings;
    // Font units per module (X), on an em of kUnitsPerEm; even, so that the Universal font's
    // half modules are whole units too, and a multiple of 8 where postal bars are drawn (their
    // parts are 1.125 and 2.125 X).
    int units_per_module;
};

inline constexpr int kUnitsPerEm = 1000;

std::span<const Family> Families();

// The font file that draws the renderer's meaning `font`.
const Family& FamilyOf(render::Font font);

}  // namespace orbx::fonts
