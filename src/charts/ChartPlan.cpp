#include "charts/ChartPlan.h"

#include "charts/ChartStyle.h"

#include <algorithm>
#include <cmath>

namespace orv {

namespace {

bool isBar(TSeriesKind kind)
{
    return kind == TSeriesKind::Bar || kind == TSeriesKind::HorizontalBar;
}

// A point's value; one that is not a number plots as nothing.
double plotted(const TChartValues& point)
{
    return std::isfinite(point.X) ? point.X : 0;
}

} // namespace

TSeriesKind seriesKind(uint8_t seriesType)
{
    switch (seriesType) {
    case 0:
        return TSeriesKind::Line;
    case 1:
        return TSeriesKind::Bar;
    case 2:
        return TSeriesKind::HorizontalBar;
    case 3:
        return TSeriesKind::Area;
    case 4:
        return TSeriesKind::Point;
    default:
        return TSeriesKind::Pie;
    }
}

TChartPlan::TChartPlan(const TChartObject& chart)
    : m_chart(chart)
    , m_multibar(static_cast<TMultibar>(std::min<uint8_t>(chart.MultibarStyle, 3)))
{
    // Grouped bars of one orientation share a depth slot; every other series
    // has a slot of its own.
    int nextSlot = 0;
    std::optional<int> groupSlot[2];
    int groupCount[2] = {0, 0};
    for (size_t s = 0; s < chart.Series.size(); ++s) {
        const TSeriesKind kind = seriesKind(chart.Series[s].SeriesType);
        if (kind == TSeriesKind::Pie) {
            m_pieSeries.push_back(s);
            continue;
        }
        TSeriesPlacement placement{s, kind};
        if (isBar(kind) && m_multibar != TMultibar::None) {
            const int group = kind == TSeriesKind::Bar ? 0 : 1;
            if (!groupSlot[group])
                groupSlot[group] = nextSlot++;
            placement.slot = *groupSlot[group];
            if (m_multibar == TMultibar::SideBySide)
                placement.groupIndex = groupCount[group];
            ++groupCount[group];
        } else {
            placement.slot = nextSlot++;
        }
        m_axisSeries.push_back(placement);
    }
    m_slotCount = std::max(nextSlot, 1);
    if (m_multibar == TMultibar::SideBySide) {
        for (TSeriesPlacement& placement : m_axisSeries)
            if (isBar(placement.kind))
                placement.groupSize = groupCount[placement.kind == TSeriesKind::Bar ? 0 : 1];
    }
    std::stable_sort(m_axisSeries.begin(), m_axisSeries.end(),
                     [](const TSeriesPlacement& a, const TSeriesPlacement& b) { return a.slot > b.slot; });
    if (m_multibar == TMultibar::Stacked || m_multibar == TMultibar::Stacked100) {
        m_stacked.resize(chart.Series.size());
        stackBars(TSeriesKind::Bar);
        stackBars(TSeriesKind::HorizontalBar);
    }
}

void TChartPlan::stackBars(TSeriesKind barKind)
{
    std::vector<double> totals, above, below;
    auto grow = [](std::vector<double>& sums, size_t size) {
        if (sums.size() < size)
            sums.resize(size, 0);
    };
    for (const TChartSeriesObject& series : m_chart.Series) {
        if (seriesKind(series.SeriesType) != barKind)
            continue;
        grow(totals, series.Values.size());
        for (size_t i = 0; i < series.Values.size(); ++i)
            totals[i] += std::abs(plotted(series.Values[i]));
    }
    grow(above, totals.size());
    grow(below, totals.size());
    for (size_t s = 0; s < m_chart.Series.size(); ++s) {
        const TChartSeriesObject& series = m_chart.Series[s];
        if (seriesKind(series.SeriesType) != barKind)
            continue;
        std::vector<TBarExtent>& extents = m_stacked[s];
        extents.reserve(series.Values.size());
        for (size_t i = 0; i < series.Values.size(); ++i) {
            double value = plotted(series.Values[i]);
            if (m_multibar == TMultibar::Stacked100)
                value = totals[i] > 0 ? value / totals[i] * 100 : 0;
            double& sum = value >= 0 ? above[i] : below[i];
            extents.push_back({sum, sum + value});
            sum += value;
        }
    }
}

TBarExtent TChartPlan::barExtent(const TSeriesPlacement& placement, size_t point) const
{
    if (!m_stacked.empty() && isBar(placement.kind))
        return m_stacked[placement.series][point];
    return {0, plotted(m_chart.Series[placement.series].Values[point])};
}

std::optional<TAxisRange> TChartPlan::barValueRange(TSeriesKind barKind) const
{
    std::optional<TAxisRange> range;
    for (const TSeriesPlacement& placement : m_axisSeries) {
        if (placement.kind != barKind)
            continue;
        if (!range)
            range = TAxisRange{0, 0};
        const size_t points = m_chart.Series[placement.series].Values.size();
        for (size_t i = 0; i < points; ++i) {
            const TBarExtent bar = barExtent(placement, i);
            range->Minimum = std::min({range->Minimum, bar.base, bar.top});
            range->Maximum = std::max({range->Maximum, bar.base, bar.top});
        }
    }
    return range;
}

QColor TChartPlan::seriesColour(size_t series) const
{
    return chartColour(m_chart.Series[series].Color, chartPaletteColour(series));
}

QColor TChartPlan::pointColour(size_t series, size_t point) const
{
    return chartColour(m_chart.Series[series].Values[point].Color, seriesColour(series));
}

QColor TChartPlan::sliceColour(size_t series, size_t point) const
{
    return chartColour(m_chart.Series[series].Values[point].Color, chartPaletteColour(point));
}

} // namespace orv
