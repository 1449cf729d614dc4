#include "codecs/JpegCodec.h"

#include <gtest/gtest.h>

using namespace orv;

TEST(JpegCodec, EncodesAndDecodesAtTheAskedQuality)
{
    // Red above blue, 32 x 32 pixels; colour is kept at half resolution, so
    // only rows away from the edge keep their exact colour.
    QImage original(32, 32, QImage::Format_RGB32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            original.setPixel(x, y, y < 16 ? qRgb(200, 30, 30) : qRgb(30, 30, 200));
    const std::string jpeg = encodeJpeg(original, {100});
    const TJpegInfo info = readJpegInfo(jpeg);
    EXPECT_EQ(info.width, 32);
    EXPECT_EQ(info.height, 32);
    EXPECT_EQ(info.components, 3);
    EXPECT_LT(encodeJpeg(original, {10}).size(), jpeg.size());
    EXPECT_EQ(encodeJpeg(original, {0}), encodeJpeg(original, {1}));

    const QImage decoded = decodeJpeg(jpeg);
    ASSERT_EQ(decoded.size(), original.size());
    for (int y : {0, 8, 11, 20, 31})
        for (int x : {0, 15, 31}) {
            const QRgb got = decoded.pixel(x, y);
            const QRgb want = original.pixel(x, y);
            EXPECT_NEAR(qRed(got), qRed(want), 6) << x << "," << y;
            EXPECT_NEAR(qBlue(got), qBlue(want), 6) << x << "," << y;
        }
    EXPECT_THROW(decodeJpeg("not a jpeg"), std::runtime_error);
    EXPECT_THROW(readJpegInfo(""), std::runtime_error);
}

TEST(JpegCodec, GreyAndProgressiveStreams)
{
    QImage original(20, 10, QImage::Format_RGB32);
    original.fill(qRgb(90, 160, 30));
    const std::string grey = encodeJpeg(original, {90, true, true});
    EXPECT_EQ(readJpegInfo(grey).components, 1);
    EXPECT_NE(grey.find("\xFF\xC2"), std::string::npos) << "progressive frame marker";
    const QImage decoded = decodeJpeg(grey);
    EXPECT_EQ(decoded.format(), QImage::Format_Grayscale8);
    const QImage expected = original.convertToFormat(QImage::Format_Grayscale8);
    EXPECT_NEAR(qGray(decoded.pixel(5, 5)), qGray(expected.pixel(5, 5)), 4);
}

TEST(JpegCodec, ReducedDecodingAndTruncatedData)
{
    QImage original(384, 192, QImage::Format_RGB32);
    original.fill(qRgb(200, 40, 40));
    const std::string jpeg = encodeJpeg(original, {});
    EXPECT_EQ(decodeJpeg(jpeg, {1, true}).size(), QSize(192, 96));
    EXPECT_EQ(decodeJpeg(jpeg, {2, true}).size(), QSize(96, 48));
    EXPECT_EQ(decodeJpeg(jpeg, {3, true}).size(), QSize(48, 24));
    EXPECT_EQ(decodeJpeg(jpeg, {9, false}).size(), QSize(48, 24)) << "one eighth is the smallest";
    EXPECT_NEAR(qRed(decodeJpeg(jpeg, {3, true}).pixel(20, 10)), 200, 8);

    // Missing rows would otherwise be painted grey and pass for a picture.
    EXPECT_THROW(decodeJpeg(jpeg.substr(0, jpeg.size() / 2)), std::runtime_error);
}
