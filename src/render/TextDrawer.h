#pragma once

#include "surface/PageTransform.h"

#include <QRect>

#include <cstdint>

namespace orv {

class TDrawingSurface;
class TReport;

// Draws text object or report field `objectIndex` of page `pageNumber`
// (1-based) in its mapped box (X, Y, W, H in device pixels). A text draws its
// stored lines (LineEnds, or its own line breaks for sub type "L") with its
// alignment, line spacing, background and alpha; a single line may be
// rotated about its anchor (X, Y) and trimmed to the box. A report field
// draws its evaluated expression, or the expression itself when that is
// empty. Hits of an active find are highlighted from the report's find state.
void drawTextObject(TDrawingSurface& surface, const TReport& report, int32_t pageNumber, int32_t objectIndex,
                    const PageTransform& transform, const QRect& box);

} // namespace orv
