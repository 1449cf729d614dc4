#pragma once

#include <cmath>
#include <numbers>

namespace orv {

// Arcs are given by directions from the centre of their ellipse (degrees,
// counter-clockwise from three o'clock); painters and curve builders work
// with the parameter of the ellipse's equation. This turns a direction into
// that parameter, in the same turn of the circle as the direction itself.
inline double ellipseParameter(double directionDegrees, double halfWidth, double halfHeight)
{
    const double s = directionDegrees * std::numbers::pi / 180;
    const double t = std::atan2(halfWidth * std::sin(s), halfHeight * std::cos(s)) * 180 / std::numbers::pi;
    return t + 360 * std::round((directionDegrees - t) / 360);
}

} // namespace orv
