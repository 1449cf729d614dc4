#include "InFolderTesting.h"
#include "metafile/MetafileTesting.h"
#include "render/PageImageTesting.h"

#include <orvreport/Dispatch.h>
#include <orvreport/EngineError.h>
#include "export/PageImageExport.h"
#include "metafile/MetafilePlayer.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>

#include <filesystem>
#include <optional>

using namespace orv;
using namespace orv::testing;

namespace fs = std::filesystem;

namespace {

const QColor kRed(220, 30, 30);

QByteArray readAll(const std::string& file)
{
    QFile in(QString::fromStdString(file));
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

QImage playedPage(const QByteArray& emf, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    EXPECT_TRUE(playMetafile(painter, emf, QRectF(QPointF(0, 0), QSizeF(size))));
    return image;
}

int redPixels(const QImage& image, QRect area)
{
    return countPixels(image, area, [](QRgb p) { return isColour(p, kRed, 50); });
}

class MetafileExportTest : public PageImageTest {
protected:
    // A red filled rectangle at (1, 1) inch, 2 x 1 inch, a black outlined
    // one below it and a line of large text under both.
    void addShapesAndText()
    {
        control.AddShape("red", 1, 1, 2, 1, 0, 0x1E1EDC, 0);
        control.AddShape("outline", 1, 2.5, 2, 1, 0, 0xFFFFFF, 1, 0, 8, 3);
        addText("Exported words", 1, 5, 28);
    }

    // Pages 1 to n, page p being p + 1 inches wide and 2 inches high.
    void makeNumberedPages(int32_t n)
    {
        control.NewPage(2, 2);
        control.DeletePage(1);
        for (int32_t p = 2; p <= n; ++p)
            control.NewPage(static_cast<float>(p + 1), 2);
    }

    static int widthOf(const QByteArray& emf)
    {
        const std::optional<QSizeF> frame = metafileFrame(emf);
        return frame ? metafilePixels(*frame, 96).width() : 0;
    }
};

} // namespace

TEST_F(MetafileExportTest, SavesThePageAsAnEmfFileUnderItsOwnExtension)
{
    addShapesAndText();
    EXPECT_EQ(control.SaveToMetafile(Variant(path("page.txt"))), Variant(0));
    EXPECT_FALSE(fs::exists(path("page.txt")));
    const QByteArray emf = readAll(path("page.EMF"));
    EXPECT_EQ(widthOf(emf), 816);
    // Written under a temporary name and renamed: nothing else is left.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"page.EMF"});

    EXPECT_EQ(control.SaveToMetafile(Variant("")), Variant()) << "no name, no file";
    EXPECT_EQ(control.SaveToMetafile(Variant(int32_t(5))), Variant()) << "a name must be text";

    EXPECT_EQ(control.SaveToMetafile(Variant(path("opened")), 0, true), Variant(0));
    ASSERT_FALSE(ui.shown().empty());
    EXPECT_EQ(ui.shown().back().kind, "document");
    EXPECT_EQ(ui.shown().back().text, path("opened.EMF"));

    EXPECT_THROW(control.SaveToMetafile(Variant(path("missing/folder/page"))), EngineError);
    EXPECT_FALSE(fs::exists(path("missing")));
}

TEST_F(MetafileExportTest, PageNumbersFollowTheOtherExports)
{
    makeNumberedPages(3);
    control.GotoPage(2);
    control.SaveToMetafile(Variant(path("shown")));
    EXPECT_EQ(widthOf(readAll(path("shown.EMF"))), 3 * 96) << "0 is the page shown";
    control.SaveToMetafile(Variant(path("last")), 9);
    EXPECT_EQ(widthOf(readAll(path("last.EMF"))), 4 * 96) << "past the end is the last page";
    EXPECT_EQ(TDispatchTable::instance().idOfName("SaveToMetafile"), 313);
    EXPECT_EQ(TDispatchTable::instance().idOfName("CopyPageToClipboard"), 314);
}

TEST_F(MetafileExportTest, PlayedBackTheMetafileLooksLikeTheRenderedPage)
{
    addShapesAndText();
    control.SaveToMetafile(Variant(path("page")));
    const QImage direct = pageImage(control.report(), 1, 0);
    const QImage replayed = playedPage(readAll(path("page.EMF")), direct.size());
    EXPECT_LT(differingShare(direct, replayed), 0.002);
    EXPECT_GT(redPixels(replayed, QRect(100, 100, 185, 90)), 185 * 90 * 9 / 10);
}

TEST_F(MetafileExportTest, LibreOfficeDrawsTheExportedPage)
{
    const QString soffice = QStandardPaths::findExecutable("soffice");
    if (soffice.isEmpty())
        GTEST_SKIP() << "soffice (libreoffice-draw-nogui) is not installed";
    addShapesAndText();
    control.SaveToMetafile(Variant(path("page")));

    // A profile of its own in a fresh home, so no other office runs interfere.
    QProcess office;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", dir.filePath("home"));
    office.setProcessEnvironment(environment);
    office.start(soffice, {"--headless", "--norestore", "--convert-to", "png", "--outdir", dir.filePath("out"),
                           dir.filePath("page.EMF")});
    ASSERT_TRUE(office.waitForFinished(90000)) << "soffice did not finish";
    QImage png(dir.filePath("out/page.png"));
    ASSERT_FALSE(png.isNull()) << office.readAllStandardError().toStdString();
    png = png.convertToFormat(QImage::Format_RGB32);

    // Draw places the picture on a page of its own, scaled to fit: the red
    // shape (2 x 1 inch at 1, 1) gives the scale and the origin, and every
    // other part must lie where the page has it.
    const QRect red = boundsOf(png, png.rect(), [](QRgb p) { return isColour(p, kRed, 50); });
    ASSERT_GT(red.width(), 50) << "the filled shape";
    const double scale = red.width() / 2.0;
    EXPECT_NEAR(red.height(), scale, 3) << "kept its proportions";
    const QPointF origin = QPointF(red.topLeft()) - QPointF(scale, scale);
    auto area = [&](double x, double y, double w, double h) {
        return QRectF(origin + QPointF(x, y) * scale, QSizeF(w, h) * scale).toRect();
    };
    EXPECT_GT(redPixels(png, area(1.1, 1.1, 1.8, 0.8)), int(1.8 * 0.8 * scale * scale * 0.95)) << "filled";
    EXPECT_GT(countPixels(png, area(0.95, 2.45, 2.1, 1.1), isInk), 100) << "the outlined shape";
    EXPECT_EQ(countPixels(png, area(1.2, 2.7, 1.6, 0.6), isInk), 0) << "its inside stays white";
    EXPECT_GT(countPixels(png, area(1, 4.6, 3.5, 0.5), isInk), 200) << "the text";
    auto notWhite = [](QRgb p) { return p != qRgb(255, 255, 255); };
    EXPECT_EQ(countPixels(png, area(5, 1, 3, 3), notWhite), 0) << "white elsewhere";
    EXPECT_EQ(countPixels(png, area(1, 5.3, 6, 5), notWhite), 0) << "white below the text";
}

namespace {

// The clipboard tests run in an empty current directory of their own, where
// the control writes its temporary pictures.
class MetafileClipboardTest : public MetafileExportTest {
protected:
    TWorkingInFolder folder{dir.path()};
};

} // namespace

TEST_F(MetafileClipboardTest, CopiesPageOneForZeroAsEmfAndPng)
{
    makeNumberedPages(3);
    control.GotoPage(3);
    EXPECT_EQ(control.CopyPageToClipboard(0), Variant());
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(widthOf(data->data("image/x-emf")), 2 * 96);
    EXPECT_EQ(QImage::fromData(data->data("image/png"), "PNG").size(), QSize(2 * 96, 2 * 96));

    control.CopyPageToClipboard(2);
    EXPECT_EQ(widthOf(QGuiApplication::clipboard()->mimeData()->data("image/x-emf")), 3 * 96);
}

TEST_F(MetafileClipboardTest, ACopiedPageComesBackAsAPictureThePlayerDraws)
{
    control.AddShape("red", 0, 0, 8.5, 11, 0, 0x1E1EDC, 0);
    control.CopyPageToClipboard(1);
    control.Clear();
    control.AddFromClipboard("clip", Currency::fromInches(1), Currency::fromInches(1), Currency::fromInches(2),
                             Currency::fromInches(2));
    const TReportObject& picture = control.report().page(1).Objects.back();
    EXPECT_EQ(fs::path(picture.Text).filename(), "ORVR0.WMF");
    EXPECT_TRUE(readMetafileHeader(readAll(picture.Text)));
    // Fitted into the 2 x 2 inch box: 8.5 : 11 of it, from its top-left.
    const QImage page = exportedPage(1);
    const QRect red = boundsOf(page, page.rect(), [](QRgb p) { return isColour(p, kRed, 50); });
    EXPECT_NEAR(red.left(), 96, 1);
    EXPECT_NEAR(red.top(), 96, 1);
    EXPECT_NEAR(red.height(), 192, 2);
    EXPECT_NEAR(red.width(), 148, 2);
}
