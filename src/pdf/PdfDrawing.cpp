#include "pdf/PdfDrawing.h"

#include "pdf/PdfCanvas.h"
#include "pdf/PdfDoc.h"
#include "pdf/PdfGlyphText.h"
#include "platform/CodePages.h"
#include "platform/Rounding.h"
#include "platform/EllipseGeometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace orv {

namespace {

// The control-point distance of a quarter ellipse, 19/36 of the radius.
constexpr float kCurveFactor = 0.5277778f;

double cutToFourDecimals(double value)
{
    return std::trunc(value * 10000 + 0.5) / 10000;
}

float roundToFourDecimals(float value)
{
    return static_cast<float>(roundHalfEven(value * 10000.0) / 10000);
}

// The move and the first `quarters` curves of the ellipse in the box.
void appendEllipseQuarters(TPdfCanvas& canvas, float x, float y, float w, float h, int quarters)
{
    const float rx = w / 2;
    const float ry = h / 2;
    const float cx = x + rx;
    const float cy = y + ry;
    const float kx = kCurveFactor * rx;
    const float ky = kCurveFactor * ry;
    canvas.moveTo(cx, y);
    canvas.curveTo(cx + kx, y, x + w, cy - ky, x + w, cy);
    canvas.curveTo(x + w, cy + ky, cx + kx, y + h, cx, y + h);
    canvas.curveTo(cx - kx, y + h, x, cy + ky, x, cy);
    if (quarters == 4)
        canvas.curveTo(x, cy - ky, cx - kx, y, cx, y);
}

} // namespace

void drawPdfText(TPdfCanvas& canvas, float x, float y, double angle, std::string_view text, const std::string& fontKey,
                 int32_t fontSize, int32_t colour, int32_t alpha, float wordSpacing)
{
    // A transparency state stays in force until the graphics state is
    // restored, so a translucent text gets a q/Q pair of its own.
    const bool translucent = alpha < 255;
    if (translucent)
        canvas.saveGraphicsState();
    canvas.beginText();
    // PDF text sizes run from 0 to 300 points: a larger font is selected at
    // a fraction of its size and the text matrix makes up the rest, so it
    // draws as on every other target. Negative sizes draw nothing.
    constexpr int32_t kLargestTextSize = 300;
    const int32_t magnification = fontSize > kLargestTextSize ? (fontSize + kLargestTextSize - 1) / kLargestTextSize : 1;
    const double radians = angle * std::numbers::pi / 180;
    const double c = (angle != 0 ? cutToFourDecimals(std::cos(radians)) : 1) * magnification;
    const double s = (angle != 0 ? cutToFourDecimals(std::sin(radians)) : 0) * magnification;
    if (angle != 0 || magnification != 1) {
        canvas.setTextMatrix(c, s, -s, c, x, y);
    } else {
        canvas.moveTextPosition(x, y);
    }
    canvas.setRGBFillColor(colour);
    if (translucent)
        canvas.setAlpha(alpha);
    const float selectedSize = static_cast<float>(std::max(fontSize, 0)) / static_cast<float>(magnification);
    // Word spacing is in text space, which the magnification enlarges.
    const float textSpaceWordSpacing = wordSpacing / static_cast<float>(magnification);
    std::vector<TPdfOutlineGlyph> outlines;
    if (canvas.document().usesCompositeFonts(text)) {
        outlines = showCompositeText(canvas, fontKey, text, selectedSize, textSpaceWordSpacing);
    } else {
        canvas.selectFont(fontKey, selectedSize);
        canvas.setWordSpacing(textSpaceWordSpacing);
        canvas.showText(utf8ToCodePage(text, canvas.document().codePage()));
    }
    canvas.endText();
    if (!outlines.empty())
        fillGlyphOutlines(canvas, {c, s, -s, c, x, y}, selectedSize, outlines);
    if (translucent)
        canvas.restoreGraphicsState();
}

void appendEllipticArc(TPdfCanvas& canvas, PdfArcKind kind, float x, float y, float width, float height,
                       double startDegrees, double sweepDegrees)
{
    const double a = width / 2.0, b = height / 2.0;
    const double cx = x + a, cy = y + b;
    const double sweep = std::clamp(sweepDegrees, -360.0, 360.0);
    const double from = ellipseParameter(startDegrees, a, b) * std::numbers::pi / 180;
    const double to = ellipseParameter(startDegrees + sweep, a, b) * std::numbers::pi / 180;
    auto at = [&](double t) { return std::pair{static_cast<float>(cx + a * std::cos(t)), static_cast<float>(cy + b * std::sin(t))}; };

    const auto [x0, y0] = at(from);
    if (kind == PdfArcKind::Pie) {
        canvas.moveTo(static_cast<float>(cx), static_cast<float>(cy));
        canvas.lineTo(x0, y0);
    } else {
        canvas.moveTo(x0, y0);
    }
    // Cubic Beziers of at most a quarter turn each keep the curve within a
    // fraction of a point of the ellipse.
    const int pieces = std::max(1, static_cast<int>(std::ceil(std::abs(to - from) / (std::numbers::pi / 2) - 1e-9)));
    const double step = (to - from) / pieces;
    const double k = 4.0 / 3.0 * std::tan(step / 4);
    for (int i = 0; i < pieces; ++i) {
        const double t1 = from + i * step, t2 = t1 + step;
        const auto [x1, y1] = at(t1);
        const auto [x2, y2] = at(t2);
        canvas.curveTo(static_cast<float>(x1 - k * a * std::sin(t1)), static_cast<float>(y1 + k * b * std::cos(t1)),
                       static_cast<float>(x2 + k * a * std::sin(t2)), static_cast<float>(y2 - k * b * std::cos(t2)), x2,
                       y2);
    }
    if (kind != PdfArcKind::Arc)
        canvas.closePath();
}

void drawPdfLine(TPdfCanvas& canvas, float x1, float y1, float x2, float y2, float width)
{
    canvas.moveTo(x1, y1);
    canvas.lineTo(x2, y2);
    canvas.setLineWidth(width);
    canvas.stroke();
}

void appendEllipse(TPdfCanvas& canvas, float x, float y, float width, float height)
{
    appendEllipseQuarters(canvas, x, y, width, height, 4);
}

void appendThreeQuarterEllipse(TPdfCanvas& canvas, float x, float y, float width, float height)
{
    appendEllipseQuarters(canvas, x, y, width, height, 3);
}

void appendRoundedRectangle(TPdfCanvas& canvas, float x, float y, float w, float h, float radius)
{
    const float rx = roundToFourDecimals(radius > w ? w / 2 : radius / 2.85f);
    const float ry = roundToFourDecimals(radius > h ? h / 2 : radius / 2.85f);
    const float kx = roundToFourDecimals(kCurveFactor * rx);
    const float ky = roundToFourDecimals(kCurveFactor * ry);
    canvas.moveTo(x + rx, y);
    canvas.lineTo(x + w - rx, y);
    canvas.curveTo(x + w - rx + kx, y, x + w, y + ry - ky, x + w, y + ry);
    canvas.lineTo(x + w, y + h - ry);
    canvas.curveTo(x + w, y + h - ry + ky, x + w - rx + kx, y + h, x + w - rx, y + h);
    canvas.lineTo(x + rx, y + h);
    canvas.curveTo(x + rx - kx, y + h, x, y + h - ry + ky, x, y + h - ry);
    canvas.lineTo(x, y + ry);
    canvas.curveTo(x, y + ry - ky, x + rx - kx, y, x + rx, y);
}

} // namespace orv
