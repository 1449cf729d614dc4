#pragma once

// The range an axis shows when the chart is drawn and the ticks along it.

#include "document/ChartOperations.h"

#include <vector>

namespace orv {

class TChartPlan;

class TChartAxisScale {
public:
    TChartAxisScale() = default;
    // A range without length (or a reversed one) is widened by one on
    // either side, so that every coordinate has a place.
    TChartAxisScale(double minimum, double maximum);

    double minimum() const { return static_cast<double>(m_minimum); }
    double maximum() const { return static_cast<double>(m_maximum); }

    // Where a coordinate lies: 0 at the minimum, 1 at the maximum, beyond
    // them for coordinates outside. Extended precision keeps the span of
    // the largest doubles finite.
    long double fraction(double coordinate) const;

    // Ticks at a round step (1, 2 or 5 times a power of ten) that leaves at
    // least `minimumGap` pixels between ticks on an axis `length` pixels
    // long; positions take whole steps only.
    std::vector<double> ticks(double length, double minimumGap, bool wholeSteps) const;

private:
    long double m_minimum = 0;
    long double m_maximum = 1;
};

// The scale of an axis: the stored range when it is fixed; otherwise the
// range the axis chooses for itself (automaticAxisRange), widened so that
// bars keep their base at 0 (stacked bars their sums, 100 % stacks 0 to
// 100) and bar slots half a step beyond the first and last position.
TChartAxisScale drawnAxisScale(const TChartPlan& plan, TChartAxisKind kind);

// The range the axis shows when it scales itself, as the chart is drawn:
// what the Automatic properties store as the axis's minimum and maximum.
TAxisRange computedAxisRange(const TChartObject& chart, TChartAxisKind kind);

// True when the axis runs along the positions of the first series on the
// axes (its labels then name the points), false when it carries values.
bool axisCarriesPositions(const TChartPlan& plan, TChartAxisKind kind);

} // namespace orv
