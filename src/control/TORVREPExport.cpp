// The page-image operations of the control: a page (or a range of pages for
// TIFF) saved as JPEG, bitmap, PNG, TIFF or enhanced metafile, or copied to
// the clipboard.

#include "control/TORVREP.h"
#include "viewer/Preview.h"

#include "export/MetafileExport.h"
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

TPageImageRequest pageImageRequest(int32_t nPageNumber, bool lOpenFile, int32_t nThumbnailSize,
                                   int32_t nBitsPerPixel, bool lGrayScale)
{
    TPageImageRequest request;
    request.pageNumber = nPageNumber;
    request.openFile = lOpenFile;
    request.thumbnail = nThumbnailSize;
    request.options.bitsPerPixel = nBitsPerPixel;
    request.options.grayscale = lGrayScale;
    return request;
}

// Saves one page under the given name; without a name nothing happens and
// the result stays empty.
Variant saveNamedPageImage(const TReport& report, TUiServices& ui, PageImageFormat format, const Variant& cFileName,
                           TPageImageRequest request)
{
    const std::optional<std::string> name = exportFileName(cFileName);
    if (!name)
        return Variant();
    request.fileName = *name;
    return Variant(savePageImage(report, ui, format, request));
}

} // namespace

Variant TORVREP::SaveToJPEG(const Variant& cFileName, int32_t nPageNumber, bool lOpenFile, int32_t nThumbnailSize,
                            bool lGrayScale, int32_t nCompressionQuality, bool lProgressiveEncoding)
{
    return runTrapped([&] {
        TPageImageRequest request = pageImageRequest(nPageNumber, lOpenFile, nThumbnailSize, 24, lGrayScale);
        request.options.jpegQuality = nCompressionQuality;
        request.options.progressive = lProgressiveEncoding;
        return saveNamedPageImage(*m_report, *m_ui, PageImageFormat::Jpeg, cFileName, request);
    });
}

Variant TORVREP::SaveToBitmap(const Variant& cFileName, int32_t nPageNumber, bool lOpenFile, int32_t nThumbnailSize,
                              int32_t nBitsPerPixel, bool lGrayScale)
{
    return runTrapped([&] {
        return saveNamedPageImage(*m_report, *m_ui, PageImageFormat::Bitmap, cFileName,
                                  pageImageRequest(nPageNumber, lOpenFile, nThumbnailSize, nBitsPerPixel, lGrayScale));
    });
}

Variant TORVREP::SaveToPNG(const Variant& cFileName, int32_t nPageNumber, bool lOpenFile, int32_t nThumbnailSize,
                           int32_t nBitsPerPixel, bool lGrayScale)
{
    return runTrapped([&] {
        return saveNamedPageImage(*m_report, *m_ui, PageImageFormat::Png, cFileName,
                                  pageImageRequest(nPageNumber, lOpenFile, nThumbnailSize, nBitsPerPixel, lGrayScale));
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

Variant TORVREP::SaveToMetafile(const Variant& cFileName, int32_t nPageNumber, bool lOpenFile)
{
    return runTrapped([&] {
        const std::optional<std::string> name = exportFileName(cFileName);
        if (!name)
            return Variant();
        return Variant(savePageMetafile(*m_report, *m_ui, *name, nPageNumber, lOpenFile));
    });
}

Variant TORVREP::CopyPageToClipboard(int32_t nPageNumber)
{
    return runTrapped([&] {
        copyPageToClipboard(*m_report, nPageNumber);
        return Variant();
    });
}

bool TORVREP::get_DisplaySaveAsImageButton() { return m_displaySaveAsImageButton; }
void TORVREP::put_DisplaySaveAsImageButton(bool value)
{
    m_displaySaveAsImageButton = value;
    m_preview->setControlShown("cmdSaveAsImage", value);
}

} // namespace orv
