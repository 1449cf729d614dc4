#include "render/PageImageTesting.h"

#include "render/FindHits.h"
#include "render/PageDecorations.h"

#include <cmath>

using namespace orv;
using namespace orv::testing;

namespace {

bool isRed(QRgb p)
{
    return isColour(p, Qt::red, 0);
}

class RenderTextTest : public PageImageTest {
protected:
    const TReportObject& object(int32_t page, size_t index) { return control.report().page(page).Objects.at(index); }
    // The mapped top of an object and the height of its lines, in pixels.
    int top(int32_t page, size_t index) { return static_cast<int>(object(page, index).VPos * 96 / 10000); }
    double lineHeight(int32_t page, size_t index) { return object(page, index).LineHeight * 96; }
    QRect lineBand(int32_t page, size_t index, int line = 0)
    {
        const double spacing = object(page, index).LineSpacing == 2 ? 2 : 1;
        const int y = top(page, index) + static_cast<int>(line * spacing * lineHeight(page, index));
        return QRect(0, y, 816, static_cast<int>(lineHeight(page, index)));
    }
};

} // namespace

TEST_F(RenderTextTest, AlignmentAnchorsTextOnItsPosition)
{
    addText("Ends at five", 5, 2, 20, 1);
    addText("Centred", 4, 3, 20, 2);
    addText("Starts", 1, 4, 20, 0);
    control.AddReportField("page", "'Page ' + TRANSFORM(_PAGENO)", 7, 5, 0, 0, Variant::missing(), Variant::missing(),
                           "Arial", 12, 0, 0xFFFFFF, "", 0, 0, 1, " ");
    control.AddReportField("name", "CUSTOMER.NAME", 1, 6, 0, 0, Variant::missing(), Variant::missing(), "Arial", 12, 0,
                           0xFFFFFF, "", 0, 0, 0, " ");
    const QImage page = exportedPage(1);

    const QRect ends = boundsOf(page, lineBand(1, 0), isInk);
    EXPECT_LE(ends.right(), 480);
    EXPECT_GE(ends.right(), 476);
    EXPECT_NEAR(boundsOf(page, lineBand(1, 1), isInk).center().x(), 384, 3);
    EXPECT_NEAR(boundsOf(page, lineBand(1, 2), isInk).left(), 97, 2);
    // A right-aligned field ends at the right edge it was given.
    const QRect field = boundsOf(page, lineBand(1, 3), isInk);
    EXPECT_NEAR(field.right(), 670, 3);
    EXPECT_GT(field.width(), 30);
    // A field that evaluates to nothing shows its expression.
    EXPECT_GT(boundsOf(page, lineBand(1, 4), isInk).width(), 60);
}

TEST_F(RenderTextTest, SingleLinesTurnAboutTheirAnchor)
{
    addText("Rotated", 4, 4, 24, 0, 900);
    addText("Right", 5, 6, 24, 1, 900);
    control.AddText("slanted", "Slanted", 2, 8, 0, 0, "Arial", 24, 0, 0x0000FF, "", 450, 1, 0, " ");
    const QImage page = exportedPage(1);

    // Turned a quarter counter-clockwise about its top left: it rises from
    // the anchor, its lines lying to the right of it.
    const int y0 = top(1, 0);
    const QRect up = boundsOf(page, QRect(300, 100, 200, 320), isInk);
    EXPECT_GE(up.left(), 384);
    EXPECT_LE(up.right(), 384 + 37);
    EXPECT_LE(up.bottom(), y0);
    EXPECT_LT(up.top(), y0 - 60);
    // A right-aligned text turns about its right end, so it runs down.
    const int y1 = top(1, 1);
    const QRect down = boundsOf(page, QRect(400, 450, 200, 250), isInk);
    EXPECT_GE(down.left(), 480);
    EXPECT_GE(down.top(), y1);
    EXPECT_GT(down.bottom(), y1 + 40);
    // The background box of a turned text stays level.
    const int y2 = top(1, 2);
    const QRect box = boundsOf(page, QRect(100, 600, 400, 300), isRed);
    EXPECT_EQ(box.topLeft(), QPoint(192, y2));
    EXPECT_NEAR(box.height(), lineHeight(1, 2), 1.01);
    EXPECT_LT(boundsOf(page, QRect(100, 600, 400, 300), [](QRgb p) { return isColour(p, Qt::black, 60); }).top(),
              y2 - 20)
        << "the text itself rises at 45 degrees";
}

