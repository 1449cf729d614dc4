// The page-image operations of the control: a page (or a range of pages for
// TIFF) saved as JPEG, bitmap, PNG or TIFF.

#include "control/TORVREP.h"

#include "export/PageImageExport.h"

namespace orv {

namespace {

// The operations act only on a file name given as non-empty text.
std::optional<std::string> exportFileName(const Variant& cFileName)
{
    if (!cFileName.isString() || cFileName.toString().empty())
        return std::nullopt;
    return cFileName.toString();
}

TPageImageRequest pageImageRequest(std::string fileName, int32_t nPageNumber, bool lOpenFile,
                                   int32_t nThumbnailSize, int32_t nBitsPerPixel, bool lGrayScale)
{
    TPageImageRequest request;
    request.fileName = std::move(fileName);
    request.pageNumber = nPageNumber;
    request.openFile = lOpenFile;
    request.thumbnail = nThumbnailSize;
    request.options.bitsPerPixel = nBitsPerPixel;
    request.options.grayscale = lGrayScale;
    return request;
}

} // namespace

Variant TORVREP::SaveToJPEG(const Variant& cFileName, int32_t nPageNumber, bool lOpenFile, int32_t nThumbnailSize,
                            bool lGrayScale, int32_t nCompressionQuality, bool lProgressiveEncoding)
{
    return runTrapped([&] {
        const std::optional<std::string> name = exportFileName(cFileName);
        if (!name)
            return Variant();
        TPageImageRequest request = pageImageRequest(*name, nPageNumber, lOpenFile, nThumbnailSize, 24, lGrayScale);
        request.options.jpegQuality = nCompressionQuality;
        request.options.progressive = lProgressiveEncoding;
        return Variant(savePageImage(*m_report, *m_ui, PageImageFormat::Jpeg, request));
    });
}

Variant TORVREP::SaveToBitmap(const Variant& cFileName, int32_t nPageNumber, bool lOpenFile, int32_t nThumbnailSize,
                              int32_t nBitsPerPixel, bool lGrayScale)
{
    return runTrapped([&] {
        const std::optional<std::string> name = exportFileName(cFileName);
        if (!name)
            return Variant();
        const TPageImageRequest request =
            pageImageRequest(*name, nPageNumber, lOpenFile, nThumbnailSize, nBitsPerPixel, lGrayScale);
        return Variant(savePageImage(*m_report, *m_ui, PageImageFormat::Bitmap, request));
    });
}

Variant TORVREP::SaveToPNG(const Variant& cFileName, int32_t nPageNumber, bool lOpenFile, int32_t nThumbnailSize,
                           int32_t nBitsPerPixel, bool lGrayScale)
{
    return runTrapped([&] {
        const std::optional<std::string> name = exportFileName(cFileName);
        if (!name)
            return Variant();
        const TPageImageRequest request =
            pageImageRequest(*name, nPageNumber, lOpenFile, nThumbnailSize, nBitsPerPixel, lGrayScale);
        return Variant(savePageImage(*m_report, *m_ui, PageImageFormat::Png, request));
    });
}

Variant TORVREP::SaveToTIFF(const Variant& cFileName, int32_t nPageNumberStart, int32_t nPageNumberEnd,
                            bool lOpenFile, int32_t nThumbnailSize, int32_t nCompressionType, int32_t nBitsPerPixel,
                            bool lGrayScale)
{
    return runTrapped([&] {
        const std::optional<std::string> name = exportFileName(cFileName);
        if (!name)
            return Variant();
        TTiffRequest request;
        request.fileName = *name;
        request.startPage = nPageNumberStart;
        request.endPage = nPageNumberEnd;
        request.openFile = lOpenFile;
        request.thumbnail = nThumbnailSize;
        request.options.bitsPerPixel = nBitsPerPixel;
        request.options.grayscale = lGrayScale;
        request.options.tiffCompression = tiffCompressionOf(nCompressionType);
        return Variant(savePagesAsTiff(*m_report, *m_ui, request));
    });
}

} // namespace orv
