#include "codecs/JpegCodec.h"

#include <algorithm>
#include <csetjmp>
#include <cstdlib>
#include <new>
#include <stdexcept>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>

namespace orv {

namespace {

// libjpeg reports a fatal error by calling error_exit, which must not
// return; it jumps back to the call that set the jump buffer. Only plain
// data lives between that call and the jump, so nothing is left undestroyed.
struct ErrorManager {
    jpeg_error_mgr base;
    jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void jumpOnError(j_common_ptr info)
{
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->jump, 1);
}

// Warnings are ignored, except data that ends early: libjpeg would paint
// the missing rows grey and call the picture decoded.
void failOnTruncation(j_common_ptr info, int level)
{
    if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF)
        (*info->err->error_exit)(info);
}

jpeg_error_mgr* jumpingErrors(ErrorManager& manager)
{
    jpeg_std_error(&manager.base);
    manager.base.error_exit = jumpOnError;
    manager.base.emit_message = failOnTruncation;
    manager.message[0] = '\0';
    return &manager.base;
}

[[noreturn]] void fail(const ErrorManager& manager)
{
    throw std::runtime_error(std::string("JPEG: ") + manager.message);
}

void setSource(jpeg_decompress_struct& info, std::string_view jpeg)
{
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(jpeg.data()), static_cast<unsigned long>(jpeg.size()));
}

} // namespace

TJpegInfo readJpegInfo(std::string_view jpeg)
{
    jpeg_decompress_struct info{};
    ErrorManager errors;
    info.err = jumpingErrors(errors);
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        fail(errors);
    }
    jpeg_create_decompress(&info);
    setSource(info, jpeg);
    jpeg_read_header(&info, TRUE);
    TJpegInfo result;
    result.width = static_cast<int32_t>(info.image_width);
    result.height = static_cast<int32_t>(info.image_height);
    result.components = info.num_components;
    result.invertedCmyk = info.num_components == 4 && info.saw_Adobe_marker;
    if (info.saw_JFIF_marker && info.density_unit != 0) {
        const double perInch = info.density_unit == 2 ? 2.54 : 1.0; // 2: dots per centimetre
        result.dpiX = info.X_density * perInch;
        result.dpiY = info.Y_density * perInch;
    }
    jpeg_destroy_decompress(&info);
    return result;
}

QImage decodeJpeg(std::string_view jpeg, TJpegDecoding decoding)
{
    jpeg_decompress_struct info{};
    ErrorManager errors;
    info.err = jumpingErrors(errors);
    std::vector<JSAMPLE> row;
    QImage image;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        fail(errors);
    }
    jpeg_create_decompress(&info);
    setSource(info, jpeg);
    jpeg_read_header(&info, TRUE);
    const bool grey = info.num_components == 1;
    info.out_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    info.scale_num = 1;
    info.scale_denom = 1u << std::clamp(decoding.reduction, 0, 3);
    info.dct_method = decoding.favourSpeed ? JDCT_IFAST : JDCT_ISLOW;
    info.do_fancy_upsampling = decoding.favourSpeed ? FALSE : TRUE;
    jpeg_start_decompress(&info);
    try {
        image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                       grey ? QImage::Format_Grayscale8 : QImage::Format_RGB32);
        row.resize(size_t(info.output_width) * 3);
    } catch (const std::bad_alloc&) {
        jpeg_destroy_decompress(&info);
        throw;
    }
    if (image.isNull()) {
        jpeg_destroy_decompress(&info);
        throw std::runtime_error("JPEG: image too large");
    }
    while (info.output_scanline < info.output_height) {
        const int y = static_cast<int>(info.output_scanline);
        if (grey) {
            JSAMPROW target = image.scanLine(y);
            jpeg_read_scanlines(&info, &target, 1);
            continue;
        }
        JSAMPROW target = row.data();
        jpeg_read_scanlines(&info, &target, 1);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (JDIMENSION x = 0; x < info.output_width; ++x)
            out[x] = qRgb(row[x * 3], row[x * 3 + 1], row[x * 3 + 2]);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return image;
}

std::string encodeJpeg(const QImage& image, const TJpegOptions& options)
{
    const QImage source = options.grayscale ? image.convertToFormat(QImage::Format_Grayscale8)
                                            : image.convertToFormat(QImage::Format_RGB888);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_compress_struct info{};
    ErrorManager errors;
    info.err = jumpingErrors(errors);
    if (setjmp(errors.jump)) {
        jpeg_destroy_compress(&info);
        std::free(buffer);
        fail(errors);
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(source.width());
    info.image_height = static_cast<JDIMENSION>(source.height());
    info.input_components = options.grayscale ? 1 : 3;
    info.in_color_space = options.grayscale ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, std::clamp(options.quality, 1, 100), TRUE);
    info.density_unit = 1; // dots per inch
    info.X_density = info.Y_density = 96;
    if (options.progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        auto* row = const_cast<JSAMPLE*>(source.constScanLine(static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    std::string jpeg(reinterpret_cast<const char*>(buffer), size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return jpeg;
}

} // namespace orv
