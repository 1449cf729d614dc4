#pragma once

// The paint of a chart: colours, fonts, frame pens, brushes and the
// background gradient, each made from the stored settings at one scale.

#include "document/Chart.h"

#include <QBrush>
#include <QFont>
#include <QPen>
#include <QString>

#include <cstdint>
#include <string>

class QPaintDevice;

namespace orv {

// The colour of the n-th series (or pie slice) that asked for the default.
QColor chartPaletteColour(size_t n);

// A stored colour; kChartDefaultColour gives `fallback`.
QColor chartColour(Colour colour, const QColor& fallback);

// Sizes and widths stored for a 100 % chart, multiplied by the chart scale
// and cut toward zero.
int32_t scaledChartSize(int32_t size, double scale);

// Fonts are sized in points of a 96 pixels-per-inch chart; `device` is the
// surface the text lands on. Returns no font (pixelSize 0) when the scaled
// size is not positive: such text is not drawn.
struct TChartFont {
    QFont font;
    double pixelSize = 0;

    bool drawable() const { return pixelSize > 0; }
};
TChartFont chartFont(const std::string& family, int32_t size, const std::string& styleLetters, double scale,
                     const QPaintDevice& device);

// A frame pen by border style: 0 solid, 1 dash, 2 dot, 3 dash-dot,
// 4 dash-dot-dot, 5 none, 6 inside frame (solid, kept inside the box).
QPen chartFramePen(uint8_t style, int32_t width, const QColor& colour);
inline constexpr uint8_t kHiddenFrame = 5;
inline constexpr uint8_t kInsideFrame = 6;

// The title's brush by back style: 0 solid, 1 clear, 2 horizontal,
// 3 vertical, 4 forward diagonal, 5 backward diagonal, 6 cross, 7 diagonal
// cross hatching.
QBrush chartBackBrush(uint8_t style, const QColor& colour);

// The background gradient over `area` by direction: 0 top (end colour) to
// bottom (start colour), 1 top (start) to bottom (end), 2 left (end) to right
// (start), 3 left (start) to right (end), 4 from the centre (start) outwards,
// 5 from the top-left corner, 6 from the bottom-left corner.
QBrush chartGradientBrush(const TChartGradient& gradient, const QRectF& area);

// A value as the chart writes it: thousands grouped with commas and at most
// three decimals ("1,234.5").
QString chartValueText(double value);

} // namespace orv
