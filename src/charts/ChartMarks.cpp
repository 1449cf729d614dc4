#include "charts/ChartMarks.h"

#include "charts/ChartPlan.h"
#include "charts/ChartSeriesPainter.h"
#include "charts/ChartText.h"
#include "surface/DrawingSurface.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace orv {

namespace {

// The room of a series' marks is measured on this many points.
constexpr size_t kMeasuredMarks = 1000;

double plotted(const TChartValues& point)
{
    return std::isfinite(point.X) ? point.X : 0;
}

QString percentText(double value, double total)
{
    if (!(total > 0))
        return QStringLiteral("0 %");
    QString percent = QString::number(value / total * 100, 'f', 2);
    while (percent.endsWith(QLatin1Char('0')))
        percent.chop(1);
    if (percent.endsWith(QLatin1Char('.')))
        percent.chop(1);
    return percent + QStringLiteral(" %");
}

QString joined(const QString& first, const QString& second)
{
    return first + QLatin1Char(' ') + second;
}

} // namespace

QString pointLegendText(const TChartPlan& plan, size_t series, size_t point)
{
    const TChartValues& values = plan.chart().Series[series].Values[point];
    return values.Legend.empty() ? chartValueText(values.X) : QString::fromStdString(values.Legend);
}

TChartMarkPainter::TChartMarkPainter(const TChartPlan& plan, QPainter& painter, double scale)
    : m_plan(plan)
    , m_painter(painter)
    , m_scale(scale)
{
    m_font = chartFont("Arial", plan.chart().Marks.FontSize, "", scale, *painter.device());
    m_visible = plan.chart().Marks.Visible && m_font.drawable();
    if (!m_visible)
        return;
    for (const TChartSeriesObject& series : plan.chart().Series) {
        double total = 0;
        for (const TChartValues& point : series.Values)
            total += std::abs(plotted(point));
        m_totals.push_back(total);
    }
}

QString TChartMarkPainter::text(size_t series, size_t point) const
{
    const double value = plotted(m_plan.chart().Series[series].Values[point]);
    const double total = m_totals.empty() ? 0 : m_totals[series];
    const QString label = pointLegendText(m_plan, series, point);
    const QString percent = percentText(std::abs(value), total);
    const QString ofTotal = percent + QStringLiteral(" of ") + chartValueText(total);
    switch (m_plan.chart().Marks.Style) {
    case 1:
        return percent;
    case 2:
    case 5:
        return label;
    case 3:
        return joined(label, percent);
    case 4:
        return joined(label, chartValueText(value));
    case 6:
        return ofTotal;
    case 7:
        return joined(label, ofTotal);
    case 8:
        return QString::number(point);
    default:
        return chartValueText(value);
    }
}

double TChartMarkPainter::arrowLength() const
{
    return std::max(scaledChartSize(8, m_scale), 2);
}

QSizeF TChartMarkPainter::boxSize(const QString& text) const
{
    const double pad = std::max(scaledChartSize(2, m_scale), 1);
    return chartTextSize(m_painter, m_font.font, text) + QSizeF(2 * pad, 2 * pad);
}

QSizeF TChartMarkPainter::room(size_t series) const
{
    if (!m_visible)
        return QSizeF();
    QSizeF largest;
    const size_t points = std::min(m_plan.chart().Series[series].Values.size(), kMeasuredMarks);
    for (size_t i = 0; i < points; ++i)
        largest = largest.expandedTo(boxSize(text(series, i)));
    return largest + QSizeF(arrowLength(), arrowLength());
}

void TChartMarkPainter::paint(const std::vector<TMarkSpot>& spots) const
{
    if (!m_visible)
        return;
    const QColor back = qColorOf(m_plan.chart().Marks.BackColor & 0xFFFFFF);
    const bool transparent = m_plan.chart().Marks.Transparent;
    m_painter.setFont(m_font.font);
    for (const TMarkSpot& spot : spots) {
        const QString label = text(spot.series, spot.point);
        const QSizeF size = boxSize(label);
        const QPointF start = spot.anchor + spot.direction * arrowLength();
        const double reach = std::abs(spot.direction.x()) * size.width() / 2 +
                             std::abs(spot.direction.y()) * size.height() / 2;
        const QRectF box(start + spot.direction * reach - QPointF(size.width() / 2, size.height() / 2), size);
        m_painter.setPen(QPen(Qt::darkGray, 0));
        m_painter.drawLine(spot.anchor, start);
        m_painter.setPen(QPen(Qt::black, 0));
        m_painter.setBrush(transparent ? QBrush(Qt::NoBrush) : QBrush(back));
        m_painter.drawRect(box);
        m_painter.drawText(box, Qt::AlignCenter, label);
    }
}

} // namespace orv
