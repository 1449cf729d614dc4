// Crafted pictures of at most 2 MB that unpack to 16384 x 16384 pixels (an
// EMF declaring a 16000-pixel frame among them), each read, placed and
// exported by the script host in a process of its own, whose peak memory
// growth must stay within 1 GB while the page still shows the picture.

#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

constexpr int64_t kMostGrowth = 1'000'000'000;

class BigPictureMemoryTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder = new QTemporaryDir;
        QProcess maker;
        maker.start("python3", {ORV_SOURCE_DIR "/tests/fuzz/make_crafted.py", "--big", folder->path()});
        ASSERT_TRUE(maker.waitForFinished(300000));
        ASSERT_EQ(maker.exitCode(), 0) << maker.readAllStandardError().toStdString();
    }
    static void TearDownTestSuite()
    {
        delete folder;
        folder = nullptr;
    }

    struct Run {
        int status = -1;
        std::string out;
    };

    // Runs `script` in the picture folder; what it prints comes back.
    static Run runScript(const std::string& script)
    {
        const QString path = folder->filePath("memory.orv");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromStdString(script));
        file.close();
        QProcess host;
        host.setWorkingDirectory(folder->path());
        host.start(ORV_SCRIPT_HOST, {"run", path});
        EXPECT_TRUE(host.waitForFinished(600000));
        return {host.exitCode(), host.readAllStandardOutput().toStdString()};
    }

    static QTemporaryDir* folder;
};

QTemporaryDir* BigPictureMemoryTest::folder = nullptr;

// The numbers a script printed with `print`, in order (a Double or Long
// line each).
std::vector<double> numbersOf(const std::string& out)
{
    std::vector<double> numbers;
    std::istringstream lines(out);
    std::string type;
    double value = 0;
    while (lines >> type >> value)
        numbers.push_back(value);
    return numbers;
}

} // namespace

TEST_F(BigPictureMemoryTest, EachPictureIsReadPlacedAndExportedWithinAGigabyte)
{
    for (const char* name : {"huge.gif", "huge.tif", "huge.png", "huge.jpg", "huge.emf"}) {
        SCOPED_TRACE(name);
        ASSERT_LE(QFileInfo(folder->filePath(name)).size(), 2 << 20);
        const std::string file = name;
        const std::string stem = file.substr(0, file.find('.'));
        // Working set before, the picture's width, the exports' results,
        // then the peak working set.
        const Run run = runScript("print ReportInfo(1103)\n"
                                  "print GetImageInfo(1, \"" + file + "\")\n"
                                  "AddPicture \"p\", \"" + file + "\", 1, 1, 6.5, 9, 2\n"
                                  "print SaveToPDF(\"" + stem + "\")\n"
                                  "print SaveToPNG(\"" + stem + "\", 1)\n"
                                  "print SaveToMetafile(\"" + stem + "\", 1)\n"
                                  "print ReportInfo(1104)\n");
        ASSERT_EQ(run.status, 0) << run.out;
        const std::vector<double> printed = numbersOf(run.out);
        ASSERT_EQ(printed.size(), 6u) << run.out;
        EXPECT_EQ(printed[1], file == "huge.emf" ? 16000 : 16384) << "the picture's own width";
        EXPECT_EQ(printed[2], 0) << "the PDF";
        EXPECT_EQ(printed[3], 0) << "the PNG";
        EXPECT_EQ(printed[4], 0) << "the metafile";
        EXPECT_LE(printed[5] - printed[0], double(kMostGrowth)) << "peak memory growth";

        EXPECT_TRUE(QFileInfo(folder->filePath(QString::fromStdString(stem) + ".PDF")).size() > 0);
        // The picture is on the page: the box's middle is no longer paper
        // white (the metafile draws nothing inside its frame).
        const QImage page(folder->filePath(QString::fromStdString(stem) + ".PNG"));
        ASSERT_FALSE(page.isNull());
        const QRgb middle = page.pixel(page.width() / 2, page.height() / 2);
        if (file != "huge.emf") {
            EXPECT_NE(middle, qRgb(255, 255, 255)) << "the picture is drawn";
        }
    }
}
