// The printer and print-job operations of the control, against a private
// CUPS server: which printer is current, paper forms, the print settings,
// and what PrintReport puts on which sheet in which order.
#include <orvreport/Dispatch.h>
#include <orvreport/TORVREP.h>
#include "platform/ScriptedUiServices.h"
#include "printing/PrinterForms.h"

#include "../pdf/PdfTestSupport.h"
#include "../printing/CupsTestServer.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

#include <memory>

using namespace orv;
using pdftest::runTool;
using printtest::TCupsTestServer;

namespace {

class PrintingControlTest : public testing::Test {
protected:
    PrintingControlTest()
        : server({"Alpha", "Beta_Printer", "gamma"}, "Beta_Printer")
        , control(std::make_unique<TORVREP>(nullptr, TORVREP::Options{&ui, nullptr, false}))
    {
        qputenv("XDG_CONFIG_HOME", scratch.path("config").toUtf8());
        control->put_PrintPromptForPrint(false);
    }

    // Pages naming themselves ("Page1" ...) at one inch from the top left.
    void pages(int count)
    {
        for (int i = 1; i <= count; ++i) {
            if (i > 1)
                control->NewPage();
            control->AddText("t", ("Page" + std::to_string(i)).c_str(), 1, 1, 0, 0, "Arial", 12, 0, 0xFFFFFF, "",
                             0, 0, 0, " ");
        }
    }

    // Prints to a PDF file and returns the names found on each sheet, in
    // sheet order, e.g. {"Page1 Page2", "Page3"}.
    std::vector<std::string> printedSheets(const Variant& printer = Variant::missing(), int32_t first = 0,
                                           int32_t last = 0, int32_t pageType = 0)
    {
        const QString file = scratch.path("job" + QString::number(++m_jobs) + ".pdf");
        EXPECT_EQ(control->PrintReport(printer, first, last, pageType, Variant(file.toStdString())), Variant(0));
        return sheetsOf(file);
    }

    static std::vector<std::string> sheetsOf(const QString& file)
    {
        std::vector<std::string> sheets;
        const std::string text = runTool("pdftotext", {"-layout", file, "-"}).out;
        size_t start = 0;
        for (size_t end; (end = text.find('\f', start)) != std::string::npos; start = end + 1) {
            QStringList names;
            QRegularExpressionMatchIterator it =
                QRegularExpression("Page\\d+").globalMatch(QString::fromStdString(text.substr(start, end - start)));
            while (it.hasNext())
                names << it.next().captured();
            sheets.push_back(names.join(' ').toStdString());
        }
        return sheets;
    }

    pdftest::TScratchDir scratch;
    TCupsTestServer server;
    TScriptedUiServices ui;
    std::unique_ptr<TORVREP> control;

private:
    int m_jobs = 0;
};

} // namespace

// --- choosing the printer -------------------------------------------------------------

TEST_F(PrintingControlTest, PrintersAreNumberedInListOrderWithTheDefaultCurrent)
{
    EXPECT_EQ(control->get_PrinterCount(), 3);
    EXPECT_EQ(control->get_PrinterID(), 2);
    EXPECT_EQ(control->get_CurrentPrinter(), 2);
    EXPECT_EQ(control->get_PrinterName(), "Beta_Printer");
    EXPECT_TRUE(control->get_PrinterPort().isEmpty());
    EXPECT_GT(control->get_PrinterYResolution(), 0);

    for (int32_t ignored : {0, 4, -2}) {
        control->put_PrinterID(ignored);
        EXPECT_EQ(control->get_PrinterID(), 2) << ignored;
    }
    control->put_PrinterID(3);
    EXPECT_EQ(control->get_PrinterName(), "gamma");
    EXPECT_EQ(control->report().PrinterSetup.PrinterIndex, 2);
    control->put_PrinterID(-1);
    EXPECT_EQ(control->get_PrinterID(), 2);
    EXPECT_EQ(control->report().PrinterSetup.PrinterIndex, 1);
}

