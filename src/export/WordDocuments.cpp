#include "export/WordDocuments.h"

#include "document/GraphicObjects.h"
#include "document/PaperSizes.h"
#include "document/Report.h"
#include "export/FlatOdt.h"
#include "export/MetafileExport.h"
#include "export/OfficeConverter.h"
#include "export/PdfPageImages.h"
#include "platform/AtomicFile.h"
#include "platform/FileNames.h"
#include "platform/UiServices.h"
#include "metafile/EmfWriter.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <optional>

namespace fs = std::filesystem;

namespace orv {

namespace {

constexpr double kWordMargin = 20.0 / 72; // 20 points
// Document pages are read at this resolution; enough for print-quality text.
constexpr int kImportPixelsPerInch = 150;
// Sizes read back from a document are rounded (to 1/1000 cm, to a pixel).
constexpr double kSizeTolerance = 0.02; // inches
constexpr int32_t kLastPaperCode = 41;

QByteArray readFile(const std::string& path)
{
    QFile in(QString::fromStdString(path));
    if (!in.open(QIODevice::ReadOnly))
        throw std::runtime_error("Cannot read " + path);
    return in.readAll();
}

std::string withFolder(const std::string& fileName)
{
    if (fileName.find('/') != std::string::npos)
        return fileName;
    return (fs::current_path() / fileName).string();
}

// Every page's picture; the clipboard ends up holding the last one, as it
// would after the pages were pasted one by one.
std::vector<TPictureOnPage> pagePictures(const TReport& report)
{
    std::vector<TPictureOnPage> pages;
    for (int32_t p = 1; p <= report.pageCount(); ++p) {
        const TPageObject& page = report.page(p);
        const TPageSetup setup{page.Width, page.Height, kWordMargin, kWordMargin, kWordMargin, kWordMargin};
        pages.push_back({setup, pageMetafile(report, p)});
    }
    if (report.pageCount() > 0)
        copyPageToClipboard(report, report.pageCount());
    return pages;
}

// Writes the document through LibreOffice; false when it cannot be started
// or the document cannot be written.
bool writeWordDocument(const std::vector<TPictureOnPage>& pages, const std::string& target)
{
    try {
        QTemporaryDir work;
        if (!work.isValid())
            return false;
        const std::string source = work.filePath("report.fodt").toStdString();
        writeFileAtomically(source, flatOdtOfPictures(pages).toStdString());
        const std::string converted = TOfficeConverter().convert(source, "doc:MS Word 97", work.path().toStdString());
        writeFileAtomically(target, readFile(converted).toStdString());
        return true;
    } catch (const std::runtime_error&) {
        return false;
    }
}

// Document names come from hosts that ignore case: "memo.doc" answers for
// "memo.DOC".
bool wordFileExists(const std::string& fileName)
{
    const fs::path wanted = withExtension(fileName, ".DOC");
    const fs::path folder = wanted.parent_path().empty() ? fs::path(".") : wanted.parent_path();
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        const fs::path name = entry.path().filename();
        if (name.stem() == wanted.stem() && QString::fromStdString(name.extension().string()).toUpper() == ".DOC"
            && entry.is_regular_file(error))
            return true;
    }
    return false;
}

bool sameSize(double a, double b)
{
    return std::abs(a - b) <= kSizeTolerance;
}

// The first paper code of that size, either way round; Letter when no code
// has it, as for any unknown paper code.
int32_t paperCodeOf(double width, double height)
{
    const double shorter = std::min(width, height);
    const double longer = std::max(width, height);
    for (int32_t code = 1; code <= kLastPaperCode; ++code) {
        const PaperSize size = *paperSizeOf(code);
        if (sameSize(shorter, std::min(size.width, size.height)) && sameSize(longer, std::max(size.width, size.height)))
            return code;
    }
    return kPaperLetter;
}

// The document's page layout of that paper; a page of none (which LibreOffice
// does not write) has no margins.
TPageSetup setupOfPage(const std::vector<TPageSetup>& layouts, const QImage& page)
{
    const double width = static_cast<double>(page.width()) / kImportPixelsPerInch;
    const double height = static_cast<double>(page.height()) / kImportPixelsPerInch;
    for (const TPageSetup& layout : layouts)
        if (sameSize(layout.width, width) && sameSize(layout.height, height))
            return layout;
    return TPageSetup{width, height};
}

// The part of the page inside its margins, as an EMF holding the bitmap.
QByteArray pictureInsideMargins(const QImage& page, const TPageSetup& setup)
{
    const auto pixels = [](double inches) { return static_cast<int>(std::lround(inches * kImportPixelsPerInch)); };
    const QImage inside =
        page.copy(pixels(setup.left), pixels(setup.top), pixels(setup.innerWidth()), pixels(setup.innerHeight()));
    return recordEmf(inside.size(), kImportPixelsPerInch,
                     [&](QPainter& painter) { painter.drawImage(0, 0, inside); });
}

// Gives the document page a report page: the view page for the first, a new
// last page for the others. Returns that page's number.
int32_t pageFor(TReport& report, const TPageSetup& setup, bool first)
{
    const int32_t paper = paperCodeOf(setup.width, setup.height);
    const int32_t orientation = setup.width > setup.height ? 1 : 0;
    if (first) {
        report.setPageByPaperSize(paper, orientation);
        return report.viewPageNumber();
    }
    report.newPageByPaperSize(paper, orientation, 0, 0);
    return report.pageCount();
}

} // namespace

