#include "export/RasterExport.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <tiffio.h>

using namespace orv;

namespace {

// A white page with a red block at the top left and a black bar below it.
QImage samplePage()
{
    QImage page(120, 80, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    painter.fillRect(0, 0, 40, 40, QColor(255, 0, 0));
    painter.fillRect(0, 60, 120, 10, Qt::black);
    return page;
}

class RasterExportTest : public testing::Test {
protected:
    std::string path(const char* name) const { return (std::filesystem::path(dir.path().toStdString()) / name).string(); }
    size_t filesInFolder() const
    {
        return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(dir.path().toStdString()),
                                                 std::filesystem::directory_iterator{}));
    }

    QTemporaryDir dir;
};

QByteArray contents(const std::string& file)
{
    QFile f(QString::fromStdString(file));
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

// The first page of a TIFF file through libtiff (Qt reads no TIFF here).
QImage firstTiffPage(const std::string& file)
{
    TIFF* tiff = TIFFOpen(file.c_str(), "r");
    if (!tiff)
        return {};
    uint32_t width = 0, height = 0;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height);
    QImage image(static_cast<int>(width), static_cast<int>(height), QImage::Format_ARGB32);
    std::vector<uint32_t> raster(static_cast<size_t>(width) * height);
    if (TIFFReadRGBAImageOriented(tiff, width, height, raster.data(), ORIENTATION_TOPLEFT, 0)) {
        for (uint32_t y = 0; y < height; ++y)
            for (uint32_t x = 0; x < width; ++x) {
                const uint32_t p = raster[y * width + x];
                image.setPixel(x, y, qRgb(TIFFGetR(p), TIFFGetG(p), TIFFGetB(p)));
            }
    }
    TIFFClose(tiff);
    return image;
}

int bmpBitsPerPixel(const QByteArray& bmp)
{
    return static_cast<uint8_t>(bmp[28]) | (static_cast<uint8_t>(bmp[29]) << 8);
}

} // namespace

TEST(RasterNames, ThumbnailRuleAndExtensions)
{
    EXPECT_EQ(thumbnailSize(QSize(816, 1056), 200), QSize(154, 200));
    EXPECT_EQ(thumbnailSize(QSize(1056, 816), 200), QSize(200, 154));
    EXPECT_EQ(thumbnailSize(QSize(816, 1056), 5), QSize(816, 1056));
    EXPECT_EQ(thumbnailSize(QSize(816, 1056), 6), QSize(4, 6));
    EXPECT_EQ(thumbnailSize(QSize(816, 1056), 1056), QSize(816, 1056));
    EXPECT_EQ(thumbnailSize(QSize(816, 1056), 2000), QSize(816, 1056));

    EXPECT_EQ(withExtension("page.txt", ".JPG"), "page.JPG");
    EXPECT_EQ(withExtension("page", ".PNG"), "page.PNG");
    EXPECT_EQ(withExtension("out.v2/page", ".TIF"), "out.v2/page.TIF");
    EXPECT_EQ(withExtension("a.b.c", ".BMP"), "a.b.BMP");

    EXPECT_EQ(tiffCompressionOf(1), TRasterOptions::TiffCompression::CcittGroup3);
    EXPECT_EQ(tiffCompressionOf(2), TRasterOptions::TiffCompression::CcittGroup4);
    EXPECT_EQ(tiffCompressionOf(3), TRasterOptions::TiffCompression::PackBits);
    EXPECT_EQ(tiffCompressionOf(4), TRasterOptions::TiffCompression::None);
    EXPECT_EQ(tiffCompressionOf(0), TRasterOptions::TiffCompression::Lzw);
    EXPECT_EQ(tiffCompressionOf(9), TRasterOptions::TiffCompression::Lzw);
}

TEST_F(RasterExportTest, JpegHonoursQualityGreyAndProgression)
{
    TRasterOptions options;
    writeJpeg(samplePage(), path("colour.JPG"), options);
    const QImage colour(QString::fromStdString(path("colour.JPG")));
    ASSERT_EQ(colour.size(), QSize(120, 80));
    EXPECT_GT(qRed(colour.pixel(10, 10)), 200);
    EXPECT_LT(qGreen(colour.pixel(10, 10)), 60);

    options.grayscale = true;
    options.progressive = true;
    options.jpegQuality = 0; // clamped to 1
    writeJpeg(samplePage(), path("grey.JPG"), options);
    const QImage grey(QString::fromStdString(path("grey.JPG")));
    EXPECT_EQ(grey.format(), QImage::Format_Grayscale8);
    const QByteArray bytes = contents(path("grey.JPG"));
    EXPECT_TRUE(bytes.contains(QByteArray("\xFF\xC2", 2))) << "progressive frame marker";
    EXPECT_LT(bytes.size(), contents(path("colour.JPG")).size());
    EXPECT_EQ(filesInFolder(), 2u);
}

