#include "charts/ChartSeriesPainter.h"

#include "charts/ChartMarks.h"
#include "charts/ChartPlan.h"
#include "charts/ChartStyle.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace orv {

namespace {

// A bar fills this share of its position's slot (shared by side by side bars).
constexpr double kBarShare = 0.7;
// Bars narrower than this many pixels have no outline, which would hide them.
constexpr double kNarrowestOutlinedBar = 4;
// Marks need this many pixels from one point to the next.
constexpr double kMarkSpacing = 2;
constexpr size_t kMostPieMarks = 360;

enum class TBarStyle { Rectangle, Gradient, Pyramid, InvertedPyramid, Cylinder, Ellipse, Arrow };

// A bar's outline in its own square: across it from 0 to 1, along it from
// the base (0) to the tip (1).
QPainterPath barShape(TBarStyle style)
{
    QPainterPath shape;
    switch (style) {
    case TBarStyle::Pyramid:
        shape.addPolygon(QPolygonF({{0, 0}, {1, 0}, {0.5, 1}}));
        break;
    case TBarStyle::InvertedPyramid:
        shape.addPolygon(QPolygonF({{0, 1}, {1, 1}, {0.5, 0}}));
        break;
    case TBarStyle::Ellipse:
        shape.addEllipse(QRectF(0, 0, 1, 1));
        break;
    case TBarStyle::Arrow:
        shape.addPolygon(QPolygonF({{0.25, 0}, {0.75, 0}, {0.75, 0.7}, {1, 0.7}, {0.5, 1}, {0, 0.7}, {0.25, 0.7}}));
        break;
    default:
        shape.addRect(QRectF(0, 0, 1, 1));
        break;
    }
    shape.closeSubpath();
    return shape;
}

// The bar's fill in its own square: gradient bars fade from the colour at
// the base to white at the tip, cylinders are lit along their middle.
QBrush barBrush(TBarStyle style, const QColor& colour, const QTransform& toDevice)
{
    QBrush brush(colour);
    if (style == TBarStyle::Gradient) {
        QLinearGradient fade(0, 0, 0, 1);
        fade.setColorAt(0, colour);
        fade.setColorAt(1, Qt::white);
        brush = QBrush(fade);
    } else if (style == TBarStyle::Cylinder) {
        QLinearGradient light(0, 0, 1, 0);
        light.setColorAt(0, colour.darker(160));
        light.setColorAt(0.4, colour.lighter(140));
        light.setColorAt(1, colour.darker(160));
        brush = QBrush(light);
    }
    brush.setTransform(toDevice);
    return brush;
}

double signedArea(const QPolygonF& polygon)
{
    double twice = 0;
    for (qsizetype i = 0; i < polygon.size(); ++i) {
        const QPointF a = polygon[i], b = polygon[(i + 1) % polygon.size()];
        twice += a.x() * b.y() - b.x() * a.y();
    }
    return twice / 2;
}

bool finite(const TChartValues& point)
{
    return std::isfinite(point.X);
}

} // namespace

void paintSolid(QPainter& painter, const QPolygonF& face, double depth, const QBrush& brush, const QColor& colour,
                bool outline)
{
    painter.setPen(outline ? QPen(Qt::black, 0) : QPen(Qt::NoPen));
    if (depth >= 1 && face.size() >= 3) {
        const QPointF back(depth, -depth);
        painter.setBrush(colour.darker(140));
        painter.drawPolygon(face.translated(back));
        // A side faces the viewer when its outward normal points up or right,
        // toward where the solid reaches back; those are drawn last.
        const double orientation = signedArea(face) >= 0 ? 1 : -1;
        std::vector<QPolygonF> hidden, shown;
        for (qsizetype i = 0; i < face.size(); ++i) {
            const QPointF a = face[i], b = face[(i + 1) % face.size()];
            const QPointF outward = QPointF(b.y() - a.y(), a.x() - b.x()) * orientation;
            QPolygonF side({a, b, b + back, a + back});
            (outward.x() - outward.y() > 0 ? shown : hidden).push_back(side);
        }
        for (const QPolygonF& side : hidden)
            painter.drawPolygon(side);
        painter.setBrush(colour.darker(120));
        for (const QPolygonF& side : shown)
            painter.drawPolygon(side);
    }
    painter.setBrush(brush);
    painter.drawPolygon(face);
}

