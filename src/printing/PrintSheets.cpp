#include "printing/PrintSheets.h"

#include "platform/Rounding.h"

#include <algorithm>

namespace orv {

namespace {

bool hasPageType(int32_t page, int32_t pageType)
{
    switch (pageType) {
    case PrintPageType::OddOnly:
        return page % 2 != 0;
    case PrintPageType::EvenOnly:
        return page % 2 == 0;
    default:
        return true;
    }
}

// The printed pages in printing order: upwards from the first, or downwards
// from the last for a reversed job.
std::vector<int32_t> orderedPages(const TSheetRequest& request)
{
    std::vector<int32_t> pages;
    for (int32_t page = request.pages.first; page <= request.pages.last; ++page)
        if (hasPageType(page, request.pageType))
            pages.push_back(page);
    if (request.reverse)
        std::reverse(pages.begin(), pages.end());
    return pages;
}

// Consecutive runs of `pagesPerSheet` pages; the last sheet may hold fewer.
std::vector<std::vector<int32_t>> sheetContents(const std::vector<int32_t>& pages, int32_t pagesPerSheet)
{
    const size_t perSheet = static_cast<size_t>(std::max(pagesPerSheet, 1));
    std::vector<std::vector<int32_t>> sheets;
    for (size_t start = 0; start < pages.size(); start += perSheet) {
        const size_t end = std::min(start + perSheet, pages.size());
        sheets.emplace_back(pages.begin() + static_cast<std::ptrdiff_t>(start),
                            pages.begin() + static_cast<std::ptrdiff_t>(end));
    }
    return sheets;
}

// One printing of a sheet: the sheet itself, or all tiles of its enlarged
// page, left to right then top to bottom.
void appendPrinting(std::vector<TPlannedSheet>& plan, const std::vector<int32_t>& cellPages, int32_t tiles)
{
    for (int32_t row = 0; row < tiles; ++row)
        for (int32_t column = 0; column < tiles; ++column)
            plan.push_back({cellPages, column, row, column == 0 && row == 0});
}

} // namespace

int32_t tilesPerSide(int32_t printerScalePercent)
{
    return std::max(rounded(printerScalePercent / 100.0), 1);
}

TPageRange adjustForPageType(TPageRange range, int32_t pageType)
{
    if (pageType != PrintPageType::All && !hasPageType(range.first, pageType))
        ++range.first;
    range.last = std::max(range.last, range.first);
    return range;
}

std::vector<TPlannedSheet> planSheets(const TSheetRequest& request)
{
    const auto sheets = sheetContents(orderedPages(request), request.pagesPerSheet);
    std::vector<TPlannedSheet> plan;
    if (request.collate) {
        for (int32_t pass = 0; pass < request.copies; ++pass)
            for (const auto& sheet : sheets)
                appendPrinting(plan, sheet, 1);
        return plan;
    }
    // Only an uncollated job in page order tiles an enlarged single page;
    // any other order prints its first tile alone.
    const bool tiled = !request.reverse && request.pagesPerSheet == 1;
    const int32_t tiles = tiled ? std::max(request.tilesPerSide, 1) : 1;
    for (const auto& sheet : sheets)
        for (int32_t copy = 0; copy < request.copies; ++copy)
            appendPrinting(plan, sheet, tiles);
    return plan;
}

} // namespace orv
