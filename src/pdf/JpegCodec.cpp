#include "pdf/JpegCodec.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <stdexcept>

#include <jpeglib.h>

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

void ignoreWarning(j_common_ptr, int) {}

jpeg_error_mgr* jumpingErrors(ErrorManager& manager)
{
    jpeg_std_error(&manager.base);
    manager.base.error_exit = jumpOnError;
    manager.base.emit_message = ignoreWarning;
    manager.message[0] = '\0';
    return &manager.base;
}

[[noreturn]] void fail(const ErrorManager& manager)
{
    throw std::runtime_error(std::string("JPEG: ") + manager.message);
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
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(jpeg.data()), static_cast<unsigned long>(jpeg.size()));
    jpeg_read_header(&info, TRUE);
    TJpegInfo result;
    result.width = static_cast<int32_t>(info.image_width);
    result.height = static_cast<int32_t>(info.image_height);
    result.components = info.num_components;
    result.invertedCmyk = info.num_components == 4 && info.saw_Adobe_marker;
    jpeg_destroy_decompress(&info);
    return result;
}

TPdfBitmap decodeJpeg(std::string_view jpeg)
{
    TPdfBitmap bitmap;
    jpeg_decompress_struct info{};
    ErrorManager errors;
    info.err = jumpingErrors(errors);
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        fail(errors);
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(jpeg.data()), static_cast<unsigned long>(jpeg.size()));
    jpeg_read_header(&info, TRUE);
    const bool grey = info.num_components == 1;
    info.out_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    info.dct_method = JDCT_ISLOW;
    jpeg_start_decompress(&info);

    bitmap.width = static_cast<int32_t>(info.output_width);
    bitmap.height = static_cast<int32_t>(info.output_height);
    bitmap.bitsPerPixel = grey ? 8 : 24;
    bitmap.stride = (bitmap.width * bitmap.bitsPerPixel / 8 + 3) & ~3;
    try {
        bitmap.pixels.resize(size_t(bitmap.stride) * bitmap.height);
    } catch (const std::bad_alloc&) {
        jpeg_destroy_decompress(&info);
        throw;
    }
    if (grey) {
        bitmap.palette.resize(256);
        for (int i = 0; i < 256; ++i)
            bitmap.palette[i] = TPdfRgb{uint8_t(i), uint8_t(i), uint8_t(i)};
    }
    while (info.output_scanline < info.output_height) {
        auto* row = reinterpret_cast<JSAMPLE*>(bitmap.pixels.data()) + size_t(info.output_scanline) * bitmap.stride;
        jpeg_read_scanlines(&info, &row, 1);
        if (!grey)
            for (int32_t x = 0; x < bitmap.width; ++x)
                std::swap(row[x * 3], row[x * 3 + 2]); // stored blue, green, red
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return bitmap;
}

std::string encodeJpeg(const TPdfBitmap& bitmap, int32_t quality)
{
    std::string samples = rgbSamples(bitmap);
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
    info.image_width = static_cast<JDIMENSION>(bitmap.width);
    info.image_height = static_cast<JDIMENSION>(bitmap.height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, std::clamp(quality, 1, 100), TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        auto* row = reinterpret_cast<JSAMPLE*>(samples.data()) + size_t(info.next_scanline) * bitmap.width * 3;
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    std::string jpeg(reinterpret_cast<const char*>(buffer), size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return jpeg;
}

} // namespace orv
