// Searches over real reports, started by the host through Find.

#include "PreviewTesting.h"

#include <orvreport/EngineError.h>
#include "document/Report.h"
#include "viewer/FindToolbar.h"
#include "viewer/PreviewFind.h"

#include <QScrollBar>

using namespace orv;

namespace {

class FindTest : public PreviewTest {
protected:
    // A text object on the draw page, one line 6 inches wide.
    void text(const std::string& content, float left = 1, float top = 1, float width = 6)
    {
        call("AddText", {"t", content, left, top, width, 0});
    }
    void find(const std::string& what, std::optional<bool> matchCase = std::nullopt)
    {
        std::vector<Variant> args{Variant(what)};
        if (matchCase)
            args.emplace_back(*matchCase);
        call("Find", args);
    }
    // Page number (1-based), object index and hit number of the current hit.
    std::tuple<int32_t, int32_t, int32_t> hit() const
    {
        const TReport& r = control.report();
        return {r.FindPage + 1, r.FindObject, r.FindHit};
    }
    int found(int32_t pageNumber, int32_t object) { return control.report().page(pageNumber).Objects[object].Found; }
    TReport& report() { return control.report(); }
};

using Hit = std::tuple<int32_t, int32_t, int32_t>;

} // namespace

TEST_F(FindTest, ForwardSearchStepsThroughHitsInsideAnObjectThenMovesOn)
{
    text("no match here");
    text("total, total and total again", 1, 2);
    text("the total", 1, 3);
    find("total");
    EXPECT_EQ(hit(), Hit(1, 1, 0));
    EXPECT_EQ(found(1, 1), 1);
    EXPECT_EQ(found(1, 0), 0);
    find("total");
    EXPECT_EQ(hit(), Hit(1, 1, 1));
    find("total");
    EXPECT_EQ(hit(), Hit(1, 1, 2));
    ASSERT_EQ(report().FindRanges.size(), 3u);
    EXPECT_EQ(report().FindRanges[2].start, 17);
    EXPECT_EQ(report().FindRanges[2].length, 5);
    find("total");
    EXPECT_EQ(hit(), Hit(1, 2, 0));
    EXPECT_EQ(found(1, 2), 1);
    // Every forward search leaves its trace for the diagnostic panel.
    EXPECT_NE(report().FindTrace.find("lnStartPage: 0\rlnStartObject: 1\rSTRPOS: 3\rlnCount: 3\r"), std::string::npos);
}

TEST_F(FindTest, CaseFoldsAsciiLettersOnly)
{
    text("GRAND TOTAL");
    text("Café Élysée", 1, 2);
    find("Total", true);
    EXPECT_EQ(hit(), Hit(0, -1, 0)) << "match case finds no TOTAL";
    find("Total");
    EXPECT_EQ(hit(), Hit(1, 0, 0));
    report().FindPage = report().FindObject = -1;
    find("total", false);
    EXPECT_EQ(hit(), Hit(1, 0, 0));

    report().FindPage = report().FindObject = -1;
    find("élysée");
    EXPECT_EQ(hit(), Hit(0, -1, 0)) << "é does not fold to É";
    find("café élysée");
    EXPECT_EQ(hit(), Hit(0, -1, 0));
    find("CAFé Élysée");
    EXPECT_EQ(hit(), Hit(1, 1, 0));
}

TEST_F(FindTest, BlanksCountForwardsButNotBackwards)
{
    text("subtotal");
    text("the total sum", 1, 2);
    text("totals", 1, 3);
    find(" total ");
    EXPECT_EQ(hit(), Hit(1, 1, 0)) << "only the text with blanks around the word";
    find(" total ");
    EXPECT_EQ(hit(), Hit(1, 1, 0)) << "nothing further holds the blanks";

    preview().find().toolbar()->searchBox()->setText(" total ");
    // From the last object backwards, the trimmed text matches "subtotal".
    report().FindObject = 3;
    preview().find().searchFromToolbar(true);
    EXPECT_EQ(hit(), Hit(1, 2, 0));
    preview().find().searchFromToolbar(true);
    EXPECT_EQ(hit(), Hit(1, 1, 0));
    preview().find().searchFromToolbar(true);
    EXPECT_EQ(hit(), Hit(1, 0, 0));
    preview().find().searchFromToolbar(true);
    EXPECT_EQ(hit(), Hit(1, 0, 0)) << "nothing lies before the first object";
}

