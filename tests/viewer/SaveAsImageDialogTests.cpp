#include "viewer/SaveAsImageDialog.h"

#include "document/Report.h"
#include "platform/ScriptedUiServices.h"
#include "viewer/DialogTesting.h"
#include "viewer/InterfaceTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <tiffio.h>

using namespace orv;
using orv::dialogtest::control;

namespace {

// A twelve-page letter report shown at page 2; the PDF file name is where
// the dialog's file name comes from.
class SaveAsImageDialogTest : public ::testing::Test {
protected:
    SaveAsImageDialogTest()
    {
        for (int i = 1; i < 12; ++i)
            report.newPage(8.5f, 11, 0, 0, 0);
        report.showPage(2);
        report.PdfSetup.FileName = path("Report.PDF");
        m_dialog = std::make_unique<TSaveAsImageDialog>(report, texts, ui);
    }

    TSaveAsImageDialog& dialog() { return *m_dialog; }

    std::string path(const char* name) const { return folder.filePath(QLatin1String(name)).toStdString(); }
    QStringList files() const { return QDir(folder.path()).entryList(QDir::Files, QDir::Name); }

    QLineEdit& edit(const char* name) { return control<QLineEdit>(dialog(), name); }
    QComboBox& list(const char* name) { return control<QComboBox>(dialog(), name); }
    QCheckBox& box(const char* name) { return control<QCheckBox>(dialog(), name); }
    QRadioButton& radio(const char* name) { return control<QRadioButton>(dialog(), name); }
    QScrollBar& scroller(const char* name) { return control<QScrollBar>(dialog(), name); }
    QString label(const char* name) { return control<QLabel>(dialog(), name).text(); }

    QStringList bitsOffered()
    {
        QStringList offered;
        for (int i = 0; i < list("cboBitsPerPixel").count(); ++i)
            offered << list("cboBitsPerPixel").itemText(i);
        return offered;
    }

    void choosePages(const char* from, const char* to)
    {
        radio("rbPagesFrom").click();
        edit("txtFromPage").setText(QLatin1String(from));
        edit("txtToPage").setText(QLatin1String(to));
    }

    void clickSave() { QTest::mouseClick(&control<QPushButton>(dialog(), "cmdSave"), Qt::LeftButton); }

    QTemporaryDir folder;
    TReport report;
    TInterfaceTexts texts;
    TScriptedUiServices ui;
    std::unique_ptr<TSaveAsImageDialog> m_dialog;
};

} // namespace

TEST_F(SaveAsImageDialogTest, OpensOnTheDisplayedPageAsAJpegOfThePdfFileName)
{
    EXPECT_EQ(edit("txtFileName").text().toStdString(), path("Report.JPG"));
    EXPECT_EQ(list("cboImageType").currentText(), QStringLiteral("JPEG"));
    QStringList types;
    for (int i = 0; i < list("cboImageType").count(); ++i)
        types << list("cboImageType").itemText(i);
    EXPECT_EQ(types, (QStringList{"BMP", "EMF", "GIF", "JPEG", "PNG", "TIFF"}));
    EXPECT_EQ(edit("txtQuality").text(), QStringLiteral("90"));
    EXPECT_EQ(scroller("scrQuality").value(), 90);
    EXPECT_EQ(list("cboBitsPerPixel").currentData().toInt(), 24);
    EXPECT_TRUE(radio("rbCurrentPage").isChecked());
    EXPECT_EQ(scroller("scrPageNumber").value(), 2);
    EXPECT_EQ(scroller("scrPageNumber").maximum(), 12);
    EXPECT_EQ(label("lblPageNumber"), QStringLiteral("2 / 12"));
    EXPECT_TRUE(box("chkOpen").isChecked());
    EXPECT_FALSE(box("chkGrayscale").isChecked());
    EXPECT_TRUE(box("chkGrayscale").isEnabled());
    EXPECT_FALSE(box("chkMultiPageTiff").isEnabled());

    EXPECT_EQ(label("lblFileName"), QStringLiteral("File Name"));
    EXPECT_EQ(label("lblPagesPerSheet"), QStringLiteral("Pages per s&heet:"));
    EXPECT_EQ(control<QPushButton>(dialog(), "cmdSave").text(), QStringLiteral("Save"));
    EXPECT_EQ(control<QPushButton>(dialog(), "cmdCancel").text(), QStringLiteral("Cancel"));
}