int32_t saveReportToWord(TReport& report, TUiServices& ui, std::string& fileName, bool openFile)
{
    fileName = withFolder(fileName);
    if (!fs::is_directory(fs::path(fileName).parent_path()))
        return -2;
    const std::string target = outputFileName(fileName, ".DOC");

    report.moveViewPage(1);
    if (!writeWordDocument(pagePictures(report), target))
        return -2;
    if (openFile) {
        if (!fs::exists(target))
            return -3;
        ui.openDocument(target);
    }
    return 0;
}

int32_t addWordDocument(TReport& report, const std::string& pictureName, const std::string& fileName)
{
    if (!wordFileExists(fileName))
        return -2;
    const int32_t shownPage = report.viewPageNumber();
    QCoreApplication::processEvents();

    QTemporaryDir work;
    if (!work.isValid())
        throw std::runtime_error("Cannot create a folder for converting " + fileName);
    const std::string workDir = work.path().toStdString();
    std::string pdf, flatOdt;
    try {
        TOfficeConverter office;
        pdf = office.convert(fileName, "pdf:writer_pdf_Export", workDir);
        flatOdt = office.convert(fileName, "fodt:OpenDocument Text Flat XML", workDir);
    } catch (const TOfficeUnavailable&) {
        return -3;
    }
    const std::vector<TPageSetup> layouts = pageLayoutsOfFlatOdt(readFile(flatOdt));
    const std::vector<QImage> pages = renderPdfPages(pdf, kImportPixelsPerInch, workDir);
    QCoreApplication::processEvents();

    for (size_t i = 0; i < pages.size(); ++i) {
        const TPageSetup setup = setupOfPage(layouts, pages[i]);
        const std::string file = report.TempFiles.createInCurrentDirectory(".WMF");
        writeFileAtomically(file, pictureInsideMargins(pages[i], setup).toStdString());
        const int32_t target = pageFor(report, setup, i == 0);
        fillPicture(report.page(target).Objects.emplace_back(), pictureName, file,
                    TObjectPlace::fromInches(static_cast<float>(setup.left), static_cast<float>(setup.top),
                                             static_cast<float>(setup.innerWidth()),
                                             static_cast<float>(setup.innerHeight())),
                    storedStyle(TImageScaling::FitProportionally), 0, 0);
    }
    report.gotoPage(shownPage);
    return 0;
}

} // namespace orv
