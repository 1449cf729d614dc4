#include "render/PageImageTesting.h"

#include <orvreport/Dispatch.h>
#include "export/PageImageExport.h"

#include <QFile>
#include <QProcess>

#include <filesystem>
#include <tiffio.h>

using namespace orv;
using namespace orv::testing;

namespace {

class PageExportTest : public PageImageTest {
protected:
    // Pages 1 to n, page p being p + 1 inches wide and 2 inches high.
    void makeNumberedPages(int32_t n)
    {
        control.NewPage(2, 2);
        control.DeletePage(1);
        for (int32_t p = 2; p <= n; ++p)
            control.NewPage(static_cast<float>(p + 1), 2);
    }

    static QString tiffInfo(const std::string& file)
    {
        QProcess info;
        info.start("tiffinfo", {QString::fromStdString(file)});
        EXPECT_TRUE(info.waitForFinished(10000)) << "tiffinfo must be installed";
        return QString(info.readAllStandardOutput());
    }

    // The width of every page of a TIFF file, in file order.
    static std::vector<uint32_t> tiffPageWidths(const std::string& file)
    {
        std::vector<uint32_t> widths;
        TIFF* tiff = TIFFOpen(file.c_str(), "r");
        if (!tiff)
            return widths;
        do {
            uint32_t width = 0;
            TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
            widths.push_back(width);
        } while (TIFFReadDirectory(tiff));
        TIFFClose(tiff);
        return widths;
    }
};

} // namespace

TEST_F(PageExportTest, FilesTakeTheFormatsExtension)
{
    EXPECT_EQ(control.SaveToJPEG(Variant(path("page.txt"))), Variant(0));
    EXPECT_FALSE(std::filesystem::exists(path("page.txt")));
    EXPECT_EQ(QImage(QString::fromStdString(path("page.JPG"))).size(), QSize(816, 1056));
    EXPECT_EQ(control.SaveToBitmap(Variant(path("page"))), Variant(0));
    EXPECT_EQ(QImage(QString::fromStdString(path("page.BMP"))).size(), QSize(816, 1056));
    EXPECT_EQ(control.SaveToTIFF(Variant(path("page.png"))), Variant(0));
    EXPECT_EQ(tiffPageWidths(path("page.TIF")), std::vector<uint32_t>{816});
}

TEST_F(PageExportTest, ThumbnailsShrinkTheLongerSide)
{
    control.SaveToBitmap(Variant(path("small")), 0, false, 200);
    EXPECT_EQ(QImage(QString::fromStdString(path("small.BMP"))).size(), QSize(154, 200));
    for (int32_t size : {5, 2000}) {
        control.SaveToBitmap(Variant(path("full")), 0, false, size);
        EXPECT_EQ(QImage(QString::fromStdString(path("full.BMP"))).size(), QSize(816, 1056)) << size;
    }
}

TEST_F(PageExportTest, PageNumbersAreHeldToTheReport)
{
    makeNumberedPages(3);
    control.GotoPage(2);
    control.SaveToPNG(Variant(path("shown")));
    EXPECT_EQ(QImage(QString::fromStdString(path("shown.PNG"))).width(), 3 * 96) << "0 is the page shown";
    control.SaveToPNG(Variant(path("last")), 9);
    EXPECT_EQ(QImage(QString::fromStdString(path("last.PNG"))).width(), 4 * 96);
}

TEST_F(PageExportTest, AbsurdPagesFailWithoutAFile)
{
    control.NewPage(200, 200);
    try {
        control.SaveToPNG(Variant(path("huge")));
        FAIL() << "a 19200 x 19200 image";
    } catch (const EngineError& e) {
        EXPECT_EQ(e.status(), E_UNEXPECTED);
        EXPECT_NE(std::string(e.what()).find("19200 x 19200"), std::string::npos) << e.what();
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.path().toStdString()));
}

TEST_F(PageExportTest, OnlyATextNameWritesAFile)
{
    EXPECT_TRUE(control.SaveToPNG(Variant("")).isEmpty());
    EXPECT_TRUE(control.SaveToJPEG(Variant(12)).isEmpty());
    EXPECT_TRUE(control.SaveToTIFF(Variant::null()).isEmpty());
    EXPECT_TRUE(std::filesystem::is_empty(dir.path().toStdString()));

    EXPECT_EQ(control.SaveToPNG(Variant(path("opened")), 0, true), Variant(0));
    ASSERT_EQ(ui.shown().size(), 1u);
    EXPECT_EQ(ui.shown()[0].kind, "document");
    EXPECT_EQ(ui.shown()[0].text, path("opened.PNG"));
}

