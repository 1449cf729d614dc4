#include "PdfTestSupport.h"
#include "pdf/PdfErrors.h"
#include "pdf/PdfImage.h"

#include <QBuffer>
#include <QImage>

#include <gtest/gtest.h>

#include <cstdlib>

using namespace orv;
using orv::pdftest::written;

namespace {

// A 24-bit bitmap whose pixels are given as red, green, blue.
TPdfBitmap trueColour(int32_t width, int32_t height, const std::vector<TPdfRgb>& pixels)
{
    TPdfBitmap bitmap{width, height, 24, (width * 3 + 3) & ~3, {}, {}};
    bitmap.pixels.assign(size_t(bitmap.stride) * height, '\x77'); // padding bytes must not show
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            const TPdfRgb& p = pixels[y * width + x];
            char* pixel = bitmap.pixels.data() + y * bitmap.stride + x * 3;
            pixel[0] = char(p.blue);
            pixel[1] = char(p.green);
            pixel[2] = char(p.red);
        }
    return bitmap;
}

std::string qtJpeg(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 90);
    return bytes.toStdString();
}

} // namespace

TEST(PdfImage, JpegDataIsEmbeddedUnchangedWithItsColourSpace)
{
    QImage colour(5, 3, QImage::Format_RGB32);
    colour.fill(Qt::red);
    const std::string colourJpeg = qtJpeg(colour);
    auto image = createJpegImage(colourJpeg);
    EXPECT_EQ(image->data(), colourJpeg);
    EXPECT_EQ(written(*image).substr(0, written(*image).find("stream")),
              "<<\r\n/Length " + std::to_string(colourJpeg.size()) +
                  "\r\n/Filter [/DCTDecode ]\r\n/Type /XObject\r\n/Subtype /Image\r\n/ColorSpace /DeviceRGB\r\n"
                  "/Width 5\r\n/Height 3\r\n/BitsPerComponent 8\r\n>>\r\n");

    QImage grey(4, 4, QImage::Format_Grayscale8);
    grey.fill(128);
    auto greyImage = createJpegImage(qtJpeg(grey));
    EXPECT_EQ(written(*greyImage->attributes().lookup("ColorSpace")), "/DeviceGray");
}

TEST(PdfImage, DataThatIsNotJpegIsRefused)
{
    for (const std::string& data : {std::string(), std::string("GIF89a...."), std::string("\xFF\xD8\xFF", 3)}) {
        try {
            createJpegImage(data);
            ADD_FAILURE() << "accepted " << data.size() << " bytes";
        } catch (const EPdfInvalidValue& e) {
            EXPECT_STREQ(e.what(), "only jpeg image is allowed.");
        }
    }
}

TEST(PdfImage, IndexedBitmapsKeepTheirIndicesAndA256EntryPalette)
{
    // 3 x 2 pixels of 8 bits, rows padded to 4 bytes.
    TPdfBitmap indexed{3, 2, 8, 4, std::string("\x00\x01\x02\xEE\x02\x01\x00\xEE", 8), {{255, 0, 0}, {0, 255, 16}}};
    auto image = createBitmapImage(indexed);
    EXPECT_EQ(image->data(), std::string("\x00\x01\x02\x02\x01\x00", 6));
    const std::string space = written(*image->attributes().lookup("ColorSpace"));
    EXPECT_TRUE(space.starts_with("[/Indexed /DeviceRGB 255 <FF 00 00 00 FF 10 00 00 00 "));
    EXPECT_TRUE(space.ends_with(" 00 00 00 > ]"));
    EXPECT_EQ(space.size(), std::string("[/Indexed /DeviceRGB 255 <> ]").size() + 256 * 9);
    EXPECT_NE(written(*image).find("/Filter [/FlateDecode ]"), std::string::npos);

    // 1-bit pixels become one index each, leftmost pixel in the highest bit.
    TPdfBitmap monochrome{10, 1, 1, 4, std::string("\xA0\xC0\x00\x00", 4), {{0, 0, 0}, {255, 255, 255}}};
    EXPECT_EQ(createBitmapImage(monochrome)->data(), std::string("\x01\x00\x01\x00\x00\x00\x00\x00\x01\x01", 10));
}

TEST(PdfImage, TrueColourBitmapsBecomeRgbSamples)
{
    auto image = createBitmapImage(trueColour(2, 2, {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}}));
    EXPECT_EQ(image->data(), std::string("\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A\x0B\x0C", 12));
    EXPECT_EQ(written(*image->attributes().lookup("ColorSpace")), "/DeviceRGB");

    TPdfBitmap thirtyTwo{2, 1, 32, 8, std::string("\x03\x02\x01\xFF\x06\x05\x04\xFF", 8), {}};
    EXPECT_EQ(createBitmapImage(thirtyTwo)->data(), std::string("\x01\x02\x03\x04\x05\x06", 6));
}

TEST(PdfImage, BitmapsThatCannotBeReadRaise)
{
    TPdfBitmap noPalette{2, 1, 8, 4, std::string(4, '\0'), {}};
    try {
        createBitmapImage(noPalette);
        ADD_FAILURE() << "an indexed bitmap without palette was accepted";
    } catch (const EPdfInvalidImageFormat& e) {
        EXPECT_STREQ(e.what(), "failed to get Palette..");
    }
    TPdfBitmap shortData{4, 4, 24, 12, std::string(40, '\0'), {}};
    EXPECT_THROW(createBitmapImage(shortData), EPdfInvalidImageFormat);
    TPdfBitmap sixteenBits{1, 1, 16, 4, std::string(4, '\0'), {}};
    EXPECT_THROW(createBitmapImage(sixteenBits), EPdfInvalidImageFormat);
}

