#include "viewer/PdfOptionsDialog.h"

#include "document/Report.h"
#include "platform/ScriptedUiServices.h"
#include "viewer/DialogTesting.h"
#include "viewer/InterfaceTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>

using namespace orv;
using orv::dialogtest::control;

namespace {

// A five-page report whose settings differ from the defaults, shown at
// page 3.
class PdfOptionsDialogTest : public ::testing::Test {
protected:
    PdfOptionsDialogTest()
    {
        for (int i = 0; i < 4; ++i)
            report.newPage(8.5f, 11, 0, 0, 0);
        report.showPage(3);
        TPDFSetup& setup = report.PdfSetup;
        setup.FileName = "Quarterly.PDF";
        setup.Author = "Ann";
        setup.Title = "Figures";
        setup.Subject = "Sales";
        setup.Keywords = "north south";
        setup.OpenAfterCreate = false;
        setup.Compress = false;
        report.PdfPagesPerSheet = 4;
        report.PdfFonts.push_back({"Arial", true});
        report.PdfFonts.push_back({"Courier New,Bold", false});
    }

    QLineEdit& edit(TPdfOptionsDialog& dialog, const char* name) { return control<QLineEdit>(dialog, name); }
    QCheckBox& box(TPdfOptionsDialog& dialog, const char* name) { return control<QCheckBox>(dialog, name); }
    QComboBox& list(TPdfOptionsDialog& dialog, const char* name) { return control<QComboBox>(dialog, name); }
    QRadioButton& radio(TPdfOptionsDialog& dialog, const char* name) { return control<QRadioButton>(dialog, name); }
    QPushButton& button(TPdfOptionsDialog& dialog, const char* name) { return control<QPushButton>(dialog, name); }

    // Types over a box's text as a user does.
    static void retype(QLineEdit& box, const QString& text)
    {
        box.selectAll();
        QTest::keyClick(&box, Qt::Key_Delete);
        QTest::keyClicks(&box, text);
    }

    // Opens the dialog modally, lets `use` work in it, and returns what the
    // user asked for.
    TPdfDialogOutcome run(const std::function<void(TPdfOptionsDialog&)>& use)
    {
        TPdfOptionsDialog dialog(report, texts, ui, report.viewPageNumber());
        TPdfDialogOutcome outcome;
        dialogtest::answerModalDialog([&] { outcome = dialog.ask(); },
                                      [&](QDialog&) { use(dialog); });
        return outcome;
    }

    TReport report;
    TInterfaceTexts texts;
    TScriptedUiServices ui;
};

} // namespace

TEST_F(PdfOptionsDialogTest, ThePlainLayoutOpensWithTheReportsSettingsAndTheInterfaceTexts)
{
    texts.setText(TextSlot::strSave, QStringLiteral("Sichern"));
    texts.setText(TextSlot::strAuthor, QStringLiteral("Verfasser"));
    TPdfOptionsDialog dialog(report, texts, ui, 3);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("PDF Document Options"));
    EXPECT_EQ(dialog.size(), QSize(634, 290));
    EXPECT_EQ(dialog.findChild<QTabWidget*>(), nullptr);
    EXPECT_EQ(dialog.findChild<QLineEdit*>(QStringLiteral("txtOwnerPassword")), nullptr);

    EXPECT_EQ(edit(dialog, "txtFileName").text(), QStringLiteral("Quarterly.PDF"));
    EXPECT_EQ(edit(dialog, "txtAuthor").text(), QStringLiteral("Ann"));
    EXPECT_EQ(edit(dialog, "txtTitle").text(), QStringLiteral("Figures"));
    EXPECT_EQ(edit(dialog, "txtSubject").text(), QStringLiteral("Sales"));
    EXPECT_EQ(edit(dialog, "txtKeywords").text(), QStringLiteral("north south"));
    EXPECT_FALSE(box(dialog, "chkOpenAfterCreate").isChecked());
    EXPECT_FALSE(box(dialog, "chkCompress").isChecked());

    EXPECT_TRUE(radio(dialog, "rbAll").isChecked());
    EXPECT_EQ(edit(dialog, "txtFromPage").text(), QStringLiteral("1"));
    EXPECT_EQ(edit(dialog, "txtToPage").text(), QStringLiteral("5"));
    EXPECT_FALSE(edit(dialog, "txtFromPage").isEnabled());
    const QScrollBar& pages = control<QScrollBar>(dialog, "scrPageNumber");
    EXPECT_EQ(pages.minimum(), 1);
    EXPECT_EQ(pages.maximum(), 5);
    EXPECT_EQ(pages.value(), 3);
    EXPECT_EQ(control<QLabel>(dialog, "lblPageNumber").text(), QStringLiteral("3 / 5"));
    const QImage third = control<QLabel>(dialog, "imgPagePreview").pixmap().toImage();
    EXPECT_FALSE(third.isNull());
    // Another page shows in the preview and its label.
    report.page(5).Width = 11;
    report.page(5).Height = 8.5;
    control<QScrollBar>(dialog, "scrPageNumber").setValue(5);
    EXPECT_EQ(control<QLabel>(dialog, "lblPageNumber").text(), QStringLiteral("5 / 5"));
    const QImage fifth = control<QLabel>(dialog, "imgPagePreview").pixmap().toImage();
    EXPECT_GT(fifth.width(), fifth.height()) << "a landscape page";
    EXPECT_LT(third.width(), third.height());

    // The plain layout writes one page a sheet, and says so.
    EXPECT_EQ(list(dialog, "cboPagesPerSheet").currentText(), QStringLiteral("1 Page"));
    EXPECT_FALSE(list(dialog, "cboPagesPerSheet").isEnabled());
    EXPECT_EQ(control<QLabel>(dialog, "lblPagesPerSheet").text(), QStringLiteral("Pages per s&heet:"));

    EXPECT_EQ(button(dialog, "cmdSave").text(), QStringLiteral("Sichern"));
    EXPECT_EQ(button(dialog, "cmdCancel").text(), QStringLiteral("Cancel"));
    bool authorLabel = false;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        authorLabel = authorLabel || label->text() == QStringLiteral("Verfasser");
    EXPECT_TRUE(authorLabel) << "labels come from the interface texts";
}

