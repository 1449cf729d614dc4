#include "charts/ChartLegend.h"

#include "charts/ChartMarks.h"
#include "charts/ChartPlan.h"
#include "charts/ChartText.h"

#include "surface/DrawingSurface.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace orv {

namespace {

enum class TLegendSide { Left = 1, Top = 2, Right = 3, Bottom = 4 };

TLegendSide sideOf(uint8_t position)
{
    return position >= 1 && position <= 4 ? static_cast<TLegendSide>(position) : TLegendSide::Right;
}

// Rows beyond what any legend box can show are never made.
constexpr size_t kMostRows = 10000;

QString seriesName(const TChartSeriesObject& series, size_t n)
{
    return series.Title.empty() ? QStringLiteral("Series %1").arg(n + 1) : QString::fromStdString(series.Title);
}

} // namespace

TChartLegendBox::TChartLegendBox(const TChartPlan& plan, QPainter& painter, double scale)
    : m_plan(plan)
    , m_painter(painter)
    , m_scale(scale)
{
    const TChartObject& chart = plan.chart();
    if (chart.Legend.Visible)
        m_font = chartFont(chart.Legend.FontName, chart.Legend.FontSize, "", scale, *painter.device());
    m_pad = std::max(scaledChartSize(4, scale), 2);
}

int TChartLegendBox::lineHeight() const
{
    return static_cast<int>(std::ceil(QFontMetricsF(m_font.font, m_painter.device()).height()));
}

void TChartLegendBox::makeRows(size_t most)
{
    const TChartObject& chart = m_plan.chart();
    const bool loneSeries = chart.Series.size() == 1;
    const uint8_t style = chart.Legend.Style;
    if (style == 2 || (style == 0 && loneSeries)) {
        if (chart.Series.empty())
            return;
        const size_t points = std::min(chart.Series[0].Values.size(), most);
        const bool pie = seriesKind(chart.Series[0].SeriesType) == TSeriesKind::Pie;
        for (size_t i = 0; i < points; ++i)
            m_rows.push_back({pie ? m_plan.sliceColour(0, i) : m_plan.pointColour(0, i), pointLegendText(m_plan, 0, i)});
        return;
    }
    const size_t count = std::min(chart.Series.size(), most);
    for (size_t s = 0; s < count; ++s) {
        const TChartSeriesObject& series = chart.Series[s];
        QString text = seriesName(series, s);
        if (style == 3)
            text = series.Values.empty() ? QString()
                                         : pointLegendText(m_plan, s, series.Values.size() - 1) + QLatin1Char(' ') + text;
        m_rows.push_back({m_plan.seriesColour(s), text});
    }
}

QRect TChartLegendBox::place(const QRect& area)
{
    if (!m_font.drawable() || area.width() <= 2 * m_pad || area.height() <= 2 * m_pad)
        return area;
    const int line = std::max(lineHeight(), 1);
    m_swatch = std::max(line * 2 / 3, 1);
    const size_t capacity = static_cast<size_t>(area.height() / line + 1) *
                            static_cast<size_t>(area.width() / (m_swatch + 2 * m_pad) + 1);
    makeRows(std::min(capacity, kMostRows));
    if (m_rows.empty())
        return area;

    const TChartObject& chart = m_plan.chart();
    const TLegendSide side = sideOf(chart.Legend.Position);
    if (side == TLegendSide::Left || side == TLegendSide::Right)
        layOutColumn(area);
    else
        layOutLines(area);
    if (m_rowBoxes.empty()) {
        m_box = QRect();
        return area;
    }
    // The box was laid out at the origin; it moves to its side.
    QPoint corner;
    switch (side) {
    case TLegendSide::Left:
        corner = area.topLeft();
        break;
    case TLegendSide::Right:
        corner = QPoint(area.right() + 1 - m_box.width(), area.top());
        break;
    case TLegendSide::Top:
        corner = QPoint(area.left() + (area.width() - m_box.width()) / 2, area.top());
        break;
    case TLegendSide::Bottom:
        corner = QPoint(area.left() + (area.width() - m_box.width()) / 2, area.bottom() + 1 - m_box.height());
        break;
    }
    m_box.translate(corner);
    for (QRect& row : m_rowBoxes)
        row.translate(corner);
    if (!chart.Legend.ResizeChart)
        return area;
    const int gap = std::max(scaledChartSize(8, m_scale), 2);
    switch (side) {
    case TLegendSide::Left:
        return area.adjusted(m_box.width() + gap, 0, 0, 0);
    case TLegendSide::Right:
        return area.adjusted(0, 0, -m_box.width() - gap, 0);
    case TLegendSide::Top:
        return area.adjusted(0, m_box.height() + gap, 0, 0);
    case TLegendSide::Bottom:
        return area.adjusted(0, 0, 0, -m_box.height() - gap);
    }
    return area;
}

