#include "export/PageImageExport.h"

#include "document/Report.h"
#include "platform/AtomicFile.h"
#include "platform/UiServices.h"
#include "render/PageRenderer.h"

#include <QPainter>

#include <algorithm>
#include <filesystem>
#include <stdexcept>

namespace orv {

namespace {

// 16384 x 16384: a page of 170 inches square at actual size.
constexpr int64_t kMostPixels = int64_t(1) << 28;

const char* extensionOf(PageImageFormat format)
{
    switch (format) {
    case PageImageFormat::Jpeg:
        return ".JPG";
    case PageImageFormat::Bitmap:
        return ".BMP";
    case PageImageFormat::Png:
        break;
    }
    return ".PNG";
}

} // namespace

int32_t openWhenAsked(TUiServices& ui, const std::string& path, bool openFile)
{
    if (!openFile)
        return 0;
    if (!std::filesystem::exists(path))
        return -1;
    ui.openDocument(path);
    return 0;
}

int32_t exportedPage(const TReport& report, int32_t pageNumber)
{
    return pageNumber > 0 ? std::min(pageNumber, report.pageCount()) : report.viewPageNumber();
}

TPageRange exportedPageRange(const TReport& report, int32_t start, int32_t end)
{
    TPageRange range{std::min(start, end), std::max(start, end)};
    range.first = exportedPage(report, range.first);
    range.last = range.last > 0 ? std::min(range.last, report.pageCount()) : range.first;
    // A start taken from the viewer may lie after the end asked for.
    if (range.last < range.first)
        std::swap(range.first, range.last);
    return range;
}

QImage whitePaperImage(QSize size, int32_t pageNumber)
{
    auto refuse = [&] {
        return std::runtime_error("Cannot make an image of " + std::to_string(size.width()) + " x " +
                                  std::to_string(size.height()) + " pixels for page " + std::to_string(pageNumber));
    };
    // An absurd page size must not exhaust the memory.
    if (size.isEmpty() || int64_t(size.width()) * size.height() > kMostPixels)
        throw refuse();
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        throw refuse();
    image.fill(Qt::white);
    return image;
}

QImage pageImage(const TReport& report, int32_t pageNumber, int32_t thumbnail)
{
    const TPageDrawing page(report, pageNumber, 1.0);
    if (page.size().isEmpty())
        throw std::runtime_error("Cannot make an image of page " + std::to_string(pageNumber));
    const QSize size = thumbnailSize(page.size(), thumbnail);
    QImage image = whitePaperImage(size, pageNumber);
    QPainter painter(&image);
    painter.scale(static_cast<double>(size.width()) / page.size().width(),
                  static_cast<double>(size.height()) / page.size().height());
    page.play(painter);
    return image;
}

int32_t savePageImage(const TReport& report, TUiServices& ui, PageImageFormat format,
                      const TPageImageRequest& request)
{
    const std::string path = outputFileName(request.fileName, extensionOf(format));
    const QImage image = pageImage(report, exportedPage(report, request.pageNumber), request.thumbnail);
    switch (format) {
    case PageImageFormat::Jpeg:
        writeJpeg(image, path, request.options);
        break;
    case PageImageFormat::Bitmap:
        writeBmp(image, path, request.options);
        break;
    case PageImageFormat::Png:
        writePng(image, path, request.options);
        break;
    }
    return openWhenAsked(ui, path, request.openFile);
}

int32_t savePagesAsTiff(const TReport& report, TUiServices& ui, const TTiffRequest& request)
{
    const std::string path = outputFileName(request.fileName, ".TIF");
    const TPageRange range = exportedPageRange(report, request.startPage, request.endPage);
    TTiffWriter writer(path, request.options);
    for (int32_t page = range.first; page <= range.last; ++page)
        writer.addPage(pageImage(report, page, request.thumbnail));
    writer.finish();
    return openWhenAsked(ui, path, request.openFile);
}

} // namespace orv
