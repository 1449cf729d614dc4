#pragma once

#include "document/Units.h"

#include <cstdint>

namespace orv {

// Where a page is drawn: the preview, a printer page or an exported picture.
// Sizes and pen widths follow slightly different rules on each.
enum class RenderTarget { Screen, Print, Export };

// How stored positions (whole ten-thousandths of an inch) become device
// pixels on one surface for one call.
struct PageTransform {
    int32_t devicePpi = 96;
    double scale = 1.0;           // zoom, export or print scale; 1 is actual size
    Currency offsetX, offsetY;    // inches added to every object position
    int32_t originX = 0, originY = 0; // the page's origin on the surface, in pixels

    // A position: Trunc((stored / 10000 + offset) x ppi x scale + origin).
    int32_t x(float storedHPos) const;
    int32_t y(float storedVPos) const;
    // A size (keeping its sign), cut toward zero or rounded half to even.
    int32_t truncatedSize(float stored) const;
    int32_t roundedSize(float stored) const;
};

// The factor applied to pen widths, dash lengths and corner sizes, which are
// stored in pixels at 100 %. It depends on the target and the object type;
// `screenPpi` is the screen's pixels per inch (printers scale pens by their
// resolution relative to the screen). Rounded to four decimals.
double penScale(RenderTarget target, char objType, const PageTransform& transform, double screenPpi);

} // namespace orv
