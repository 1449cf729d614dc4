#pragma once

#include <cstdint>

namespace orv {

// A sheet's size, in whatever unit its caller works in (inches, points).
struct TSheetSize {
    double width = 0;
    double height = 0;
};

struct TCellOrigin {
    double x = 0, y = 0;
};

// How report pages share one printed or exported sheet: 1, 2, 4 or 8 a
// sheet. Two and eight turn the sheet; the pages shrink by the layout's
// scale and take their cells left to right, top to bottom.
struct TSheetLayout {
    int32_t pagesPerSheet = 1; // any value but 2, 4 and 8 counts as 1

    bool turned() const { return pagesPerSheet == 2 || pagesPerSheet == 8; }
    // The cells a sheet holds.
    int32_t cells() const { return turned() || pagesPerSheet == 4 ? pagesPerSheet : 1; }
    double scale() const;
    // The sheet for a page of the given size: the page itself, or turned.
    TSheetSize sheetSize(double pageWidth, double pageHeight) const;
    // The top-left corner of cell `cell` (1-based) on `sheet`: two side by
    // side, four in a 2 x 2 grid, eight in four columns and two rows.
    TCellOrigin cellOrigin(int32_t cell, TSheetSize sheet) const;
};

} // namespace orv
