#include "printing/DialogControls.h"
#include "viewer/ViewerGeometry.h"

#include <gtest/gtest.h>

using namespace orv;

namespace {

TZoomFrame letterIn(QSize area, int32_t border = 10)
{
    TZoomFrame frame;
    frame.area = area;
    frame.border = border;
    frame.ppi = 96;
    frame.pageWidth = 8.5;
    frame.pageHeight = 11;
    return frame;
}

} // namespace

TEST(ViewerZoom, FitInWindowTakesTheTighterDirection)
{
    // 596 / 816 gives 73, 838 / 1056 gives 79.
    EXPECT_EQ(fitInWindowZoom(letterIn({616, 858})), 73);
    // An area narrower than both borders leaves the zoom alone.
    EXPECT_FALSE(fitInWindowZoom(letterIn({19, 858})));
    EXPECT_FALSE(fitInWindowZoom(letterIn({616, 19})));
    EXPECT_EQ(fitInWindowZoom(letterIn({20, 20})), 0);
}

TEST(ViewerZoom, FitToWidthLeavesRoomForTheScrollBarAndNeverGoesBelowTen)
{
    // (616 - 20 - 14) / 816 = 71.3 %.
    EXPECT_EQ(fitToWidthZoom(letterIn({616, 858})), 71);
    EXPECT_EQ(fitToWidthZoom(letterIn({40, 858})), 10);
}

TEST(ViewerZoom, AutomaticZoomFitsBothDirectionsOrFallsBackToTen)
{
    EXPECT_EQ(automaticZoom(letterIn({616, 858})), 73);
    // Less than a tenth of the page's width available: 10 %.
    EXPECT_EQ(automaticZoom(letterIn({90, 858})), 10);
    EXPECT_EQ(automaticZoom(letterIn({2000, 2000})), 187);
}

TEST(ViewerZoom, StepsStayBetweenTenAndTenThousand)
{
    EXPECT_EQ(steppedZoom(9995, 5), 10000);
    EXPECT_EQ(steppedZoom(10000, 100), 10000);
    EXPECT_EQ(steppedZoom(12, -5), 10);
    EXPECT_EQ(steppedZoom(100, -5), 95);
}

TEST(ViewerZoom, ZoomBoxArrowsStayBetweenTenAndSixteenHundred)
{
    EXPECT_EQ(arrowStep(Qt::NoModifier), 1);
    EXPECT_EQ(arrowStep(Qt::ShiftModifier), 5);
    EXPECT_EQ(arrowStep(Qt::ControlModifier), 10);
    EXPECT_EQ(arrowStep(Qt::ShiftModifier | Qt::ControlModifier), 25);
    EXPECT_EQ(zoomBoxUp(1590, 25), 1600);
    EXPECT_EQ(zoomBoxUp(1600, 1), 1600);
    EXPECT_EQ(zoomBoxUp(2000, 1), 1600);
    EXPECT_EQ(zoomBoxDown(12, 5), 10);
    EXPECT_EQ(zoomBoxDown(10, 1), 10);
    EXPECT_EQ(zoomBoxDown(150, 10), 140);
    // A negative number typed into the box never becomes a negative zoom.
    EXPECT_EQ(zoomBoxUp(-5, 1), 10);
}

TEST(ViewerBoxes, LeadingDigitsGiveTheNumber)
{
    EXPECT_EQ(leadingNumber("150%"), 150);
    EXPECT_EQ(leadingNumber("  3 of 9"), 3);
    EXPECT_EQ(leadingNumber("x150"), 0);
    EXPECT_EQ(leadingNumber(""), 0);
    EXPECT_EQ(leadingNumber("99999999999999"), 1000000000);
    EXPECT_EQ(leadingNumber(" -7 copies"), -7);
    EXPECT_EQ(leadingNumber("-99999999999999"), -1000000000);
}

TEST(ViewerBoxes, PageBoxTextAndWidthFollowThePageCount)
{
    EXPECT_EQ(pageBoxText(3, 9), "3 of 9");
    EXPECT_EQ(pageBoxWidth(1), 60);
    EXPECT_EQ(pageBoxWidth(999), 60);
    EXPECT_EQ(pageBoxWidth(1000), 76);
    EXPECT_EQ(pageBoxWidth(9999), 76);
    EXPECT_EQ(pageBoxWidth(10000), 92);
    EXPECT_EQ(pageBoxWidth(100000), 108);
    EXPECT_EQ(zoomBoxText(73), "73%");
}

TEST(ViewerBoxes, PageSizeLabelInEachUnit)
{
    EXPECT_EQ(pageSizeLabel(8.5, 11, TUnitOfMeasure::Inches), "  8.5 x 11 in  ");
    EXPECT_EQ(pageSizeLabel(8.5, 11, TUnitOfMeasure::Centimetres), "  21.59 x 27.94 cm  ");
    // A4 as stored: 8.2677 x 11.6929 in.
    EXPECT_EQ(pageSizeLabel(8.267716, 11.692913, TUnitOfMeasure::Millimetres), "  210 x 297 mm  ");
}

TEST(ViewerLayout, APageThatFitsIsCentredAndNothingScrolls)
{
    const TPagePlacement placement = placePage({1000, 800}, {500, 600}, 10);
    EXPECT_EQ(placement.page, QRect(250, 100, 500, 600));
    EXPECT_EQ(placement.content, QSize(1000, 800));
    // Odd halves round toward zero: 1001 / 2 - 501 / 2 = 500 - 250.
    EXPECT_EQ(placePage({1001, 801}, {501, 601}, 10).page.topLeft(), QPoint(250, 100));
}

TEST(ViewerLayout, APageLargerThanTheAreaStartsAtTheBorderAndScrolls)
{
    const TPagePlacement tall = placePage({1000, 800}, {500, 2000}, 10);
    EXPECT_EQ(tall.page.topLeft(), QPoint(250, 10));
    EXPECT_EQ(tall.content, QSize(1000, 2020));

    const TPagePlacement large = placePage({1000, 800}, {3000, 2000}, 10);
    EXPECT_EQ(large.page.topLeft(), QPoint(10, 10));
    EXPECT_EQ(large.content, QSize(3020, 2020));

    // Wider than the area less its borders, yet narrower than the area:
    // centred without a scroll range in that direction.
    const TPagePlacement nearly = placePage({1000, 800}, {990, 700}, 10);
    EXPECT_EQ(nearly.page.topLeft(), QPoint(5, 50));
    EXPECT_EQ(nearly.content, QSize(1000, 800));
}

TEST(ViewerLayout, ClickZoomKeepsTheClickedSpotInView)
{
    EXPECT_EQ(scrollToKeep(1000, 300, 580, 10), 500);
    EXPECT_EQ(scrollToKeep(0, 300, 580, 10), 0);
    EXPECT_EQ(scrollToKeep(1000, 0, 580, 10), 0);
}

TEST(ViewerLayout, GeneralNumbersKeepFourSignificantDigits)
{
    EXPECT_EQ(generalNumber(8.5), "8.5");
    EXPECT_EQ(generalNumber(215.9), "215.9");
    EXPECT_EQ(generalNumber(1.23456), "1.235");
    EXPECT_EQ(generalNumber(0), "0");
}
