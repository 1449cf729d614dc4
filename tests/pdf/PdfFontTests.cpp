#include "pdf/PdfDoc.h"
#include "pdf/PdfFont.h"
#include "pdf/PdfObjects.h"
#include "platform/CodePages.h"
#include "platform/FontServices.h"

#include "PdfTestSupport.h"

#include <QFile>
#include <QRawFont>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>

using namespace orv;
using orv::pdftest::written;

namespace {

std::unique_ptr<TPdfDoc> startedDocument(int32_t codePage = 1252, bool embedFonts = false,
                                         std::vector<TPdfFontEmbedding> choices = {})
{
    auto doc = std::make_unique<TPdfDoc>();
    doc->Settings = pdftest::fixedSettings();
    doc->Settings.CodePage = codePage;
    doc->Settings.EmbedFonts = embedFonts;
    doc->Settings.ReportFonts = std::move(choices);
    doc->startDocument();
    doc->addPage();
    return doc;
}

// The value of an indirect object, without its obj and endobj lines.
std::string bodyOf(TPdfObject& object)
{
    std::string out;
    object.writeIndirect(out, nullptr);
    const size_t start = out.find("obj\r\n") + 5;
    return out.substr(start, out.rfind("\r\nendobj") - start);
}

std::vector<int64_t> widthsOf(TPdfFont& font)
{
    std::istringstream text(written(*font.dictionary().lookup("Widths")).substr(1));
    std::vector<int64_t> widths;
    for (int64_t width; text >> width;)
        widths.push_back(width);
    return widths;
}

// The advance of a character in design units, read by Qt from the font
// file the font services chose.
double designAdvance(const std::string& file, char32_t character)
{
    QRawFont raw(QString::fromStdString(file), 2048, QFont::PreferNoHinting);
    const QList<quint32> glyphs = raw.glyphIndexesForString(QString::fromStdU32String(std::u32string(1, character)));
    const QList<QPointF> advances = raw.advancesForGlyphIndexes(glyphs);
    return advances.value(0).x() * raw.unitsPerEm() / 2048;
}

// Widths are advances measured at an em of 1432 pixels, in whole pixels,
// times 1432 / 2048 (96 pixels per inch).
int64_t expectedWidth(double designUnits, double unitsPerEm)
{
    return static_cast<int64_t>(std::trunc(std::nearbyint(designUnits * 1432 / unitsPerEm) * 0.69921875));
}

bool embedsProgram(TPdfDoc& doc, const std::string& key)
{
    const TPdfDictionary* descriptor = doc.getFont(key, 0).dictionary().lookupAs<TPdfDictionary>("FontDescriptor");
    return descriptor && descriptor->lookup("FontFile2");
}

} // namespace

TEST(PdfFont, WidthsAreTheFontsAdvancesScaledToThousandthsOfTheEm)
{
    auto doc = startedDocument();
    TPdfFont& arial = doc->getFont("Arial", 0);
    const TFontFaceMetrics& metrics = TFontServices::instance().metrics("Arial", false, false);
    ASSERT_EQ(arial.firstChar(), 32);
    ASSERT_EQ(arial.lastChar(), 255);
    const std::vector<int64_t> widths = widthsOf(arial);
    ASSERT_EQ(widths.size(), 224u);
    for (int code = 32; code <= 255; ++code) {
        const char32_t character = codePageToUnicode(1252, static_cast<uint8_t>(code));
        if (character == 0)
            continue; // undefined in the code page
        const int64_t expected = expectedWidth(designAdvance(metrics.file, character), metrics.emHeight);
        EXPECT_EQ(widths[code - 32], expected) << "code " << code;
    }
    // Arial's own figures: space 278, a 556.
    EXPECT_EQ(widths[' ' - 32], 278);
    EXPECT_EQ(widths['a' - 32], 556);
    // The exact widths keep four decimals: 796 pixels x 0.69921875 = 556.5781.
    EXPECT_EQ(arial.width('a'), 5565781);
    EXPECT_EQ(arial.width(31), 0);

    // Sixteen to a line: 14 full lines, then the closing line break.
    const std::string text = written(*arial.dictionary().lookup("Widths"));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 15);
    EXPECT_TRUE(text.ends_with(" 500\r\n\r\n]"));
}

