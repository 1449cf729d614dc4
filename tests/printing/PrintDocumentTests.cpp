// Print jobs drawn through TPrintDocument, printed to a file and to the
// raw queues of a private CUPS scheduler, and checked with qpdf and poppler.

#include "CupsTestServer.h"

#include "pdf/PdfTestSupport.h"
#include "printing/PrintDocument.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace orv;
using orv::pdftest::runTool;
using orv::pdftest::TScratchDir;
using orv::printtest::TCupsTestServer;

namespace {

// Letter upright, Letter turned, Legal upright.
const std::vector<TSheetSettings> kSheets = {{8.5, 11}, {11, 8.5}, {8.5, 14}};

// Draws each sheet with a black inch square whose far corner lies half an
// inch inside the sheet's bottom right corner.
void drawSheets(TPrintDocument& document, int32_t ppi)
{
    for (const TSheetSettings& sheet : kSheets) {
        QPainter& painter = document.startSheet(sheet);
        painter.fillRect(QRectF((sheet.widthInches - 1.5) * ppi, (sheet.heightInches - 1.5) * ppi, ppi, ppi),
                         Qt::black);
        // Left behind on purpose: the next sheet must start untransformed.
        painter.translate(ppi, ppi);
        document.endSheet();
    }
}

std::string pdfInfo(const QString& file)
{
    const pdftest::ToolResult info =
        runTool("pdfinfo", {"-f", "1", "-l", QString::number(kSheets.size()), file});
    EXPECT_EQ(info.exitCode, 0) << info.err;
    return info.out;
}

// "612 x 792" for each page, in points.
std::vector<std::string> pageSizes(const QString& file)
{
    static const QRegularExpression size(R"(Page\s+\d+ size:\s+([\d.]+ x [\d.]+) pts)");
    std::vector<std::string> sizes;
    for (auto it = size.globalMatch(QString::fromStdString(pdfInfo(file))); it.hasNext();)
        sizes.push_back(it.next().captured(1).toStdString());
    return sizes;
}

void expectValidPdf(const QString& file)
{
    const pdftest::ToolResult check = runTool("qpdf", {"--check", file});
    EXPECT_EQ(check.exitCode, 0) << check.out << check.err;
}

void expectTheThreeSheets(const QString& file)
{
    expectValidPdf(file);
    EXPECT_EQ(pageSizes(file), (std::vector<std::string>{"612 x 792", "792 x 612", "612 x 1008"}));
}

bool isBlack(QRgb pixel)
{
    return qGray(pixel) < 64;
}

class PrintDocumentTest : public testing::Test {
protected:
    TPrintJobSettings fileSettings(const QString& name) const
    {
        TPrintJobSettings settings;
        settings.title = "Report";
        settings.outputFile = scratch.path(name).toStdString();
        return settings;
    }
    TPrintJobSettings queueSettings(const std::string& queue) const
    {
        TPrintJobSettings settings;
        settings.printer = queue;
        settings.title = "Quarterly report";
        return settings;
    }

    // Prints the three sheets to a queue and returns the job id.
    int32_t printToQueue(const TPrintJobSettings& settings)
    {
        TPrintDocument document(settings);
        EXPECT_TRUE(document.start()) << document.errorText();
        drawSheets(document, settings.devicePpi);
        EXPECT_TRUE(document.finish()) << document.errorText();
        EXPECT_GT(document.jobId(), 0);
        server.waitUntilIdle(settings.printer);
        return document.jobId();
    }

