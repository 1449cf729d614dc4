#include "printing/PrintOptionsDialog.h"

#include "document/PaperSizes.h"
#include "document/Report.h"
#include "platform/Rounding.h"
#include "platform/UiServices.h"
#include "printing/DialogControls.h"
#include "printing/PagePreview.h"
#include "render/PageRenderer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpinBox>


#include <algorithm>
#include <limits>

namespace orv {

namespace {

constexpr const char* kNoPrinterAccess = "Could Not Access the Printer";
constexpr int kMaxCopies = 9999;
// Device colour modes.
constexpr int kMonochrome = 1;
constexpr int kColour = 2;
// Device duplex modes.
constexpr int kSimplex = 1;
constexpr int kDuplexLongEdge = 2;
constexpr int kDuplexShortEdge = 3;

// The printer's type: what its list entry holds before a name-value
// separator, empty for a plain printer name.
QString printerType(const std::string& printer)
{
    const size_t separator = printer.find('=');
    return separator == std::string::npos ? QString() : QString::fromStdString(printer.substr(0, separator));
}

// Three numbered pages printed twice, as the sheets leave the printer: two
// sets 1, 2, 3 when collated, the pairs 1, 1, then 2, 2, then 3, 3 when not.
// Each set is a small fanned stack, its first sheet at the back.
QPixmap collationPicture(bool collated)
{
    const std::vector<std::vector<int>> stacks =
        collated ? std::vector<std::vector<int>>{{1, 2, 3}, {1, 2, 3}}
                 : std::vector<std::vector<int>>{{1, 1}, {2, 2}, {3, 3}};
    const QSize sheet(18, 22);
    const QPoint fan(7, 5);
    QPixmap picture(86, 34);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    QFont font = painter.font();
    font.setPixelSize(9);
    painter.setFont(font);
    int left = 1;
    for (const std::vector<int>& stack : stacks) {
        QPoint corner(left, 1);
        for (int number : stack) {
            const QRect page(corner, sheet);
            painter.setPen(Qt::black);
            painter.setBrush(Qt::white);
            painter.drawRect(page);
            painter.drawText(page.adjusted(2, 1, 0, 0), Qt::AlignLeft | Qt::AlignTop, QString::number(number));
            corner += fan;
        }
        left = corner.x() - fan.x() + sheet.width() + 4;
    }
    return picture;
}

// What the printer's own settings are before anyone changed them: the
// settings dialog starts from these, as a driver fills a device mode.
TOrvPrinter printerDefaults(const TPrinterCaps& caps)
{
    TOrvPrinter settings;
    settings.PrintQuality = caps.dpiX;
    settings.YResolution = caps.dpiY;
    settings.LogPixels = caps.dpiY;
    settings.Copies = 1;
    settings.ColorMode = caps.colour ? kColour : kMonochrome;
    settings.Duplex = kSimplex;
    settings.ScaleFactor = 100;
    if (caps.dpiX > 0 && caps.dpiY > 0) {
        const double width = static_cast<double>(caps.physicalWidth) / caps.dpiX;
        const double height = static_cast<double>(caps.physicalHeight) / caps.dpiY;
        // Device modes measure paper in tenths of a millimetre.
        settings.PaperWidth = truncated(width * 254);
        settings.PaperLength = truncated(height * 254);
        settings.PaperSize = lookUpPaperSize(width, height);
        settings.Orientation = width > height ? 2 : 1;
    }
    settings.DefaultSource = 7; // automatic
    settings.DeviceMediaType = 1; // standard
    return settings;
}

// The settings last confirmed for this printer replace the defaults; a
// fresh entry's zeros leave them.
void takeConfirmedSettings(TOrvPrinter& settings, const TOrvPrinter& confirmed)
{
    for (int32_t TOrvPrinter::*field :
         {&TOrvPrinter::YResolution, &TOrvPrinter::PrintQuality, &TOrvPrinter::ScaleFactor, &TOrvPrinter::Orientation,
          &TOrvPrinter::PaperSize, &TOrvPrinter::PaperLength, &TOrvPrinter::PaperWidth, &TOrvPrinter::DefaultSource,
          &TOrvPrinter::ColorMode, &TOrvPrinter::DeviceMediaType, &TOrvPrinter::Duplex})
        if (confirmed.*field != 0)
            settings.*field = confirmed.*field;
}

// Stands in for a printer driver's settings dialog: the settings CUPS lets
// a job choose (copies, collation, colour, duplex), edited in a copy of the
// printer's device settings.
class TPrinterSettingsDialog : public QDialog {
public:
    TPrinterSettingsDialog(const std::string& printer, const TPrinterCaps& caps, const TOrvPrinter& settings,
                           QWidget* parent)
        : QDialog(parent), m_settings(settings)
    {
        setWindowTitle(QString::fromStdString(printer) + QStringLiteral(" Properties"));
        auto* form = new QFormLayout(this);

        m_copies = new QSpinBox(this);
        m_copies->setObjectName(QStringLiteral("spnDeviceCopies"));
        m_copies->setRange(1, kMaxCopies);
        m_copies->setValue(std::clamp(settings.Copies, 1, kMaxCopies));
        form->addRow(QStringLiteral("Copies:"), m_copies);

        m_collate = new QCheckBox(QStringLiteral("Collate"), this);
        m_collate->setObjectName(QStringLiteral("chkDeviceCollate"));
        m_collate->setChecked(settings.Collate == 1);
        form->addRow(QString(), m_collate);

        m_colour = new QComboBox(this);
        m_colour->setObjectName(QStringLiteral("cboDeviceColor"));
        m_colour->addItem(QStringLiteral("B/W"), kMonochrome);
        m_colour->addItem(QStringLiteral("Color"), kColour);
        m_colour->setCurrentIndex(m_colour->findData(caps.colour ? settings.ColorMode : kMonochrome));
        m_colour->setEnabled(caps.colour);
        form->addRow(QStringLiteral("Color:"), m_colour);

        m_duplex = new QComboBox(this);
        m_duplex->setObjectName(QStringLiteral("cboDeviceDuplex"));
        m_duplex->addItem(QStringLiteral("None"), kSimplex);
        m_duplex->addItem(QStringLiteral("Long Edge"), kDuplexLongEdge);
        m_duplex->addItem(QStringLiteral("Short Edge"), kDuplexShortEdge);
        m_duplex->setCurrentIndex(std::max(0, m_duplex->findData(caps.duplex ? settings.Duplex : kSimplex)));
        m_duplex->setEnabled(caps.duplex);
        form->addRow(QStringLiteral("Duplex:"), m_duplex);

        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        form->addRow(buttons);
    }

