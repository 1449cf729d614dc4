#include "printing/PrintOptionsDialog.h"

#include "document/GraphicObjects.h"
#include "document/Report.h"
#include "platform/ScriptedUiServices.h"
#include "printing/CupsTestServer.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

using namespace orv;

namespace {

// A job's settings unlike the dialog's own starting values.
TPrintDialogPreset busyPreset(int32_t pageCount)
{
    TPrintDialogPreset preset;
    preset.pageCount = pageCount;
    preset.startPage = 2;
    preset.endPage = 3;
    preset.copies = 3;
    preset.collate = true;
    preset.reverse = true;
    preset.duplex = true;
    preset.pagesPerSheet = 4;
    preset.shrinkToFit = true;
    return preset;
}

// Reaching the dialog's controls by their names.
class DialogControls {
public:
    explicit DialogControls(QWidget& dialog) : m_dialog(dialog) {}

    template <typename Widget>
    Widget& get(const char* name) const
    {
        Widget* widget = m_dialog.findChild<Widget*>(QLatin1String(name));
        if (!widget)
            throw std::runtime_error(std::string("no control ") + name);
        return *widget;
    }
    QLineEdit& edit(const char* name) const { return get<QLineEdit>(name); }
    QCheckBox& box(const char* name) const { return get<QCheckBox>(name); }
    QComboBox& list(const char* name) const { return get<QComboBox>(name); }
    QRadioButton& radio(const char* name) const { return get<QRadioButton>(name); }

private:
    QWidget& m_dialog;
};

// Runs `answer` on the first dialog that opens modally over `owner` once
// `action` has started it.
void answerNextDialog(QWidget& owner, const std::function<void()>& action, const std::function<void(QDialog&)>& answer)
{
    bool answered = false;
    QTimer::singleShot(0, &owner, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            answer(*dialog);
            answered = true;
        }
    });
    action();
    EXPECT_TRUE(answered) << "no dialog opened";
}

// The dialog over a report, on the printers that `PrintSystem` provides:
// it comes first, so that the printer list is read from it.
template <class PrintSystem>
class DialogOn : public ::testing::Test {
protected:
    PrintSystem printSystem;
    TReport report;
    TScriptedUiServices ui;
    TCurrentPrinter printer;
    TPrintOptionsDialog dialog{report, ui};
    DialogControls controls{dialog};
};

// CUPS pointed at a server that does not exist.
struct TNoPrinters {
    printtest::TCupsServerRedirect redirect{"/nonexistent/orv-print-options.sock"};
};

// Two raw queues; the second is the server's default.
struct TTwoQueues {
    printtest::TCupsTestServer server{{"orv_first", "orv_second"}, "orv_second"};
};

// Without any printer.
class PrintOptionsDialogTest : public DialogOn<TNoPrinters> {
protected:
    PrintOptionsDialogTest()
    {
        report.newPage(8.5f, 11, 0, 0, 0);
        report.newPage(11, 8.5f, 0, 0, 0);
    }

    void open(const TPrintDialogPreset& preset = busyPreset(3)) { dialog.preset(preset, printer); }
};

} // namespace