TChartSeriesPainter::TChartSeriesPainter(const TChartPlan& plan, const TChartAxes& axes, const TPlotFrame& frame,
                                         QPainter& painter, double scale)
    : m_plan(plan)
    , m_axes(axes)
    , m_frame(frame)
    , m_painter(painter)
    , m_scale(scale)
{
}

QPointF TChartSeriesPainter::upright(long double position, long double value, double z) const
{
    return m_frame.at(m_axes.scale(TChartAxisKind::X).fraction(static_cast<double>(position)),
                      m_axes.scale(TChartAxisKind::Y).fraction(static_cast<double>(value)), z);
}

double TChartSeriesPainter::slotDepth() const
{
    return static_cast<double>(m_frame.depth) / m_plan.slotCount();
}

double TChartSeriesPainter::frontOf(const TSeriesPlacement& placement) const
{
    return placement.slot * slotDepth();
}

bool TChartSeriesPainter::roomForMarks(bool horizontal) const
{
    const TChartAxisScale& positions = m_axes.scale(horizontal ? TChartAxisKind::Y : TChartAxisKind::X);
    const double length = horizontal ? m_frame.front.height() : m_frame.front.width();
    return static_cast<double>(std::abs(positions.fraction(1) - positions.fraction(0))) * length >= kMarkSpacing;
}

std::vector<TMarkSpot> TChartSeriesPainter::paint() const
{
    std::vector<TMarkSpot> marks;
    for (const TSeriesPlacement& placement : m_plan.axisSeries()) {
        switch (placement.kind) {
        case TSeriesKind::Bar:
        case TSeriesKind::HorizontalBar:
            paintBars(placement, marks);
            break;
        case TSeriesKind::Line:
            paintLine(placement, marks);
            break;
        case TSeriesKind::Area:
            paintArea(placement, marks);
            break;
        case TSeriesKind::Point:
            paintPoints(placement, marks);
            break;
        case TSeriesKind::Pie:
            break;
        }
    }
    return marks;
}

void TChartSeriesPainter::paintBars(const TSeriesPlacement& placement, std::vector<TMarkSpot>& marks) const
{
    const TChartSeriesObject& series = m_plan.chart().Series[placement.series];
    const bool horizontal = placement.kind == TSeriesKind::HorizontalBar;
    const auto style = static_cast<TBarStyle>(std::min<uint8_t>(m_plan.chart().BarStyle, 6));
    const QPainterPath shape = barShape(style);
    const double z = frontOf(placement);
    const bool labelled = roomForMarks(horizontal);
    const double width = kBarShare / placement.groupSize;
    const double offset = (placement.groupIndex + 0.5) * width - kBarShare / 2;
    // Horizontal bars stand on the Y axis: positions up it, values along X.
    auto pixel = [&](long double position, long double value) {
        return horizontal ? m_frame.at(m_axes.scale(TChartAxisKind::X).fraction(static_cast<double>(value)),
                                       m_axes.scale(TChartAxisKind::Y).fraction(static_cast<double>(position)), z)
                          : upright(position, value, z);
    };
    for (size_t i = 0; i < series.Values.size(); ++i) {
        if (!finite(series.Values[i]))
            continue;
        const TBarExtent bar = m_plan.barExtent(placement, i);
        const long double middle = static_cast<long double>(i) + offset;
        const QPointF baseStart = pixel(middle - width / 2, bar.base), baseEnd = pixel(middle + width / 2, bar.base);
        const QPointF tip = pixel(middle + width / 2, bar.top);
        // At least a pixel across, however many bars share the axis.
        QPointF across = baseEnd - baseStart;
        if (std::hypot(across.x(), across.y()) < 1)
            across = horizontal ? QPointF(0, -1) : QPointF(1, 0);
        const QPointF along = tip - baseEnd;
        const QTransform toDevice(across.x(), across.y(), along.x(), along.y(), baseStart.x(), baseStart.y());
        if (std::hypot(along.x(), along.y()) >= 0.5) {
            const QColor colour = m_plan.pointColour(placement.series, i);
            const bool outline = std::hypot(across.x(), across.y()) >= kNarrowestOutlinedBar;
            for (const QPolygonF& face : shape.toFillPolygons(toDevice))
                paintSolid(m_painter, face, slotDepth(), barBrush(style, colour, toDevice), colour, outline);
        }
        if (labelled) {
            const bool reversed = bar.top < bar.base;
            QPointF direction = horizontal ? QPointF(1, 0) : QPointF(0, -1);
            marks.push_back({baseStart + across / 2 + along, reversed ? -direction : direction, placement.series, i});
        }
    }
}

