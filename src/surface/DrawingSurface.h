#pragma once

#include "document/Units.h"

#include <QColor>
#include <QPainter>
#include <QRect>

#include <cstdint>
#include <vector>

namespace orv {

// A Windows colour value 0x00BBGGRR with an alpha of 0 to 255.
QColor qColorOf(Colour colour, int alpha = 255);

// The drawing surface the renderer works on: a QPainter with the pixel rules
// of the device contexts reports were designed for. A figure's box covers the
// pixels from its left and top edge up to, not including, its right and
// bottom edge; outlines run along the outermost pixels of the box and the
// brush fills what they enclose. Geometry is drawn without anti-aliasing so
// that edges land on whole pixels. The painter's state is put back when the
// surface ends.
class TDrawingSurface {
public:
    explicit TDrawingSurface(QPainter& painter);
    ~TDrawingSurface();
    TDrawingSurface(const TDrawingSurface&) = delete;
    TDrawingSurface& operator=(const TDrawingSurface&) = delete;

    QPainter& painter() { return m_painter; }

    // --- pens: widths and dash lengths in device pixels; width 0 is the
    // thinnest line the device draws.
    void selectNullPen();
    void selectSolidPen(Colour colour, int32_t width, Qt::PenCapStyle cap);
    // A user dash pattern (on, off, on, off ...) with flat caps and mitre
    // joins; lengths below one pixel are drawn one pixel long.
    void selectDashPen(Colour colour, int32_t width, const std::vector<double>& dashes);

    // --- brushes
    void selectHollowBrush();
    void selectSolidBrush(Colour colour);
    // Hatch codes: 0 horizontal, 1 vertical, 2 forward diagonal, 3 backward
    // diagonal, 4 cross, 5 diagonal cross; the gaps stay transparent.
    void selectHatchBrush(Colour colour, int32_t hatchCode);

    // --- figures; a box may have a negative width or height.
    void rectangle(const QRect& box);
    void roundedRectangle(const QRect& box, int32_t cornerWidth, int32_t cornerHeight);
    void ellipse(const QRect& box);
    enum class ArcKind { Arc, Chord, Pie };
    // Angles in degrees, counter-clockwise from three o'clock, measured as
    // directions from the centre; a positive sweep runs counter-clockwise.
    void arc(ArcKind kind, const QRect& box, double startDegrees, double sweepDegrees);
    // A line through the pixels from `from` up to, not including, `to`.
    void line(QPoint from, QPoint to);
    // Fills an area with no outline.
    void fillArea(const QRectF& area, const QColor& colour);

    // Keeps pen, brush, font and transform of the surface for one drawer and
    // puts them back when it ends.
    class TStateGuard {
    public:
        explicit TStateGuard(TDrawingSurface& surface);
        ~TStateGuard();
        TStateGuard(const TStateGuard&) = delete;
        TStateGuard& operator=(const TStateGuard&) = delete;

    private:
        QPainter& m_painter;
    };

private:
    QPainter& m_painter;
};

} // namespace orv
