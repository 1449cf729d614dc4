// Reports exported to PDF, checked with the tools PDF users have: qpdf,
// poppler (pdfinfo, pdftotext -bbox, pdftoppm, pdffonts) and zbar.

#include "pdf/PdfTestSupport.h"

#include "barcodes/BarcodeReaders.h"
#include <orvreport/Dispatch.h>
#include <orvreport/EngineError.h>
#include "viewer/PdfFileExport.h"
#include "pdfexport/PdfPageRenderer.h"
#include "pdfexport/ReportPdfExport.h"
#include "render/PageImageTesting.h"
#include "render/SheetLayout.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>

#include <filesystem>
#include <fstream>
#include <map>

using namespace orv;
using namespace orv::pdftest;
using orv::testing::countPixels;
using orv::testing::isColour;

namespace {

constexpr int32_t kRed = 0x0000FF;
constexpr int32_t kBlue = 0xFF0000;

// One word's box as pdftotext -bbox reports it, in points from the top.
struct WordBox {
    std::string word;
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
};

class ReportPdfTest : public orv::testing::PageImageTest {
protected:
    // Settings are reached by name, as a script host reaches them.
    Variant call(const char* name, std::vector<Variant> args)
    {
        return TDispatchTable::instance().invoke(control, name, InvokeMethod | InvokePropertyGet, args);
    }
    Variant get(const char* name) { return call(name, {}); }
    void put(const char* name, Variant value)
    {
        std::vector<Variant> args{std::move(value)};
        TDispatchTable::instance().invoke(control, name, InvokePropertyPut, args);
    }

    std::string pdf(int32_t first = 0, int32_t last = 0)
    {
        const Variant bytes = control.PDFStream(first, last);
        return std::string(bytes.bytes().begin(), bytes.bytes().end());
    }

    QString writePdf(const char* name, int32_t first = 0, int32_t last = 0)
    {
        return scratch.write(name, pdf(first, last));
    }

    static std::string info(const QString& file, const QString& key)
    {
        const std::string out = runTool("pdfinfo", {file}).out;
        const QRegularExpression line("^" + key + ":\\s*(.*)$", QRegularExpression::MultilineOption);
        return line.match(QString::fromStdString(out)).captured(1).trimmed().toStdString();
    }

