#include "document/Report.h"
#include "printing/PrintCellPlacement.h"
#include "printing/PrintSheets.h"

#include <gtest/gtest.h>

#include <numeric>
#include <utility>

using namespace orv;

namespace {

using Pages = std::vector<int32_t>;

TSheetRequest pagesRequest(int32_t first, int32_t last)
{
    TSheetRequest request;
    request.pages = {first, last};
    return request;
}

// Every cell page of the plan, sheet after sheet.
Pages printedPages(const std::vector<TPlannedSheet>& plan)
{
    Pages pages;
    for (const auto& sheet : plan)
        pages.insert(pages.end(), sheet.cellPages.begin(), sheet.cellPages.end());
    return pages;
}

std::vector<Pages> sheetContents(const std::vector<TPlannedSheet>& plan)
{
    std::vector<Pages> sheets;
    for (const auto& sheet : plan)
        sheets.push_back(sheet.cellPages);
    return sheets;
}

std::pair<int32_t, int32_t> tileOf(const TPlannedSheet& sheet)
{
    return {sheet.tileColumn, sheet.tileRow};
}

size_t drawnCells(const std::vector<TPlannedSheet>& plan)
{
    return std::accumulate(plan.begin(), plan.end(), size_t{0},
                           [](size_t sum, const TPlannedSheet& sheet) { return sum + sheet.cellPages.size(); });
}

} // namespace

TEST(PrintSheets, TilesPerSideRoundTheScaleHalfToEvenAndNeverDropBelowOne)
{
    EXPECT_EQ(tilesPerSide(149), 1);
    EXPECT_EQ(tilesPerSide(150), 2);
    EXPECT_EQ(tilesPerSide(250), 2);
    EXPECT_EQ(tilesPerSide(350), 4);
    EXPECT_EQ(tilesPerSide(0), 1);
}

TEST(PrintSheets, PageTypeMovesTheFirstPageOntoItsParity)
{
    EXPECT_EQ(adjustForPageType({2, 6}, PrintPageType::OddOnly), (TPageRange{3, 6}));
    EXPECT_EQ(adjustForPageType({3, 6}, PrintPageType::OddOnly), (TPageRange{3, 6}));
    EXPECT_EQ(adjustForPageType({1, 6}, PrintPageType::EvenOnly), (TPageRange{2, 6}));
    EXPECT_EQ(adjustForPageType({2, 5}, PrintPageType::All), (TPageRange{2, 5}));
    // A one-page range follows its first page.
    EXPECT_EQ(adjustForPageType({4, 4}, PrintPageType::OddOnly), (TPageRange{5, 5}));
}

TEST(PrintSheets, PageTypeChoosesThePagesPrintedInEitherDirection)
{
    EXPECT_EQ(printedPages(planSheets(pagesRequest(1, 5))), (Pages{1, 2, 3, 4, 5}));

    TSheetRequest odd = pagesRequest(1, 6);
    odd.pageType = PrintPageType::OddOnly;
    EXPECT_EQ(printedPages(planSheets(odd)), (Pages{1, 3, 5}));
    odd.reverse = true;
    EXPECT_EQ(printedPages(planSheets(odd)), (Pages{5, 3, 1}));

    TSheetRequest even = pagesRequest(1, 6);
    even.pageType = PrintPageType::EvenOnly;
    even.reverse = true;
    EXPECT_EQ(printedPages(planSheets(even)), (Pages{6, 4, 2}));
    even.pages = {1, 5};
    EXPECT_EQ(printedPages(planSheets(even)), (Pages{4, 2}));

    TSheetRequest fromEvenPage = pagesRequest(2, 6);
    fromEvenPage.pageType = PrintPageType::OddOnly;
    fromEvenPage.pages = adjustForPageType(fromEvenPage.pages, fromEvenPage.pageType);
    EXPECT_EQ(printedPages(planSheets(fromEvenPage)), (Pages{3, 5}));
}