TEST(PdfFont, DictionaryAndDescriptorDescribeTheFace)
{
    auto doc = startedDocument();
    TPdfFont& times = doc->getFont("Times New Roman,Bold", 0);
    TPdfDictionary& dictionary = times.dictionary();
    EXPECT_EQ(written(*dictionary.lookup("BaseFont")), "/TimesNewRoman,Bold");
    EXPECT_EQ(written(*dictionary.lookup("Name")), "/F1");
    EXPECT_EQ(written(*dictionary.lookup("Encoding")), "/WinAnsiEncoding");
    const std::string font = bodyOf(dictionary);
    EXPECT_TRUE(font.starts_with("<<\r\n/Type /Font\r\n/Subtype /TrueType\r\n/Name /F1\r\n"
                                 "/BaseFont /TimesNewRoman,Bold\r\n/FirstChar 32\r\n/LastChar 255\r\n/Widths [ "));
    EXPECT_TRUE(font.ends_with("]\r\n/Encoding /WinAnsiEncoding\r\n/FontDescriptor 9 0 R\r\n>>"));

    auto* descriptor = dictionary.lookupAs<TPdfDictionary>("FontDescriptor");
    ASSERT_NE(descriptor, nullptr);
    EXPECT_EQ(written(*descriptor->lookup("FontName")), "/TimesNewRoman,Bold");
    // Serif, not symbolic, bold weight.
    EXPECT_EQ(written(*descriptor->lookup("Flags")), "16418");
    EXPECT_EQ(written(*descriptor->lookup("StemV")), "80");
    EXPECT_EQ(written(*descriptor->lookup("ItalicAngle")), "0");
    EXPECT_LT(std::stoi(written(*descriptor->lookup("Descent"))), 0);

    TPdfDictionary& italic = doc->getFont("Arial,BoldItalic", 0).dictionary();
    auto* italicDescriptor = italic.lookupAs<TPdfDictionary>("FontDescriptor");
    EXPECT_EQ(written(*italic.lookup("BaseFont")), "/Arial,BoldItalic");
    EXPECT_EQ(written(*italicDescriptor->lookup("Flags")), "16480"); // sans serif, italic, bold
    EXPECT_EQ(written(*italicDescriptor->lookup("ItalicAngle")), "-12");
    // Arial's ascent of 1854 units: 1296 pixels, 906 thousandths.
    EXPECT_EQ(written(*doc->getFont("Arial", 0).dictionary().lookupAs<TPdfDictionary>("FontDescriptor")->lookup(
                  "Ascent")),
              "906");
}

TEST(PdfFont, TheProgramIsEmbeddedOnlyWhenSwitchedOnAndChosenFirst)
{
    auto doc = startedDocument(1252, true, {{" arial,bold ", 1}, {"Arial,Italic", 0}});
    EXPECT_EQ(doc->embeddingChoice("Arial,Bold"), 1);
    doc->canvas().selectFont("Arial,Bold", 12);
    EXPECT_TRUE(embedsProgram(*doc, "Arial,Bold"));
    EXPECT_FALSE(embedsProgram(*doc, "Arial")); // no list entry
    doc->getFont("Arial,Italic", 0);
    doc->getFont("Arial,Italic", 1);
    EXPECT_FALSE(embedsProgram(*doc, "Arial,Italic")) << "the first request decides";

    // The font file follows the descriptor and holds the whole file.
    const std::string pdf = doc->save();
    const std::string fontFile = pdftest::objectText(pdf, 10);
    QFile file(QString::fromStdString(TFontServices::instance().metrics("Arial", true, false).file));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const std::string program = file.readAll().toStdString();
    EXPECT_EQ(fontFile.substr(0, fontFile.find("stream")), "<<\r\n/Length " + std::to_string(program.size()) +
                                                               "\r\n/Length1 " + std::to_string(program.size()) +
                                                               "\r\n>>\r\n");
    EXPECT_EQ(fontFile.substr(fontFile.find("stream\r\n") + 8, program.size()), program);
    EXPECT_NE(pdftest::objectText(pdf, 9).find("/FontFile2 10 0 R\r\n>>"), std::string::npos);

    auto switchedOff = startedDocument(1252, false, {{"Arial,Bold", 1}});
    EXPECT_FALSE(embedsProgram(*switchedOff, "Arial,Bold"));
}

TEST(PdfFont, MeasuresTextWithItsWidths)
{
    auto doc = startedDocument();
    TPdfFont& arial = doc->getFont("Arial", 0);
    EXPECT_DOUBLE_EQ(arial.textWidth("aa", 10), 2 * 556.5781 / 1000 * 10);
    EXPECT_DOUBLE_EQ(arial.textWidth("a\tb\n", 12), arial.textWidth("ab", 12)) << "control codes count nothing";
    EXPECT_DOUBLE_EQ(arial.textWidth("\xC3\xA9", 10), arial.width(0xE9) / 1e7 * 10);
    EXPECT_LT(arial.underlinePosition(), 0);
}

TEST(PdfFont, CentralEuropeanFontsCarryAnEncodingWithDifferences)
{
    auto doc = startedDocument(1250);
    TPdfFont& arial = doc->getFont("Arial", 0);
    const std::string encoding = written(*arial.dictionary().lookup("Encoding"));
    EXPECT_TRUE(encoding.starts_with("<<\r\n/BaseEncoding /WinAnsiEncoding\r\n/Differences [ 128 /Euro \r\n"
                                     "140 /Sacute /Tcaron /Zcaron /Zacute \r\n"));
    EXPECT_NE(encoding.find("\r\n209 /Nacute /Ncaron \r\n213 /Ohungarumlaut \r\n"), std::string::npos);
    EXPECT_NE(encoding.find("\r\n239 /dcaron /dcroat \r\n"), std::string::npos);
    EXPECT_TRUE(encoding.ends_with("\r\n254 /tcedilla /dotaccent \r\n]\r\n>>"));

    // Code 156 is s-acute here and oe in code page 1252: the widths follow.
    auto western = startedDocument(1252);
    EXPECT_LT(arial.width(156), western->getFont("Arial", 0).width(156));
    EXPECT_DOUBLE_EQ(arial.textWidth("\xC5\x9B", 10), arial.width(156) / 1e7 * 10);
}
