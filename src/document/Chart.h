#pragma once

#include "document/ObjectStyles.h"
#include "document/Units.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orv {

// The chart library's "default colour" marker: the library picks the colour.
inline constexpr Colour kChartDefaultColour = 0x20000000;

// One data point of a series. The values are kept as numbers: a point is
// plotted from them, so a value that is not a number is refused when the
// point is added rather than when the page is drawn.
struct TChartValues {
    double X = 0;
    double Y = 0;
    std::string Legend;
    Colour Color = 0;
};

// One series: its kind (0 line, 1 vertical bar, 2 horizontal bar, 3 area,
// 4 point, anything else pie), title, colour and points.
struct TChartSeriesObject {
    uint8_t SeriesType = 0;
    std::string Title;
    Colour Color = 0;
    std::vector<TChartValues> Values;
    uint8_t BarStyle = 0; // kept per series; drawing uses the chart's bar style
};

struct TChartAxis {
    std::string Title;
    int16_t TitleAngle = 0;
    int16_t LabelAngle = 0;
    int16_t TitleFontSize = 12;
    std::string TitleFontName;
    std::string TitleFontStyle;
    bool Automatic = true;
    double Minimum = 0;
    double Maximum = 0;
    bool LabelsShown = true;
    int16_t LabelFontSize = 7;
};

struct TChartWall {
    bool Transparent = false;
    Colour Color = kChartDefaultColour;
    uint8_t Size = 0;
};

struct TChartGradient {
    uint8_t Direction = 0;
    Colour EndColor = 0x00FFFF;
    Colour StartColor = 0xFFFFFF;
    bool Visible = false;
};

struct TChartLegend {
    uint8_t BorderStyle = 0;
    std::string FontName;
    Colour FontColor = 0;
    int16_t FontSize = 8;
    uint8_t MarginSize = 0; // kept, not applied
    uint8_t Position = 3; // 1 left, 2 top, 3 right, 4 bottom, 0 the library's choice
    uint8_t Style = 0;
    uint8_t BorderWidth = 1;
    bool Visible = true;
    Colour BorderColor = 0;
    bool ResizeChart = true;
    Colour ShadowColor = 0;
    int32_t ShadowSize = 0;
};

struct TChartTitle {
    std::string Text;
    uint8_t Alignment = storedStyle(TTextAlignment::Centre);
    Colour BackColor = 0;
    uint8_t BackStyle = 1;
    uint8_t BorderStyle = 5; // 5: no frame
    uint8_t BorderWidth = 0;
    Colour BorderColor = 0;
    Colour FontColor = 0;
    std::string FontName = "Arial";
    int16_t FontSize = 16;
};

// The data-point labels ("marks") of every series.
struct TChartMarks {
    int16_t FontSize = 7;
    Colour BackColor = 0x00FFFF;
    uint8_t Style = 0;
    bool Transparent = false;
    bool Visible = true;
};

// One chart of a page, drawn where its placeholder object (type 'C') stands.
// A new chart has one series of the chart's own type.
struct TChartObject {
    explicit TChartObject(uint8_t chartType)
        : ChartType(chartType)
    {
        Series.emplace_back().SeriesType = chartType;
    }

    std::vector<TChartSeriesObject> Series;
    int16_t CurrentSeries = 0; // 0-based
    TChartAxis XAxis;
    TChartAxis YAxis;
    bool View3D = true;
    uint8_t Percent3D = 15;
    bool Walls3D = true;
    bool AxesVisible = true;
    TChartWall LeftWall;
    TChartWall BottomWall;
    TChartWall BackWall;
    TChartGradient Gradient;
    TChartLegend Legend;
    TChartTitle Title;
    uint8_t ChartType = 0;
    uint8_t BarStyle = 0;
    uint8_t MultibarStyle = 0;
    TChartMarks Marks;
};

} // namespace orv
