#include "render/PageDecorations.h"

#include "document/FontTables.h"
#include "document/ReportObject.h"
#include "document/Settings.h"
#include "platform/CodePoints.h"
#include "platform/Rounding.h"
#include "render/CanvasFont.h"
#include "surface/DrawingSurface.h"

#include <QFontMetricsF>

#include <chrono>
#include <cmath>
#include <numbers>

namespace orv {

namespace {

constexpr size_t kLongestFaceName = 31;

std::string faceName(const std::string& name)
{
    std::u32string characters = toCodePoints(name);
    if (characters.size() > kLongestFaceName)
        characters.resize(kLongestFaceName);
    return toUtf8(characters);
}

// Draws text with the top left of its cell at `topLeft`.
void drawCellText(QPainter& painter, const TCanvasFont& face, QPoint topLeft, const QString& text)
{
    painter.setFont(face.font);
    painter.drawText(QPointF(topLeft.x(), topLeft.y() + face.ascent), text);
}

} // namespace

std::chrono::year_month calendarMonthOf(const TCalendarSetup& calendar, int32_t pageNumber)
{
    const int64_t months = int64_t(calendar.CalendarYear) * 12 + (calendar.CalendarMonth - 1) + (pageNumber - 1);
    const int64_t year = months >= 0 ? months / 12 : (months - 11) / 12;
    const auto month = static_cast<unsigned>(months - year * 12 + 1);
    return std::chrono::year(static_cast<int>(year)) / std::chrono::month(month);
}

void drawWatermark(TDrawingSurface& surface, const TWaterMarkObject& watermark, RenderTarget target,
                   const PageTransform& transform, QSizeF pageInches)
{
    if (watermark.Text.empty())
        return;
    const int32_t cx = truncated(transform.devicePpi * pageInches.width() * transform.scale * 0.5) + transform.originX;
    const int32_t cy = truncated(transform.devicePpi * pageInches.height() * transform.scale * 0.5) + transform.originY;
    const TCanvasFont face =
        TCanvasFont::make(faceName(watermark.FontName), truncated(watermark.FontSize * transform.scale),
                          decorationStyleValue(watermark.FontStyle, true), transform.devicePpi);
    const QString text = QString::fromStdString(watermark.Text);

    // The middle of the turned text goes on the centre. On the preview and
    // on paper the cell's internal leading is left out of its height.
    const double w = QFontMetricsF(face.font).horizontalAdvance(text);
    const int32_t leading = target == RenderTarget::Export ? 0 : rounded(face.internalLeading * transform.scale);
    const double h = face.cellHeight - leading;
    const double angle = watermark.RotationAngle * std::numbers::pi / 180;
    const double sinA = std::sin(angle), cosA = std::cos(angle);
    const int32_t x0 = cx - rounded((sinA * h + cosA * w) / 2) - rounded(sinA * leading);
    const int32_t y0 = cy - rounded((cosA * h + sinA * w) / 2) + rounded(sinA * w) - rounded(cosA * leading);

    TDrawingSurface::TStateGuard guard(surface);
    QPainter& painter = surface.painter();
    painter.setPen(qColorOf(watermark.ForeColor));
    painter.translate(x0, y0);
    painter.rotate(-watermark.RotationAngle);
    drawCellText(painter, face, QPoint(0, 0), text);
}

void drawCalendar(TDrawingSurface& surface, const TCalendarSetup& calendar, int32_t pageNumber,
                  const PageTransform& transform)
{
    if (!calendar.CalendarShow)
        return;
    const std::chrono::year_month shown = calendarMonthOf(calendar, pageNumber);
    const std::chrono::year_month_day first = shown / std::chrono::day(1);
    if (!first.ok())
        return;

    const double f = transform.scale;
    const double k = f * transform.devicePpi;
    const TCanvasFont monthFont =
        TCanvasFont::make(calendar.CalendarMonthFontName, truncated(calendar.CalendarMonthFontSize * f),
                          decorationStyleValue(calendar.CalendarMonthFontStyle, false), transform.devicePpi);
    const TCanvasFont dateFont =
        TCanvasFont::make(calendar.CalendarDateFontName, truncated(calendar.CalendarDateFontSize * f),
                          decorationStyleValue(calendar.CalendarDateFontStyle, false), transform.devicePpi);

    const int32_t titleHeight = monthFont.cellHeight + monthFont.externalLeading;
    const int32_t left = truncated(k * calendar.CalendarLeft) + transform.originX;
    const int32_t top = truncated(k * calendar.CalendarTop) + transform.originY;
    const int32_t gridTop = top + titleHeight;
    const int32_t gridWidth = truncated(k * calendar.CalendarWidth);
    const int32_t gridHeight = truncated(k * calendar.CalendarHeight) - titleHeight;
    const int32_t cellWidth = gridWidth / 7;
    const int32_t cellHeight = gridHeight / 6;

    TDrawingSurface::TStateGuard guard(surface);
    QPainter& painter = surface.painter();
    if (calendar.CalendarShowGridLines) {
        surface.selectSolidPen(0, 0, Qt::FlatCap);
        for (int32_t i = 0; i <= 7; ++i) {
            const int32_t x = i < 7 ? left + i * cellWidth : left + gridWidth;
            surface.line({x, gridTop}, {x, gridTop + gridHeight});
        }
        for (int32_t i = 0; i <= 6; ++i) {
            const int32_t y = i < 6 ? gridTop + i * cellHeight : gridTop + gridHeight;
            surface.line({left, y}, {left + gridWidth, y});
        }
    }

    // Day 1 stands in the column of its weekday, Sunday first.
    painter.setPen(qColorOf(calendar.CalendarDateFontColor));
    const auto days = static_cast<unsigned>((shown / std::chrono::last).day());
    int32_t column = static_cast<int32_t>(std::chrono::weekday(std::chrono::sys_days(first)).c_encoding());
    int32_t row = 0;
    for (unsigned day = 1; day <= days; ++day) {
        const QPoint at(left + column * cellWidth + truncated(cellWidth * 0.25),
                        gridTop + row * cellHeight + truncated(cellHeight * 0.2));
        drawCellText(painter, dateFont, at, QString::number(day));
        if (++column == 7) {
            column = 0;
            ++row;
        }
    }

    const auto month = static_cast<unsigned>(shown.month());
    const QString title = QString::fromStdString(calendar.MonthNames[month - 1]) + ' ' +
                          QString::number(static_cast<int>(shown.year()));
    painter.setPen(qColorOf(calendar.CalendarMonthFontColor));
    drawCellText(painter, monthFont, QPoint(left, top), title);
}

} // namespace orv
