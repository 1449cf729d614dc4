#pragma once

// Changing the chart records of a page: series, data points, the chart type,
// the axis ranges and the settings that accept only a range of values.

#include "document/Chart.h"

#include <cstdint>
#include <string>

namespace orv {

class TReport;

// The values a chart setting accepts; any other value leaves it unchanged.
struct TValueRange {
    int32_t Lowest = 0;
    int32_t Highest = 0;

    constexpr bool contains(int32_t value) const { return value >= Lowest && value <= Highest; }
};

inline constexpr TValueRange kAxisAngles{0, 360};
inline constexpr TValueRange kPercents3D{1, 100};
inline constexpr TValueRange kWallSizes{0, 100};
inline constexpr TValueRange kGradientDirections{0, 6};
inline constexpr TValueRange kFrameStyles{0, 6};
inline constexpr TValueRange kFrameWidths{0, 25};
inline constexpr TValueRange kLegendStyles{0, 3};
inline constexpr TValueRange kTitleAlignments{0, 3};
inline constexpr TValueRange kTitleBackStyles{0, 7};
inline constexpr TValueRange kChartTypes{0, 7};
inline constexpr TValueRange kBarStyles{0, 6};
inline constexpr TValueRange kMultibarStyles{0, 3};
inline constexpr TValueRange kMarksStyles{0, 8};

template <class Field>
void setWithin(Field& field, int32_t value, TValueRange range)
{
    if (range.contains(value))
        field = static_cast<Field>(value);
}

// Number of charts on page pageNumber (0: the draw page); -1 for a page
// outside the report.
int32_t chartCount(const TReport& report, int32_t pageNumber);

// Appends a series of the type (low 8 bits) and makes it current. The series
// count is 16 bits wide: a chart already holding the most series is left
// unchanged rather than wrapping its current series number.
void addSeries(TChartObject& chart, int32_t seriesType, std::string title, Colour color);
// Series n (1-based) becomes current; any other number changes nothing.
void selectSeries(TChartObject& chart, int32_t n);
TChartSeriesObject& currentSeries(TChartObject& chart);
const TChartSeriesObject& currentSeries(const TChartObject& chart);
void addPoint(TChartObject& chart, TChartValues point);

// Sets the chart's type and the current series' type.
void setChartType(TChartObject& chart, int32_t chartType);
// The bar style belongs to the chart; the current series keeps a copy.
void setBarStyle(TChartObject& chart, int32_t barStyle);

enum class TChartAxisKind { X, Y };

TChartAxis& chartAxis(TChartObject& chart, TChartAxisKind kind);

// A minimum above the stored maximum, a maximum below the stored minimum and
// a value that is not a finite number are ignored.
void setAxisMinimum(TChartAxis& axis, double minimum);
void setAxisMaximum(TChartAxis& axis, double maximum);

struct TAxisRange {
    double Minimum = 0;
    double Maximum = 0;
};

// The coordinates plotted along an axis: the smallest and the largest. The
// drawn axis widens this range for bars (render/ChartScale). Point i (0-based) of a series stands at
// position i and has its X as value; values run up the Y axis, or along the
// X axis for horizontal bars, and positions along the other axis. Pies stand
// on no axis. Without any point the range is 0 to 0.
TAxisRange automaticAxisRange(const TChartObject& chart, TChartAxisKind kind);

// Stores the flag and, either way, the range the drawn axis chose for itself
// (`computed`), so that a host can read it or keep it as its own range.
void setAxisAutomatic(TChartObject& chart, TChartAxisKind kind, bool automatic, TAxisRange computed);

} // namespace orv
