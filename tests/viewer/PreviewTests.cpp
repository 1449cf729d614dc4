#include "PreviewTesting.h"

#include "document/Report.h"
#include "render/PageRenderer.h"

#include <QAction>
#include <QClipboard>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>

using namespace orv;

// --- zoom ---------------------------------------------------------------------------------

TEST_F(PreviewTest, ZoomStepsAndScaleValuesBehaveAsTheHostAsks)
{
    // Automatic zoom fits the Letter page into 616 x 858.
    EXPECT_EQ(zoom(), 73);
    put("Scale", 9995);
    call("ZoomIn");
    EXPECT_EQ(zoom(), 10000);
    put("Scale", 12);
    call("ZoomOut");
    EXPECT_EQ(zoom(), 10);

    put("nZoomScale", 0);
    EXPECT_EQ(get("nZoomScale").toInt32(), 1);
    put("nZoomScale", 500);
    EXPECT_EQ(get("nZoomScale").toInt32(), 100);

    put("Scale", 150);
    put("Scale", 5);
    EXPECT_EQ(zoom(), 150);
    put("Scale", -7);
    EXPECT_EQ(zoom(), 150);
    put("Scale", 10);
    EXPECT_EQ(zoom(), 10);
    EXPECT_EQ(get("nCurrentScale").toInt32(), 10);
    put("Scale", 0);
    EXPECT_EQ(zoom(), 73);
}

TEST_F(PreviewTest, FitButtonsZoomAndStayPressedUntilAnotherZoom)
{
    put("Scale", 300);
    put("Scale", 1);
    EXPECT_EQ(zoom(), 73);
    EXPECT_TRUE(button("cmdFitInWindow").isChecked());
    QTest::mouseClick(&button("cmdFitToWidth"), Qt::LeftButton);
    // (616 - 20 - 14) / 816.
    EXPECT_EQ(zoom(), 71);
    EXPECT_TRUE(button("cmdFitToWidth").isChecked());
    EXPECT_FALSE(button("cmdFitInWindow").isChecked());
    QTest::mouseClick(&button("cmdActualSize"), Qt::LeftButton);
    EXPECT_EQ(zoom(), 100);
    QTest::mouseClick(&button("cmdZoomIn"), Qt::LeftButton);
    EXPECT_EQ(zoom(), 105);
    EXPECT_FALSE(button("cmdActualSize").isChecked());
    QTest::mouseClick(&button("cmdZoomOut"), Qt::LeftButton);
    QTest::mouseClick(&button("cmdZoomOut"), Qt::LeftButton);
    EXPECT_EQ(zoom(), 95);
}

