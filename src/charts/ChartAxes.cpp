#include "charts/ChartAxes.h"

#include "charts/ChartPlan.h"
#include "charts/ChartStyle.h"
#include "charts/ChartText.h"

#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace orv {

namespace {

// Far beyond any surface, yet safe to hand to the painter.
constexpr long double kFarthestPixel = 1e7;

// Colours of walls that ask for the default.
const QColor kBackWallColour(244, 244, 244);
const QColor kLeftWallColour(255, 250, 214);
const QColor kBottomWallColour(255, 255, 255);
const QColor kGridColour(200, 200, 200);

// Axis labels (point labels or values) measured for spacing; a longer
// series is labelled at a step its widest early labels allow.
constexpr size_t kMeasuredLabels = 1000;

double clampedPixel(long double pixel)
{
    return static_cast<double>(std::clamp(pixel, -kFarthestPixel, kFarthestPixel));
}

const TChartSeriesObject* firstAxisSeries(const TChartPlan& plan)
{
    const auto& placements = plan.axisSeries();
    const auto first = std::min_element(placements.begin(), placements.end(),
                                        [](const TSeriesPlacement& a, const TSeriesPlacement& b) {
                                            return a.series < b.series;
                                        });
    return first == placements.end() ? nullptr : &plan.chart().Series[first->series];
}

void paintFace(QPainter& painter, const QPolygonF& face, const QBrush& brush)
{
    painter.setBrush(brush);
    painter.drawPolygon(face);
}

QPolygonF quad(QPointF a, QPointF b, QPointF c, QPointF d)
{
    return QPolygonF({a, b, c, d});
}

} // namespace

QPointF TPlotFrame::at(long double xFraction, long double yFraction, double z) const
{
    const long double x = front.x() + xFraction * front.width() + z;
    const long double y = front.y() + front.height() - yFraction * front.height() - z;
    return QPointF(clampedPixel(x), clampedPixel(y));
}

TChartAxes::TChartAxes(const TChartPlan& plan, QPainter& painter, double scale)
    : m_plan(plan)
    , m_painter(painter)
    , m_scale(scale)
    , m_x(drawnAxisScale(plan, TChartAxisKind::X))
    , m_y(drawnAxisScale(plan, TChartAxisKind::Y))
    , m_xLook(look(TChartAxisKind::X))
    , m_yLook(look(TChartAxisKind::Y))
{
}

TChartAxes::TAxisLook TChartAxes::look(TChartAxisKind kind) const
{
    const TChartObject& chart = m_plan.chart();
    TAxisLook result;
    result.axis = kind == TChartAxisKind::X ? &chart.XAxis : &chart.YAxis;
    const QPaintDevice& device = *m_painter.device();
    result.labelFont = chartFont("Arial", result.axis->LabelFontSize, "", m_scale, device);
    result.titleFont = chartFont(result.axis->TitleFontName, result.axis->TitleFontSize,
                                 result.axis->TitleFontStyle, m_scale, device);
    result.labelsShown = chart.AxesVisible && result.axis->LabelsShown && result.labelFont.drawable();
    result.titleShown = chart.AxesVisible && !result.axis->Title.empty() && result.titleFont.drawable();
    if (result.labelsShown)
        result.labelBox = turnedSize(widestLabel(kind), result.axis->LabelAngle);
    if (result.titleShown)
        result.titleBox =
            turnedSize(chartTextSize(m_painter, result.titleFont.font, QString::fromStdString(result.axis->Title)),
                       result.axis->TitleAngle);
    return result;
}

QString TChartAxes::labelText(TChartAxisKind kind, double tick) const
{
    if (axisCarriesPositions(m_plan, kind)) {
        const TChartSeriesObject* series = firstAxisSeries(m_plan);
        if (series && tick >= 0 && tick < static_cast<double>(series->Values.size()) && tick == std::floor(tick)) {
            const std::string& label = series->Values[static_cast<size_t>(tick)].Legend;
            if (!label.empty())
                return QString::fromStdString(label);
        }
    }
    return chartValueText(tick);
}

