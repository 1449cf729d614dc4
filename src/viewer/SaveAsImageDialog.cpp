#include "viewer/SaveAsImageDialog.h"

#include "document/Report.h"
#include "export/PageImageExport.h"
#include "platform/FileNames.h"
#include "platform/Rounding.h"
#include "platform/Screen.h"
#include "platform/UiServices.h"
#include "printing/DialogControls.h"
#include "printing/PagePreview.h"
#include "render/PageRenderer.h"
#include "viewer/InterfaceTexts.h"
#include "viewer/PageRangeGroup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>
#include <filesystem>
#include <vector>

namespace orv {

namespace {

constexpr const char* kCaption = "Save As Image";
constexpr const char* kQualityRange = "Please enter a value between 1 and 100";
constexpr const char* kPictureFilter =
    "Pictures (*.BMP *.EMF *.GIF *.JPG *.PNG *.TIF);;All files (*)";

QString fromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }
std::string utf8(const QString& text) { return text.toUtf8().toStdString(); }

// The depths each picture type offers; the first is the one it starts with.
std::vector<int> depthsOf(ImageFileType type)
{
    switch (type) {
    case ImageFileType::Bmp:
        return {24, 16, 15, 8, 4, 1};
    case ImageFileType::Emf:
        return {};
    case ImageFileType::Gif:
        return {8, 4};
    case ImageFileType::Jpeg:
        return {24};
    case ImageFileType::Png:
        return {24, 16, 15, 8, 4};
    case ImageFileType::Tiff:
        break;
    }
    return {24, 16, 8, 4, 1};
}

// The number a box holds, or nothing when it holds anything but a whole
// number (a quality of "50x" is refused, not read as 50).
std::optional<int> numberIn(const QLineEdit* box)
{
    bool ok = false;
    const int value = box->text().trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace

TSaveAsImageDialog::TSaveAsImageDialog(const TReport& report, const TInterfaceTexts& texts, TUiServices& ui,
                                       QWidget* parent)
    : QDialog(parent), m_report(report), m_texts(texts), m_ui(ui)
{
    setWindowTitle(QString::fromLatin1(kCaption));
    setFixedSize(634, 330);
    buildFileControls();
    buildImageControls();
    buildRangeGroup();
    buildPreview();
    buildBottomRow();

    m_fileName->setText(fromUtf8(withExtension(report.PdfSetup.FileName, ".JPG")));
    m_type->setCurrentIndex(m_type->findData(static_cast<int>(ImageFileType::Jpeg)));
    typeChosen();
    const int pageCount = std::max(report.pageCount(), 1);
    {
        const QSignalBlocker quiet(m_pageScroller);
        m_pageScroller->setRange(1, pageCount);
        m_pageScroller->setValue(std::clamp(report.viewPageNumber(), 1, pageCount));
    }
    const int32_t full = fullSize(m_pageScroller->value());
    {
        const QSignalBlocker quiet(m_sizeScroller);
        m_sizeScroller->setRange(20, 4 * full);
        m_sizeScroller->setValue(full);
    }
    showPage(m_pageScroller->value());
    m_range->choose(TPageRangeGroup::Choice::CurrentPage);
}

void TSaveAsImageDialog::buildFileControls()
{
    addLabel(m_texts.text(TextSlot::strFileName), this, QRect(10, 13, 90, 16), "lblFileName");
    m_fileName = addControl<QLineEdit>(this, "txtFileName", QRect(104, 10, 260, 22));
    auto* browse = addControl<QPushButton>(this, "cmdBrowse", QRect(368, 10, 26, 22), QStringLiteral("..."));
    connect(browse, &QPushButton::clicked, this, [this] { chooseFileName(); });
    connect(m_fileName, &QLineEdit::textChanged, this,
            [this](const QString& name) { m_save->setEnabled(!name.trimmed().isEmpty()); });
}

void TSaveAsImageDialog::buildImageControls()
{
    addLabel(QStringLiteral("Image Type:"), this, QRect(10, 43, 90, 16));
    m_type = addControl<QComboBox>(this, "cboImageType", QRect(104, 40, 90, 22));
    const std::pair<const char*, ImageFileType> types[] = {
        {"BMP", ImageFileType::Bmp}, {"EMF", ImageFileType::Emf}, {"GIF", ImageFileType::Gif},
        {"JPEG", ImageFileType::Jpeg}, {"PNG", ImageFileType::Png}, {"TIFF", ImageFileType::Tiff}};
    for (const auto& [name, type] : types)
        m_type->addItem(QString::fromLatin1(name), static_cast<int>(type));
    addLabel(QStringLiteral("Bits per Pixel:"), this, QRect(206, 43, 90, 16));
    m_bitsPerPixel = addControl<QComboBox>(this, "cboBitsPerPixel", QRect(300, 40, 94, 22));

    addLabel(QStringLiteral("Quality:"), this, QRect(10, 73, 90, 16));
    m_qualityScroller = addControl<QScrollBar>(this, "scrQuality", QRect(104, 73, 200, 17));
    m_qualityScroller->setOrientation(Qt::Horizontal);
    m_qualityScroller->setRange(1, 100);
    m_qualityScroller->setValue(90);
    m_quality = addControl<QLineEdit>(this, "txtQuality", QRect(310, 70, 40, 22));
    m_quality->setText(QStringLiteral("90"));
    connect(m_qualityScroller, &QScrollBar::valueChanged, this,
            [this](int quality) { m_quality->setText(QString::number(quality)); });
    connect(m_quality, &QLineEdit::editingFinished, this, [this] { qualityTyped(); });

    m_grayscale = addControl<QCheckBox>(this, "chkGrayscale", QRect(104, 98, 100, 20), QStringLiteral("Grayscale"));
    m_multiPageTiff =
        addControl<QCheckBox>(this, "chkMultiPageTiff", QRect(210, 98, 140, 20), QStringLiteral("Multi-Page TIFF"));

    addLabel(QStringLiteral("Image Size:"), this, QRect(10, 127, 90, 16));
    m_sizeScroller = addControl<QScrollBar>(this, "scrImageSize", QRect(104, 127, 140, 17));
    m_sizeScroller->setOrientation(Qt::Horizontal);
    m_sizeLabel = addControl<QLabel>(this, "lblImageSize", QRect(250, 127, 150, 16));
    connect(m_sizeScroller, &QScrollBar::valueChanged, this, [this] { showImageSize(); });
    connect(m_type, &QComboBox::currentIndexChanged, this, [this] { typeChosen(); });
}

void TSaveAsImageDialog::buildRangeGroup()
{
    m_range = new TPageRangeGroup(QStringLiteral(" Pages "), m_report.pageCount(), this);
    m_range->setGeometry(8, 152, 390, 66);
}

void TSaveAsImageDialog::buildPreview()
{
    m_preview = new TPagePreview(this);
    m_preview->setGeometry(404, 4, 221, 262);
    m_pageLabel = addControl<QLabel>(this, "lblPageNumber", QRect(404, 273, 80, 16));
    m_pageScroller = addControl<QScrollBar>(this, "scrPageNumber", QRect(486, 272, 139, 17));
    m_pageScroller->setOrientation(Qt::Horizontal);
    m_pageScroller->setPageStep(1);
    connect(m_pageScroller, &QScrollBar::valueChanged, this, [this](int page) { showPage(page); });
}

void TSaveAsImageDialog::buildBottomRow()
{
    auto* label = addLabel(m_texts.text(TextSlot::strPagesPerSheet) + QLatin1Char(':'), this,
                           QRect(10, 229, 110, 16), "lblPagesPerSheet");
    m_pagesPerSheet = addControl<QComboBox>(this, "cboPagesPerSheet", QRect(124, 226, 90, 22));
    label->setBuddy(m_pagesPerSheet);
    m_pagesPerSheet->addItem(QStringLiteral("1 Page"), 1);
    m_pagesPerSheet->addItem(QStringLiteral("2 Pages"), 2);
    m_pagesPerSheet->addItem(QStringLiteral("4 Pages"), 4);
    m_pagesPerSheet->addItem(QStringLiteral("8 Pages"), 8);
    connect(m_pagesPerSheet, &QComboBox::currentIndexChanged, this, [this] { showImageSize(); });
    m_open = addControl<QCheckBox>(this, "chkOpen", QRect(230, 228, 100, 20), QStringLiteral("Open"));
    m_open->setChecked(true);

    m_progress = addControl<QProgressBar>(this, "prgSaving", QRect(10, 262, 384, 16));
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);

    m_save = addControl<QPushButton>(this, "cmdSave", QRect(466, 297, 75, 25), m_texts.text(TextSlot::strSave));
    m_cancel =
        addControl<QPushButton>(this, "cmdCancel", QRect(550, 297, 75, 25), m_texts.text(TextSlot::strCancel));
    m_save->setDefault(true);
    connect(m_save, &QPushButton::clicked, this, [this] { save(); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { reject(); });
}

ImageFileType TSaveAsImageDialog::type() const
{
    return static_cast<ImageFileType>(m_type->currentData().toInt());
}

// The file takes the type's extension; quality and grey only for JPEG,
// one file of many pages only for TIFF, and the depths the type offers.
void TSaveAsImageDialog::typeChosen()
{
    const ImageFileType chosen = type();
    if (!m_fileName->text().isEmpty())
        m_fileName->setText(fromUtf8(withExtension(utf8(m_fileName->text()), imageFileExtension(chosen))));
    const bool jpeg = chosen == ImageFileType::Jpeg;
    m_qualityScroller->setEnabled(jpeg);
    m_quality->setEnabled(jpeg);
    m_grayscale->setEnabled(jpeg);
    if (!jpeg)
        m_grayscale->setChecked(false);
    m_multiPageTiff->setEnabled(chosen == ImageFileType::Tiff);
    if (chosen != ImageFileType::Tiff)
        m_multiPageTiff->setChecked(false);

    m_bitsPerPixel->clear();
    for (int depth : depthsOf(chosen))
        m_bitsPerPixel->addItem(QStringLiteral("%1 Bits").arg(depth), depth);
    m_bitsPerPixel->setEnabled(m_bitsPerPixel->count() > 1);
}

void TSaveAsImageDialog::qualityTyped()
{
    const std::optional<int> quality = numberIn(m_quality);
    if (quality && *quality >= 1 && *quality <= 100) {
        m_qualityScroller->setValue(*quality);
        return;
    }
    m_ui.showMessage(kCaption, kQualityRange, TUiServices::Icon::Warning, TUiServices::Buttons::Ok);
    m_quality->setText(QString::number(m_qualityScroller->value()));
}

// The longer side of the page at the screen's resolution: the image size
// that shows the page as large as the viewer does at 100 %.
int32_t TSaveAsImageDialog::fullSize(int32_t pageNumber) const
{
    const TPageObject& page = m_report.page(pageNumber);
    return std::max(truncated(std::max(page.Width, page.Height) * screenPixelsPerInch()), 20);
}

double TSaveAsImageDialog::scale() const
{
    return roundToFourDecimals(static_cast<double>(m_sizeScroller->value()) / fullSize(m_pageScroller->value()));
}

void TSaveAsImageDialog::showPage(int pageNumber)
{
    m_pageLabel->setText(QStringLiteral("%1 / %2").arg(pageNumber).arg(m_report.pageCount()));
    m_preview->showPage(TPageDrawing(m_report, pageNumber, 1.0));
    // Another page may be of another size; the image keeps its scale.
    const double kept = m_sizeScroller->maximum() > 0 ? scale() : 1.0;
    const int32_t full = fullSize(pageNumber);
    const QSignalBlocker quiet(m_sizeScroller);
    m_sizeScroller->setRange(20, 4 * full);
    m_sizeScroller->setValue(truncated(kept * full));
    showImageSize();
}

// "816 x 1056 (100%)" for a page taller than wide, "1056x816 (100%)"
// otherwise: the picture Save writes for the page in the preview.
void TSaveAsImageDialog::showImageSize()
{
    const double imageScale = scale();
    const QSize size =
        imageSetSheetSize(m_report, m_pageScroller->value(), m_pagesPerSheet->currentData().toInt(), imageScale);
    const TPageObject& page = m_report.page(m_pageScroller->value());
    const QString separator = page.Height > page.Width ? QStringLiteral(" x ") : QStringLiteral("x");
    m_sizeLabel->setText(QStringLiteral("%1%2%3 (%4%)")
                             .arg(size.width())
                             .arg(separator)
                             .arg(size.height())
                             .arg(truncated(imageScale * 100 + 0.5)));
}

void TSaveAsImageDialog::chooseFileName()
{
    const std::optional<std::string> chosen = m_ui.saveFileName(kCaption, kPictureFilter, utf8(m_fileName->text()));
    if (chosen && !chosen->empty())
        m_fileName->setText(fromUtf8(withExtension(*chosen, imageFileExtension(type()))));
}

TImageSetRequest TSaveAsImageDialog::request() const
{
    TImageSetRequest request;
    request.fileName = utf8(m_fileName->text().trimmed());
    request.type = type();
    if (m_range->choice() == TPageRangeGroup::Choice::CurrentPage) {
        request.firstPage = request.lastPage = m_pageScroller->value();
    } else if (m_range->choice() == TPageRangeGroup::Choice::All) {
        request.firstPage = 1;
        request.lastPage = m_report.pageCount();
    } else {
        const TPageRange range = exportedPageRange(m_report, m_range->typedFrom(), m_range->typedTo());
        request.firstPage = range.first;
        request.lastPage = range.last;
    }
    request.scale = scale();
    request.pagesPerSheet = m_pagesPerSheet->currentData().toInt();
    request.multiPageTiff = m_multiPageTiff->isChecked();
    request.options.bitsPerPixel = m_bitsPerPixel->count() > 0 ? m_bitsPerPixel->currentData().toInt() : 24;
    request.options.grayscale = m_grayscale->isChecked();
    request.options.jpegQuality = m_qualityScroller->value();
    return request;
}

void TSaveAsImageDialog::save()
{
    if (m_saving)
        return;
    const std::optional<int> quality = numberIn(m_quality);
    if (type() == ImageFileType::Jpeg && !(quality && *quality >= 1 && *quality <= 100)) {
        qualityTyped();
        return;
    }
    const TImageSetRequest wanted = request();
    if (wanted.fileName.empty())
        return;

    m_saving = true;
    m_stop = false;
    m_deleteWhenStopped = false;
    m_progress->setValue(0);
    m_save->setEnabled(false);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    TImageSetResult result;
    try {
        result = saveImageSet(m_report, wanted, this);
    } catch (const std::exception& failure) {
        QGuiApplication::restoreOverrideCursor();
        m_saving = false;
        m_save->setEnabled(true);
        m_ui.showMessage(kCaption, failure.what(), TUiServices::Icon::Error, TUiServices::Buttons::Ok);
        return;
    }
    QGuiApplication::restoreOverrideCursor();
    m_saving = false;
    m_save->setEnabled(true);

    if (result.stopped && m_deleteWhenStopped) {
        deleteImageFiles(result);
        m_saved = {};
    } else {
        m_saved = std::move(result);
        if (m_open->isChecked())
            openFirstFile();
    }
    accept();
}

void TSaveAsImageDialog::openFirstFile()
{
    if (!m_saved.files.empty() && std::filesystem::exists(m_saved.files.front()))
        m_ui.openDocument(m_saved.files.front());
    else
        m_ui.showMessage(kCaption, "File Not Found!", TUiServices::Icon::Warning, TUiServices::Buttons::Ok);
}

void TSaveAsImageDialog::sheetSaved(int32_t done, int32_t total)
{
    m_progress->setValue(total > 0 ? done * 100 / total : 100);
    QCoreApplication::processEvents();
}

bool TSaveAsImageDialog::stopRequested()
{
    QCoreApplication::processEvents();
    return m_stop;
}

void TSaveAsImageDialog::reject()
{
    if (!m_saving) {
        QDialog::reject();
        return;
    }
    if (m_stop)
        return;
    if (m_ui.showMessage(kCaption, "Cancel Saving Pages as Images?", TUiServices::Icon::Question,
                         TUiServices::Buttons::YesNo) != TUiServices::Answer::Yes)
        return;
    m_stop = true;
    m_deleteWhenStopped = m_ui.showMessage(kCaption, "Delete files rendered so far?", TUiServices::Icon::Question,
                                           TUiServices::Buttons::YesNo) == TUiServices::Answer::Yes;
}

std::string saveAsImageWithoutDialog(const TReport& report, TUiServices& ui)
{
    TCurrentDirectoryGuard keepDirectory;
    const std::optional<std::string> chosen =
        ui.saveFileName(kCaption, kPictureFilter, withExtension(report.PdfSetup.FileName, ".JPG"));
    if (!chosen || chosen->empty())
        return {};
    TImageSetRequest request;
    request.fileName = *chosen;
    request.firstPage = request.lastPage = std::clamp(report.viewPageNumber(), 1, report.pageCount());
    const TImageSetResult saved = saveImageSet(report, request);
    openWhenAsked(ui, saved.files.front(), true);
    return saved.files.front();
}

} // namespace orv