    static std::vector<WordBox> words(const QString& file, int page)
    {
        const std::string html =
            runTool("pdftotext", {"-bbox", "-f", QString::number(page), "-l", QString::number(page), file, "-"}).out;
        static const QRegularExpression word(
            R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
        std::vector<WordBox> boxes;
        for (auto it = word.globalMatch(QString::fromStdString(html)); it.hasNext();) {
            const auto m = it.next();
            boxes.push_back({m.captured(5).toStdString(), m.captured(1).toDouble(), m.captured(2).toDouble(),
                             m.captured(3).toDouble(), m.captured(4).toDouble()});
        }
        return boxes;
    }

    static WordBox wordBox(const std::vector<WordBox>& boxes, const std::string& text)
    {
        for (const WordBox& box : boxes)
            if (box.word == text)
                return box;
        ADD_FAILURE() << "no word " << text;
        return {};
    }

    static std::string pageText(const QString& file, int page)
    {
        return runTool("pdftotext", {"-f", QString::number(page), "-l", QString::number(page), file, "-"}).out;
    }

    // Lays out a justified paragraph in a box 2.5 inches wide, one inch from
    // the page's left edge, and checks that every line but the last spans
    // the box.
    void expectJustifiedParagraph(const char* text, const char* fileName)
    {
        put("PDFXOffset", Variant(0.0f));
        put("PDFYOffset", Variant(0.0f));
        control.AddText("j", text, 1, 1, 2.5f, 3, "Arial", 12, 0, 0xFFFFFF, "", 0, 0, 3, " ");
        const TReportObject& object = control.report().page(1).Objects.back();
        ASSERT_GE(object.LineCount, 3);
        std::map<double, std::vector<WordBox>> lines; // by base line
        for (const WordBox& box : words(writePdf(fileName), 1))
            lines[box.yMax].push_back(box);
        ASSERT_EQ(static_cast<int>(lines.size()), object.LineCount);
        for (auto line = lines.begin(); line != lines.end(); ++line) {
            EXPECT_NEAR(line->second.front().xMin, 72, 1);
            if (std::next(line) != lines.end())
                EXPECT_NEAR(line->second.back().xMax, 3.5 * 72, 1) << line->second.back().word;
            else
                EXPECT_LT(line->second.back().xMax, 3.5 * 72 - 12) << line->second.back().word;
        }
    }

    // Page `page` rendered by poppler at 72 pixels per inch: one pixel a point.
    QImage rendered(const QString& file, int page = 1)
    {
        const QString stem = scratch.path("render-" + QString::number(page));
        runTool("pdftoppm", {"-png", "-r", "72", "-f", QString::number(page), "-l", QString::number(page),
                             "-singlefile", file, stem});
        return QImage(stem + ".png").convertToFormat(QImage::Format_RGB32);
    }

    // Five Letter pages, each naming itself and showing a page-number field.
    void fivePages()
    {
        for (int i = 1; i <= 5; ++i) {
            if (i > 1)
                control.NewPage();
            control.AddText("t", ("Page" + std::to_string(i)).c_str(), 1, 1, 0, 0, "Arial", 12, 0, 0xFFFFFF, "", 0,
                            0, 0, " ");
            control.AddReportField("f", "'Page ' + TRANSFORM(_PAGENO) + ' of ' + TRANSFORM(_PAGETOTAL)", 1, 3, 0, 0,
                                   Variant::missing(), Variant::missing(), "Arial", 12, 0, 0xFFFFFF, "", 0, 0, 0, " ");
        }
    }

    TScratchDir scratch;
};

} // namespace

// --- the file and the byte string -------------------------------------------------

TEST_F(ReportPdfTest, SaveToPdfNamesTheFileWithThePdfExtensionAndHandsTheNameBack)
{
    addText("Hello", 1, 1, 12);
    Variant name(path("out.pdf"));
    EXPECT_EQ(control.SaveToPDF(name), Variant(0));
    EXPECT_EQ(name.toString(), path("out.PDF"));
    EXPECT_TRUE(std::filesystem::exists(path("out.PDF")));
    EXPECT_FALSE(std::filesystem::exists(path("out.pdf")));
    EXPECT_EQ(runTool("qpdf", {"--check", QString::fromStdString(path("out.PDF"))}).exitCode, 0);

    // Without a name the report's file name is used; without that, -2.
    control.put_PDFFileName(path("fallback.pdf"));
    Variant none = Variant::missing();
    EXPECT_EQ(control.SaveToPDF(none), Variant(0));
    EXPECT_TRUE(std::filesystem::exists(path("fallback.PDF")));
    control.put_PDFFileName("");
    std::filesystem::remove(path("fallback.PDF"));
    Variant again = Variant::missing();
    EXPECT_EQ(call("SaveToPDF", {}), Variant(-2));
    EXPECT_EQ(control.SaveToPDF(again), Variant(-2));
    EXPECT_FALSE(std::filesystem::exists(path("fallback.PDF")));
}

TEST_F(ReportPdfTest, AFailedExportReachesTheHostAndLeavesNoFile)
{
    // A folder that does not exist cannot take the file.
    Variant name(path("missing/x.pdf"));
    EXPECT_THROW(control.SaveToPDF(name), EngineError);
    EXPECT_FALSE(std::filesystem::exists(path("missing")));

    // An existing file is replaced by the complete document.
    const std::string older = path("kept.PDF");
    std::ofstream(older) << "older";
    Variant kept(older);
    EXPECT_EQ(control.SaveToPDF(kept), Variant(0));
    std::ifstream written(older);
    std::string head(5, ' ');
    written.read(head.data(), 5);
    EXPECT_EQ(head, "%PDF-");
}

TEST_F(ReportPdfTest, PageRangesAreLimitedAndSwapped)
{
    EXPECT_EQ(pdfPageRange(5, 3, 1).first, 1);
    EXPECT_EQ(pdfPageRange(5, 3, 1).last, 3);
    EXPECT_EQ(pdfPageRange(5, 0, 0).last, 5);
    EXPECT_EQ(pdfPageRange(5, 9, 0).first, 5);
    EXPECT_EQ(pdfPageRange(5, -4, 99).first, 1);
    EXPECT_EQ(pdfPageRange(5, -4, 99).last, 5);

    fivePages();
    const QString file = writePdf("range.pdf", 3, 1);
    EXPECT_EQ(info(file, "Pages"), "3");
    EXPECT_NE(pageText(file, 1).find("Page1"), std::string::npos);
    EXPECT_NE(pageText(file, 3).find("Page3"), std::string::npos);
}

TEST_F(ReportPdfTest, DocumentInformationAndSettingsRules)
{
    control.put_PDFAuthor("Ann Author");
    control.put_PDFTitle("Quarterly");
    control.put_PDFCreator("Host App");
    const QString stream = writePdf("info.pdf");
    EXPECT_EQ(info(stream, "Author"), "Ann Author");
    EXPECT_EQ(info(stream, "Title"), "Quarterly");
    EXPECT_EQ(info(stream, "Creator"), "Orv Report Engine Control"); // the byte string keeps the engine's
    EXPECT_EQ(info(stream, "Producer").rfind("Orv Report Engine  [Version: ", 0), 0u);
    Variant name(path("info.pdf"));
    control.SaveToPDF(name);
    EXPECT_EQ(info(QString::fromStdString(name.toString()), "Creator"), "Host App");

    put("PDFJPEGQuality", Variant(0));
    put("PDFJPEGQuality", Variant(101));
    EXPECT_EQ(get("PDFJPEGQuality"), Variant(90));
    put("PDFEncrypt", Variant(2));
    EXPECT_EQ(get("PDFEncrypt"), Variant(1));
    put("PDFEncrypt", Variant(4));
    EXPECT_EQ(get("PDFEncrypt"), Variant(1));
    put("PDFMargin", Variant(0.5f));
    put("PDFXOffset", Variant(0.0f));
    EXPECT_EQ(get("PDFMargin"), Variant(0.5f));
    EXPECT_EQ(get("PDFYOffset"), Variant(0.5f));
    EXPECT_EQ(get("PDFXOffset"), Variant(0.0f));
}

// --- pages per sheet --------------------------------------------------------------

TEST_F(ReportPdfTest, PagesPerSheetSetsTheSheetCountAndOrientation)
{
    fivePages();
    put("PrintPagesPerPage", Variant(3)); // refused
    EXPECT_EQ(get("PrintPagesPerPage"), Variant(1));
    put("PrintPagesPerPage", Variant(4));
    const QString four = writePdf("four.pdf");
    EXPECT_EQ(info(four, "Pages"), "2");
    EXPECT_EQ(info(four, "Page size"), "612 x 792 pts (letter)");
    // The second sheet holds page 5 in the first place: top left at half size.
    const WordBox fifth = wordBox(words(four, 2), "Page5");
    EXPECT_NEAR(fifth.xMin, (1 + 0.25) * 72 * 0.5, 1);

    put("PrintPagesPerPage", Variant(2));
    const QString two = writePdf("two.pdf");
    EXPECT_EQ(info(two, "Pages"), "3");
    EXPECT_EQ(info(two, "Page size"), "792 x 612 pts (letter)");
    const WordBox second = wordBox(words(two, 1), "Page2");
    EXPECT_NEAR(second.xMin, 396 + 1.25 * 72 * 0.75, 1);
}

TEST(SheetLayout, CellsAndScales)
{
    const TSheetLayout eight{8};
    const TCellOrigin sixth = eight.cellOrigin(6, {1000, 600});
    EXPECT_DOUBLE_EQ(sixth.x, 250);
    EXPECT_DOUBLE_EQ(sixth.y, 300);
    EXPECT_DOUBLE_EQ(eight.scale(), 0.33);
    const TCellOrigin fourth = TSheetLayout{4}.cellOrigin(4, {612, 792});
    EXPECT_DOUBLE_EQ(fourth.x, 306);
    EXPECT_DOUBLE_EQ(fourth.y, 396);
    EXPECT_EQ(TSheetLayout{3}.cells(), 1);
    EXPECT_EQ(TSheetLayout{2}.sheetSize(8.5, 11).width, 11);
}

// --- where text lands ---------------------------------------------------------------

TEST_F(ReportPdfTest, AlignedTextLandsOnItsAnchor)
{
    put("PDFXOffset", Variant(0.25f));
    addText("RightEdge", 5, 2, 12, 1);
    addText("Centred", 5, 3, 12, 2);
    addText("Left", 5, 4, 12, 0);
    const std::vector<WordBox> boxes = words(writePdf("align.pdf"), 1);
    EXPECT_NEAR(wordBox(boxes, "RightEdge").xMax, (5 + 0.25) * 72, 1);
    const WordBox centred = wordBox(boxes, "Centred");
    EXPECT_NEAR((centred.xMin + centred.xMax) / 2, (5 + 0.25) * 72, 1);
    EXPECT_NEAR(wordBox(boxes, "Left").xMin, (5 + 0.25) * 72, 1);
}

TEST_F(ReportPdfTest, MarginThenXOffsetMovesObjectsDownOnly)
{
    addText("Marker", 1, 2, 12);
    put("PDFXOffset", Variant(0.0f));
    put("PDFYOffset", Variant(0.0f));
    const WordBox plain = wordBox(words(writePdf("plain.pdf"), 1), "Marker");
    put("PDFMargin", Variant(0.5f));
    put("PDFXOffset", Variant(0.0f));
    const WordBox moved = wordBox(words(writePdf("moved.pdf"), 1), "Marker");
    EXPECT_NEAR(moved.xMin, plain.xMin, 0.01);
    EXPECT_NEAR(moved.yMin - plain.yMin, 36, 0.01);
}

TEST_F(ReportPdfTest, WrappedTextKeepsItsStoredLineBreaks)
{
    control.AddText("w", "alpha beta gamma delta epsilon zeta eta theta", 1, 1, 1.2f, 3, "Arial", 12, 0, 0xFFFFFF,
                    "", 0, 0, 0, " ");
    const TReportObject& object = control.report().page(1).Objects.back();
    ASSERT_GE(object.LineCount, 3);
    const std::vector<WordBox> boxes = words(writePdf("wrap.pdf"), 1);
    std::map<double, std::string> lines; // by base line
    for (const WordBox& box : boxes)
        lines[box.yMax] += (lines[box.yMax].empty() ? "" : " ") + box.word;
    ASSERT_EQ(static_cast<int>(lines.size()), object.LineCount);
    // The first line ends where the layout ended it.
    const std::string firstLine = object.Text.substr(0, object.LineEnds[0] - 1);
    EXPECT_EQ(lines.begin()->second, std::string(firstLine.substr(0, firstLine.find_last_not_of(' ') + 1)));
    // Lines advance by the font's line spacing.
    const double step = std::next(lines.begin())->first - lines.begin()->first;
    EXPECT_NEAR(step, control.report().Fonts[object.FontIndex].LineSpacingInches.toDouble() * 72, 0.5);
}

TEST_F(ReportPdfTest, JustifiedLinesFillTheirBoxExceptAParagraphsLast)
{
    expectJustifiedParagraph("Every line of a justified paragraph reaches the right edge of its box, except the last one.",
                             "justified.pdf");
}

TEST_F(ReportPdfTest, JustifiedLinesInCompositeFontsFillTheirBoxToo)
{
    // Cyrillic goes out in composite fonts, whose multi-byte codes word
    // spacing does not reach: the blanks widen by glyph positions instead.
    expectJustifiedParagraph("Каждая строка выровненного абзаца доходит до правого края своей рамки, кроме последней строки.",
                             "justified-cyrillic.pdf");
}

TEST_F(ReportPdfTest, ReportFieldsShowTheirPageNumbers)
{
    fivePages();
    EXPECT_NE(pageText(writePdf("fields.pdf"), 2).find("Page 2 of 5"), std::string::npos);
    control.SetPageNumberToOne(3);
    EXPECT_NE(pageText(writePdf("restart.pdf"), 4).find("Page 2 of 3"), std::string::npos);
}

// --- figures ------------------------------------------------------------------------

TEST_F(ReportPdfTest, ArcsChordsAndPiesFollowTheirAngles)
{
    put("PDFXOffset", Variant(0.0f));
    put("PDFYOffset", Variant(0.0f));
    // A pie of the upper right quarter of a 2 in circle at (1, 1) in.
    control.AddPie("p", 1, 1, 2, 2, 0, 90, kRed, kRed, 0);
    // A chord of the upper half at (4, 1) in.
    control.AddChord("c", 4, 1, 2, 2, 0, 180, kBlue, kBlue, 0);
    const QImage page = rendered(writePdf("arcs.pdf"));
    const QColor red(255, 0, 0), blue(0, 0, 255);
    auto redAt = [&](int x, int y) { return isColour(page.pixel(x, y), red); };
    EXPECT_TRUE(redAt(144 + 30, 144 - 30));  // inside the quarter
    EXPECT_FALSE(redAt(144 - 30, 144 - 30)); // upper left: not part of the pie
    EXPECT_FALSE(redAt(144 + 30, 144 + 30)); // lower right: not part of the pie
    EXPECT_TRUE(isColour(page.pixel(360, 144 - 40), blue));
    EXPECT_FALSE(isColour(page.pixel(360, 144 + 40), blue));
}

TEST_F(ReportPdfTest, HatchesAreDrawnInTheFillColourWithGaps)
{
    put("PDFXOffset", Variant(0.0f));
    put("PDFYOffset", Variant(0.0f));
    control.AddShape("h", 1, 1, 2, 2, 0, kRed, 2, 0, 8, 1); // horizontal hatch
    const QImage page = rendered(writePdf("hatch.pdf"));
    const QRect inside(72 + 10, 72 + 10, 124, 124);
    const int red = countPixels(page, inside, [](QRgb p) { return isColour(p, QColor(255, 0, 0), 90); });
    const int white = countPixels(page, inside, [](QRgb p) { return isColour(p, QColor(255, 255, 255), 30); });
    EXPECT_GT(red, 124 * 4);
    EXPECT_GT(white, 124 * 60);
}

TEST_F(ReportPdfTest, TransparencyAndFreshDashesPerObject)
{
    control.AddShape("translucent", 1, 1, 1, 1, 0, kRed, 0, 0, 8, 1, 0, 0, 100);
    control.AddLine("dashed", 1, 3, 2, 0, 0, 1, 3);
    control.AddShape("solid", 1, 4, 1, 1, 0, kBlue, 0, 0, 8, 1);
    put("WatermarkText", Variant(std::string("DRAFT")));
    put("PDFCompress", Variant(false));
    const std::string bytes = pdf();
    EXPECT_NE(bytes.find("/ca 0.501960813999176"), std::string::npos); // the watermark's
    EXPECT_NE(bytes.find("/ca 0.39215686917305\r"), std::string::npos); // the shape's alpha 100
    const size_t dashed = bytes.find("[9 6 3 6 0 ] 0 d");
    ASSERT_NE(dashed, std::string::npos);
    EXPECT_NE(bytes.find("[] 0 d", dashed), std::string::npos);
    EXPECT_EQ(runTool("qpdf", {"--check", scratch.write("alpha.pdf", bytes)}).exitCode, 0);
}

// --- pictures, links, barcodes, fonts and encryption ------------------------------------

TEST_F(ReportPdfTest, APictureUsedTwiceIsEmbeddedOnce)
{
    QImage square(40, 40, QImage::Format_RGB32);
    square.fill(QColor(0, 128, 0));
    const std::string file = path("square.png");
    ASSERT_TRUE(square.save(QString::fromStdString(file)));
    control.AddPicture("p", file.c_str(), 1, 1, 2, 1, 1);
    control.NewPage();
    control.AddPicture("p", file.c_str(), 1, 1, 2, 1, 1);
    control.AddPicture("missing", path("gone.png").c_str(), 1, 3, 2, 1, 1);
    put("PDFCompress", Variant(false));
    const std::string bytes = pdf();
    size_t images = 0;
    for (size_t at = bytes.find("/Subtype /Image"); at != std::string::npos; at = bytes.find("/Subtype /Image", at + 1))
        ++images;
    EXPECT_EQ(images, 1u);
    // Fitted: a square in a 2 x 1 in box is drawn 72 x 72 points.
    EXPECT_NE(bytes.find("72 0 0 72 "), std::string::npos);
    EXPECT_EQ(runTool("qpdf", {"--check", scratch.write("pictures.pdf", bytes)}).exitCode, 0);
}

TEST_F(ReportPdfTest, AnnotationsBecomeUriLinks)
{
    control.AddAnnotation("a", "Link", Currency::fromInches(1), Currency::fromInches(1), Currency::fromInches(2),
                          Currency::fromInches(0.5), "https://example.com/report", 1);
    const QString file = writePdf("link.pdf");
    const std::string json = runTool("qpdf", {"--json", file}).out;
    EXPECT_NE(json.find("\"/Subtype\": \"/Link\""), std::string::npos);
    EXPECT_NE(json.find("https://example.com/report"), std::string::npos);
}

TEST_F(ReportPdfTest, BarcodesDecodeFromTheRenderedPageInTheirColour)
{
    control.AddBarCode("b", "REPORT42", 0, 1, 1, 3, 1, kBlue, 0); // Code 39
    const QString file = writePdf("barcode.pdf");
    const QString stem = scratch.path("barcode");
    runTool("pdftoppm", {"-png", "-r", "150", "-singlefile", file, stem});
    const ToolResult decoded = runTool("zbarimg", {"--nodbus", "-q", stem + ".png"});
    EXPECT_NE(decoded.out.find("REPORT42"), std::string::npos) << decoded.out << decoded.err;
    const QImage page = QImage(stem + ".png").convertToFormat(QImage::Format_RGB32);
    EXPECT_GT(countPixels(page, page.rect(), [](QRgb p) { return isColour(p, QColor(0, 0, 255), 60); }), 500);
}

TEST_F(ReportPdfTest, EncryptionAndFontEmbeddingFollowTheSettings)
{
    addText("Secret", 1, 1, 12);
    put("PDFEncrypt", Variant(1));
    put("PDFUserPassword", Variant(std::string("u")));
    put("PDFOwnerPassword", Variant(std::string("o")));
    put("PDFEmbedFonts", Variant(true));
    call("PDFFontMetric", {Variant(1), Variant(1), Variant(1)});
    const QString file = writePdf("secret.pdf");
    EXPECT_NE(runTool("qpdf", {"--check", file}).exitCode, 0);
    EXPECT_EQ(runTool("qpdf", {"--password=u", "--check", file}).exitCode, 0);
    const std::string fonts = runTool("pdffonts", {"-upw", "u", file}).out;
    EXPECT_NE(fonts.find("TrueType"), std::string::npos);
    EXPECT_NE(fonts.find("yes"), std::string::npos) << fonts;
    EXPECT_NE(runTool("pdftotext", {"-upw", "u", file, "-"}).out.find("Secret"), std::string::npos);
}

TEST_F(ReportPdfTest, WatermarkAndCalendarAppearInTheText)
{
    put("WatermarkText", Variant(std::string("CONFIDENTIAL")));
    put("WatermarkRotationAngle", Variant(0));
    put("CalendarShow", Variant(true));
    put("CalendarMonth", Variant(11));
    put("CalendarYear", Variant(2006));
    const QString file = writePdf("decorations.pdf");
    const std::string text = pageText(file, 1);
    EXPECT_NE(text.find("CONFIDENTIAL"), std::string::npos);
    EXPECT_NE(text.find("November 2006"), std::string::npos);
    EXPECT_NE(text.find("30"), std::string::npos);
    EXPECT_EQ(runTool("qpdf", {"--check", file}).exitCode, 0);
}

// Every symbology a reader here decodes, one a page, at every right angle.
TEST_F(ReportPdfTest, EveryDecodableSymbologyDecodesFromThePdf)
{
    struct Case {
        int32_t type;
        const char* data;
        const char* expected;
        int32_t angle = 0;
    };
    const Case cases[] = {
        {0, "CODE39 TEST", "CODE-39:CODE39 TEST"}, {1, "Ab!", "CODE-39:A+B/A"},
        {7, "CODE93", "CODE-93:CODE93"},           {8, "code93!", "CODE-93:code93!"},
        {9, "ABC-123", "CODE-128:ABC-123"},        {10, "Hello 128", "CODE-128:Hello 128"},
        {11, "1234567", "CODE-128:01234567"},      {14, "ABC", "CODE-128:ABC"},
        {15, "Hello", "CODE-128:Hello"},           {16, "1234", "CODE-128:1234"},
        {12, "96385074", "EAN-8:96385074"},        {13, "5901234123457", "EAN-13:5901234123457"},
        {18, "036000291452", "EAN-13:0036000291452"}, {19, "0123456", "EAN-13:0012345000065"},
        {4, "123456", "I2/5:123456"},              {3, "40156", "Codabar:A40156B"},
        {10, "Turned", "CODE-128:Turned", 90},     {10, "Upside", "CODE-128:Upside", 180},
        {10, "Down", "CODE-128:Down", 270},
    };
    int32_t page = 0;
    for (const Case& c : cases) {
        if (page++ > 0)
            control.NewPage();
        // Turned symbols stand in a box as high as the others are wide.
        const bool upright = c.angle == 90 || c.angle == 270;
        control.AddBarCode("b", c.data, c.type, 2, 2, upright ? 1.2f : 4, upright ? 4 : 1.2f, 0, c.angle);
    }
    const QString file = writePdf("symbologies.pdf");
    // Every page rendered and read in one run of each tool.
    runTool("pdftoppm", {"-gray", "-r", "150", file, scratch.path("symbol")});
    QStringList pages;
    const QDir folder(QFileInfo(file).absolutePath());
    for (const QString& name : folder.entryList({"symbol-*.pgm"}, QDir::Files, QDir::Name))
        pages << folder.filePath(name);
    ASSERT_EQ(pages.size(), std::size(cases));
    const std::vector<std::string> decoded = orv::testing::zbarReadings(pages);
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_NE(decoded[i].find(cases[i].expected), std::string::npos)
            << cases[i].type << " " << cases[i].angle << ": " << decoded[i];
}

TEST_F(ReportPdfTest, GridRowsAndColumnsStepInWholePoints)
{
    put("PDFXOffset", Variant(0.0f));
    put("PDFYOffset", Variant(0.0f));
    put("PDFCompress", Variant(false));
    // 100 points high in three rows, 100 points wide in four columns.
    control.AddGrid("g", Currency::fromInches(1), Currency::fromInches(1), Currency{13889}, Currency{13889}, 4, 3);
    const std::string bytes = pdf();
    for (const char* segment : {"72 687 m", "72 654 m", "97 620 m", "97 720 l", "122 720 l", "147 720 l"})
        EXPECT_NE(bytes.find(segment), std::string::npos) << segment;
    EXPECT_EQ(bytes.find("72 621 m"), std::string::npos); // no row line on the bottom edge
}

TEST_F(ReportPdfTest, ChartsAreImagesOfTwiceTheirBox)
{
    control.AddChart("c", 1, 1, 1, 3, 2); // a bar series
    control.ChartAddXYData(10, 0, "Q1", kRed);
    control.ChartAddXYData(20, 0, "Q2", kRed);
    control.NewPage();
    control.AddChart("c", 1, 1, 1, 3, 2);
    put("PrintPagesPerPage", Variant(4));
    const QString file = writePdf("chart.pdf");
    // pdfimages -list: page num type width height ...
    const std::string list = runTool("pdfimages", {"-list", file}).out;
    static const QRegularExpression row(R"(^\s*1\s+\d+\s+image\s+(\d+)\s+(\d+)\s+rgb.*jpeg)",
                                        QRegularExpression::MultilineOption);
    std::vector<std::pair<int, int>> sizes;
    for (auto it = row.globalMatch(QString::fromStdString(list)); it.hasNext();) {
        const auto m = it.next();
        sizes.emplace_back(m.captured(1).toInt(), m.captured(2).toInt());
    }
    // Both charts share the first sheet at half size: 3 x 2 in is 108 x 72 points.
    ASSERT_EQ(sizes.size(), 2u) << list;
    EXPECT_EQ(sizes[0], std::make_pair(216, 144));
    EXPECT_EQ(sizes[1], std::make_pair(216, 144));
    // The first chart's bars are drawn in their colour.
    const QImage page = rendered(file);
    EXPECT_GT(countPixels(page, page.rect(), [](QRgb p) { return isColour(p, QColor(255, 0, 0), 60); }), 100);
}

TEST_F(ReportPdfTest, ChartsAsVectorsKeepTheirTextAndNeedNoImage)
{
    control.AddChart("c", 1, 1, 1, 4, 3);
    control.put_ChartTitle("Sales by quarter");
    control.ChartAddSeries(1, "North", kRed);
    control.ChartAddXYData(1, 10, "Q1", kRed);
    control.ChartAddXYData(2, 20, "Q2", kRed);
    addText("Marker", 1, 6, 16);
    EXPECT_EQ(get("PDFChartMode"), Variant(0));
    EXPECT_EQ(pageText(writePdf("bitmap.pdf"), 1).find("Sales by quarter"), std::string::npos);

    put("PDFChartMode", Variant(1));
    put("PDFChartMode", Variant(2)); // ignored
    EXPECT_EQ(get("PDFChartMode"), Variant(1));
    const QString file = writePdf("vector.pdf");
    EXPECT_EQ(runTool("qpdf", {"--check", file}).exitCode, 0);
    const std::string text = pageText(file, 1);
    for (const char* label : {"Sales by quarter", "North"})
        EXPECT_NE(text.find(label), std::string::npos) << label << " in " << text;
    EXPECT_EQ(runTool("pdfimages", {"-list", file}).out.find("image"), std::string::npos);
    // The title stands centred over the chart's box, as large as a text of
    // the title's 16 points.
    const std::vector<WordBox> boxes = words(file, 1);
    const WordBox sales = wordBox(boxes, "Sales");
    const WordBox quarter = wordBox(boxes, "quarter");
    const WordBox marker = wordBox(boxes, "Marker");
    EXPECT_NEAR((sales.xMin + quarter.xMax) / 2, (1.25 + 2) * 72, 6);
    EXPECT_NEAR(sales.yMax - sales.yMin, marker.yMax - marker.yMin, 0.5);
    const QImage page = rendered(file);
    EXPECT_GT(countPixels(page, page.rect(), [](QRgb p) { return isColour(p, QColor(255, 0, 0), 60); }), 100);
}

TEST_F(ReportPdfTest, MetafilePicturesBecomeImagesOfTheirFrame)
{
    control.NewPage(4, 2);
    control.AddShape("s", 1, 0.5f, 2, 1, 0, kRed, 8, 0, 8, 1);
    const std::string emf = path("drawing");
    ASSERT_EQ(control.SaveToMetafile(Variant(emf), 2), Variant(0));
    control.NewPage();
    control.AddPicture("m", (emf + ".EMF").c_str(), 1, 1, 4, 2, 0);
    const QString file = writePdf("metafile.pdf", 3, 3);
    const std::string list = runTool("pdfimages", {"-list", file}).out;
    EXPECT_NE(list.find("384   192"), std::string::npos) << list;
    const QImage page = rendered(file);
    // Drawn a point a pixel from (1.25, 1.25) in: the shape's middle is red.
    EXPECT_TRUE(isColour(page.pixel(90 + 192, 90 + 96), QColor(255, 0, 0), 60));
    EXPECT_TRUE(isColour(page.pixel(90 + 20, 90 + 20), QColor(255, 255, 255), 30));
}

TEST_F(ReportPdfTest, BackgroundsGoUnderEachLineAndEllipsesKeepAFineRoundOutline)
{
    put("PDFCompress", Variant(false));
    control.AddText("w", "one two three four five six seven", 1, 1, 0.9f, 3, "Arial", 12, 0, 0x00FFFF, "", 0, 1, 0,
                    " ");
    const int32_t lines = control.report().page(1).Objects.back().LineCount;
    ASSERT_GE(lines, 3);
    control.AddShape("e", 1, 5, 2, 1, 0, kBlue, 8, 0, 8, 9, 99);
    const std::string bytes = pdf();
    // One yellow rectangle per line, each at its own line's top.
    std::vector<double> tops;
    for (size_t at = bytes.find("1 1 0 rg"); at != std::string::npos; at = bytes.find("1 1 0 rg", at + 1)) {
        const size_t re = bytes.find(" re", at);
        const std::string rect = bytes.substr(bytes.rfind('\n', re) + 1, re - bytes.rfind('\n', re) - 1);
        tops.push_back(std::stod(rect.substr(rect.find(' ') + 1)));
    }
    ASSERT_EQ(static_cast<int32_t>(tops.size()), lines);
    for (size_t i = 1; i < tops.size(); ++i)
        EXPECT_LT(tops[i], tops[i - 1]);
    // The ellipse: a 0.75 point outline with round caps and joins, whatever
    // its border width.
    const size_t ellipse = bytes.find("0 0 1 rg");
    ASSERT_NE(ellipse, std::string::npos);
    const std::string tail = bytes.substr(ellipse, 200);
    EXPECT_NE(tail.find("0.75 w"), std::string::npos) << tail;
    EXPECT_NE(tail.find("1 J"), std::string::npos);
    EXPECT_NE(tail.find("1 j"), std::string::npos);
}

namespace {

// A progress window whose user presses Cancel after the first sheet.
class TCancellingProgress : public IPdfExportProgress {
public:
    void start(int32_t pages) override { total = pages; }
    void advance(int32_t pages) override { done += pages; }
    bool cancelled() override { return done > 0; }
    void finish() override { finished = true; }

