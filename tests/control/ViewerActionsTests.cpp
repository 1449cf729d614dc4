// What the viewer's Save to PDF, Save As Image and Print buttons start
// through the control: real dialogs when the control shows its own, the
// non-blocking stand-ins when the host answers dialogs itself.
#include <orvreport/TORVREP.h>
#include "platform/ScriptedUiServices.h"
#include "viewer/DialogTesting.h"

#include "../pdf/PdfTestSupport.h"
#include "../printing/CupsTestServer.h"

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

using namespace orv;
using orv::dialogtest::control;

namespace {

class ViewerActionsTest : public testing::Test {
protected:
    ViewerActionsTest()
    {
        engine->NewPage();
        engine->NewPage();
        engine->GotoPage(2);
    }

    std::string path(const char* name) const { return scratch.path(QLatin1String(name)).toStdString(); }

    std::vector<std::string> shown(const char* kind) const
    {
        std::vector<std::string> texts;
        for (const auto& dialog : ui.shown())
            if (dialog.kind == kind)
                texts.push_back(dialog.text);
        return texts;
    }

    pdftest::TScratchDir scratch;
    TScriptedUiServices ui;
    std::unique_ptr<TORVREP> engine = std::make_unique<TORVREP>(nullptr, TORVREP::Options{&ui, nullptr, false});
};

int pdfPages(const std::string& file)
{
    const std::string info = pdftest::runTool("pdfinfo", {QString::fromStdString(file)}).out;
    const size_t at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::stoi(info.substr(at + 6));
}

} // namespace

TEST_F(ViewerActionsTest, SaveToPdfAsksForTheFileAndExportsAsTheToolbarDoes)
{
    ui.queueAnswer(path("toolbar.pdf"));
    engine->saveToPdfFromViewer();
    ASSERT_TRUE(std::filesystem::exists(path("toolbar.PDF")));
    const std::vector<std::string> messages = shown("message");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind("PDF Document Saved in ", 0), 0u);
    EXPECT_EQ(shown("document"), std::vector<std::string>{path("toolbar.PDF")});
    EXPECT_EQ(pdfPages(path("toolbar.PDF")), 3);

    ui.queueAnswer("Cancel");
    engine->saveToPdfFromViewer();
    EXPECT_EQ(shown("message").size(), 1u) << "a cancelled file dialog says nothing more";
}

TEST_F(ViewerActionsTest, SaveAsImageSavesTheDisplayedPage)
{
    ui.queueAnswer(path("shown.png"));
    engine->saveAsImageFromViewer();
    EXPECT_FALSE(std::filesystem::exists(path("shown.png")));
    EXPECT_EQ(QImage(QString::fromStdString(path("shown.JPG"))).size(), QSize(816, 1056));
    EXPECT_EQ(shown("document"), std::vector<std::string>{path("shown.JPG")});
    ASSERT_FALSE(shown("save").empty());
    EXPECT_EQ(shown("save")[0], "Orv Report Engine.JPG") << "the dialog starts from the PDF file name";
}

TEST_F(ViewerActionsTest, AFailureIsShownToTheUser)
{
    ui.queueAnswer(path("no/such/folder/out.jpg"));
    engine->saveAsImageFromViewer();
    const std::vector<std::string> messages = shown("message");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_FALSE(messages[0].empty());
    EXPECT_EQ(ui.shown().back().caption, "Error");
}

TEST_F(ViewerActionsTest, PrintRunsTheJobWithTheSettingsAsTheyAre)
{
    printtest::TCupsTestServer server({"Viewer_Queue"}, "Viewer_Queue");
    auto printing = std::make_unique<TORVREP>(nullptr, TORVREP::Options{&ui, nullptr, false});
    printing->NewPage();
    printing->report().PrinterSetup.FileName = path("printed.pdf");
    printing->report().PrinterSetup.StartPage = 1;
    printing->report().PrinterSetup.EndPage = 2;
    printing->printFromViewer();
    const std::vector<std::string> messages = shown("message");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Print 2 pages on Viewer_Queue?") << "the prompt, as a host that answers dialogs sees it";
    ASSERT_TRUE(std::filesystem::exists(path("printed.pdf")));
    EXPECT_EQ(pdfPages(path("printed.pdf")), 2);

    // Cancelled at the prompt: nothing printed.
    std::filesystem::remove(path("printed.pdf"));
    ui.queueAnswer("Cancel");
    printing->printFromViewer();
    EXPECT_FALSE(std::filesystem::exists(path("printed.pdf")));
}

// The control that shows its own dialogs opens the real PDF options dialog,
// worded from its interface texts.
TEST(ViewerActionsWithDialogs, SaveToPdfOpensTheOptionsDialog)
{
    pdftest::TScratchDir scratch;
    TORVREP engine;
    engine.interfaceTexts().setText(TextSlot::strSave, QStringLiteral("Store"));
    engine.put_PDFDisplayConfirmationAfterCreate(false);
    engine.put_PDFOpenAfterCreate(false);
    const QString file = scratch.path(QStringLiteral("real.pdf"));
    dialogtest::answerModalDialog([&] { engine.saveToPdfFromViewer(); },
                                  [&](QDialog& dialog) {
                                      EXPECT_EQ(dialog.windowTitle(), QStringLiteral("PDF Document Options"));
                                      QPushButton& save = control<QPushButton>(dialog, "cmdSave");
                                      EXPECT_EQ(save.text(), QStringLiteral("Store"));
                                      control<QLineEdit>(dialog, "txtAuthor").setText(QStringLiteral("Viewer"));
                                      control<QLineEdit>(dialog, "txtFileName").setText(file);
                                      QTest::mouseClick(&save, Qt::LeftButton);
                                  });
    EXPECT_TRUE(std::filesystem::exists(scratch.path(QStringLiteral("real.PDF")).toStdString()));
    EXPECT_EQ(engine.get_PDFAuthor(), "Viewer");
    EXPECT_EQ(engine.get_PDFFileName(), "Orv Report Engine.PDF");
}
