// The chart operations of the control: series and data points of the
// selected chart of the draw page, and its stored settings. The records
// change only through the document layer; a chart is drawn from them later.

#include "control/TORVREP.h"

#include "document/ChartOperations.h"
#include "document/GraphicObjects.h"
#include "platform/AtomicFile.h"
#include "platform/FileNames.h"
#include "platform/Screen.h"
#include "charts/ChartDrawer.h"
#include "charts/ChartScale.h"
#include "metafile/EmfWriter.h"

#include <QPainter>

#include <algorithm>
#include <stdexcept>
#include <string>

namespace orv {

namespace {

// Reads from the selected chart; without one, the value type's empty value.
template <class Value, class Read>
Value readChart(TReport& report, int32_t chartNumber, Read read)
{
    return runTrapped([&]() -> Value {
        const TChartObject* chart = chartAt(report.drawPage(), chartNumber);
        return chart ? static_cast<Value>(read(*chart)) : Value{};
    });
}

// Changes the selected chart; without one, nothing happens.
template <class Change>
void changeChart(TReport& report, int32_t chartNumber, Change change)
{
    runTrapped([&] {
        if (TChartObject* chart = chartAt(report.drawPage(), chartNumber)) {
            change(*chart);
            report.contentChanged();
        }
    });
}

} // namespace

// A setting stored as given (colours convert between the interface's signed
// and the record's unsigned form).
#define ORV_CHART_SETTING(Name, Type, Field)                                                                     \
    Type TORVREP::get_##Name()                                                                                   \
    {                                                                                                            \
        return readChart<Type>(*m_report, m_currentChart, [](const TChartObject& chart) { return chart.Field; }); \
    }                                                                                                            \
    void TORVREP::put_##Name(Type value)                                                                         \
    {                                                                                                            \
        changeChart(*m_report, m_currentChart,                                                                   \
                    [&](TChartObject& chart) { chart.Field = static_cast<decltype(chart.Field)>(value); });      \
    }

#define ORV_CHART_TEXT(Name, Field)                                                                             \
    std::string TORVREP::get_##Name()                                                                           \
    {                                                                                                           \
        return readChart<std::string>(*m_report, m_currentChart,                                                \
                                      [](const TChartObject& chart) { return chart.Field; });                   \
    }                                                                                                           \
    void TORVREP::put_##Name(const std::string& value)                                                          \
    {                                                                                                           \
        changeChart(*m_report, m_currentChart, [&](TChartObject& chart) { chart.Field = value; });              \
    }

// A setting that ignores any value outside its range.
#define ORV_CHART_RANGED(Name, Type, Field, Range)                                                               \
    Type TORVREP::get_##Name()                                                                                   \
    {                                                                                                            \
        return readChart<Type>(*m_report, m_currentChart, [](const TChartObject& chart) { return chart.Field; }); \
    }                                                                                                            \
    void TORVREP::put_##Name(Type value)                                                                         \
    {                                                                                                            \
        changeChart(*m_report, m_currentChart, [&](TChartObject& chart) { setWithin(chart.Field, value, Range); }); \
    }

ORV_CHART_TEXT(ChartXAxisTitle, XAxis.Title)
ORV_CHART_RANGED(ChartXAxisTitleAngle, int16_t, XAxis.TitleAngle, kAxisAngles)
ORV_CHART_SETTING(ChartXAxisLabelAngle, int16_t, XAxis.LabelAngle)
ORV_CHART_SETTING(ChartXAxisFontSize, int16_t, XAxis.TitleFontSize)
ORV_CHART_TEXT(ChartXAxisFontname, XAxis.TitleFontName)
ORV_CHART_TEXT(ChartXAxisFontStyle, XAxis.TitleFontStyle)
ORV_CHART_TEXT(ChartYAxisTitle, YAxis.Title)
ORV_CHART_RANGED(ChartYAxisTitleAngle, int16_t, YAxis.TitleAngle, kAxisAngles)
ORV_CHART_RANGED(ChartYAxisLabelAngle, int16_t, YAxis.LabelAngle, kAxisAngles)
ORV_CHART_SETTING(ChartYAxisFontSize, int16_t, YAxis.TitleFontSize)
ORV_CHART_TEXT(ChartYAxisFontName, YAxis.TitleFontName)
ORV_CHART_TEXT(ChartYAxisFontStyle, YAxis.TitleFontStyle)
ORV_CHART_SETTING(Chart3DView, bool, View3D)
ORV_CHART_RANGED(Chart3DPercent, uint8_t, Percent3D, kPercents3D)
ORV_CHART_SETTING(Chart3DWalls, bool, Walls3D)
ORV_CHART_SETTING(ChartAxisVisible, bool, AxesVisible)
ORV_CHART_SETTING(ChartLeftWallTransparent, bool, LeftWall.Transparent)
ORV_CHART_SETTING(ChartLeftWallColor, int32_t, LeftWall.Color)
ORV_CHART_RANGED(ChartLeftWallSize, uint8_t, LeftWall.Size, kWallSizes)
ORV_CHART_SETTING(ChartBottomWallTransparent, bool, BottomWall.Transparent)
ORV_CHART_SETTING(ChartBottomWallColor, int32_t, BottomWall.Color)
ORV_CHART_SETTING(ChartBottomWallSize, uint8_t, BottomWall.Size)
ORV_CHART_SETTING(ChartBackWallTransparent, bool, BackWall.Transparent)
ORV_CHART_SETTING(ChartBackWallColor, int32_t, BackWall.Color)
ORV_CHART_SETTING(ChartBackWallSize, uint8_t, BackWall.Size)
ORV_CHART_RANGED(ChartGradientDirection, uint8_t, Gradient.Direction, kGradientDirections)
ORV_CHART_SETTING(ChartGradientEndColor, int32_t, Gradient.EndColor)
ORV_CHART_SETTING(ChartGradientStartColor, int32_t, Gradient.StartColor)
ORV_CHART_SETTING(ChartGradientVisible, bool, Gradient.Visible)
ORV_CHART_RANGED(ChartLegendBorderStyle, uint8_t, Legend.BorderStyle, kFrameStyles)
ORV_CHART_TEXT(ChartLegendFontName, Legend.FontName)
ORV_CHART_SETTING(ChartLegendFontColor, int32_t, Legend.FontColor)
ORV_CHART_SETTING(ChartLegendFontSize, int16_t, Legend.FontSize)
ORV_CHART_SETTING(ChartLegendMarginSize, uint8_t, Legend.MarginSize)
ORV_CHART_SETTING(ChartLegendPosition, uint8_t, Legend.Position)
ORV_CHART_RANGED(ChartLegendStyle, uint8_t, Legend.Style, kLegendStyles)
ORV_CHART_RANGED(ChartLegendBorderWidth, uint8_t, Legend.BorderWidth, kFrameWidths)
ORV_CHART_SETTING(ChartLegendVisible, bool, Legend.Visible)
ORV_CHART_SETTING(ChartDataPointLegendFontSize, int16_t, Marks.FontSize)
ORV_CHART_SETTING(ChartYAxisLabelFontSize, int16_t, YAxis.LabelFontSize)
ORV_CHART_SETTING(ChartLegendBorderColor, int32_t, Legend.BorderColor)
ORV_CHART_SETTING(ChartLegendResizeChart, bool, Legend.ResizeChart)
ORV_CHART_SETTING(ChartLegendShadowColor, int32_t, Legend.ShadowColor)
ORV_CHART_SETTING(ChartLegendShadowSize, int32_t, Legend.ShadowSize)
ORV_CHART_TEXT(ChartTitle, Title.Text)
ORV_CHART_RANGED(ChartTitleAlignment, uint8_t, Title.Alignment, kTitleAlignments)
ORV_CHART_SETTING(ChartTitleBackColor, int32_t, Title.BackColor)
ORV_CHART_RANGED(ChartTitleBackStyle, uint8_t, Title.BackStyle, kTitleBackStyles)
ORV_CHART_RANGED(ChartTitleBorderStyle, uint8_t, Title.BorderStyle, kFrameStyles)
ORV_CHART_RANGED(ChartTitleBorderWidth, uint8_t, Title.BorderWidth, kFrameWidths)
ORV_CHART_SETTING(ChartTitleBorderColor, int32_t, Title.BorderColor)
ORV_CHART_SETTING(ChartTitleFontColor, int32_t, Title.FontColor)
ORV_CHART_TEXT(ChartTitleFontName, Title.FontName)
ORV_CHART_SETTING(ChartTitleFontSize, int16_t, Title.FontSize)
ORV_CHART_SETTING(ChartSeriesMarksBackColor, int32_t, Marks.BackColor)
ORV_CHART_RANGED(ChartSeriesMultibarStyle, uint8_t, MultibarStyle, kMultibarStyles)
ORV_CHART_RANGED(ChartSeriesMarksStyle, uint8_t, Marks.Style, kMarksStyles)
ORV_CHART_SETTING(ChartSeriesMarksTransparent, bool, Marks.Transparent)
ORV_CHART_SETTING(ChartSeriesMarksVisible, bool, Marks.Visible)

#undef ORV_CHART_SETTING
#undef ORV_CHART_TEXT
#undef ORV_CHART_RANGED

// --- series and data points ---------------------------------------------------------

int32_t TORVREP::ChartGetCount(int32_t nPageNumber)
{
    return runTrapped([&] { return chartCount(*m_report, nPageNumber); });
}

void TORVREP::ChartAddSeries(int32_t nSeriesType, const Variant& cSeriesTitle, int32_t nSeriesColor)
{
    changeChart(*m_report, m_currentChart, [&](TChartObject& chart) {
        addSeries(chart, nSeriesType, cSeriesTitle.isMissing() ? std::string() : cSeriesTitle.toString(),
                  static_cast<Colour>(nSeriesColor));
    });
}

void TORVREP::ChartSelectSeries(int32_t nSeries)
{
    changeChart(*m_report, m_currentChart, [&](TChartObject& chart) { selectSeries(chart, nSeries); });
}

void TORVREP::ChartAddXYData(int32_t nX, int32_t nY, const Variant& cLegend, int32_t nColor)
{
    changeChart(*m_report, m_currentChart, [&](TChartObject& chart) {
        addPoint(chart, {static_cast<double>(nX), static_cast<double>(nY), cLegend.toString(),
                         static_cast<Colour>(nColor)});
    });
}

// Accepted and ignored: points are added with ChartAddXYData.
void TORVREP::ChartAddData(int32_t, int32_t, const Variant&, int32_t) {}

// The chart alone, as an enhanced metafile of at least 50 x 50 pixels; the
// caller's name comes back with the extension the file was given.
void TORVREP::ChartSaveToMetafile(Variant& cFileName, int32_t nWidth, int32_t nHeight)
{
    constexpr int32_t kSmallestSide = 50;
    runTrapped([&] {
        const TChartObject* chart = chartAt(m_report->drawPage(), m_currentChart);
        if (!chart)
            return;
        const std::string fileName = outputFileName(cFileName.toString(), ".EMF");
        cFileName = Variant(fileName);
        const QSize size(std::max(nWidth, kSmallestSide), std::max(nHeight, kSmallestSide));
        const QByteArray emf = recordEmf(size, screenPixelsPerInch(), [&](QPainter& painter) {
            drawChart(painter, *chart, QRect(QPoint(0, 0), size), 1.0);
        });
        if (emf.isEmpty())
            throw std::runtime_error("Cannot make a metafile of " + std::to_string(size.width()) + " x " +
                                     std::to_string(size.height()) + " pixels");
        writeFileAtomically(fileName, std::string_view(emf.constData(), static_cast<size_t>(emf.size())));
    });
}

std::string TORVREP::get_ChartSeriesTitle()
{
    return readChart<std::string>(*m_report, m_currentChart,
                                  [](const TChartObject& chart) { return currentSeries(chart).Title; });
}

void TORVREP::put_ChartSeriesTitle(const std::string& value)
{
    changeChart(*m_report, m_currentChart, [&](TChartObject& chart) { currentSeries(chart).Title = value; });
}

// -1 tells a host that no chart is selected.
int32_t TORVREP::get_ChartSeriesColor()
{
    return runTrapped([&] {
        const TChartObject* chart = chartAt(m_report->drawPage(), m_currentChart);
        return chart ? static_cast<int32_t>(currentSeries(*chart).Color) : -1;
    });
}

void TORVREP::put_ChartSeriesColor(int32_t value)
{
    changeChart(*m_report, m_currentChart,
                [&](TChartObject& chart) { currentSeries(chart).Color = static_cast<Colour>(value); });
}

// --- chart type and bar style -------------------------------------------------------

uint8_t TORVREP::get_ChartType()
{
    return readChart<uint8_t>(*m_report, m_currentChart, [](const TChartObject& chart) { return chart.ChartType; });
}

void TORVREP::put_ChartType(uint8_t value)
{
    changeChart(*m_report, m_currentChart, [&](TChartObject& chart) { setChartType(chart, value); });
}

uint8_t TORVREP::get_ChartSeriesBarStyle()
{
    return readChart<uint8_t>(*m_report, m_currentChart, [](const TChartObject& chart) { return chart.BarStyle; });
}

void TORVREP::put_ChartSeriesBarStyle(uint8_t value)
{
    changeChart(*m_report, m_currentChart, [&](TChartObject& chart) { setBarStyle(chart, value); });
}

// --- axis ranges and labels -----------------------------------------------------------

#define ORV_CHART_AXIS(Letter)                                                                                    \
    bool TORVREP::get_Chart##Letter##AxisAutomatic()                                                              \
    {                                                                                                             \
        return readChart<bool>(*m_report, m_currentChart,                                                         \
                               [](const TChartObject& chart) { return chart.Letter##Axis.Automatic; });           \
    }                                                                                                             \
    void TORVREP::put_Chart##Letter##AxisAutomatic(bool value)                                                    \
    {                                                                                                             \
        changeChart(*m_report, m_currentChart,                                                                    \
                    [&](TChartObject& chart) {                                                            \
                        setAxisAutomatic(chart, TChartAxisKind::Letter, value,                                    \
                                         computedAxisRange(chart, TChartAxisKind::Letter));                       \
                    });                                                                                           \
    }                                                                                                             \
    double TORVREP::get_Chart##Letter##AxisMin()                                                                  \
    {                                                                                                             \
        return readChart<double>(*m_report, m_currentChart,                                                       \
                                 [](const TChartObject& chart) { return chart.Letter##Axis.Minimum; });           \
    }                                                                                                             \
    void TORVREP::put_Chart##Letter##AxisMin(double value)                                                        \
    {                                                                                                             \
        changeChart(*m_report, m_currentChart,                                                                    \
                    [&](TChartObject& chart) { setAxisMinimum(chart.Letter##Axis, value); });                     \
    }                                                                                                             \
    double TORVREP::get_Chart##Letter##AxisMax()                                                                  \
    {                                                                                                             \
        return readChart<double>(*m_report, m_currentChart,                                                       \
                                 [](const TChartObject& chart) { return chart.Letter##Axis.Maximum; });           \
    }                                                                                                             \
    void TORVREP::put_Chart##Letter##AxisMax(double value)                                                        \
    {                                                                                                             \
        changeChart(*m_report, m_currentChart,                                                                    \
                    [&](TChartObject& chart) { setAxisMaximum(chart.Letter##Axis, value); });                     \
    }                                                                                                             \
    bool TORVREP::get_Chart##Letter##AxisHideLabels()                                                             \
    {                                                                                                             \
        return readChart<bool>(*m_report, m_currentChart,                                                         \
                               [](const TChartObject& chart) { return !chart.Letter##Axis.LabelsShown; });        \
    }                                                                                                             \
    void TORVREP::put_Chart##Letter##AxisHideLabels(bool value)                                                   \
    {                                                                                                             \
        changeChart(*m_report, m_currentChart,                                                                    \
                    [&](TChartObject& chart) { chart.Letter##Axis.LabelsShown = !value; });                       \
    }

ORV_CHART_AXIS(X)
ORV_CHART_AXIS(Y)

#undef ORV_CHART_AXIS

} // namespace orv
