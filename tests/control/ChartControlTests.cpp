#include "LateBoundControlTest.h"
#include <orvreport/Dispatch.h>
#include <orvreport/EngineError.h>
#include <orvreport/TORVREP.h>
#include "platform/ScriptedUiServices.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

using namespace orv;

namespace {

class ChartControlTest : public LateBoundControlTest {
protected:
    void addChart(int32_t type) { call("AddChart", {"chart", type, 1, 1, 4, 3}); }
    TChartObject& chart(int32_t n = 1) { return control.report().drawPage().Charts.at(static_cast<size_t>(n) - 1); }

};

// A setting that accepts only a range: one value inside it and the nearest
// values outside it on either side.
struct RangedSetting {
    const char* name;
    int32_t lowest;
    int32_t highest;
};

constexpr RangedSetting kRangedSettings[] = {
    {"ChartXAxisTitleAngle", 0, 360},  {"ChartYAxisTitleAngle", 0, 360},   {"ChartYAxisLabelAngle", 0, 360},
    {"Chart3DPercent", 1, 100},        {"ChartLeftWallSize", 0, 100},      {"ChartGradientDirection", 0, 6},
    {"ChartLegendBorderStyle", 0, 6},  {"ChartLegendStyle", 0, 3},         {"ChartLegendBorderWidth", 0, 25},
    {"ChartTitleAlignment", 0, 3},     {"ChartTitleBackStyle", 0, 7},      {"ChartTitleBorderStyle", 0, 6},
    {"ChartTitleBorderWidth", 0, 25},  {"ChartType", 0, 7},                {"ChartSeriesBarStyle", 0, 6},
    {"ChartSeriesMultibarStyle", 0, 3}, {"ChartSeriesMarksStyle", 0, 8},
};

} // namespace

TEST_F(ChartControlTest, CountsTheChartsOfAnyPageAndRefusesPagesOutsideTheReport)
{
    addChart(1);
    addChart(0);
    control.NewPage();
    addChart(4);
    EXPECT_EQ(call("ChartGetCount", {}), Variant(1));
    EXPECT_EQ(call("ChartGetCount", {1}), Variant(2));
    EXPECT_EQ(call("ChartGetCount", {2}), Variant(1));
    for (int32_t outside : {99, 3, -1})
        EXPECT_EQ(call("ChartGetCount", {outside}), Variant(-1)) << outside;
}

TEST_F(ChartControlTest, SettingsIgnoreValuesOutsideTheirRange)
{
    addChart(1);
    for (const RangedSetting& setting : kRangedSettings) {
        SCOPED_TRACE(setting.name);
        put(setting.name, setting.highest);
        EXPECT_EQ(get(setting.name).toInt32(), setting.highest);
        put(setting.name, setting.highest + 1);
        EXPECT_EQ(get(setting.name).toInt32(), setting.highest);
        put(setting.name, setting.lowest);
        EXPECT_EQ(get(setting.name).toInt32(), setting.lowest);
        if (setting.lowest > 0) {
            put(setting.name, setting.lowest - 1);
            EXPECT_EQ(get(setting.name).toInt32(), setting.lowest);
        }
    }
    put("ChartXAxisTitleAngle", -1);
    EXPECT_EQ(get("ChartXAxisTitleAngle").toInt32(), 0);
}

TEST_F(ChartControlTest, SettingsReadBackWhatWasStored)
{
    addChart(1);
    put("ChartTitle", "Sales 2026");
    put("ChartLeftWallColor", 0x00FF8040);
    put("ChartLegendShadowSize", 70000);
    put("ChartDataPointLegendFontSize", 11);
    put("ChartBottomWallSize", 200);
    put("Chart3DView", false);
    EXPECT_EQ(get("ChartTitle"), Variant("Sales 2026"));
    EXPECT_EQ(get("ChartLeftWallColor"), Variant(0x00FF8040));
    EXPECT_EQ(get("ChartLegendShadowSize"), Variant(70000));
    EXPECT_EQ(get("ChartDataPointLegendFontSize").toInt32(), 11);
    EXPECT_EQ(get("ChartBottomWallSize").toInt32(), 200);
    EXPECT_EQ(get("Chart3DView"), Variant(false));
    EXPECT_EQ(chart().Marks.FontSize, 11);
    EXPECT_EQ(chart().BackWall.Size, 0);
}