    TCupsTestServer server{{"Alpha", "Beta"}, "Alpha"};
    TScratchDir scratch;
};

TEST_F(PrintDocumentTest, PrintedToAFileEachPageIsItsSheet)
{
    const TPrintJobSettings settings = fileSettings("report.pdf");
    TPrintDocument document(settings);
    ASSERT_TRUE(document.start()) << document.errorText();
    drawSheets(document, settings.devicePpi);
    EXPECT_EQ(document.sheetCount(), 3);
    ASSERT_TRUE(document.finish()) << document.errorText();
    EXPECT_EQ(document.jobId(), 0);

    const QString file = QString::fromStdString(settings.outputFile);
    expectTheThreeSheets(file);
    EXPECT_NE(pdfInfo(file).find("Report"), std::string::npos) << "the title names the document";
    EXPECT_EQ(server.jobCount("Alpha"), 0);
}

TEST_F(PrintDocumentTest, ThePainterCountsDevicePixelsFromTheSheetsTopLeft)
{
    for (const int32_t ppi : {300, 600}) {
        TPrintJobSettings settings = fileSettings(QString("at-%1.pdf").arg(ppi));
        settings.devicePpi = ppi;
        TPrintDocument document(settings);
        ASSERT_TRUE(document.start()) << document.errorText();
        drawSheets(document, ppi);
        ASSERT_TRUE(document.finish()) << document.errorText();

        for (size_t page = 1; page <= kSheets.size(); ++page) {
            const QString stem = scratch.path(QString("at-%1-%2").arg(ppi).arg(page));
            runTool("pdftoppm", {"-png", "-r", "72", "-f", QString::number(page), "-l", QString::number(page),
                                 "-singlefile", QString::fromStdString(settings.outputFile), stem});
            const QImage image = QImage(stem + ".png").convertToFormat(QImage::Format_RGB32);
            const TSheetSettings& sheet = kSheets[page - 1];
            ASSERT_EQ(image.size(), QSize(qRound(sheet.widthInches * 72), qRound(sheet.heightInches * 72)));
            // At 72 pixels per inch, one pixel is a point: the square spans
            // from 1.5 to 0.5 inches before the right and bottom edges.
            const auto at = [&](double inchesFromRight, double inchesFromBottom) {
                return image.pixel(qRound((sheet.widthInches - inchesFromRight) * 72),
                                   qRound((sheet.heightInches - inchesFromBottom) * 72));
            };
            EXPECT_TRUE(isBlack(at(1.0, 1.0))) << ppi << " ppi, sheet " << page;
            EXPECT_TRUE(isBlack(at(1.4, 0.6))) << ppi << " ppi, sheet " << page;
            EXPECT_FALSE(isBlack(at(0.4, 1.0))) << ppi << " ppi, sheet " << page;
            EXPECT_FALSE(isBlack(at(1.0, 1.6))) << ppi << " ppi, sheet " << page;
        }
    }
}

TEST_F(PrintDocumentTest, SentToAQueueThePdfArrivesWhole)
{
    const int32_t jobId = printToQueue(queueSettings("Beta"));
    const QString arrived = scratch.write("arrived.pdf", server.jobDocument(jobId));
    expectTheThreeSheets(arrived);
    EXPECT_EQ(server.jobCount("Beta"), 1);
    EXPECT_EQ(server.jobCount("Alpha"), 0);
    EXPECT_EQ(server.jobAttribute(jobId, "job-name"), "Quarterly report");
    EXPECT_EQ(server.jobAttribute(jobId, "document-format"), "application/pdf");
}

TEST_F(PrintDocumentTest, CopiesAndCollationReachTheQueue)
{
    TPrintJobSettings settings = queueSettings("Alpha");
    settings.copies = 3;
    settings.collate = true;
    const int32_t collated = printToQueue(settings);
    settings.copies = 2;
    settings.collate = false;
    const int32_t uncollated = printToQueue(settings);

    EXPECT_EQ(server.jobAttribute(collated, "copies"), std::string("\0\0\0\3", 4));
    EXPECT_EQ(server.jobAttribute(collated, "multiple-document-handling"), "separate-documents-collated-copies");
    EXPECT_EQ(server.jobAttribute(uncollated, "copies"), std::string("\0\0\0\2", 4));
    EXPECT_EQ(server.jobAttribute(uncollated, "multiple-document-handling"), "separate-documents-uncollated-copies");
}

TEST_F(PrintDocumentTest, SettingsTheQueueDoesNotOfferAreLeftOut)
{
    // A raw queue lists no sides and no paper sources: the job goes out
    // without them instead of being refused.
    TPrintJobSettings settings = queueSettings("Alpha");
    settings.duplex = 2;
    settings.paperBin = 4;
    const int32_t jobId = printToQueue(settings);
    EXPECT_FALSE(server.jobAttribute(jobId, "sides"));
    EXPECT_FALSE(server.jobAttribute(jobId, "media-source"));
    expectTheThreeSheets(scratch.write("plain.pdf", server.jobDocument(jobId)));
}

TEST_F(PrintDocumentTest, AbortingHandsOnNothing)
{
    const TPrintJobSettings toFile = fileSettings("kept.pdf");
    const QString file = QString::fromStdString(toFile.outputFile);
    scratch.write("kept.pdf", "an older file");
    {
        TPrintDocument document(toFile);
        ASSERT_TRUE(document.start());
        drawSheets(document, toFile.devicePpi);
        document.abort();
    }
    {
        // Destroyed unfinished.
        TPrintDocument document(toFile);
        ASSERT_TRUE(document.start());
        drawSheets(document, toFile.devicePpi);
    }
    QFile kept(file);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "an older file");
    EXPECT_EQ(QDir(QFileInfo(file).path()).entryList(QDir::Files), QStringList{"kept.pdf"}) << "no temporary file";