QSizeF TChartAxes::widestLabel(TChartAxisKind kind) const
{
    const TChartAxisScale& axisScale = scale(kind);
    const TChartAxis& axis = kind == TChartAxisKind::X ? m_plan.chart().XAxis : m_plan.chart().YAxis;
    const QFont font = chartFont("Arial", axis.LabelFontSize, "", m_scale, *m_painter.device()).font;
    QSizeF widest;
    auto measure = [&](double tick) { widest = widest.expandedTo(chartTextSize(m_painter, font, labelText(kind, tick))); };
    measure(axisScale.minimum());
    measure(axisScale.maximum());
    measure(std::trunc(axisScale.minimum()));
    measure(std::trunc(axisScale.maximum()));
    if (axisCarriesPositions(m_plan, kind))
        if (const TChartSeriesObject* series = firstAxisSeries(m_plan))
            for (size_t i = 0; i < std::min(series->Values.size(), kMeasuredLabels); ++i)
                measure(static_cast<double>(i));
    return widest;
}

std::vector<double> TChartAxes::ticks(TChartAxisKind kind, double length) const
{
    const TAxisLook& axisLook = kind == TChartAxisKind::X ? m_xLook : m_yLook;
    const double gap = std::max(scaledChartSize(8, m_scale), 2);
    double spacing = gap * 2;
    if (axisLook.labelsShown)
        spacing = std::max(spacing, (kind == TChartAxisKind::X ? axisLook.labelBox.width()
                                                              : axisLook.labelBox.height()) + gap);
    return scale(kind).ticks(length, spacing, axisCarriesPositions(m_plan, kind));
}

TPlotFrame TChartAxes::place(const QRect& area) const
{
    const TChartObject& chart = m_plan.chart();
    QRect inner = area;
    if (chart.AxesVisible) {
        const TAxisLook &x = m_xLook, &y = m_yLook;
        const int tick = std::max(scaledChartSize(4, m_scale), 1);
        const int gap = std::max(scaledChartSize(3, m_scale), 1);
        const double left = tick + (y.labelsShown ? y.labelBox.width() + gap : 0) +
                            (y.titleShown ? y.titleBox.width() + gap : 0);
        const double bottom = tick + (x.labelsShown ? x.labelBox.height() + gap : 0) +
                              (x.titleShown ? x.titleBox.height() + gap : 0);
        const double top = y.labelsShown ? y.labelBox.height() / 2 : 0;
        const double right = x.labelsShown ? x.labelBox.width() / 2 : 0;
        inner = area.adjusted(static_cast<int>(std::ceil(left)), static_cast<int>(std::ceil(top)),
                              -static_cast<int>(std::ceil(right)), -static_cast<int>(std::ceil(bottom)));
    }
    TPlotFrame frame;
    if (inner.width() <= 0 || inner.height() <= 0)
        return frame;
    if (chart.View3D) {
        const int shorter = std::min(inner.width(), inner.height());
        frame.depth = std::min(static_cast<int>(std::lround(shorter * chart.Percent3D / 100.0)), shorter / 2);
    }
    frame.front = inner.adjusted(0, frame.depth, -frame.depth, 0);
    return frame;
}

void TChartAxes::paintWalls(const TPlotFrame& frame) const
{
    const TChartObject& chart = m_plan.chart();
    if (!chart.Walls3D)
        return;
    auto brush = [](const TChartWall& wall, const QColor& fallback, bool thickness) {
        if (wall.Transparent)
            return QBrush(Qt::NoBrush);
        const QColor colour = chartColour(wall.Color, fallback);
        return QBrush(thickness ? colour.darker(130) : colour);
    };
    m_painter.setPen(QPen(Qt::black, 0));
    const QRectF front(frame.front);
    if (frame.depth == 0) {
        paintFace(m_painter, QPolygonF(front), brush(chart.BackWall, kBackWallColour, false));
        const double left = chart.LeftWall.Size, bottom = chart.BottomWall.Size;
        if (left > 0)
            paintFace(m_painter, QPolygonF(QRectF(front.left() - left, front.top(), left, front.height())),
                      brush(chart.LeftWall, kLeftWallColour, false));
        if (bottom > 0)
            paintFace(m_painter,
                      QPolygonF(QRectF(front.left() - left, front.bottom(), front.width() + left, bottom)),
                      brush(chart.BottomWall, kBottomWallColour, false));
        return;
    }
    const QRectF back(frame.back());
    const QPointF frontTopLeft = front.topLeft(), frontBottomLeft = front.bottomLeft(),
                  frontBottomRight = front.bottomRight();
    const QPointF backTopLeft = back.topLeft(), backBottomLeft = back.bottomLeft(),
                  backBottomRight = back.bottomRight();

    // A wall with a size shows its thickness: the same face once more,
    // darker, that far behind (or beside, or below) it.
    const double backSize = chart.BackWall.Size;
    if (backSize > 0)
        paintFace(m_painter, QPolygonF(back.translated(backSize, -backSize)),
                  brush(chart.BackWall, kBackWallColour, true));
    paintFace(m_painter, QPolygonF(back), brush(chart.BackWall, kBackWallColour, false));

    const QPolygonF left = quad(frontTopLeft, backTopLeft, backBottomLeft, frontBottomLeft);
    if (chart.LeftWall.Size > 0)
        paintFace(m_painter, left.translated(-chart.LeftWall.Size, 0), brush(chart.LeftWall, kLeftWallColour, true));
    paintFace(m_painter, left, brush(chart.LeftWall, kLeftWallColour, false));

    const QPolygonF bottom = quad(frontBottomLeft, frontBottomRight, backBottomRight, backBottomLeft);
    if (chart.BottomWall.Size > 0)
        paintFace(m_painter, bottom.translated(0, chart.BottomWall.Size),
                  brush(chart.BottomWall, kBottomWallColour, true));
    paintFace(m_painter, bottom, brush(chart.BottomWall, kBottomWallColour, false));
}