TEST_F(PrintOptionsDialogTest, OpensWithOneUncollatedCopyOfAllPagesWhateverTheJobBrings)
{
    open();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Print"));
    EXPECT_EQ(dialog.size(), QSize(632, 312));
    EXPECT_EQ(controls.edit("txtCopies").text(), QStringLiteral("1"));
    EXPECT_EQ(controls.get<QSpinBox>("UpDown1").value(), 1);
    EXPECT_FALSE(controls.box("chkCollate").isChecked());
    EXPECT_FALSE(controls.box("chkCollate").isEnabled());
    EXPECT_TRUE(controls.radio("rbPrintAll").isChecked());
    EXPECT_EQ(controls.list("cboPrintPages").currentText(), QStringLiteral("Even and Odd Pages"));
    EXPECT_TRUE(controls.list("cboPrintPages").isEnabled());
    EXPECT_EQ(dialog.inventory().Copies, 1);
    EXPECT_FALSE(dialog.inventory().Collate);

    // What the job brings and the dialog shows.
    EXPECT_EQ(controls.edit("txtFromPage").text(), QStringLiteral("2"));
    EXPECT_EQ(controls.edit("txtToPage").text(), QStringLiteral("3"));
    EXPECT_FALSE(controls.edit("txtFromPage").isEnabled());
    EXPECT_FALSE(controls.edit("txtToPage").isEnabled());
    EXPECT_EQ(controls.list("cboPagesPerSheet").currentText(), QStringLiteral("4 Pages"));
    EXPECT_TRUE(controls.box("chkReversePages").isChecked());
    EXPECT_TRUE(controls.box("chkDuplex").isChecked());
    EXPECT_TRUE(controls.box("chkFitToPage").isChecked());
}

TEST_F(PrintOptionsDialogTest, PagesPerSheetOutsideOneTwoFourEightLeavesOnePage)
{
    TPrintDialogPreset preset = busyPreset(3);
    preset.pagesPerSheet = 3;
    open(preset);
    EXPECT_EQ(controls.list("cboPagesPerSheet").currentText(), QStringLiteral("1 Page"));
}

TEST_F(PrintOptionsDialogTest, CollateNeedsMoreThanOneCopyAndTheArrowsFollowTheCopiesBox)
{
    open();
    QLineEdit& copies = controls.edit("txtCopies");
    QSpinBox& upDown = controls.get<QSpinBox>("UpDown1");
    QCheckBox& collate = controls.box("chkCollate");
    EXPECT_EQ(copies.maxLength(), 4);
    EXPECT_EQ(upDown.minimum(), 1);
    EXPECT_EQ(upDown.maximum(), 9999);

    copies.setText(QStringLiteral("2"));
    EXPECT_TRUE(collate.isEnabled());
    EXPECT_EQ(dialog.inventory().Copies, 2);
    collate.setChecked(true);
    EXPECT_TRUE(dialog.inventory().Collate);

    upDown.stepDown();
    EXPECT_EQ(copies.text(), QStringLiteral("1"));
    EXPECT_FALSE(collate.isChecked()) << "stepping down to one copy unticks Collate";
    EXPECT_FALSE(collate.isEnabled());
    EXPECT_EQ(dialog.inventory().Copies, 1);
    EXPECT_FALSE(dialog.inventory().Collate);

    copies.setText(QStringLiteral("12"));
    upDown.stepUp();
    EXPECT_EQ(copies.text(), QStringLiteral("13"));
    EXPECT_EQ(dialog.inventory().Copies, 13);

    copies.setText(QStringLiteral("x"));
    EXPECT_FALSE(collate.isEnabled());
    EXPECT_EQ(dialog.inventory().Copies, 0);
}

TEST_F(PrintOptionsDialogTest, TheCollationPictureFollowsTheCollateBox)
{
    open();
    const QLabel& picture = controls.get<QLabel>("imgCollation");
    const QImage uncollated = picture.pixmap().toImage();
    ASSERT_FALSE(uncollated.isNull());

    controls.edit("txtCopies").setText(QStringLiteral("2"));
    controls.box("chkCollate").setChecked(true);
    const QImage collated = picture.pixmap().toImage();
    EXPECT_NE(collated, uncollated);

    controls.box("chkCollate").setChecked(false);
    EXPECT_EQ(picture.pixmap().toImage(), uncollated);
}

