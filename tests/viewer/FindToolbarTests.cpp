// The find toolbar, the find button and the find dialog, driven with the
// mouse and keyboard.

#include "DialogTesting.h"
#include "PreviewTesting.h"

#include "document/Report.h"
#include "viewer/FindDialog.h"
#include "viewer/FindToolbar.h"
#include "viewer/InterfaceTexts.h"
#include "viewer/PreviewFind.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace orv;

namespace {

class FindToolbarTest : public PreviewTest {
protected:
    void SetUp() override
    {
        PreviewTest::SetUp();
        for (int line = 0; line < 4; ++line)
            call("AddText", {"t", line == 2 ? "Nothing to see" : "Grand Total of the line", 1, 1 + line, 6, 0});
    }
    TFindToolbar& bar() { return *preview().find().toolbar(); }
    QLineEdit& box() { return *bar().searchBox(); }
    void openBar()
    {
        QTest::mouseClick(&button("cmdFind"), Qt::LeftButton);
        settle();
    }
    // Pure highlight colours in what the page area shows.
    int pixelsOf(QRgb colour)
    {
        settle();
        const QImage shown = page().grab().toImage().convertToFormat(QImage::Format_RGB32);
        int count = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                count += (shown.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF) ? 1 : 0;
        return count;
    }
    const TReport& report() { return control.report(); }
    static constexpr QRgb kYellow = 0xFFFF00;
    static constexpr QRgb kGreen = 0x00FF00;
};

} // namespace

