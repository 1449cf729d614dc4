#include "charts/ChartStyle.h"

#include "document/FontTables.h"
#include "document/TextLayout.h"
#include "platform/AsciiText.h"
#include "surface/DrawingSurface.h"

#include <QLinearGradient>
#include <QPaintDevice>
#include <QRadialGradient>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace orv {

namespace {

constexpr double kChartPixelsPerInch = 96;
// A larger font than this cannot fit any chart a page holds.
constexpr double kLargestFontPixels = 4096;

} // namespace

QColor chartPaletteColour(size_t n)
{
    static constexpr std::array<QRgb, 12> kPalette{
        0xFF3366CC, 0xFFDC3912, 0xFFFF9900, 0xFF109618, 0xFF990099, 0xFF0099C6,
        0xFFDD4477, 0xFF66AA00, 0xFFB82E2E, 0xFF316395, 0xFF994499, 0xFF22AA99,
    };
    return QColor::fromRgb(kPalette[n % kPalette.size()]);
}

QColor chartColour(Colour colour, const QColor& fallback)
{
    return colour == kChartDefaultColour ? fallback : qColorOf(colour & 0xFFFFFF);
}

int32_t scaledChartSize(int32_t size, double scale)
{
    const double scaled = std::trunc(size * scale);
    return static_cast<int32_t>(std::clamp(scaled, -1e6, 1e6));
}

TChartFont chartFont(const std::string& family, int32_t size, const std::string& styleLetters, double scale,
                     const QPaintDevice& device)
{
    TChartFont result;
    const int32_t points = scaledChartSize(size, scale);
    if (points <= 0)
        return result;
    result.pixelSize = std::min(points * kChartPixelsPerInch / 72.0, kLargestFontPixels);
    result.font = screenFont(family.empty() ? "Arial" : family, 1, fontStyleValue(asciiUpper(styleLetters)));
    // Painters size fonts in points of their own device.
    result.font.setPointSizeF(result.pixelSize * 72.0 / std::max(device.logicalDpiY(), 1));
    return result;
}

QPen chartFramePen(uint8_t style, int32_t width, const QColor& colour)
{
    static constexpr std::array<Qt::PenStyle, 7> kStyles{
        Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine, Qt::DashDotDotLine, Qt::NoPen, Qt::SolidLine,
    };
    if (style >= kStyles.size() || style == kHiddenFrame)
        return QPen(Qt::NoPen);
    QPen pen(colour, std::max(width, 1), kStyles[style], Qt::FlatCap, Qt::MiterJoin);
    return pen;
}

QBrush chartBackBrush(uint8_t style, const QColor& colour)
{
    static constexpr std::array<Qt::BrushStyle, 8> kStyles{
        Qt::SolidPattern, Qt::NoBrush,   Qt::HorPattern,    Qt::VerPattern,
        Qt::FDiagPattern, Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern,
    };
    if (style >= kStyles.size())
        return QBrush(Qt::NoBrush);
    return QBrush(colour, kStyles[style]);
}

QBrush chartGradientBrush(const TChartGradient& gradient, const QRectF& area)
{
    const QColor start = qColorOf(gradient.StartColor & 0xFFFFFF);
    const QColor end = qColorOf(gradient.EndColor & 0xFFFFFF);
    auto linear = [&](QPointF from, QPointF to, const QColor& first, const QColor& last) {
        QLinearGradient fill(from, to);
        fill.setColorAt(0, first);
        fill.setColorAt(1, last);
        return QBrush(fill);
    };
    switch (gradient.Direction) {
    case 0:
        return linear(area.topLeft(), area.bottomLeft(), end, start);
    case 1:
        return linear(area.topLeft(), area.bottomLeft(), start, end);
    case 2:
        return linear(area.topLeft(), area.topRight(), end, start);
    case 3:
        return linear(area.topLeft(), area.topRight(), start, end);
    case 4: {
        const double radius = std::hypot(area.width(), area.height()) / 2;
        QRadialGradient fill(area.center(), std::max(radius, 1.0));
        fill.setColorAt(0, start);
        fill.setColorAt(1, end);
        return QBrush(fill);
    }
    case 5:
        return linear(area.topLeft(), area.bottomRight(), start, end);
    case 6:
        return linear(area.bottomLeft(), area.topRight(), start, end);
    default:
        return QBrush(start);
    }
}

QString chartValueText(double value)
{
    if (!std::isfinite(value))
        return QString();
    std::array<char, 400> digits{};
    const auto [end, error] = std::to_chars(digits.data(), digits.data() + digits.size(), std::abs(value),
                                            std::chars_format::fixed, 3);
    if (error != std::errc())
        return QString();
    std::string fixed(digits.data(), end);
    // Trailing zeros of the decimals and a bare point go.
    fixed.erase(fixed.find_last_not_of('0') + 1);
    if (fixed.back() == '.')
        fixed.pop_back();
    const size_t point = std::min(fixed.find('.'), fixed.size());
    for (size_t at = point; at > 3; at -= 3)
        fixed.insert(at - 3, 1, ',');
    if (value < 0 && fixed != "0")
        fixed.insert(0, 1, '-');
    return QString::fromStdString(fixed);
}

} // namespace orv
