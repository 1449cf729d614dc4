#include "viewer/PdfOptionsDialog.h"

#include "document/Report.h"
#include "platform/FileNames.h"
#include "platform/UiServices.h"
#include "printing/DialogControls.h"
#include "printing/PagePreview.h"
#include "render/PageRenderer.h"
#include "viewer/InterfaceTexts.h"
#include "viewer/PageRangeGroup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTabWidget>

#include <algorithm>

namespace orv {

namespace {

constexpr QSize kPlainSize(634, 290);
constexpr QSize kTabbedSize(634, 370);
constexpr const char* kPdfFilter = "PDF (*.PDF)";

QString fromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }
std::string utf8(const QString& text) { return text.toUtf8().toStdString(); }

} // namespace

TPdfDialogValues pdfDialogValuesOf(const TReport& report)
{
    const TPDFSetup& setup = report.PdfSetup;
    TPdfDialogValues values;
    values.securityLayout = setup.DisplaySecurityOptions;
    values.fileName = setup.FileName;
    values.author = setup.Author;
    values.title = setup.Title;
    values.subject = setup.Subject;
    values.keywords = setup.Keywords;
    values.openAfterCreate = setup.OpenAfterCreate;
    values.compress = setup.Compress;
    values.ownerPassword = setup.OwnerPassword;
    values.userPassword = setup.UserPassword;
    values.printingLevel = setup.PrintingLevel;
    values.allowChanges = setup.AllowChanges;
    values.allowDocumentAssembly = setup.AllowDocumentAssembly;
    values.allowCopying = setup.AllowCopying;
    values.allowCopyingAccessibility = setup.AllowCopyingAccessibility;
    values.allowCommenting = setup.AllowCommenting;
    values.allowFillingFormFields = setup.AllowFillingFormFields;
    values.encryptionLevel = static_cast<int32_t>(setup.EncryptMode);
    values.pagesPerSheet = report.PdfPagesPerSheet;
    return values;
}

void applyPdfDialogValues(TReport& report, const TPdfDialogValues& values)
{
    TPDFSetup& setup = report.PdfSetup;
    setup.Author = values.author;
    setup.Title = values.title;
    setup.Subject = values.subject;
    setup.Keywords = values.keywords;
    setup.OpenAfterCreate = values.openAfterCreate;
    setup.Compress = values.compress;
    if (!values.securityLayout) {
        report.PdfPagesPerSheet = 1;
        return;
    }
    // Levels: 0 none, 1 RC4 40-bit, 3 AES-256.
    setup.EncryptMode = static_cast<uint32_t>(values.encryptionLevel == 3 ? 3 : std::clamp(values.encryptionLevel, 0, 1));
    setup.EncryptDocument = setup.EncryptMode >= 1;
    setup.OwnerPassword = utf8(fromUtf8(values.ownerPassword).trimmed());
    setup.UserPassword = utf8(fromUtf8(values.userPassword).trimmed());
    setup.PrintingLevel = std::clamp(values.printingLevel, 0, 2);
    setup.AllowChanges = values.allowChanges;
    setup.AllowDocumentAssembly = values.allowDocumentAssembly;
    setup.AllowCopying = values.allowCopying;
    setup.AllowCopyingAccessibility = values.allowCopyingAccessibility;
    setup.AllowCommenting = values.allowCommenting;
    setup.AllowFillingFormFields = values.allowFillingFormFields;
    const int32_t perSheet = values.pagesPerSheet;
    if (perSheet == 1 || perSheet == 2 || perSheet == 4 || perSheet == 8) {
        report.PdfPagesPerSheet = static_cast<uint8_t>(perSheet);
        report.PrinterSetup.PagesPerSheet = static_cast<uint8_t>(perSheet);
    }
}

