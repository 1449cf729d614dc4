// Reports in every script exported to PDF: composite fonts with embedded
// subsets, checked with poppler (pdftotext, pdffonts, pdftoppm) and qpdf.

#include "pdf/PdfTestSupport.h"

#include "control/Dispatch.h"
#include "render/PageImageTesting.h"

#include <QImage>
#include <QRegularExpression>

#include <random>
#include <regex>

using namespace orv;
using namespace orv::pdftest;

namespace {

// Lines in many scripts, with Latin mixed in where the direction allows
// readers to give the line back in order.
const std::vector<std::string> kScriptLines = {
    "Русский текст and Latin",
    "Ελληνικά κείμενο 2024",
    "中文报告 Report",
    "日本語のテキスト",
    "العربية",
    "עברית",
    "हिन्दी पाठ",
    "Smörgåsbord €12",
};

// The box and amount of ink of a run of inked rows.
struct InkBand {
    int top = 0, bottom = 0, left = 0, right = 0;
    double ink = 0;
};

std::vector<InkBand> inkBands(const QImage& image)
{
    std::vector<InkBand> bands;
    bool open = false;
    for (int y = 0; y < image.height(); ++y) {
        double rowInk = 0;
        int left = image.width(), right = -1;
        for (int x = 0; x < image.width(); ++x) {
            const int ink = 255 - qGray(image.pixel(x, y));
            if (ink > 64) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
            rowInk += ink;
        }
        if (right < 0) {
            open = open && bands.back().bottom >= y - 3; // gaps of a few rows stay inside a line
            continue;
        }
        if (!open)
            bands.push_back({y, y, left, right, 0});
        InkBand& band = bands.back();
        band.bottom = y;
        band.left = std::min(band.left, left);
        band.right = std::max(band.right, right);
        band.ink += rowInk;
        open = true;
    }
    return bands;
}

class UnicodePdfTest : public orv::testing::PageImageTest {
protected:
    void put(const char* name, Variant value)
    {
        std::vector<Variant> args{std::move(value)};
        TDispatchTable::instance().invoke(control, name, InvokePropertyPut, args);
    }
    Variant get(const char* name)
    {
        std::vector<Variant> args;
        return TDispatchTable::instance().invoke(control, name, InvokePropertyGet, args);
    }

    std::string pdf()
    {
        const Variant bytes = control.PDFStream(0, 0);
        return std::string(bytes.bytes().begin(), bytes.bytes().end());
    }

    void addLines(const std::vector<std::string>& lines, float top = 1)
    {
        for (size_t i = 0; i < lines.size(); ++i)
            addText(lines[i].c_str(), 1, top + 0.5f * static_cast<float>(i), 14);
    }

    // pdftotext's lines, without the direction marks it puts around
    // right-to-left runs.
    static std::vector<std::string> textLines(const QString& file)
    {
        QString text = QString::fromStdString(runTool("pdftotext", {file, "-"}).out);
        text.remove(QRegularExpression("[\\x{202A}-\\x{202E}]"));
        std::vector<std::string> lines;
        for (const QString& line : text.split('\n'))
            if (!line.trimmed().isEmpty()) // page ends are form feeds
                lines.push_back(line.trimmed().toStdString());
        return lines;
    }

    // pdffonts rows of composite fonts: name, embedded, subset, ToUnicode.
    static std::vector<std::smatch> compositeFonts(const std::string& listing)
    {
        static const std::regex row(R"((\S+) +CID TrueType +Custom +(yes|no) +(yes|no) +(yes|no))");
        return {std::sregex_iterator(listing.begin(), listing.end(), row), std::sregex_iterator()};
    }

