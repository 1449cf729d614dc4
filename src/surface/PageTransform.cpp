#include "surface/PageTransform.h"

#include "document/ReportObject.h"

#include <algorithm>
#include <cmath>

namespace orv {

namespace {

// stored x ppi x scale / 10000: the integer product first, so that a size
// that maps to a whole number of pixels is never cut one pixel short.
double mapped(double storedPlusOffset, const PageTransform& t)
{
    return storedPlusOffset * t.devicePpi * t.scale / 10000.0;
}

// Device coordinates stay below 2^30 either way, so that a box's right edge
// (left + width - 1) and the extent between two of them (right - left + 1)
// still fit an int on every surface.
int32_t onSurface(int32_t pixels)
{
    constexpr int32_t kLimit = (1 << 30) - 1;
    return std::clamp(pixels, -kLimit, kLimit);
}

} // namespace

int32_t PageTransform::x(float storedHPos) const
{
    return onSurface(truncated(mapped(double(storedHPos) + double(offsetX.scaled), *this) + originX));
}

int32_t PageTransform::y(float storedVPos) const
{
    return onSurface(truncated(mapped(double(storedVPos) + double(offsetY.scaled), *this) + originY));
}

int32_t PageTransform::truncatedSize(float stored) const
{
    return onSurface(truncated(mapped(stored, *this)));
}

int32_t PageTransform::roundedSize(float stored) const
{
    return onSurface(rounded(mapped(stored, *this)));
}

double penScale(RenderTarget target, char objType, const PageTransform& transform, double screenPpi)
{
    if (target != RenderTarget::Print)
        return roundToFourDecimals(transform.scale);
    switch (objType) {
    case ObjType::Shape:
    case ObjType::Grid:
        return roundToFourDecimals(transform.devicePpi / screenPpi * transform.scale);
    case ObjType::Line:
        return 1;
    case ObjType::Chart:
        return roundToFourDecimals(transform.devicePpi / screenPpi);
    case ObjType::BarCode:
        // Barcode modules are given in pixels of a 96 ppi surface.
        return roundToFourDecimals(transform.devicePpi / 96.0 * transform.scale);
    default:
        return roundToFourDecimals(transform.scale);
    }
}

} // namespace orv
