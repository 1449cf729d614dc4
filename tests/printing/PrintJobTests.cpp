// A print job driven through its dialog and progress window: the choices it
// takes, the progress it shows, and a cancel that leaves nothing printed.

#include "CupsTestServer.h"

#include <orvreport/TORVREP.h>
#include "pdf/PdfTestSupport.h"
#include "platform/ScriptedUiServices.h"
#include "printing/PrintJob.h"
#include "printing/PrinterInventory.h"

#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace orv;
using orv::pdftest::runTool;

namespace {

// Answers the dialog with fixed choices, or cancels it after moving the
// current printer, as a user who looked around before cancelling would.
class TAnsweringDialog : public IPrintDialog {
public:
    std::optional<TPrintChoices> answer;
    TPrintDialogPreset seen;

    std::optional<TPrintChoices> ask(const TPrintDialogPreset& preset, TCurrentPrinter& printer) override
    {
        seen = preset;
        printer.select(0);
        return answer;
    }
};

// Counts what the job shows and asks to cancel once `cancelAfter` pages
// have been drawn.
class TRecordingProgress : public IPrintJobProgress {
public:
    int32_t cancelAfter = -1;
    std::string caption;
    int32_t maximum = 0;
    int32_t steps = 0;
    bool open_ = false;

    void open(const std::string& text, int32_t max) override
    {
        caption = text;
        maximum = max;
        open_ = true;
    }
    void step() override { ++steps; }
    void close() override { open_ = false; }
    void processMessages() override {}
    bool aborted() const override { return cancelAfter >= 0 && steps >= cancelAfter; }
};

class PrintJobTest : public testing::Test {
protected:
    PrintJobTest()
    {
        for (int i = 1; i <= 6; ++i) {
            if (i > 1)
                control.NewPage();
            control.AddText("t", ("Page" + std::to_string(i)).c_str(), 1, 1, 0, 0, "Arial", 12, 0, 0xFFFFFF, "", 0,
                            0, 0, " ");
        }
        control.report().PrinterSetup.FileName = output.toStdString();
    }

    int32_t run(IPrintDialog* dialog, int32_t displayedPage = 1)
    {
        TPrintJobContext context{printer, ui, dialog, &progress, displayedPage};
        return runPrintJob(control.report(), context);
    }

    std::vector<std::string> printedPages() const
    {
        std::vector<std::string> pages;
        const QString text = QString::fromStdString(runTool("pdftotext", {output, "-"}).out);
        for (auto it = QRegularExpression("Page\\d+").globalMatch(text); it.hasNext();)
            pages.push_back(it.next().captured().toStdString());
        return pages;
    }

    printtest::TCupsTestServer server{{"First", "Second"}, "Second"};
    pdftest::TScratchDir scratch;
    QString output = scratch.path("job.pdf");
    TScriptedUiServices ui;
    TORVREP control{nullptr, TORVREP::Options{&ui, nullptr, false}};
    TCurrentPrinter printer;
    TRecordingProgress progress;
};

} // namespace

TEST_F(PrintJobTest, TheDialogsChoicesDriveTheJobAndSomeStayForTheNext)
{
    control.report().PrinterSetup.Copies = 3;
    TAnsweringDialog dialog;
    dialog.answer = TPrintChoices{};
    dialog.answer->printerIndex = 1;
    dialog.answer->range = TPrintChoices::Range::Pages;
    dialog.answer->startPage = 2;
    dialog.answer->endPage = 5;
    dialog.answer->pageType = 2;
    dialog.answer->pagesPerSheet = 2;
    dialog.answer->fitToPage = true;
    EXPECT_EQ(run(&dialog), 0);

    EXPECT_EQ(dialog.seen.copies, 3);
    EXPECT_EQ(dialog.seen.pageCount, 6);
    EXPECT_EQ(printedPages(), (std::vector<std::string>{"Page2", "Page4"}));
    EXPECT_EQ(printer.name(), "Second");
    const TPrinterSetup& setup = control.report().PrinterSetup;
    EXPECT_EQ(setup.PagesPerSheet, 2);
    EXPECT_TRUE(setup.ShrinkToFit);
    EXPECT_EQ(setup.Copies, 3) << "copies are the job's own";

    // The progress window counted every page of the range for every copy.
    EXPECT_EQ(progress.caption, "Printing Orv Report Engine");
    EXPECT_EQ(progress.maximum, 4);
    EXPECT_EQ(progress.steps, 2);
    EXPECT_FALSE(progress.open_);
}

TEST_F(PrintJobTest, TheCurrentPageIgnoresThePageType)
{
    TAnsweringDialog dialog;
    dialog.answer = TPrintChoices{};
    dialog.answer->range = TPrintChoices::Range::CurrentPage;
    dialog.answer->pageType = 1;
    dialog.answer->printerIndex = 1;
    EXPECT_EQ(run(&dialog, 4), 0);
    EXPECT_EQ(printedPages(), (std::vector<std::string>{"Page4"}));
}

TEST_F(PrintJobTest, CancellingTheDialogPrintsNothingAndKeepsThePrinter)
{
    TAnsweringDialog dialog;
    EXPECT_EQ(printer.name(), "Second");
    EXPECT_EQ(run(&dialog), -1);
    EXPECT_EQ(printer.name(), "Second");
    EXPECT_FALSE(QFile::exists(output));
    EXPECT_EQ(progress.steps, 0);
}

TEST_F(PrintJobTest, CancellingWhilePrintingStopsAtTheNextSheetAndLeavesNoFile)
{
    TAnsweringDialog dialog;
    dialog.answer = TPrintChoices{};
    dialog.answer->printerIndex = 1;
    progress.cancelAfter = 2;
    EXPECT_EQ(run(&dialog), 0);
    EXPECT_EQ(progress.steps, 2);
    EXPECT_FALSE(QFile::exists(output));
    EXPECT_FALSE(progress.open_);
}

TEST_F(PrintJobTest, WithoutTheDialogThereIsNoProgressWindow)
{
    control.report().PrinterSetup.StartPage = 1;
    control.report().PrinterSetup.EndPage = 2;
    EXPECT_EQ(run(nullptr), 0);
    EXPECT_EQ(printedPages(), (std::vector<std::string>{"Page1", "Page2"}));
    EXPECT_TRUE(progress.caption.empty());
    EXPECT_EQ(progress.steps, 0);
}
