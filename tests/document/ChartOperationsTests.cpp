#include "document/ChartOperations.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace orv;

namespace {

constexpr uint8_t kLine = 0, kBar = 1, kHorizontalBar = 2, kPie = 5;

TChartObject chartWithValues(uint8_t type, std::initializer_list<double> values)
{
    TChartObject chart(type);
    for (double value : values)
        addPoint(chart, {value, 0, "", 0});
    return chart;
}

void expectRange(const TAxisRange& range, double minimum, double maximum)
{
    EXPECT_DOUBLE_EQ(range.Minimum, minimum);
    EXPECT_DOUBLE_EQ(range.Maximum, maximum);
}

} // namespace

TEST(ChartOperations, AutomaticRangesPutValuesUpTheYAxisAndPositionsAlongX)
{
    const TChartObject chart = chartWithValues(kBar, {3, -2, 7});
    expectRange(automaticAxisRange(chart, TChartAxisKind::X), 0, 2);
    expectRange(automaticAxisRange(chart, TChartAxisKind::Y), -2, 7);
}

TEST(ChartOperations, AutomaticRangesOfHorizontalBarsRunValuesAlongX)
{
    const TChartObject chart = chartWithValues(kHorizontalBar, {4, 9});
    expectRange(automaticAxisRange(chart, TChartAxisKind::X), 4, 9);
    expectRange(automaticAxisRange(chart, TChartAxisKind::Y), 0, 1);
}

TEST(ChartOperations, AutomaticRangesCoverEverySeriesOnAxesAndNoPie)
{
    TChartObject chart = chartWithValues(kLine, {5});
    addSeries(chart, kLine, "second", 0);
    addPoint(chart, {1, 0, "", 0});
    addPoint(chart, {2, 0, "", 0});
    addPoint(chart, {8, 0, "", 0});
    addSeries(chart, kPie, "share", 0);
    addPoint(chart, {-100, 0, "", 0});
    expectRange(automaticAxisRange(chart, TChartAxisKind::X), 0, 2);
    expectRange(automaticAxisRange(chart, TChartAxisKind::Y), 1, 8);

    expectRange(automaticAxisRange(TChartObject(kBar), TChartAxisKind::Y), 0, 0);
}

TEST(ChartOperations, SwitchingAnAxisToManualKeepsTheRangeItChose)
{
    TChartObject chart = chartWithValues(kBar, {2, 6});
    setAxisAutomatic(chart, TChartAxisKind::Y, false, automaticAxisRange(chart, TChartAxisKind::Y));
    EXPECT_FALSE(chart.YAxis.Automatic);
    EXPECT_DOUBLE_EQ(chart.YAxis.Minimum, 2);
    EXPECT_DOUBLE_EQ(chart.YAxis.Maximum, 6);
    EXPECT_TRUE(chart.XAxis.Automatic);
}

TEST(ChartOperations, AxisLimitsNeverCrossOrTakeNonNumbers)
{
    TChartAxis axis;
    setAxisMinimum(axis, 1);
    EXPECT_EQ(axis.Minimum, 0) << "a minimum above the maximum is ignored";
    setAxisMaximum(axis, 10);
    setAxisMinimum(axis, 10);
    EXPECT_EQ(axis.Minimum, 10) << "a minimum equal to the maximum is taken";
    setAxisMaximum(axis, 9);
    EXPECT_EQ(axis.Maximum, 10);

    for (double bad : {std::nan(""), std::numeric_limits<double>::infinity(),
                       -std::numeric_limits<double>::infinity()}) {
        setAxisMinimum(axis, bad);
        setAxisMaximum(axis, bad);
    }
    EXPECT_EQ(axis.Minimum, 10);
    EXPECT_EQ(axis.Maximum, 10);
}

TEST(ChartOperations, SeriesSelectionStaysInsideTheSeriesList)
{
    TChartObject chart(kBar);
    addSeries(chart, 300 + kLine, "wrapped type", 0x123456);
    EXPECT_EQ(chart.CurrentSeries, 1);
    EXPECT_EQ(currentSeries(chart).SeriesType, 300 % 256);
    for (int32_t outside : {0, 3, -1}) {
        selectSeries(chart, outside);
        EXPECT_EQ(chart.CurrentSeries, 1) << outside;
    }
    selectSeries(chart, 1);
    EXPECT_EQ(chart.CurrentSeries, 0);
}

// The current series number is 16 bits wide: one series more would wrap it
// to a negative number and point outside the list.
TEST(ChartOperations, AddingSeriesStopsAtTheLargestSeriesNumber)
{
    TChartObject chart(kLine);
    const size_t most = std::numeric_limits<int16_t>::max();
    while (chart.Series.size() < most)
        addSeries(chart, kLine, "", 0);
    addSeries(chart, kBar, "one too many", 0);
    EXPECT_EQ(chart.Series.size(), most);
    EXPECT_EQ(chart.CurrentSeries, most - 1);
    EXPECT_EQ(currentSeries(chart).SeriesType, kLine);
}

TEST(ChartOperations, ChartTypeAndBarStyleReachTheCurrentSeriesOnly)
{
    TChartObject chart(kBar);
    addSeries(chart, kBar, "second", 0);
    setChartType(chart, 3);
    setBarStyle(chart, 4);
    EXPECT_EQ(chart.ChartType, 3);
    EXPECT_EQ(chart.BarStyle, 4);
    EXPECT_EQ(chart.Series[1].SeriesType, 3);
    EXPECT_EQ(chart.Series[1].BarStyle, 4);
    EXPECT_EQ(chart.Series[0].SeriesType, kBar);
    EXPECT_EQ(chart.Series[0].BarStyle, 0);

    setChartType(chart, 8);
    setBarStyle(chart, 7);
    EXPECT_EQ(chart.ChartType, 3);
    EXPECT_EQ(chart.Series[1].SeriesType, 3);
    EXPECT_EQ(chart.BarStyle, 4);
}