void TChartSeriesPainter::walkSegments(const TSeriesPlacement& placement, std::vector<TMarkSpot>& marks,
                                       const SegmentPainter& segment) const
{
    const TChartSeriesObject& series = m_plan.chart().Series[placement.series];
    const double z = frontOf(placement);
    const bool labelled = roomForMarks(false);
    for (size_t i = 0; i < series.Values.size(); ++i) {
        if (!finite(series.Values[i]))
            continue;
        const QPointF here = upright(static_cast<long double>(i), series.Values[i].X, z);
        if (labelled)
            marks.push_back({here, QPointF(0, -1), placement.series, i});
        if (i == 0 || !finite(series.Values[i - 1]))
            continue;
        const QPointF before = upright(static_cast<long double>(i - 1), series.Values[i - 1].X, z);
        segment(before, here, m_plan.pointColour(placement.series, i), z);
    }
}

void TChartSeriesPainter::paintLine(const TSeriesPlacement& placement, std::vector<TMarkSpot>& marks) const
{
    const double depth = slotDepth();
    const int width = std::max(scaledChartSize(1, m_scale), 1);
    walkSegments(placement, marks, [&](const QPointF& before, const QPointF& here, const QColor& colour, double) {
        if (depth >= 1) {
            // A ribbon from the front of the series' slot to its back.
            const QPointF back(depth, -depth);
            m_painter.setPen(QPen(colour.darker(150), 0));
            m_painter.setBrush(colour);
            m_painter.drawPolygon(QPolygonF({before, here, here + back, before + back}));
        } else {
            m_painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
            m_painter.drawLine(before, here);
        }
    });
}

void TChartSeriesPainter::paintArea(const TSeriesPlacement& placement, std::vector<TMarkSpot>& marks) const
{
    const double depth = slotDepth();
    walkSegments(placement, marks, [&](const QPointF& before, const QPointF& here, const QColor& colour, double z) {
        // Areas reach down to the bottom of the plot.
        auto floorBelow = [&](const QPointF& point) { return QPointF(point.x(), m_frame.at(0, 0, z).y()); };
        m_painter.setPen(Qt::NoPen);
        if (depth >= 1) {
            const QPointF back(depth, -depth);
            m_painter.setBrush(colour.darker(120));
            m_painter.drawPolygon(QPolygonF({before, here, here + back, before + back}));
        }
        m_painter.setBrush(colour);
        m_painter.drawPolygon(QPolygonF({floorBelow(before), before, here, floorBelow(here)}));
        m_painter.setPen(QPen(colour.darker(150), 0));
        m_painter.drawLine(before, here);
    });
}

void TChartSeriesPainter::paintPoints(const TSeriesPlacement& placement, std::vector<TMarkSpot>& marks) const
{
    const TChartSeriesObject& series = m_plan.chart().Series[placement.series];
    const double z = frontOf(placement);
    const double half = std::max(scaledChartSize(4, m_scale), 2);
    const bool labelled = roomForMarks(false);
    for (size_t i = 0; i < series.Values.size(); ++i) {
        if (!finite(series.Values[i]))
            continue;
        const QPointF centre = upright(static_cast<long double>(i), series.Values[i].X, z);
        const QColor colour = m_plan.pointColour(placement.series, i);
        const QPolygonF square(QRectF(centre - QPointF(half, half), QSizeF(2 * half, 2 * half)));
        paintSolid(m_painter, square, std::min(slotDepth(), 2 * half), QBrush(colour), colour, true);
        if (labelled)
            marks.push_back({centre - QPointF(0, half), QPointF(0, -1), placement.series, i});
    }
}

namespace {

// One pie in its cell: its ellipse, the depth of its rim, its marks.
class TPiePainter {
public:
    TPiePainter(const TChartPlan& plan, QPainter& painter, size_t series, const TChartMarkPainter& marks)
        : m_plan(plan)
        , m_painter(painter)
        , m_series(series)
        , m_values(plan.chart().Series[series].Values)
        , m_marks(marks)
    {
        for (const TChartValues& point : m_values)
            if (finite(point))
                m_total += std::abs(point.X);
    }

