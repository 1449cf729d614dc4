// A chart is laid out from the outside in: the background fills the box, the
// title takes the top, the legend its side, and what is left holds the plot
// (axes, walls and series) or the pies. Marks, title and legend are painted
// last so that no series covers them.
#include "charts/ChartDrawer.h"

#include "charts/ChartAxes.h"
#include "charts/ChartLegend.h"
#include "charts/ChartMarks.h"
#include "charts/ChartPlan.h"
#include "charts/ChartSeriesPainter.h"
#include "charts/ChartStyle.h"
#include "charts/ChartText.h"
#include "document/ObjectStyles.h"
#include "surface/DrawingSurface.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace orv {

namespace {

// Scales beyond these draw nothing a reader could use; they are held here so
// that no size overflows.
constexpr double kSmallestScale = 0.001;
constexpr double kLargestScale = 1000;

// The title across the top of the chart.
class TChartTitleBand {
public:
    TChartTitleBand(const TChartTitle& title, QPainter& painter, double scale)
        : m_title(title)
        , m_painter(painter)
        , m_scale(scale)
        , m_text(QString::fromStdString(title.Text))
        , m_font(chartFont(title.FontName, title.FontSize, "", scale, *painter.device()))
    {
    }

    // Takes the top of `area`; returns the rest.
    QRect place(const QRect& area)
    {
        if (m_text.isEmpty() || !m_font.drawable())
            return area;
        const int pad = std::max(scaledChartSize(2, m_scale), 1) + frameWidth();
        const QSizeF text = chartTextSize(m_painter, m_font.font, m_text);
        const int width = std::min(static_cast<int>(std::ceil(text.width())) + 2 * pad, area.width());
        const int height = static_cast<int>(std::ceil(text.height())) + 2 * pad;
        int left = area.left() + (area.width() - width) / 2;
        const auto alignment = static_cast<TTextAlignment>(m_title.Alignment);
        if (alignment == TTextAlignment::Left)
            left = area.left();
        else if (alignment == TTextAlignment::Right)
            left = area.right() + 1 - width;
        m_box = QRect(left, area.top(), width, height);
        return area.adjusted(0, height + std::max(scaledChartSize(4, m_scale), 1), 0, 0);
    }

    void paint() const
    {
        if (m_box.isEmpty())
            return;
        m_painter.setPen(Qt::NoPen);
        m_painter.setBrush(chartBackBrush(m_title.BackStyle, qColorOf(m_title.BackColor & 0xFFFFFF)));
        m_painter.drawRect(m_box);
        const QPen frame = chartFramePen(m_title.BorderStyle, frameWidth(), qColorOf(m_title.BorderColor & 0xFFFFFF));
        if (frame.style() != Qt::NoPen) {
            const double inset = m_title.BorderStyle == kInsideFrame ? frame.widthF() / 2 : 0.5;
            m_painter.setPen(frame);
            m_painter.setBrush(Qt::NoBrush);
            m_painter.drawRect(QRectF(m_box).adjusted(inset, inset, -inset, -inset));
        }
        m_painter.setFont(m_font.font);
        m_painter.setPen(qColorOf(m_title.FontColor & 0xFFFFFF));
        m_painter.drawText(m_box, Qt::AlignCenter, m_text);
    }

private:
    int frameWidth() const
    {
        return m_title.BorderStyle == kHiddenFrame ? 0 : std::max(scaledChartSize(m_title.BorderWidth, m_scale), 1);
    }

    const TChartTitle& m_title;
    QPainter& m_painter;
    const double m_scale;
    const QString m_text;
    const TChartFont m_font;
    QRect m_box;
};

void paintBackground(QPainter& painter, const TChartObject& chart, const QRect& box)
{
    painter.fillRect(box, Qt::white);
    if (chart.Gradient.Visible)
        painter.fillRect(box, chartGradientBrush(chart.Gradient, QRectF(box)));
}

// The plot with its axes, walls and series; returns where marks go.
std::vector<TMarkSpot> paintPlot(QPainter& painter, const TChartPlan& plan, const QRect& area, double scale)
{
    const TChartAxes axes(plan, painter, scale);
    const TPlotFrame frame = axes.place(area);
    if (!frame.usable())
        return {};
    axes.paintWalls(frame);
    axes.paintGrid(frame);
    painter.save();
    // Points outside a fixed range are cut off at the plot's edges.
    painter.setClipRect(frame.bounds(), Qt::IntersectClip);
    std::vector<TMarkSpot> marks = TChartSeriesPainter(plan, axes, frame, painter, scale).paint();
    painter.restore();
    axes.paintAxes(frame);
    return marks;
}

} // namespace

void drawChart(QPainter& painter, const TChartObject& chart, const QRect& box, double scale)
{
    if (box.width() <= 0 || box.height() <= 0 || !painter.isActive() || !painter.device())
        return;
    scale = std::isfinite(scale) ? std::clamp(scale, kSmallestScale, kLargestScale) : 1.0;

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setClipRect(box, painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    paintBackground(painter, chart, box);

    const int marginX = std::max(static_cast<int>(std::lround(box.width() * 0.03)), 1);
    const int marginY = std::max(static_cast<int>(std::lround(box.height() * 0.04)), 1);
    QRect area = box.adjusted(marginX, marginY, -marginX, -marginY);

    const TChartPlan plan(chart);
    TChartTitleBand title(chart.Title, painter, scale);
    area = title.place(area);
    TChartLegendBox legend(plan, painter, scale);
    if (chart.Legend.Visible)
        area = legend.place(area);

    const std::vector<TMarkSpot> marks =
        plan.drawsPies() ? paintPies(plan, painter, area, scale) : paintPlot(painter, plan, area, scale);
    TChartMarkPainter(plan, painter, scale).paint(marks);
    title.paint();
    legend.paint();
    painter.restore();
}

} // namespace orv