TEST_F(PrintOptionsDialogTest, TheRangeChoiceOpensAndClosesThePageBoxesAndThePageTypeList)
{
    open();
    QLineEdit& from = controls.edit("txtFromPage");
    QLineEdit& to = controls.edit("txtToPage");
    QComboBox& pageType = controls.list("cboPrintPages");

    controls.radio("rbPagesFrom").click();
    EXPECT_TRUE(from.isEnabled());
    EXPECT_TRUE(to.isEnabled());
    EXPECT_TRUE(pageType.isEnabled());

    controls.radio("rbCurrentPage").click();
    EXPECT_FALSE(from.isEnabled());
    EXPECT_FALSE(to.isEnabled());
    EXPECT_FALSE(pageType.isEnabled()) << "the current page prints whatever its parity";

    controls.radio("rbPrintAll").click();
    EXPECT_FALSE(from.isEnabled());
    EXPECT_FALSE(to.isEnabled());
    EXPECT_TRUE(pageType.isEnabled());
}

TEST_F(PrintOptionsDialogTest, OkGivesTheChoicesAsTheControlsShowThem)
{
    open();
    controls.radio("rbPagesFrom").click();
    controls.edit("txtFromPage").setText(QStringLiteral("2nd"));
    controls.edit("txtToPage").setText(QStringLiteral("page 3"));
    controls.edit("txtCopies").setText(QStringLiteral("4"));
    controls.box("chkCollate").setChecked(true);
    controls.list("cboPrintPages").setCurrentIndex(2);
    controls.list("cboPagesPerSheet").setCurrentIndex(controls.list("cboPagesPerSheet").findText("8 Pages"));
    controls.list("cboColor").setCurrentIndex(controls.list("cboColor").findText("B/W"));
    controls.box("chkReversePages").setChecked(false);
    controls.box("chkDuplex").setChecked(false);
    controls.box("chkFitToPage").setChecked(false);
    EXPECT_FALSE(dialog.choices()) << "nothing is chosen before OK";

    controls.get<QPushButton>("cmdOK").click();
    const std::optional<TPrintChoices> choices = dialog.choices();
    ASSERT_TRUE(choices);
    EXPECT_EQ(choices->range, TPrintChoices::Range::Pages);
    EXPECT_EQ(choices->startPage, 2);
    EXPECT_EQ(choices->endPage, 0) << "a box that starts with no number reads 0";
    EXPECT_EQ(choices->copies, 4);
    EXPECT_TRUE(choices->collate);
    EXPECT_EQ(choices->pageType, 2);
    EXPECT_EQ(choices->pagesPerSheet, 8);
    EXPECT_FALSE(choices->colour);
    EXPECT_FALSE(choices->reverse);
    EXPECT_FALSE(choices->duplex);
    EXPECT_FALSE(choices->fitToPage);
    EXPECT_EQ(choices->printerIndex, -1) << "no printer installed";
}

TEST_F(PrintOptionsDialogTest, TheRangeChoiceReachesTheJobAndCancelGivesNothing)
{
    open();
    controls.radio("rbCurrentPage").click();
    controls.get<QPushButton>("cmdOK").click();
    ASSERT_TRUE(dialog.choices());
    EXPECT_EQ(dialog.choices()->range, TPrintChoices::Range::CurrentPage);

    controls.radio("rbPrintAll").click();
    dialog.accept();
    EXPECT_EQ(dialog.choices()->range, TPrintChoices::Range::All);

    controls.get<QPushButton>("cmdCancel").click();
    EXPECT_FALSE(dialog.choices());
}

TEST_F(PrintOptionsDialogTest, WithoutAPrinterTheDialogSaysSoAndStaysOpen)
{
    open();
    ASSERT_EQ(ui.shown().size(), 1u);
    EXPECT_EQ(ui.shown()[0].text, "Could Not Access the Printer");
    EXPECT_EQ(controls.list("cboPrinters2").count(), 0);

    controls.get<QPushButton>("cmdProperties").click();
    ASSERT_EQ(ui.shown().size(), 2u);
    EXPECT_EQ(ui.shown()[1].text, "Could Not Access the Printer");
    EXPECT_EQ(controls.edit("txtCopies").text(), QStringLiteral("1"));
}