TEST_F(FindTest, BackwardSearchNeverMovesPastTheCurrentHitsPage)
{
    text("amount 1");
    addPages(3);
    text("amount 3");
    call("GotoPage", {2});
    text("amount 2");
    find("amount");
    EXPECT_EQ(hit(), Hit(1, 0, 0));
    find("amount");
    EXPECT_EQ(hit(), Hit(2, 0, 0));
    EXPECT_EQ(viewPage(), 2);
    find("amount");
    EXPECT_EQ(hit(), Hit(3, 0, 0));
    EXPECT_EQ(viewPage(), 3);

    preview().find().toolbar()->searchBox()->setText("amount");
    for (int32_t expected : {2, 1, 1}) {
        preview().find().searchFromToolbar(true);
        EXPECT_EQ(report().FindPage + 1, expected);
        EXPECT_EQ(viewPage(), expected);
    }
}

TEST_F(FindTest, FindClearRemovesMarksAndTheNextSearchContinuesAfterTheLastHit)
{
    text("item one");
    text("item two", 1, 2);
    text("item three", 1, 3);
    find("item");
    find("item");
    EXPECT_EQ(found(1, 0) + found(1, 1), 2);
    call("FindClear");
    EXPECT_EQ(found(1, 0) + found(1, 1) + found(1, 2), 0);
    EXPECT_EQ(hit(), Hit(1, 1, 0)) << "the current hit is kept";
    find("item");
    EXPECT_EQ(hit(), Hit(1, 2, 0));
    EXPECT_EQ(found(1, 2), 1);
    EXPECT_EQ(found(1, 0), 0);
}

TEST_F(FindTest, HighlightMarksTheViewPageBeforeAndTheHitsPageAfter)
{
    text("first total");
    text("second total", 1, 2);
    addPages(5);
    text("fifth total");
    text("fifth other", 1, 2);
    text("fifth total again", 1, 3);
    call("GotoPage", {1});
    report().FindPage = 1; // the search starts on page 2
    report().FindObject = -1;
    TFindToolbar& bar = *preview().find().toolbar();
    bar.highlightButton()->setChecked(true);

    find("total");
    EXPECT_EQ(hit(), Hit(5, 0, 0));
    EXPECT_EQ(viewPage(), 5);
    EXPECT_EQ(found(1, 0) + found(1, 1), 2) << "the view page's matches, marked before the search";
    EXPECT_EQ(found(5, 0), 1);
    EXPECT_EQ(found(5, 1), 0);
    EXPECT_EQ(found(5, 2), 1) << "every match on the hit's page";
}

TEST_F(FindTest, ASearchThatFindsNothingChangesNothing)
{
    text("alpha");
    addPages(2);
    text("beta");
    find("beta");
    put("Scale", 300);
    area().verticalScrollBar()->setValue(250);
    const Hit before = hit();
    const uint64_t revision = report().revision();
    find("gamma");
    EXPECT_EQ(hit(), before);
    EXPECT_EQ(viewPage(), 2);
    EXPECT_EQ(area().verticalScrollBar()->value(), 250);
    EXPECT_EQ(report().revision(), revision) << "no repaint";
    EXPECT_TRUE(ui.shown().empty()) << "no message";
}

TEST_F(FindTest, DisplayFindToolbarAcceptsOnlyZeroToTwo)
{
    TFindToolbar& bar = *preview().find().toolbar();
    put("DisplayFindToolbar", 2);
    EXPECT_EQ(get("DisplayFindToolbar").toInt32(), 2);
    EXPECT_TRUE(bar.isVisible());
    EXPECT_EQ(bar.parentWidget(), preview().findDock(true));
    EXPECT_EQ(bar.window()->focusWidget(), bar.searchBox());
    EXPECT_LT(preview().findDock(true)->geometry().bottom(), area().geometry().top() + 1);
    const QRect areaWithBar = area().geometry();

    put("DisplayFindToolbar", 3);
    EXPECT_EQ(get("DisplayFindToolbar").toInt32(), 2);
    EXPECT_TRUE(bar.isVisible());
    EXPECT_EQ(area().geometry(), areaWithBar);

    put("DisplayFindToolbar", 1);
    EXPECT_EQ(bar.parentWidget(), preview().findDock(false));
    EXPECT_GT(preview().findDock(false)->geometry().top(), area().geometry().bottom() - 1);
    put("DisplayFindToolbar", 0);
    EXPECT_FALSE(bar.isVisible());
    EXPECT_EQ(get("DisplayFindToolbar").toInt32(), 0);
    EXPECT_EQ(area().height(), 858) << "the area takes the room back";
}

