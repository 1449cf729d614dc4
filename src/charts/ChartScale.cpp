#include "charts/ChartScale.h"

#include "charts/ChartPlan.h"

#include <algorithm>
#include <cmath>

namespace orv {

namespace {

// Past this many ticks an axis shows nothing readable.
constexpr size_t kMostTicks = 1000;

long double roundStep(long double atLeast)
{
    const long double power = std::pow(10.0L, std::floor(std::log10(atLeast)));
    for (long double factor : {1.0L, 2.0L, 5.0L, 10.0L})
        if (factor * power >= atLeast)
            return factor * power;
    return 10 * power;
}

bool hasPoints(const TChartPlan& plan, TSeriesKind kind)
{
    return std::any_of(plan.axisSeries().begin(), plan.axisSeries().end(), [&](const TSeriesPlacement& placement) {
        return placement.kind == kind && !plan.chart().Series[placement.series].Values.empty();
    });
}

} // namespace

TChartAxisScale::TChartAxisScale(double minimum, double maximum)
    : m_minimum(minimum)
    , m_maximum(maximum)
{
    if (!std::isfinite(minimum) || !std::isfinite(maximum)) {
        m_minimum = 0;
        m_maximum = 1;
    }
    if (m_maximum <= m_minimum) {
        m_minimum -= 1;
        m_maximum += 1;
    }
}

long double TChartAxisScale::fraction(double coordinate) const
{
    return (coordinate - m_minimum) / (m_maximum - m_minimum);
}

std::vector<double> TChartAxisScale::ticks(double length, double minimumGap, bool wholeSteps) const
{
    std::vector<double> result;
    if (!(length > 0) || !(minimumGap > 0))
        return result;
    const long double span = m_maximum - m_minimum;
    long double step = roundStep(span * minimumGap / length);
    if (wholeSteps)
        step = std::max(step, 1.0L);
    if (!std::isfinite(static_cast<double>(step)) || step <= 0)
        return result;
    const long double first = std::ceil(m_minimum / step);
    for (long double n = first; result.size() < kMostTicks; ++n) {
        const long double tick = n * step;
        if (tick > m_maximum * (1 + 1e-12L) + 1e-12L)
            break;
        // A tick within rounding of zero is zero.
        result.push_back(std::abs(tick) < step * 1e-9L ? 0.0 : static_cast<double>(tick));
    }
    return result;
}

TChartAxisScale drawnAxisScale(const TChartPlan& plan, TChartAxisKind kind)
{
    const TChartObject& chart = plan.chart();
    const TChartAxis& axis = kind == TChartAxisKind::X ? chart.XAxis : chart.YAxis;
    if (!axis.Automatic)
        return TChartAxisScale(axis.Minimum, axis.Maximum);

    TAxisRange range = automaticAxisRange(chart, kind);
    const TSeriesKind valueBars = kind == TChartAxisKind::X ? TSeriesKind::HorizontalBar : TSeriesKind::Bar;
    const TSeriesKind positionBars = kind == TChartAxisKind::X ? TSeriesKind::Bar : TSeriesKind::HorizontalBar;
    if (const std::optional<TAxisRange> bars = plan.barValueRange(valueBars)) {
        if (plan.multibar() == TMultibar::Stacked100) {
            range = *bars;
        } else {
            range.Minimum = std::min(range.Minimum, bars->Minimum);
            range.Maximum = std::max(range.Maximum, bars->Maximum);
        }
    }
    if (hasPoints(plan, positionBars)) {
        range.Minimum -= 0.5;
        range.Maximum += 0.5;
    }
    return TChartAxisScale(range.Minimum, range.Maximum);
}

TAxisRange computedAxisRange(const TChartObject& chart, TChartAxisKind kind)
{
    TChartObject automatic = chart;
    (kind == TChartAxisKind::X ? automatic.XAxis : automatic.YAxis).Automatic = true;
    const TChartAxisScale scale = drawnAxisScale(TChartPlan(automatic), kind);
    return TAxisRange{scale.minimum(), scale.maximum()};
}

bool axisCarriesPositions(const TChartPlan& plan, TChartAxisKind kind)
{
    if (plan.axisSeries().empty())
        return kind == TChartAxisKind::X;
    // The first series added, wherever its depth slot put it.
    const auto first = std::min_element(
        plan.axisSeries().begin(), plan.axisSeries().end(),
        [](const TSeriesPlacement& a, const TSeriesPlacement& b) { return a.series < b.series; });
    const bool horizontal = first->kind == TSeriesKind::HorizontalBar;
    return horizontal == (kind == TChartAxisKind::Y);
}

} // namespace orv
