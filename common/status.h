// Statuses that encoders return to the adapters: anything but kStatusOk gives the empty text.
#pragma once

namespace orbx {

inline constexpr int kStatusOk = 0;
// Text-font and DataBar encoders: null or empty data. Every encoder: a result that does not fit
// the caller's buffer (refused rather than cut).
inline constexpr int kStatusRefused = 1;
// Universal-font and Intelligent Mail encoders: empty data (and, for some, data without any
// character they can encode), and null data.
inline constexpr int kStatusEmptyData = 1000;
inline constexpr int kStatusNullData = 1100;

}  // namespace orbx