TEST_F(ChartControlTest, AxisLimitsIgnoreAMinimumAboveTheMaximumAndAMaximumBelowTheMinimum)
{
    addChart(1);
    for (const char* axis : {"X", "Y"}) {
        SCOPED_TRACE(axis);
        const std::string minimum = std::string("Chart") + axis + "AxisMin";
        const std::string maximum = std::string("Chart") + axis + "AxisMax";
        put(minimum.c_str(), 5.0);
        EXPECT_EQ(get(minimum.c_str()), Variant(0.0));
        put(maximum.c_str(), 20.5);
        put(minimum.c_str(), 5.0);
        put(maximum.c_str(), 4.0);
        EXPECT_EQ(get(minimum.c_str()), Variant(5.0));
        EXPECT_EQ(get(maximum.c_str()), Variant(20.5));
    }
}

TEST_F(ChartControlTest, AutomaticAxesStoreTheRangeTheyComputeFromTheData)
{
    addChart(1);
    call("ChartAddXYData", {3, 0, "north", 0xFF});
    call("ChartAddXYData", {7, 0, "south", 0xFF00});
    put("ChartXAxisAutomatic", true);
    put("ChartYAxisAutomatic", true);
    EXPECT_EQ(get("ChartXAxisAutomatic"), Variant(true));
    // Bars stand half a step inside the positions and on a base of 0.
    EXPECT_EQ(get("ChartXAxisMin"), Variant(-0.5));
    EXPECT_EQ(get("ChartXAxisMax"), Variant(1.5));
    EXPECT_EQ(get("ChartYAxisMin"), Variant(0.0));
    EXPECT_EQ(get("ChartYAxisMax"), Variant(7.0));

    put("ChartYAxisAutomatic", false);
    put("ChartYAxisMax", 10.0);
    EXPECT_EQ(get("ChartYAxisAutomatic"), Variant(false));
    EXPECT_EQ(get("ChartYAxisMin"), Variant(0.0));
    EXPECT_EQ(get("ChartYAxisMax"), Variant(10.0));

    // Lines plot the values themselves.
    put("ChartType", 0);
    put("ChartYAxisAutomatic", true);
    EXPECT_EQ(get("ChartYAxisMin"), Variant(3.0));
    EXPECT_EQ(get("ChartYAxisMax"), Variant(7.0));
}

TEST_F(ChartControlTest, AnAxisSwitchedToItsComputedRangeDrawsTheSameChart)
{
    addChart(1);
    call("ChartAddXYData", {30, 0, "north", 0xFF});
    call("ChartAddXYData", {70, 0, "south", 0xFF00});
    QTemporaryDir dir;
    auto exported = [&](const char* name) {
        const std::string path = dir.filePath(name).toStdString();
        EXPECT_EQ(call("SaveToPNG", {path.c_str(), 1, false, 0, 24, false}), Variant(0));
        return QImage(QString::fromStdString(path + ".PNG")).convertToFormat(QImage::Format_RGB32);
    };
    const QImage automatic = exported("automatic");
    put("ChartXAxisAutomatic", false);
    put("ChartYAxisAutomatic", false);
    EXPECT_EQ(exported("fixed"), automatic);
}

TEST_F(ChartControlTest, HideLabelsStoresTheNegation)
{
    addChart(1);
    put("ChartXAxisHideLabels", true);
    EXPECT_EQ(get("ChartXAxisHideLabels"), Variant(true));
    EXPECT_FALSE(chart().XAxis.LabelsShown);
    EXPECT_TRUE(chart().YAxis.LabelsShown);
    EXPECT_EQ(get("ChartYAxisHideLabels"), Variant(false));
}

