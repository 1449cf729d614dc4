#include "render/PageImageTesting.h"

#include "document/ChartOperations.h"
#include "charts/ChartDrawer.h"
#include "charts/ChartMarks.h"
#include "charts/ChartPlan.h"
#include "charts/ChartStyle.h"
#include "surface/DrawingSurface.h"

#include <QElapsedTimer>
#include <QPainter>

#include <cmath>
#include <limits>

using namespace orv;
using namespace orv::testing;

namespace {

// Windows colours (0x00BBGGRR) and how they look.
constexpr Colour kRed = 0x0000FF, kBlue = 0xFF0000, kGreen = 0x00C000, kYellow = 0x00FFFF, kMagenta = 0xFF00FF,
                 kCyan = 0xFFFF00;
const QColor kSentinel(90, 60, 30);

bool red(QRgb p) { return isColour(p, QColor(255, 0, 0)); }
bool blue(QRgb p) { return isColour(p, QColor(0, 0, 255)); }
bool green(QRgb p) { return isColour(p, QColor(0, 192, 0)); }

// The chart drawn on an image larger than its box, so that anything drawn
// outside the box shows on the sentinel colour around it.
QImage drawn(const TChartObject& chart, QSize size = QSize(400, 300), double scale = 1, QPoint at = QPoint(10, 10))
{
    QImage image(size.expandedTo(QSize(0, 0)) + QSize(2 * at.x(), 2 * at.y()), QImage::Format_RGB32);
    image.fill(kSentinel);
    QPainter painter(&image);
    drawChart(painter, chart, QRect(at, size), scale);
    return image;
}

int outsideBox(const QImage& image, QRect box)
{
    return countPixels(image, image.rect(), [](QRgb) { return true; }) -
           countPixels(image, image.rect(), [](QRgb p) { return p == kSentinel.rgb(); }) -
           countPixels(image, box, [](QRgb p) { return p != kSentinel.rgb(); });
}

// A flat chart with only what a test looks at.
TChartObject plainChart(uint8_t type, std::initializer_list<std::pair<double, Colour>> points)
{
    TChartObject chart(type);
    chart.View3D = false;
    chart.Legend.Visible = false;
    chart.Marks.Visible = false;
    for (const auto& [value, colour] : points)
        addPoint(chart, {value, 0, "", colour});
    return chart;
}

} // namespace

TEST(ChartDrawer, BarsRiseFromZeroInTheRatioOfTheirValues)
{
    for (uint8_t multibar : {0, 1, 2}) {
        SCOPED_TRACE(multibar);
        TChartObject chart = plainChart(1, {{10, kRed}, {20, kBlue}});
        chart.MultibarStyle = multibar;
        const QImage image = drawn(chart);
        const QRect low = boundsOf(image, image.rect(), red), high = boundsOf(image, image.rect(), blue);
        ASSERT_FALSE(low.isEmpty());
        ASSERT_FALSE(high.isEmpty());
        EXPECT_NEAR(static_cast<double>(low.height()) / high.height(), 0.5, 0.02);
        EXPECT_NEAR(low.bottom(), high.bottom(), 1) << "both stand on the value 0";
        EXPECT_EQ(low.width(), high.width());
        EXPECT_LT(low.right(), high.left()) << "the first point stands left of the second";
    }
}

TEST(ChartDrawer, HorizontalBarsRunAlongXAndStackedOnesAddUp)
{
    const TChartObject horizontal = plainChart(2, {{30, kRed}, {10, kBlue}});
    QImage image = drawn(horizontal);
    const QRect first = boundsOf(image, image.rect(), red), second = boundsOf(image, image.rect(), blue);
    EXPECT_NEAR(static_cast<double>(second.width()) / first.width(), 1.0 / 3, 0.02);
    EXPECT_GT(first.top(), second.bottom()) << "the first point is at the bottom";

    // Two series stacked, and the same to 100 %: the second bar sits on the first.
    TChartObject stacked = plainChart(1, {{10, kRed}});
    addSeries(stacked, 1, "", kBlue);
    addPoint(stacked, {30, 0, "", kBlue});
    for (uint8_t multibar : {2, 3}) {
        stacked.MultibarStyle = multibar;
        image = drawn(stacked);
        const QRect under = boundsOf(image, image.rect(), red), over = boundsOf(image, image.rect(), blue);
        EXPECT_NEAR(under.top(), over.bottom() + 1, 1) << int(multibar);
        EXPECT_NEAR(static_cast<double>(over.height()) / under.height(), 3, 0.1) << int(multibar);
        EXPECT_EQ(under.left(), over.left());
    }
}

