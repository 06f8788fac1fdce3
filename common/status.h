// Status values that encoders return to the adapters: anything but kStatusOk gives the empty text.
#pragma once

namespace orbx {

inline constexpr int kStatusOk = 0;
// Null or empty data (text-font and DataBar encoders), or a result that does not fit the
// caller's buffer.
inline constexpr int kStatusNoData = 1;

}  // namespace orbx
