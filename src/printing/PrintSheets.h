#pragma once

#include "document/PageRange.h"

#include <cstdint>
#include <vector>

namespace orv {

// Which pages of a range a print job prints (TPrinterSetup::PageType).
namespace PrintPageType {
inline constexpr int32_t All = 0;
inline constexpr int32_t OddOnly = 1;
inline constexpr int32_t EvenOnly = 2;
} // namespace PrintPageType

// How many sheets across (and down) an enlarged page is printed on: the
// printer scale over 100, rounded half to even, at least 1.
int32_t tilesPerSide(int32_t printerScalePercent);

// Moves the first page onto the parity the job prints (odd only: an even
// first page moves up by one; even only: an odd one does) and the last page
// up to the first when it fell below it. The result may end one page past
// the report; the caller limits it again.
TPageRange adjustForPageType(TPageRange range, int32_t pageType);

// Everything that decides which pages go onto which sheets, and in what
// order.
struct TSheetRequest {
    TPageRange pages;
    int32_t pageType = PrintPageType::All;
    int32_t copies = 1;
    bool collate = false;
    bool reverse = false;
    int32_t pagesPerSheet = 1; // 1, 2, 4 or 8
    int32_t tilesPerSide = 1;  // see tilesPerSide()
};

// One sheet the job prints: the page of each cell (cell 1 first), and for a
// tile of an enlarged page its column and row. `startsGroup` is set on every
// sheet but the second and later tiles of one printing of an enlarged page:
// the job checks for cancel and sets up the device once per group.
struct TPlannedSheet {
    std::vector<int32_t> cellPages;
    int32_t tileColumn = 0;
    int32_t tileRow = 0;
    bool startsGroup = true;
};

// The sheets in the order they are printed. Every cell page is drawn once,
// so the cells drawn (the job's progress steps) are the sum of the sheets'
// cellPages sizes.
std::vector<TPlannedSheet> planSheets(const TSheetRequest& request);

} // namespace orv