TEST_F(RenderTextTest, StoredLinesKeepSpacingAndJustification)
{
    const char* text = "one two three four five six seven eight nine ten eleven twelve";
    control.AddText("single", text, 1, 1, 2, 3, "Arial", 12, 0, 0xFFFFFF, "", 0, 0, 0, " ", 255, 2, 0);
    control.AddText("double", text, 4, 1, 2, 3, "Arial", 12, 0, 0xFFFFFF, "", 0, 0, 0, " ", 255, 2, 2);
    control.AddText("justified", text, 1, 5, 2, 3, "Arial", 12, 0, 0xFFFFFF, "", 0, 0, 3, " ", 255, 2, 0);
    control.AddText("own", "first\r\nsecond\r\nthird", 4, 8, 2, 3, "Arial", 12, 0, 0xFFFFFF, "", 0, 0, 0, "L");
    const int lines = object(1, 0).LineCount;
    ASSERT_GE(lines, 3);
    const QImage page = exportedPage(1);

    const QRect single = boundsOf(page, QRect(90, 80, 210, 300), isInk);
    const QRect doubled = boundsOf(page, QRect(380, 80, 210, 400), isInk);
    EXPECT_NEAR(doubled.height() - single.height(), (lines - 1) * lineHeight(1, 0), 2);

    // Justified lines fill the box; the last line of the paragraph does not.
    auto lineOf = [&](size_t index, int line) {
        return boundsOf(page, lineBand(1, index, line) & QRect(90, 0, 220, 1056), isInk);
    };
    EXPECT_GE(lineOf(2, 0).right(), 96 + 192 - 3);
    EXPECT_LT(lineOf(0, 0).right(), lineOf(2, 0).right() - 3);
    EXPECT_EQ(lineOf(2, lines - 1).right(), lineOf(0, lines - 1).right());

    // Sub type "L" keeps the text's own line breaks.
    for (int line = 0; line < 4; ++line)
        EXPECT_EQ(countPixels(page, lineBand(1, 3, line) & QRect(380, 0, 220, 1056), isInk) > 20, line < 3) << line;
}

TEST_F(RenderTextTest, BackgroundAndAlpha)
{
    control.AddText("back", "Back", 1, 1, 0, 0, "Arial", 24, 0, 0x0000FF, "", 0, 1, 0, " ");
    control.AddText("clear", "Clear", 1, 2, 0, 0, "Arial", 24, 0, 0x0000FF, "", 0, 0, 0, " ");
    control.AddText("half", "Half", 1, 3, 0, 0, "Arial", 24, 0, 0xFFFFFF, "", 0, 0, 0, " ", 128);
    control.AddText("none", "None", 1, 4, 0, 0, "Arial", 24, 0, 0xFFFFFF, "", 0, 0, 0, " ", 0);
    const QImage page = exportedPage(1);

    EXPECT_GT(countPixels(page, lineBand(1, 0), isRed), 500);
    EXPECT_EQ(countPixels(page, lineBand(1, 1), isRed), 0);
    EXPECT_GT(countPixels(page, lineBand(1, 2), [](QRgb p) { return qGray(p) < 200; }), 50);
    EXPECT_EQ(countPixels(page, lineBand(1, 2), [](QRgb p) { return qGray(p) < 100; }), 0) << "half transparent";
    EXPECT_EQ(countPixels(page, lineBand(1, 3), [](QRgb p) { return qGray(p) < 250; }), 0) << "alpha 0";
}

TEST(RenderFind, HitsOverlapAndFoldCase)
{
    const std::u32string text = U"bAaAb";
    EXPECT_EQ(findHits(text, U"aa", false), (std::vector<TFindHit>{{1, 2}, {2, 2}}));
    EXPECT_TRUE(findHits(text, U"aa", true).empty());
    EXPECT_EQ(findHits(text, U"Aa", true), (std::vector<TFindHit>{{1, 2}}));
    EXPECT_TRUE(findHits(text, U"", false).empty());
}

TEST(RenderFind, OnlyAsciiLettersFoldAndUtf8HitsCountCharacters)
{
    EXPECT_TRUE(findHits(std::u32string(U"ÉTÉ"), std::u32string(U"été"), false).empty());
    EXPECT_EQ(findHits(std::u32string(U"ÉTÉ"), std::u32string(U"ÉtÉ"), false), (std::vector<TFindHit>{{0, 3}}));
    // UTF-8 text: starts and lengths in characters, not bytes.
    const std::string text = "Ünïcødé total, TOTAL";
    EXPECT_EQ(findHits(text, std::string_view("total"), false), (std::vector<TFindHit>{{8, 5}, {15, 5}}));
    EXPECT_EQ(findHits(text, std::string_view("cødé"), true), (std::vector<TFindHit>{{3, 4}}));
    EXPECT_EQ(countFindHits(text, "total", false), 2);
    EXPECT_EQ(countFindHits(text, "total", true), 1);
    EXPECT_EQ(countFindHits("aaaa", "aa", false), 3);
    EXPECT_EQ(countFindHits("ü", "Ü", false), 0);
    EXPECT_EQ(countFindHits("short", "", false), 0);
}

TEST(RenderFind, ContainmentIgnoresTheBlanksAroundTheFindText)
{
    EXPECT_TRUE(containsFindText("subtotal", " total ", false));
    EXPECT_TRUE(containsFindText("SUBTOTAL", "\ttotal\r\n", false));
    EXPECT_FALSE(containsFindText("SUBTOTAL", " total ", true));
    EXPECT_FALSE(containsFindText("sub tot al", "total", false));
    // A find text of blanks alone matches only an empty text.
    EXPECT_FALSE(containsFindText("anything", "   ", false));
    EXPECT_TRUE(containsFindText("", "  ", false));
}