TEST_F(SaveAsImageDialogTest, TheWordsComeFromTheInterfaceTextsAsItOpens)
{
    texts.setText(TextSlot::strSave, QStringLiteral("Salvar"));
    texts.setText(TextSlot::strFileName, QStringLiteral("Nome"));
    TSaveAsImageDialog another(report, texts, ui);
    EXPECT_EQ(control<QPushButton>(another, "cmdSave").text(), QStringLiteral("Salvar"));
    EXPECT_EQ(control<QLabel>(another, "lblFileName").text(), QStringLiteral("Nome"));
}

TEST_F(SaveAsImageDialogTest, TheImageSizeScrollerRunsFromTwentyToFourTimesTheFullSize)
{
    QScrollBar& size = scroller("scrImageSize");
    EXPECT_EQ(size.minimum(), 20);
    EXPECT_EQ(size.maximum(), 4 * 1056);
    EXPECT_EQ(size.value(), 1056);
    EXPECT_EQ(label("lblImageSize"), QStringLiteral("816 x 1056 (100%)"));
    size.setValue(528);
    EXPECT_EQ(label("lblImageSize"), QStringLiteral("408 x 528 (50%)"));
    EXPECT_DOUBLE_EQ(dialog().request().scale, 0.5);

    // A page wider than high writes its sizes without blanks.
    report.newPage(11, 8.5f, 0, 0, 0);
    TSaveAsImageDialog wide(report, texts, ui);
    control<QScrollBar>(wide, "scrPageNumber").setValue(13);
    EXPECT_EQ(control<QLabel>(wide, "lblImageSize").text(), QStringLiteral("1056x816 (100%)"));
}

TEST_F(SaveAsImageDialogTest, TheTypeSetsTheExtensionAndTheControlsItUses)
{
    list("cboImageType").setCurrentText(QStringLiteral("GIF"));
    EXPECT_EQ(edit("txtFileName").text().toStdString(), path("Report.GIF"));
    EXPECT_EQ(bitsOffered(), (QStringList{"8 Bits", "4 Bits"}));
    EXPECT_EQ(list("cboBitsPerPixel").currentData().toInt(), 8);
    EXPECT_FALSE(edit("txtQuality").isEnabled());
    EXPECT_FALSE(box("chkGrayscale").isEnabled());

    list("cboImageType").setCurrentText(QStringLiteral("TIFF"));
    EXPECT_EQ(edit("txtFileName").text().toStdString(), path("Report.TIF"));
    EXPECT_TRUE(box("chkMultiPageTiff").isEnabled());
    EXPECT_TRUE(bitsOffered().contains(QStringLiteral("1 Bits")));

    list("cboImageType").setCurrentText(QStringLiteral("EMF"));
    EXPECT_EQ(edit("txtFileName").text().toStdString(), path("Report.EMF"));
    EXPECT_FALSE(list("cboBitsPerPixel").isEnabled());
    EXPECT_FALSE(box("chkMultiPageTiff").isEnabled());
}

TEST_F(SaveAsImageDialogTest, AQualityOutsideOneToHundredIsRefused)
{
    dialog().show();
    QLineEdit& quality = edit("txtQuality");
    quality.setFocus();
    quality.selectAll();
    QTest::keyClicks(&quality, QStringLiteral("150"));
    QTest::keyClick(&quality, Qt::Key_Return);
    ASSERT_FALSE(ui.shown().empty());
    EXPECT_EQ(ui.shown().front().text, "Please enter a value between 1 and 100");
    EXPECT_EQ(quality.text(), QStringLiteral("90"));
    EXPECT_EQ(dialog().request().options.jpegQuality, 90);

    quality.selectAll();
    QTest::keyClicks(&quality, QStringLiteral("40"));
    QTest::keyClick(&quality, Qt::Key_Return);
    EXPECT_EQ(scroller("scrQuality").value(), 40);
    EXPECT_EQ(dialog().request().options.jpegQuality, 40);
}