TEST_F(PdfOptionsDialogTest, CancelExportsNothingButKeepsWhatWasTyped)
{
    const TPdfDialogOutcome outcome = run([&](TPdfOptionsDialog& dialog) {
        retype(edit(dialog, "txtAuthor"), QStringLiteral("Bob"));
        retype(edit(dialog, "txtFileName"), QStringLiteral("Other.pdf"));
        box(dialog, "chkCompress").click();
        QTest::mouseClick(&button(dialog, "cmdCancel"), Qt::LeftButton);
    });
    EXPECT_FALSE(outcome.save);
    EXPECT_EQ(report.PdfSetup.Author, "Bob");
    EXPECT_TRUE(report.PdfSetup.Compress);
    EXPECT_EQ(report.PdfSetup.FileName, "Quarterly.PDF") << "the file name serves one export only";
    EXPECT_EQ(report.PdfPagesPerSheet, 1);
}

TEST_F(PdfOptionsDialogTest, EscapeWritesBackAsCancelDoes)
{
    const TPdfDialogOutcome outcome = run([&](TPdfOptionsDialog& dialog) {
        retype(edit(dialog, "txtKeywords"), QStringLiteral("east"));
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    EXPECT_FALSE(outcome.save);
    EXPECT_EQ(report.PdfSetup.Keywords, "east");
}

TEST_F(PdfOptionsDialogTest, SaveGivesTheFileAndThePageRange)
{
    const TPdfDialogOutcome all = run([&](TPdfOptionsDialog& dialog) {
        retype(edit(dialog, "txtTitle"), QStringLiteral("Year"));
        box(dialog, "chkOpenAfterCreate").click();
        QTest::mouseClick(&button(dialog, "cmdSave"), Qt::LeftButton);
    });
    ASSERT_TRUE(all.save);
    EXPECT_EQ(all.values.fileName, "Quarterly.PDF");
    EXPECT_EQ(all.values.firstPage, 0);
    EXPECT_EQ(all.values.lastPage, 0);
    EXPECT_EQ(report.PdfSetup.Title, "Year");
    EXPECT_TRUE(report.PdfSetup.OpenAfterCreate);

    const TPdfDialogOutcome current = run([&](TPdfOptionsDialog& dialog) {
        radio(dialog, "rbCurrentPage").click();
        control<QScrollBar>(dialog, "scrPageNumber").setValue(4);
        QTest::mouseClick(&button(dialog, "cmdSave"), Qt::LeftButton);
    });
    EXPECT_EQ(current.values.firstPage, 4);
    EXPECT_EQ(current.values.lastPage, 4);

    auto pagesFrom = [&](const QString& from, const QString& to) {
        return run([&](TPdfOptionsDialog& dialog) {
            radio(dialog, "rbPagesFrom").click();
            EXPECT_TRUE(edit(dialog, "txtFromPage").isEnabled());
            retype(edit(dialog, "txtFromPage"), from);
            retype(edit(dialog, "txtToPage"), to);
            QTest::mouseClick(&button(dialog, "cmdSave"), Qt::LeftButton);
        });
    };
    const TPdfDialogOutcome reversed = pagesFrom(QStringLiteral("4"), QStringLiteral("2"));
    EXPECT_EQ(reversed.values.firstPage, 2);
    EXPECT_EQ(reversed.values.lastPage, 4);
    const TPdfDialogOutcome outside = pagesFrom(QStringLiteral("-3"), QStringLiteral("99"));
    EXPECT_EQ(outside.values.firstPage, 1);
    EXPECT_EQ(outside.values.lastPage, 5);
}

TEST_F(PdfOptionsDialogTest, NoFileNameNoSave)
{
    const TPdfDialogOutcome outcome = run([&](TPdfOptionsDialog& dialog) {
        retype(edit(dialog, "txtFileName"), QStringLiteral("  "));
        EXPECT_FALSE(button(dialog, "cmdSave").isEnabled());
        // Enter on the dialog cannot save either.
        QTest::keyClick(&edit(dialog, "txtAuthor"), Qt::Key_Return);
        if (dialog.isVisible())
            QTest::mouseClick(&button(dialog, "cmdCancel"), Qt::LeftButton);
    });
    EXPECT_FALSE(outcome.save);
}

TEST_F(PdfOptionsDialogTest, TheBrowseButtonPutsTheChosenFileWithThePdfExtension)
{
    TPdfOptionsDialog dialog(report, texts, ui, 1);
    ui.queueAnswer("/tmp/reports/june.pdf");
    QTest::mouseClick(&button(dialog, "cmdBrowse"), Qt::LeftButton);
    EXPECT_EQ(edit(dialog, "txtFileName").text(), QStringLiteral("/tmp/reports/june.PDF"));
    ASSERT_FALSE(ui.shown().empty());
    EXPECT_EQ(ui.shown().back().kind, "save");
    EXPECT_EQ(ui.shown().back().text, "Quarterly.PDF") << "the dialog starts from the name in the box";

    ui.queueAnswer("Cancel");
    QTest::mouseClick(&button(dialog, "cmdBrowse"), Qt::LeftButton);
    EXPECT_EQ(edit(dialog, "txtFileName").text(), QStringLiteral("/tmp/reports/june.PDF"));
}

TEST_F(PdfOptionsDialogTest, TheSecurityLayoutShowsAndWritesBackPermissionsEncryptionAndPagesPerSheet)
{
    report.PdfSetup.DisplaySecurityOptions = true;
    report.PdfSetup.PrintingLevel = 1;
    report.PdfSetup.AllowCopying = true;
    report.PdfSetup.OwnerPassword = "boss";
    {
        TPdfOptionsDialog dialog(report, texts, ui, 1);
        EXPECT_EQ(dialog.size(), QSize(634, 370));
        const QTabWidget& tabs = control<QTabWidget>(dialog, "tabOptions");
        ASSERT_EQ(tabs.count(), 3);
        EXPECT_EQ(tabs.tabText(0), QStringLiteral("Document Properties"));
        EXPECT_EQ(tabs.tabText(1), QStringLiteral("Security Options"));
        EXPECT_EQ(tabs.tabText(2), QStringLiteral("Fonts"));
        EXPECT_EQ(list(dialog, "cboPagesPerSheet").currentText(), QStringLiteral("4 Pages"));
        EXPECT_TRUE(list(dialog, "cboPagesPerSheet").isEnabled());
        EXPECT_EQ(list(dialog, "cboPrinting").currentText(), QStringLiteral("Low Resolution (150 dpi)"));
        EXPECT_EQ(list(dialog, "cboEncryption").currentText(), QStringLiteral("None"));
        EXPECT_TRUE(box(dialog, "chkAllowCopying").isChecked());
        EXPECT_FALSE(box(dialog, "chkAllowChanges").isChecked());
        EXPECT_EQ(edit(dialog, "txtOwnerPassword").text(), QStringLiteral("boss"));
        EXPECT_EQ(edit(dialog, "txtOwnerPassword").echoMode(), QLineEdit::Password);

        // The font list shows, and does not change, whether a font is embedded.
        QListWidget& fonts = control<QListWidget>(dialog, "lstFonts");
        ASSERT_EQ(fonts.count(), 2);
        EXPECT_EQ(fonts.item(1)->text(), QStringLiteral("Courier New,Bold"));
        QCheckBox& embed = box(dialog, "chkEmbedFont");
        EXPECT_FALSE(embed.isEnabled());
        EXPECT_TRUE(embed.isChecked());
        fonts.setCurrentRow(1);
        EXPECT_FALSE(embed.isChecked());
    }

    const TPdfDialogOutcome outcome = run([&](TPdfOptionsDialog& dialog) {
        retype(edit(dialog, "txtOwnerPassword"), QStringLiteral("  secret "));
        retype(edit(dialog, "txtUserPassword"), QStringLiteral(" reader"));
        list(dialog, "cboEncryption").setCurrentIndex(1);
        list(dialog, "cboPrinting").setCurrentIndex(2);
        list(dialog, "cboPagesPerSheet").setCurrentIndex(3);
        box(dialog, "chkAllowCopying").click();
        box(dialog, "chkAllowCommenting").click();
        box(dialog, "chkAllowDocumentAssembly").click();
        QTest::mouseClick(&button(dialog, "cmdCancel"), Qt::LeftButton);
    });
    EXPECT_FALSE(outcome.save);
    const TPDFSetup& setup = report.PdfSetup;
    EXPECT_EQ(setup.OwnerPassword, "secret");
    EXPECT_EQ(setup.UserPassword, "reader");
    EXPECT_EQ(setup.EncryptMode, 1u);
    EXPECT_TRUE(setup.EncryptDocument);
    EXPECT_EQ(setup.PrintingLevel, 2);
    EXPECT_FALSE(setup.AllowCopying);
    EXPECT_TRUE(setup.AllowCommenting);
    EXPECT_TRUE(setup.AllowDocumentAssembly);
    EXPECT_FALSE(setup.AllowChanges);
    EXPECT_EQ(report.PdfPagesPerSheet, 8);
    EXPECT_EQ(report.PrinterSetup.PagesPerSheet, 8);
    // Fonts keep their embedding.
    EXPECT_TRUE(report.PdfFonts[0].Embed);
}

TEST_F(PdfOptionsDialogTest, TheEncryptionListOffersAes256AsLevelThree)
{
    report.PdfSetup.DisplaySecurityOptions = true;
    report.PdfSetup.EncryptMode = 3;
    run([&](TPdfOptionsDialog& dialog) {
        const QComboBox& levels = list(dialog, "cboEncryption");
        ASSERT_EQ(levels.count(), 3);
        EXPECT_EQ(levels.currentText(), QStringLiteral("256 Bit AES"));
        list(dialog, "cboEncryption").setCurrentIndex(1);
        QTest::mouseClick(&button(dialog, "cmdCancel"), Qt::LeftButton);
    });
    EXPECT_EQ(report.PdfSetup.EncryptMode, 1u);

    run([&](TPdfOptionsDialog& dialog) {
        list(dialog, "cboEncryption").setCurrentIndex(2);
        QTest::mouseClick(&button(dialog, "cmdCancel"), Qt::LeftButton);
    });
    EXPECT_EQ(report.PdfSetup.EncryptMode, 3u);
    EXPECT_TRUE(report.PdfSetup.EncryptDocument);
}

TEST_F(PdfOptionsDialogTest, ThePlainLayoutLeavesSecurityAlone)
{
    report.PdfSetup.OwnerPassword = " kept ";
    report.PdfSetup.PrintingLevel = 2;
    report.PrinterSetup.PagesPerSheet = 4;
    run([&](TPdfOptionsDialog& dialog) { QTest::mouseClick(&button(dialog, "cmdCancel"), Qt::LeftButton); });
    EXPECT_EQ(report.PdfSetup.OwnerPassword, " kept ");
    EXPECT_EQ(report.PdfSetup.PrintingLevel, 2);
    EXPECT_FALSE(report.PdfSetup.EncryptDocument);
    EXPECT_EQ(report.PdfPagesPerSheet, 1);
    EXPECT_EQ(report.PrinterSetup.PagesPerSheet, 4) << "printing keeps its own pages per sheet";
}

TEST_F(PdfOptionsDialogTest, WithoutADialogTheFileIsAskedForAndTheSettingsConfirmedUnchanged)
{
    TPdfSaveConfirmation confirmation(report, ui);
    ui.queueAnswer("/tmp/out.pdf");
    const TPdfDialogOutcome saved = confirmation.ask();
    EXPECT_TRUE(saved.save);
    EXPECT_EQ(saved.values.fileName, "/tmp/out.pdf");
    EXPECT_EQ(saved.values.firstPage, 0);
    EXPECT_EQ(report.PdfSetup.Author, "Ann");
    EXPECT_EQ(report.PdfPagesPerSheet, 1) << "as the plain dialog confirmed unchanged";

    ui.queueAnswer("Cancel");
    EXPECT_FALSE(confirmation.ask().save);
}
