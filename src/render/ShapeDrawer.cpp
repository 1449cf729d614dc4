#include "render/ShapeDrawer.h"

#include "document/ReportObject.h"
#include "surface/DrawingSurface.h"

#include <array>
#include <cmath>
#include <vector>

namespace orv {

namespace {

// The dash patterns of the dashed pen styles (dot, dash, dash-dot,
// dash-dot-dot) in pixels at 100 %.
const std::array<std::vector<double>, 4> kDashPatterns = {{
    {3, 3},
    {18, 6},
    {9, 6, 3, 6},
    {9, 3, 3, 3, 3, 3},
}};

// Which pens a border style gives: figures (shapes, arcs, grids) keep their
// width and square caps; lines draw their dashes one pixel wide and their
// solid pen with flat caps.
enum class StrokeKind { Figure, Line };

// Selects the pen of a border style; unnamed styles leave the surface's pen
// as it is. On the preview a zero-width outline is never thinner than the
// scale.
void selectBorderPen(TDrawingSurface& surface, const TReportObject& object, double penScale, StrokeKind kind,
                     DrawerTarget target)
{
    const TPenStyle style = object.borderStyle();
    int32_t width = static_cast<int32_t>(std::trunc(object.BorderWidth * penScale));
    if (target == DrawerTarget::Screen && object.BorderWidth == 0 && penScale >= 2)
        width = static_cast<int32_t>(std::trunc(penScale));

    if (style == TPenStyle::None) {
        surface.selectNullPen();
    } else if (isDashed(style)) {
        // Canvas styles keep their lengths whatever the scale.
        const double lengthScale = target == DrawerTarget::ExportCanvas ? 1 : penScale;
        std::vector<double> dashes;
        for (double length : kDashPatterns[dashIndex(style)])
            dashes.push_back(roundHalfEven(length * lengthScale));
        surface.selectDashPen(object.PenColor, kind == StrokeKind::Line ? 1 : width, dashes);
    } else if (style == TPenStyle::Solid) {
        surface.selectSolidPen(object.PenColor, width, kind == StrokeKind::Figure ? Qt::SquareCap : Qt::FlatCap);
    }
}

void selectFillBrush(TDrawingSurface& surface, const TReportObject& object)
{
    const TFillStyle fill = object.fillStyle();
    if ((fill == TFillStyle::ByBackStyle && object.backStyle() == TBackStyle::Transparent) || fill == TFillStyle::Solid)
        surface.selectSolidBrush(object.FillColor);
    else if (isHatch(fill))
        surface.selectHatchBrush(object.FillColor, hatchCode(fill));
    else
        surface.selectHollowBrush();
}

// Smaller than actual size, figures grow by a pixel so that their outline
// is not lost.
QRect grownBelowFullSize(const QRect& box, double penScale)
{
    if (penScale >= 1)
        return box;
    return QRect(box.x(), box.y(), box.width() + 1, box.height() + 1);
}

void drawFigure(TDrawingSurface& surface, const TReportObject& object, const QRect& box, double penScale)
{
    switch (object.ObjType) {
    case ObjType::Arc:
        surface.arc(TDrawingSurface::ArcKind::Arc, box, object.StartAngle, object.SweepAngle);
        return;
    case ObjType::Chord:
        surface.arc(TDrawingSurface::ArcKind::Chord, box, object.StartAngle, object.SweepAngle);
        return;
    case ObjType::Pie:
        surface.arc(TDrawingSurface::ArcKind::Pie, box, object.StartAngle, object.SweepAngle);
        return;
    default:
        break;
    }
    if (object.isEllipse()) {
        surface.ellipse(box);
        return;
    }
    const auto corner = static_cast<int32_t>(roundHalfEven(object.Curvature * penScale));
    if (corner < 1)
        surface.rectangle(box);
    else
        surface.roundedRectangle(box, corner, corner);
}

} // namespace

void drawShapeObject(TDrawingSurface& surface, const TReportObject& object, const QRect& mappedBox, double penScale,
                     DrawerTarget target)
{
    TDrawingSurface::TStateGuard guard(surface);
    const QRect box = grownBelowFullSize(mappedBox, penScale);
    const bool isShape = object.ObjType == ObjType::Shape;
    const TShapeStyle shapeStyle = isShape ? object.shapeStyle() : TShapeStyle::Closed;
    if (shapeStyle != TShapeStyle::Closed && !isOpenBox(shapeStyle))
        return;
    selectFillBrush(surface, object);
    selectBorderPen(surface, object, penScale, StrokeKind::Figure, target);
    if (shapeStyle == TShapeStyle::Closed) {
        drawFigure(surface, object, box, penScale);
        return;
    }

    // Open boxes: the fill without outline, then only the named edges.
    const QPen borderPen = surface.painter().pen();
    surface.selectNullPen();
    drawFigure(surface, object, box, penScale);
    if (object.borderStyle() == TPenStyle::None)
        return;
    surface.painter().setPen(borderPen);
    const int32_t left = box.x(), top = box.y();
    const int32_t right = left + box.width(), bottom = top + box.height();
    if (shapeStyle == TShapeStyle::OpenBottom)
        surface.line({left, top}, {right, top});
    surface.line({left, top}, {left, bottom});
    surface.line({right, top}, {right, bottom});
    if (shapeStyle == TShapeStyle::OpenTop)
        surface.line({left, bottom}, {right, bottom});
}

void drawLineObject(TDrawingSurface& surface, const TReportObject& object, const QRect& box, double penScale,
                    DrawerTarget target)
{
    TDrawingSurface::TStateGuard guard(surface);
    selectBorderPen(surface, object, penScale, StrokeKind::Line, target);
    surface.line({box.x(), box.y()}, {box.x() + box.width(), box.y() + box.height()});
}

void drawGridObject(TDrawingSurface& surface, const TReportObject& object, const QRect& mappedBox, double penScale)
{
    TDrawingSurface::TStateGuard guard(surface);
    const int32_t rowHeight = object.Rows > 0 ? mappedBox.height() / object.Rows : 0;
    const int32_t columnWidth = object.Columns > 0 ? mappedBox.width() / object.Columns : 0;
    const QRect box = grownBelowFullSize(mappedBox, penScale);
    selectFillBrush(surface, object);
    // Grid outlines keep their width at every scale.
    selectBorderPen(surface, object, penScale, StrokeKind::Figure, DrawerTarget::Print);
    surface.rectangle(box);

    const int32_t left = box.x(), top = box.y();
    const int32_t right = left + box.width(), bottom = top + box.height();
    for (int32_t k = 1; k < object.Rows; ++k)
        surface.line({left, top + k * rowHeight}, {right, top + k * rowHeight});
    for (int32_t k = 1; k < object.Columns; ++k)
        surface.line({left + k * columnWidth, top}, {left + k * columnWidth, bottom});
}

} // namespace orv
