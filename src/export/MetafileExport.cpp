#include "export/MetafileExport.h"

#include "document/Report.h"
#include "export/PageImageExport.h"
#include "platform/AtomicFile.h"
#include "platform/ClipboardPicture.h"
#include "platform/FileNames.h"
#include "metafile/EmfWriter.h"
#include "render/PageRenderer.h"

#include <QBuffer>

#include <algorithm>
#include <stdexcept>

namespace orv {

namespace {

constexpr double kExportDpi = 96;

} // namespace

QByteArray pageMetafile(const TReport& report, int32_t pageNumber)
{
    const TPageDrawing page(report, pageNumber, 1.0);
    const QByteArray emf = recordEmf(page.size(), kExportDpi, [&](QPainter& painter) { page.play(painter); });
    if (emf.isEmpty())
        throw std::runtime_error("Cannot make a metafile of " + std::to_string(page.size().width()) + " x " +
                                 std::to_string(page.size().height()) + " pixels for page " +
                                 std::to_string(pageNumber));
    return emf;
}

int32_t savePageMetafile(const TReport& report, TUiServices& ui, const std::string& fileName, int32_t pageNumber,
                         bool openFile)
{
    const std::string path = outputFileName(fileName, ".EMF");
    const QByteArray emf = pageMetafile(report, exportedPage(report, pageNumber));
    writeFileAtomically(path, std::string_view(emf.constData(), static_cast<size_t>(emf.size())));
    return openWhenAsked(ui, path, openFile);
}

void copyPageToClipboard(const TReport& report, int32_t pageNumber)
{
    const int32_t page = std::min(std::max(pageNumber, 1), report.pageCount());
    const QImage image = pageImage(report, page, 0);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        throw std::runtime_error("Cannot make a PNG image of page " + std::to_string(page));
    offerPageOnClipboard(pageMetafile(report, page), png, image);
}

} // namespace orv
