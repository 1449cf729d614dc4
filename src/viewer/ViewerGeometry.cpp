#include "viewer/ViewerGeometry.h"

#include <algorithm>
#include <cmath>

namespace orv {

namespace {

// The fitting percent for one direction of the automatic zoom.
int32_t automaticPercent(int32_t available, double ppi, double pageInches)
{
  const auto tenth = static_cast<int32_t>(std::trunc(ppi * pageInches * 0.1));
  if (pageInches <= 0 || available < tenth)
    return kMinZoom;
  return static_cast<int32_t>(std::trunc(available / ppi / pageInches * 100));
}

int32_t clampedTrunc(double value)
{
  // Guards the conversion for absurd page sizes; zoom never goes near these.
  return static_cast<int32_t>(std::trunc(std::clamp(value, -1e9, 1e9)));
}

// Centred as the area's half minus the page's half, each rounded toward 0.
int32_t centred(int32_t area, int32_t page) { return area / 2 - page / 2; }

} // namespace

int32_t automaticZoom(const TZoomFrame& frame)
{
  const int32_t b = 2 * frame.border;
  const int32_t across = automaticPercent(frame.area.width() - b, frame.ppi, frame.pageWidth);
  const int32_t down = automaticPercent(frame.area.height() - b, frame.ppi, frame.pageHeight);
  return std::min(across, down);
}

std::optional<int32_t> fitInWindowZoom(const TZoomFrame& frame)
{
  const int32_t b = 2 * frame.border;
  if (frame.area.width() < b || frame.area.height() < b || frame.pageWidth <= 0 || frame.pageHeight <= 0)
    return std::nullopt;
  const int32_t across = clampedTrunc((frame.area.width() - b) / (frame.ppi * frame.pageWidth) * 100);
  const int32_t down = clampedTrunc((frame.area.height() - b) / (frame.ppi * frame.pageHeight) * 100);
  return std::min(across, down);
}

int32_t fitToWidthZoom(const TZoomFrame& frame)
{
  if (frame.pageWidth <= 0)
    return kMinZoom;
  const double available = frame.area.width() - 2 * frame.border - 14;
  return std::max(clampedTrunc(available / (frame.ppi * frame.pageWidth) * 100), kMinZoom);
}

int32_t steppedZoom(int32_t current, int32_t step)
{
  return std::min(std::max(current + step, kMinZoom), kMaxZoom);
}

QSize pagePixels(double widthInches, double heightInches, double ppi, int32_t zoom)
{
  return QSize(clampedTrunc(widthInches * ppi * zoom / 100), clampedTrunc(heightInches * ppi * zoom / 100));
}

TPagePlacement placePage(QSize area, QSize page, int32_t border)
{
  const int32_t b = 2 * border;
  TPagePlacement placement;
  placement.page.setSize(page);
  if (page.width() < area.width() - b && page.height() < area.height() - b) {
    placement.page.moveTo(centred(area.width(), page.width()), centred(area.height(), page.height()));
    placement.content = area;
    return placement;
  }
  auto place = [&](int32_t areaSize, int32_t pageSize, int32_t& start, int32_t& content) {
    if (pageSize >= areaSize) {
      start = border;
      content = pageSize + b;
    } else {
      start = centred(areaSize, pageSize);
      content = areaSize;
    }
  };
  int32_t left = 0, top = 0, contentWidth = 0, contentHeight = 0;
  place(area.width(), page.width(), left, contentWidth);
  place(area.height(), page.height(), top, contentHeight);
  placement.page.moveTo(left, top);
  placement.content = QSize(contentWidth, contentHeight);
  return placement;
}

int32_t scrollToKeep(int32_t range, int32_t press, int32_t oldPageSize, int32_t border)
{
  const int32_t extent = oldPageSize + 2 * border;
  if (extent <= 0)
    return 0;
  return static_cast<int32_t>(std::trunc(static_cast<double>(range) * press / extent));
}

int32_t arrowStep(Qt::KeyboardModifiers modifiers)
{
  const bool shift = modifiers & Qt::ShiftModifier;
  const bool ctrl = modifiers & Qt::ControlModifier;
  if (shift && ctrl)
    return 25;
  if (ctrl)
    return 10;
  if (shift)
    return 5;
  return 1;
}

int32_t zoomBoxUp(int32_t value, int32_t step)
{
  if (value < kMaxBoxZoom)
    value += step;
  return std::clamp(value, kMinZoom, kMaxBoxZoom);
}

int32_t zoomBoxDown(int32_t value, int32_t step)
{
  if (value > kMinZoom)
    value -= step;
  return std::max(kMinZoom, value);
}

QString pageBoxText(int32_t viewPage, int32_t pageCount)
{
  return QString::number(viewPage) + " of " + QString::number(pageCount);
}

int32_t pageBoxWidth(int32_t pageCount)
{
  if (pageCount >= 100000)
    return 108;
  if (pageCount >= 10000)
    return 92;
  if (pageCount >= 1000)
    return 76;
  return 60;
}

QString zoomBoxText(int32_t zoom) { return QString::number(zoom) + "%"; }

QString generalNumber(double value)
{
  return QString::number(value, 'g', 4);
}

QString pageSizeLabel(double widthInches, double heightInches, TUnitOfMeasure unit)
{
  double factor = 1;
  const char* name = "in";
  if (unit == TUnitOfMeasure::Centimetres) {
    factor = 2.54;
    name = "cm";
  } else if (unit == TUnitOfMeasure::Millimetres) {
    factor = 25.4;
    name = "mm";
  }
  auto inUnit = [&](double inches) { return std::round(inches * factor * 10000) / 10000; };
  return "  " + generalNumber(inUnit(widthInches)) + " x " + generalNumber(inUnit(heightInches)) + " " + name + "  ";
}

} // namespace orv