TEST_F(RasterExportTest, BitmapsAtEveryDepth)
{
    for (int bits : {1, 4, 8, 15, 16, 24, 32}) {
        TRasterOptions options;
        options.bitsPerPixel = bits;
        const std::string file = path(("page" + std::to_string(bits) + ".BMP").c_str());
        writeBmp(samplePage(), file, options);
        const QByteArray bytes = contents(file);
        EXPECT_EQ(bmpBitsPerPixel(bytes), bits == 15 ? 16 : bits == 32 ? 24 : bits) << bits;
        const QImage read(QString::fromStdString(file));
        ASSERT_EQ(read.size(), QSize(120, 80)) << bits;
        EXPECT_EQ(qGray(read.pixel(60, 65)), 0) << bits;
        // 5-bit channels read back as 248 for white.
        EXPECT_GE(qGray(read.pixel(100, 20)), 248) << bits;
        if (bits > 1) {
            EXPECT_GT(qRed(read.pixel(10, 10)), 120) << bits;
            EXPECT_LT(qBlue(read.pixel(10, 10)), 60) << bits;
        }
    }
    TRasterOptions grey;
    grey.grayscale = true;
    writeBmp(samplePage(), path("grey.BMP"), grey);
    const QImage read(QString::fromStdString(path("grey.BMP")));
    EXPECT_EQ(qRed(read.pixel(10, 10)), qBlue(read.pixel(10, 10)));
}

TEST_F(RasterExportTest, PngDepthsAndGrey)
{
    auto colourType = [&](const char* name) { return static_cast<int>(contents(path(name))[25]); };
    TRasterOptions options;
    options.bitsPerPixel = 1; // gives 24
    writePng(samplePage(), path("one.PNG"), options);
    EXPECT_EQ(colourType("one.PNG"), 2);
    options.bitsPerPixel = 8;
    writePng(samplePage(), path("eight.PNG"), options);
    EXPECT_EQ(colourType("eight.PNG"), 3);
    options.bitsPerPixel = 24;
    options.grayscale = true;
    writePng(samplePage(), path("grey.PNG"), options);
    EXPECT_EQ(colourType("grey.PNG"), 0);
    const QImage read(QString::fromStdString(path("eight.PNG")));
    EXPECT_EQ(read.pixel(10, 10), qRgb(255, 0, 0));
}

TEST_F(RasterExportTest, TiffPagesAndCompression)
{
    TRasterOptions options;
    options.tiffCompression = TRasterOptions::TiffCompression::CcittGroup4;
    {
        TTiffWriter writer(path("pages.TIF"), options);
        for (int i = 0; i < 4; ++i)
            writer.addPage(samplePage());
        writer.finish();
    }
    TIFF* tiff = TIFFOpen(path("pages.TIF").c_str(), "r");
    ASSERT_NE(tiff, nullptr);
    EXPECT_EQ(TIFFNumberOfDirectories(tiff), 4);
    uint16_t bits = 0, compression = 0;
    TIFFGetField(tiff, TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetField(tiff, TIFFTAG_COMPRESSION, &compression);
    TIFFClose(tiff);
    EXPECT_EQ(bits, 1);
    EXPECT_EQ(compression, COMPRESSION_CCITTFAX4);

    QProcess info;
    info.start("tiffinfo", {QString::fromStdString(path("pages.TIF"))});
    ASSERT_TRUE(info.waitForFinished(10000)) << "tiffinfo must be installed";
    EXPECT_EQ(QString(info.readAllStandardOutput()).count("TIFF Directory at offset"), 4);

    const QImage first = firstTiffPage(path("pages.TIF"));
    ASSERT_EQ(first.size(), QSize(120, 80));
    EXPECT_EQ(qGray(first.pixel(60, 65)), 0);
    EXPECT_EQ(qGray(first.pixel(100, 20)), 255);

    options.tiffCompression = TRasterOptions::TiffCompression::Lzw;
    options.bitsPerPixel = 8;
    TTiffWriter colour(path("colour.TIF"), options);
    colour.addPage(samplePage());
    colour.finish();
    EXPECT_EQ(firstTiffPage(path("colour.TIF")).pixel(10, 10), qRgb(255, 0, 0));
}

TEST_F(RasterExportTest, FailuresLeaveNoFileBehind)
{
    EXPECT_THROW(writePng(samplePage(), path("missing/x.PNG"), {}), std::runtime_error);
    {
        TTiffWriter abandoned(path("abandoned.TIF"), {});
        abandoned.addPage(samplePage());
    }
    EXPECT_EQ(filesInFolder(), 0u);

    // A failed write keeps the older file of that name intact.
    writeBmp(samplePage(), path("kept.BMP"), {});
    const QByteArray before = contents(path("kept.BMP"));
    TTiffWriter empty(path("kept.BMP"), {});
    EXPECT_THROW(empty.finish(), std::logic_error);
    EXPECT_EQ(contents(path("kept.BMP")), before);
}
