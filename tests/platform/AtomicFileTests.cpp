#include "platform/AtomicFile.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

using namespace orv;
namespace fs = std::filesystem;

namespace {

class AtomicFileTest : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return dir.filePath(QString::fromStdString(name)).toStdString(); }

    static std::string contentOf(const std::string& file)
    {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    QStringList entries() const { return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot); }

    QTemporaryDir dir;
};

} // namespace

TEST_F(AtomicFileTest, AReplacedFileKeepsItsPermissions)
{
    writeFileAtomically(path("report.PDF"), "old");
    fs::permissions(path("report.PDF"), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    writeFileAtomically(path("report.PDF"), "new");
    EXPECT_EQ(contentOf(path("report.PDF")), "new");
    EXPECT_EQ(fs::status(path("report.PDF")).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(AtomicFileTest, ASymbolicLinkIsWrittenThroughAndStays)
{
    fs::create_directory(path("real"));
    writeFileAtomically(path("real/target.PDF"), "old");
    fs::create_symlink("real/target.PDF", path("link.PDF"));
    writeFileAtomically(path("link.PDF"), "new");
    EXPECT_TRUE(fs::is_symlink(path("link.PDF")));
    EXPECT_EQ(contentOf(path("real/target.PDF")), "new");

    // A link to a file not written yet creates that file.
    fs::create_symlink("real/later.PDF", path("dangling.PDF"));
    writeFileAtomically(path("dangling.PDF"), "made");
    EXPECT_TRUE(fs::is_symlink(path("dangling.PDF")));
    EXPECT_EQ(contentOf(path("real/later.PDF")), "made");
    EXPECT_EQ(QDir(dir.filePath("real")).entryList(QDir::Files | QDir::Hidden), QStringList({"later.PDF", "target.PDF"}));
}

TEST_F(AtomicFileTest, NamesOfTheLongestLegalLengthWork)
{
    for (size_t length : {251u, 255u}) {
        const std::string name = std::string(length - 4, 'n') + ".PDF";
        writeFileAtomically(path(name), "long");
        EXPECT_EQ(contentOf(path(name)), "long") << length;
    }
    EXPECT_EQ(entries().size(), 2);
}

TEST_F(AtomicFileTest, DevicesAndFoldersAreRefused)
{
    EXPECT_THROW(writeFileAtomically("/dev/null", "x"), std::runtime_error);
    EXPECT_THROW(outputFileName("/dev/null", ".PDF"), std::runtime_error) << "never /dev/null.PDF beside it";
    EXPECT_FALSE(fs::exists("/dev/null.PDF"));
    fs::create_directory(path("folder.PDF"));
    EXPECT_THROW(writeFileAtomically(path("folder.PDF"), "x"), std::runtime_error);
    EXPECT_EQ(outputFileName(path("plain"), ".PDF"), path("plain.PDF"));
    EXPECT_EQ(entries(), QStringList({"folder.PDF"}));
}

TEST_F(AtomicFileTest, TemporaryFilesOfAKilledWriterGoOnTheNextWrite)
{
    // A process that made its temporary file and died without cleaning up.
    const pid_t child = fork();
    if (child == 0) {
        (new TAtomicFile(path("report.PDF")))->create(); // never destroyed: the process ends at once
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_EQ(entries().size(), 1) << "the dead writer's temporary file";

    TAtomicFile running(path("report.PDF")); // a living writer's file stays
    running.create();
    writeFileAtomically(path("report.PDF"), "done");
    EXPECT_EQ(entries().size(), 2);
    EXPECT_TRUE(entries().contains("report.PDF"));
    EXPECT_TRUE(fs::exists(running.temporaryPath()));
}

TEST_F(AtomicFileTest, NothingIsMadeBeforeTheFirstBytes)
{
    {
        TAtomicFile drawing(path("report.PDF"));
        EXPECT_TRUE(drawing.temporaryPath().empty());
        EXPECT_TRUE(entries().isEmpty()) << "a writer killed while drawing leaves nothing";
        EXPECT_THROW(drawing.commit(), std::logic_error) << "no empty file replaces the target";
    }
    EXPECT_TRUE(entries().isEmpty());

    // The folder is checked at once, before anything is drawn.
    EXPECT_THROW(TAtomicFile(path("missing/report.PDF")), std::runtime_error);
    EXPECT_THROW(TAtomicFile(path(std::string(256, 'n'))), std::runtime_error);
    fs::create_directory(path("locked"));
    fs::permissions(path("locked"), fs::perms::owner_read | fs::perms::owner_exec);
    if (::geteuid() != 0) { // the superuser writes anywhere
        EXPECT_THROW(TAtomicFile(path("locked/report.PDF")), std::runtime_error);
    }
    fs::permissions(path("locked"), fs::perms::owner_all);

    TAtomicFile writer(path("report.PDF"));
    const std::string temporary = writer.create();
    EXPECT_EQ(writer.create(), temporary) << "made once";
    writer.write("bytes");
    writer.commit();
    EXPECT_EQ(contentOf(path("report.PDF")), "bytes");
    EXPECT_FALSE(fs::exists(temporary));

    // A file made piece by piece appears with its first piece.
    TAtomicFile pieces(path("report.PDF"));
    EXPECT_TRUE(pieces.temporaryPath().empty());
    pieces.append("new ");
    EXPECT_TRUE(fs::exists(pieces.temporaryPath()));
    pieces.append("bytes");
    pieces.commit();
    EXPECT_EQ(contentOf(path("report.PDF")), "new bytes");
}
