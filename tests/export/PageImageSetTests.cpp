#include "export/PageImageSet.h"

#include "codecs/GifCodec.h"
#include "document/Report.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <tiffio.h>

using namespace orv;

namespace {

class PageImageSetTest : public ::testing::Test {
protected:
    // Letter pages 1 to n, the report's first page among them.
    void makePages(int32_t n)
    {
        for (int32_t p = 2; p <= n; ++p)
            report.newPage(8.5f, 11, 0, 0, 0);
    }

    std::string path(const char* name) const { return folder.filePath(QLatin1String(name)).toStdString(); }
    QStringList files() const { return QDir(folder.path()).entryList(QDir::Files, QDir::Name); }
    static QSize imageSize(const std::string& file) { return QImage(QString::fromStdString(file)).size(); }

    QTemporaryDir folder;
    TReport report;
};

// Stops after `after` pictures.
class TStopAfter : public IImageSetProgress {
public:
    explicit TStopAfter(int32_t after) : m_after(after) {}
    void sheetSaved(int32_t done, int32_t total) override
    {
        m_done = done;
        totals.push_back(total);
    }
    bool stopRequested() override { return m_done >= m_after; }
    std::vector<int32_t> totals;

private:
    int32_t m_after;
    int32_t m_done = 0;
};

uint16_t tiffPageCount(const std::string& file)
{
    TIFF* tiff = TIFFOpen(file.c_str(), "r");
    if (!tiff)
        return 0;
    const uint16_t pages = TIFFNumberOfDirectories(tiff);
    TIFFClose(tiff);
    return pages;
}

} // namespace

TEST(NumberedFileNames, PadThePageNumberToWhatThePageCountNeeds)
{
    EXPECT_EQ(numberedFileName("Report.JPG", 7, 40), "Report-07.JPG");
    EXPECT_EQ(numberedFileName("Report.JPG", 7, 99), "Report-07.JPG");
    EXPECT_EQ(numberedFileName("Report.JPG", 7, 100), "Report-007.JPG");
    EXPECT_EQ(numberedFileName("Report.JPG", 7, 9999), "Report-0007.JPG");
    EXPECT_EQ(numberedFileName("Report.JPG", 7, 99999), "Report-00007.JPG");
    EXPECT_EQ(numberedFileName("Report.JPG", 7, 100000), "Report-000007.JPG");
    EXPECT_EQ(numberedFileName("Report.JPG", 1234567, 2000000), "Report-1234567.JPG");
    EXPECT_EQ(numberedFileName("/a.b/out.PNG", 3, 12), "/a.b/out-03.PNG");
}

TEST_F(PageImageSetTest, SeveralPagesGoToNumberedFilesOneToOne)
{
    makePages(12);
    TImageSetRequest request;
    request.fileName = path("Report.PNG");
    request.type = ImageFileType::Png;
    request.firstPage = 1;
    request.lastPage = 3;
    const TImageSetResult result = saveImageSet(report, request);
    EXPECT_FALSE(result.stopped);
    ASSERT_EQ(result.files.size(), 3u);
    EXPECT_EQ(result.files[0], path("Report-01.PNG"));
    EXPECT_EQ(files(), (QStringList{"Report-01.PNG", "Report-02.PNG", "Report-03.PNG"}));
    EXPECT_EQ(imageSize(result.files[2]), QSize(816, 1056));
}

TEST_F(PageImageSetTest, OnePageGoesToTheNameItselfAtTheChosenScale)
{
    TImageSetRequest request;
    request.fileName = path("page.txt");
    request.type = ImageFileType::Jpeg;
    request.scale = 0.5;
    const TImageSetResult result = saveImageSet(report, request);
    ASSERT_EQ(result.files, std::vector<std::string>{path("page.JPG")});
    EXPECT_EQ(imageSize(path("page.JPG")), QSize(408, 528));
}

