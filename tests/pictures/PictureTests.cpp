#include "render/PageImageTesting.h"

#include "render/PageRenderer.h"
#include <orvreport/Dispatch.h>
#include "pictures/PictureDrawer.h"
#include "pictures/PictureMetadata.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPainter>

#include <gif_lib.h>
#include <tiffio.h>

#include <algorithm>
#include <vector>

using namespace orv;
using namespace orv::testing;

namespace {

const QColor kRed(220, 30, 30);
const QColor kGreen(30, 200, 30);
const QColor kBlue(30, 30, 220);

QImage filled(QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// One page a colour, each width x height, written strip by strip.
void writeTiff(const std::string& path, const std::vector<QColor>& pages, QSize size)
{
    TIFF* tiff = TIFFOpen(path.c_str(), "w");
    ASSERT_NE(tiff, nullptr);
    for (const QColor& colour : pages) {
        TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, uint32_t(size.width()));
        TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, uint32_t(size.height()));
        TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
        TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 3);
        TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
        TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
        TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, 8);
        TIFFSetField(tiff, TIFFTAG_SUBFILETYPE, FILETYPE_PAGE);
        std::vector<uint8_t> row;
        for (int x = 0; x < size.width(); ++x)
            row.insert(row.end(), {uint8_t(colour.red()), uint8_t(colour.green()), uint8_t(colour.blue())});
        for (int y = 0; y < size.height(); ++y)
            ASSERT_EQ(TIFFWriteScanline(tiff, row.data(), uint32_t(y), 0), 1);
        TIFFWriteDirectory(tiff);
    }
    TIFFClose(tiff);
}

// A one-colour GIF through giflib (Qt reads GIF but does not write it).
void writeGif(const std::string& path, QColor colour, QSize size)
{
    int error = 0;
    GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
    ASSERT_NE(gif, nullptr);
    GifColorType colours[2] = {{uint8_t(colour.red()), uint8_t(colour.green()), uint8_t(colour.blue())}, {0, 0, 0}};
    ColorMapObject* map = GifMakeMapObject(2, colours);
    EGifPutScreenDesc(gif, size.width(), size.height(), 1, 0, map);
    EGifPutImageDesc(gif, 0, 0, size.width(), size.height(), false, nullptr);
    std::vector<GifPixelType> row(size.width(), 0);
    for (int y = 0; y < size.height(); ++y)
        EGifPutLine(gif, row.data(), size.width());
    GifFreeMapObject(map);
    ASSERT_EQ(EGifCloseFile(gif, &error), GIF_OK);
}

