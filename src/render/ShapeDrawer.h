#pragma once

#include <QRect>

#include <cstdint>

namespace orv {

class TDrawingSurface;
struct TReportObject;

// How a drawer sees its target. The preview widens outlines of width 0 to
// the pen scale (so do arcs, chords and pies in exported pictures); exported
// lines are drawn with the canvas's own dash styles, whose lengths do not
// follow the scale.
enum class DrawerTarget { Screen, Print, Export, ExportCanvas };

// Draws a shape ('S'), arc ('1'), chord ('2') or pie ('3') in its mapped box
// (X, Y, W, H in device pixels). Pen widths, dash lengths and corner sizes
// are pixels at 100 % times `penScale`. Arcs run from StartAngle over
// SweepAngle degrees, counter-clockwise for a positive sweep.
void drawShapeObject(TDrawingSurface& surface, const TReportObject& object, const QRect& box, double penScale,
                     DrawerTarget target);

// Draws a line from (X, Y) to (X + W, Y + H); W and H keep their signs.
void drawLineObject(TDrawingSurface& surface, const TReportObject& object, const QRect& box, double penScale,
                    DrawerTarget target);

// Draws a grid: its outer rectangle and the lines between its rows and
// columns. A grid without rows or columns draws its outer rectangle only.
void drawGridObject(TDrawingSurface& surface, const TReportObject& object, const QRect& box, double penScale);

} // namespace orv