TEST_F(PageImageSetTest, PagesPerSheetPutSeveralPagesOnEachPicture)
{
    makePages(5);
    TImageSetRequest request;
    request.fileName = path("sheets.BMP");
    request.type = ImageFileType::Bmp;
    request.firstPage = 1;
    request.lastPage = 5;
    request.pagesPerSheet = 2;
    const TImageSetResult result = saveImageSet(report, request);
    EXPECT_EQ(files(), (QStringList{"sheets-01.BMP", "sheets-03.BMP", "sheets-05.BMP"}));
    // Two pages turn the sheet.
    EXPECT_EQ(imageSize(result.files[0]), QSize(1056, 816));
    EXPECT_EQ(imageSetSheetSize(report, 1, 2, 1.0), QSize(1056, 816));
    EXPECT_EQ(imageSetSheetSize(report, 1, 4, 0.5), QSize(408, 528));
}

TEST_F(PageImageSetTest, AMultiPageTiffHoldsEverySheet)
{
    makePages(4);
    TImageSetRequest request;
    request.fileName = path("all.tif");
    request.type = ImageFileType::Tiff;
    request.firstPage = 2;
    request.lastPage = 4;
    request.multiPageTiff = true;
    const TImageSetResult result = saveImageSet(report, request);
    ASSERT_EQ(result.files, std::vector<std::string>{path("all.TIF")});
    EXPECT_EQ(tiffPageCount(path("all.TIF")), 3);
    EXPECT_EQ(files(), QStringList{"all.TIF"});
}

TEST_F(PageImageSetTest, AStopKeepsWhatWasWrittenUntilDeleted)
{
    makePages(6);
    TImageSetRequest request;
    request.fileName = path("part.GIF");
    request.type = ImageFileType::Gif;
    request.firstPage = 1;
    request.lastPage = 6;
    TStopAfter progress(2);
    const TImageSetResult result = saveImageSet(report, request, &progress);
    EXPECT_TRUE(result.stopped);
    EXPECT_EQ(progress.totals, (std::vector<int32_t>{6, 6}));
    EXPECT_EQ(files(), (QStringList{"part-01.GIF", "part-02.GIF"}));
    deleteImageFiles(result);
    EXPECT_TRUE(files().isEmpty());

    // A multi-page TIFF that stops holds the pages done.
    request.fileName = path("part.TIF");
    request.type = ImageFileType::Tiff;
    request.multiPageTiff = true;
    TStopAfter early(3);
    const TImageSetResult tiff = saveImageSet(report, request, &early);
    EXPECT_TRUE(tiff.stopped);
    EXPECT_EQ(tiffPageCount(path("part.TIF")), 3);
    deleteImageFiles(tiff);
    EXPECT_TRUE(files().isEmpty());
}

TEST_F(PageImageSetTest, GifAndEmfFilesAreWhatTheyClaim)
{
    TImageSetRequest request;
    request.fileName = path("page.gif");
    request.type = ImageFileType::Gif;
    request.options.bitsPerPixel = 4;
    saveImageSet(report, request);
    QFile gif(QString::fromStdString(path("page.GIF")));
    ASSERT_TRUE(gif.open(QIODevice::ReadOnly));
    EXPECT_EQ(gif.read(6), QByteArray("GIF89a"));
    const QImage decoded = decodeGifFile(gif.fileName());
    EXPECT_EQ(decoded.size(), QSize(816, 1056));
    EXPECT_EQ(decoded.pixel(400, 500), qRgb(255, 255, 255));

    request.fileName = path("page.emf");
    request.type = ImageFileType::Emf;
    saveImageSet(report, request);
    QFile emf(QString::fromStdString(path("page.EMF")));
    ASSERT_TRUE(emf.open(QIODevice::ReadOnly));
    const QByteArray header = emf.read(44);
    ASSERT_EQ(header.size(), 44);
    EXPECT_EQ(header.mid(40, 4), QByteArray(" EMF"));
}