TPdfOptionsDialog::TPdfOptionsDialog(TReport& report, const TInterfaceTexts& texts, TUiServices& ui,
                                     int32_t displayedPage, QWidget* parent)
    : QDialog(parent), m_report(report), m_texts(texts), m_ui(ui),
      m_securityLayout(report.PdfSetup.DisplaySecurityOptions)
{
    setWindowTitle(texts.text(TextSlot::strPdfOptionsTitle));
    setFixedSize(m_securityLayout ? kTabbedSize : kPlainSize);

    if (m_securityLayout) {
        auto* tabs = addControl<QTabWidget>(this, "tabOptions", QRect(8, 6, 390, 250));
        tabs->addTab(buildDocumentFields(tabs, 8), QStringLiteral("Document Properties"));
        tabs->addTab(buildSecurityTab(), QStringLiteral("Security Options"));
        tabs->addTab(buildFontsTab(), QStringLiteral("Fonts"));
        buildRangeGroup(QRect(8, 262, 390, 66));
        buildPreview(QRect(404, 4, 221, 304));
        buildButtons(336);
    } else {
        buildDocumentFields(this, 6);
        buildRangeGroup(QRect(8, 180, 390, 66));
        buildPreview(QRect(404, 4, 221, 226));
        buildButtons(256);
    }

    {
        const QSignalBlocker quiet(m_pageScroller);
        m_pageScroller->setRange(1, std::max(report.pageCount(), 1));
        m_pageScroller->setValue(std::clamp(displayedPage, 1, std::max(report.pageCount(), 1)));
    }
    showPage(m_pageScroller->value());
    fill(pdfDialogValuesOf(report));
}

// File name with its "..." button, the document information, opening and
// compression; in the tabbed layout also the pages per sheet.
QWidget* TPdfOptionsDialog::buildDocumentFields(QWidget* parent, int top)
{
    auto* page = m_securityLayout ? new QWidget(parent) : parent;
    const int labelWidth = 84;
    const int boxLeft = 10 + labelWidth;
    const int boxWidth = 280;
    auto row = [&](TextSlot slot, const char* name, int line) {
        const int y = top + line * 28;
        addLabel(m_texts.text(slot), page, QRect(10, y + 3, labelWidth, 16));
        return addControl<QLineEdit>(page, name, QRect(boxLeft, y, boxWidth - (line == 0 ? 30 : 0), 22));
    };
    m_fileName = row(TextSlot::strFileName, "txtFileName", 0);
    auto* browse = addControl<QPushButton>(page, "cmdBrowse", QRect(boxLeft + boxWidth - 26, top, 26, 22),
                                           QStringLiteral("..."));
    connect(browse, &QPushButton::clicked, this, [this] { chooseFileName(); });
    m_author = row(TextSlot::strAuthor, "txtAuthor", 1);
    m_title = row(TextSlot::strTitle, "txtTitle", 2);
    m_subject = row(TextSlot::strSubject, "txtSubject", 3);
    m_keywords = row(TextSlot::strKeywords, "txtKeywords", 4);
    const int checks = top + 5 * 28;
    m_open = addControl<QCheckBox>(page, "chkOpenAfterCreate", QRect(boxLeft, checks, 150, 20),
                                   QStringLiteral("Open After Create"));
    m_compress = addControl<QCheckBox>(page, "chkCompress", QRect(boxLeft + 160, checks, 120, 20),
                                       QStringLiteral("Compress"));

    // The plain layout always writes one page a sheet; the list says so.
    const int sheetRow = m_securityLayout ? checks + 28 : 260;
    auto* sheetParent = m_securityLayout ? page : this;
    auto* label = addLabel(m_texts.text(TextSlot::strPagesPerSheet) + QLatin1Char(':'), sheetParent,
                           QRect(10, sheetRow + 3, 112, 16), "lblPagesPerSheet");
    m_pagesPerSheet = addControl<QComboBox>(sheetParent, "cboPagesPerSheet",
                                            QRect(124, sheetRow, 90, 22));
    label->setBuddy(m_pagesPerSheet);
    m_pagesPerSheet->addItem(QStringLiteral("1 Page"), 1);
    m_pagesPerSheet->addItem(QStringLiteral("2 Pages"), 2);
    m_pagesPerSheet->addItem(QStringLiteral("4 Pages"), 4);
    m_pagesPerSheet->addItem(QStringLiteral("8 Pages"), 8);
    m_pagesPerSheet->setEnabled(m_securityLayout);
    return page;
}