TEST_F(PrintOptionsDialogTest, ThePreviewFitsEachPageIntoThePreviewGroup)
{
    // A black box over the top left quarter of page 1 (Letter, portrait).
    fillShape(report.page(1).Objects.emplace_back(), "quarter", TObjectPlace::fromInches(0, 0, 4.25f, 5.5f),
              {0, 0x000000, 8, 0, 8, 0, 255}, 0, 0);
    open();
    const QFrame& outline = controls.get<QFrame>("shpPage");
    const QLabel& picture = controls.get<QLabel>("imgPagePreview");
    EXPECT_EQ(outline.parentWidget()->size(), QSize(221, 261));
    EXPECT_EQ(controls.get<QScrollBar>("scrPagenumber").minimum(), 1);
    EXPECT_EQ(controls.get<QScrollBar>("scrPagenumber").maximum(), 3);

    // 816 x 1056 at (261 - 24) / 1056 = 0.2244: 183 x 236, centred below
    // the group's title.
    EXPECT_EQ(controls.get<QLabel>("lblPageNumber").text(), QStringLiteral("1 / 3"));
    EXPECT_EQ(outline.geometry(), QRect(19, 18, 183, 236));
    EXPECT_EQ(picture.geometry(), QRect(20, 19, 181, 234));
    const QImage page = picture.pixmap().toImage();
    ASSERT_EQ(page.size(), QSize(181, 234));
    EXPECT_EQ(page.pixel(40, 50), qRgb(0, 0, 0)) << "inside the quarter";
    EXPECT_EQ(page.pixel(140, 180), qRgb(255, 255, 255)) << "outside the quarter";

    // 1056 x 816 at (221 - 24) / 1056 = 0.1866: 197 x 152.
    controls.get<QScrollBar>("scrPagenumber").setValue(3);
    EXPECT_EQ(controls.get<QLabel>("lblPageNumber").text(), QStringLiteral("3 / 3"));
    EXPECT_EQ(outline.geometry(), QRect(12, 60, 197, 152));
    EXPECT_EQ(picture.geometry(), QRect(13, 61, 195, 150));
    EXPECT_EQ(picture.pixmap().toImage().pixel(40, 50), qRgb(255, 255, 255));
}

namespace {

class PrintOptionsWithPrintersTest : public DialogOn<TTwoQueues> {
protected:
    void open() { dialog.preset(busyPreset(1), printer); }
    QPushButton& properties() { return controls.get<QPushButton>("cmdProperties"); }
};

} // namespace

TEST_F(PrintOptionsWithPrintersTest, OpensOnTheCurrentPrinterAndFollowsTheChosenOne)
{
    ASSERT_EQ(printer.count(), 2);
    const int32_t second = printer.find("orv_second");
    const int32_t first = printer.find("orv_first");
    open();
    EXPECT_TRUE(ui.shown().empty());
    QComboBox& printers = controls.list("cboPrinters2");
    ASSERT_EQ(printers.count(), 2);
    EXPECT_EQ(printers.currentIndex(), second);
    EXPECT_EQ(printers.itemText(first), QStringLiteral("orv_first"));
    EXPECT_EQ(dialog.inventory().Count, 2);
    EXPECT_EQ(dialog.inventory().Printers.size(), 2u);

    // A raw queue takes the document as it is, colours included.
    EXPECT_TRUE(controls.list("cboColor").isEnabled());
    EXPECT_EQ(controls.list("cboColor").currentText(), QStringLiteral("Color"));
    EXPECT_EQ(controls.get<QLabel>("lblWhere").text(), QStringLiteral("file:///dev/null"));
    EXPECT_TRUE(controls.get<QLabel>("lblStatus").text().isEmpty());
    EXPECT_TRUE(controls.get<QLabel>("lblType").text().isEmpty());
    const TPrinterCaps caps = printerCaps("orv_second").value();
    EXPECT_EQ(controls.box("chkDriverCopies").isChecked(), caps.canCopy);
    EXPECT_EQ(controls.box("chkDriverCollates").isChecked(), caps.canCollate);
    EXPECT_FALSE(controls.box("chkDriverCopies").isEnabled());

    printers.setCurrentIndex(first);
    EXPECT_EQ(printer.index(), first);
    controls.list("cboColor").setCurrentIndex(controls.list("cboColor").findText("B/W"));
    dialog.accept();
    ASSERT_TRUE(dialog.choices());
    EXPECT_EQ(dialog.choices()->printerIndex, first);
    EXPECT_FALSE(dialog.choices()->colour) << "B/W prints monochrome";
}

