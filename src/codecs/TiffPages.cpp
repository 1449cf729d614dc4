#include "codecs/TiffPages.h"

#include "codecs/ImageLimits.h"

#include <QFile>

#include <tiffio.h>

#include <algorithm>
#include <cstdarg>
#include <limits>
#include <vector>

namespace orv {

namespace {

int keepQuiet(TIFF*, void*, const char*, const char*, va_list)
{
    return 1; // handled: nothing printed
}

double dotsPerInch(float resolution, uint16_t unit)
{
    if (unit == RESUNIT_CENTIMETER)
        return resolution * 2.54;
    return unit == RESUNIT_INCH ? resolution : 0;
}

} // namespace

TTiffFile::TTiffFile(const QString& path)
{
    TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
    TIFFOpenOptionsSetErrorHandlerExtR(options, keepQuiet, nullptr);
    TIFFOpenOptionsSetWarningHandlerExtR(options, keepQuiet, nullptr);
    m_tiff = TIFFOpenExt(QFile::encodeName(path).constData(), "r", options);
    TIFFOpenOptionsFree(options);
}

TTiffFile::~TTiffFile()
{
    if (m_tiff)
        TIFFClose(m_tiff);
}

int32_t TTiffFile::pageCount() const
{
    return m_tiff ? TIFFNumberOfDirectories(m_tiff) : 0;
}

bool TTiffFile::select(int32_t index)
{
    return m_tiff && index >= 0 && index < pageCount() && TIFFSetDirectory(m_tiff, static_cast<tdir_t>(index));
}

std::optional<TTiffPageInfo> TTiffFile::pageInfo(int32_t index)
{
    if (!select(index))
        return std::nullopt;
    uint32_t width = 0, height = 0;
    uint16_t bits = 1, samples = 1, photometric = 0, unit = RESUNIT_INCH, extraCount = 0;
    uint16_t* extra = nullptr;
    float xres = 0, yres = 0;
    if (!TIFFGetField(m_tiff, TIFFTAG_IMAGEWIDTH, &width) || !TIFFGetField(m_tiff, TIFFTAG_IMAGELENGTH, &height))
        return std::nullopt;
    TIFFGetFieldDefaulted(m_tiff, TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetFieldDefaulted(m_tiff, TIFFTAG_SAMPLESPERPIXEL, &samples);
    TIFFGetFieldDefaulted(m_tiff, TIFFTAG_RESOLUTIONUNIT, &unit);
    TIFFGetFieldDefaulted(m_tiff, TIFFTAG_EXTRASAMPLES, &extraCount, &extra);
    TIFFGetField(m_tiff, TIFFTAG_PHOTOMETRIC, &photometric);
    TIFFGetField(m_tiff, TIFFTAG_XRESOLUTION, &xres);
    TIFFGetField(m_tiff, TIFFTAG_YRESOLUTION, &yres);

    TTiffPageInfo info;
    info.width = static_cast<int32_t>(std::min<uint32_t>(width, std::numeric_limits<int32_t>::max()));
    info.height = static_cast<int32_t>(std::min<uint32_t>(height, std::numeric_limits<int32_t>::max()));
    info.dpiX = dotsPerInch(xres, unit);
    info.dpiY = dotsPerInch(yres, unit);
    info.bitsPerSample = bits;
    info.samplesPerPixel = samples;
    // Palette images and grey images of up to 8 bits are read with a palette.
    const bool indexed = photometric == PHOTOMETRIC_PALETTE || (samples == 1 && photometric <= PHOTOMETRIC_MINISBLACK);
    info.paletteColours = indexed && bits <= 8 ? 1 << bits : 0;
    info.hasAlpha = extraCount > 0;
    return info;
}

QImage TTiffFile::page(int32_t index, QSize shown)
{
    const std::optional<TTiffPageInfo> info = pageInfo(index);
    if (!info || !isDecodableSize(info->width, info->height))
        return {};
    const QSize full(info->width, info->height);
    // libtiff's RGBA pixels are ABGR words; read top row first.
    QImage image(decodedSize(full, shown), QImage::Format_RGBA8888);
    if (image.isNull())
        return {};
    static_assert(sizeof(uint32_t) == 4);
    if (image.size() != full)
        return readSampled(image, full) ? image : QImage();
    if (!TIFFReadRGBAImageOriented(m_tiff, static_cast<uint32_t>(info->width), static_cast<uint32_t>(info->height),
                                   reinterpret_cast<uint32_t*>(image.bits()), ORIENTATION_TOPLEFT, 1))
        return {};
    return image;
}

bool TTiffFile::readSampled(QImage& image, QSize full)
{
    char message[1024] = {};
    TIFFRGBAImage reader {};
    if (!TIFFRGBAImageOK(m_tiff, message) || !TIFFRGBAImageBegin(&reader, m_tiff, 1, message))
        return false;
    reader.req_orientation = ORIENTATION_TOPLEFT;
    // Bands of about 4 MB of pixels.
    const auto width = static_cast<uint32_t>(full.width());
    const int bandRows = std::max(1, int((4 << 20) / (int64_t(width) * 4)));
    std::vector<uint32_t> band(size_t(width) * size_t(bandRows));
    const TPixelSampler sampler(full, image.size());
    bool complete = true;
    for (int top = 0; complete && top < full.height(); top += bandRows) {
        const int rows = std::min(bandRows, full.height() - top);
        reader.row_offset = top;
        reader.col_offset = 0;
        complete = TIFFRGBAImageGet(&reader, band.data(), width, static_cast<uint32_t>(rows)) != 0;
        for (int y = top; complete && y < top + rows; ++y) {
            const uint32_t* in = band.data() + size_t(y - top) * width;
            const auto [first, last] = sampler.targetRows(y);
            for (int target = first; target < last; ++target) {
                auto* out = reinterpret_cast<uint32_t*>(image.scanLine(target));
                const std::vector<int>& columns = sampler.sourceColumns();
                for (size_t x = 0; x < columns.size(); ++x)
                    out[x] = in[columns[x]];
            }
        }
    }
    TIFFRGBAImageEnd(&reader);
    return complete;
}

} // namespace orv