TEST(ChartDrawer, AxisRangesDecideWherePointsLand)
{
    TChartObject chart = plainChart(1, {{10, kRed}, {20, kBlue}});
    const int automatic = boundsOf(drawn(chart), QRect(0, 0, 420, 320), blue).height();

    chart.YAxis.Automatic = false;
    chart.YAxis.Maximum = 40;
    const QImage fixed = drawn(chart);
    EXPECT_NEAR(static_cast<double>(automatic) / boundsOf(fixed, fixed.rect(), blue).height(), 2, 0.05);

    // A range above a bar's value leaves nothing of it.
    chart.YAxis.Minimum = 15;
    const QImage raised = drawn(chart);
    EXPECT_EQ(countPixels(raised, raised.rect(), red), 0);
    EXPECT_NEAR(static_cast<double>(automatic) / boundsOf(raised, raised.rect(), blue).height(), 5, 0.2)
        << "the top 5 of a 25 wide range";
}

TEST(ChartDrawer, PiesPaintEachPointInItsColourInProportion)
{
    for (uint8_t type : {5, 6, 7}) {
        SCOPED_TRACE(int(type));
        const TChartObject chart = plainChart(type, {{10, kRed}, {20, kGreen}, {-30, kBlue}});
        const QImage image = drawn(chart);
        const double r = countPixels(image, image.rect(), red), g = countPixels(image, image.rect(), green),
                     b = countPixels(image, image.rect(), blue);
        ASSERT_GT(r, 500);
        EXPECT_NEAR(g / r, 2, 0.2);
        EXPECT_NEAR(b / r, 3, 0.3) << "a negative value counts by its size";
    }
    // Slices asking for the default colour each get their own.
    TChartObject defaults = plainChart(6, {{1, kChartDefaultColour}, {1, kChartDefaultColour}});
    const TChartPlan plan(defaults);
    EXPECT_NE(plan.sliceColour(0, 0), plan.sliceColour(0, 1));
}

TEST(ChartDrawer, LegendStandsAtTheSideItsPositionNames)
{
    TChartObject chart = plainChart(1, {{10, kRed}, {20, kBlue}});
    chart.Legend.Visible = true;
    chart.Legend.BorderColor = kGreen;
    chart.Legend.BorderWidth = 2;
    auto legendCentre = [&](uint8_t position) {
        chart.Legend.Position = position;
        const QImage image = drawn(chart);
        return boundsOf(image, image.rect(), green).center();
    };
    const QPoint middle(210, 160);
    EXPECT_LT(legendCentre(1).x(), middle.x() - 100);
    EXPECT_LT(legendCentre(2).y(), middle.y() - 80);
    EXPECT_GT(legendCentre(3).x(), middle.x() + 100);
    EXPECT_GT(legendCentre(4).y(), middle.y() + 80);
    EXPECT_EQ(legendCentre(0), legendCentre(3)) << "0 keeps the default side";

    // The plot makes room for the legend unless told not to: the bar,
    // looked at below the legend, ends left of it or reaches further.
    chart.Legend.Position = 3;
    const QRect legend = boundsOf(drawn(chart), QRect(0, 0, 420, 320), green);
    const QRect belowLegend(0, legend.bottom() + 1, 420, 320);
    const int resized = boundsOf(drawn(chart), belowLegend, blue).right();
    EXPECT_LT(resized, legend.left());
    chart.Legend.ResizeChart = false;
    EXPECT_GT(boundsOf(drawn(chart), belowLegend, blue).right(), resized + legend.width() / 2);

    chart.Legend.Visible = false;
    EXPECT_EQ(countPixels(drawn(chart), QRect(0, 0, 420, 320), green), 0);
}