QWidget* TPdfOptionsDialog::buildSecurityTab()
{
    auto* page = new QWidget;
    addLabel(m_texts.text(TextSlot::strOwnerPassword), page, QRect(10, 11, 110, 16));
    m_ownerPassword = addControl<QLineEdit>(page, "txtOwnerPassword", QRect(124, 8, 250, 22));
    addLabel(m_texts.text(TextSlot::strUserPassword), page, QRect(10, 39, 110, 16));
    m_userPassword = addControl<QLineEdit>(page, "txtUserPassword", QRect(124, 36, 250, 22));
    for (QLineEdit* password : {m_ownerPassword, m_userPassword})
        password->setEchoMode(QLineEdit::Password);

    addLabel(QStringLiteral("Encryption:"), page, QRect(10, 67, 110, 16));
    m_encryption = addControl<QComboBox>(page, "cboEncryption", QRect(124, 64, 120, 22));
    m_encryption->addItem(QStringLiteral("None"), 0);
    m_encryption->addItem(QStringLiteral("40 Bit"), 1);
    m_encryption->addItem(QStringLiteral("256 Bit AES"), 3);
    addLabel(QStringLiteral("Printing:"), page, QRect(10, 95, 110, 16));
    m_printing = addControl<QComboBox>(page, "cboPrinting", QRect(124, 92, 190, 22));
    m_printing->addItems(
        {QStringLiteral("No"), QStringLiteral("Low Resolution (150 dpi)"), QStringLiteral("High Resolution")});

    auto box = [&](const char* name, const char* caption, int column, int line) {
        return addControl<QCheckBox>(page, name, QRect(10 + column * 186, 124 + line * 24, 184, 20),
                                     QString::fromLatin1(caption));
    };
    m_allowChanges = box("chkAllowChanges", "Allow Changes", 0, 0);
    m_allowAssembly = box("chkAllowDocumentAssembly", "Allow Document Assembly", 1, 0);
    m_allowCopying = box("chkAllowCopying", "Allow Copying", 0, 1);
    m_allowAccessibility = box("chkAllowCopyingAccessibility", "Allow Copying for Access", 1, 1);
    m_allowCommenting = box("chkAllowCommenting", "Allow Commenting", 0, 2);
    m_allowForms = box("chkAllowFillingFormFields", "Allow Filling Form Fields", 1, 2);
    return page;
}

// The report's fonts; whether each is embedded is shown, not changed here.
QWidget* TPdfOptionsDialog::buildFontsTab()
{
    auto* page = new QWidget;
    m_fonts = addControl<QListWidget>(page, "lstFonts", QRect(10, 8, 364, 170));
    m_embedFont = addControl<QCheckBox>(page, "chkEmbedFont", QRect(10, 186, 200, 20), QStringLiteral("Embed Font"));
    m_embedFont->setEnabled(false);
    for (const TPDFReportFont& font : m_report.PdfFonts)
        m_fonts->addItem(fromUtf8(font.Name));
    connect(m_fonts, &QListWidget::currentRowChanged, this, [this](int row) {
        const bool known = row >= 0 && row < static_cast<int>(m_report.PdfFonts.size());
        m_embedFont->setChecked(known && m_report.PdfFonts[size_t(row)].Embed);
    });
    if (m_fonts->count() > 0)
        m_fonts->setCurrentRow(0);
    return page;
}

void TPdfOptionsDialog::buildRangeGroup(const QRect& geometry)
{
    m_range = new TPageRangeGroup(QStringLiteral(" Page Range "), m_report.pageCount(), this);
    m_range->setGeometry(geometry);
    m_range->choose(TPageRangeGroup::Choice::All);
}

void TPdfOptionsDialog::buildPreview(const QRect& geometry)
{
    m_preview = new TPagePreview(this);
    m_preview->setGeometry(geometry);
    const int below = geometry.bottom() + 6;
    m_pageLabel = addControl<QLabel>(this, "lblPageNumber", QRect(geometry.left(), below + 1, 80, 16));
    m_pageScroller = addControl<QScrollBar>(this, "scrPageNumber", QRect(geometry.left() + 82, below, 139, 17));
    m_pageScroller->setOrientation(Qt::Horizontal);
    m_pageScroller->setPageStep(1);
    connect(m_pageScroller, &QScrollBar::valueChanged, this, [this](int page) { showPage(page); });
}

