#pragma once

#include "surface/PageTransform.h"

#include <QRect>
#include <QSize>

#include <cstdint>

namespace orv {

class TDrawingSurface;
struct TReportObject;

// What the page renderer hands the picture drawer besides the object.
struct TPictureDrawing {
    RenderTarget target = RenderTarget::Screen;
    double penScale = 1;        // the picture's pen scale (the page's scale)
    int32_t jpegReduction = 0;  // the preview's JPEG decode reduction; 0 elsewhere
    bool advancedImaging = true; // TIFF, PNG and GIF are drawn only with it
};

// The part of `box` a picture of `imagePixels` takes when fitted
// proportionally from the top-left corner, enlarged or reduced.
QRect fittedPictureBox(const QRect& box, QSize imagePixels, double penScale);

// Loads the object's picture file afresh and draws it into `box` (stretched,
// or fitted when the object asks for it). A picture that cannot be found or
// read is left undrawn.
void drawPictureObject(TDrawingSurface& surface, const TReportObject& object, const QRect& box,
                       const TPictureDrawing& drawing);

} // namespace orv
