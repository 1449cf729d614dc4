#pragma once

#include <cmath>

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

} // namespace orv