TEST_F(PrintingControlTest, SetPrinterToTakesATrimmedNameInAnyCaseOrALongNumber)
{
    control->SetPrinterTo(Variant("  GAMMA "));
    EXPECT_EQ(control->get_PrinterID(), 3);
    control->SetPrinterTo(Variant("no such printer"));
    EXPECT_EQ(control->get_PrinterID(), 3);
    control->SetPrinterTo(Variant(int16_t{1}));
    EXPECT_EQ(control->get_PrinterID(), 3);
    control->SetPrinterTo(Variant(int32_t{1}));
    EXPECT_EQ(control->get_PrinterID(), 1);
    EXPECT_EQ(control->get_PrinterName(), "Alpha");
}

TEST_F(PrintingControlTest, SelectingAPrinterReadsItsMetrics)
{
    control->put_PrinterID(1);
    const TReport& report = control->report();
    EXPECT_GT(report.PrinterDpiX, 0);
    EXPECT_GT(report.PrintableWidth.scaled, 0);
    EXPECT_LE(report.PrintableWidth.scaled + report.PrinterOffsetLeft.scaled + report.PrinterMarginRight.scaled,
              Currency::fromInches(8.5).scaled + 10);
    EXPECT_EQ(control->get_PrinterPhysicalOffsetX(), report.PrinterOffsetXPixels);
}

// --- paper forms -----------------------------------------------------------------------

TEST_F(PrintingControlTest, FormsAreAddedInThousandthsOfAMillimetreAndReportWhyTheyFail)
{
    EXPECT_EQ(control->PrinterAddForm("Letter Custom", Currency::fromInches(8.5), Currency::fromInches(11)),
              Variant(true));
    EXPECT_EQ(control->get_LastError(), 0);
    const std::optional<TPaperForm> form = printerForm("Beta_Printer", "Letter Custom");
    ASSERT_TRUE(form);
    EXPECT_EQ(form->width, 215900);
    EXPECT_EQ(form->height, 279400);
    EXPECT_EQ(form->left, 0);
    EXPECT_EQ(form->top, 0);
    EXPECT_EQ(form->right, 215900);
    EXPECT_EQ(form->bottom, 279400);

    EXPECT_EQ(control->PrinterAddForm("Margins", Currency::fromInches(4), Currency::fromInches(6),
                                      Currency::fromInches(0.25), Currency::fromInches(0.5), Currency::fromInches(1),
                                      Currency::fromInches(0.125), Variant("Alpha")),
              Variant(true));
    const std::optional<TPaperForm> margins = printerForm("Alpha", "Margins");
    ASSERT_TRUE(margins);
    EXPECT_EQ(margins->left, 6350);
    EXPECT_EQ(margins->top, 12700);
    EXPECT_EQ(margins->right, 76200);
    EXPECT_EQ(margins->bottom, 149225);

    EXPECT_EQ(control->PrinterAddForm("Letter Custom", Currency::fromInches(1), Currency::fromInches(1)),
              Variant(false));
    EXPECT_EQ(control->get_LastError(), 80);
    EXPECT_EQ(control->PrinterAddForm("X", Currency::fromInches(1), Currency::fromInches(1), {}, {}, {}, {},
                                      Variant("Nowhere")),
              Variant(false));
    EXPECT_EQ(control->get_LastError(), 1801);

    EXPECT_EQ(control->PrinterDeleteForm("letter custom", Variant()), Variant(true));
    EXPECT_EQ(control->get_LastError(), 0);
    EXPECT_FALSE(printerForm("Beta_Printer", "Letter Custom"));
    EXPECT_EQ(control->PrinterDeleteForm("letter custom", Variant()), Variant(false));
    EXPECT_NE(control->get_LastError(), 0);
}

// --- print settings --------------------------------------------------------------------