TEST(ChartDrawer, GradientRunsInItsSevenDirections)
{
    TChartObject chart(0);
    chart.Walls3D = false;
    chart.AxesVisible = false;
    chart.Legend.Visible = false;
    chart.Gradient.Visible = true;
    chart.Gradient.StartColor = kBlue;
    chart.Gradient.EndColor = kRed;
    struct Direction {
        uint8_t code;
        QPoint start, end; // where each colour shows, in a 400 x 300 box at (10, 10)
    };
    const QPoint top(210, 11), bottom(210, 308), left(11, 160), right(408, 160), centre(210, 160),
        topLeft(11, 11), bottomRight(408, 308), bottomLeft(11, 308), topRight(408, 11);
    for (const Direction& d : {Direction{0, bottom, top}, Direction{1, top, bottom}, Direction{2, right, left},
                               Direction{3, left, right}, Direction{4, centre, topLeft},
                               Direction{5, topLeft, bottomRight}, Direction{6, bottomLeft, topRight}}) {
        SCOPED_TRACE(int(d.code));
        chart.Gradient.Direction = d.code;
        const QImage image = drawn(chart);
        EXPECT_TRUE(blue(image.pixel(d.start))) << QColor(image.pixel(d.start)).name().toStdString();
        EXPECT_TRUE(red(image.pixel(d.end))) << QColor(image.pixel(d.end)).name().toStdString();
    }
    chart.Gradient.Visible = false;
    EXPECT_EQ(drawn(chart).pixel(top), qRgb(255, 255, 255));
}

TEST(ChartDrawer, WallsShowInTheirColoursUnlessTransparentOrHidden)
{
    TChartObject chart = plainChart(1, {{5, kRed}});
    chart.View3D = true;
    chart.Percent3D = 30;
    chart.LeftWall.Color = kYellow;
    chart.BottomWall.Color = kMagenta;
    chart.BackWall.Color = kCyan;
    auto shown = [&](Colour colour) {
        const QColor look = qColorOf(colour);
        const QImage image = drawn(chart);
        return countPixels(image, image.rect(), [&](QRgb p) { return isColour(p, look, 10); });
    };
    EXPECT_GT(shown(kYellow), 500);
    EXPECT_GT(shown(kMagenta), 500);
    EXPECT_GT(shown(kCyan), 5000);

    chart.LeftWall.Transparent = true;
    EXPECT_EQ(shown(kYellow), 0);
    EXPECT_GT(shown(kMagenta), 500);

    // A wall's size shows as its thickness, in a darker shade.
    const int before = shown(kMagenta);
    chart.BottomWall.Size = 10;
    const QImage thick = drawn(chart);
    EXPECT_GT(countPixels(thick, thick.rect(), [](QRgb p) { return isColour(p, QColor(196, 0, 196), 10); }), 1000);
    EXPECT_EQ(shown(kMagenta), before);

    chart.Walls3D = false;
    EXPECT_EQ(shown(kMagenta) + shown(kCyan), 0);
}

TEST(ChartDrawer, MarksLabelEveryPointUnlessHiddenOrTransparent)
{
    constexpr Colour kMarkBack = 0x80FF00; // a bright green
    TChartObject chart = plainChart(1, {{10, kRed}, {20, kBlue}});
    chart.Marks.BackColor = kMarkBack;
    auto markPixels = [&] {
        const QImage image = drawn(chart);
        return countPixels(image, image.rect(), [](QRgb p) { return isColour(p, QColor(0, 255, 128), 10); });
    };
    EXPECT_EQ(markPixels(), 0);
    chart.Marks.Visible = true;
    const int two = markPixels();
    EXPECT_GT(two, 100);
    addPoint(chart, {15, 0, "", kRed});
    EXPECT_GT(markPixels(), two * 5 / 4) << "one mark per point";
    chart.Marks.Transparent = true;
    EXPECT_EQ(markPixels(), 0);
}