TEST_F(RenderTextTest, FindHighlightsTheCurrentHitGreenAndOthersYellow)
{
    addText("baaab", 1, 2, 24);
    addText("baaab", 5, 4, 24, 1);
    TReport& report = control.report();
    report.FindActive = true;
    report.FindText = "AA";
    report.HighlightAll = true;
    report.FindPage = 0;
    report.FindObject = 0;
    report.FindHit = 1;
    auto isYellow = [](QRgb p) { return isColour(p, Qt::yellow, 0); };
    auto isGreen = [](QRgb p) { return isColour(p, Qt::green, 0); };

    QImage page = exportedPage(1);
    EXPECT_GT(countPixels(page, lineBand(1, 0), isYellow), 50);
    EXPECT_GT(countPixels(page, lineBand(1, 0), isGreen), 50);
    EXPECT_GT(countPixels(page, lineBand(1, 1), isYellow), 50);
    EXPECT_EQ(countPixels(page, lineBand(1, 1), isGreen), 0);

    // Without highlight-all only the current hit shows, and not in a
    // left-aligned single line.
    report.HighlightAll = false;
    report.FindObject = 1;
    report.FindHit = 0;
    page = exportedPage(1);
    EXPECT_EQ(countPixels(page, lineBand(1, 0), [&](QRgb p) { return isYellow(p) || isGreen(p); }), 0);
    EXPECT_GT(countPixels(page, lineBand(1, 1), isGreen), 50);
    EXPECT_EQ(countPixels(page, lineBand(1, 1), isYellow), 0);
}

TEST_F(RenderTextTest, WatermarkLiesUnderObjectsAtFortyFiveDegrees)
{
    // Square ends, so that the ink is as wide as the text.
    control.put_WatermarkText("HIHIH");
    control.put_WaterMarkForeColor(0);
    control.AddShape("patch", 4, 5, 0.5f, 0.5f, 0x0000FF, 0x0000FF);
    const QImage page = exportedPage(1);

    const QRect ink = boundsOf(page, page.rect(), isInk);
    EXPECT_NEAR(ink.center().x(), 408, 4);
    EXPECT_NEAR(ink.center().y(), 528, 4);
    EXPECT_NEAR(ink.width(), ink.height(), 6);
    EXPECT_GT(ink.width(), 200);
    // Counter-clockwise: the text rises to the right.
    double sx = 0, sy = 0, sxy = 0, n = 0;
    for (int y = ink.top(); y <= ink.bottom(); ++y)
        for (int x = ink.left(); x <= ink.right(); ++x)
            if (isInk(page.pixel(x, y))) {
                sx += x, sy += y, sxy += double(x) * y, ++n;
            }
    EXPECT_LT(sxy / n - (sx / n) * (sy / n), -1000);
    EXPECT_EQ(countPixels(page, QRect(390, 486, 40, 40), isRed), 1600) << "the shape covers the watermark";
}

TEST(RenderCalendar, EachPageShowsTheNextMonth)
{
    using namespace std::chrono;
    TCalendarSetup calendar;
    calendar.CalendarMonth = 11;
    calendar.CalendarYear = 2006;
    EXPECT_EQ(calendarMonthOf(calendar, 1), 2006y / November);
    EXPECT_EQ(calendarMonthOf(calendar, 3), 2007y / January);
    EXPECT_EQ(calendarMonthOf(calendar, 14), 2007y / December);
    calendar.CalendarMonth = 12;
    EXPECT_EQ(calendarMonthOf(calendar, 13), 2007y / December);
    EXPECT_EQ(calendarMonthOf(calendar, 14), 2008y / January);
}

TEST_F(RenderTextTest, CalendarOfPageThreeStartsJanuary2007OnMonday)
{
    control.NewPage();
    control.NewPage();
    control.put_CalendarMonth(11);
    control.put_CalendarYear(2006);
    control.put_CalendarShow(true);
    control.put_CalendarWidth(7);
    control.put_CalendarHeight(5);

    // Columns are 96 pixels wide from x = 96; the first row of days lies
    // below the title, from y = 150 to 210.
    auto inkInColumn = [](const QImage& page, int column) {
        return countPixels(page, QRect(100 + column * 96, 150, 90, 60), isInk);
    };
    const QImage january = exportedPage(3);
    EXPECT_EQ(inkInColumn(january, 0), 0) << "Sunday";
    EXPECT_GT(inkInColumn(january, 1), 20) << "1 January 2007 is a Monday";
    EXPECT_GT(inkInColumn(january, 6), 20);
    EXPECT_GT(countPixels(january, QRect(96, 96, 400, 45), isInk), 200) << "title";

    const QImage november = exportedPage(1);
    EXPECT_EQ(inkInColumn(november, 2), 0);
    EXPECT_GT(inkInColumn(november, 3), 20) << "1 November 2006 is a Wednesday";
}
