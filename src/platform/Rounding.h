#pragma once

#include <cmath>

namespace orv {

// Round to nearest, halves to even (the default floating-point rounding mode).
inline double roundHalfEven(double value)
{
    return std::nearbyint(value);
}

} // namespace orv
