#include "printing/PrintCellPlacement.h"

#include "document/Report.h"
#include "platform/Rounding.h"

#include <algorithm>
#include <limits>

namespace orv {

namespace {

double inches(float stored)
{
    return static_cast<double>(stored) / 10000.0;
}

void enclose(TContentBox& box, double x, double y)
{
    box.left = std::min(box.left, x);
    box.right = std::max(box.right, x);
    box.top = std::min(box.top, y);
    box.bottom = std::max(box.bottom, y);
}

// The print offset moved back by the tiles before this one: each tile
// shows one sheet's worth of the enlarged page.
Currency tileOffset(Currency printOffset, int32_t tile, double sheetSide, double scale)
{
    const double shift = tile * sheetSide / scale;
    return Currency{printOffset.scaled - static_cast<int64_t>(roundHalfEven(shift * 10000))};
}

} // namespace

double printScale(int32_t pagesPerSheet, int32_t printerScalePercent)
{
    if (printerScalePercent != 100)
        return printerScalePercent / 100.0;
    return TSheetLayout{pagesPerSheet}.scale();
}

TContentBox pageContentBox(const TReport& report, int32_t pageNumber)
{
    TContentBox box;
    for (const TReportObject& object : report.page(pageNumber).Objects) {
        const double left = inches(object.HPos), top = inches(object.VPos);
        enclose(box, left, top);
        enclose(box, left + inches(object.Width), top + inches(object.Height));
    }
    return box;
}

double shrunkToFit(double scale, const TContentBox& box, double printableWidth, double printableHeight)
{
    double fit = std::numeric_limits<double>::infinity();
    // A printer that reports no printable area gives nothing to fit to.
    if (box.width() != 0 && printableWidth > 0)
        fit = printableWidth / box.width();
    if (box.height() != 0 && printableHeight > 0)
        fit = std::min(fit, printableHeight / box.height());
    fit = roundToFourDecimals(fit);
    // Fitting only ever shrinks: a page already drawn smaller (several to
    // a sheet, or a printer scale below 100 %) keeps its scale, so cells
    // never overlap.
    return fit < 1 ? std::min(fit, scale) : scale;
}

TPrintPlacement placePrintCell(const TReport& report, const TCellRequest& request)
{
    const TPageObject& page = report.page(request.pageNumber);
    const TSheetLayout layout{request.pagesPerSheet};
    const TSheetSize sheet = layout.sheetSize(page.Width, page.Height);

    double scale = printScale(request.pagesPerSheet, request.printerScalePercent);
    if (request.shrinkToFit)
        scale = shrunkToFit(scale, pageContentBox(report, request.pageNumber), request.printableWidth,
                            request.printableHeight);

    const TCellOrigin origin = layout.cellOrigin(request.cell, sheet);
    TPrintPlacement placement;
    placement.pagesPerSheet = request.pagesPerSheet;
    PageTransform& transform = placement.transform;
    transform.devicePpi = request.devicePpi;
    transform.scale = scale;
    transform.offsetX = tileOffset(report.PrintOffsetX, request.tileColumn, sheet.width, scale);
    transform.offsetY = tileOffset(report.PrintOffsetY, request.tileRow, sheet.height, scale);
    transform.originX = truncated(request.devicePpi * origin.x);
    transform.originY = truncated(request.devicePpi * origin.y);
    return placement;
}

} // namespace orv