    void paint(const QRect& cell, std::vector<TMarkSpot>& spots)
    {
        if (!(m_total > 0) || !std::isfinite(m_total))
            return;
        const TChartObject& chart = m_plan.chart();
        const QSizeF room = m_values.size() <= kMostPieMarks ? m_marks.room(m_series) : QSizeF();
        const double radius = std::min(cell.width() / 2.0 - room.width(), cell.height() / 2.0 - room.height());
        if (radius < 1)
            return;
        // A 3D pie is seen from above at a slant: flattened, with a rim.
        const double percent = chart.View3D ? chart.Percent3D / 100.0 : 0;
        const double flat = radius * std::max(1 - percent, 0.3);
        const double rim = std::round(radius * percent);
        const QPointF centre = QRectF(cell).center() - QPointF(0, rim / 2);
        const QRectF ellipse(centre - QPointF(radius, flat), QSizeF(2 * radius, 2 * flat));

        if (rim >= 1)
            paintRim(ellipse, rim);
        double start = 0;
        for (size_t i = 0; i < m_values.size(); ++i) {
            if (!finite(m_values[i]))
                continue;
            const double sweep = 360 * std::abs(m_values[i].X) / m_total;
            const QColor colour = m_plan.sliceColour(m_series, i);
            QPainterPath slice(centre);
            slice.arcTo(ellipse, start, sweep);
            slice.closeSubpath();
            m_painter.setPen(sweep >= 1 ? QPen(Qt::black, 0) : QPen(Qt::NoPen));
            m_painter.setBrush(colour);
            m_painter.drawPath(slice);
            if (m_values.size() <= kMostPieMarks) {
                const double middle = (start + sweep / 2) * std::numbers::pi / 180;
                const QPointF direction(std::cos(middle), -std::sin(middle));
                const QPointF anchor =
                    centre + QPointF(radius * direction.x(), flat * direction.y() + (direction.y() > 0 ? rim : 0));
                spots.push_back({anchor, direction, m_series, i});
            }
            start += sweep;
        }
    }

private:
    // The part of every slice's edge on the near (lower) half of the pie,
    // drawn down to the rim's depth.
    void paintRim(const QRectF& ellipse, double rim)
    {
        double start = 0;
        for (size_t i = 0; i < m_values.size(); ++i) {
            if (!finite(m_values[i]))
                continue;
            const double sweep = 360 * std::abs(m_values[i].X) / m_total;
            const double from = std::max(start, 180.0), to = std::min(start + sweep, 360.0);
            start += sweep;
            if (to <= from)
                continue;
            QPainterPath side;
            side.arcMoveTo(ellipse, from);
            side.arcTo(ellipse, from, to - from);
            side.lineTo(side.currentPosition() + QPointF(0, rim));
            side.arcTo(ellipse.translated(0, rim), to, from - to);
            side.closeSubpath();
            const QColor colour = m_plan.sliceColour(m_series, i).darker(140);
            m_painter.setPen(to - from >= 1 ? QPen(Qt::black, 0) : QPen(Qt::NoPen));
            m_painter.setBrush(colour);
            m_painter.drawPath(side);
        }
    }

    const TChartPlan& m_plan;
    QPainter& m_painter;
    const size_t m_series;
    const std::vector<TChartValues>& m_values;
    const TChartMarkPainter& m_marks;
    double m_total = 0;
};

} // namespace

std::vector<TMarkSpot> paintPies(const TChartPlan& plan, QPainter& painter, const QRect& area, double scale)
{
    std::vector<TMarkSpot> spots;
    const std::vector<size_t>& pies = plan.pieSeries();
    if (pies.empty() || area.width() < 1 || area.height() < 1)
        return spots;
    const TChartMarkPainter marks(plan, painter, scale);
    // Pies stand side by side; those that would get no room are left out.
    const double cellWidth = static_cast<double>(area.width()) / static_cast<double>(pies.size());
    if (cellWidth < 2)
        return spots;
    for (size_t n = 0; n < pies.size(); ++n) {
        const int left = area.left() + static_cast<int>(std::lround(n * cellWidth));
        const int right = area.left() + static_cast<int>(std::lround((n + 1) * cellWidth));
        TPiePainter(plan, painter, pies[n], marks).paint(QRect(left, area.top(), right - left, area.height()), spots);
    }
    return spots;
}

} // namespace orv