TEST(PrintSheets, SeveralPagesShareASheetInPrintingOrder)
{
    TSheetRequest fourUp = pagesRequest(1, 6);
    fourUp.pagesPerSheet = 4;
    EXPECT_EQ(sheetContents(planSheets(fourUp)), (std::vector<Pages>{{1, 2, 3, 4}, {5, 6}}));

    // Reversed, cell 1 holds the highest page of its sheet.
    fourUp.reverse = true;
    EXPECT_EQ(sheetContents(planSheets(fourUp)), (std::vector<Pages>{{6, 5, 4, 3}, {2, 1}}));

    TSheetRequest oddTwoUp = pagesRequest(1, 7);
    oddTwoUp.pageType = PrintPageType::OddOnly;
    oddTwoUp.pagesPerSheet = 2;
    EXPECT_EQ(sheetContents(planSheets(oddTwoUp)), (std::vector<Pages>{{1, 3}, {5, 7}}));

    TSheetRequest eightUp = pagesRequest(3, 5);
    eightUp.pagesPerSheet = 8;
    EXPECT_EQ(sheetContents(planSheets(eightUp)), (std::vector<Pages>{{3, 4, 5}}));
}

TEST(PrintSheets, CopiesRepeatEachSheetOrTheWholeRangeWhenCollatedAndNoCopiesPrintNothing)
{
    TSheetRequest request = pagesRequest(1, 3);
    request.copies = 3;
    EXPECT_EQ(printedPages(planSheets(request)), (Pages{1, 1, 1, 2, 2, 2, 3, 3, 3}));

    request.reverse = true;
    EXPECT_EQ(printedPages(planSheets(request)), (Pages{3, 3, 3, 2, 2, 2, 1, 1, 1}));

    request.collate = true;
    EXPECT_EQ(printedPages(planSheets(request)), (Pages{3, 2, 1, 3, 2, 1, 3, 2, 1}));

    request.reverse = false;
    EXPECT_EQ(printedPages(planSheets(request)), (Pages{1, 2, 3, 1, 2, 3, 1, 2, 3}));

    request.pagesPerSheet = 2;
    request.copies = 2;
    EXPECT_EQ(sheetContents(planSheets(request)), (std::vector<Pages>{{1, 2}, {3}, {1, 2}, {3}}));

    for (const bool collate : {false, true}) {
        request.copies = 0;
        request.collate = collate;
        EXPECT_TRUE(planSheets(request).empty()) << "collate " << collate;
    }
}

