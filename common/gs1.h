// GS1 facts that several symbologies' readable lines share.
#pragma once

#include <cstddef>

namespace orbx {

// Length of a GS1 application identifier, judged by its first two digits: four for the families
// 31 to 34 and 80 to 81 (and for the unassigned ranges and anything that is not two digits), three
// for 23 to 25 and 40 to 49, two for 00 to 30 and 90 to 99.
constexpr std::size_t Gs1AiLength(int first_two) {
    if (first_two == 80 || first_two == 81 || (first_two >= 31 && first_two <= 34)) return 4;
    if ((first_two >= 40 && first_two <= 49) || (first_two >= 23 && first_two <= 25)) return 3;
    if ((first_two >= 0 && first_two <= 30) || (first_two >= 90 && first_two <= 99)) return 2;
    return 4;
}

}  // namespace orbx
