#include "document/ChartOperations.h"

#include "document/Report.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>

namespace orv {

namespace {

enum class TPlacement { PositionsAlongX, ValuesAlongX, OffAxes };

TPlacement placement(uint8_t seriesType)
{
    constexpr uint8_t kHorizontalBar = 2;
    constexpr uint8_t kFirstPie = 5;
    if (seriesType == kHorizontalBar)
        return TPlacement::ValuesAlongX;
    return seriesType >= kFirstPie ? TPlacement::OffAxes : TPlacement::PositionsAlongX;
}

} // namespace

int32_t chartCount(const TReport& report, int32_t pageNumber)
{
    if (pageNumber == 0)
        pageNumber = report.drawPageNumber();
    if (pageNumber < 1 || pageNumber > report.pageCount())
        return -1;
    return static_cast<int32_t>(report.page(pageNumber).Charts.size());
}

void addSeries(TChartObject& chart, int32_t seriesType, std::string title, Colour color)
{
    if (chart.Series.size() >= static_cast<size_t>(std::numeric_limits<int16_t>::max()))
        return;
    TChartSeriesObject& series = chart.Series.emplace_back();
    series.SeriesType = static_cast<uint8_t>(seriesType);
    series.Title = std::move(title);
    series.Color = color;
    chart.CurrentSeries = static_cast<int16_t>(chart.Series.size() - 1);
}

void selectSeries(TChartObject& chart, int32_t n)
{
    if (n >= 1 && static_cast<size_t>(n) <= chart.Series.size())
        chart.CurrentSeries = static_cast<int16_t>(n - 1);
}

TChartSeriesObject& currentSeries(TChartObject& chart)
{
    return chart.Series.at(static_cast<size_t>(chart.CurrentSeries));
}

const TChartSeriesObject& currentSeries(const TChartObject& chart)
{
    return chart.Series.at(static_cast<size_t>(chart.CurrentSeries));
}

void addPoint(TChartObject& chart, TChartValues point)
{
    currentSeries(chart).Values.push_back(std::move(point));
}

void setChartType(TChartObject& chart, int32_t chartType)
{
    if (!kChartTypes.contains(chartType))
        return;
    chart.ChartType = static_cast<uint8_t>(chartType);
    currentSeries(chart).SeriesType = chart.ChartType;
}

void setBarStyle(TChartObject& chart, int32_t barStyle)
{
    if (!kBarStyles.contains(barStyle))
        return;
    chart.BarStyle = static_cast<uint8_t>(barStyle);
    currentSeries(chart).BarStyle = chart.BarStyle;
}

TChartAxis& chartAxis(TChartObject& chart, TChartAxisKind kind)
{
    return kind == TChartAxisKind::X ? chart.XAxis : chart.YAxis;
}

void setAxisMinimum(TChartAxis& axis, double minimum)
{
    if (std::isfinite(minimum) && minimum <= axis.Maximum)
        axis.Minimum = minimum;
}

void setAxisMaximum(TChartAxis& axis, double maximum)
{
    if (std::isfinite(maximum) && maximum >= axis.Minimum)
        axis.Maximum = maximum;
}

TAxisRange automaticAxisRange(const TChartObject& chart, TChartAxisKind kind)
{
    std::optional<TAxisRange> range;
    auto include = [&range](double coordinate) {
        if (!range)
            range = TAxisRange{coordinate, coordinate};
        range->Minimum = std::min(range->Minimum, coordinate);
        range->Maximum = std::max(range->Maximum, coordinate);
    };
    for (const TChartSeriesObject& series : chart.Series) {
        const TPlacement place = placement(series.SeriesType);
        if (place == TPlacement::OffAxes || series.Values.empty())
            continue;
        const bool valuesAlongThisAxis = (place == TPlacement::ValuesAlongX) == (kind == TChartAxisKind::X);
        if (valuesAlongThisAxis) {
            for (const TChartValues& point : series.Values)
                include(point.X);
        } else {
            include(0);
            include(static_cast<double>(series.Values.size() - 1));
        }
    }
    return range.value_or(TAxisRange{});
}

void setAxisAutomatic(TChartObject& chart, TChartAxisKind kind, bool automatic, TAxisRange computed)
{
    TChartAxis& axis = chartAxis(chart, kind);
    axis.Automatic = automatic;
    axis.Minimum = computed.Minimum;
    axis.Maximum = computed.Maximum;
}

} // namespace orv
