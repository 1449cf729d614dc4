#include "render/PageImageTesting.h"

#include "render/PageRenderer.h"

#include <QPainter>

#include <limits>

using namespace orv;
using namespace orv::testing;

namespace {

bool isBlack(QRgb pixel)
{
    return isColour(pixel, Qt::black, 80);
}

class RenderTest : public PageImageTest {
protected:
    // The page as the preview paints it, on an image of the page's size.
    QImage screenPage(int32_t page, int32_t zoom, TPrinterMargins margins = {})
    {
        TScreenView view;
        view.zoomPercent = zoom;
        view.printerMargins = margins;
        view.controlSize = QSize(static_cast<int>(8.5 * 96 * zoom / 100), static_cast<int>(11 * 96 * zoom / 100));
        QImage image(view.controlSize, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        paintScreenPage(painter, control.report(), page, view);
        return image;
    }

    TReport& report() { return control.report(); }
};

} // namespace

TEST_F(RenderTest, MetafileIsTheWhitePageAtNinetySixPixelsPerInch)
{
    report().PaperColor = 0x00FFFF;
    EXPECT_EQ(TPageDrawing(report(), 1, 1.0).size(), QSize(816, 1056));
    EXPECT_EQ(TPageDrawing(report(), 1, 0.5).size(), QSize(408, 528));
    EXPECT_TRUE(TPageDrawing(report(), 2, 1.0).size().isEmpty()) << "no such page";

    const QImage page = exportedPage(1);
    EXPECT_EQ(page.size(), QSize(816, 1056));
    EXPECT_EQ(countPixels(page, page.rect(), [](QRgb p) { return p != qRgb(255, 255, 255); }), 0);
}

TEST_F(RenderTest, LaterObjectsCoverEarlierOnes)
{
    addText("MMMM", 1, 2, 40);
    control.AddShape("cover", 0.9f, 1.3f, 3, 1, 0, 0x0000FF, 8, 0, 0);
    control.NewPage();
    control.AddShape("under", 0.9f, 1.3f, 3, 1, 0, 0x0000FF, 8, 0, 0);
    addText("MMMM", 1, 2, 40);

    const QRect textArea(86, 125, 288, 96);
    EXPECT_EQ(countPixels(exportedPage(1), textArea, isBlack), 0);
    EXPECT_GT(countPixels(exportedPage(2), textArea, isBlack), 500);
}

TEST_F(RenderTest, SizesFollowTheTargetsRounding)
{
    PageTransform transform;
    EXPECT_EQ(transform.roundedSize(10063), 97);
    EXPECT_EQ(transform.truncatedSize(10063), 96);
    EXPECT_EQ(transform.truncatedSize(-10063), -96) << "sizes keep their sign";
    transform.offsetX = Currency::fromInches(0.25);
    transform.originX = 10;
    EXPECT_EQ(transform.x(10000), 130);
    transform.devicePpi = 600;
    EXPECT_EQ(penScale(RenderTarget::Print, 'S', transform, 96), 6.25);
    EXPECT_EQ(penScale(RenderTarget::Print, '1', transform, 96), 1);
    EXPECT_EQ(penScale(RenderTarget::Print, 'L', transform, 96), 1);

    // A box at a huge position and of a huge size still has a right edge and
    // an extent an int holds: QRect adds the width to the left edge as ints
    // before it takes one off.
    constexpr int64_t kMostInt = std::numeric_limits<int32_t>::max();
    const int64_t farthest = transform.x(1e30f), widest = transform.truncatedSize(1e30f);
    EXPECT_LE(farthest + widest, kMostInt);
    EXPECT_LE(farthest - int64_t(transform.x(-1e30f)) + 1, kMostInt);

    // Exported shapes are rounded: 1.0063 in is 97 pixels from x = 96.
    control.AddShape("s", 1, 1, 1.0063f, 0.5f);
    const QImage page = exportedPage(1);
    EXPECT_EQ(boundsOf(page, QRect(0, 120, 816, 1), isBlack), QRect(96, 120, 97, 1));
}

TEST_F(RenderTest, ShapesShowTheirBorderFillAndHatch)
{
    control.AddShape("solid", 1, 1, 2, 1, 0xFF0000, 0x0000FF, 8, 0, 8, 3);
    control.AddShape("rows", 4, 1, 2, 1, 0, 0x008000, 2, 0, 0);
    control.AddShape("columns", 4, 3, 2, 1, 0, 0x008000, 3, 0, 0);
    control.AddShape("hollow", 1, 3, 2, 1, 0, 0x008000, 0, 1, 0);
    control.AddShape("ellipse", 1, 5, 2, 1, 0, 0x008000, 8, 0, 0, 0, 99);
    control.AddShape("open bottom", 4, 5, 2, 1, 0, 0xFFFFFF, 8, 0, 8, 1, 0, 1);
    const QImage page = exportedPage(1);
    const QColor green(0, 128, 0);

    EXPECT_TRUE(isColour(page.pixel(96, 144), Qt::blue, 0)) << "3-pixel border on the box's edge";
    EXPECT_TRUE(isColour(page.pixel(97, 144), Qt::blue, 0));
    EXPECT_TRUE(isColour(page.pixel(99, 144), Qt::red, 0));
    EXPECT_TRUE(isColour(page.pixel(192, 144), Qt::red, 0));
    EXPECT_TRUE(isColour(page.pixel(93, 144), Qt::white, 0));

    // A horizontal hatch gives whole rows of the fill colour with white rows
    // between them; a vertical one whole columns; neither is a solid fill.
    auto isGreen = [&](QRgb p) { return isColour(p, green, 0); };
    int greenRows = 0, greenColumns = 0;
    for (int y = 100; y < 188; ++y) {
        const int n = countPixels(page, QRect(392, y, 180, 1), isGreen);
        EXPECT_TRUE(n == 0 || n == 180) << "row " << y;
        greenRows += n == 180;
    }
    for (int x = 392; x < 572; ++x) {
        const int n = countPixels(page, QRect(x, 292, 1, 84), isGreen);
        EXPECT_TRUE(n == 0 || n == 84) << "column " << x;
        greenColumns += n == 84;
    }
    EXPECT_GT(greenRows, 5);
    EXPECT_LT(greenRows, 40);
    EXPECT_GT(greenColumns, 10);
    EXPECT_LT(greenColumns, 90);

    EXPECT_EQ(countPixels(page, QRect(100, 292, 180, 84), isGreen), 0) << "fill style 0 with back style 1";
    EXPECT_TRUE(isGreen(page.pixel(192, 528))) << "ellipse centre";
    EXPECT_FALSE(isGreen(page.pixel(98, 482))) << "ellipse corner";
    EXPECT_EQ(countPixels(page, QRect(384, 480, 192, 1), isBlack), 192) << "top edge";
    EXPECT_EQ(countPixels(page, QRect(390, 575, 180, 1), isBlack), 0) << "open bottom";
}

TEST_F(RenderTest, ArcsGridsAndLinesRunWhereTheyAreAimed)
{
    control.AddPie("quarter", 1, 1, 2, 2, 0, 90, 0, 0x0000FF);
    control.AddGrid("grid", Currency::fromInches(4), Currency::fromInches(1), Currency::fromInches(3),
                    Currency::fromInches(2), 3, 2);
    control.AddLine("back", 2, 5, -1, 1);
    const QImage page = exportedPage(1);

    auto isRed = [](QRgb p) { return isColour(p, Qt::red, 0); };
    EXPECT_TRUE(isRed(page.pixel(230, 150))) << "the quarter above and right of the centre";
    EXPECT_FALSE(isRed(page.pixel(150, 150)));
    EXPECT_FALSE(isRed(page.pixel(230, 230)));

    // 3 columns and 2 rows: 4 vertical lines cross the middle of the first
    // row, 3 horizontal lines the middle of the first column.
    EXPECT_EQ(rowRuns(page, 140, 380, 700), (std::vector<int>{1, 95, 1, 95, 1, 94, 1}));
    EXPECT_EQ(columnRuns(page, 430, 80, 300), (std::vector<int>{1, 95, 1, 94, 1}));

    // A line of negative width runs down and to the left.
    EXPECT_GT(countPixels(page, QRect(142, 526, 5, 5), isInk), 0);
    EXPECT_EQ(countPixels(page, QRect(200, 480, 100, 96), isInk), 0);
}

TEST_F(RenderTest, DottedAndDashedLinesHaveGaps)
{
    control.AddLine("dots", 1, 3, 5, 0, 0, 4, 1);
    control.AddLine("dashes", 1, 4, 5, 0, 0, 4, 2);
    control.AddLine("solid", 1, 5, 5, 0, 0, 3, 8);
    const QImage page = exportedPage(1);

    const std::vector<int> dots = rowRuns(page, 288, 90, 580);
    ASSERT_GT(dots.size(), 100u);
    for (size_t i = 0; i + 1 < dots.size(); ++i)
        EXPECT_EQ(dots[i], 3) << "run " << i;
    EXPECT_EQ(countPixels(page, QRect(96, 286, 480, 5), isInk), countPixels(page, QRect(96, 288, 480, 1), isInk))
        << "a dotted line stays one pixel wide";

    const std::vector<int> dashes = rowRuns(page, 384, 90, 580);
    ASSERT_GT(dashes.size(), 30u);
    for (size_t i = 0; i + 1 < dashes.size(); ++i)
        EXPECT_EQ(dashes[i], i % 2 == 0 ? 18 : 6) << "run " << i;

    EXPECT_EQ(rowRuns(page, 480, 90, 700), std::vector<int>{480});
    EXPECT_EQ(countPixels(page, QRect(300, 470, 1, 20), isInk), 3) << "solid line of width 3";
}

TEST_F(RenderTest, PrintedPensFollowTheDeviceResolution)
{
    control.NewPage(2, 2);
    control.DeletePage(1);
    control.AddShape("box", 0.5f, 0.5f, 1, 1, 0, 0, 1, 0, 8, 2);
    control.AddLine("line", 0.2f, 1.8f, 1.5f, 0, 0, 2, 8);

    TPrintPlacement placement;
    placement.transform.devicePpi = 600;
    QImage sheet(1200, 1200, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    {
        QPainter painter(&sheet);
        renderPageForPrint(painter, report(), 1, placement);
    }
    EXPECT_EQ(rowRuns(sheet, 600, 250, 950), (std::vector<int>{12, 587, 12})) << "border 2 x 6.25";
    EXPECT_EQ(countPixels(sheet, QRect(500, 1070, 1, 20), isInk), 2) << "lines keep their width on paper";

    // An aborted job draws nothing more.
    struct Aborted : IPrintProgress {
        void processMessages() override { ++calls; }
        bool aborted() const override { return true; }
        int calls = 0;
    } progress;
    placement.progress = &progress;
    sheet.fill(Qt::white);
    {
        QPainter painter(&sheet);
        renderPageForPrint(painter, report(), 1, placement);
    }
    EXPECT_EQ(progress.calls, 1);
    EXPECT_EQ(countPixels(sheet, sheet.rect(), isInk), 0);
}

// A print job may stop after any object, whatever its kind: here after a
// picture (whose file is missing, so it draws nothing), before the line.
TEST_F(RenderTest, APrintJobMayStopAfterEveryObject)
{
    control.AddPicture("absent", "no-such-picture.png", 0.5f, 0.5f, 1, 1);
    control.AddLine("line", 0.2f, 1.8f, 1.5f, 0, 0, 2, 8);

    struct AbortedAfterFirstObject : IPrintProgress {
        void processMessages() override { ++calls; }
        bool aborted() const override { return calls >= 2; }
        int calls = 0;
    } progress;
    TPrintPlacement placement;
    placement.transform.devicePpi = 96;
    placement.progress = &progress;
    QImage sheet(816, 1056, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    {
        QPainter painter(&sheet);
        renderPageForPrint(painter, report(), 1, placement);
    }
    EXPECT_EQ(progress.calls, 2) << "once before the page, once after the picture";
    EXPECT_EQ(countPixels(sheet, sheet.rect(), isInk), 0) << "the line after the stop is not drawn";

    // Not stopped, the same page shows its line.
    progress.calls = -100;
    {
        QPainter painter(&sheet);
        renderPageForPrint(painter, report(), 1, placement);
    }
    EXPECT_GT(countPixels(sheet, sheet.rect(), isInk), 100);
}

TEST_F(RenderTest, PreviewPaintsPaperAndZoomedObjects)
{
    report().PaperColor = 0xFFFF00;
    report().PaperStyle = 1;
    control.AddShape("s", 1, 1, 1, 0.5f, 0, 0, 8, 0, 0);

    const QImage atFull = screenPage(1, 100);
    EXPECT_TRUE(isColour(atFull.pixel(0, 0), Qt::black, 0)) << "page border";
    EXPECT_TRUE(isColour(atFull.pixel(5, 5), Qt::cyan, 0)) << "paper colour";
    auto isRed = [](QRgb p) { return isColour(p, Qt::red, 0); };
    EXPECT_EQ(countPixels(atFull, QRect(120, 1, 1, 60), isRed), 60) << "the margin of ruled paper";
    EXPECT_EQ(boundsOf(atFull, QRect(10, 110, 790, 1), isBlack), QRect(96, 110, 96, 1));
    EXPECT_EQ(boundsOf(screenPage(1, 200), QRect(10, 220, 1600, 1), isBlack), QRect(192, 220, 192, 1));

    // Two pages per view shrink the objects to 0.66 (and, below actual
    // size, a pixel larger), not the paper.
    report().ViewPagesPerSheet = 2;
    const QImage shrunk = screenPage(1, 100);
    EXPECT_EQ(boundsOf(shrunk, QRect(10, 70, 790, 1), isBlack), QRect(63, 70, 64, 1));
    EXPECT_EQ(countPixels(shrunk, QRect(120, 1, 1, 60), isRed), 60);
}

TEST_F(RenderTest, DesignGridSpacingFollowsTheZoom)
{
    report().ShowGrid = true;
    const QColor grid(192, 192, 192);
    auto isGrid = [&](QRgb p) { return isColour(p, grid, 0); };

    // At 100 % every quarter inch, each fourth line solid, the others dotted.
    const QImage atFull = screenPage(1, 100);
    EXPECT_EQ(countPixels(atFull, QRect(96, 300, 1, 84), isGrid), 84);
    EXPECT_EQ(countPixels(atFull, QRect(48, 300, 1, 84), isGrid), 42);
    // At 200 % every eighth of an inch, each eighth line solid.
    const QImage doubled = screenPage(1, 200);
    EXPECT_EQ(countPixels(doubled, QRect(96, 500, 1, 72), isGrid), 36);
    EXPECT_EQ(countPixels(doubled, QRect(192, 500, 1, 72), isGrid), 72);
    EXPECT_EQ(countPixels(doubled, QRect(84, 500, 1, 72), isGrid), 0);

    // The printer's margins are outlined with blue dots.
    report().ShowPrinterMargins = true;
    const QImage margins = screenPage(1, 100, {0.3, 0.3, 0.3, 0.3});
    auto isBlue = [](QRgb p) { return isColour(p, Qt::blue, 0); };
    EXPECT_EQ(countPixels(margins, QRect(29, 100, 1, 84), isBlue), 42);
    EXPECT_EQ(countPixels(margins, QRect(787, 100, 1, 84), isBlue), 42);
    EXPECT_EQ(countPixels(margins, QRect(30, 100, 700, 84), isBlue), 0);
}
