#include "document/PaperSizes.h"
#include "document/Report.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace orv;

namespace {

// Counts what the report asks of its viewer.
struct RecordingObserver : IReportObserver {
    int layouts = 0;
    int repaints = 0;
    int navigations = 0;
    void reportLayoutChanged() override { ++layouts; }
    void reportContentChanged() override { ++repaints; }
    void reportNavigationChanged() override { ++navigations; }
    void reportBackgroundChanged(bool) override {}
    void reset() { layouts = repaints = navigations = 0; }
};

void addPages(TReport& report, int count)
{
    for (int i = 0; i < count; ++i)
        report.newPage(8.5f, 11, 0, 0, 0);
}

// Marks every page with its own number in its bin so moves are visible.
void tagPages(TReport& report)
{
    for (int n = 1; n <= report.pageCount(); ++n)
        report.page(n).PaperBin = n;
}

} // namespace

TEST(StoredUnits, TruncatesTheWidenedSingleArgument)
{
    EXPECT_EQ(storedUnits(0.7f), 6999.0f);
    EXPECT_EQ(storedUnits(1.5f), 15000.0f);
    EXPECT_EQ(storedUnits(-0.7f), -6999.0f);
    EXPECT_EQ(storedUnits(Currency{7000}), 7000.0f);
}

TEST(ReportStart, HoldsOneLetterPageWithBothCursorsOnIt)
{
    TReport report;
    ASSERT_EQ(report.pageCount(), 1);
    EXPECT_EQ(report.drawPageNumber(), 1);
    EXPECT_EQ(report.viewPageNumber(), 1);
    EXPECT_EQ(report.page(1).Width, 8.5);
    EXPECT_EQ(report.page(1).Height, 11.0);
    EXPECT_EQ(report.page(1).Orientation, 1);
    EXPECT_EQ(report.page(1).WaterMark.FontName, "Arial");
    EXPECT_EQ(report.page(1).WaterMark.FontSize, 90);
    EXPECT_EQ(report.page(1).WaterMark.ForeColor, 0xC0C0C0u);
    EXPECT_EQ(report.page(1).WaterMark.RotationAngle, 45);
    EXPECT_EQ(report.PdfSetup.FileName, "Orv Report Engine.PDF");
    EXPECT_EQ(report.PdfSetup.Margin.scaled, 2500);
    EXPECT_EQ(report.EmailSetup.AttachmentFileName, "Report.PDF");
    EXPECT_EQ(report.PrintJobTitle, "Orv Report Engine");
    EXPECT_GE(report.Calendar.CalendarMonth, 1);
    EXPECT_LE(report.Calendar.CalendarMonth, 12);
    EXPECT_THROW(report.page(0), std::out_of_range);
    EXPECT_THROW(report.page(2), std::out_of_range);
}

TEST(NewPage, SizesOrientationAndDefaults)
{
    TReport report;
    report.newPage(0, 0, 0, 0, 0);
    EXPECT_EQ(report.page(2).Width, 8.5);
    EXPECT_EQ(report.page(2).Orientation, 1);
    EXPECT_EQ(report.lastNewPageWidth(), 0.0f);
    EXPECT_EQ(report.lastNewPageHeight(), 0.0f);

    report.newPage(11, 8.5f, 0, 0, 0);
    report.newPage(8.5f, 11, 1, 0, 0);
    for (int n : {3, 4}) {
        EXPECT_EQ(report.page(n).Width, 11.0);
        EXPECT_EQ(report.page(n).Height, 8.5);
        EXPECT_EQ(report.page(n).Orientation, 2);
    }
    // Only the low byte of the orientation counts.
    report.newPage(8.5f, 11, 0x101, 7, 0);
    EXPECT_EQ(report.page(5).Width, 11.0);
    EXPECT_EQ(report.page(5).PaperBin, 7);

    report.newPage(8, 8, 0, 0, 0);
    EXPECT_EQ(report.page(6).Orientation, 2);
    EXPECT_EQ(report.drawPageNumber(), 6);
    EXPECT_EQ(report.viewPageNumber(), 6);
}

