#include "PreviewWindow.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace orv;

TEST(PreviewWindow, WindowSizesParseOrAreRefused)
{
    EXPECT_EQ(parseWindowSize("800x600"), QSize(800, 600));
    EXPECT_EQ(parseWindowSize("1x16384"), QSize(1, 16384));
    EXPECT_FALSE(parseWindowSize("0x600"));
    EXPECT_FALSE(parseWindowSize("800x"));
    EXPECT_FALSE(parseWindowSize("800*600"));
    EXPECT_FALSE(parseWindowSize("99999x600"));
    EXPECT_FALSE(parseWindowSize("-800x600"));
}

namespace {

struct Grabbed {
    int status;
    QImage picture;
    QString errors;
};

Grabbed grabDemo(const QStringList& extra)
{
    QTemporaryDir folder;
    const QString png = folder.filePath("viewer.png");
    QProcess process;
    process.setWorkingDirectory(folder.path());
    process.start(ORV_SCRIPT_HOST, QStringList{"run", ORV_SOURCE_DIR "/examples/demo.orv", "--preview", "--grab", png}
                                       + extra);
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), QImage(png), QString::fromUtf8(process.readAllStandardError())};
}

} // namespace

TEST(PreviewWindow, GrabWritesTheToolbarAndTheFirstPageAtTheWindowSize)
{
    const Grabbed grabbed = grabDemo({"--size", "700x900"});
    ASSERT_EQ(grabbed.status, 0) << grabbed.errors.toStdString();
    ASSERT_EQ(grabbed.picture.size(), QSize(700, 900));
    // The page is white paper on the grey area, centred below the toolbar.
    EXPECT_EQ(grabbed.picture.pixelColor(5, 450), QColor(128, 128, 128));
    EXPECT_EQ(grabbed.picture.pixelColor(350, 60), QColor(Qt::white));
    // The toolbar's images are drawn in its 26 pixels.
    int dark = 0;
    for (int x = 0; x < 200; ++x)
        for (int y = 0; y < 26; ++y)
            if (qGray(grabbed.picture.pixel(x, y)) < 100)
                ++dark;
    EXPECT_GT(dark, 20);
}

TEST(PreviewWindow, ASizeOrAPictureWithoutTheWindowIsABadCommandLine)
{
    QProcess process;
    process.start(ORV_SCRIPT_HOST, QStringList{"run", ORV_SOURCE_DIR "/examples/demo.orv", "--grab", "x.png"});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 2);
    process.start(ORV_SCRIPT_HOST, QStringList{"run", ORV_SOURCE_DIR "/examples/demo.orv", "--preview", "--size", "big"});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 2);
}

TEST(PreviewWindow, AnUnwritablePictureFails)
{
    const Grabbed grabbed = [] {
        QProcess process;
        process.start(ORV_SCRIPT_HOST, QStringList{"run", ORV_SOURCE_DIR "/examples/demo.orv", "--preview", "--grab",
                                                   "/nonexistent-folder/viewer.png"});
        EXPECT_TRUE(process.waitForFinished(60000));
        return Grabbed{process.exitCode(), QImage(), QString::fromUtf8(process.readAllStandardError())};
    }();
    EXPECT_EQ(grabbed.status, 1);
    EXPECT_TRUE(grabbed.errors.contains("/nonexistent-folder/viewer.png")) << grabbed.errors.toStdString();
}
