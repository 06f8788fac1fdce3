// FileMaker plug-in SDK, as far as this project uses it: the host's fixed-point numbers. The
// project reads and writes text only, so nothing of them is declared beyond the class's name.
#pragma once

#include "FMWrapper/FMXTypes.h"

namespace fmx {

class FixPt;

}  // namespace fmx