TEST(NewPage, InsertsBeforeAPageAndMovesRestarts)
{
    TReport report;
    addPages(report, 2);
    tagPages(report);
    ASSERT_TRUE(report.setPageNumberToOne(2));
    ASSERT_TRUE(report.setPageNumberToOne(3));

    report.newPage(8.5f, 11, 0, 99, 1);
    ASSERT_EQ(report.pageCount(), 4);
    EXPECT_EQ(report.page(1).PaperBin, 99);
    EXPECT_EQ(report.page(2).PaperBin, 1);
    EXPECT_EQ(report.page(4).PaperBin, 3);
    EXPECT_EQ(report.drawPageNumber(), 1);
    EXPECT_EQ(report.numberRestarts(), (std::vector<int32_t>{3, 4}));

    report.newPage(8.5f, 11, 0, 98, -1);
    EXPECT_EQ(report.page(1).PaperBin, 98);
    EXPECT_EQ(report.numberRestarts(), (std::vector<int32_t>{4, 5}));

    // A position beyond the last page appends.
    report.newPage(8.5f, 11, 0, 97, 7);
    EXPECT_EQ(report.pageCount(), 6);
    EXPECT_EQ(report.page(6).PaperBin, 97);
}

TEST(NewPage, RefusedPositionLeavesTheReportAsItWas)
{
    RecordingObserver observer;
    TReport report(&observer);
    observer.reset();
    EXPECT_THROW(report.newPage(8.5f, 11, 0, 0, -5), std::out_of_range);
    EXPECT_EQ(report.pageCount(), 1);
    EXPECT_EQ(report.drawPageNumber(), 1);
    EXPECT_EQ(report.viewPageNumber(), 1);
    EXPECT_EQ(observer.layouts + observer.repaints + observer.navigations, 0);
}

TEST(NewPage, LaysOutAgainOnlyWhenTheSizeChanges)
{
    RecordingObserver observer;
    TReport report(&observer);
    observer.reset();
    report.newPage(8.5f, 11, 0, 0, 0);
    EXPECT_EQ(observer.layouts, 0);
    EXPECT_EQ(observer.repaints, 1);
    report.newPage(11, 8.5f, 0, 0, 0);
    EXPECT_EQ(observer.layouts, 1);
    EXPECT_EQ(report.layoutWidth(), 11.0f);
}

TEST(NewPageByPaperSize, TakesTheTableRow)
{
    TReport report;
    report.newPageByPaperSize(9, 0, 0, 0);
    EXPECT_EQ(report.page(2).Width, static_cast<double>(static_cast<float>(210 / 25.4)));
    EXPECT_FLOAT_EQ(static_cast<float>(report.page(2).Height), 11.692913f);
    EXPECT_EQ(report.page(2).PaperSize, 9);
    EXPECT_EQ(lookUpPaperSize(report.page(2).Width, report.page(2).Height), 9);

    report.newPageByPaperSize(35, 0, 0, 0);
    EXPECT_NEAR(report.page(3).Width, 6.93, 0.005);
    EXPECT_NEAR(report.page(3).Height, 4.92, 0.005);
    EXPECT_EQ(report.page(3).Orientation, 2);
    EXPECT_EQ(lookUpPaperSize(report.page(3).Width, report.page(3).Height), 35);

    for (int code : {0, 42, 256}) {
        report.newPageByPaperSize(code, 0, 0, 0);
        EXPECT_EQ(report.drawPage().PaperSize, 1) << code;
        EXPECT_EQ(report.drawPage().Width, 8.5) << code;
    }

    report.newPageByPaperSize(9, 1, 0, 0);
    EXPECT_EQ(report.drawPage().Orientation, 2);
    EXPECT_GT(report.drawPage().Width, report.drawPage().Height);
}

TEST(SetPageByPaperSize, ResizesTheViewPageAndAlwaysLaysOut)
{
    RecordingObserver observer;
    TReport report(&observer);
    observer.reset();
    report.setPageByPaperSize(256, 0);
    EXPECT_EQ(report.viewPage().PaperSize, 256);
    EXPECT_EQ(report.viewPage().Width, 8.5);
    EXPECT_EQ(observer.layouts, 1);

    report.setPageByPaperSize(77, 0);
    EXPECT_EQ(report.viewPage().PaperSize, 1);

    report.setPageByPaperSize(5, 1);
    EXPECT_EQ(report.viewPage().Width, 14.0);
    EXPECT_EQ(report.viewPage().Orientation, 2);
    EXPECT_EQ(report.layoutWidth(), 14.0f);
    EXPECT_EQ(report.lastNewPageHeight(), 8.5f);
}