TEST(ChartDrawer, MarkTextsFollowTheMarksStyle)
{
    TChartObject chart = plainChart(6, {{250, kRed}, {750, kBlue}});
    chart.Series[0].Values[0].Legend = "Apples";
    chart.Marks.Visible = true;
    QImage image(10, 10, QImage::Format_RGB32);
    QPainter painter(&image);
    const TChartPlan plan(chart);
    const char* expected[] = {"250",     "25 %",        "Apples",          "Apples 25 %", "Apples 250",
                              "Apples", "25 % of 1,000", "Apples 25 % of 1,000", "0"};
    for (uint8_t style = 0; style < 9; ++style) {
        chart.Marks.Style = style;
        EXPECT_EQ(TChartMarkPainter(plan, painter, 1).text(0, 0).toStdString(), expected[style]) << int(style);
    }
    chart.Marks.Style = 2;
    EXPECT_EQ(TChartMarkPainter(plan, painter, 1).text(0, 1).toStdString(), "750") << "no label: the value";

    EXPECT_EQ(chartValueText(1234567.25).toStdString(), "1,234,567.25");
    EXPECT_EQ(chartValueText(-1000).toStdString(), "-1,000");
    EXPECT_EQ(chartValueText(0.00049).toStdString(), "0");
    EXPECT_EQ(chartValueText(999.9999).toStdString(), "1,000");
}

TEST(ChartDrawer, TitleTakesItsAlignmentBrushAndScaledFont)
{
    TChartObject chart = plainChart(1, {{10, kRed}});
    chart.Title.Text = "Quarterly";
    chart.Title.BackStyle = 0;
    chart.Title.BackColor = kGreen;
    auto titleBox = [&](uint8_t alignment, double scale = 1) {
        chart.Title.Alignment = alignment;
        const QImage image = drawn(chart, QSize(400, 300) * scale, scale);
        return boundsOf(image, image.rect(), green);
    };
    EXPECT_LT(titleBox(0).left(), 30);
    EXPECT_GT(titleBox(1).right(), 380);
    EXPECT_NEAR(titleBox(2).center().x(), 210, 2);
    EXPECT_EQ(titleBox(3), titleBox(2)) << "3 is the default: centred";
    EXPECT_LT(titleBox(2).top(), 40);
    EXPECT_NEAR(titleBox(2, 2).height(), 2 * titleBox(2).height(), 4) << "fonts grow with the scale";

    chart.Title.BackStyle = 1;
    EXPECT_TRUE(titleBox(2).isEmpty()) << "back style 1 is clear";
}

TEST(ChartDrawer, HostileChartsDrawInsideTheirBoxAndNeverCrash)
{
    std::vector<TChartObject> charts;
    for (uint8_t type = 0; type < 8; ++type)
        charts.emplace_back(type); // one series without points
    TChartObject huge = plainChart(1, {});
    for (int i = 0; i < 50000; ++i)
        addPoint(huge, {static_cast<double>(i % 97), 0, "label", kRed});
    huge.Marks.Visible = true;
    huge.Legend.Visible = true;
    huge.Legend.Style = 2;
    charts.push_back(huge);
    huge.ChartType = 6;
    huge.Series[0].SeriesType = 6;
    charts.push_back(huge);
    TChartObject crowded(0);
    for (int s = 0; s < 3000; ++s)
        addSeries(crowded, s % 8, "s", kChartDefaultColour);
    addPoint(crowded, {1, 0, "", kBlue});
    charts.push_back(crowded);
    TChartObject extreme = plainChart(1, {{std::numeric_limits<double>::max(), kRed},
                                          {-std::numeric_limits<double>::max(), kBlue},
                                          {std::nan(""), kGreen},
                                          {std::numeric_limits<double>::infinity(), kGreen}});
    extreme.Marks.Visible = true;
    extreme.Legend.ShadowSize = 70000;
    extreme.Title.Text = "Title";
    extreme.Title.FontSize = 32767;
    extreme.XAxis.LabelAngle = -32768;
    extreme.XAxis.Automatic = false; // 0 to 0
    charts.push_back(extreme);

    QElapsedTimer timer;
    timer.start();
    for (const TChartObject& chart : charts) {
        for (QSize size : {QSize(400, 300), QSize(3, 3), QSize(0, 0), QSize(-50, 40), QSize(1, 500)}) {
            const QImage image = drawn(chart, size);
            EXPECT_EQ(outsideBox(image, QRect(QPoint(10, 10), size)), 0)
                << "type " << int(chart.ChartType) << " in " << size.width() << " x " << size.height();
        }
        for (double scale : {0.0, -1.0, std::nan(""), 1e9})
            drawn(chart, QSize(200, 100), scale);
    }
    EXPECT_LT(timer.elapsed(), 60000) << "crowded charts are cut to what the box shows";
}