TEST_F(SaveAsImageDialogTest, SavingPagesOneToThreeAsPngWritesNumberedFilesAndOpensTheFirst)
{
    list("cboImageType").setCurrentText(QStringLiteral("PNG"));
    choosePages("3", "1");
    clickSave();
    EXPECT_EQ(files(), (QStringList{"Report-01.PNG", "Report-02.PNG", "Report-03.PNG"}));
    EXPECT_EQ(QImage(QString::fromStdString(path("Report-02.PNG"))).size(), QSize(816, 1056));
    EXPECT_EQ(dialog().result(), QDialog::Accepted);
    ASSERT_FALSE(ui.shown().empty());
    EXPECT_EQ(ui.shown().back().kind, "document");
    EXPECT_EQ(ui.shown().back().text, path("Report-01.PNG"));
}

TEST_F(SaveAsImageDialogTest, TheCurrentPageGoesToTheNameItselfAtTheChosenSizeAndGrey)
{
    box("chkOpen").setChecked(false);
    box("chkGrayscale").setChecked(true);
    scroller("scrImageSize").setValue(528);
    clickSave();
    EXPECT_EQ(files(), QStringList{"Report.JPG"});
    const QImage saved(QString::fromStdString(path("Report.JPG")));
    EXPECT_EQ(saved.size(), QSize(408, 528));
    EXPECT_TRUE(saved.isGrayscale());
    EXPECT_TRUE(ui.shown().empty()) << "nothing opened";
}

TEST_F(SaveAsImageDialogTest, AMultiPageTiffAndPagesPerSheet)
{
    list("cboImageType").setCurrentText(QStringLiteral("TIFF"));
    box("chkMultiPageTiff").setChecked(true);
    box("chkOpen").setChecked(false);
    radio("rbAll").click();
    list("cboPagesPerSheet").setCurrentIndex(2); // 4 pages a picture
    clickSave();
    EXPECT_EQ(files(), QStringList{"Report.TIF"});
    ASSERT_EQ(dialog().saved().files.size(), 1u);
    // Twelve pages, four a picture: three pictures, each a whole page.
    TIFF* tiff = TIFFOpen(path("Report.TIF").c_str(), "r");
    ASSERT_NE(tiff, nullptr);
    EXPECT_EQ(TIFFNumberOfDirectories(tiff), 3);
    uint32_t width = 0, height = 0;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height);
    TIFFClose(tiff);
    EXPECT_EQ(width, 816u);
    EXPECT_EQ(height, 1056u);
}

TEST_F(SaveAsImageDialogTest, EscapeWhileSavingStopsAndMayDeleteWhatWasWritten)
{
    box("chkOpen").setChecked(false);
    radio("rbAll").click();
    dialog().show();
    // Esc arrives while the first page is being saved; the questions are
    // answered Yes (stop) and Yes (delete).
    ui.queueAnswer("Yes");
    ui.queueAnswer("Yes");
    QTimer::singleShot(0, [&] { QTest::keyClick(&dialog(), Qt::Key_Escape); });
    clickSave();
    ASSERT_GE(ui.shown().size(), 2u);
    EXPECT_EQ(ui.shown()[0].text, "Cancel Saving Pages as Images?");
    EXPECT_EQ(ui.shown()[1].text, "Delete files rendered so far?");
    EXPECT_TRUE(files().isEmpty());
    EXPECT_TRUE(dialog().saved().files.empty());
}

TEST_F(SaveAsImageDialogTest, EscapeWhileSavingCanKeepWhatWasWritten)
{
    box("chkOpen").setChecked(false);
    radio("rbAll").click();
    dialog().show();
    ui.queueAnswer("Yes");
    ui.queueAnswer("No");
    QTimer::singleShot(0, [&] { QTest::keyClick(&dialog(), Qt::Key_Escape); });
    clickSave();
    EXPECT_EQ(files(), QStringList{"Report-01.JPG"}) << "saving stopped after the page it was on";
    EXPECT_EQ(dialog().saved().files.size(), 1u);
}

TEST_F(SaveAsImageDialogTest, EscapeWhileIdleCancelsTheDialog)
{
    dialog().show();
    QTest::keyClick(&dialog(), Qt::Key_Escape);
    EXPECT_EQ(dialog().result(), QDialog::Rejected);
    EXPECT_TRUE(ui.shown().empty());
    EXPECT_TRUE(files().isEmpty());
}