TEST_F(PreviewTest, ZoomBoxTakesLeadingDigitsOnEnterAndStepsWithTheArrows)
{
    zoomBox().setFocus();
    zoomBox().setText("150%");
    QTest::keyClick(&zoomBox(), Qt::Key_Return);
    EXPECT_EQ(zoom(), 150);
    EXPECT_EQ(zoomBox().text(), "150%");
    EXPECT_EQ(zoomBox().selectedText(), "150%");

    zoomBox().setText("abc");
    QTest::keyClick(&zoomBox(), Qt::Key_Return);
    EXPECT_EQ(zoom(), 10);

    put("Scale", 0);
    zoomBox().setText("abc");
    QTest::keyClick(&zoomBox(), Qt::Key_Return);
    EXPECT_EQ(zoom(), 73);

    zoomBox().setText("1590%");
    QTest::keyClick(&zoomBox(), Qt::Key_Up, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(zoom(), 1600);
    QTest::keyClick(&zoomBox(), Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(zoom(), 1590);
    zoomBox().setText("12%");
    QTest::keyClick(&zoomBox(), Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(zoom(), 10);
}

TEST_F(PreviewTest, ZoomMenuAndPagePopupChooseZooms)
{
    QMenu* menu = preview().zoomMenu();
    for (QAction* entry : menu->actions()) {
        if (entry->text() == "12.5%")
            entry->trigger();
    }
    EXPECT_EQ(zoom(), 12);
    for (QAction* entry : preview().pageMenu()->actions()) {
        if (entry->text() == "400%")
            entry->trigger();
    }
    EXPECT_EQ(zoom(), 400);
}

TEST_F(PreviewTest, CtrlKeysAndCtrlWheelZoom)
{
    put("Scale", 100);
    preview().setFocus();
    QTest::keyClick(&preview(), Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_EQ(zoom(), 105);
    QTest::keyClick(&preview(), Qt::Key_Minus, Qt::ControlModifier);
    QTest::keyClick(&preview(), Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(zoom(), 95);
    QTest::keyClick(&preview(), Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(zoom(), 100);

    QWheelEvent wheel(QPointF(100, 100), page().mapToGlobal(QPointF(100, 100)), QPoint(), QPoint(0, 240),
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&page(), &wheel);
    EXPECT_EQ(zoom(), 110);
}

// --- layout and toolbar -------------------------------------------------------------------

TEST_F(PreviewTest, PageSizeLabelFollowsTheUnitOfMeasure)
{
    QLabel& label = *preview().toolbar()->pageSizeLabel();
    EXPECT_EQ(label.text(), "  8.5 x 11 in  ");
    call("NewPageByPaperSize", {Variant(9)});
    put("DisplayUnitOfMeasure", 2);
    EXPECT_EQ(label.text(), "  210 x 297 mm  ");
    put("DisplayUnitOfMeasure", 7);
    EXPECT_EQ(get("DisplayUnitOfMeasure").toInt32(), 2);
    put("DisplayUnitOfMeasure", 1);
    EXPECT_EQ(label.text(), "  21 x 29.7 cm  ");
}

TEST_F(PreviewTest, DisplaySwitchesShowAndHideTheirControls)
{
    EXPECT_TRUE(button("cmdZoomIn").isVisible());
    put("DisplayZoomButtons", false);
    EXPECT_FALSE(button("cmdZoomIn").isVisible());
    EXPECT_FALSE(button("cmdZoomOut").isVisible());
    EXPECT_FALSE(get("DisplayZoomButtons").toBool());
    put("DisplayPageNavigation", false);
    EXPECT_FALSE(button("cmdFirstPage").isVisible());
    EXPECT_FALSE(pageBox().isVisible());
    put("DisplayPageScroller", false);
    EXPECT_FALSE(preview().toolbar()->pageScroller()->isVisible());
    put("DisplayPageScale", false);
    EXPECT_FALSE(zoomBox().isVisible());
    put("DisplayPrintButton", false);
    EXPECT_FALSE(button("cmdPrintReport").isVisible());
    put("DisplayPDFButton", false);
    EXPECT_FALSE(button("cmdSaveToPDF").isVisible());

    // Without the toolbar the area starts at the control's top.
    EXPECT_EQ(area().mapTo(&control, QPoint(0, 0)).y(), TPreviewToolbar::kHeight);
    put("DisplayToolbar", false);
    EXPECT_FALSE(get("DisplayToolbar").toBool());
    EXPECT_EQ(area().mapTo(&control, QPoint(0, 0)).y(), 0);
    EXPECT_FALSE(get("DisplayStatusBar").toBool());
}

TEST_F(PreviewTest, ToolbarStyleSwitchesImagesAndIgnoresOtherValues)
{
    const QImage xp = button("cmdZoomIn").icon().pixmap(16).toImage();
    put("DisplayToolbarStyle", 0);
    EXPECT_EQ(get("DisplayToolbarStyle").toInt32(), 0);
    EXPECT_NE(button("cmdZoomIn").icon().pixmap(16).toImage(), xp);
    put("DisplayToolbarStyle", 3);
    EXPECT_EQ(get("DisplayToolbarStyle").toInt32(), 0);
    EXPECT_FALSE(button("cmdExit").isVisible());
}

TEST_F(PreviewTest, ToolbarTipsComeFromTheInterfaceTexts)
{
    EXPECT_EQ(button("cmdSaveToPDF").toolTip(), "Save to PDF");
    EXPECT_EQ(button("cmdFind").toolTip(), "Find  (SHIFT+Click to Clear)");
    EXPECT_EQ(preview().toolbar()->pageScroller()->toolTip(), "High Speed Page Position Control");
}

// --- navigation ---------------------------------------------------------------------------

TEST_F(PreviewTest, NavigationRefreshesButtonsPageBoxAndScroller)
{
    EXPECT_FALSE(button("cmdNextPage").isEnabled());
    addPages(9);
    call("FirstPage");
    EXPECT_EQ(pageBox().text(), "1 of 9");
    EXPECT_FALSE(button("cmdFirstPage").isEnabled());
    EXPECT_FALSE(button("cmdPriorPage").isEnabled());
    EXPECT_TRUE(button("cmdNextPage").isEnabled());
    call("GotoPage", {Variant(5)});
    EXPECT_EQ(pageBox().text(), "5 of 9");
    EXPECT_EQ(preview().toolbar()->pageScroller()->value(), 5);
    call("GotoPage", {Variant(0)});
    call("GotoPage", {Variant(10)});
    EXPECT_EQ(viewPage(), 5);
    call("LastPage");
    EXPECT_FALSE(button("cmdNextPage").isEnabled());
    EXPECT_TRUE(button("cmdPriorPage").isEnabled());

    // Moving the scroller shows its page.
    preview().toolbar()->pageScroller()->setValue(2);
    EXPECT_EQ(viewPage(), 2);
    EXPECT_EQ(pageBox().text(), "2 of 9");

    preview().setFocus();
    QTest::keyClick(&preview(), Qt::Key_PageDown);
    EXPECT_EQ(viewPage(), 3);
    QTest::keyClick(&preview(), Qt::Key_PageUp);
    QTest::keyClick(&preview(), Qt::Key_PageUp);
    QTest::keyClick(&preview(), Qt::Key_PageUp);
    EXPECT_EQ(viewPage(), 1);
    QTest::keyClick(&preview(), Qt::Key_End);
    EXPECT_EQ(viewPage(), 9);
    QTest::keyClick(&preview(), Qt::Key_Home);
    EXPECT_EQ(viewPage(), 1);
}

TEST_F(PreviewTest, PageBoxEnterLeaveAndArrowRules)
{
    addPages(9);
    call("FirstPage");
    pageBox().setFocus();
    pageBox().setText("3 of 9");
    QTest::keyClick(&pageBox(), Qt::Key_Return);
    EXPECT_EQ(viewPage(), 3);
    EXPECT_EQ(pageBox().text(), "3 of 9");

    pageBox().setText("12");
    QTest::keyClick(&pageBox(), Qt::Key_Return);
    EXPECT_EQ(viewPage(), 3);
    EXPECT_EQ(pageBox().text(), "3 of 9");

    QTest::keyClick(&pageBox(), Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(viewPage(), 8);
    QTest::keyClick(&pageBox(), Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(viewPage(), 9);
    QTest::keyClick(&pageBox(), Qt::Key_Up, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(viewPage(), 1);

    // Typing a page and leaving the box goes there.
    pageBox().setFocus();
    pageBox().clear();
    QTest::keyClicks(&pageBox(), "6");
    preview().setFocus();
    EXPECT_EQ(viewPage(), 6);
}

TEST_F(PreviewTest, HeldNextButtonRunsToTheLastPageAndReleases)
{
    addPages(50);
    call("FirstPage");
    QTest::mousePress(&button("cmdNextPage"), Qt::LeftButton);
    EXPECT_EQ(viewPage(), 2);
    EXPECT_TRUE(preview().repeating());
    QTRY_COMPARE_WITH_TIMEOUT(viewPage(), 50, 10000);
    QTRY_VERIFY(!preview().repeating());
    EXPECT_FALSE(button("cmdNextPage").isDown());
    QTest::mouseRelease(&button("cmdNextPage"), Qt::LeftButton);

    // A short press steps once.
    QTest::mousePress(&button("cmdPriorPage"), Qt::LeftButton);
    QTest::mouseRelease(&button("cmdPriorPage"), Qt::LeftButton);
    QTest::qWait(QApplication::doubleClickInterval() + 100);
    EXPECT_EQ(viewPage(), 49);
}

TEST_F(PreviewTest, NavigationBetweenSameSizePagesKeepsTheScrollAndAnotherSizeLaysOut)
{
    addPages(2);
    call("NewPage", {Variant(11.0f), Variant(8.5f)});
    call("FirstPage");
    put("Scale", 200);
    area().verticalScrollBar()->setValue(300);
    call("NextPage");
    EXPECT_EQ(area().verticalScrollBar()->value(), 300);
    EXPECT_EQ(preview().toolbar()->pageSizeLabel()->text(), "  8.5 x 11 in  ");
    call("NextPage");
    EXPECT_EQ(area().verticalScrollBar()->value(), 0);
    EXPECT_EQ(preview().toolbar()->pageSizeLabel()->text(), "  11 x 8.5 in  ");
    EXPECT_EQ(area().pagePlacement().size(), QSize(2112, 1632));
}

// --- mouse on the page --------------------------------------------------------------------

TEST_F(PreviewTest, ClickOnAPageTogglesBetweenActualSizeAndFit)
{
    const QPoint spot(100, 120);
    QTest::mouseClick(&page(), Qt::LeftButton, Qt::NoModifier, onPage(spot));
    EXPECT_EQ(zoom(), 100);
    ASSERT_EQ(events.named("OnPageClick").size(), 1u);
    const auto click = events.named("OnPageClick")[0];
    EXPECT_EQ(click.args[0].toInt32(), 1);
    EXPECT_EQ(click.args[1].toSingle(), 100.0f);
    EXPECT_EQ(click.args[2].toSingle(), 120.0f);
    ASSERT_EQ(events.named("BeforePagePrint").size(), 1u);
    EXPECT_EQ(events.named("BeforePagePrint")[0].args[0].toInt32(), 1);

    // The page at 100 % no longer fits: the next click fits it again.
    QTest::mouseClick(&page(), Qt::LeftButton, Qt::NoModifier, onPage(QPoint(50, 50)));
    EXPECT_EQ(zoom(), 73);
    QTest::mouseClick(&page(), Qt::LeftButton, Qt::NoModifier, onPage(QPoint(50, 50)));
    EXPECT_EQ(zoom(), 100);
    EXPECT_EQ(events.named("BeforePagePrint").size(), 3u);
}

TEST_F(PreviewTest, ClickZoomKeepsTheClickedSpotInView)
{
    QTest::mouseClick(&page(), Qt::LeftButton, Qt::NoModifier, onPage(QPoint(500, 700)));
    EXPECT_EQ(zoom(), 100);
    EXPECT_GT(area().horizontalScrollBar()->value(), 0);
    EXPECT_GT(area().verticalScrollBar()->value(), 0);
}

TEST_F(PreviewTest, DraggingALargePageScrollsItAndIsNoClick)
{
    put("Scale", 200);
    const QPoint from = onPage(QPoint(200, 200));
    QTest::mousePress(&page(), Qt::LeftButton, Qt::NoModifier, from);
    QMouseEvent move(QEvent::MouseMove, QPointF(from - QPoint(50, 80)), page().mapToGlobal(QPointF(from - QPoint(50, 80))),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&page(), &move);
    EXPECT_EQ(area().horizontalScrollBar()->value(), 50);
    EXPECT_EQ(area().verticalScrollBar()->value(), 80);
    EXPECT_EQ(page().cursor().shape(), Qt::ClosedHandCursor);
    QTest::mouseRelease(&page(), Qt::LeftButton, Qt::NoModifier, from - QPoint(50, 80));
    EXPECT_EQ(zoom(), 200);
    EXPECT_EQ(events.named("OnPageClick").size(), 1u);
    EXPECT_TRUE(events.named("BeforePagePrint").empty());
}

TEST_F(PreviewTest, WheelScrollsFifteenPixelsANotchWhenTheAreaScrolls)
{
    QWheelEvent down(QPointF(100, 100), page().mapToGlobal(QPointF(100, 100)), QPoint(), QPoint(0, -240),
                     Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&page(), &down);
    EXPECT_EQ(area().verticalScrollBar()->value(), 0);
    put("Scale", 200);
    QApplication::sendEvent(&page(), &down);
    EXPECT_EQ(area().verticalScrollBar()->value(), 30);
}

TEST_F(PreviewTest, ShiftDragPlacesTheClipboardPictureOnThePage)
{
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QApplication::clipboard()->setImage(picture);
    put("Scale", 100);
    const int32_t before = control.report().viewPage().objectCount();
    const QPoint from = onPage(QPoint(96, 192));
    QTest::mousePress(&page(), Qt::LeftButton, Qt::ShiftModifier, from);
    QMouseEvent move(QEvent::MouseMove, QPointF(from + QPoint(192, 96)), page().mapToGlobal(QPointF(from + QPoint(192, 96))),
                     Qt::NoButton, Qt::LeftButton, Qt::ShiftModifier);
    QApplication::sendEvent(&page(), &move);
    const QLabel* label = page().findChild<QLabel*>("PlacementLabel");
    ASSERT_TRUE(label);
    EXPECT_EQ(label->text(), "Place Picture at:\nLeft, Top: 1in., 2in.\nWidth, Height: 2in., 1in.");
    QTest::mouseRelease(&page(), Qt::LeftButton, Qt::ShiftModifier, from + QPoint(192, 96));

    ASSERT_EQ(control.report().viewPage().objectCount(), before + 1);
    const TReportObject& placed = control.report().viewPage().Objects.back();
    EXPECT_EQ(placed.ObjType, 'I');
    // Ten-thousandths of an inch.
    EXPECT_FLOAT_EQ(placed.HPos, 10000);
    EXPECT_FLOAT_EQ(placed.VPos, 20000);
    EXPECT_FLOAT_EQ(placed.Width, 20000);
    EXPECT_FLOAT_EQ(placed.Height, 10000);
    EXPECT_EQ(placed.ImageScaling, 0);
    EXPECT_EQ(zoom(), 100); // placement is no click zoom
    QApplication::clipboard()->clear();
}

TEST_F(PreviewTest, TinyPlacementRectanglesPlaceNothing)
{
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    QApplication::clipboard()->setImage(picture);
    const int32_t before = control.report().viewPage().objectCount();
    QTest::mousePress(&page(), Qt::LeftButton, Qt::ControlModifier, onPage(QPoint(10, 10)));
    QTest::mouseRelease(&page(), Qt::LeftButton, Qt::ControlModifier, onPage(QPoint(13, 30)));
    EXPECT_EQ(control.report().viewPage().objectCount(), before);
    QApplication::clipboard()->clear();
}

// --- menus --------------------------------------------------------------------------------

TEST_F(PreviewTest, PagePopupChecksItsStatesBeforeOpening)
{
    QMenu& menu = *preview().pageMenu();
    auto entry = [&](const QString& text) {
        for (QAction* action : menu.actions())
            if (action->text() == text)
                return action;
        return static_cast<QAction*>(nullptr);
    };
    put("DisplayGrid", true);
    emit menu.aboutToShow();
    EXPECT_TRUE(entry("Display Grid")->isChecked());
    EXPECT_TRUE(entry("Show/Hide Toolbar")->isChecked());
    EXPECT_FALSE(entry("Display Printer Margins")->isChecked());
    EXPECT_TRUE(button("cmdGrid").isChecked());

    put("DisplayGrid", false);
    put("DisplayToolbar", false);
    emit menu.aboutToShow();
    EXPECT_FALSE(entry("Display Grid")->isChecked());
    EXPECT_FALSE(entry("Show/Hide Toolbar")->isChecked());
    entry("Show/Hide Toolbar")->trigger();
    EXPECT_TRUE(get("DisplayToolbar").toBool());
}

TEST_F(PreviewTest, ToolbarMenuChecksStyleAndUnit)
{
    QMenu& menu = *preview().toolbarMenu();
    put("DisplayToolbarStyle", 0);
    put("DisplayUnitOfMeasure", 1);
    emit menu.aboutToShow();
    QStringList checked;
    for (QAction* action : menu.findChildren<QAction*>())
        if (action->isChecked())
            checked << action->text();
    EXPECT_TRUE(checked.contains("Classic Toolbar"));
    EXPECT_FALSE(checked.contains("XP Toolbar"));
    EXPECT_TRUE(checked.contains("Centimeters"));
    EXPECT_TRUE(checked.contains("English"));
}

TEST_F(PreviewTest, RightClickOpensThePopupOnlyWhileAllowed)
{
    QTest::mouseClick(&page(), Qt::RightButton, Qt::NoModifier, onPage(QPoint(30, 30)));
    QTRY_VERIFY(preview().pageMenu()->isVisible());
    preview().pageMenu()->hide();
    put("DisplayPopupMenu", -1);
    QTest::mouseClick(&page(), Qt::RightButton, Qt::NoModifier, onPage(QPoint(30, 30)));
    QTest::qWait(50);
    EXPECT_FALSE(preview().pageMenu()->isVisible());
}

// --- events -------------------------------------------------------------------------------

TEST_F(PreviewTest, ClicksOutsideThePageAndDoubleClicksReachTheHost)
{
    QTest::mouseClick(&page(), Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    EXPECT_EQ(events.named("OnClick").size(), 1u);
    EXPECT_TRUE(events.named("OnPageClick").empty());
    QTest::mouseDClick(&page(), Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    EXPECT_EQ(events.named("OnDblClick").size(), 1u);
}

TEST_F(PreviewTest, HostMayReplaceOrSwallowCharacterKeys)
{
    zoomBox().setFocus();
    zoomBox().clear();
    events.keyAnswer = '7';
    QTest::keyClicks(&zoomBox(), "x");
    EXPECT_EQ(zoomBox().text(), "7");
    ASSERT_FALSE(events.named("OnKeyPress").empty());
    EXPECT_EQ(events.named("OnKeyPress")[0].args[0].toInt32(), '7');

    events.keyAnswer = 0;
    QTest::keyClicks(&zoomBox(), "5");
    EXPECT_EQ(zoomBox().text(), "7");
    events.keyAnswer.reset();
    QTest::keyClicks(&zoomBox(), "5");
    EXPECT_EQ(zoomBox().text(), "75");
}

TEST_F(PreviewTest, PaintingAndFocusFireTheirEvents)
{
    events.entries.clear();
    page().repaint();
    EXPECT_FALSE(events.named("OnPaint").empty());

    // The control inside a host window beside another widget.
    QWidget host;
    auto* row = new QHBoxLayout(&host);
    row->addWidget(&control);
    auto* outside = new QLineEdit(&host);
    row->addWidget(outside);
    host.show();
    QApplication::setActiveWindow(&host);
    outside->setFocus();
    settle();
    events.entries.clear();
    zoomBox().setFocus();
    QTRY_COMPARE(events.named("OnActivate").size(), 1u);
    EXPECT_TRUE(events.named("OnDeactivate").empty());
    pageBox().setFocus();
    EXPECT_EQ(events.named("OnActivate").size(), 1u);
    outside->setFocus();
    QTRY_COMPARE(events.named("OnDeactivate").size(), 1u);
    control.setParent(nullptr);
}

TEST_F(PreviewTest, HostButtonsFireTheirNameAndKeepTheirBitmap)
{
    QTemporaryDir folder;
    const QString bitmap = folder.filePath("star.bmp");
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::green);
    ASSERT_TRUE(image.save(bitmap, "BMP"));
    // No star.MSK beside it: the bitmap stands unmasked.
    call("AddToolbarButton", {Variant(std::string("Star")), Variant(bitmap.toStdString()),
                              Variant(std::string("A star")), Variant(3)});
    auto* star = preview().toolbar()->findChild<QToolButton*>("Star");
    ASSERT_TRUE(star);
    EXPECT_TRUE(star->isVisible());
    EXPECT_EQ(star->toolTip(), "A star");
    EXPECT_FALSE(star->icon().isNull());
    EXPECT_EQ(star->icon().pixmap(16).toImage().pixelColor(8, 8), QColor(Qt::green));
    QTest::mouseClick(star, Qt::LeftButton);
    ASSERT_EQ(events.named("OnToolbarButtonClick").size(), 1u);
    EXPECT_EQ(events.named("OnToolbarButtonClick")[0].args[0].toString(), "Star");

    // With a mask, white marks the transparent part.
    QImage mask(16, 16, QImage::Format_RGB32);
    mask.fill(Qt::black);
    for (int x = 0; x < 16; ++x)
        mask.setPixelColor(x, 0, Qt::white);
    ASSERT_TRUE(mask.save(folder.filePath("star.MSK"), "BMP"));
    call("AddToolbarButton", {Variant(std::string("Masked")), Variant(bitmap.toStdString())});
    auto* masked = preview().toolbar()->findChild<QToolButton*>("Masked");
    ASSERT_TRUE(masked);
    const QImage shown = masked->icon().pixmap(16).toImage();
    EXPECT_EQ(qAlpha(shown.pixel(3, 0)), 0);
    EXPECT_EQ(qAlpha(shown.pixel(3, 5)), 255);
}

// --- what the area shows ------------------------------------------------------------------

namespace {

// Counts the pixels whose channels differ by more than a small tolerance.
int differingPixels(const QImage& a, const QImage& b)
{
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) > 24 || std::abs(qGreen(p) - qGreen(q)) > 24
                || std::abs(qBlue(p) - qBlue(q)) > 24)
                ++count;
        }
    return count;
}

} // namespace

TEST_F(PreviewTest, ThePageOnScreenIsTheRenderersImageOfIt)
{
    addText("Hello preview");
    control.AddShape(Variant(std::string("s")), 1, 3, 3, 2, 0x0000FF, 0x00FF00, 0);
    put("Scale", 50);
    settle();
    const QRect placed = area().pageOnViewport();
    const QImage shown = page().grab(placed).toImage().convertToFormat(QImage::Format_RGB32);

    QImage expected(placed.size(), QImage::Format_RGB32);
    expected.fill(Qt::white);
    {
        QPainter painter(&expected);
        TScreenView view;
        view.zoomPercent = 50;
        view.controlSize = placed.size();
        paintScreenPage(painter, control.report(), 1, view);
    }
    ASSERT_EQ(shown.size(), expected.size());
    EXPECT_LE(differingPixels(shown, expected), shown.width() * shown.height() / 500);
    // The area around the page is the background colour.
    EXPECT_EQ(page().grab(QRect(placed.left() - 5, placed.top(), 1, 1)).toImage().pixelColor(0, 0),
              QColor(128, 128, 128));
}

TEST_F(PreviewTest, GridAndBorderAppearWhereTheyShould)
{
    put("Scale", 100);
    put("nBackgroundColor", 0x00FFFF);
    EXPECT_EQ(get("nBackgroundColor").toInt32(), 0x00FFFF);
    put("DisplayGrid", true);
    put("nGridColor", 0xFF0000);
    settle();
    const QImage shown = page().grab().toImage();
    const QPoint origin = area().pageOnViewport().topLeft();
    // The page border is black at the page's left edge; the background is
    // yellow beside it; at 100 % a solid grid line runs every inch.
    EXPECT_EQ(shown.pixelColor(origin + QPoint(0, 50)), QColor(Qt::black));
    EXPECT_EQ(shown.pixelColor(origin + QPoint(-3, 50)), QColor(Qt::yellow));
    EXPECT_EQ(shown.pixelColor(origin + QPoint(96, 50)), QColor(Qt::blue));
    EXPECT_NE(shown.pixelColor(origin + QPoint(90, 50)), QColor(Qt::blue));
}

TEST_F(PreviewTest, ScrollingNeverRendersATileTwice)
{
    put("Scale", 400);
    settle();
    TPageTiles& tiles = area().tiles();
    const int64_t first = tiles.tilesRendered();
    EXPECT_GT(first, 0);
    QScrollBar& down = *area().verticalScrollBar();
    for (int y = 0; y <= 2000; y += 100) {
        down.setValue(y);
        page().repaint();
    }
    const int64_t afterDown = tiles.tilesRendered();
    EXPECT_GT(afterDown, first);
    for (int y = 2000; y >= 0; y -= 100) {
        down.setValue(y);
        page().repaint();
    }
    EXPECT_EQ(tiles.tilesRendered(), afterDown);

    // A change of the page draws it again.
    addText("New");
    page().repaint();
    settle();
    EXPECT_GT(tiles.tilesRendered(), afterDown);
}

TEST_F(PreviewTest, DiagnosticPanelTogglesAndShowsTheFindTrace)
{
    EXPECT_FALSE(preview().sidePanelShown());
    const int before = area().width();
    put("Scale", -1444);
    settle();
    EXPECT_TRUE(preview().sidePanelShown());
    EXPECT_LT(area().width(), before);
    control.report().FindTrace = "trace line";
    page().repaint();
    auto* box = preview().findChild<QPlainTextEdit*>("FindTraceBox");
    ASSERT_TRUE(box);
    EXPECT_EQ(box->toPlainText(), "trace line");
    QTest::mouseDClick(box->viewport(), Qt::LeftButton);
    EXPECT_TRUE(control.report().FindTrace.empty());
    put("Scale", -1444);
    settle();
    EXPECT_FALSE(preview().sidePanelShown());
}

TEST_F(PreviewTest, StoredDisplaySettingsReadBack)
{
    put("nXOffset", 0.25f);
    EXPECT_EQ(get("nXOffset").toSingle(), 0.25f);
    EXPECT_EQ(control.report().PreviewOffsetX.scaled, 2500);
    put("nPaperColor", 0x00EEEE);
    EXPECT_EQ(get("nPaperColor").toInt32(), 0x00EEEE);
    put("DisplayPagesPerPage", 4);
    put("DisplayPagesPerPage", 3);
    EXPECT_EQ(get("DisplayPagesPerPage").toInt32(), 4);
    put("DisplayPageMode", 2);
    EXPECT_EQ(get("DisplayPageMode").toInt32(), 0);
    put("DisplayPaperStyle", 2);
    put("DisplayPaperStyle", -1);
    EXPECT_EQ(get("DisplayPaperStyle").toInt32(), 2);
    put("DisplayPageBorderSize", 40);
    EXPECT_EQ(get("DisplayPageBorderSize").toInt32(), 40);
    // Wider borders leave less room for the fitted page.
    EXPECT_LT(zoom(), 73);
    put("DisplayPageBorder", false);
    EXPECT_FALSE(get("DisplayPageBorder").toBool());
}
