#pragma once

#include "surface/PageTransform.h"

#include <QSizeF>

#include <chrono>
#include <cstdint>

namespace orv {

class TDrawingSurface;
struct TCalendarSetup;
struct TWaterMarkObject;

// The page's watermark: its text turned by its angle (degrees,
// counter-clockwise) with the middle of the turned text on the middle of the
// page. `pageInches` is the page's size as it lies on the surface; the
// transform's origin shifts it, its offsets do not.
void drawWatermark(TDrawingSurface& surface, const TWaterMarkObject& watermark, RenderTarget target,
                   const PageTransform& transform, QSizeF pageInches);

// The month calendar over page `pageNumber`, which shows month CalendarMonth +
// pageNumber - 1: a title with the month's name and year, then the days in
// seven columns from Sunday, optionally in a grid. It follows the
// transform's scale and origin.
void drawCalendar(TDrawingSurface& surface, const TCalendarSetup& calendar, int32_t pageNumber,
                  const PageTransform& transform);

// The month page `pageNumber` shows: each page one month after the one before.
std::chrono::year_month calendarMonthOf(const TCalendarSetup& calendar, int32_t pageNumber);

} // namespace orv
