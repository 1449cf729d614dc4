#include "surface/DrawingSurface.h"

#include "platform/EllipseGeometry.h"

#include <QPen>

#include <algorithm>
#include <cmath>

namespace orv {

namespace {

QRect normalisedBox(const QRect& box)
{
    int x = box.x(), y = box.y(), w = box.width(), h = box.height();
    if (w < 0) {
        x += w;
        w = -w;
    }
    if (h < 0) {
        y += h;
        h = -h;
    }
    return QRect(x, y, w, h);
}

// With an outline the figure's path runs through the centres of the box's
// outer pixels, so a one-pixel line covers exactly them; without one the
// brush covers the whole box.
QRectF figureRect(const QPainter& painter, const QRect& box)
{
    const QRect b = normalisedBox(box);
    if (painter.pen().style() == Qt::NoPen)
        return QRectF(b);
    return QRectF(b.x() + 0.5, b.y() + 0.5, std::max(b.width() - 1, 0), std::max(b.height() - 1, 0));
}

} // namespace

QColor qColorOf(Colour colour, int alpha)
{
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF, alpha);
}

TDrawingSurface::TDrawingSurface(QPainter& painter)
    : m_painter(painter)
{
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);
}

TDrawingSurface::~TDrawingSurface()
{
    m_painter.restore();
}

void TDrawingSurface::selectNullPen()
{
    m_painter.setPen(Qt::NoPen);
}

void TDrawingSurface::selectSolidPen(Colour colour, int32_t width, Qt::PenCapStyle cap)
{
    QPen pen(qColorOf(colour), std::max(width, 0), Qt::SolidLine, cap, Qt::MiterJoin);
    m_painter.setPen(pen);
}

void TDrawingSurface::selectDashPen(Colour colour, int32_t width, const std::vector<double>& dashes)
{
    QPen pen(qColorOf(colour), std::max(width, 0), Qt::CustomDashLine, Qt::FlatCap, Qt::MiterJoin);
    // The painter counts dash lengths in pen widths.
    const double unit = std::max(width, 1);
    QList<qreal> pattern;
    for (double length : dashes)
        pattern.push_back(std::max(length, 1.0) / unit);
    pen.setDashPattern(pattern);
    m_painter.setPen(pen);
}

void TDrawingSurface::selectHollowBrush()
{
    m_painter.setBrush(Qt::NoBrush);
}

void TDrawingSurface::selectSolidBrush(Colour colour)
{
    m_painter.setBrush(qColorOf(colour));
}

void TDrawingSurface::selectHatchBrush(Colour colour, int32_t hatchCode)
{
    static constexpr Qt::BrushStyle kHatches[] = {Qt::HorPattern,   Qt::VerPattern,   Qt::FDiagPattern,
                                                  Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
    m_painter.setBrush(QBrush(qColorOf(colour), kHatches[std::clamp(hatchCode, 0, 5)]));
}

void TDrawingSurface::rectangle(const QRect& box)
{
    m_painter.drawRect(figureRect(m_painter, box));
}

void TDrawingSurface::roundedRectangle(const QRect& box, int32_t cornerWidth, int32_t cornerHeight)
{
    m_painter.drawRoundedRect(figureRect(m_painter, box), cornerWidth / 2.0, cornerHeight / 2.0);
}

void TDrawingSurface::ellipse(const QRect& box)
{
    m_painter.drawEllipse(figureRect(m_painter, box));
}

void TDrawingSurface::arc(ArcKind kind, const QRect& box, double startDegrees, double sweepDegrees)
{
    const QRectF rect = figureRect(m_painter, box);
    const double a = rect.width() / 2, b = rect.height() / 2;
    const double start = ellipseParameter(startDegrees, a, b);
    const double end = ellipseParameter(startDegrees + sweepDegrees, a, b);
    const int from = static_cast<int>(std::lround(start * 16));
    const int span = static_cast<int>(std::lround((end - start) * 16));
    switch (kind) {
    case ArcKind::Arc:
        m_painter.drawArc(rect, from, span);
        break;
    case ArcKind::Chord:
        m_painter.drawChord(rect, from, span);
        break;
    case ArcKind::Pie:
        m_painter.drawPie(rect, from, span);
        break;
    }
}

void TDrawingSurface::line(QPoint from, QPoint to)
{
    const QPointF step(to - from);
    const double length = std::hypot(step.x(), step.y());
    if (length == 0)
        return;
    // The stroke runs from the near edge of the first pixel to the near edge
    // of the last one, through the pixels' centres: flat ends then cover
    // exactly the pixels from `from` up to `to`, so lines drawn end to end
    // never draw their meeting pixel twice.
    const QPointF shift = QPointF(0.5, 0.5) - step / length / 2;
    m_painter.drawLine(QPointF(from) + shift, QPointF(to) + shift);
}

void TDrawingSurface::fillArea(const QRectF& area, const QColor& colour)
{
    m_painter.fillRect(area, colour);
}

TDrawingSurface::TStateGuard::TStateGuard(TDrawingSurface& surface)
    : m_painter(surface.m_painter)
{
    m_painter.save();
}

TDrawingSurface::TStateGuard::~TStateGuard()
{
    m_painter.restore();
}

} // namespace orv