TEST_F(PrintingControlTest, SettingsIgnoreValuesOutsideTheirRanges)
{
    control->put_PrintCopies(0);
    control->put_PrintStartPage(-1);
    control->put_PrintEndPage(-3);
    control->put_PrinterScale(1);
    control->put_PrinterScale(400);
    control->put_nPrintScale(0);
    control->put_nPrintScale(1001);
    EXPECT_EQ(control->get_PrintCopies(), 1);
    EXPECT_EQ(control->get_PrintStartPage(), 1);
    EXPECT_EQ(control->get_PrintEndPage(), 1);
    EXPECT_EQ(control->get_PrinterScale(), 100);
    EXPECT_EQ(control->get_nPrintScale(), 100);

    control->put_PrinterScale(399);
    control->put_nPrintScale(1000);
    control->put_nXPrintOffset(0.3f);
    EXPECT_EQ(control->get_PrinterScale(), 399);
    EXPECT_EQ(control->get_nPrintScale(), 1000);
    EXPECT_EQ(control->get_nXPrintOffset(), 0.3f);
    EXPECT_EQ(control->report().PrintOffsetX.scaled, 3000);
}

// --- which pages land on which sheet ------------------------------------------------

TEST_F(PrintingControlTest, PrintReportLimitsItsRangeAndRestoresTheSettings)
{
    pages(5);
    control->put_PrintStartPage(2);
    control->put_PrintEndPage(3);
    EXPECT_EQ(printedSheets(), (std::vector<std::string>{"Page1", "Page2", "Page3", "Page4", "Page5"}));
    EXPECT_EQ(printedSheets(Variant::missing(), 4, 2), (std::vector<std::string>{"Page4"}));
    EXPECT_EQ(printedSheets(Variant::missing(), 4, 9), (std::vector<std::string>{"Page4", "Page5"}));
    EXPECT_EQ(control->get_PrintStartPage(), 2);
    EXPECT_EQ(control->get_PrintEndPage(), 3);
    EXPECT_FALSE(control->get_PrintPromptForPrint());
}

TEST_F(PrintingControlTest, PageTypesAndReverseOrder)
{
    pages(6);
    EXPECT_EQ(printedSheets(Variant::missing(), 0, 0, 1), (std::vector<std::string>{"Page1", "Page3", "Page5"}));
    control->put_PrintReversePages(true);
    EXPECT_EQ(printedSheets(Variant::missing(), 0, 0, 2), (std::vector<std::string>{"Page6", "Page4", "Page2"}));
    control->put_PrintReversePages(false);
    EXPECT_EQ(printedSheets(Variant::missing(), 2, 6, 1), (std::vector<std::string>{"Page3", "Page5"}));
}

TEST_F(PrintingControlTest, CopiesRepeatSheetsOrWholeSetsWhenPrintedToAFile)
{
    pages(2);
    control->put_PrintCopies(3);
    EXPECT_EQ(printedSheets(), (std::vector<std::string>{"Page1", "Page1", "Page1", "Page2", "Page2", "Page2"}));
    control->put_PrintCollatePages(true);
    EXPECT_EQ(printedSheets(), (std::vector<std::string>{"Page1", "Page2", "Page1", "Page2", "Page1", "Page2"}));
}

TEST_F(PrintingControlTest, SeveralPagesShareASheetAtTheirScale)
{
    pages(6);
    control->put_PrintPagesPerPage(4);
    const QString file = scratch.path("four.pdf");
    ASSERT_EQ(control->PrintReport(Variant::missing(), 0, 0, 0, Variant(file.toStdString())), Variant(0));
    EXPECT_EQ(sheetsOf(file), (std::vector<std::string>{"Page1 Page2 Page3 Page4", "Page5 Page6"}));
    // The cells at half size: page 2 one inch in from the sheet's middle, page 3 below page 1.
    const std::string boxes = runTool("pdftotext", {"-bbox", "-f", "1", "-l", "1", file, "-"}).out;
    const auto xMinOf = [&](const std::string& word, const char* attribute) {
        const size_t at = boxes.find(">" + word + "<");
        const size_t line = boxes.rfind("<word", at);
        const size_t value = boxes.find(attribute, line) + std::string(attribute).size() + 2;
        return std::stod(boxes.substr(value));
    };
    EXPECT_NEAR(xMinOf("Page1", "xMin"), 36, 1);
    EXPECT_NEAR(xMinOf("Page2", "xMin"), 306 + 36, 1);
    EXPECT_NEAR(xMinOf("Page3", "xMin"), 36, 1);
    EXPECT_GT(xMinOf("Page3", "yMin"), 396);

    control->put_PrintPagesPerPage(2);
    const QString two = scratch.path("two.pdf");
    ASSERT_EQ(control->PrintReport(Variant::missing(), 1, 2, 0, Variant(two.toStdString())), Variant(0));
    const std::string info = runTool("pdfinfo", {two}).out;
    EXPECT_NE(info.find("792 x 612 pts"), std::string::npos) << info;
    EXPECT_EQ(sheetsOf(two), (std::vector<std::string>{"Page1 Page2"}));
}