TEST_F(FindTest, AHitOnADeletedPageFailsWithTheGenericFailure)
{
    addPages(3);
    text("last page text");
    find("text");
    EXPECT_EQ(hit(), Hit(3, 0, 0));
    call("DeletePage", {3});
    const std::string traceBefore = report().FindTrace;
    try {
        find("text");
        FAIL() << "the search went on";
    } catch (const EngineError& failure) {
        EXPECT_EQ(failure.status(), E_UNEXPECTED);
        EXPECT_NE(std::string(failure.what()).find("no longer exists"), std::string::npos);
    }
    EXPECT_EQ(hit(), Hit(3, 0, 0)) << "the find state is unchanged";
    EXPECT_EQ(report().FindTrace, traceBefore);

    // From the find toolbar the user is told.
    preview().find().toolbar()->searchBox()->setText("text");
    preview().find().searchFromToolbar(false);
    ASSERT_EQ(ui.shown().size(), 1u);
    EXPECT_EQ(ui.shown()[0].kind, "message");
}

TEST_F(FindTest, HitsAreBroughtIntoViewVerticallyAndHorizontally)
{
    text("top", 1, 1);
    text("far down", 0.5f, 9.5f, 0.8f);
    text("far right", 7.5f, 9.5f, 0.5f);
    put("Scale", 400);
    QScrollBar& down = *area().verticalScrollBar();
    QScrollBar& across = *area().horizontalScrollBar();
    ASSERT_EQ(down.value(), 0);

    find("far");
    const TReportObject& low = report().page(1).Objects[1];
    const double k = 96 * 4.0;
    const double height = area().viewport()->height();
    // Below the band: the hit's line comes to the bottom edge.
    EXPECT_EQ(down.value(), static_cast<int>(std::trunc(k * (low.VPos / 10000.0 - height / k + low.LineHeight))) + 20);
    const int pageTop = area().pagePlacement().top();
    const int hitTop = pageTop + static_cast<int>(k * low.VPos / 10000.0) - down.value();
    EXPECT_GE(hitTop, 0);
    EXPECT_LE(hitTop + k * low.LineHeight, height + 1);
    EXPECT_EQ(across.value(), 0) << "its left edge was in view";

    find("far");
    const int pageLeft = area().pagePlacement().left();
    const double width = area().viewport()->width();
    // The right hit's box (0.75 in at least) ends at the view's right edge.
    EXPECT_EQ(across.value(), pageLeft + static_cast<int>(std::ceil(k * (7.5 + 0.75) - width)));

    // Back to the first object: above the band, its line comes to the top.
    preview().find().toolbar()->searchBox()->setText("top");
    preview().find().searchFromToolbar(true);
    ASSERT_EQ(report().FindObject, 0);
    const TReportObject& first = report().page(1).Objects[0];
    EXPECT_EQ(across.value(), pageLeft + static_cast<int>(k * 1.0)) << "the left edge moves to the hit";
    EXPECT_EQ(down.value(), static_cast<int>(std::trunc(k * (first.VPos / 10000.0 - first.LineHeight))) + 20);
}

TEST_F(FindTest, FindWithAnEmptyStringAsksForTheText)
{
    text("needle in a haystack");
    ui.queueAnswer("Cancel");
    find("");
    EXPECT_EQ(hit(), Hit(0, -1, 0));
    ASSERT_EQ(ui.shown().size(), 1u);
    EXPECT_EQ(ui.shown()[0].kind, "input");
    EXPECT_EQ(ui.shown()[0].caption, "Find Text");
    EXPECT_EQ(ui.shown()[0].text, "Find:");
    ui.queueAnswer("NEEDLE");
    find("");
    EXPECT_EQ(hit(), Hit(1, 0, 0));
}
