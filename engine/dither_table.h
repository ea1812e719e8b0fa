#pragma once
// The noise added to 8-bit channels before they are cut down to 16-bit pixels.

inline constexpr int kDitherTableSize = 289;
// A channel's position wraps to 0 when it reaches this, so positions 0-280 are used.
inline constexpr int kDitherWrap = 281;

extern const unsigned char ditherTable[kDitherTableSize];