TEST_F(PrintingControlTest, AnEnlargedPageSpreadsOverTiles)
{
    pages(2);
    control->put_PrinterScale(200);
    const QString file = scratch.path("tiles.pdf");
    ASSERT_EQ(control->PrintReport(Variant::missing(), 0, 0, 0, Variant(file.toStdString())), Variant(0));
    // The text at one inch lands, doubled, on the first tile of each page only.
    EXPECT_EQ(sheetsOf(file), (std::vector<std::string>{"Page1", "", "", "", "Page2", "", "", ""}));
}

TEST_F(PrintingControlTest, ShrinkToFitScalesAPageThatOverflowsThePrintableArea)
{
    pages(1);
    control->AddText("far", "Far", 9, 1, 0.8f, 0.3f, "Arial", 12, 0, 0xFFFFFF, "", 0, 0, 0, " ");
    control->AddShape("wide", 0, 4, 10, 1);
    control->put_PrintShrinkToFit(true);
    const QString file = scratch.path("shrunk.pdf");
    ASSERT_EQ(control->PrintReport(Variant::missing(), 0, 0, 0, Variant(file.toStdString())), Variant(0));
    const double printable = control->report().PrintableWidth.toDouble();
    const std::string boxes = runTool("pdftotext", {"-bbox", file, "-"}).out;
    const size_t word = boxes.rfind("<word", boxes.find(">Far<"));
    const double xMin = std::stod(boxes.substr(boxes.find("xMin=\"", word) + 6));
    EXPECT_NEAR(xMin, 9 * 72 * std::min(1.0, printable / 10), 1.5) << boxes;
}

TEST_F(PrintingControlTest, AUserSizedPagePrintsOnItsOwnForm)
{
    control->NewPage(5, 7);
    const QString file = scratch.path("user.pdf");
    ASSERT_EQ(control->PrintReport(Variant::missing(), 0, 0, 0, Variant(file.toStdString())), Variant(0));
    const std::optional<TPaperForm> form = printerForm("Beta_Printer", "OrvCustomForm2");
    ASSERT_TRUE(form);
    EXPECT_EQ(form->width, 127000);
    EXPECT_EQ(form->height, 177800);
    const std::string info = runTool("pdfinfo", {"-f", "2", "-l", "2", file}).out;
    EXPECT_NE(info.find("360 x 504 pts"), std::string::npos) << info;
}

// --- the dialog and the printer ---------------------------------------------------------

TEST_F(PrintingControlTest, TheDialogCanCancelAndStartsWithOneCopy)
{
    pages(2);
    control->put_PrintPromptForPrint(true);
    control->put_PrintCopies(3);
    ui.queueAnswer("Cancel");
    const QString cancelled = scratch.path("cancelled.pdf");
    EXPECT_EQ(control->PrintReport(Variant::missing(), 0, 0, 0, Variant(cancelled.toStdString())), Variant(-1));
    EXPECT_FALSE(QFile::exists(cancelled));
    EXPECT_TRUE(control->get_PrintPromptForPrint());

    ui.queueAnswer("OK");
    const QString printed = scratch.path("printed.pdf");
    EXPECT_EQ(control->PrintReport(Variant::missing(), 0, 0, 0, Variant(printed.toStdString())), Variant(0));
    EXPECT_EQ(sheetsOf(printed), (std::vector<std::string>{"Page1", "Page2"}));
}

