// Statuses of the text-font linear encoders.
#pragma once

namespace orbx {

// The symbol is in the caller's buffer.
inline constexpr int kLinearOk = 0;
// Null or empty data, or a symbol too long for the caller's buffer: nothing was written.
inline constexpr int kLinearRefused = 1;

}  // namespace orbx