TEST_F(PageExportTest, GreyAndProgressiveAreHonoured)
{
    control.AddShape("red", 1, 1, 2, 2, 0x0000FF, 0x0000FF);
    control.SaveToPNG(Variant(path("grey")), 0, false, 0, 24, true);
    const QRgb grey = QImage(QString::fromStdString(path("grey.PNG"))).pixel(192, 192);
    EXPECT_TRUE(qRed(grey) == qGreen(grey) && qGreen(grey) == qBlue(grey) && qRed(grey) < 200);

    control.SaveToJPEG(Variant(path("steps")), 0, false, 0, false, 90, true);
    QFile jpeg(QString::fromStdString(path("steps.JPG")));
    ASSERT_TRUE(jpeg.open(QIODevice::ReadOnly));
    EXPECT_TRUE(jpeg.readAll().contains("\xFF\xC2")) << "a progressive frame";
}

TEST_F(PageExportTest, TiffRangesInEitherOrderGoIntoOneFile)
{
    makeNumberedPages(6);
    EXPECT_EQ(control.SaveToTIFF(Variant(path("range")), 5, 2), Variant(0));
    EXPECT_EQ(tiffInfo(path("range.TIF")).count("TIFF Directory at offset"), 4);
    EXPECT_EQ(tiffPageWidths(path("range.TIF")), (std::vector<uint32_t>{288, 384, 480, 576}));

    control.GotoPage(3);
    control.SaveToTIFF(Variant(path("shown")), 0, 0);
    EXPECT_EQ(tiffPageWidths(path("shown.TIF")), std::vector<uint32_t>{384});
    // A start taken from the viewer beyond the end still gives a range.
    control.GotoPage(5);
    control.SaveToTIFF(Variant(path("back")), 0, 3);
    EXPECT_EQ(tiffPageWidths(path("back.TIF")), (std::vector<uint32_t>{384, 480, 576}));
}

TEST_F(PageExportTest, GroupFourCompressionWritesOneBitPages)
{
    control.NewPage();
    control.SaveToTIFF(Variant(path("fax")), 1, 2, false, 0, 2, 24);
    const QString info = tiffInfo(path("fax.TIF"));
    EXPECT_EQ(info.count("TIFF Directory at offset"), 2);
    EXPECT_EQ(info.count("Bits/Sample: 1"), 2) << info.toStdString();
    EXPECT_EQ(info.count("Compression Scheme: CCITT Group 4"), 2) << "every page of a range";
}

TEST_F(PageExportTest, DispatchReachesTheImageOperations)
{
    const TDispatchTable& table = TDispatchTable::instance();
    EXPECT_EQ(table.idOfName("SaveToJPEG"), 309);
    EXPECT_EQ(table.idOfName("SaveToBitmap"), 310);
    EXPECT_EQ(table.idOfName("SaveToPNG"), 311);
    EXPECT_EQ(table.idOfName("SaveToTIFF"), 312);

    std::vector<Variant> args{path("late"), Variant::missing(), false, Variant::missing(), Variant::missing(), false};
    EXPECT_EQ(table.invoke(control, "SaveToPNG", InvokeMethod, args), Variant(0));
    EXPECT_EQ(QImage(QString::fromStdString(path("late.PNG"))).size(), QSize(816, 1056));
}

TEST_F(PageExportTest, PngPagesAreCompressedAndKeepTheirPixels)
{
    for (int i = 0; i < 40; ++i)
        control.AddText("t", "Quarterly figures by region and product line", 0.5f, 0.5f + i * 0.25f, 0, 0, "Arial",
                        10, 0, 0xFFFFFF, "", 0, 0, 0, " ");
    ASSERT_EQ(control.SaveToPNG(Variant(path("dense"))), Variant(0));
    const QImage written(QString::fromStdString(path("dense.PNG")));
    ASSERT_EQ(written.size(), QSize(816, 1056));
    // A text page compresses far below its 2.5 MB of pixels; an encoder left
    // at no compression would not.
    EXPECT_LT(std::filesystem::file_size(path("dense.PNG")), 816u * 1056 * 3 / 10);
    // Lossless: the file holds exactly the page the exporter drew.
    EXPECT_EQ(written.convertToFormat(QImage::Format_RGB888),
              pageImage(control.report(), 1, 0).convertToFormat(QImage::Format_RGB888));
}