TEST_F(PrintOptionsWithPrintersTest, PropertiesCancelledChangesNothing)
{
    open();
    controls.edit("txtCopies").setText(QStringLiteral("2"));
    controls.box("chkCollate").setChecked(true);
    int shownCopies = 0;
    answerNextDialog(
        dialog, [&] { properties().click(); },
        [&](QDialog& settings) {
            shownCopies = settings.findChild<QSpinBox*>(QStringLiteral("spnDeviceCopies"))->value();
            settings.findChild<QSpinBox*>(QStringLiteral("spnDeviceCopies"))->setValue(7);
            settings.findChild<QCheckBox*>(QStringLiteral("chkDeviceCollate"))->setChecked(false);
            settings.reject();
        });
    EXPECT_EQ(shownCopies, 2) << "the settings start from the dialog's copies";
    EXPECT_EQ(controls.edit("txtCopies").text(), QStringLiteral("2"));
    EXPECT_TRUE(controls.box("chkCollate").isChecked());
    EXPECT_EQ(dialog.inventory().Copies, 2);
    const TOrvPrinter& entry = dialog.inventory().Printers.at(static_cast<size_t>(printer.index()));
    EXPECT_EQ(entry.Copies, 0) << "the printer's entry stays fresh";
    EXPECT_EQ(entry.ColorMode, 0);
}

TEST_F(PrintOptionsWithPrintersTest, PropertiesConfirmedSetsCopiesAndCollationAndKeepsTheRestForTheNextTime)
{
    open();
    answerNextDialog(
        dialog, [&] { properties().click(); },
        [](QDialog& settings) {
            settings.findChild<QSpinBox*>(QStringLiteral("spnDeviceCopies"))->setValue(3);
            settings.findChild<QCheckBox*>(QStringLiteral("chkDeviceCollate"))->setChecked(true);
            QComboBox* colour = settings.findChild<QComboBox*>(QStringLiteral("cboDeviceColor"));
            colour->setCurrentIndex(colour->findText(QStringLiteral("B/W")));
            settings.accept();
        });
    EXPECT_EQ(controls.edit("txtCopies").text(), QStringLiteral("3"));
    EXPECT_EQ(controls.get<QSpinBox>("UpDown1").value(), 3);
    EXPECT_TRUE(controls.box("chkCollate").isChecked());
    EXPECT_TRUE(controls.box("chkCollate").isEnabled());
    EXPECT_EQ(dialog.inventory().Copies, 3);

    const TPrinterCaps caps = printerCaps(printer.name()).value();
    const TOrvPrinter& entry = dialog.inventory().Printers.at(static_cast<size_t>(printer.index()));
    EXPECT_EQ(entry.Copies, 3);
    EXPECT_EQ(entry.Collate, 1);
    EXPECT_EQ(entry.ColorMode, 1);
    EXPECT_EQ(entry.YResolution, caps.dpiY);
    EXPECT_EQ(controls.list("cboColor").currentText(), QStringLiteral("Color"))
        << "only copies and collation come back into the dialog";

    // The next time the settings show what was confirmed for this printer.
    QString colourShown;
    answerNextDialog(
        dialog, [&] { properties().click(); },
        [&](QDialog& settings) {
            colourShown = settings.findChild<QComboBox*>(QStringLiteral("cboDeviceColor"))->currentText();
            settings.reject();
        });
    EXPECT_EQ(colourShown, QStringLiteral("B/W"));
}
