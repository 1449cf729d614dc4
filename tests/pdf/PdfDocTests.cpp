#include "pdf/PdfDoc.h"
#include "pdf/PdfDrawing.h"
#include "pdf/PdfErrors.h"
#include "pdf/PdfObjects.h"

#include "PdfTestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <cstdlib>
#include <fstream>
#include <ctime>
#include <functional>
#include <regex>

using namespace orv;
using pdftest::objectText;

namespace {

std::string savedDocument(bool encrypted, bool compressed = false)
{
    TPdfDoc doc;
    doc.Settings = pdftest::fixedSettings();
    doc.Settings.Encrypted = encrypted;
    doc.Settings.StreamCompression = compressed;
    doc.startDocument();
    doc.addPage();
    return doc.save();
}

struct XrefTable {
    size_t address = 0;
    std::vector<std::string> lines;
};

XrefTable xrefOf(const std::string& pdf)
{
    XrefTable table;
    const size_t startxref = pdf.rfind("startxref\r\n");
    table.address = std::stoul(pdf.substr(startxref + 11));
    const size_t countStart = table.address + 8; // after "xref\r\n0 "
    const size_t count = std::stoul(pdf.substr(countStart));
    size_t line = pdf.find("\r\n", countStart) + 2;
    for (size_t i = 0; i < count; ++i, line += 20)
        table.lines.push_back(pdf.substr(line, 20));
    return table;
}

std::string trailerOf(const std::string& pdf)
{
    const size_t start = pdf.rfind("trailer\r\n") + 9;
    return pdf.substr(start, pdf.rfind("\r\nstartxref") - start);
}

void expectMessage(const std::function<void()>& operation, const char* message)
{
    try {
        operation();
        ADD_FAILURE() << "no exception, expected: " << message;
    } catch (const EPdfInvalidOperation& e) {
        EXPECT_STREQ(e.what(), message);
    }
}

} // namespace

TEST(PdfDocument, OneEmptyPageHasTheFixedObjectsInOrder)
{
    const std::string pdf = savedDocument(false);
    EXPECT_EQ(objectText(pdf, 1), "<<\r\n/Type /Catalog\r\n/Pages 3 0 R\r\n>>");
    EXPECT_EQ(objectText(pdf, 2),
              "<<\r\n/Producer (Orv Report Engine  [Version: 1.0.0.1])\r\n/CreationDate (D:20240309140506-05'00')\r\n"
              "/ModDate (D:20240309140506-05'00')\r\n>>");
    EXPECT_EQ(objectText(pdf, 3), "<<\r\n/Type /Pages\r\n/Kids [4 0 R ]\r\n/Count 1\r\n>>");
    EXPECT_EQ(objectText(pdf, 4), "<<\r\n/Type /Page\r\n/Parent 3 0 R\r\n/MediaBox [0 0 612 792 ]\r\n"
                                  "/Resources <<\r\n/ExtGState <<\r\n>>\r\n/Font <<\r\n/F0 6 0 R\r\n>>\r\n"
                                  "/XObject <<\r\n>>\r\n/ProcSet [/PDF /Text /ImageC ]\r\n>>\r\n/Contents 5 0 R\r\n>>");
    EXPECT_EQ(objectText(pdf, 5), "<<\r\n/Length 10\r\n/Filter []\r\n>>\r\nstream\r\n/F0 10 Tf\n\nendstream");
    EXPECT_NE(objectText(pdf, 6).find("/BaseFont /Arial\r\n"), std::string::npos);
    EXPECT_NE(objectText(pdf, 7).find("/Type /FontDescriptor"), std::string::npos);
    EXPECT_EQ(objectText(pdf, 8), "");
    EXPECT_EQ(xrefOf(pdf).lines.size(), 8u);
}

TEST(PdfDocument, HeaderCrossReferenceAndTrailerHaveTheirFixedBytes)
{
    for (bool encrypted : {false, true}) {
        const std::string pdf = savedDocument(encrypted, true);
        EXPECT_EQ(pdf.substr(0, 11), "%PDF-1.4 \r\n");
        EXPECT_NE(pdf[11], '%') << "no second comment line";

        const XrefTable table = xrefOf(pdf);
        EXPECT_EQ(pdf.substr(table.address, 6), "xref\r\n");
        EXPECT_EQ(table.lines[0], "0000000000 65535 f\r\n");
        for (size_t n = 1; n < table.lines.size(); ++n) {
            const std::string& line = table.lines[n];
            ASSERT_TRUE(std::regex_match(line, std::regex("\\d{10} 00000 n\r\n"))) << line;
            const size_t offset = std::stoul(line.substr(0, 10));
            EXPECT_EQ(pdf.substr(offset, std::to_string(n).size() + 6), std::to_string(n) + " 0 obj") << n;
        }
        const size_t subsection = ("xref\r\n0 " + std::to_string(table.lines.size()) + "\r\n").size();
        EXPECT_EQ(pdf.substr(table.address + subsection + table.lines.size() * 20, 9), "trailer\r\n");

        const std::string id = "<E447665A289A9D13D1F3E04E75870CA0>";
        const std::string encrypt = encrypted ? "/Encrypt 2 0 R\r\n" : "";
        EXPECT_EQ(trailerOf(pdf), "<<\r\n/Size " + std::to_string(table.lines.size()) + "\r\n/ID [" + id + id +
                                      "]\r\n/Root 1 0 R\r\n" + encrypt + "/Info " + (encrypted ? "3" : "2") +
                                      " 0 R\r\n>>");
        EXPECT_EQ(pdf.substr(pdf.size() - 7), "%%EOF\r\n");
    }
}