    // The PDF drawn by poppler and the engine's own picture of page 1: every
    // line of text is a band of inked rows, and the bands must cover the
    // same boxes and hold about the same ink, whatever the antialiasing.
    void expectPdfLooksLikeEnginePicture(const std::vector<std::string>& lines)
    {
        put("PDFMargin", Variant(0.0f)); // the PDF's offsets would move every object
        const QImage screen = exportedPage(1);
        const QString file = scratch.write("look.pdf", pdf());
        const QString stem = scratch.path("look");
        runTool("pdftoppm", {"-png", "-r", "96", "-singlefile", file, stem});
        const QImage printed = QImage(stem + ".png").convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(printed.size(), screen.size());
        const std::vector<InkBand> shown = inkBands(screen), written = inkBands(printed);
        ASSERT_EQ(shown.size(), lines.size());
        ASSERT_EQ(written.size(), shown.size());
        for (size_t i = 0; i < shown.size(); ++i) {
            SCOPED_TRACE(lines[i]);
            EXPECT_NEAR(written[i].top, shown[i].top, 3);
            EXPECT_NEAR(written[i].bottom, shown[i].bottom, 3);
            EXPECT_NEAR(written[i].left, shown[i].left, 3);
            EXPECT_NEAR(written[i].right, shown[i].right, 4);
            EXPECT_NEAR(written[i].ink, shown[i].ink, 0.3 * shown[i].ink);
        }
    }

    TScratchDir scratch;
};

} // namespace

TEST_F(UnicodePdfTest, EveryScriptComesBackAsItsSourceTextFromEmbeddedSubsets)
{
    addLines(kScriptLines);
    const QString file = scratch.write("scripts.pdf", pdf());
    EXPECT_EQ(textLines(file), kScriptLines);

    const auto check = runTool("qpdf", {"--check", file});
    EXPECT_EQ(check.exitCode, 0) << check.out << check.err;

    const std::string listing = runTool("pdffonts", {file}).out;
    const auto fonts = compositeFonts(listing);
    ASSERT_GE(fonts.size(), 3u) << listing; // Latin and Cyrillic, CJK, Indic at least
    for (const std::smatch& font : fonts) {
        EXPECT_TRUE(std::regex_match(font[1].str(), std::regex("[A-Z]{6}\\+.+"))) << font[1];
        EXPECT_EQ(font[2], "yes") << font[1];
        EXPECT_EQ(font[3], "yes") << font[1];
        EXPECT_EQ(font[4], "yes") << font[1];
    }
    // The line that fits code page 1252 stays in the simple font.
    EXPECT_NE(listing.find("Arial                                TrueType          WinAnsi"), std::string::npos)
        << listing;
}

TEST_F(UnicodePdfTest, LatinTextUsesCompositeFontsOnlyWhenAskedTo)
{
    addLines({"Plain Latin text", "caf\xC3\xA9 \xE2\x82\xAC"});
    EXPECT_EQ(pdf().find("/Type0"), std::string::npos);

    put("PDFUnicodeText", Variant(1));
    EXPECT_EQ(get("PDFUnicodeText"), Variant(1));
    put("PDFUnicodeText", Variant(2));
    EXPECT_EQ(get("PDFUnicodeText"), Variant(1)) << "values other than 0 and 1 are ignored";
    const std::string always = pdf();
    const QString file = scratch.write("always.pdf", always);
    EXPECT_NE(always.find("/Type0"), std::string::npos);
    EXPECT_EQ(textLines(file), (std::vector<std::string>{"Plain Latin text", "caf\xC3\xA9 \xE2\x82\xAC"}));
    const std::string listing = runTool("pdffonts", {file}).out;
    EXPECT_EQ(compositeFonts(listing).size(), 1u) << listing;
}

TEST_F(UnicodePdfTest, PagesShareOneSubsetPerFace)
{
    addLines({"Первая страница"});
    control.NewPage();
    addLines({"Вторая страница"});
    const std::string bytes = pdf();
    const QString file = scratch.write("shared.pdf", bytes);
    const std::string listing = runTool("pdffonts", {file}).out;
    EXPECT_EQ(compositeFonts(listing).size(), 1u) << listing;
    EXPECT_EQ(textLines(file), (std::vector<std::string>{"Первая страница", "Вторая страница"}));
    // The same export gives the same bytes, but for the clock's dates.
    const std::regex date("D:\\d{14}");
    EXPECT_EQ(std::regex_replace(pdf(), date, "D:"), std::regex_replace(bytes, date, "D:"));
}

