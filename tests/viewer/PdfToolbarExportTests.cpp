#include "viewer/PdfToolbarExport.h"

#include "document/Report.h"
#include "platform/ScriptedUiServices.h"
#include "printing/PrintProgressWindow.h"
#include "viewer/DialogTesting.h"
#include "viewer/InterfaceTexts.h"
#include "viewer/PdfOptionsDialog.h"
#include "viewer/PdfProgressWindow.h"

#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>

using namespace orv;
using orv::dialogtest::control;

namespace {

// The answer the options dialog gives: Save with a file name, or Cancel.
class TAnswerDialog : public IPdfOptionsDialog {
public:
    TAnswerDialog(TReport& report, std::string fileName) : m_report(report), m_fileName(std::move(fileName)) {}
    TPdfDialogOutcome ask() override
    {
        TPdfDialogOutcome outcome;
        outcome.values = pdfDialogValuesOf(m_report);
        outcome.values.fileName = m_fileName;
        outcome.save = !m_fileName.empty();
        ++asked;
        return outcome;
    }
    int asked = 0;

private:
    TReport& m_report;
    std::string m_fileName;
};

class PdfToolbarExportTest : public ::testing::Test {
protected:
    PdfToolbarExportTest()
    {
        for (int i = 0; i < 5; ++i)
            report.newPage(8.5f, 11, 0, 0, 0);
    }

    std::string path(const char* name) const { return folder.filePath(QLatin1String(name)).toStdString(); }

    std::vector<std::string> messages() const
    {
        std::vector<std::string> texts;
        for (const auto& shown : ui.shown())
            if (shown.kind == "message")
                texts.push_back(shown.text);
        return texts;
    }

    QTemporaryDir folder;
    TReport report;
    TInterfaceTexts texts;
    TScriptedUiServices ui;
};

int pdfPageCount(const std::string& file)
{
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {QString::fromStdString(file)});
    EXPECT_TRUE(info.waitForFinished(20000)) << "pdfinfo must be installed";
    for (const QString& line : QString::fromUtf8(info.readAllStandardOutput()).split(QLatin1Char('\n')))
        if (line.startsWith(QStringLiteral("Pages:")))
            return line.mid(6).trimmed().toInt();
    return -1;
}

} // namespace

TEST_F(PdfToolbarExportTest, TheDialogsChoicesExportTheChosenPagesAndConfirm)
{
    TPdfProgressWindow progress(ui);
    TPdfOptionsDialog dialog(report, texts, ui, 1);
    std::string written;
    dialogtest::answerModalDialog([&] { written = runPdfToolbarExport(report, ui, dialog, &progress); },
                                  [&](QDialog&) {
                                      QLineEdit& name = control<QLineEdit>(dialog, "txtFileName");
                                      name.setText(QString::fromStdString(path("june.pdf")));
                                      control<QRadioButton>(dialog, "rbPagesFrom").click();
                                      control<QLineEdit>(dialog, "txtFromPage").setText(QStringLiteral("2"));
                                      control<QLineEdit>(dialog, "txtToPage").setText(QStringLiteral("4"));
                                      QTest::mouseClick(&control<QPushButton>(dialog, "cmdSave"), Qt::LeftButton);
                                  });
    EXPECT_EQ(written, path("june.PDF"));
    ASSERT_TRUE(std::filesystem::exists(written));
    EXPECT_EQ(pdfPageCount(written), 3);
    const std::vector<std::string> shown = messages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].rfind("PDF Document Saved in ", 0), 0u);
    ASSERT_FALSE(ui.shown().empty());
    EXPECT_EQ(ui.shown().back().kind, "document") << "opened after it was created";
    EXPECT_EQ(ui.shown().back().text, written);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "the hourglass is gone";
}

TEST_F(PdfToolbarExportTest, CancelInTheDialogWritesNothing)
{
    TAnswerDialog dialog(report, "");
    EXPECT_EQ(runPdfToolbarExport(report, ui, dialog, nullptr), "");
    EXPECT_EQ(dialog.asked, 1);
    EXPECT_TRUE(ui.shown().empty());
}

TEST_F(PdfToolbarExportTest, CancellingWhileSavingLeavesNoFileAndKeepsTheOlderOne)
{
    const std::string target = path("old.PDF");
    {
        QFile older(QString::fromStdString(target));
        ASSERT_TRUE(older.open(QIODevice::WriteOnly));
        older.write("older document");
    }
    report.PdfSetup.ConfirmAfterCreate = false;
    TPdfProgressWindow progress(ui);
    TAnswerDialog dialog(report, target);
    int barWhenCancelled = -1;
    // The user presses the window's button as the first page is written;
    // the scripted question answers Yes.
    QTimer::singleShot(0, [&] {
        TOperationProgressWindow& window = progress.window();
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Saving Report to PDF Document"));
        EXPECT_NE(QGuiApplication::overrideCursor(), nullptr) << "the hourglass shows while saving";
        QTest::mouseClick(&control<QPushButton>(window, "cmdAbortPrint"), Qt::LeftButton);
    });
    const std::string written = runPdfToolbarExport(report, ui, dialog, &progress);
    barWhenCancelled = progress.window().findChild<QProgressBar*>()->value();

    EXPECT_EQ(written, "");
    EXPECT_LT(barWhenCancelled, 6) << "stopped before the last page";
    QFile older(QString::fromStdString(target));
    ASSERT_TRUE(older.open(QIODevice::ReadOnly));
    EXPECT_EQ(older.readAll(), QByteArray("older document"));
    // Nothing but the older file in the folder: no temporary file stays.
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("old.PDF")});
    const std::vector<std::string> shown = messages();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], "Cancel Printing?");
    EXPECT_EQ(shown[1], "PDF Document Canceled.") << "said when confirmations are off";
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(PdfToolbarExportTest, AnsweringNoLetsTheExportFinish)
{
    report.PdfSetup.OpenAfterCreate = false;
    TPdfProgressWindow progress(ui);
    TAnswerDialog dialog(report, path("kept.pdf"));
    ui.queueAnswer("No");
    QTimer::singleShot(0, [&] {
        QTest::mouseClick(&control<QPushButton>(progress.window(), "cmdAbortPrint"), Qt::LeftButton);
    });
    const std::string written = runPdfToolbarExport(report, ui, dialog, &progress);
    EXPECT_EQ(written, path("kept.PDF"));
    EXPECT_EQ(pdfPageCount(written), 6);
    const std::vector<std::string> shown = messages();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], "Cancel Printing?");
    EXPECT_EQ(shown[1].rfind("PDF Document Saved in ", 0), 0u);
    EXPECT_NE(ui.shown().back().kind, "document") << "not opened when OpenAfterCreate is off";
}
