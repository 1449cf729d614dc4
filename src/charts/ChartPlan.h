#pragma once

// How the series of one chart share its plot: which stand on the axes and
// which are pies, the depth slot of each series in a 3D chart, the bar
// groups of the multibar styles and the colour of every series and point.

#include "document/Chart.h"
#include "document/ChartOperations.h"

#include <QColor>

#include <cstddef>
#include <optional>
#include <vector>

namespace orv {

enum class TSeriesKind { Line, Bar, HorizontalBar, Area, Point, Pie };

// 0 line, 1 vertical bar, 2 horizontal bar, 3 area, 4 point, anything else pie.
TSeriesKind seriesKind(uint8_t seriesType);

enum class TMultibar { None = 0, SideBySide = 1, Stacked = 2, Stacked100 = 3 };

// Where one bar runs along the value axis.
struct TBarExtent {
    double base = 0;
    double top = 0;
};

struct TSeriesPlacement {
    size_t series = 0;     // index into the chart's series
    TSeriesKind kind = TSeriesKind::Line;
    int slot = 0;          // depth slot, 0 at the front
    int groupIndex = 0;    // side by side bars: this series' place in its group
    int groupSize = 1;
};

class TChartPlan {
public:
    explicit TChartPlan(const TChartObject& chart);

    const TChartObject& chart() const { return m_chart; }
    // The series drawn on the axes, back slots first, as they are painted.
    const std::vector<TSeriesPlacement>& axisSeries() const { return m_axisSeries; }
    const std::vector<size_t>& pieSeries() const { return m_pieSeries; }
    // Pies are drawn only in a chart that holds nothing else: they stand on
    // no axis.
    bool drawsPies() const { return m_axisSeries.empty() && !m_pieSeries.empty(); }
    int slotCount() const { return m_slotCount; }
    TMultibar multibar() const { return m_multibar; }

    // The bar of point `point` of a bar series, stacked as the multibar
    // style says; stacked to 100 % it runs in percent of the point's total.
    TBarExtent barExtent(const TSeriesPlacement& placement, size_t point) const;
    // The values the bars of one orientation reach, their base 0 included;
    // none when the chart has no such bars.
    std::optional<TAxisRange> barValueRange(TSeriesKind barKind) const;

    QColor seriesColour(size_t series) const;
    QColor pointColour(size_t series, size_t point) const;
    // Pie slices that ask for the default colour each take their own.
    QColor sliceColour(size_t series, size_t point) const;

private:
    void stackBars(TSeriesKind barKind);

    const TChartObject& m_chart;
    TMultibar m_multibar;
    std::vector<TSeriesPlacement> m_axisSeries;
    std::vector<size_t> m_pieSeries;
    int m_slotCount = 1;
    // Stacked bars: the extent of every point, per series index.
    std::vector<std::vector<TBarExtent>> m_stacked;
};

} // namespace orv