TEST(PdfDocument, AnEncryptedDocumentPutsItsEncryptionDictionarySecondAndHasNoDates)
{
    const std::string pdf = savedDocument(true);
    EXPECT_EQ(objectText(pdf, 1), "<<\r\n/Type /Catalog\r\n/Pages 4 0 R\r\n>>");
    EXPECT_EQ(objectText(pdf, 2).rfind("<<\r\n/Filter /Standard\r\n/Length 40\r\n/V 2\r\n/R 2\r\n/O <", 0), 0u);
    EXPECT_NE(objectText(pdf, 3).find("/Producer ("), std::string::npos);
    EXPECT_EQ(objectText(pdf, 3).find("Date"), std::string::npos);
    EXPECT_NE(objectText(pdf, 4).find("/Type /Pages"), std::string::npos);
    EXPECT_NE(objectText(pdf, 5).find("/Type /Page\r\n"), std::string::npos);
    EXPECT_EQ(objectText(pdf, 3).find("Orv Report"), std::string::npos)
        << "the producer must be encrypted, not in clear";
}

TEST(PdfDocument, SavingTwiceGivesTheSameBytes)
{
    TPdfDoc doc;
    doc.Settings = pdftest::fixedSettings();
    doc.Settings.Encrypted = true;
    doc.Settings.StreamCompression = true;
    doc.startDocument();
    doc.setTitle("Twice");
    doc.addPage();
    drawPdfText(doc.canvas(), 72, 700, 0, "Saved twice", "Arial,Bold", 12, 0, 128);
    doc.addLink(72, 700, 144, 712, 0, "https://example.com");
    const std::string first = doc.save();
    EXPECT_EQ(doc.save(), first);
    // Another document of the same content is the same file.
    EXPECT_EQ(savedDocument(true, true), savedDocument(true, true));
}

TEST(PdfDocument, InformationEntriesFollowProducerAndDates)
{
    TPdfDoc doc;
    doc.Settings = pdftest::fixedSettings();
    doc.startDocument();
    doc.setCreator("Orv Report Engine Control");
    doc.setAuthor("");
    doc.setTitle("Quarterly (draft)");
    doc.setSubject("Sales");
    doc.setKeywords("one two");
    doc.setCreator("Host");
    doc.addPage();
    EXPECT_EQ(objectText(doc.save(), 2),
              "<<\r\n/Producer (Orv Report Engine  [Version: 1.0.0.1])\r\n/CreationDate (D:20240309140506-05'00')\r\n"
              "/Author ()\r\n/Title (Quarterly \\(draft\\))\r\n/Subject (Sales)\r\n/Keywords (one two)\r\n"
              "/Creator (Host)\r\n/ModDate (D:20240309140506-05'00')\r\n>>");
}

TEST(PdfDocument, PagesJoinThePageTreeWithTheirOwnSize)
{
    TPdfDoc doc;
    doc.Settings = pdftest::fixedSettings();
    doc.startDocument();
    doc.addPage();
    doc.addPage();
    doc.canvas().setPageWidth(792);
    doc.canvas().setPageHeight(612);
    EXPECT_EQ(doc.canvas().mediaBoxHeight(), 612);
    const std::string pdf = doc.save();
    // Page 2 follows the first page's content stream and the font Arial.
    EXPECT_EQ(objectText(pdf, 3), "<<\r\n/Type /Pages\r\n/Kids [4 0 R 8 0 R ]\r\n/Count 2\r\n>>");
    EXPECT_NE(objectText(pdf, 8).find("/MediaBox [0 0 792 612 ]"), std::string::npos);
    EXPECT_NE(objectText(pdf, 8).find("/F0 6 0 R"), std::string::npos) << "pages share the font";
    EXPECT_EQ(pdftest::streamData(pdf, 9), "/F0 10 Tf\n");
}