TEST(PrintSheets, EnlargedPagesPrintAllTilesOnlyInPlainOrder)
{
    TSheetRequest request = pagesRequest(1, 2);
    request.tilesPerSide = tilesPerSide(200);
    request.copies = 2;
    const auto plan = planSheets(request);

    const std::vector<std::pair<int32_t, int32_t>> oneTiling{{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    ASSERT_EQ(plan.size(), 2u * 2u * oneTiling.size());
    EXPECT_EQ(printedPages(plan), (Pages{1, 1, 1, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 2, 2, 2}));
    for (size_t i = 0; i < plan.size(); ++i) {
        const auto tile = oneTiling[i % oneTiling.size()];
        EXPECT_EQ(tileOf(plan[i]), tile) << "sheet " << i;
        // The job sets up the device before the first tile of each printing only.
        EXPECT_EQ(plan[i].startsGroup, tile == std::make_pair(0, 0)) << "sheet " << i;
    }

    for (const auto& [collate, reverse] : {std::pair{true, false}, {true, true}, {false, true}}) {
        TSheetRequest ordered = request;
        ordered.collate = collate;
        ordered.reverse = reverse;
        const auto orderedPlan = planSheets(ordered);
        EXPECT_EQ(orderedPlan.size(), 4u) << collate << reverse;
        for (const auto& sheet : orderedPlan)
            EXPECT_TRUE(tileOf(sheet) == std::make_pair(0, 0) && sheet.startsGroup) << collate << reverse;
    }

    // Pages sharing a sheet are never tiled.
    TSheetRequest twoUp = request;
    twoUp.pagesPerSheet = 2;
    EXPECT_EQ(sheetContents(planSheets(twoUp)), (std::vector<Pages>{{1, 2}, {1, 2}}));
}

TEST(PrintSheets, EveryPageOfEveryCopyIsOneDrawnCell)
{
    for (const int32_t perSheet : {1, 2, 4, 8})
        for (const bool collate : {false, true}) {
            TSheetRequest request = pagesRequest(2, 8);
            request.copies = 3;
            request.pagesPerSheet = perSheet;
            request.collate = collate;
            EXPECT_EQ(drawnCells(planSheets(request)), 7u * 3u) << perSheet << " a sheet, collate " << collate;
        }
}

namespace {

// A report whose first page is Letter, 8.5 x 11 inches.
class PrintCellTest : public ::testing::Test {
protected:
    TReportObject& addObject(float left, float top, float width, float height)
    {
        TReportObject& object = report.appendObject();
        object.ObjType = ObjType::Shape;
        object.HPos = storedUnits(left);
        object.VPos = storedUnits(top);
        object.Width = storedUnits(width);
        object.Height = storedUnits(height);
        return object;
    }

    PageTransform transformOf(TCellRequest request) const { return placePrintCell(report, request).transform; }

    TReport report;
};

std::pair<int32_t, int32_t> originOf(const PageTransform& transform)
{
    return {transform.originX, transform.originY};
}

} // namespace

TEST_F(PrintCellTest, TwoPagesASheetSitSideBySide)
{
    TCellRequest request;
    request.pagesPerSheet = 2;
    request.devicePpi = 600;
    for (const auto& [cell, originX] : {std::pair{1, 0}, {2, 3300}}) { // 5.5 in at 600 ppi
        request.cell = cell;
        const TPrintPlacement placement = placePrintCell(report, request);
        EXPECT_EQ(placement.pagesPerSheet, 2);
        EXPECT_EQ(placement.transform.devicePpi, 600);
        EXPECT_EQ(placement.transform.scale, 0.75);
        EXPECT_EQ(originOf(placement.transform), std::make_pair(originX, 0)) << "cell " << cell;
    }
}

TEST_F(PrintCellTest, FourAndEightPagesASheetFillAGrid)
{
    TCellRequest request;
    request.devicePpi = 300;
    request.pagesPerSheet = 4;
    const std::vector<std::pair<int32_t, int32_t>> fourGrid{{0, 0}, {1275, 0}, {0, 1650}, {1275, 1650}};
    for (int32_t cell = 1; cell <= 4; ++cell) {
        request.cell = cell;
        const PageTransform transform = transformOf(request);
        EXPECT_EQ(transform.scale, 0.5);
        EXPECT_EQ(originOf(transform), fourGrid[cell - 1]) << "cell " << cell;
    }

    // Eight: four columns of a quarter of the turned 11-inch sheet, two rows.
    request.devicePpi = 100;
    request.pagesPerSheet = 8;
    const std::vector<std::pair<int32_t, int32_t>> eightGrid{{0, 0},   {275, 0},   {550, 0},   {825, 0},
                                                             {0, 425}, {275, 425}, {550, 425}, {825, 425}};
    for (int32_t cell = 1; cell <= 8; ++cell) {
        request.cell = cell;
        const PageTransform transform = transformOf(request);
        EXPECT_EQ(transform.scale, 0.33);
        EXPECT_EQ(originOf(transform), eightGrid[cell - 1]) << "cell " << cell;
    }

    // A printer scale other than 100 % replaces the scale of the grid.
    request.printerScalePercent = 80;
    EXPECT_EQ(transformOf(request).scale, 0.8);
}

TEST_F(PrintCellTest, ContentBoxEnclosesTheOriginAndBothCornersOfEveryObject)
{
    EXPECT_EQ(pageContentBox(report, 1).width(), 0);
    EXPECT_EQ(pageContentBox(report, 1).height(), 0);

    addObject(2, 3, -1.5f, 4);    // a line drawn leftwards: x 0.5 .. 2
    addObject(-1, 0.5f, 2, 1);    // reaches left of the page
    addObject(1, 7.5f, 0.5f, -2); // drawn upwards: y 5.5 .. 7.5
    const TContentBox box = pageContentBox(report, 1);
    EXPECT_DOUBLE_EQ(box.left, -1);
    EXPECT_DOUBLE_EQ(box.top, 0);
    EXPECT_DOUBLE_EQ(box.right, 2);
    EXPECT_DOUBLE_EQ(box.bottom, 7.5);
}

TEST_F(PrintCellTest, ShrinkToFitScalesOnlyAPageThatOverflowsThePrintableArea)
{
    TCellRequest request;
    request.shrinkToFit = true;
    request.printableWidth = 8;
    request.printableHeight = 10.5;
    EXPECT_EQ(transformOf(request).scale, 1) << "an empty page";
    addObject(0.5f, 0.5f, 3, 4);
    EXPECT_EQ(transformOf(request).scale, 1) << "a page that fits";
    addObject(1, 1, 9, 4); // reaches 10 in across, 5 in down
    EXPECT_EQ(transformOf(request).scale, 0.8);
    request.shrinkToFit = false;
    EXPECT_EQ(transformOf(request).scale, 1);

    // Four to a sheet the page is already smaller than the fit: fitting
    // never enlarges it over its neighbours.
    request.shrinkToFit = true;
    request.pagesPerSheet = 4;
    EXPECT_EQ(transformOf(request).scale, 0.5);
    // Without a printable area there is nothing to fit to.
    request.printableWidth = request.printableHeight = 0;
    request.pagesPerSheet = 1;
    EXPECT_EQ(transformOf(request).scale, 1);

    // A flat side does not count; the fit keeps four decimals.
    EXPECT_EQ(shrunkToFit(1, {0, 0, 0, 21}, 8, 10.5), 0.5);
    EXPECT_EQ(shrunkToFit(1, {0, 0, 16, 0}, 8, 10.5), 0.5);
    EXPECT_EQ(shrunkToFit(1, {0, 0, 3, 1}, 2, 10.5), 0.6667);
}

TEST_F(PrintCellTest, TilesOfAnEnlargedPageShiftThePrintOffsetBySheets)
{
    report.PrintOffsetX = Currency::fromInches(0.25);
    report.PrintOffsetY = Currency::fromInches(0.5);
    TCellRequest request;
    request.printerScalePercent = 200;
    const PageTransform first = transformOf(request);
    EXPECT_EQ(first.scale, 2.0);
    EXPECT_EQ(first.offsetX, report.PrintOffsetX);
    EXPECT_EQ(first.offsetY, report.PrintOffsetY);

    request.tileColumn = 1;
    const PageTransform right = transformOf(request);
    EXPECT_EQ(right.offsetX, Currency::fromInches(0.25 - 8.5 / 2));
    EXPECT_EQ(right.offsetY, report.PrintOffsetY);

    request.tileRow = 1;
    const PageTransform lowerRight = transformOf(request);
    EXPECT_EQ(lowerRight.offsetY, Currency::fromInches(0.5 - 11.0 / 2));
    EXPECT_EQ(originOf(lowerRight), std::make_pair(0, 0));
}

TEST_F(PrintCellTest, ObjectsMapThroughThePlacedTransform)
{
    report.PrintOffsetX = Currency::fromInches(0.5);
    report.PrintOffsetY = Currency::fromInches(0.25);
    const TReportObject object = addObject(1.5f, 2, 1, 1);

    TCellRequest request;
    request.devicePpi = 600;
    request.pagesPerSheet = 2;
    request.cell = 2;
    const PageTransform transform = transformOf(request);
    // 600 ppi x 0.75 x (1.5 + 0.5) in + the cell's 3300 pixels.
    EXPECT_EQ(transform.x(object.HPos), 900 + 3300);
    EXPECT_EQ(transform.y(object.VPos), 1012); // 450 x 2.25 = 1012.5, cut

    // The second tile across of a page at 200 % starts 4.25 in into the page.
    TCellRequest tile;
    tile.devicePpi = 100;
    tile.printerScalePercent = 200;
    tile.tileColumn = 1;
    const TReportObject farRight = addObject(5, 0, 1, 1);
    EXPECT_EQ(transformOf(tile).x(farRight.HPos), 250); // (5 + 0.5 - 4.25) x 200
}
