// The host's plug-in SDK headers. They are not self-contained: each relies on the ones before it,
// so every source of the plug-in includes them through this header, in the SDK's own order.
#pragma once

// clang-format off
#include "FMWrapper/FMXExtern.h"
#include "FMWrapper/FMXTypes.h"
#include "FMWrapper/FMXText.h"
#include "FMWrapper/FMXFixPt.h"
#include "FMWrapper/FMXData.h"
#include "FMWrapper/FMXCalcEngine.h"
#include "FMWrapper/FMXBinaryData.h"
// clang-format on
