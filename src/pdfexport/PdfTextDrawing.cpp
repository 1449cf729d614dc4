// Text on PDF pages: text objects and report fields, the watermark and the
// month calendar. Positions follow the lines laid out when the text was
// added, so a PDF page breaks its lines where the preview does.

#include "document/FontTables.h"
#include "document/Report.h"
#include "pdf/PdfCanvas.h"
#include "pdf/PdfDoc.h"
#include "pdf/PdfDrawing.h"
#include "pdf/PdfGlyphText.h"
#include "pdfexport/PdfPageDrawers.h"
#include "platform/AsciiText.h"
#include "platform/CodePoints.h"
#include "platform/Rounding.h"
#include "platform/Screen.h"
#include "render/CanvasFont.h"
#include "render/FieldExpression.h"
#include "render/PageDecorations.h"
#include "render/TextLines.h"

#include <QFontMetricsF>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <numbers>

namespace orv {

namespace {

constexpr int32_t kWatermarkAlpha = 128;

// The font of a key, as drawing text in it selects it: needed beforehand
// only where its widths place the text.
TPdfFont& fontOf(TPdfDoc& doc, const std::string& key)
{
    return doc.getFont(key, doc.embeddingChoice(key));
}

// The text a text object or a report field shows on this page.
std::u32string shownText(const TReport& report, const TReportObject& object, int32_t pageNumber)
{
    if (object.ObjType == ObjType::Field) {
        const std::string value = evaluateFieldExpression(report, object.Text, pageNumber);
        if (!value.empty())
            return toCodePoints(value);
    }
    return toCodePoints(object.Text);
}

struct TShownLine {
    std::string text;
    bool endsParagraph = true;
};

// The lines of a text: those laid out when it was added, or its own lines.
std::vector<TShownLine> linesOf(const TReportObject& object, const std::u32string& text)
{
    const bool laidOut = object.LineCount >= 2 && object.textMode() != TTextMode::OwnLineBreaks;
    std::vector<TShownLine> lines;
    for (const TLineSpan& span : laidOut ? storedLines(object, text) : splitAtBreaks(text)) {
        std::string line = toUtf8(std::u32string_view(text).substr(span.start, span.length));
        if (laidOut && object.alignment() == TTextAlignment::Right)
            line = std::string(trimBlanks(line));
        lines.push_back({std::move(line), span.endsParagraph});
    }
    return lines;
}

// The extra width of each blank that makes a justified line fill its box,
// as the preview widens it; the line loses its trailing blanks. Lines that
// end a paragraph, and lines without room to spare, keep their spacing.
float justifiedWordSpacing(TPdfDoc& doc, const std::string& key, std::string& line, int32_t size, double boxWidth)
{
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    const auto blanks = std::count(line.begin(), line.end(), ' ');
    const double spare = boxWidth - pdfTextWidth(doc, key, line, size);
    return blanks > 0 && spare > 0 ? static_cast<float>(spare / static_cast<double>(blanks)) : 0;
}

// A filled bar under or through a line of text (underline, strike-out).
void drawTextBar(TPdfCanvas& canvas, Colour colour, float x, float y, float width, float thickness)
{
    canvas.setRGBFillColor(static_cast<int32_t>(colour));
    canvas.setRGBStrokeColor(static_cast<int32_t>(colour));
    canvas.setLineWidth(thickness);
    canvas.setLineCap(0);
    canvas.setLineJoin(0);
    canvas.setDashPattern({}, 0);
    canvas.rectangle(x, y, width, thickness);
    canvas.fill();
}

} // namespace

void drawPdfTextObject(TPdfExport& pdfExport, const TPdfPagePlacement& place, const TReportObject& object,
                       int32_t pageNumber)
{
    const TReport& report = pdfExport.report;
    if (object.FontIndex < 0 || object.FontIndex >= static_cast<int32_t>(report.Fonts.size()))
        return;
    const TReportFont& entry = report.Fonts[object.FontIndex];
    TPdfCanvas& canvas = pdfExport.doc.canvas();
    const TPdfPagePlacement::Box box = place.boxOf(object);

    const std::string key = pdfFontKey(entry.Name, entry.Style);
    const int32_t size = truncated(object.FontSize * place.scale);
    const double angle = object.RotationAngle / 10.0;
    TPdfFont& font = fontOf(pdfExport.doc, key);

    const double lineHeight = roundHalfEven(entry.LineSpacingInches.toDouble() * 72 * place.scale * 10000) / 10000;
    const double ascent = entry.AscentInches.toDouble() * 72 * place.scale;
    const double radians = angle * std::numbers::pi / 180;
    const TLineSpacing spacing = object.lineSpacing();
    const double advance = spacing == TLineSpacing::Single        ? lineHeight
                           : spacing == TLineSpacing::OneAndAHalf ? 1.5 * lineHeight
                           : spacing == TLineSpacing::Double      ? 2 * lineHeight
                                                                  : 0;
    // A right-aligned report field was given by its right edge.
    const TTextAlignment alignment = object.alignment();
    const double anchor =
        object.ObjType == ObjType::Field && alignment == TTextAlignment::Right ? box.x + box.width : box.x;

    double baseline = box.top + ascent;
    double lineTop = box.top;
    for (TShownLine& shown : linesOf(object, shownText(report, object, pageNumber))) {
        std::string& line = shown.text;
        float wordSpacing = 0;
        if (alignment == TTextAlignment::Justified && !shown.endsParagraph)
            wordSpacing = justifiedWordSpacing(pdfExport.doc, key, line, size, box.width);
        // Measured only for what needs it: alignment, background and bars.
        const bool measured = alignment == TTextAlignment::Right || alignment == TTextAlignment::Centre ||
                              object.backStyle() == TBackStyle::Opaque ||
                              (entry.GdiPlusStyle & (kStyleUnderline | kStyleStrikeOut)) != 0;
        const double width = measured ? pdfTextWidth(pdfExport.doc, key, line, size) +
                                            wordSpacing * static_cast<double>(std::count(line.begin(), line.end(), ' '))
                                      : 0;
        double x0 = anchor, b = baseline;
        if (alignment == TTextAlignment::Right || alignment == TTextAlignment::Centre) {
            const double share = alignment == TTextAlignment::Right ? width : width / 2;
            x0 = anchor - std::cos(radians) * share;
            b = baseline + std::sin(radians) * share;
        }
        if (object.backStyle() == TBackStyle::Opaque) {
            canvas.setRGBFillColor(static_cast<int32_t>(object.BackColor));
            canvas.setRGBStrokeColor(static_cast<int32_t>(object.BackColor));
            canvas.setLineWidth(0);
            canvas.rectangle(static_cast<float>(x0), static_cast<float>(place.mediaHeight - (lineTop + lineHeight)),
                             static_cast<float>(width), static_cast<float>(lineHeight));
            canvas.fillStroke();
        }
        const float y = static_cast<float>(place.sheetHeight - b);
        drawPdfText(canvas, static_cast<float>(x0), y, angle, line, key, size,
                    static_cast<int32_t>(object.ForeColor), object.AlphaLevel, wordSpacing);
        if ((entry.GdiPlusStyle & kStyleUnderline) && width > 0) {
            const double thickness = size * font.underlineSize() / 10000.0 / 1000 * 0.66;
            const double offset = (size + 2) * font.underlinePosition() / 10000.0 / 1000;
            drawTextBar(canvas, object.ForeColor, static_cast<float>(x0), static_cast<float>(y + offset),
                        static_cast<float>(width), static_cast<float>(thickness));
        }
        if ((entry.GdiPlusStyle & kStyleStrikeOut) && width > 0) {
            const double thickness = size * font.strikeoutSize() / 10000.0 / 1000 * 0.66;
            const double offset = size * font.strikeoutPosition() / 10000.0 / 1000;
            drawTextBar(canvas, object.ForeColor, static_cast<float>(x0), static_cast<float>(y + offset),
                        static_cast<float>(width), static_cast<float>(thickness));
        }
        baseline += advance;
        lineTop += advance;
    }
}

void drawPdfWatermark(TPdfExport& pdfExport, const TPdfPagePlacement& place, const TWaterMarkObject& watermark)
{
    const double d = screenPixelsPerInch();
    const int32_t size = truncated(watermark.FontSize * place.scale);
    const TCanvasFont face = TCanvasFont::make(watermark.FontName, size, decorationStyleValue(watermark.FontStyle, true),
                                               static_cast<int32_t>(d));
    const QString text = QString::fromStdString(watermark.Text);

    // The middle of the turned text goes on the middle of the page's place,
    // measured with the screen font as the preview measures it.
    const int32_t w = truncated(QFontMetricsF(face.font).horizontalAdvance(text) * 72 / d);
    const int32_t t = truncated(face.cellHeight * 72 / d);
    const int32_t leading = rounded(face.internalLeading * place.scale * 72 / d);
    const int32_t tPrime = t - leading;
    const double e = (face.cellHeight - face.internalLeading) * 72 / d;
    const int32_t c = truncated(72 * place.sheetWidthInches * place.scale / 2) + truncated(place.ox);
    const int32_t m = truncated(72 * place.sheetHeightInches * place.scale / 2) + truncated(place.oy);
    const double a = watermark.RotationAngle * std::numbers::pi / 180;
    const double sinA = std::sin(a), cosA = std::cos(a);
    const int32_t x = c - rounded((cosA * w + sinA * tPrime) / 2) + rounded(sinA * e);
    const int32_t y = m - rounded((sinA * w + cosA * tPrime) / 2) + rounded(sinA * w) - rounded(cosA * leading) +
                      rounded(cosA * e);

    const std::string key = pdfFontKey(watermark.FontName, watermark.FontStyle);
    drawPdfText(pdfExport.doc.canvas(), static_cast<float>(x), place.sheetHeight - static_cast<float>(y),
                watermark.RotationAngle, watermark.Text, key, size, static_cast<int32_t>(watermark.ForeColor),
                kWatermarkAlpha);
}

void drawPdfCalendar(TPdfExport& pdfExport, const TPdfPagePlacement& place, const TCalendarSetup& calendar,
                     int32_t pageNumber)
{
    const std::chrono::year_month shown = calendarMonthOf(calendar, pageNumber);
    const std::chrono::year_month_day first = shown / std::chrono::day(1);
    if (!first.ok())
        return;
    const int32_t d = static_cast<int32_t>(screenPixelsPerInch());
    const int32_t monthSize = calendar.CalendarMonthFontSize;
    const int32_t dateSize = calendar.CalendarDateFontSize;
    const TCanvasFont monthFont = TCanvasFont::make(calendar.CalendarMonthFontName, monthSize,
                                                    decorationStyleValue(calendar.CalendarMonthFontStyle, false), d);
    const TCanvasFont dateFont = TCanvasFont::make(calendar.CalendarDateFontName, dateSize,
                                                   decorationStyleValue(calendar.CalendarDateFontStyle, false), d);
    const std::string monthKey = pdfFontKey(calendar.CalendarMonthFontName, calendar.CalendarMonthFontStyle);
    const std::string dateKey = pdfFontKey(calendar.CalendarDateFontName, calendar.CalendarDateFontStyle);
    TPdfFont& dateFontPdf = fontOf(pdfExport.doc, dateKey);

    // The layout of the preview at 72 units an inch; the month font's cell
    // figures, read in screen pixels, count as points.
    const int32_t titleHeight = monthFont.cellHeight + monthFont.externalLeading;
    const int32_t left = truncated(72 * calendar.CalendarLeft);
    const int32_t top = truncated(72 * calendar.CalendarTop);
    const int32_t gridTop = top + titleHeight;
    const int32_t cellWidth = truncated(72 * calendar.CalendarWidth) / 7;
    const int32_t cellHeight = (truncated(72 * calendar.CalendarHeight) - titleHeight) / 6;
    const int32_t field = 2 * truncated(QFontMetricsF(dateFont.font).averageCharWidth() * d / 72);

    TPdfCanvas& canvas = pdfExport.doc.canvas();
    auto drawAt = [&](int32_t x, int32_t y, const std::string& text, const std::string& key, int32_t size,
                      Colour colour) {
        drawPdfText(canvas, static_cast<float>(place.ox + x), static_cast<float>(place.sheetHeight - (place.oy + y)), 0,
                    text, key, size, static_cast<int32_t>(colour), 255);
    };

    // Day numbers stand right-aligned in a field two average digits wide.
    const auto days = static_cast<unsigned>((shown / std::chrono::last).day());
    int32_t column = static_cast<int32_t>(std::chrono::weekday(std::chrono::sys_days(first)).c_encoding());
    int32_t row = 0;
    for (unsigned day = 1; day <= days; ++day) {
        const std::string number = std::to_string(day);
        const int32_t x = left + column * cellWidth + truncated(cellWidth * 0.25) +
                          rounded(field - dateFontPdf.textWidth(number, dateSize));
        const int32_t y = gridTop + row * cellHeight + truncated(cellHeight * 0.2);
        drawAt(x, y, number, dateKey, dateSize, calendar.CalendarDateFontColor);
        if (++column == 7) {
            column = 0;
            ++row;
        }
    }
    const auto month = static_cast<unsigned>(shown.month());
    const std::string title =
        calendar.MonthNames[month - 1] + ' ' + std::to_string(static_cast<int>(shown.year()));
    drawAt(left, top + truncated(monthFont.ascent - monthFont.internalLeading), title, monthKey, monthSize,
           calendar.CalendarMonthFontColor);
}

} // namespace orv
