// Big pictures are decoded only as large as they are shown and never above
// the big-picture budget, sampled down while their rows arrive.

#include "codecs/GifCodec.h"
#include "codecs/ImageLimits.h"
#include "codecs/TiffPages.h"

#include <QFile>
#include <QTemporaryDir>

#include <gif_lib.h>
#include <tiffio.h>

#include <gtest/gtest.h>

#include <vector>

using namespace orv;

namespace {

constexpr int kWide = 8192, kHigh = 4096; // twice the budget

int64_t pixelsOf(QSize size)
{
    return int64_t(size.width()) * size.height();
}

// Left half red, right half blue, and the bottom eighth green: where each
// part lands shows that rows and columns are sampled in place.
uint8_t partOf(int x, int y)
{
    if (y >= kHigh * 7 / 8)
        return 2;
    return x < kWide / 2 ? 0 : 1;
}

const QRgb kParts[3] = {qRgb(255, 0, 0), qRgb(0, 0, 255), qRgb(0, 255, 0)};

void expectPartsInPlace(const QImage& image)
{
    ASSERT_FALSE(image.isNull());
    const int w = image.width(), h = image.height();
    EXPECT_EQ(image.pixel(2, 2) & 0xFFFFFF, kParts[0] & 0xFFFFFF);
    EXPECT_EQ(image.pixel(w - 3, 2) & 0xFFFFFF, kParts[1] & 0xFFFFFF);
    EXPECT_EQ(image.pixel(w / 2 - 2, h / 2) & 0xFFFFFF, kParts[0] & 0xFFFFFF);
    EXPECT_EQ(image.pixel(w / 2 + 1, h / 2) & 0xFFFFFF, kParts[1] & 0xFFFFFF);
    EXPECT_EQ(image.pixel(w / 3, h - 2) & 0xFFFFFF, kParts[2] & 0xFFFFFF);
}

} // namespace

TEST(BigPictureDecoding, OnlyBigPicturesAreReducedAndNeverAboveTheBudget)
{
    EXPECT_EQ(decodedSize({4096, 4096}, {10, 10}), QSize(4096, 4096)) << "up to the budget: whole";
    EXPECT_EQ(decodedSize({16384, 8192}, {1000, 200}), QSize(1000, 500)) << "covers what is shown";
    EXPECT_EQ(decodedSize({16384, 16384}, {}), QSize(4096, 4096)) << "no pixels given: the budget";
    EXPECT_EQ(decodedSize({16384, 16384}, {20000, 20000}), QSize(4096, 4096)) << "never above the budget";
    const QSize thin = decodedSize({65536, 4096}, {});
    EXPECT_LE(pixelsOf(thin), kLargePicturePixels);
    EXPECT_NEAR(double(thin.width()) / thin.height(), 16.0, 0.1) << "proportions kept";
    EXPECT_EQ(decodedSize({200000, 1000}, {1, 1}), QSize(200, 1));

    const TPixelSampler sampler({10, 10}, {5, 2});
    EXPECT_EQ(sampler.sourceColumns(), (std::vector<int>{1, 3, 5, 7, 9}));
    EXPECT_EQ(sampler.targetRows(2), (std::pair{0, 1}));
    EXPECT_EQ(sampler.targetRows(3), (std::pair{1, 1})) << "a row the reduction skips";
    EXPECT_EQ(sampler.targetRows(7), (std::pair{1, 2}));
}

TEST(BigPictureDecoding, TiffPagesAreReadInBandsAndSampled)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("big.tif");
    TIFF* tiff = TIFFOpen(QFile::encodeName(path).constData(), "w");
    ASSERT_NE(tiff, nullptr);
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, kWide);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, kHigh);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, 64);
    std::vector<uint8_t> row(size_t(kWide) * 3);
    for (int y = 0; y < kHigh; ++y) {
        for (int x = 0; x < kWide; ++x) {
            const QRgb colour = kParts[partOf(x, y)];
            row[size_t(x) * 3] = uint8_t(qRed(colour));
            row[size_t(x) * 3 + 1] = uint8_t(qGreen(colour));
            row[size_t(x) * 3 + 2] = uint8_t(qBlue(colour));
        }
        ASSERT_GE(TIFFWriteScanline(tiff, row.data(), uint32_t(y), 0), 0);
    }
    TIFFClose(tiff);

    TTiffFile file(path);
    const QImage budget = file.page(0);
    EXPECT_LE(pixelsOf(budget.size()), kLargePicturePixels);
    EXPECT_EQ(budget.width(), 2 * budget.height());
    expectPartsInPlace(budget);
    const QImage shown = file.page(0, {400, 100});
    EXPECT_EQ(shown.size(), QSize(400, 200));
    expectPartsInPlace(shown);
}

TEST(BigPictureDecoding, GifFramesAreSampledRowByRow)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("big.gif");
    int error = 0;
    GifFileType* gif = EGifOpenFileName(QFile::encodeName(path).constData(), false, &error);
    ASSERT_NE(gif, nullptr);
    GifColorType colours[4] = {};
    for (int i = 0; i < 3; ++i)
        colours[i] = {GifByteType(qRed(kParts[i])), GifByteType(qGreen(kParts[i])), GifByteType(qBlue(kParts[i]))};
    ColorMapObject* map = GifMakeMapObject(4, colours);
    EGifPutScreenDesc(gif, kWide, kHigh, 2, 0, map);
    EGifPutImageDesc(gif, 0, 0, kWide, kHigh, false, nullptr);
    std::vector<GifPixelType> row(static_cast<size_t>(kWide));
    for (int y = 0; y < kHigh; ++y) {
        for (int x = 0; x < kWide; ++x)
            row[size_t(x)] = partOf(x, y);
        ASSERT_EQ(EGifPutLine(gif, row.data(), kWide), GIF_OK);
    }
    GifFreeMapObject(map);
    ASSERT_EQ(EGifCloseFile(gif, &error), GIF_OK);

    EXPECT_EQ(gifScreenSize(path), QSize(kWide, kHigh));
    const QImage budget = decodeGifFile(path);
    EXPECT_LE(pixelsOf(budget.size()), kLargePicturePixels);
    expectPartsInPlace(budget);
    const QImage tiny = decodeGifFile(path, {1, 1});
    EXPECT_EQ(tiny.size(), QSize(2, 1)) << "covers one pixel, proportions kept";
}
