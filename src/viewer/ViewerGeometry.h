#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <Qt>

#include <cstdint>
#include <optional>

namespace orv {

// The arithmetic of the preview: zoom percentages, where the page sits in
// the scrolling area and the texts of the toolbar boxes. No widgets here, so
// every rule can be checked on its own.

inline constexpr int32_t kMinZoom = 10;
inline constexpr int32_t kMaxZoom = 10000;
// The zoom box's arrows stay within 10..1600 %.
inline constexpr int32_t kMaxBoxZoom = 1600;

// A page of the layout size, in inches, and the screen it is shown on.
struct TZoomFrame {
  QSize area;         // the scrolling area, pixels
  int32_t border = 0; // PageBorderSize
  double ppi = 96;
  double pageWidth = 8.5, pageHeight = 11; // inches
};

// The zoom that fits the page into the area, each direction falling back to
// 10 % when the area is smaller than a tenth of the page.
int32_t automaticZoom(const TZoomFrame& frame);
// Fit in window; nothing when the area is smaller than the two borders.
std::optional<int32_t> fitInWindowZoom(const TZoomFrame& frame);
// Fit to width, leaving 14 pixels for the vertical scroll bar; at least 10 %.
int32_t fitToWidthZoom(const TZoomFrame& frame);
// ZoomIn / ZoomOut: the current zoom plus the step, within 10..10000 %.
int32_t steppedZoom(int32_t current, int32_t step);

// The page's size in pixels at a zoom.
QSize pagePixels(double widthInches, double heightInches, double ppi, int32_t zoom);

// Where the page control lies inside the scrolling area and how far the
// area scrolls. `content` is the scrolled extent: the area itself in a
// direction where the page fits, else the page with a border on each side.
struct TPagePlacement {
  QRect page;
  QSize content;
};
TPagePlacement placePage(QSize area, QSize page, int32_t border);

// The scroll position that keeps a clicked spot in view after click zoom:
// trunc(range x press / (old page size + 2 x border)).
int32_t scrollToKeep(int32_t range, int32_t press, int32_t oldPageSize, int32_t border);

// The zoom and page boxes' arrow step: 1, 5 with Shift, 10 with Ctrl, 25
// with both.
int32_t arrowStep(Qt::KeyboardModifiers modifiers);
// The zoom box's Up and Down arrows from the value it shows.
int32_t zoomBoxUp(int32_t value, int32_t step);
int32_t zoomBoxDown(int32_t value, int32_t step);

// "3 of 9" and the page box's width for the page count.
QString pageBoxText(int32_t viewPage, int32_t pageCount);
int32_t pageBoxWidth(int32_t pageCount);
// "150%".
QString zoomBoxText(int32_t zoom);

// Units of the page-size label: 0 inches, 1 centimetres, 2 millimetres.
enum class TUnitOfMeasure { Inches = 0, Centimetres = 1, Millimetres = 2 };
// "  8.5 x 11 in  ": each size in the unit, four significant digits at most.
QString pageSizeLabel(double widthInches, double heightInches, TUnitOfMeasure unit);
// A length in general format with at most four significant digits, as the
// page-size label and the placement label write it.
QString generalNumber(double value);

} // namespace orv