TEST(PdfDocument, LinksBecomeAnnotationsOfTheCurrentPage)
{
    TPdfDoc doc;
    doc.Settings = pdftest::fixedSettings();
    doc.startDocument();
    doc.addPage();
    doc.addLink(72, 700, 200.5f, 720.3f, 1, "https://example.com/a(b)");
    doc.addLink(0, 0, 10, 10, 0, "");
    const std::string pdf = doc.save();
    EXPECT_EQ(objectText(pdf, 8),
              "<<\r\n/Type/Annot\r\n/Subtype/Link\r\n/Rect[72 700 200.5 720.299987792969 ]\r\n/Border[0 0 1 ]\r\n"
              "/A<< /Type/Action/S/URI/URI(https://example.com/a\\(b\\))>>\r\n>>");
    EXPECT_NE(objectText(pdf, 4).find("/Contents 5 0 R\r\n/Annots [8 0 R ]\r\n>>"), std::string::npos);
    EXPECT_EQ(objectText(pdf, 9), "") << "an empty target adds nothing";
}

TEST(PdfDocument, OperationsOutsideTheirStateRaise)
{
    TPdfDoc doc;
    expectMessage([&] { doc.canvas(); }, "GetCanvas --Document is null");
    expectMessage([&] { doc.info(); }, "GetInfo --this method can not use this state..");
    expectMessage([&] { doc.addPage(); }, "AddPage --current pages null.");
    expectMessage([&] { doc.save(); }, "SaveToStream --there is no document to save.");
    expectMessage([&] { doc.getFont("Arial", 0); }, "GetFont --document is null.");
    expectMessage([&] { doc.getExtGState(128); }, "GetExtGState --document is null.");
    expectMessage([&] { doc.addLink(0, 0, 1, 1, 0, "x"); }, "AddAction --document is null.");
    doc.startDocument();
    expectMessage([&] { doc.save(); }, "GetPage --the Page is nil");
    expectMessage([&] { doc.canvas().page(); }, "GetPage --the Page is nil");
    doc.freeDocument();
    EXPECT_FALSE(doc.documentOpen());
    expectMessage([&] { doc.canvas(); }, "GetCanvas --Document is null");
}

TEST(PdfDocument, DatesCarryTheZoneTheyWereTakenIn)
{
    struct Case {
        int32_t offsetMinutes;
        const char* date;
    };
    for (const Case& c : {Case{0, "D:20240309140506Z"}, Case{330, "D:20240309140506+05'30'"},
                          Case{-210, "D:20240309140506-03'30'"}}) {
        TPdfDoc doc;
        doc.Settings = pdftest::fixedSettings();
        doc.Settings.CreationTime.UtcOffsetMinutes = c.offsetMinutes;
        doc.startDocument();
        doc.addPage();
        const std::string info = objectText(doc.save(), 2);
        EXPECT_NE(info.find(std::string("/CreationDate (") + c.date + ")"), std::string::npos) << info;
        EXPECT_NE(info.find(std::string("/ModDate (") + c.date + ")"), std::string::npos) << info;
    }

    // The machine's zone, whichever it is.
    const char* previous = std::getenv("TZ");
    const std::string saved = previous ? previous : "";
    for (const Case& c : {Case{330, "XST-5:30"}, Case{0, "UTC0"}, Case{-300, "EST5"}}) {
        setenv("TZ", c.date, 1);
        tzset();
        EXPECT_EQ(TPdfDateTime::localNow().UtcOffsetMinutes, c.offsetMinutes) << c.date;
    }
    if (previous)
        setenv("TZ", saved.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}

namespace {

// Pages with text, a font created on a later page and links, written with
// or without a spool folder; RC4 keeps the bytes reproducible.
void drawSpooledPages(TPdfDoc& doc, bool encrypted)
{
    doc.Settings.Encrypted = encrypted;
    doc.Settings.StreamCompression = true;
    doc.startDocument();
    for (int page = 1; page <= 40; ++page) {
        doc.addPage();
        drawPdfText(doc.canvas(), 72, 700, 0, "Page " + std::to_string(page), page > 20 ? "Courier New" : "Arial",
                    12, 0, 255);
        if (page % 7 == 0)
            doc.addLink(72, 72, 144, 90, 0, "https://example.org/" + std::to_string(page));
    }
}

} // namespace

TEST(PdfDocument, SpooledPagesGiveTheSameBytesAndAreFreed)
{
    QTemporaryDir folder;
    for (bool encrypted : {false, true}) {
        TPdfDoc inMemory;
        inMemory.Settings = pdftest::fixedSettings();
        drawSpooledPages(inMemory, encrypted);
        const std::string expected = inMemory.save();

        TPdfDoc spooled;
        spooled.Settings = pdftest::fixedSettings();
        spooled.Settings.SpoolFolder = folder.path().toStdString();
        drawSpooledPages(spooled, encrypted);
        // Every page but the last has left memory.
        int freed = 0;
        for (int32_t n = 1; n < spooled.xref().count(); ++n)
            freed += spooled.xref().objectAt(n) == nullptr;
        EXPECT_EQ(freed, 39 * 2 + 5);
        EXPECT_EQ(spooled.save(), expected);
        const std::string path = folder.filePath("spooled.pdf").toStdString();
        spooled.saveToFile(path);
        std::ifstream file(path, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), expected);
    }
    // The spool file has no name: only the written file is in the folder.
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"spooled.pdf"});
}