    int32_t total = 0, done = 0;
    bool finished = false;
};

} // namespace

TEST_F(ReportPdfTest, TheToolbarExportConfirmsOpensOrReportsACancel)
{
    fivePages();
    TPdfFileExport request;
    request.toolbarMode = true;
    request.silent = false;

    // No name: the save dialog asks; a cancelled dialog writes nothing.
    EXPECT_EQ(exportPdfFile(control.report(), ui, request), "");
    ASSERT_FALSE(ui.shown().empty());
    EXPECT_EQ(ui.shown().back().kind, "save");
    EXPECT_EQ(ui.shown().back().caption, "Save to PDF");

    // Confirmed and opened, as the report's settings ask.
    ui.queueAnswer(path("toolbar.pdf"));
    const std::string written = exportPdfFile(control.report(), ui, request);
    EXPECT_EQ(written, path("toolbar.PDF"));
    const auto& shown = ui.shown();
    ASSERT_GE(shown.size(), 2u);
    EXPECT_EQ(shown[shown.size() - 2].text.rfind("PDF Document Saved in ", 0), 0u);
    EXPECT_EQ(shown.back().kind, "document");
    EXPECT_EQ(shown.back().text, written);

    // Cancelled in the progress window after the first sheet: no file, and
    // the cancel is reported only while confirmations are off.
    TCancellingProgress progress;
    request.progress = &progress;
    request.fileName = path("cancelled.pdf");
    const size_t before = ui.shown().size();
    EXPECT_EQ(exportPdfFile(control.report(), ui, request), "");
    EXPECT_EQ(progress.total, 5);
    EXPECT_TRUE(progress.finished);
    EXPECT_FALSE(std::filesystem::exists(path("cancelled.PDF")));
    EXPECT_EQ(ui.shown().size(), before);
    control.put_PDFDisplayConfirmationAfterCreate(false);
    progress = TCancellingProgress();
    EXPECT_EQ(exportPdfFile(control.report(), ui, request), "");
    ASSERT_EQ(ui.shown().size(), before + 1);
    EXPECT_EQ(ui.shown().back().text, "PDF Document Canceled.");
    EXPECT_FALSE(std::filesystem::exists(path("cancelled.PDF")));
}

// A cancel pressed while a page is being drawn stops the export after the
// object in hand: the rest of the page is not drawn and nothing is written.
TEST_F(ReportPdfTest, ACancelStopsTheExportAfterTheObjectInHand)
{
    for (int i = 0; i < 10; ++i)
        control.AddShape("s", 1, 0.5f + i * 0.5f, 1, 0.25f, 0, kRed, 8, 0, 0);
    class TCancelAtThirdLook : public IPdfExportProgress {
    public:
        void start(int32_t) override {}
        void advance(int32_t) override {}
        bool cancelled() override { return ++looks >= 3; }
        void finish() override {}
        int32_t looks = 0;
    } progress;
    TPdfFileExport request;
    request.silent = false;
    request.progress = &progress;
    request.fileName = path("stopped.pdf");
    EXPECT_EQ(exportPdfFile(control.report(), ui, request), "");
    // Three looks while drawing, the third cancelling, then the export's
    // own look before it writes; a walk that went on would look eleven times.
    EXPECT_EQ(progress.looks, 4) << "the walk stops at the first cancel";
    EXPECT_FALSE(std::filesystem::exists(path("stopped.PDF")));
    ASSERT_FALSE(ui.shown().empty());
    EXPECT_EQ(ui.shown().back().text, "PDF Document Canceled.");
}

// Pages wait in an unnamed spool while they are drawn: an export killed
// then leaves nothing in the folder, and one that stops keeps the older
// file of the same name as it was.
TEST_F(ReportPdfTest, NoFileAppearsWhileThePagesAreDrawn)
{
    fivePages();
    const std::string older = path("kept.PDF");
    std::ofstream(older) << "older";
    class TFolderWatch : public IPdfExportProgress {
    public:
        explicit TFolderWatch(QString folder) : m_folder(std::move(folder)) {}
        void start(int32_t) override {}
        void advance(int32_t) override { seen.push_back(entries()); }
        bool cancelled() override { return cancelAfter > 0 && int32_t(seen.size()) >= cancelAfter; }
        void finish() override {}
        QStringList entries() const
        {
            return QDir(m_folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        }

        std::vector<QStringList> seen;
        int32_t cancelAfter = 0;

    private:
        QString m_folder;
    };

    TFolderWatch watch(dir.path());
    TPdfFileExport request;
    request.silent = false;
    request.progress = &watch;
    request.fileName = older;
    EXPECT_EQ(exportPdfFile(control.report(), ui, request), older);
    ASSERT_EQ(watch.seen.size(), 4u) << "one look after each sheet but the last";
    for (const QStringList& entries : watch.seen)
        EXPECT_EQ(entries, QStringList{"kept.PDF"});
    std::ifstream written(older);
    std::string head(5, ' ');
    written.read(head.data(), 5);
    EXPECT_EQ(head, "%PDF-");

    std::ofstream(older, std::ios::trunc) << "older";
    TFolderWatch stopping(dir.path());
    stopping.cancelAfter = 2;
    request.progress = &stopping;
    EXPECT_EQ(exportPdfFile(control.report(), ui, request), "");
    EXPECT_EQ(stopping.entries(), QStringList{"kept.PDF"});
    std::ifstream kept(older);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "older");
}