void TPdfOptionsDialog::buildButtons(int top)
{
    m_save = addControl<QPushButton>(this, "cmdSave", QRect(466, top, 75, 25), m_texts.text(TextSlot::strSave));
    auto* cancel =
        addControl<QPushButton>(this, "cmdCancel", QRect(550, top, 75, 25), m_texts.text(TextSlot::strCancel));
    m_save->setDefault(true);
    connect(m_save, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    // Saving needs a file to save to.
    connect(m_fileName, &QLineEdit::textChanged, this,
            [this](const QString& name) { m_save->setEnabled(!name.trimmed().isEmpty()); });
}

void TPdfOptionsDialog::fill(const TPdfDialogValues& values)
{
    m_fileName->setText(fromUtf8(values.fileName));
    m_save->setEnabled(!m_fileName->text().trimmed().isEmpty());
    m_author->setText(fromUtf8(values.author));
    m_title->setText(fromUtf8(values.title));
    m_subject->setText(fromUtf8(values.subject));
    m_keywords->setText(fromUtf8(values.keywords));
    m_open->setChecked(values.openAfterCreate);
    m_compress->setChecked(values.compress);
    const int perSheet = m_securityLayout ? m_pagesPerSheet->findData(values.pagesPerSheet) : 0;
    m_pagesPerSheet->setCurrentIndex(std::max(perSheet, 0));
    if (!m_securityLayout)
        return;
    m_ownerPassword->setText(fromUtf8(values.ownerPassword));
    m_userPassword->setText(fromUtf8(values.userPassword));
    m_printing->setCurrentIndex(std::clamp(values.printingLevel, 0, 2));
    m_encryption->setCurrentIndex(std::max(m_encryption->findData(values.encryptionLevel), 0));
    m_allowChanges->setChecked(values.allowChanges);
    m_allowAssembly->setChecked(values.allowDocumentAssembly);
    m_allowCopying->setChecked(values.allowCopying);
    m_allowAccessibility->setChecked(values.allowCopyingAccessibility);
    m_allowCommenting->setChecked(values.allowCommenting);
    m_allowForms->setChecked(values.allowFillingFormFields);
}

TPdfDialogValues TPdfOptionsDialog::values() const
{
    TPdfDialogValues values;
    values.securityLayout = m_securityLayout;
    values.fileName = utf8(m_fileName->text().trimmed());
    values.author = utf8(m_author->text());
    values.title = utf8(m_title->text());
    values.subject = utf8(m_subject->text());
    values.keywords = utf8(m_keywords->text());
    values.openAfterCreate = m_open->isChecked();
    values.compress = m_compress->isChecked();
    values.pagesPerSheet = m_pagesPerSheet->currentData().toInt();
    if (m_securityLayout) {
        values.ownerPassword = utf8(m_ownerPassword->text());
        values.userPassword = utf8(m_userPassword->text());
        values.printingLevel = m_printing->currentIndex();
        values.encryptionLevel = m_encryption->currentData().toInt();
        values.allowChanges = m_allowChanges->isChecked();
        values.allowDocumentAssembly = m_allowAssembly->isChecked();
        values.allowCopying = m_allowCopying->isChecked();
        values.allowCopyingAccessibility = m_allowAccessibility->isChecked();
        values.allowCommenting = m_allowCommenting->isChecked();
        values.allowFillingFormFields = m_allowForms->isChecked();
    }
    // The range: every page, the page in the preview, or the typed pages
    // in order, kept to the report.
    const int32_t pageCount = m_report.pageCount();
    if (m_range->choice() == TPageRangeGroup::Choice::CurrentPage) {
        values.firstPage = values.lastPage = m_pageScroller->value();
    } else if (m_range->choice() == TPageRangeGroup::Choice::TypedPages) {
        int32_t from = m_range->typedFrom();
        int32_t to = m_range->typedTo();
        if (to < from)
            std::swap(from, to);
        values.firstPage = std::max(from, 1);
        values.lastPage = std::min(to, pageCount);
    }
    return values;
}

TPdfDialogOutcome TPdfOptionsDialog::ask()
{
    exec();
    TPdfDialogOutcome outcome;
    outcome.values = values();
    outcome.save = result() == QDialog::Accepted && !outcome.values.fileName.empty();
    return outcome;
}

void TPdfOptionsDialog::done(int result)
{
    applyPdfDialogValues(m_report, values());
    QDialog::done(result);
}

void TPdfOptionsDialog::chooseFileName()
{
    const std::optional<std::string> chosen = m_ui.saveFileName(
        utf8(m_texts.text(TextSlot::strPdfOptionsTitle)), kPdfFilter, utf8(m_fileName->text()));
    if (chosen && !chosen->empty())
        m_fileName->setText(fromUtf8(withExtension(*chosen, ".PDF")));
}

void TPdfOptionsDialog::showPage(int pageNumber)
{
    m_pageLabel->setText(QStringLiteral("%1 / %2").arg(pageNumber).arg(m_report.pageCount()));
    m_preview->showPage(TPageDrawing(m_report, pageNumber, 1.0));
}

TPdfDialogOutcome TPdfSaveConfirmation::ask()
{
    TPdfDialogOutcome outcome;
    outcome.values = pdfDialogValuesOf(m_report);
    const std::optional<std::string> chosen =
        m_ui.saveFileName("PDF Document Options", kPdfFilter, outcome.values.fileName);
    applyPdfDialogValues(m_report, outcome.values);
    if (chosen && !chosen->empty()) {
        outcome.values.fileName = *chosen;
        outcome.save = true;
    }
    return outcome;
}

} // namespace orv