TEST_F(UnicodePdfTest, CharactersNoFontHasShowTheMissingGlyphNotQuestionMarks)
{
    addLines({"\xF0\x9F\x9B\xB8\xE2\xB4\xA0"}); // a flying saucer and an unassigned Georgian code point
    const std::string bytes = pdf();
    EXPECT_NE(bytes.find("/Type0"), std::string::npos);
    const QString file = scratch.write("missing.pdf", bytes);
    EXPECT_EQ(runTool("qpdf", {"--check", file}).exitCode, 0);
    EXPECT_EQ(runTool("pdftotext", {file, "-"}).out.find('?'), std::string::npos);
}

TEST_F(UnicodePdfTest, PdfPagesLookLikeTheEnginesOwnPictures)
{
    addLines(kScriptLines);
    expectPdfLooksLikeEnginePicture(kScriptLines);
}

TEST_F(UnicodePdfTest, GlyphsPastTheOneByteCodesShowAndExtractTheSame)
{
    // More different glyphs in one face than one-byte codes: the later
    // ones go out in two bytes, and a blank's byte never means a letter.
    // Lines of 16 letters, short enough for the screen's rounding of
    // advances to stay within the comparison's tolerance.
    std::u32string letters;
    for (const auto& [first, last] : {std::pair{0x410, 0x44F}, {0x391, 0x3A9}, {0x3B1, 0x3C9}, {0x100, 0x13F}})
        for (char32_t c = first; c <= static_cast<char32_t>(last); ++c)
            if (c != 0x3A2) // unassigned
                letters += c;
    std::vector<std::string> lines;
    for (size_t start = 0; start < letters.size(); start += 16) {
        std::u32string line = letters.substr(start, 16);
        if (line.size() > 1)
            line.insert(line.size() / 2, 1, U' ');
        lines.push_back(QString::fromStdU32String(line).toStdString());
    }
    ASSERT_GT(letters.size(), 126u);
    addLines(lines, 0.5f);
    EXPECT_EQ(textLines(scratch.write("many.pdf", pdf())), lines);
    expectPdfLooksLikeEnginePicture(lines);
    const QString file = scratch.write("many.pdf", pdf());
    const auto check = runTool("qpdf", {"--check", file});
    EXPECT_EQ(check.exitCode, 0) << check.out << check.err;
    // A second reader turns the codes back into the same text.
    std::vector<std::string> mutoolLines;
    for (const QString& line : QString::fromStdString(runTool("mutool", {"draw", "-F", "txt", file}).out).split('\n'))
        if (!line.trimmed().isEmpty())
            mutoolLines.push_back(line.trimmed().toStdString());
    EXPECT_EQ(mutoolLines, lines);
}

