#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orv {

class TPdfCanvas;

// Drawing routines built on the canvas operators, in PDF coordinates
// (points, y upwards). The path routines only build the path; the caller
// closes, strokes or fills it.

// One line of text with its base line starting at (x, y), turned by `angle`
// degrees counter-clockwise, in the font of `fontKey`; the UTF-8 text is
// written in the document's code page. Below an alpha of 255 the text is
// drawn translucent, its transparency state confined to the text by q/Q.
// `wordSpacing` widens every blank by that many points (justified lines).
void drawPdfText(TPdfCanvas& canvas, float x, float y, double angle, std::string_view text, const std::string& fontKey,
                 int32_t fontSize, int32_t colour, int32_t alpha, float wordSpacing = 0);

// A stroked line of the given width.
void drawPdfLine(TPdfCanvas& canvas, float x1, float y1, float x2, float y2, float width);

// The ellipse inside the box as four Bezier curves, starting at the middle
// of the bottom edge.
void appendEllipse(TPdfCanvas& canvas, float x, float y, float width, float height);

// The first three quarters of that ellipse (arcs, chords and pies).
void appendThreeQuarterEllipse(TPdfCanvas& canvas, float x, float y, float width, float height);

// The part of the ellipse in the box from the direction `startDegrees`
// over `sweepDegrees` (counter-clockwise from three o'clock, as directions
// from the centre): an open arc, closed by its chord, or a pie closed by
// its two radii.
enum class PdfArcKind { Arc, Chord, Pie };
void appendEllipticArc(TPdfCanvas& canvas, PdfArcKind kind, float x, float y, float width, float height,
                       double startDegrees, double sweepDegrees);

// A rectangle with rounded corners of a radius derived from `radius`.
void appendRoundedRectangle(TPdfCanvas& canvas, float x, float y, float width, float height, float radius);

} // namespace orv