TEST_F(ChartControlTest, DataGoesToTheCurrentSeries)
{
    addChart(1);
    call("ChartAddSeries", {2, "costs", 0x0000FF});
    call("ChartAddXYData", {4, 9, "q1", 0x112233});
    EXPECT_EQ(get("ChartSeriesTitle"), Variant("costs"));
    EXPECT_EQ(get("ChartSeriesColor"), Variant(0x0000FF));

    call("ChartSelectSeries", {1});
    call("ChartAddXYData", {5, 0, "q2", 0});
    call("ChartSelectSeries", {3});
    call("ChartAddXYData", {6, 0, "q3", 0});
    put("ChartSeriesTitle", "sales");

    ASSERT_EQ(chart().Series.size(), 2u);
    const TChartSeriesObject& first = chart().Series[0];
    const TChartSeriesObject& second = chart().Series[1];
    EXPECT_EQ(first.Title, "sales");
    ASSERT_EQ(first.Values.size(), 2u);
    EXPECT_EQ(first.Values[1].X, 6);
    EXPECT_EQ(second.SeriesType, 2);
    ASSERT_EQ(second.Values.size(), 1u);
    EXPECT_EQ(second.Values[0].X, 4);
    EXPECT_EQ(second.Values[0].Y, 9);
    EXPECT_EQ(second.Values[0].Legend, "q1");
    EXPECT_EQ(second.Values[0].Color, 0x112233u);
}

TEST_F(ChartControlTest, SeriesTitleMayBeOmitted)
{
    addChart(1);
    call("ChartAddSeries", {4, Variant::missing(), 0xABCDEF});
    EXPECT_EQ(get("ChartSeriesTitle"), Variant(""));
    EXPECT_EQ(chart().Series.back().Color, 0xABCDEFu);
}

TEST_F(ChartControlTest, ChartTypeAlsoRetypesTheCurrentSeries)
{
    addChart(1);
    call("ChartAddSeries", {0, "line", 0});
    put("ChartType", 6);
    EXPECT_EQ(chart().ChartType, 6);
    EXPECT_EQ(chart().Series[1].SeriesType, 6);
    EXPECT_EQ(chart().Series[0].SeriesType, 1);
}

TEST_F(ChartControlTest, APointWhoseValueIsNotANumberIsRefused)
{
    addChart(1);
    EXPECT_THROW(call("ChartAddXYData", {"many", 0, "", 0}), EngineError);
    EXPECT_TRUE(chart().Series[0].Values.empty());
}

TEST_F(ChartControlTest, ChartAddDataChangesNothing)
{
    addChart(1);
    call("ChartAddData", {1, 5, "label", 0xFF});
    EXPECT_TRUE(chart().Series[0].Values.empty());
    EXPECT_EQ(chart().Series.size(), 1u);
}

// No chart selected, or the selected number has no chart on the draw page
// (another page became the draw page): nothing is read or changed.
TEST_F(ChartControlTest, WithoutASelectedChartGettersReadEmptyAndPutsChangeNothing)
{
    addChart(1);
    addChart(1);
    auto expectNothingReachable = [this] {
        EXPECT_EQ(get("ChartTitleFontName"), Variant(""));
        EXPECT_EQ(get("Chart3DPercent").toInt32(), 0);
        EXPECT_EQ(get("ChartSeriesTitle"), Variant(""));
        EXPECT_EQ(get("ChartSeriesColor"), Variant(-1));
        put("ChartTitle", "lost");
        put("ChartSeriesColor", 5);
        put("ChartXAxisAutomatic", true);
        call("ChartAddSeries", {1, "lost", 0});
        call("ChartSelectSeries", {1});
        call("ChartAddXYData", {1, 1, "lost", 0});
    };

    EXPECT_EQ(call("ChartSelect", {3}), Variant(false));
    expectNothingReachable();

    ASSERT_EQ(call("ChartSelect", {2}), Variant(true));
    control.NewPage();
    expectNothingReachable();
    EXPECT_EQ(call("ChartGetCount", {}), Variant(0));
    for (const TChartObject& untouched : control.report().page(1).Charts) {
        EXPECT_EQ(untouched.Title.Text, "");
        ASSERT_EQ(untouched.Series.size(), 1u);
        EXPECT_TRUE(untouched.Series[0].Values.empty());
    }
}