TEST_F(PrintingControlTest, PrinterNumbersChooseThePrinterOrForceTheDialog)
{
    pages(1);
    printedSheets(Variant(int32_t{3}));
    EXPECT_EQ(control->report().PrinterSetup.PrinterIndex, 2);
    EXPECT_TRUE(ui.shown().empty());
    printedSheets(Variant("alpha"));
    EXPECT_EQ(control->report().PrinterSetup.PrinterIndex, 0);

    ui.queueAnswer("Cancel");
    EXPECT_EQ(control->PrintReport(Variant(int32_t{0})), Variant(-1));
    ASSERT_EQ(ui.shown().size(), 1u);
    EXPECT_EQ(ui.shown()[0].caption, "Print");
}

TEST_F(PrintingControlTest, AJobOnAQueueReachesCupsAsOnePdfWithTheCopiesAsked)
{
    pages(3);
    control->put_PrintCopies(2);
    control->put_PrinterID(1);
    ASSERT_EQ(control->PrintReport(), Variant(0));
    server.waitUntilIdle("Alpha");
    ASSERT_EQ(server.jobCount("Alpha"), 1);
    // The queue makes the copies, so the document holds each page once.
    const QString file = scratch.write("queued.pdf", server.jobDocument(1));
    EXPECT_EQ(runTool("qpdf", {"--check", file}).exitCode, 0);
    EXPECT_EQ(sheetsOf(file), (std::vector<std::string>{"Page1", "Page2", "Page3"}));
    EXPECT_EQ(server.jobAttribute(1, "copies"), std::string("\0\0\0\2", 4));
}

TEST(PrintingWithoutPrinters, CountsAreZeroAndPrintingFails)
{
    printtest::TCupsServerRedirect nowhere("/nonexistent/cups.sock");
    TScriptedUiServices ui;
    TORVREP control(nullptr, TORVREP::Options{&ui, nullptr, false});
    control.AddText("t", "Text", 1, 1, 0, 0, "Arial", 12, 0, 0xFFFFFF, "", 0, 0, 0, " ");
    EXPECT_EQ(control.get_PrinterCount(), 0);
    EXPECT_EQ(control.get_PrinterPaperCount(), 0);
    EXPECT_EQ(control.get_PrinterBinCount(), 0);
    EXPECT_EQ(control.get_PrinterID(), 0);
    control.put_PrintPromptForPrint(false);
    try {
        control.PrintReport();
        ADD_FAILURE() << "printing without a printer must fail";
    } catch (const EngineError& error) {
        EXPECT_STREQ(error.what(), "Could Not Access the Printer");
    }
}

TEST_F(PrintingControlTest, ScriptsReachThePrintingOperationsByName)
{
    pages(3);
    const auto invoke = [&](const char* name, std::vector<Variant> args, unsigned kind = InvokeMethod) {
        return TDispatchTable::instance().invoke(*control, name, kind, args);
    };
    // Omitted margins and printer: the whole sheet on the current printer.
    EXPECT_EQ(invoke("PrinterAddForm", {Variant("Card"), Variant(Currency::fromInches(4)),
                                        Variant(Currency::fromInches(6))}),
              Variant(true));
    ASSERT_TRUE(printerForm("Beta_Printer", "Card"));
    EXPECT_EQ(printerForm("Beta_Printer", "Card")->bottom, 152400);

    invoke("SetPrinterTo", {Variant("gamma")});
    EXPECT_EQ(invoke("PrinterName", {}, InvokePropertyGet), Variant("gamma"));
    invoke("PrintPromptForPrint", {Variant(false)}, InvokePropertyPut);
    const QString file = scratch.path("by-name.pdf");
    EXPECT_EQ(invoke("PrintReport", {Variant::missing(), Variant(2), Variant::missing(), Variant::missing(),
                                     Variant(file.toStdString())}),
              Variant(0));
    EXPECT_EQ(sheetsOf(file), (std::vector<std::string>{"Page2", "Page3"}));
}