TEST(PaperSizeLookup, ReportsTheLastMatchingRow)
{
    EXPECT_EQ(lookUpPaperSize(8.5, 11), 1);
    EXPECT_EQ(lookUpPaperSize(11, 8.5), 1);
    EXPECT_EQ(lookUpPaperSize(8.5, 13), 41);
    EXPECT_EQ(lookUpPaperSize(11, 17), 3);
    EXPECT_EQ(lookUpPaperSize(17, 11), 4);
    EXPECT_EQ(lookUpPaperSize(8.5, 14), 5);
    EXPECT_EQ(lookUpPaperSize(14.875, 11), 39);
    EXPECT_EQ(lookUpPaperSize(8.27, 11.69), 256);
    EXPECT_EQ(lookUpPaperSize(1, 1), 256);
    // Codes that share a size with an earlier or later row are never reported.
    for (int32_t code = 1; code <= 41; ++code) {
        PaperSize size = *paperSizeOf(code);
        int32_t reported = lookUpPaperSize(size.width, size.height);
        if (code == 2 || code == 10 || code == 17 || code == 18 || code == 14)
            EXPECT_NE(reported, code) << code;
        else
            EXPECT_EQ(reported, code) << code;
    }
    EXPECT_FALSE(paperSizeOf(0));
    EXPECT_FALSE(paperSizeOf(42));
}

TEST(PageNumbering, RestartsSplitTheReportIntoSections)
{
    TReport report;
    addPages(report, 7);
    EXPECT_EQ(report.pageNumberInSection(5), 5);
    EXPECT_EQ(report.pageTotalInSection(5), 8);

    EXPECT_TRUE(report.setPageNumberToOne(6));
    EXPECT_TRUE(report.setPageNumberToOne(3));
    EXPECT_FALSE(report.setPageNumberToOne(3));
    EXPECT_FALSE(report.setPageNumberToOne(0));
    EXPECT_TRUE(report.setPageNumberToOne(9));
    EXPECT_FALSE(report.setPageNumberToOne(10));
    EXPECT_EQ(report.numberRestarts(), (std::vector<int32_t>{3, 6, 9}));

    EXPECT_EQ(report.pageNumberInSection(2), 2);
    EXPECT_EQ(report.pageTotalInSection(2), 2);
    EXPECT_EQ(report.pageNumberInSection(3), 1);
    EXPECT_EQ(report.pageNumberInSection(4), 2);
    EXPECT_EQ(report.pageTotalInSection(4), 3);
    EXPECT_EQ(report.pageNumberInSection(7), 2);
    EXPECT_EQ(report.pageTotalInSection(7), 3);
}

TEST(DeletePage, RemovesRangesAndKeepsAPage)
{
    TReport report;
    addPages(report, 4);
    tagPages(report);
    report.deletePage(4, 2);
    ASSERT_EQ(report.pageCount(), 2);
    EXPECT_EQ(report.page(1).PaperBin, 1);
    EXPECT_EQ(report.page(2).PaperBin, 5);
    EXPECT_EQ(report.viewPageNumber(), 2);
    EXPECT_EQ(report.drawPageNumber(), 2);

    // Both arguments 0: the view page.
    report.deletePage(0, 0);
    EXPECT_EQ(report.pageCount(), 1);
    EXPECT_EQ(report.page(1).PaperBin, 1);

    // The last page is never removed: the report is cleared instead.
    report.deletePage(0, 0);
    EXPECT_EQ(report.pageCount(), 1);
    EXPECT_EQ(report.page(1).PaperBin, 0);

    addPages(report, 4);
    report.deletePage(1, 99);
    EXPECT_EQ(report.pageCount(), 1);
    EXPECT_EQ(report.page(1).Width, 8.5);

    addPages(report, 2);
    tagPages(report);
    report.deletePage(-3, 2); // a negative start counts as a missing one
    EXPECT_EQ(report.pageCount(), 1);
    EXPECT_EQ(report.page(1).PaperBin, 3);

    addPages(report, 2);
    report.deletePage(7, 9); // nothing there
    EXPECT_EQ(report.pageCount(), 3);
}

TEST(DeletePage, AdoptsTheNewViewPageSize)
{
    RecordingObserver observer;
    TReport report(&observer);
    report.newPage(11, 8.5f, 0, 0, 0);
    report.gotoPage(2);
    observer.reset();
    report.deletePage(2, 2);
    EXPECT_EQ(report.layoutWidth(), 8.5f);
    EXPECT_EQ(observer.layouts, 1);
}