TEST_F(UnicodePdfTest, RandomTextFromEveryBlockAlwaysGivesAValidFile)
{
    // Code points from many blocks, unassigned ones and lone combining
    // marks among them; surrogates cannot travel in UTF-8 and are skipped.
    const std::vector<std::pair<char32_t, char32_t>> blocks = {
        {0x20, 0x7E},       {0xA0, 0x24F},     {0x300, 0x36F},     {0x370, 0x52F},   {0x590, 0x6FF},
        {0x900, 0xDFF},     {0xE00, 0xEFF},    {0x1100, 0x11FF},   {0x1E00, 0x1FFF}, {0x2000, 0x2BFF},
        {0x3000, 0x30FF},   {0x4E00, 0x9FFF},  {0xAC00, 0xD7A3},   {0xE000, 0xF8FF}, {0xFB00, 0xFFFF},
        {0x10000, 0x1FFFF}, {0xE0000, 0xE01EF}, {0x10FFF0, 0x10FFFF}};
    std::mt19937 random(20261209);
    for (int round = 0; round < 12; ++round) {
        control.NewPage();
        for (int line = 0; line < 6; ++line) {
            std::u32string text;
            const int length = 1 + static_cast<int>(random() % 24);
            for (int i = 0; i < length; ++i) {
                const auto& [first, last] = blocks[random() % blocks.size()];
                text += static_cast<char32_t>(first + random() % (last - first + 1));
            }
            const std::string utf8 = QString::fromUcs4(text.data(), static_cast<qsizetype>(text.size())).toStdString();
            addText(utf8.c_str(), 0.5f, 1 + 0.4f * static_cast<float>(line), 12, line % 3, line == 5 ? 300 : 0);
        }
    }
    for (int always : {0, 1}) {
        put("PDFUnicodeText", Variant(always));
        const QString file = scratch.write("random.pdf", pdf());
        const auto check = runTool("qpdf", {"--check", file});
        EXPECT_EQ(check.exitCode, 0) << check.out << check.err;
        EXPECT_NE(check.out.find("No syntax or stream encoding errors found"), std::string::npos);
    }
}

TEST_F(UnicodePdfTest, EncryptionLevelsKeepTheirMeaningAndThreeIsAes256)
{
    for (int level : {0, 1, 3}) {
        put("PDFEncrypt", Variant(level));
        EXPECT_EQ(get("PDFEncrypt"), Variant(level));
    }
    put("PDFEncrypt", Variant(2));
    EXPECT_EQ(get("PDFEncrypt"), Variant(1));
    put("PDFEncrypt", Variant(4));
    EXPECT_EQ(get("PDFEncrypt"), Variant(1)) << "unknown levels are ignored";

    put("PDFEncrypt", Variant(3));
    put("PDFUserPassword", Variant("user"));
    put("PDFOwnerPassword", Variant("owner"));
    addLines({"Зашифрованный отчёт", "Encrypted report"});
    const QString file = scratch.write("aes.pdf", pdf());
    const std::string report = runTool("qpdf", {"--password=user", "--show-encryption", file}).out;
    EXPECT_NE(report.find("R = 6"), std::string::npos) << report;
    EXPECT_NE(report.find("AESv3"), std::string::npos) << report;
    EXPECT_EQ(runTool("qpdf", {"--password=user", "--check", file}).exitCode, 0);
    const auto text = runTool("pdftotext", {"-upw", "user", file, "-"});
    EXPECT_NE(text.out.find("Зашифрованный отчёт"), std::string::npos) << text.out << text.err;
}

TEST_F(UnicodePdfTest, CompositeTextOfAnyFontSizeDrawsAtItsSize)
{
    // Beyond 300 points the font is selected smaller and the text matrix
    // enlarges it, for composite fonts as for the simple ones.
    control.NewPage(80, 20);
    control.DeletePage(1);
    addText("БОЛЬШОЙ", 1, 10, 1000);
    const QString file = scratch.write("big.pdf", pdf());
    EXPECT_EQ(runTool("qpdf", {"--check", file}).exitCode, 0);
    const std::string bounds = runTool("pdftotext", {"-bbox", file, "-"}).out;
    const size_t word = bounds.find(">БОЛЬШОЙ<");
    ASSERT_NE(word, std::string::npos) << bounds;
    const size_t yMin = bounds.rfind("yMin=\"", word), yMax = bounds.rfind("yMax=\"", word);
    const size_t xMin = bounds.rfind("xMin=\"", word), xMax = bounds.rfind("xMax=\"", word);
    EXPECT_NEAR(std::stod(bounds.substr(yMax + 6)) - std::stod(bounds.substr(yMin + 6)), 1000, 200);
    // Seven capitals of Arial's width at 1000 points: several inches wide.
    EXPECT_GT(std::stod(bounds.substr(xMax + 6)) - std::stod(bounds.substr(xMin + 6)), 3000);
}
