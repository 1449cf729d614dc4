#include "export/PageImageSet.h"

#include "document/Report.h"
#include "export/PageImageExport.h"
#include "metafile/EmfWriter.h"
#include "platform/AtomicFile.h"
#include "platform/FileNames.h"
#include "render/PageRenderer.h"
#include "render/SheetLayout.h"

#include <QPainter>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <stdexcept>

namespace orv {

namespace {

constexpr double kExportDpi = 96;

// The sheet that starts with report page `first`: its size in pixels at
// `scale`, and how to draw its pages (up to `last`) into it.
class TSheetPicture {
public:
    TSheetPicture(const TReport& report, int32_t first, int32_t last, const TSheetLayout& layout, double scale)
        : m_report(report), m_first(first), m_last(std::min(last, first + layout.cells() - 1)), m_layout(layout),
          m_scale(scale)
    {
        m_size = imageSetSheetSize(report, first, layout.pagesPerSheet, scale);
    }

    QSize size() const { return m_size; }

    void paint(QPainter& painter) const
    {
        const TSheetSize sheet{static_cast<double>(m_size.width()), static_cast<double>(m_size.height())};
        for (int32_t page = m_first; page <= m_last; ++page) {
            const TPageDrawing picture(m_report, page, m_scale);
            const TCellOrigin origin = m_layout.cellOrigin(page - m_first + 1, sheet);
            painter.save();
            painter.translate(origin.x, origin.y);
            painter.scale(m_layout.scale(), m_layout.scale());
            picture.play(painter);
            painter.restore();
        }
    }

    QImage image() const
    {
        QImage image = whitePaperImage(m_size, m_first);
        QPainter painter(&image);
        paint(painter);
        return image;
    }

    QByteArray metafile() const
    {
        const QByteArray emf = recordEmf(m_size, kExportDpi, [this](QPainter& painter) { paint(painter); });
        if (emf.isEmpty())
            throw std::runtime_error("Cannot make a metafile of page " + std::to_string(m_first));
        return emf;
    }

private:
    const TReport& m_report;
    int32_t m_first;
    int32_t m_last;
    TSheetLayout m_layout;
    double m_scale;
    QSize m_size;
};

void writeSheet(const TSheetPicture& sheet, ImageFileType type, const std::string& path,
                const TRasterOptions& options)
{
    switch (type) {
    case ImageFileType::Bmp:
        writeBmp(sheet.image(), path, options);
        break;
    case ImageFileType::Emf: {
        const QByteArray emf = sheet.metafile();
        writeFileAtomically(path, std::string_view(emf.constData(), static_cast<size_t>(emf.size())));
        break;
    }
    case ImageFileType::Gif:
        writeGif(sheet.image(), path, options);
        break;
    case ImageFileType::Jpeg:
        writeJpeg(sheet.image(), path, options);
        break;
    case ImageFileType::Png:
        writePng(sheet.image(), path, options);
        break;
    case ImageFileType::Tiff: {
        TTiffWriter writer(path, options);
        writer.addPage(sheet.image());
        writer.finish();
        break;
    }
    }
}

} // namespace

QSize imageSetSheetSize(const TReport& report, int32_t firstPage, int32_t pagesPerSheet, double scale)
{
    const TPageObject& page = report.page(firstPage);
    const TSheetSize sheet = TSheetLayout{pagesPerSheet}.sheetSize(page.Width, page.Height);
    return QSize(static_cast<int>(sheet.width * kExportDpi * scale), static_cast<int>(sheet.height * kExportDpi * scale));
}

const char* imageFileExtension(ImageFileType type)
{
    switch (type) {
    case ImageFileType::Bmp:
        return ".BMP";
    case ImageFileType::Emf:
        return ".EMF";
    case ImageFileType::Gif:
        return ".GIF";
    case ImageFileType::Jpeg:
        return ".JPG";
    case ImageFileType::Png:
        return ".PNG";
    case ImageFileType::Tiff:
        break;
    }
    return ".TIF";
}

std::string numberedFileName(const std::string& fileName, int32_t pageNumber, int32_t pageCount)
{
    int digits = 2;
    for (int64_t limit = 100; pageCount >= limit && digits < 6; limit *= 10)
        ++digits;
    char number[16];
    std::snprintf(number, sizeof number, "-%0*d", digits, pageNumber);
    const std::string stem = withExtension(fileName, "");
    const std::string extension = fileName.substr(stem.size());
    return stem + number + extension;
}

TImageSetResult saveImageSet(const TReport& report, const TImageSetRequest& request, IImageSetProgress* progress)
{
    const TSheetLayout layout{request.pagesPerSheet};
    const int32_t perSheet = layout.cells();
    const int32_t sheets = (request.lastPage - request.firstPage) / perSheet + 1;
    const std::string path = outputFileName(request.fileName, imageFileExtension(request.type));
    const bool oneFile = sheets == 1 || (request.type == ImageFileType::Tiff && request.multiPageTiff);

    TImageSetResult result;
    std::optional<TTiffWriter> tiff;
    if (sheets > 1 && oneFile)
        tiff.emplace(path, request.options);
    int32_t done = 0;
    for (int32_t first = request.firstPage; first <= request.lastPage; first += perSheet) {
        if (done > 0 && progress && progress->stopRequested()) {
            result.stopped = true;
            break;
        }
        const TSheetPicture sheet(report, first, request.lastPage, layout, request.scale);
        if (tiff) {
            tiff->addPage(sheet.image());
        } else {
            const std::string file = oneFile ? path : numberedFileName(path, first, report.pageCount());
            writeSheet(sheet, request.type, file, request.options);
            result.files.push_back(file);
        }
        ++done;
        if (progress)
            progress->sheetSaved(done, sheets);
    }
    if (tiff) {
        tiff->finish();
        result.files.push_back(path);
    }
    return result;
}

void deleteImageFiles(const TImageSetResult& result)
{
    for (const std::string& file : result.files) {
        std::error_code ignored;
        std::filesystem::remove(file, ignored);
    }
}

} // namespace orv