void TChartLegendBox::layOutColumn(const QRect& area)
{
    const int line = lineHeight();
    const size_t shown = std::min(m_rows.size(), static_cast<size_t>(std::max((area.height() - 2 * m_pad) / line, 0)));
    double widest = 0;
    for (size_t r = 0; r < shown; ++r)
        widest = std::max(widest, chartTextSize(m_painter, m_font.font, m_rows[r].text).width());
    // A legend takes at most half the chart's width; longer texts are cut.
    const int width = std::min(static_cast<int>(std::ceil(widest)) + m_swatch + 3 * m_pad, area.width() / 2);
    m_box = QRect(0, 0, width, static_cast<int>(shown) * line + 2 * m_pad);
    for (size_t r = 0; r < shown; ++r)
        m_rowBoxes.emplace_back(m_pad, m_pad + static_cast<int>(r) * line, width - 2 * m_pad, line);
}

void TChartLegendBox::layOutLines(const QRect& area)
{
    const int line = lineHeight();
    const int lineWidth = area.width() - 2 * m_pad;
    const int mostLines = std::max((area.height() / 2 - 2 * m_pad) / line, 1);
    int x = 0, lines = 1, widest = 0;
    for (const TRow& row : m_rows) {
        const int width = std::min(
            static_cast<int>(std::ceil(chartTextSize(m_painter, m_font.font, row.text).width())) + m_swatch + 3 * m_pad,
            lineWidth);
        if (x > 0 && x + width > lineWidth) {
            if (lines == mostLines)
                break;
            ++lines;
            x = 0;
        }
        m_rowBoxes.emplace_back(m_pad + x, m_pad + (lines - 1) * line, width - m_pad, line);
        x += width;
        widest = std::max(widest, x);
    }
    m_box = QRect(0, 0, widest + 2 * m_pad, lines * line + 2 * m_pad);
}

void TChartLegendBox::paint() const
{
    if (m_rowBoxes.empty())
        return;
    const TChartLegend& legend = m_plan.chart().Legend;
    if (legend.ShadowSize != 0)
        m_painter.fillRect(m_box.translated(legend.ShadowSize, legend.ShadowSize), qColorOf(legend.ShadowColor & 0xFFFFFF));
    m_painter.fillRect(m_box, Qt::white);

    const int frameWidth = scaledChartSize(legend.BorderWidth, m_scale);
    const QPen frame = chartFramePen(legend.BorderStyle, frameWidth, qColorOf(legend.BorderColor & 0xFFFFFF));
    if (frame.style() != Qt::NoPen) {
        // An inside frame keeps its whole width within the box.
        const double inset = legend.BorderStyle == kInsideFrame ? frame.widthF() / 2 : 0.5;
        m_painter.setPen(frame);
        m_painter.setBrush(Qt::NoBrush);
        m_painter.drawRect(QRectF(m_box).adjusted(inset, inset, -inset, -inset));
    }

    const QFontMetricsF metrics(m_font.font, m_painter.device());
    m_painter.setFont(m_font.font);
    for (size_t r = 0; r < m_rowBoxes.size(); ++r) {
        const QRect& row = m_rowBoxes[r];
        m_painter.setPen(QPen(Qt::black, 0));
        m_painter.setBrush(m_rows[r].colour);
        m_painter.drawRect(QRect(row.x(), row.y() + (row.height() - m_swatch) / 2, m_swatch, m_swatch));
        const QRectF text(row.x() + m_swatch + m_pad, row.y(), row.width() - m_swatch - m_pad, row.height());
        m_painter.setPen(qColorOf(legend.FontColor & 0xFFFFFF));
        m_painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                           metrics.elidedText(m_rows[r].text, Qt::ElideRight, std::max(text.width(), 0.0)));
    }
}

} // namespace orv
