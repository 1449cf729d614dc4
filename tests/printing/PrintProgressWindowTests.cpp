#include "printing/PrintProgressWindow.h"

#include "platform/ScriptedUiServices.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QProgressBar>
#include <QPushButton>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace orv;

namespace {

class PrintProgressWindowTest : public ::testing::Test {
protected:
    PrintProgressWindowTest()
    {
        // What the window looks like at the moment it asks.
        ui.setListener([this](const TScriptedUiServices::Shown&) {
            onTopWhileAsking = window().windowFlags().testFlag(Qt::WindowStaysOnTopHint);
            visibleWhileAsking = window().isVisible();
        });
    }

    TOperationProgressWindow& window() { return progress.window(); }
    bool onTop() { return window().windowFlags().testFlag(Qt::WindowStaysOnTopHint); }
    QProgressBar& bar() { return child<QProgressBar>(nullptr); }
    QPushButton& cancelButton() { return child<QPushButton>("cmdAbortPrint"); }

    template <typename Widget>
    Widget& child(const char* name)
    {
        Widget* widget = name ? window().findChild<Widget*>(QLatin1String(name)) : window().findChild<Widget*>();
        if (!widget)
            throw std::runtime_error(std::string("the progress window has no ") + (name ? name : "such widget"));
        return *widget;
    }

    void pressEscape()
    {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(&window(), &escape);
    }

    TScriptedUiServices ui;
    TPrintProgressWindow progress{ui};
    bool onTopWhileAsking = true;
    bool visibleWhileAsking = false;
};

} // namespace

TEST_F(PrintProgressWindowTest, OpensOnTopWithItsCaptionAndAnEmptyBarThatStepsByOne)
{
    progress.open("Printing Orv Report Engine", 6);
    EXPECT_TRUE(window().isVisible());
    EXPECT_FALSE(window().isModal());
    EXPECT_TRUE(onTop());
    EXPECT_EQ(window().size(), QSize(301, 120));
    EXPECT_EQ(window().windowTitle(), QStringLiteral("Printing Orv Report Engine"));
    EXPECT_EQ(cancelButton().text(), QStringLiteral("Cancel Printing"));
    EXPECT_EQ(bar().minimum(), 0);
    EXPECT_EQ(bar().maximum(), 6);
    EXPECT_EQ(bar().value(), 0);

    for (int i = 0; i < 4; ++i)
        progress.step();
    progress.processMessages();
    EXPECT_EQ(bar().value(), 4);
    EXPECT_FALSE(progress.aborted());

    progress.close();
    EXPECT_FALSE(window().isVisible());
    EXPECT_TRUE(ui.shown().empty()) << "the owner closes it without asking";
}

TEST_F(PrintProgressWindowTest, NoToTheQuestionKeepsTheOperationRunningAndTheWindowOnTop)
{
    progress.open("Printing Report", 3);
    ui.queueAnswer("No");
    cancelButton().click();

    ASSERT_EQ(ui.shown().size(), 1u);
    EXPECT_EQ(ui.shown()[0].kind, "message");
    EXPECT_EQ(ui.shown()[0].caption, "Printing Report");
    EXPECT_EQ(ui.shown()[0].text, "Cancel Printing?");
    EXPECT_FALSE(onTopWhileAsking) << "the question must not open behind the window";
    EXPECT_TRUE(visibleWhileAsking);
    EXPECT_FALSE(progress.aborted());
    EXPECT_TRUE(onTop());
    EXPECT_TRUE(window().isVisible());
}

TEST_F(PrintProgressWindowTest, YesRecordsTheCancelUntilTheWindowIsOpenedAgain)
{
    progress.open("Saving Report to PDF Document", 2);
    ui.queueAnswer("Yes");
    cancelButton().click();
    EXPECT_TRUE(progress.aborted());
    EXPECT_EQ(window().result(), TOperationProgressWindow::kAbortResult);
    EXPECT_TRUE(window().isVisible()) << "the operation releases the window itself";
    EXPECT_EQ(ui.shown().at(0).text, "Cancel Printing?");

    progress.step();
    progress.processMessages();
    EXPECT_TRUE(progress.aborted());

    progress.open("Printing Report", 2);
    EXPECT_FALSE(progress.aborted());
}

TEST_F(PrintProgressWindowTest, EscapeAsksAsTheButtonDoes)
{
    progress.open("Printing Report", 3);
    ui.queueAnswer("No");
    pressEscape();
    EXPECT_FALSE(progress.aborted());
    EXPECT_TRUE(window().isVisible()) << "Esc must not close the window";

    ui.queueAnswer("Yes");
    pressEscape();
    EXPECT_TRUE(progress.aborted());
    EXPECT_EQ(ui.shown().size(), 2u);
}

TEST_F(PrintProgressWindowTest, ClosingTheWindowAsksAndClosesOnlyOnYes)
{
    progress.open("Printing Report", 3);
    ui.queueAnswer("No");
    EXPECT_FALSE(window().close());
    EXPECT_TRUE(window().isVisible());
    EXPECT_TRUE(onTop());
    EXPECT_FALSE(progress.aborted());

    ui.queueAnswer("Yes");
    EXPECT_TRUE(window().close());
    EXPECT_FALSE(window().isVisible());
    EXPECT_TRUE(progress.aborted());
    EXPECT_EQ(ui.shown().size(), 2u);
}