void writeBytes(const std::string& path, const QByteArray& bytes)
{
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readBytes(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class PictureTest : public PageImageTest {
protected:
    void SetUp() override
    {
        control.report().PreviewOffsetX = Currency();
        control.report().PreviewOffsetY = Currency();
    }

    std::string saved(const char* name, const QImage& image)
    {
        const std::string file = path(name);
        EXPECT_TRUE(image.save(QString::fromStdString(file))) << name;
        return file;
    }

    // A 2 x 2 inch box at (1, 1) inch: pixels (96, 96) to (288, 288).
    void addPicture(const std::string& file, int32_t scaling, int32_t page = 0)
    {
        control.AddPicture("p", Variant(file), 1, 1, 2, 2, scaling, 0, page);
    }

    QImage screenPage(int32_t jpegSpeed = 0)
    {
        TScreenView view;
        view.pictureJpegSpeed = jpegSpeed;
        view.controlSize = QSize(816, 1056);
        QImage image(view.controlSize, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        paintScreenPage(painter, control.report(), 1, view);
        return image;
    }

    static QRect colourBounds(const QImage& page, QColor colour)
    {
        return orv::testing::boundsOf(page, page.rect(), [colour](QRgb p) { return isColour(p, colour); });
    }
};

TEST_F(PictureTest, FitKeepsProportionsFromTheTopLeftAndStretchFillsTheBox)
{
    const std::string wide = saved("wide.png", filled({384, 192}, kRed));
    addPicture(wide, 1);
    EXPECT_EQ(colourBounds(screenPage(), kRed), QRect(96, 96, 192, 96));
    EXPECT_EQ(colourBounds(exportedPage(1), kRed), QRect(96, 96, 192, 96));

    for (int32_t scaling : {0, 2}) {
        control.Clear();
        addPicture(wide, scaling);
        EXPECT_EQ(colourBounds(screenPage(), kRed), QRect(96, 96, 192, 192)) << "scaling " << scaling;
    }

    // A small picture is enlarged to the box as well.
    control.Clear();
    addPicture(saved("tall.png", filled({10, 40}, kBlue)), 1);
    EXPECT_EQ(colourBounds(screenPage(), kBlue), QRect(96, 96, 48, 192));
}

TEST_F(PictureTest, FitFollowsThePenScale)
{
    // 300 x 100 into a 100 x 100 box at half scale: f = 100 / 150 per axis.
    EXPECT_EQ(fittedPictureBox(QRect(5, 7, 100, 100), QSize(300, 100), 0.5), QRect(5, 7, 100, 33));
    EXPECT_EQ(fittedPictureBox(QRect(0, 0, 192, 192), QSize(384, 192), 1), QRect(0, 0, 192, 96));
    EXPECT_EQ(fittedPictureBox(QRect(0, 0, 50, 50), QSize(0, 10), 1).size(), QSize(0, 0)) << "no pixels, no area";
}

TEST_F(PictureTest, EveryReadableFormatIsDrawn)
{
    const QImage red = filled({64, 32}, kRed);
    std::vector<std::string> files = {saved("p.bmp", red), saved("p.png", red), saved("p.jpg", red),
                                      saved("p.jpeg", red), saved("p.ico", red)};
    files.push_back(path("p.tif"));
    writeTiff(files.back(), {kRed}, {64, 32});
    files.push_back(path("p.gif"));
    writeGif(files.back(), kRed, {64, 32});

    for (const std::string& file : files) {
        control.Clear();
        addPicture(file, 0);
        EXPECT_EQ(colourBounds(screenPage(), kRed), QRect(96, 96, 192, 192)) << file;
        EXPECT_EQ(colourBounds(exportedPage(1), kRed), QRect(96, 96, 192, 192)) << file;
    }
}

TEST_F(PictureTest, WithoutAdvancedImagingOnlyTiffPngAndGifStayUndrawn)
{
    const QImage red = filled({16, 16}, kRed);
    const std::string png = saved("p.png", red), bmp = saved("p.bmp", red);
    control.report().GdiPlusAvailable = false;
    addPicture(png, 0);
    EXPECT_TRUE(colourBounds(screenPage(), kRed).isEmpty());
    EXPECT_EQ(control.GetImageInfo(Variant(int32_t(1)), Variant(png)), Variant(int32_t(-1)));
    control.Clear();
    addPicture(bmp, 0);
    EXPECT_EQ(colourBounds(screenPage(), kRed), QRect(96, 96, 192, 192));
}

TEST_F(PictureTest, ReducedJpegDecodingOnTheScreenStillFillsTheBox)
{
    addPicture(saved("big.jpg", filled({384, 192}, kGreen)), 1);
    for (int32_t speed : {0, 1, 2, 3, 7})
        EXPECT_EQ(colourBounds(screenPage(speed), kGreen), QRect(96, 96, 192, 96)) << "speed " << speed;
}

TEST_F(PictureTest, TiffPageNumberSelectsThePage)
{
    const std::string file = path("three.tif");
    writeTiff(file, {kRed, kGreen, kBlue}, {32, 32});
    const struct {
        int32_t page;
        QColor colour;
    } cases[] = {{3, kBlue}, {2, kGreen}, {1, kRed}, {0, kRed}, {9, kRed}};
    for (const auto& c : cases) {
        control.Clear();
        addPicture(file, 0, c.page);
        const QImage page = screenPage();
        EXPECT_EQ(colourBounds(page, c.colour), QRect(96, 96, 192, 192)) << "page " << c.page;
    }
}

TEST_F(PictureTest, PictureWhoseFolderIsGoneIsFoundInTheCurrentDirectory)
{
    saved("moved.png", filled({20, 20}, kBlue));
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    addPicture("/no/such/folder/moved.png", 0);
    control.NewPage();
    addPicture("C:\\Reports\\gone\\moved.png", 0);
    control.NewPage();
    addPicture("/no/such/folder/absent.png", 0);
    const QImage unixName = exportedPage(1), windowsName = exportedPage(2), absent = exportedPage(3);
    QDir::setCurrent(previous);

    EXPECT_EQ(colourBounds(unixName, kBlue), QRect(96, 96, 192, 192));
    EXPECT_EQ(colourBounds(windowsName, kBlue), QRect(96, 96, 192, 192));
    EXPECT_TRUE(colourBounds(absent, kBlue).isEmpty());
}

TEST_F(PictureTest, CorruptTruncatedAndMetafilePicturesLeaveTheRestOfThePageDrawn)
{
    std::vector<std::string> bad;
    for (const char* name : {"junk.png", "junk.jpg", "junk.tif", "junk.bmp", "junk.gif", "junk.ico"}) {
        bad.push_back(path(name));
        writeBytes(bad.back(), QByteArray(300, '\x5A'));
    }
    const QImage big = filled({300, 300}, kRed);
    for (const char* name : {"cut.png", "cut.jpg", "cut.bmp"}) {
        const std::string whole = saved(name, big);
        bad.push_back(whole);
        writeBytes(whole, readBytes(whole).left(readBytes(whole).size() / 2));
    }
    bad.push_back(path("cut.gif"));
    writeGif(bad.back(), kRed, {300, 300});
    writeBytes(bad.back(), readBytes(bad.back()).left(readBytes(bad.back()).size() / 2));
    bad.push_back(path("cut.tif"));
    writeTiff(bad.back(), {kRed}, {300, 300});
    writeBytes(bad.back(), readBytes(bad.back()).left(2000));
    bad.push_back(path("empty.png"));
    writeBytes(bad.back(), {});
    bad.push_back(path("later.emf"));
    writeBytes(bad.back(), QByteArray(200, '\0'));
    bad.push_back("");

    for (const std::string& file : bad) {
        control.Clear();
        addPicture(file, 1);
        control.AddShape("after", 4, 4, 1, 1, 0, 0x00FF00, 8, 0, 0);
        const QImage page = screenPage();
        EXPECT_EQ(countPixels(page, QRect(96, 96, 192, 192), [](QRgb p) { return p != qRgb(255, 255, 255); }), 0)
            << file;
        EXPECT_GT(countPixels(page, QRect(384, 384, 96, 96), [](QRgb p) { return isColour(p, Qt::green); }), 90 * 90)
            << "the shape after " << file;
    }
}

class PictureInfoTest : public PageImageTest {
protected:
    Variant info(int32_t attribute, const std::string& file) { return control.GetImageInfo(Variant(attribute), Variant(file)); }
};

TEST_F(PictureInfoTest, ReportsSizeResolutionPagesAndPixelFormat)
{
    QImage rgb = filled({384, 192}, kRed);
    rgb.setDotsPerMeterX(5906); // 150 dpi
    rgb.setDotsPerMeterY(3937); // 100 dpi
    const std::string png = path("wide.png");
    ASSERT_TRUE(rgb.save(QString::fromStdString(png)));

    EXPECT_EQ(info(1, png), Variant(int32_t(384)));
    EXPECT_EQ(info(2, png), Variant(int32_t(192)));
    EXPECT_NEAR(info(3, png).toDouble(), 150.0, 0.02);
    EXPECT_NEAR(info(4, png).toDouble(), 100.0, 0.02);
    EXPECT_EQ(info(5, png), Variant(int32_t(1)));
    EXPECT_EQ(info(6, png), Variant(int32_t(1)));
    EXPECT_EQ(info(7, png), Variant(int32_t(1))) << "a bitmap";
    EXPECT_EQ(info(8, png), Variant(int32_t(0x21808))) << "24 bits RGB";
    EXPECT_EQ(info(9, png), Variant(int32_t(8))) << "no palette entries";

    const std::string tif = path("three.tif");
    writeTiff(tif, {kRed, kGreen, kBlue}, {40, 30});
    EXPECT_EQ(info(5, tif), Variant(int32_t(3)));
    EXPECT_EQ(info(1, tif), Variant(int32_t(40)));
    EXPECT_EQ(info(8, tif), Variant(int32_t(0x21808)));

    const std::string gif = path("one.gif");
    writeGif(gif, kRed, {16, 8});
    EXPECT_EQ(info(2, gif), Variant(int32_t(8)));
    EXPECT_EQ(info(8, gif), Variant(int32_t(0x30101))) << "two colours: 1 bit indexed";
    EXPECT_EQ(info(9, gif), Variant(int32_t(8 + 2 * 4)));

    QImage grey = filled({30, 20}, Qt::gray).convertToFormat(QImage::Format_Grayscale8);
    const std::string jpg = path("grey.jpg");
    ASSERT_TRUE(grey.save(QString::fromStdString(jpg)));
    EXPECT_EQ(info(1, jpg), Variant(int32_t(30)));
    EXPECT_EQ(info(8, jpg), Variant(int32_t(0x30803))) << "8 bits indexed";
    EXPECT_EQ(info(9, jpg), Variant(int32_t(8 + 256 * 4)));
}

// A JPEG with an Exif block holding the camera maker, a tag without a name
// and an Exif directory pointer that leads outside the block.
QByteArray jpegWithExif(const QImage& image)
{
    QByteArray tiff("II\x2A\0\x08\0\0\0", 8);
    const auto put16 = [&tiff](uint16_t v) { tiff.append(char(v & 0xFF)).append(char(v >> 8)); };
    const auto put32 = [&](uint32_t v) { put16(uint16_t(v & 0xFFFF)); put16(uint16_t(v >> 16)); };
    put16(3);
    put16(0x010F), put16(2), put32(4), tiff.append("Orv", 4);
    put16(0xC000), put16(3), put32(1), put32(7);
    put16(0x8769), put16(4), put32(1), put32(0x7FFFFFF0);
    put32(0);
    QByteArray segment = QByteArray("Exif\0\0", 6) + tiff;
    const int length = segment.size() + 2;
    segment.prepend(QByteArray("\xFF\xE1", 2).append(char(length >> 8)).append(char(length & 0xFF)));

    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG");
    return jpeg.left(2) + segment + jpeg.mid(2);
}

TEST_F(PictureInfoTest, ListsMetadataPropertiesByTagName)
{
    const std::string tif = path("tagged.tif");
    writeTiff(tif, {kRed}, {40, 30});
    const std::string tiffListing = info(11, tif).toString();
    EXPECT_NE(tiffListing.find("PropertyTagImageWidth: 40\r\n"), std::string::npos) << tiffListing;
    EXPECT_NE(tiffListing.find("PropertyTagImageHeight: 30\r\n"), std::string::npos);
    EXPECT_NE(tiffListing.find("PropertyTagBitsPerSample: 8\r\n"), std::string::npos) << "first of three";
    EXPECT_NE(tiffListing.find("PropertyTagSamplesPerPixel: 3\r\n"), std::string::npos);
    EXPECT_EQ(info(10, tif), Variant(int32_t(std::count(tiffListing.begin(), tiffListing.end(), '\n'))));

    const std::string jpg = path("camera.jpg");
    writeBytes(jpg, jpegWithExif(filled({8, 8}, kRed)));
    EXPECT_EQ(info(1, jpg), Variant(int32_t(8)));
    EXPECT_EQ(info(10, jpg), Variant(int32_t(3)));
    EXPECT_EQ(info(11, jpg).toString(), "PropertyTagEquipMake: Orv\r\n<UnKnown>: 7\r\nPropertyTagExifIFD: 2147483632\r\n");

    QImage dense = filled({4, 4}, kRed);
    dense.setDotsPerMeterX(5906);
    dense.setDotsPerMeterY(3937);
    const std::string png = path("dense.png");
    ASSERT_TRUE(dense.save(QString::fromStdString(png)));
    const std::string pngListing = info(11, png).toString();
    EXPECT_NE(pngListing.find("PropertyTagPixelUnit: 1\r\nPropertyTagPixelPerUnitX: 5906\r\n"
                              "PropertyTagPixelPerUnitY: 3937\r\n"),
              std::string::npos)
        << pngListing;

    const std::string bmp = path("plain.bmp");
    ASSERT_TRUE(dense.save(QString::fromStdString(bmp)));
    EXPECT_EQ(info(10, bmp), Variant(int32_t(0)));
    EXPECT_EQ(info(11, bmp), Variant(std::string()));
}

TEST_F(PictureInfoTest, AnythingUnusableGivesMinusOne)
{
    const std::string png = path("one.png");
    ASSERT_TRUE(filled({10, 10}, kRed).save(QString::fromStdString(png)));
    const Variant none(int32_t(-1));

    EXPECT_EQ(control.GetImageInfo(Variant("5"), Variant(png)), none) << "attribute as text";
    EXPECT_EQ(control.GetImageInfo(Variant(int16_t(5)), Variant(png)), none) << "attribute as Integer";
    EXPECT_EQ(info(12, png), none);
    EXPECT_EQ(info(0, png), none);
    EXPECT_EQ(info(1, ""), none);
    EXPECT_EQ(info(1, path("absent.png")), none);

    const std::string ico = path("one.ico");
    ASSERT_TRUE(filled({10, 10}, kRed).save(QString::fromStdString(ico)));
    EXPECT_EQ(info(1, ico), none) << "not a reported extension";

    const std::string junk = path("junk.jpg");
    writeBytes(junk, QByteArray(64, 'x'));
    EXPECT_EQ(info(1, junk), none);
}

TEST_F(PictureInfoTest, ReachableByName)
{
    const std::string png = path("named.png");
    ASSERT_TRUE(filled({12, 34}, kRed).save(QString::fromStdString(png)));
    std::vector<Variant> args = {Variant(int32_t(2)), Variant(png)};
    EXPECT_EQ(TDispatchTable::instance().invoke(control, "GetImageInfo", InvokeMethod, args), Variant(int32_t(34)));
    EXPECT_EQ(TDispatchTable::instance().idOfName("GetImageInfo"), 117);
}

} // namespace

namespace {

// A little-endian TIFF structure whose first directory holds `entries`
// entries that all point at one Exif directory, which holds as many entries
// of one long text each.
QByteArray tiffOfRepeatedDirectories(uint16_t entries, uint32_t textLength)
{
    auto u16 = [](QByteArray& b, uint16_t v) { b.append(char(v & 0xFF)).append(char(v >> 8)); };
    auto u32 = [&](QByteArray& b, uint32_t v) {
        u16(b, uint16_t(v & 0xFFFF));
        u16(b, uint16_t(v >> 16));
    };
    const uint32_t first = 8;
    const uint32_t exif = first + 2 + 12u * entries + 4;
    const uint32_t text = exif + 2 + 12u * entries + 4;
    QByteArray file("II*\0", 4);
    u32(file, first);
    for (uint32_t directory : {first, exif}) {
        u16(file, entries);
        for (uint16_t i = 0; i < entries; ++i) {
            const bool top = directory == first;
            u16(file, top ? 0x8769 : 0x010E); // the Exif pointer, or an image description
            u16(file, top ? 4 : 2);           // Long, or Ascii
            u32(file, top ? 1 : textLength);
            u32(file, top ? exif : text);
        }
        u32(file, 0);
    }
    file.append(QByteArray(int(textLength), 'x'));
    return file;
}

} // namespace

TEST_F(PictureTest, MetadataReadsEachDirectoryOnceAndStaysBounded)
{
    const std::string file = path("repeated.tif");
    QFile out(QString::fromStdString(file));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(tiffOfRepeatedDirectories(1500, 20000));
    out.close();
    const std::vector<TMetadataProperty> properties = pictureMetadata(QString::fromStdString(file));
    // Each directory once: 1500 pointers, then as many texts as the text
    // budget allows (4 MB of 20000-byte texts).
    ASSERT_GT(properties.size(), 1500u);
    EXPECT_LE(properties.size(), 1500u + 4u * 1024 * 1024 / 20000 + 1);
    EXPECT_EQ(properties[1500].tag, 0x010E);
    EXPECT_EQ(properties[1500].value, std::string(20000, 'x'));
}
