#include "render/SheetLayout.h"

namespace orv {

double TSheetLayout::scale() const
{
    switch (pagesPerSheet) {
    case 2:
        return 0.75;
    case 4:
        return 0.5;
    case 8:
        return 0.33;
    default:
        return 1;
    }
}

TSheetSize TSheetLayout::sheetSize(double pageWidth, double pageHeight) const
{
    if (turned())
        return {pageHeight, pageWidth};
    return {pageWidth, pageHeight};
}

TCellOrigin TSheetLayout::cellOrigin(int32_t cell, TSheetSize sheet) const
{
    const int32_t k = cell - 1;
    switch (pagesPerSheet) {
    case 2:
        return {k == 1 ? sheet.width / 2 : 0, 0};
    case 4:
        return {(k % 2) * sheet.width / 2, (k / 2 % 2) * sheet.height / 2};
    case 8:
        return {(k % 4) * sheet.width / 4, (k / 4 % 2) * sheet.height / 2};
    default:
        return {};
    }
}

} // namespace orv