TEST_F(ChartControlTest, APageShowsItsBarChartWithBarsInTheRatioOfTheirValues)
{
    addChart(1); // 4 x 3 inches at (1, 1): pixels 96 to 480 and 96 to 384
    put("Chart3DView", false);
    put("ChartLegendVisible", false);
    call("ChartAddXYData", {10, 0, "low", 0x0000FF});
    call("ChartAddXYData", {20, 0, "high", 0xFF0000});
    QTemporaryDir dir;
    const std::string name = dir.filePath("page").toStdString();
    ASSERT_EQ(call("SaveToPNG", {name.c_str(), 1, false, 0, 24, false}), Variant(0));
    const QImage page = QImage(QString::fromStdString(name + ".PNG")).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(page.isNull());

    auto barOf = [&](QRgb colour) {
        QRect bounds;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                if (page.pixel(x, y) == colour)
                    bounds |= QRect(x, y, 1, 1);
        return bounds;
    };
    const QRect low = barOf(qRgb(255, 0, 0)), high = barOf(qRgb(0, 0, 255));
    ASSERT_FALSE(low.isEmpty());
    ASSERT_FALSE(high.isEmpty());
    EXPECT_TRUE(QRect(96, 96, 384, 288).contains(low.united(high)));
    EXPECT_NEAR(static_cast<double>(low.height()) / high.height(), 0.5, 0.02);
    EXPECT_LT(low.right(), high.left());
}

TEST_F(ChartControlTest, SaveToMetafileWritesTheChartAsAnEnhancedMetafileOfAtLeastFiftyPixels)
{
    QTemporaryDir dir;
    const std::string wanted = dir.filePath("chart.wmf").toStdString();
    std::vector<Variant> args{Variant(wanted), 20, 30};
    auto save = [&] { TDispatchTable::instance().invoke(control, "ChartSaveToMetafile", InvokeMethod, args); };

    save();
    EXPECT_EQ(args[0], Variant(wanted)) << "no chart selected: nothing changes";
    EXPECT_FALSE(QFile::exists(dir.filePath("chart.EMF")));

    addChart(1);
    call("ChartAddXYData", {10, 0, "low", 0x0000FF});
    save();
    const std::string written = dir.filePath("chart.EMF").toStdString();
    EXPECT_EQ(args[0], Variant(written));
    QFile file(QString::fromStdString(written));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray emf = file.readAll();
    ASSERT_GT(emf.size(), 88);
    auto field = [&](int offset) { return qFromLittleEndian<int32_t>(emf.constData() + offset); };
    EXPECT_EQ(field(0), 1) << "starts with the header record";
    EXPECT_EQ(field(40), 0x464D4520) << "the EMF signature";
    EXPECT_EQ(field(72), 50);
    EXPECT_EQ(field(76), 50);
    EXPECT_GT(field(52), 10) << "the chart is drawn: more records than a header and an end";

    args = {Variant(wanted), 300, 200};
    save();
    file.close();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray larger = file.readAll();
    EXPECT_EQ(qFromLittleEndian<int32_t>(larger.constData() + 72), 300);
    EXPECT_EQ(qFromLittleEndian<int32_t>(larger.constData() + 76), 200);

    args = {Variant(wanted), 5000000, 200};
    EXPECT_THROW(save(), EngineError) << "a metafile beyond any canvas is refused";
}
