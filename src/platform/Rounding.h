#pragma once

#include <cmath>
#include <cstdint>

namespace orv {

// Round to nearest, halves to even (the default floating-point rounding mode).
inline double roundHalfEven(double value)
{
    return std::nearbyint(value);
}

// A value held as a fixed-point number with four decimals.
inline double roundToFourDecimals(double value)
{
    return roundHalfEven(value * 10000) / 10000;
}

// Device-context coordinates: cut toward zero, or rounded halves to even,
// into a 32-bit integer.
inline int32_t truncated(double value)
{
    return static_cast<int32_t>(std::trunc(value));
}

inline int32_t rounded(double value)
{
    return static_cast<int32_t>(roundHalfEven(value));
}

} // namespace orv
