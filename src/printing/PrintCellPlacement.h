#pragma once

#include "render/PageRenderer.h"
#include "render/SheetLayout.h"

#include <cstdint>

namespace orv {

class TReport;

// The scale a page is printed at before shrinking: the printer scale when it
// is not 100 %, else the scale that fits 1, 2, 4 or 8 pages on a sheet.
double printScale(int32_t pagesPerSheet, int32_t printerScalePercent);

// The box in inches that encloses the page's origin and every object of the
// page (both corners of each, so lines drawn leftwards or upwards count).
struct TContentBox {
    double left = 0, top = 0, right = 0, bottom = 0;

    double width() const { return right - left; }
    double height() const { return bottom - top; }
};

TContentBox pageContentBox(const TReport& report, int32_t pageNumber);

// The scale that fits `box` into the printable area, four decimals, but
// never above `scale`; a side of the box that is 0, or of the printable
// area, does not count. `scale` when the box fits already or is empty.
double shrunkToFit(double scale, const TContentBox& box, double printableWidth, double printableHeight);

// Everything that places one page in one cell of a printed sheet.
struct TCellRequest {
    int32_t pageNumber = 1;
    int32_t cell = 1;
    int32_t tileColumn = 0, tileRow = 0; // which part of an enlarged page
    int32_t pagesPerSheet = 1;
    int32_t printerScalePercent = 100;
    int32_t devicePpi = 96;
    bool shrinkToFit = false;
    double printableWidth = 0, printableHeight = 0; // inches, used to shrink
};

// The placement of one page in one cell: the device resolution, the scale,
// the report's print offsets moved to the tile, the cell's origin in device
// pixels and the pages per sheet. The job adds its screen resolution and
// progress.
TPrintPlacement placePrintCell(const TReport& report, const TCellRequest& request);

} // namespace orv
