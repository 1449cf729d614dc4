// Exports of pages that a careless or hostile host made: empty font names,
// pictures too big for any intermediate container, failing disks.

#include "render/PageImageTesting.h"

#include "codecs/JpegCodec.h"
#include <orvreport/EngineError.h>
#include "metafile/MetafilePlayer.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QProcess>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>

using namespace orv;
using namespace orv::testing;

namespace {

constexpr QRgb kRed = qRgb(255, 0, 0);

class HostileExportTest : public PageImageTest {
protected:
    // The files in the test's folder, temporary ones included.
    QStringList filesLeft() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }

    QImage metafilePage(const std::string& file)
    {
        QFile emf(QString::fromStdString(file));
        EXPECT_TRUE(emf.open(QIODevice::ReadOnly)) << file;
        QImage image(816, 1056, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        EXPECT_TRUE(playMetafile(painter, emf.readAll(), QRectF(image.rect())));
        return image;
    }

    // A red square picture of `side` pixels, written by Qt in `format`.
    std::string writeRedPicture(const char* name, int side, const char* format)
    {
        QImage picture(side, side, QImage::Format_RGB32);
        EXPECT_FALSE(picture.isNull());
        picture.fill(kRed);
        const std::string file = path(name);
        if (QByteArray(format) == "JPEG") {
            const std::string jpeg = encodeJpeg(picture, {});
            QFile out(QString::fromStdString(file));
            EXPECT_TRUE(out.open(QIODevice::WriteOnly));
            out.write(jpeg.data(), static_cast<qint64>(jpeg.size()));
        } else {
            EXPECT_TRUE(picture.save(QString::fromStdString(file), format));
        }
        return file;
    }

    static int redPixels(const QImage& page, const QRect& area)
    {
        return countPixels(page, area, [](QRgb p) { return isColour(p, QColor(kRed)); });
    }
};

} // namespace

TEST_F(HostileExportTest, EmptyFontNamesDrawInEveryPageExport)
{
    control.put_WatermarkText(Variant("DRAFT"));
    control.put_WatermarkFontName(Variant(""));
    control.put_CalendarShow(true);
    control.put_CalendarMonthFontName("");
    control.NewPage(8.5, 11);

    EXPECT_EQ(control.SaveToPNG(Variant(path("p"))), Variant(0));
    EXPECT_EQ(control.SaveToJPEG(Variant(path("p"))), Variant(0));
    EXPECT_EQ(control.SaveToBitmap(Variant(path("p"))), Variant(0));
    EXPECT_EQ(control.SaveToMetafile(Variant(path("p"))), Variant(0));
    EXPECT_EQ(control.SaveToTIFF(Variant(path("p")), 1, 2), Variant(0));
    control.CopyPageToClipboard(1);
    EXPECT_FALSE(QGuiApplication::clipboard()->image().isNull());

    const QImage page = exportedPage(1);
    EXPECT_GT(countPixels(page, page.rect(), isInk), 100) << "the calendar's title and days are drawn";
    EXPECT_GT(countPixels(page, page.rect(), [](QRgb p) { return isColour(p, QColor(0xC0, 0xC0, 0xC0), 8); }), 100)
        << "the grey watermark is drawn";
    EXPECT_EQ(filesLeft(), QStringList({"p.BMP", "p.EMF", "p.JPG", "p.PNG", "p.TIF", "page-1.PNG"}));
}

TEST_F(HostileExportTest, ObjectsAfterAHugePictureStayOnThePage)
{
    // 5808 x 5808 pixels: more than 128 MB as 32-bit pixels.
    const std::string jpeg = writeRedPicture("huge.jpg", 5808, "JPEG");
    addText("FIRST", 1, 1, 24);
    control.AddPicture("p", Variant(jpeg), 1, 2, 3, 3, 0);
    addText("LAST", 1, 8, 24);

    const QImage page = exportedPage(1);
    EXPECT_GT(redPixels(page, QRect(96, 192, 288, 288)), 280 * 280) << "the picture itself";
    EXPECT_GT(countPixels(page, QRect(96, 700, 400, 80), isInk), 100) << "text after the picture";
    EXPECT_EQ(control.SaveToMetafile(Variant(path("huge"))), Variant(0));
    const QImage metafile = metafilePage(path("huge.EMF"));
    EXPECT_GT(redPixels(metafile, QRect(96, 192, 288, 288)), 280 * 280);
    EXPECT_GT(countPixels(metafile, QRect(96, 700, 400, 80), isInk), 100);
    EXPECT_LT(std::filesystem::file_size(path("huge.EMF")), 8u << 20)
        << "the picture goes into the metafile at the page's resolution";
}

TEST_F(HostileExportTest, PicturesBeyondQtsOwnAllocationLimitAreDrawn)
{
    for (const char* format : {"PNG", "BMP"}) {
        SCOPED_TRACE(format);
        control.Clear();
        const std::string file = writeRedPicture(format[0] == 'P' ? "big.png" : "big.bmp", 6000, format);
        control.AddPicture("p", Variant(file), 1, 1, 2, 2, 0);
        const QImage page = exportedPage(1);
        EXPECT_GT(redPixels(page, QRect(96, 96, 192, 192)), 190 * 190);
        if (format[0] != 'P')
            continue;

        Variant pdf(path("big"));
        control.SaveToPDF(pdf, false);
        QProcess images;
        images.start("pdfimages", {"-list", QString::fromStdString(path("big.PDF"))});
        ASSERT_TRUE(images.waitForFinished(60000)) << "pdfimages must be installed";
        // PDF has no pixels of its own: a big picture goes in at 4096 x
        // 4096, placed at its box.
        EXPECT_TRUE(QString(images.readAllStandardOutput()).contains(" 4096 ")) << "the picture is in the PDF";
    }
}

TEST_F(HostileExportTest, AFailingPngWriteReportsTheFailureAndLeavesNoFile)
{
    addText("A page with some text on it", 1, 1, 24);
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = previous;
    small.rlim_cur = 512; // smaller than any page's PNG
    setrlimit(RLIMIT_FSIZE, &small);
    EXPECT_THROW(control.SaveToPNG(Variant(path("cut"))), EngineError);
    EXPECT_THROW(control.SaveToMetafile(Variant(path("cut"))), EngineError);
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(filesLeft(), QStringList());
}