TEST(Clear, LeavesOneFreshPageAndDeletesTemporaryFiles)
{
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / "orv-clear-test";
    fs::create_directories(folder);
    const fs::path previous = fs::current_path();
    fs::current_path(folder);

    TReport report;
    addPages(report, 3);
    report.appendObject().ObjType = ObjType::Shape;
    report.Fonts.push_back({});
    report.PdfFonts.push_back({"Arial", 0});
    ASSERT_TRUE(report.setPageNumberToOne(2));
    report.PdfSetup.Title = "kept";
    const std::string first = report.TempFiles.createExclusive("ORVR", ".bmp");
    const std::string second = report.TempFiles.createExclusive("ORVR", ".bmp");
    EXPECT_NE(first, second);
    ASSERT_TRUE(fs::exists(first));

    report.clear();
    EXPECT_EQ(report.pageCount(), 1);
    EXPECT_EQ(report.viewPageNumber(), 1);
    EXPECT_EQ(report.drawPageNumber(), 1);
    EXPECT_EQ(report.totalObjectCount(), 0);
    EXPECT_TRUE(report.Fonts.empty());
    EXPECT_TRUE(report.PdfFonts.empty());
    EXPECT_FALSE(fs::exists(first));
    EXPECT_FALSE(fs::exists(second));
    EXPECT_TRUE(report.TempFiles.files().empty());
    EXPECT_EQ(report.numberRestarts(), std::vector<int32_t>{2});
    EXPECT_EQ(report.PdfSetup.Title, "kept");
    EXPECT_EQ(report.FindPage, -1);

    fs::current_path(previous);
    fs::remove_all(folder);
}

TEST(Clear, ShowsTheFreshPageEvenWhileBuildingInBackground)
{
    TReport report;
    addPages(report, 3);
    report.setProcessInBackground(true);
    report.clear();
    EXPECT_EQ(report.viewPageNumber(), 1);
    EXPECT_NO_THROW(report.viewPage());
}

TEST(Navigation, MovesBothCursorsAndRelaysOutOnlyForOtherSizes)
{
    RecordingObserver observer;
    TReport report(&observer);
    addPages(report, 1);
    report.newPage(11, 8.5f, 0, 0, 0);
    report.firstPage();
    observer.reset();

    report.nextPage();
    EXPECT_EQ(report.viewPageNumber(), 2);
    EXPECT_EQ(report.drawPageNumber(), 2);
    EXPECT_EQ(observer.layouts, 0);
    EXPECT_EQ(observer.repaints, 1);

    report.nextPage();
    EXPECT_EQ(observer.layouts, 1);
    EXPECT_EQ(report.layoutWidth(), 11.0f);

    observer.reset();
    report.nextPage(); // already on the last page
    report.gotoPage(0);
    report.gotoPage(4);
    EXPECT_EQ(report.viewPageNumber(), 3);
    EXPECT_EQ(observer.layouts + observer.repaints + observer.navigations, 0);

    report.firstPage();
    report.priorPage();
    EXPECT_EQ(report.viewPageNumber(), 1);
    report.lastPage();
    EXPECT_EQ(report.viewPageNumber(), 3);
}

TEST(Navigation, BackgroundBuildingMovesOnlyTheViewer)
{
    TReport report;
    addPages(report, 2);
    report.firstPage();
    report.setProcessInBackground(true);
    report.newPage(8.5f, 11, 0, 0, 0);
    EXPECT_EQ(report.viewPageNumber(), 1);
    EXPECT_EQ(report.drawPageNumber(), 4);

    report.nextPage();
    EXPECT_EQ(report.viewPageNumber(), 2);
    EXPECT_EQ(report.drawPageNumber(), 4);
    report.appendObject().ObjType = ObjType::Line;
    EXPECT_EQ(report.page(4).objectCount(), 1);

    report.setProcessInBackground(false);
    EXPECT_EQ(report.drawPageNumber(), 2);
}

TEST(LayoutSize, PageWidthWritesResizeTheViewPageOnly)
{
    TReport report;
    report.setLayoutWidth(0);
    EXPECT_EQ(report.layoutWidth(), 8.5f);
    report.setLayoutWidth(11);
    EXPECT_EQ(report.layoutWidth(), 11.0f);
    EXPECT_EQ(report.viewPage().Width, 11.0);
    EXPECT_EQ(report.viewPage().Orientation, 1);
    EXPECT_EQ(report.viewPage().PaperSize, 1);
}