TEST_F(FindToolbarTest, FindButtonOpensAtTheBottomOrWithCtrlAtTheTopAndShiftClears)
{
    EXPECT_TRUE(get("DisplayFindButton").toBool());
    EXPECT_FALSE(bar().isVisible());
    openBar();
    EXPECT_TRUE(bar().isVisible());
    EXPECT_EQ(bar().parentWidget(), preview().findDock(false));
    EXPECT_EQ(bar().window()->focusWidget(), &box());
    EXPECT_LT(area().height(), 858);
    QTest::mouseClick(&button("cmdFind"), Qt::LeftButton);
    EXPECT_FALSE(bar().isVisible());
    EXPECT_EQ(area().height(), 858);

    QTest::mouseClick(&button("cmdFind"), Qt::LeftButton, Qt::ControlModifier);
    EXPECT_TRUE(bar().isVisible());
    EXPECT_EQ(bar().parentWidget(), preview().findDock(true));

    call("Find", {"Total"});
    EXPECT_EQ(report().page(1).Objects[0].Found, 1);
    QTest::mouseClick(&button("cmdFind"), Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(report().page(1).Objects[0].Found, 0) << "Shift clears the marks";
    EXPECT_FALSE(bar().isVisible());
    EXPECT_EQ(report().FindObject, 0) << "hiding keeps the current hit";

    put("DisplayFindButton", false);
    EXPECT_FALSE(button("cmdFind").isVisible());
    EXPECT_FALSE(get("DisplayFindButton").toBool());
}

TEST_F(FindToolbarTest, ButtonsFollowTheSearchBoxAndTheBoxKeepsItsText)
{
    openBar();
    EXPECT_FALSE(bar().nextButton()->isEnabled());
    EXPECT_FALSE(bar().previousButton()->isEnabled());
    EXPECT_FALSE(bar().highlightButton()->isEnabled());
    QTest::keyClicks(&box(), "To");
    EXPECT_TRUE(bar().nextButton()->isEnabled());
    EXPECT_TRUE(bar().highlightButton()->isEnabled());
    EXPECT_EQ(report().FindText, "To");
    EXPECT_TRUE(report().FindActive);
    QTest::keyClick(&box(), Qt::Key_Backspace);
    QTest::keyClick(&box(), Qt::Key_Backspace);
    EXPECT_FALSE(bar().previousButton()->isEnabled());
    EXPECT_FALSE(report().FindActive);

    QTest::keyClicks(&box(), "Grand");
    QTest::keyClick(&box(), Qt::Key_Escape);
    EXPECT_FALSE(bar().isVisible());
    EXPECT_FALSE(button("cmdFind").isChecked());
    openBar();
    EXPECT_EQ(box().text(), "Grand");
}

TEST_F(FindToolbarTest, TypingHighlightsEveryHitWhileHighlightIsPressed)
{
    openBar();
    EXPECT_EQ(pixelsOf(kYellow), 0);
    QTest::keyClicks(&box(), "Tot");
    QTest::mouseClick(bar().highlightButton(), Qt::LeftButton);
    EXPECT_TRUE(report().HighlightAll);
    const int three = pixelsOf(kYellow);
    EXPECT_GT(three, 100) << "three lines show their hit";
    // Every matching object of the view page is marked.
    EXPECT_EQ(report().page(1).Objects[0].Found + report().page(1).Objects[3].Found, 2);
    EXPECT_EQ(report().page(1).Objects[2].Found, 0);

    QTest::keyClicks(&box(), "al");
    EXPECT_GT(pixelsOf(kYellow), three) << "a longer hit as the user types";
    QTest::keyClicks(&box(), "x");
    EXPECT_EQ(pixelsOf(kYellow), 0) << "nothing matches Totalx";
    QTest::keyClick(&box(), Qt::Key_Backspace);
    EXPECT_GT(pixelsOf(kYellow), three);

    // The current hit is green, the others yellow.
    QTest::keyClick(&box(), Qt::Key_Return);
    EXPECT_EQ(report().FindObject, 0);
    EXPECT_GT(pixelsOf(kGreen), 50);

    // Released, the highlight goes; with Shift the marks go too.
    QTest::mouseClick(bar().highlightButton(), Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_FALSE(report().HighlightAll);
    EXPECT_EQ(report().page(1).Objects[0].Found + report().page(1).Objects[3].Found, 0);
    EXPECT_EQ(pixelsOf(kYellow), 0);
}

TEST_F(FindToolbarTest, KeysOfTheSearchBox)
{
    openBar();
    QTest::keyClicks(&box(), "total");
    QTest::keyClick(&box(), Qt::Key_Return);
    EXPECT_EQ(report().FindObject, 0);
    QTest::keyClick(&box(), Qt::Key_Enter);
    EXPECT_EQ(report().FindObject, 1);
    QTest::keyClick(&box(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(report().FindObject, 3);
    QTest::keyClick(&box(), Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(report().FindObject, 1);
    EXPECT_EQ(box().text(), "total") << "the handled keys type nothing";

    // Ctrl+Enter presses the highlight button alone.
    const uint64_t revision = report().revision();
    QTest::keyClick(&box(), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_TRUE(bar().highlightButton()->isChecked());
    EXPECT_FALSE(report().HighlightAll);
    EXPECT_EQ(report().revision(), revision);
    QTest::keyClick(&box(), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_FALSE(bar().highlightButton()->isChecked());

    // F3 and Shift+F3 anywhere in the preview while the toolbar is open.
    QTest::keyClick(&box(), Qt::Key_F3);
    EXPECT_EQ(report().FindObject, 3);
    QTest::keyClick(&preview(), Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(report().FindObject, 1);
    QTest::keyClick(&preview(), Qt::Key_Escape);
    EXPECT_FALSE(bar().isVisible());
    EXPECT_EQ(report().FindObject, -1) << "closing forgets the current hit";
    QTest::keyClick(&preview(), Qt::Key_F3);
    EXPECT_EQ(report().FindObject, -1) << "F3 searches only while the toolbar is open";
}

TEST_F(FindToolbarTest, CtrlFInThePreviewOpensTheToolbarWhereItWasDocked)
{
    QTest::mouseClick(&button("cmdFind"), Qt::LeftButton, Qt::ControlModifier);
    QTest::keyClicks(&box(), "line");
    QTest::mouseClick(&button("cmdFind"), Qt::LeftButton);
    ASSERT_FALSE(bar().isVisible());
    QTest::keyClick(&preview(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(bar().isVisible());
    EXPECT_EQ(bar().parentWidget(), preview().findDock(true));
    EXPECT_TRUE(button("cmdFind").isChecked());
    EXPECT_EQ(box().selectedText(), "line");
    EXPECT_EQ(bar().window()->focusWidget(), &box());
    EXPECT_EQ(report().FindObject, -1) << "opening searches nothing";
}

TEST_F(FindToolbarTest, NextAndPreviousButtonsUseTheMatchCaseBox)
{
    openBar();
    QTest::keyClicks(&box(), "grand");
    bar().matchCaseBox()->setChecked(true);
    EXPECT_TRUE(report().FindMatchCase);
    QTest::mouseClick(bar().nextButton(), Qt::LeftButton);
    EXPECT_EQ(report().FindObject, -1) << "match case finds no \"grand\"";
    bar().matchCaseBox()->setChecked(false);
    QTest::mouseClick(bar().nextButton(), Qt::LeftButton);
    QTest::mouseClick(bar().nextButton(), Qt::LeftButton);
    EXPECT_EQ(report().FindObject, 1);
    QTest::mouseClick(bar().previousButton(), Qt::LeftButton);
    EXPECT_EQ(report().FindObject, 0);

    QTest::mouseClick(bar().closeButton(), Qt::LeftButton);
    EXPECT_FALSE(bar().isVisible());
    EXPECT_FALSE(report().HighlightAll);
    EXPECT_EQ(report().FindPage, -1);
}

TEST_F(FindToolbarTest, ToolbarWordsComeFromTheInterfaceTexts)
{
    openBar();
    EXPECT_EQ(bar().label()->text(), "Find: ");
    EXPECT_EQ(bar().nextButton()->text(), "Find next");
    EXPECT_EQ(bar().previousButton()->text(), "Find previous");
    EXPECT_EQ(bar().highlightButton()->text(), "Highlight");
    EXPECT_EQ(bar().matchCaseBox()->text(), "Match case");
    EXPECT_EQ(bar().matchCaseBox()->toolTip(), "Match case");
    EXPECT_EQ(box().width(), TFindToolbar::kSearchBoxWidth);
    // The highlight button's image shows its state.
    const QIcon icon = bar().highlightButton()->icon();
    EXPECT_NE(icon.pixmap(16, QIcon::Normal, QIcon::Off).toImage(), icon.pixmap(16, QIcon::Normal, QIcon::On).toImage());
}

TEST(FindDialog, FindIsEnabledOnlyWithTextAndTheBoxesStartAsTold)
{
    TInterfaceTexts texts;
    TFindTextForm dialog(texts);
    using dialogtest::control;
    auto& find = control<QPushButton>(dialog, "cmdFind");
    auto& box = control<QLineEdit>(dialog, "txtFind");
    EXPECT_EQ(dialog.windowTitle(), "Find Text");
    EXPECT_EQ(control<QLabel>(dialog, "lblFind").text(), "Find:");
    EXPECT_EQ(find.text(), "Find");
    EXPECT_EQ(control<QPushButton>(dialog, "cmdCancel").text(), "Cancel");
    EXPECT_FALSE(control<QCheckBox>(dialog, "chkCaseSensitive").isChecked());
    EXPECT_TRUE(control<QCheckBox>(dialog, "chkFindAll").isChecked());
    EXPECT_EQ(control<QCheckBox>(dialog, "chkFindAll").text(), "Mark All");
    EXPECT_FALSE(find.isEnabled());
    QTest::keyClicks(&box, "x");
    EXPECT_TRUE(find.isEnabled());
    QTest::keyClick(&box, Qt::Key_Backspace);
    EXPECT_FALSE(find.isEnabled());
}

TEST(FindDialog, TheControlsDialogSearchesWithItsCaseBox)
{
    TORVREP control; // real dialogs
    control.AddText(Variant(std::string("t")), Variant(std::string("TOTAL")), 1, 1, 4, 0);
    control.AddText(Variant(std::string("t")), Variant(std::string("Total")), 1, 2, 4, 0);
    auto search = [&](const char* text, bool caseSensitive, const char* button) {
        dialogtest::answerModalDialog([&] { control.Find(Variant(std::string())); }, [&](QDialog& dialog) {
            dialogtest::control<QLineEdit>(dialog, "txtFind").setText(text);
            dialogtest::control<QCheckBox>(dialog, "chkCaseSensitive").setChecked(caseSensitive);
            dialogtest::control<QPushButton>(dialog, button).click();
        });
    };
    search("Total", true, "cmdFind");
    EXPECT_EQ(control.report().FindObject, 1);
    control.report().FindPage = control.report().FindObject = -1;
    search("Total", false, "cmdFind");
    EXPECT_EQ(control.report().FindObject, 0);
    search("Total", false, "cmdCancel");
    EXPECT_EQ(control.report().FindObject, 0) << "Cancel searches nothing";
}
