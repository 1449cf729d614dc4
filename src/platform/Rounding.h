#pragma once

#include <algorithm>
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

// A whole number held to the 32-bit range (NaN gives 0), so that absurd
// positions and sizes never overflow a cast.
inline int32_t saturatedInt32(double whole)
{
    if (!(whole == whole))
        return 0;
    return static_cast<int32_t>(std::clamp(whole, double(INT32_MIN), double(INT32_MAX)));
}

// Device-context coordinates: cut toward zero, or rounded halves to even,
// into a 32-bit integer.
inline int32_t truncated(double value)
{
    return saturatedInt32(std::trunc(value));
}

inline int32_t rounded(double value)
{
    return saturatedInt32(roundHalfEven(value));
}

} // namespace orv