void TChartAxes::paintGrid(const TPlotFrame& frame) const
{
    m_painter.setPen(QPen(kGridColour, 0, Qt::DotLine));
    for (double tick : ticks(TChartAxisKind::Y, frame.front.height())) {
        const long double f = m_y.fraction(tick);
        if (f >= 0 && f <= 1)
            m_painter.drawLine(frame.at(0, f, frame.depth), frame.at(1, f, frame.depth));
    }
    for (double tick : ticks(TChartAxisKind::X, frame.front.width())) {
        const long double f = m_x.fraction(tick);
        if (f >= 0 && f <= 1)
            m_painter.drawLine(frame.at(f, 0, frame.depth), frame.at(f, 1, frame.depth));
    }
}

void TChartAxes::paintAxes(const TPlotFrame& frame) const
{
    if (!m_plan.chart().AxesVisible)
        return;
    const TAxisLook &x = m_xLook, &y = m_yLook;
    const int tick = std::max(scaledChartSize(4, m_scale), 1);
    const int gap = std::max(scaledChartSize(3, m_scale), 1);
    m_painter.setPen(QPen(Qt::black, std::max(scaledChartSize(1, m_scale), 1)));
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawLine(frame.at(0, 0, 0), frame.at(0, 1, 0));
    m_painter.drawLine(frame.at(0, 0, 0), frame.at(1, 0, 0));

    m_painter.setFont(y.labelFont.font);
    for (double value : ticks(TChartAxisKind::Y, frame.front.height())) {
        const long double f = m_y.fraction(value);
        if (f < 0 || f > 1)
            continue;
        const QPointF p = frame.at(0, f, 0);
        m_painter.drawLine(p, p - QPointF(tick, 0));
        if (y.labelsShown)
            drawTurnedText(m_painter, labelText(TChartAxisKind::Y, value),
                           QPointF(p.x() - tick - gap - y.labelBox.width() / 2, p.y()), y.axis->LabelAngle);
    }
    m_painter.setFont(x.labelFont.font);
    for (double value : ticks(TChartAxisKind::X, frame.front.width())) {
        const long double f = m_x.fraction(value);
        if (f < 0 || f > 1)
            continue;
        const QPointF p = frame.at(f, 0, 0);
        m_painter.drawLine(p, p + QPointF(0, tick));
        if (x.labelsShown)
            drawTurnedText(m_painter, labelText(TChartAxisKind::X, value),
                           QPointF(p.x(), p.y() + tick + gap + x.labelBox.height() / 2), x.axis->LabelAngle);
    }

    const QRectF front(frame.front);
    if (y.titleShown) {
        m_painter.setFont(y.titleFont.font);
        const double labels = y.labelsShown ? y.labelBox.width() + gap : 0;
        drawTurnedText(m_painter, QString::fromStdString(y.axis->Title),
                       QPointF(front.left() - tick - labels - gap - y.titleBox.width() / 2, front.center().y()),
                       y.axis->TitleAngle);
    }
    if (x.titleShown) {
        m_painter.setFont(x.titleFont.font);
        const double labels = x.labelsShown ? x.labelBox.height() + gap : 0;
        drawTurnedText(m_painter, QString::fromStdString(x.axis->Title),
                       QPointF(front.center().x(), front.bottom() + tick + labels + gap + x.titleBox.height() / 2),
                       x.axis->TitleAngle);
    }
}

} // namespace orv