    TOrvPrinter settings() const
    {
        TOrvPrinter edited = m_settings;
        edited.Copies = m_copies->value();
        edited.Collate = m_collate->isChecked() ? 1 : 0;
        edited.ColorMode = m_colour->currentData().toInt();
        edited.Duplex = m_duplex->currentData().toInt();
        return edited;
    }

private:
    TOrvPrinter m_settings;
    QSpinBox* m_copies;
    QCheckBox* m_collate;
    QComboBox* m_colour;
    QComboBox* m_duplex;
};

// The up-down arrows beside the copies box: a spin box whose own text box
// is hidden, since the copies box shows (and may differ from) the number.
class TUpDown : public QSpinBox {
public:
    explicit TUpDown(QWidget* parent) : QSpinBox(parent) { lineEdit()->hide(); }
};

} // namespace

TPrintOptionsDialog::TPrintOptionsDialog(const TReport& report, TUiServices& ui, QWidget* parent)
    : QDialog(parent), m_report(report), m_ui(ui)
{
    setWindowTitle(QStringLiteral("Print"));
    setFixedSize(632, 312);
    m_printers.countPrinters();
    m_printers.scanPrinters();

    buildPrinterGroup();
    buildRangeGroup();
    buildCopiesGroup();
    buildPreview();
    buildBottomRow();
    connectControls();
    applyRangeChoice();
}

void TPrintOptionsDialog::buildPrinterGroup()
{
    auto* group = new QGroupBox(QStringLiteral(" Printer "), this);
    group->setGeometry(8, 4, 389, 150);
    addLabel(QStringLiteral("Name:"), group, QRect(10, 24, 64, 16));
    m_printerList = addControl<QComboBox>(group, "cboPrinters2", QRect(76, 20, 212, 22));
    auto* properties = addControl<QPushButton>(group, "cmdProperties",
                                               QRect(294, 19, 88, 24), QStringLiteral("Properties..."));
    connect(properties, &QPushButton::clicked, this, [this] { showPrinterProperties(); });

    addLabel(QStringLiteral("Status:"), group, QRect(10, 50, 64, 16));
    m_status = addLabel(QString(), group, QRect(76, 50, 196, 16), "lblStatus");
    addLabel(QStringLiteral("Where:"), group, QRect(10, 68, 64, 16));
    m_where = addLabel(QString(), group, QRect(76, 68, 196, 16), "lblWhere");
    addLabel(QStringLiteral("Type:"), group, QRect(10, 86, 64, 16));
    m_type = addLabel(QString(), group, QRect(76, 86, 196, 16), "lblType");
    // The comment is never shown.
    addLabel(QStringLiteral("Comment:"), group, QRect(10, 104, 64, 16));
    addLabel(QString(), group, QRect(76, 104, 196, 16), "lblComment");

    addLabel(QStringLiteral("Color:"), group, QRect(10, 126, 64, 16));
    m_colour = addControl<QComboBox>(group, "cboColor", QRect(76, 122, 90, 22));
    m_colour->addItem(QStringLiteral("B/W"), kMonochrome);
    m_colour->addItem(QStringLiteral("Color"), kColour);

    m_duplex = addControl<QCheckBox>(group, "chkDuplex", QRect(276, 68, 110, 20), QStringLiteral("Duplex"));
    m_fitToPage = addControl<QCheckBox>(group, "chkFitToPage", QRect(276, 90, 110, 20), QStringLiteral("Fit to page"));
    m_reverse =
        addControl<QCheckBox>(group, "chkReversePages", QRect(276, 112, 110, 20), QStringLiteral("Reverse pages"));
}

void TPrintOptionsDialog::buildRangeGroup()
{
    auto* group = new QGroupBox(QStringLiteral(" Print Range "), this);
    group->setGeometry(8, 158, 206, 118);
    addLabel(QStringLiteral("Print:"), group, QRect(10, 24, 36, 16));
    m_pageType = addControl<QComboBox>(group, "cboPrintPages", QRect(48, 20, 150, 22));
    m_pageType->addItems({QStringLiteral("Even and Odd Pages"), QStringLiteral("Odd Pages Only"),
                          QStringLiteral("Even Pages Only")});

    m_all = addControl<QRadioButton>(group, "rbPrintAll", QRect(10, 46, 180, 20), QStringLiteral("All"));
    m_currentPage =
        addControl<QRadioButton>(group, "rbCurrentPage", QRect(10, 67, 180, 20), QStringLiteral("Current Page"));
    m_pagesFrom =
        addControl<QRadioButton>(group, "rbPagesFrom", QRect(10, 90, 100, 20), QStringLiteral("Pages From: "));
    m_fromPage = addControl<QLineEdit>(group, "txtFromPage", QRect(110, 89, 34, 22));
    addLabel(QStringLiteral("to:"), group, QRect(147, 92, 18, 16));
    m_toPage = addControl<QLineEdit>(group, "txtToPage", QRect(166, 89, 34, 22));
}

void TPrintOptionsDialog::buildCopiesGroup()
{
    auto* group = new QGroupBox(QStringLiteral(" Copies "), this);
    group->setGeometry(220, 158, 177, 118);
    addLabel(QStringLiteral("Number of copies:"), group, QRect(8, 24, 110, 16));
    m_copies = addControl<QLineEdit>(group, "txtCopies", QRect(118, 20, 36, 22));
    m_copies->setMaxLength(4);
    m_upDown = addControl<TUpDown>(group, "UpDown1", QRect(154, 20, 18, 22));
    m_upDown->setRange(1, kMaxCopies);

    // What the printer does by itself; for display only.
    m_driverCopies = addControl<QCheckBox>(group, "chkDriverCopies", QRect(8, 48, 72, 20), QStringLiteral("Copies"));
    m_driverCollates =
        addControl<QCheckBox>(group, "chkDriverCollates", QRect(8, 68, 72, 20), QStringLiteral("Collates"));
    m_driverCopies->setEnabled(false);
    m_driverCollates->setEnabled(false);

    m_collate = addControl<QCheckBox>(group, "chkCollate", QRect(8, 92, 72, 20), QStringLiteral("Collate"));
    m_collate->setEnabled(false);
    m_collationPicture = addControl<QLabel>(group, "imgCollation", QRect(84, 50, 86, 34));
    m_collationPicture->setPixmap(collationPicture(false));
}

void TPrintOptionsDialog::buildPreview()
{
    m_preview = new TPagePreview(this);
    m_preview->setGeometry(404, 4, 221, 261);
    m_pageLabel = addControl<QLabel>(this, "lblPageNumber", QRect(404, 270, 80, 16));
    m_pageScroller = addControl<QScrollBar>(this, "scrPagenumber", QRect(486, 269, 139, 17));
    m_pageScroller->setOrientation(Qt::Horizontal);
    m_pageScroller->setPageStep(1);
}

void TPrintOptionsDialog::buildBottomRow()
{
    auto* label = addLabel(QStringLiteral("Pages per s&heet:"), this, QRect(8, 287, 102, 16));
    m_pagesPerSheet = addControl<QComboBox>(this, "cboPagesPerSheet", QRect(112, 283, 84, 22));
    label->setBuddy(m_pagesPerSheet);
    m_pagesPerSheet->addItem(QStringLiteral("1 Page"), 1);
    m_pagesPerSheet->addItem(QStringLiteral("2 Pages"), 2);
    m_pagesPerSheet->addItem(QStringLiteral("4 Pages"), 4);
    m_pagesPerSheet->addItem(QStringLiteral("8 Pages"), 8);

    auto* ok = addControl<QPushButton>(this, "cmdOK", QRect(238, 281, 75, 25), QStringLiteral("OK"));
    auto* cancel = addControl<QPushButton>(this, "cmdCancel", QRect(322, 281, 75, 25), QStringLiteral("Cancel"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TPrintOptionsDialog::connectControls()
{
    connect(m_printerList, &QComboBox::currentIndexChanged, this, [this](int index) { changePrinter(index); });
    connect(m_copies, &QLineEdit::textChanged, this, [this](const QString& text) { copiesTyped(text); });
    connect(m_upDown, &QSpinBox::valueChanged, this, [this](int copies) { upDownStepped(copies); });
    connect(m_collate, &QCheckBox::toggled, this, [this](bool collate) {
        m_printers.Collate = collate;
        m_collationPicture->setPixmap(collationPicture(collate));
    });
    for (QRadioButton* range : {m_all, m_currentPage, m_pagesFrom})
        connect(range, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                applyRangeChoice();
        });
    connect(m_pagesFrom, &QRadioButton::clicked, m_fromPage, [this] { m_fromPage->setFocus(); });
    connect(m_pageScroller, &QScrollBar::valueChanged, this, [this](int page) { showPage(page); });
}

std::optional<TPrintChoices> TPrintOptionsDialog::ask(const TPrintDialogPreset& settings, TCurrentPrinter& printer)
{
    preset(settings, printer);
    exec();
    return choices();
}

// The job's copies and collation are not shown: the dialog opens with its
// own inventory's, one copy and no collation.
void TPrintOptionsDialog::preset(const TPrintDialogPreset& preset, TCurrentPrinter& printer)
{
    m_printer = &printer;
    m_pageCount = preset.pageCount;
    m_status->clear();
    {
        const QSignalBlocker quiet(m_pageScroller);
        m_pageScroller->setRange(1, m_pageCount);
    }
    showPage(m_pageScroller->value());

    const int perSheet = m_pagesPerSheet->findData(preset.pagesPerSheet);
    if (perSheet >= 0)
        m_pagesPerSheet->setCurrentIndex(perSheet);
    m_reverse->setChecked(preset.reverse);
    m_duplex->setChecked(preset.duplex);
    m_fromPage->setText(QString::number(preset.startPage));
    m_toPage->setText(QString::number(preset.endPage));
    m_fitToPage->setChecked(preset.shrinkToFit);
    activate();
}

// Runs once, as the dialog opens: the settings dialog and message boxes
// it shows return to it without resetting what the user chose.
void TPrintOptionsDialog::activate()
{
    {
        const QSignalBlocker quiet(m_printerList);
        m_printerList->clear();
        for (const TInstalledPrinter& printer : m_printer->printers())
            m_printerList->addItem(QString::fromStdString(printer.name));
        m_printerList->setCurrentIndex(m_printer->index());
    }
    changePrinter(m_printer->index());
    m_copies->setText(QString::number(m_printers.Copies));
    m_collate->setChecked(m_printers.Collate);
    m_all->setChecked(true);
}

// A newly chosen printer starts from its default settings; what it can do
// by itself and whether it prints colour show at once.
void TPrintOptionsDialog::changePrinter(int index)
{
    if (index >= 0 && index < m_printer->count())
        m_printer->select(index);
    const std::optional<TPrinterCaps> caps = m_printer->caps();
    m_driverCopies->setChecked(caps && caps->canCopy);
    m_driverCollates->setChecked(caps && caps->canCollate);
    if (m_printer->index() < 0) {
        reportNoPrinterAccess();
        return;
    }
    // A printer CUPS cannot reach keeps the colour list and place shown.
    if (!caps)
        return;
    m_colour->setEnabled(caps->colour);
    m_colour->setCurrentIndex(m_colour->findData(caps->colour ? kColour : kMonochrome));
    m_where->setText(QString::fromStdString(printerWhere(m_printer->name())));
    m_type->setText(printerType(m_printer->name()));
}

// Our settings dialog in place of the driver's: it starts from the
// printer's defaults, this dialog's copies and collation and the settings
// last confirmed for the printer. Only copies and collation come back into
// this dialog; the rest stays in the inventory entry.
void TPrintOptionsDialog::showPrinterProperties()
{
    if (!m_printer || m_printer->index() < 0) {
        reportNoPrinterAccess();
        return;
    }
    const std::optional<TPrinterCaps> caps = m_printer->caps();
    if (!caps)
        return;
    const int index = m_printerList->currentIndex();
    TOrvPrinter* confirmed =
        index >= 0 && index < static_cast<int>(m_printers.Printers.size()) ? &m_printers.Printers[index] : nullptr;

    TOrvPrinter settings = printerDefaults(*caps);
    settings.Copies = leadingNumber(m_copies->text());
    settings.Collate = m_collate->isChecked() ? 1 : 0;
    if (confirmed)
        takeConfirmedSettings(settings, *confirmed);

    TPrinterSettingsDialog dialog(m_printer->name(), *caps, settings, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    settings = dialog.settings();
    if (confirmed)
        *confirmed = settings;
    m_copies->setText(QString::number(settings.Copies));
    m_collate->setChecked(settings.Collate == 1);
}

// Collation needs more than one copy; the arrows follow a typed number.
void TPrintOptionsDialog::copiesTyped(const QString& text)
{
    const int32_t copies = leadingNumber(text);
    m_printers.Copies = copies;
    m_collate->setEnabled(copies > 1);
    if (copies >= 1 && copies <= kMaxCopies) {
        const QSignalBlocker quiet(m_upDown);
        m_upDown->setValue(copies);
    }
}

void TPrintOptionsDialog::upDownStepped(int copies)
{
    m_copies->setText(QString::number(copies));
    if (copies == 1)
        m_collate->setChecked(false);
}

// "Pages From: " opens the page boxes; "Current Page" prints the displayed
// page whatever its parity, so the page-type list closes with the boxes.
void TPrintOptionsDialog::applyRangeChoice()
{
    m_fromPage->setEnabled(m_pagesFrom->isChecked());
    m_toPage->setEnabled(m_pagesFrom->isChecked());
    m_pageType->setEnabled(!m_currentPage->isChecked());
}

void TPrintOptionsDialog::showPage(int pageNumber)
{
    m_pageLabel->setText(QStringLiteral("%1 / %2").arg(pageNumber).arg(m_pageCount));
    m_preview->showPage(TPageDrawing(m_report, pageNumber, 1.0));
}

std::optional<TPrintChoices> TPrintOptionsDialog::choices() const
{
    if (result() != QDialog::Accepted)
        return std::nullopt;
    TPrintChoices choices;
    choices.printerIndex = m_printerList->currentIndex();
    choices.range = m_pagesFrom->isChecked()     ? TPrintChoices::Range::Pages
                    : m_currentPage->isChecked() ? TPrintChoices::Range::CurrentPage
                                                 : TPrintChoices::Range::All;
    choices.startPage = leadingNumber(m_fromPage->text());
    choices.endPage = leadingNumber(m_toPage->text());
    choices.copies = leadingNumber(m_copies->text());
    choices.pageType = m_pageType->currentIndex();
    choices.collate = m_collate->isChecked();
    choices.duplex = m_duplex->isChecked();
    choices.reverse = m_reverse->isChecked();
    choices.pagesPerSheet = m_pagesPerSheet->currentData().toInt();
    choices.colour = m_colour->currentData().toInt() == kColour;
    choices.fitToPage = m_fitToPage->isChecked();
    return choices;
}

void TPrintOptionsDialog::reportNoPrinterAccess()
{
    m_ui.showMessage("Error", kNoPrinterAccess, TUiServices::Icon::Error, TUiServices::Buttons::Ok);
}

} // namespace orv