    for (const bool destroyedUnfinished : {false, true}) {
        TPrintDocument document(queueSettings("Alpha"));
        ASSERT_TRUE(document.start());
        drawSheets(document, 300);
        if (!destroyedUnfinished)
            document.abort();
    }
    EXPECT_EQ(server.jobCount("Alpha"), 0);
}

TEST_F(PrintDocumentTest, ADocumentWithoutSheetsHandsOnNothing)
{
    const TPrintJobSettings toFile = fileSettings("empty.pdf");
    TPrintDocument empty(toFile);
    ASSERT_TRUE(empty.start());
    EXPECT_TRUE(empty.finish());
    EXPECT_FALSE(QFile::exists(QString::fromStdString(toFile.outputFile)));
    EXPECT_TRUE(QDir(QFileInfo(QString::fromStdString(toFile.outputFile)).path()).isEmpty());

    TPrintDocument emptyJob(queueSettings("Alpha"));
    ASSERT_TRUE(emptyJob.start());
    EXPECT_TRUE(emptyJob.finish());
    EXPECT_EQ(emptyJob.jobId(), 0);
    EXPECT_EQ(server.jobCount("Alpha"), 0);
}

TEST_F(PrintDocumentTest, APrinterCupsDoesNotKnowFails)
{
    TPrintDocument unknown(queueSettings("Nowhere"));
    EXPECT_FALSE(unknown.start());
    EXPECT_NE(unknown.errorText().find("Nowhere"), std::string::npos) << unknown.errorText();

    // A printer removed while the job is drawn.
    TPrintDocument removed(queueSettings("Beta"));
    ASSERT_TRUE(removed.start()) << removed.errorText();
    drawSheets(removed, 300);
    server.removeQueue("Beta");
    EXPECT_FALSE(removed.finish());
    EXPECT_NE(removed.errorText().find("Beta"), std::string::npos) << removed.errorText();
    EXPECT_EQ(removed.jobId(), 0);
}

TEST_F(PrintDocumentTest, AFileThatCannotBeWrittenLeavesNothing)
{
    TPrintDocument noFolder(fileSettings("missing/report.pdf"));
    EXPECT_FALSE(noFolder.start());
    EXPECT_FALSE(noFolder.errorText().empty());

    // The folder goes away while the job is drawn.
    ASSERT_TRUE(QDir().mkpath(scratch.path("gone")));
    const TPrintJobSettings settings = fileSettings("gone/report.pdf");
    TPrintDocument document(settings);
    ASSERT_TRUE(document.start()) << document.errorText();
    drawSheets(document, settings.devicePpi);
    ASSERT_TRUE(QDir(scratch.path("gone")).removeRecursively());
    EXPECT_FALSE(document.finish());
    EXPECT_FALSE(document.errorText().empty());
    EXPECT_FALSE(QDir(scratch.path("gone")).exists());
}

} // namespace
