#include "pdf/PdfCompositeFont.h"
#include "pdf/PdfDoc.h"
#include "pdf/PdfDrawing.h"
#include "pdf/PdfObjects.h"
#include "pdf/PdfShapedText.h"

#include "PdfTestSupport.h"

#include <gtest/gtest.h>

#include <random>
#include <regex>
#include <string>
#include <vector>

using namespace orv;

namespace {

// Lines of words of one script, as reports have them, with pairs fonts
// kern (AV, To, Ту), ligatures (fi, ffl), numbers, punctuation and blanks of
// other kinds, and now and then a word of another script or one that needs
// shaping.
std::u16string randomLine(std::mt19937& random)
{
    static const std::vector<std::u16string> kScripts[] = {
        {u"Квартальный", u"отчёт", u"Ту", u"ГОД", u"продажи", u"ЁЖИК", u"Ты", u"региона"},
        {u"Ελληνικά", u"ΑΥΤΟ", u"κείμενο", u"Τα", u"έτος"},
        {u"中文报告", u"数据显示", u"所有内容", u"「年度」", u"，"},
        {u"AVATAR", u"Toward", u"office", u"waffle", u"fjord", u"caf\u00e9"}};
    static const std::u16string kCommon[] = {u"12,345.67", u"(x)", u"«2024»", u"—", u"€12", u"\u00a0", u"1."};
    static const std::u16string kRare[] = {u"e\u0301", u"\u05e9\u05dc\u05d5\u05dd", u"\u0645\u0631\u062d\u0628\u0627",
                                           u"\u0939\u093f\u0928\u094d\u0926\u0940", u"\t", u"x\u200bx", u"\u263a",
                                           u"Latin", u"Кирилл"};
    auto pick = [&](size_t count) { return std::uniform_int_distribution<size_t>(0, count - 1)(random); };
    const std::vector<std::u16string>& words = kScripts[pick(std::size(kScripts))];
    std::u16string line;
    const size_t count = 1 + pick(10);
    for (size_t i = 0; i < count; ++i) {
        if (i > 0)
            line += pick(6) == 0 ? u"  " : u" ";
        const size_t kind = pick(30);
        line += kind == 0 ? kRare[pick(std::size(kRare))] : kind < 6 ? kCommon[pick(std::size(kCommon))] : words[pick(words.size())];
    }
    if (pick(6) == 0)
        line += u" ";
    return line;
}

void expectSameLine(const TPdfShapedLine& composed, const TPdfShapedLine& shaped, const QString& text)
{
    const std::string context = text.toStdString();
    ASSERT_EQ(composed.runs.size(), shaped.runs.size()) << context;
    // The width takes the last glyph's ink from its outline, where the
    // layout rounds it to 1/64: within half a thousandth of the em.
    EXPECT_NEAR(composed.width, shaped.width, 0.5) << context;
    for (size_t r = 0; r < shaped.runs.size(); ++r) {
        EXPECT_TRUE(TPdfCompositeFont::sameFace(composed.runs[r].font, shaped.runs[r].font)) << context;
        const auto& got = composed.runs[r].glyphs;
        const auto& want = shaped.runs[r].glyphs;
        ASSERT_EQ(got.size(), want.size()) << context;
        for (size_t g = 0; g < want.size(); ++g) {
            EXPECT_EQ(got[g].glyph, want[g].glyph) << context << " glyph " << g;
            EXPECT_NEAR(got[g].x, want[g].x, 0.01) << context << " glyph " << g;
            EXPECT_NEAR(got[g].y, want[g].y, 0.01) << context << " glyph " << g;
            EXPECT_EQ(got[g].text, want[g].text) << context << " glyph " << g;
        }
    }
}

} // namespace

// Lines put together from learnt pairs are glyph for glyph, place for place
// what shaping the whole line gives, in faces with kerning and ligatures and
// in a CJK face; lines that need shaping are never put together.
TEST(PdfPairShaper, PutsTogetherExactlyWhatShapingGives)
{
    const TPdfFaceStyle faces[] = {{"Arial", false, false},
                                   {"Times New Roman", true, true},
                                   {"DejaVu Sans", false, false},
                                   {"WenQuanYi Micro Hei", false, false}};
    std::mt19937 random(20261210);
    for (const TPdfFaceStyle& face : faces) {
        TPdfPairShaper shaper(face);
        int composedLines = 0;
        for (int round = 0; round < 300; ++round) {
            const QString text = QString::fromStdU16String(randomLine(random));
            const TPdfShapedLine shaped = shapePdfLine(face.face, face.bold, face.italic, text.toStdString());
            TPdfShapedLine composed;
            if (shaper.compose(text, composed)) {
                ++composedLines;
                expectSameLine(composed, shaped, text);
            }
            expectSameLine(shaper.shape(text), shaped, text);
        }
        // Most lines are of known pairs once a few dozen were shaped.
        EXPECT_GE(composedLines, 60) << face.face;
    }

    // Marks and right-to-left text are left to shaping however often seen.
    TPdfPairShaper shaper({"DejaVu Sans", false, false});
    for (const QString text : {QStringLiteral("cafe\u0301"), QStringLiteral("\u05e9\u05dc\u05d5\u05dd")}) {
        shaper.shape(text);
        shaper.shape(text);
        TPdfShapedLine composed;
        EXPECT_FALSE(shaper.compose(text, composed)) << text.toStdString();
    }
}

// A line drawn again, now put together from what its first drawing taught,
// writes exactly the operators the first drawing wrote (but the font
// selection, which stays in force).
TEST(PdfPairShaper, LinesPutTogetherAreWrittenAsShapedOnes)
{
    std::mt19937 random(20261211);
    int plainLines = 0;
    for (int round = 0; round < 200; ++round) {
        const std::string text = QString::fromStdU16String(randomLine(random)).toStdString();
        for (const char* face : {"Arial", "DejaVu Sans"}) {
            TPdfDoc doc;
            doc.Settings = pdftest::fixedSettings();
            doc.Settings.UnicodeText = TPdfUnicodeText::Always;
            doc.startDocument();
            doc.addPage();
            std::string& content = doc.canvas().page().lookupAs<TPdfStream>("Contents")->data();
            const auto withoutFontSelection = [&content] {
                static const std::regex selection("/U[0-9]+ 12 Tf\n");
                return std::regex_replace(content, selection, "");
            };
            content.clear();
            drawPdfText(doc.canvas(), 10, 20, 0, text, face, 12, 0, 255);
            const std::string shaped = withoutFontSelection();
            drawPdfText(doc.canvas(), 10, 40, 0, "x", face, 12, 0, 255);
            content.clear();
            drawPdfText(doc.canvas(), 10, 20, 0, text, face, 12, 0, 255);
            if (!doc.shapeCache().shape(face, text).plain)
                continue;
            ++plainLines;
            EXPECT_EQ(withoutFontSelection(), shaped) << text << " in " << face;
        }
    }
    EXPECT_GE(plainLines, 100);
}
