#include "pdf/PdfDoc.h"
#include "pdf/PdfDrawing.h"
#include "pdf/PdfErrors.h"
#include "pdf/PdfObjects.h"

#include "PdfTestSupport.h"

#include <gtest/gtest.h>

#include <array>

using namespace orv;

namespace {

// A document with one page, whose content so far is cleared of the first
// page's font line.
class PdfCanvasTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc.Settings = pdftest::fixedSettings();
        doc.startDocument();
        doc.addPage();
        EXPECT_EQ(content(), "/F0 10 Tf\n");
        content().clear();
    }

    std::string& content() { return doc.canvas().page().lookupAs<TPdfStream>("Contents")->data(); }
    TPdfCanvas& canvas() { return doc.canvas(); }
    TPdfDictionary& resources(const char* kind)
    {
        return *doc.canvas().page().lookupAs<TPdfDictionary>("Resources")->lookupAs<TPdfDictionary>(kind);
    }

    TPdfDoc doc;
};

template <class Operation>
void expectValueError(Operation operation, const char* message)
{
    try {
        operation();
        ADD_FAILURE() << "accepted, expected: " << message;
    } catch (const EPdfInvalidValue& e) {
        EXPECT_STREQ(e.what(), message);
    }
}

} // namespace

TEST_F(PdfCanvasTest, OperatorsWriteOneLineEachWithTwoDecimals)
{
    canvas().saveGraphicsState();
    canvas().concatMatrix(1, 0, 0, 1, 72.456f, -0.004f);
    canvas().setLineCap(1);
    canvas().setLineJoin(2);
    canvas().setLineWidth(0.004f);
    canvas().setLineWidth(0.006f);
    canvas().moveTo(-3.14159f, 2);
    canvas().lineTo(1.0f / 3, 0.005f);
    canvas().curveTo(1, 2, 3, 4, 5, 6);
    canvas().rectangle(10, 20, 30.5f, 40.25f);
    canvas().closePath();
    canvas().stroke();
    canvas().fill();
    canvas().fillStroke();
    canvas().closeFillStrokeEvenOdd();
    canvas().restoreGraphicsState();
    canvas().beginText();
    canvas().moveTextPosition(72, 700.5f);
    canvas().setFontAndSize("/F0", 10.5f);
    canvas().showText("a(b)\xE9");
    canvas().endText();
    canvas().paintXObject("im0");
    EXPECT_EQ(content(), "q\n1 0 0 1 72.46 0 cm\n1 J\n2 j\n0 w\n0.01 w\n-3.13 2 m\n0.33 0 l\n1 2 3 4 5 6 c\n"
                         "10 20 30.5 40.25 re\nh\nS\nf\nB\nb*\nQ\n"
                         "BT\n72 700.5 Td\n/F0 10.5 Tf\n(a\\(b\\)\xE9) Tj\nET\n/im0 Do\n");
}

TEST_F(PdfCanvasTest, ColoursAndDashPatterns)
{
    canvas().setRGBFillColor(0xFFFFFF);
    canvas().setRGBStrokeColor(0x0000FF);
    canvas().setRGBFillColor(0x80FF00);
    canvas().setRGBFillColor(-5);
    EXPECT_EQ(content(), "1 1 1 rg\n1 0 0 RG\n0 1 0.5 rg\n0 0 0 rg\n");
    content().clear();

    // Dash patterns starting with 0 are solid.
    const std::array<uint8_t, 2> dashed{3, 1};
    const std::array<uint8_t, 2> solid{0, 5};
    const std::array<uint8_t, 5> padded{9, 6, 3, 6, 0};
    canvas().setDashPattern(dashed, 0);
    canvas().setDashPattern(solid, 0);
    canvas().setDashPattern({}, 0);
    canvas().setDashPattern(padded, 1);
    EXPECT_EQ(content(), "[3 1 ] 0 d\n[] 0 d\n[] 0 d\n[9 6 3 6 0 ] 1 d\n");
}

TEST_F(PdfCanvasTest, SelectingTheCurrentFontAndSizeAgainWritesNothing)
{
    canvas().selectFont("Arial", 10);
    EXPECT_EQ(content(), "");
    canvas().selectFont("Arial", 12);
    canvas().selectFont("Arial", 12);
    canvas().selectFont("Arial,Bold", 12);
    EXPECT_EQ(content(), "/F0 12 Tf\n/F1 12 Tf\n");
    EXPECT_EQ(resources("Font").lookup("F1"), &doc.getFont("Arial,Bold", 0).dictionary());

    // The operator is written before the size is refused.
    expectValueError([&] { canvas().selectFont("Arial", 301); }, "SetCharSpace --invalid font size");
    EXPECT_EQ(content(), "/F0 12 Tf\n/F1 12 Tf\n/F0 301 Tf\n");
}

TEST_F(PdfCanvasTest, TextStateValuesAreCheckedAgainstTheirRanges)
{
    canvas().setCharSpace(-30);
    canvas().setHorizontalScaling(300);
    EXPECT_EQ(canvas().attribute().CharSpace, -30);
    expectValueError([&] { canvas().setWordSpace(-0.5f); }, "SetWordSpace --invalid word space");
    expectValueError([&] { canvas().setCharSpace(300.5f); }, "SetCharSpace --invalid char space");
    expectValueError([&] { canvas().setHorizontalScaling(9); }, "SetHorizontalScaling --invalid font size");
    expectValueError([&] { canvas().setLeading(-1); }, "SetLeading --invalid font size");
    EXPECT_EQ(content(), "");
}

TEST_F(PdfCanvasTest, ATextLineIsOneTextObject)
{
    drawPdfText(canvas(), 72, 700, 0, "Total", "Arial", 10, 0, 255);
    EXPECT_EQ(content(), "BT\n72 700 Td\n0 0 0 rg\n(Total) Tj\nET\n");
    content().clear();

    drawPdfText(canvas(), 72, 700, 90, "Up", "Arial", 10, 0xFF, 255);
    drawPdfText(canvas(), 72, 700, 45, "Slanted", "Arial", 12, 0, 255);
    drawPdfText(canvas(), 10, 20, 0, "\xC3\xA9\xC3\xBC\xE2\x82\xAC \xC5\x81", "Arial", 12, 0, 255);
    // Cosine and sine are cut to four decimals, then every entry to two
    // after adding a half, which takes -1 to -0.99 and -0.7071 to -0.7.
    // A line with a letter code page 1252 lacks (the L with stroke) goes
    // through a composite font, its glyphs coded in the order the document
    // first uses them; its glyphs give its text back.
    using namespace std::string_literals;
    EXPECT_EQ(content(), "BT\n0 1 -0.99 0 72 700 Tm\n1 0 0 rg\n(Up) Tj\nET\n"
                         "BT\n0.71 0.71 -0.7 0.71 72 700 Tm\n0 0 0 rg\n/F0 12 Tf\n(Slanted) Tj\nET\n"
                         "BT\n10 20 Td\n0 0 0 rg\n"
                         "/U0 12 Tf\n[(\x01\x02\x03\x04\x05)] TJ\nET\n"s);
    content().clear();
    // A vowel sign drawn before its consonant does not: the line is marked
    // with its own text, so that it extracts in logical order.
    drawPdfText(canvas(), 10, 20, 0, "\xE0\xA4\x95\xE0\xA4\xBF", "Arial", 12, 0, 255);
    EXPECT_EQ(content().rfind("BT\n10 20 Td\n0 0 0 rg\n/Span <</ActualText <FEFF0915093F>>> BDC\n", 0), 0u) << content();
    EXPECT_NE(content().find("TJ\nEMC\nET\n"), std::string::npos) << content();
}

TEST_F(PdfCanvasTest, GlyphCodesAreEscapedAndNeverTheBlanksByte)
{
    // 64 different letters take the one-byte codes 1 to 65 but 0x20, which
    // word spacing would widen; parentheses and the backslash among them
    // are escaped, so the strings of the TJ array read back whole.
    std::u32string letters;
    for (char32_t c = 0x410; c < 0x450; ++c)
        letters += c;
    drawPdfText(canvas(), 10, 20, 0, QString::fromStdU32String(letters).toStdString(), "Arial", 12, 0, 255, 0);
    const std::string& text = content();
    const size_t open = text.find("[(");
    const size_t close = text.rfind("] TJ");
    ASSERT_NE(open, std::string::npos);
    ASSERT_NE(close, std::string::npos);
    std::string codes; // the bytes of the array's strings, unescaped
    bool inString = false;
    for (size_t i = open + 1; i < close; ++i) {
        if (!inString) {
            inString = text[i] == '(';
        } else if (text[i] == '\\') {
            ++i;
            codes += text[i] == 'n' ? '\n' : text[i] == 'r' ? '\r' : text[i];
        } else if (text[i] == ')') {
            inString = false;
        } else {
            ASSERT_NE(text[i], '(') << "unescaped parenthesis at " << i;
            codes += text[i];
        }
    }
    std::string expected;
    for (char code = 1; code <= 65; ++code)
        if (code != ' ')
            expected += code;
    EXPECT_EQ(codes, expected);
}

TEST_F(PdfCanvasTest, WordSpacingIsWrittenWhenItChanges)
{
    drawPdfText(canvas(), 72, 700, 0, "a b", "Arial", 10, 0, 255, 2.5f);
    drawPdfText(canvas(), 72, 688, 0, "c d", "Arial", 10, 0, 255, 2.5f);
    drawPdfText(canvas(), 72, 676, 0, "e f", "Arial", 10, 0, 255);
    EXPECT_EQ(content(), "BT\n72 700 Td\n0 0 0 rg\n2.5 Tw\n(a b) Tj\nET\n"
                         "BT\n72 688 Td\n0 0 0 rg\n(c d) Tj\nET\n"
                         "BT\n72 676 Td\n0 0 0 rg\n0 Tw\n(e f) Tj\nET\n");
    content().clear();
    // Q brings back the spacing that q saved, in the file and in the canvas.
    canvas().saveGraphicsState();
    canvas().setWordSpacing(1);
    canvas().restoreGraphicsState();
    canvas().setWordSpacing(0);
    EXPECT_EQ(content(), "q\n1 Tw\nQ\n");
    expectValueError([&] { canvas().setWordSpacing(-1); }, "SetWordSpace --invalid word space");
}

TEST_F(PdfCanvasTest, TranslucentTextSelectsItsTransparencyStateForItselfOnly)
{
    drawPdfText(canvas(), 72, 700, 0, "Half", "Arial", 12, 0, 128);
    drawPdfText(canvas(), 72, 680, 0, "Opaque", "Arial", 12, 0, 255);
    drawPdfText(canvas(), 72, 660, 0, "Again", "Arial", 12, 0, 128);
    drawPdfText(canvas(), 72, 640, 0, "Quarter", "Arial", 12, 0, 64);
    // The font set inside q ... Q is lost with Q, so the opaque text sets it again.
    EXPECT_EQ(content(), "q\nBT\n72 700 Td\n0 0 0 rg\n/GS0 gs\n/F0 12 Tf\n(Half) Tj\nET\nQ\n"
                         "BT\n72 680 Td\n0 0 0 rg\n/F0 12 Tf\n(Opaque) Tj\nET\n"
                         "q\nBT\n72 660 Td\n0 0 0 rg\n/GS0 gs\n(Again) Tj\nET\nQ\n"
                         "q\nBT\n72 640 Td\n0 0 0 rg\n/GS1 gs\n(Quarter) Tj\nET\nQ\n");
    EXPECT_EQ(&doc.getExtGState(128), &doc.getExtGState(128 + 256));
    const std::string pdf = doc.save();
    // Objects 6 and 7 are the font Arial; the states follow in order of use.
    EXPECT_EQ(pdftest::objectText(pdf, 8), "<<\r\n/ca 0.501960813999176\r\n>>");
    EXPECT_EQ(pdftest::objectText(pdf, 9), "<<\r\n/ca 0.250980406999588\r\n>>");
    EXPECT_NE(pdftest::objectText(pdf, 4).find("/ExtGState <<\r\n/GS0 8 0 R\r\n/GS1 9 0 R\r\n>>"), std::string::npos);
}

TEST_F(PdfCanvasTest, ImagesAreDrawnIntoTheirBoxByName)
{
    expectValueError([&] { canvas().drawXObject(0, 0, 1, 1, "im9"); }, "DrawXObject --XObject not found: im9");
    TPdfBitmap pixel{1, 1, 24, 4, std::string(4, '\0'), {}};
    TPdfImage& image = doc.addImage("im0", createBitmapImage(pixel));
    canvas().drawXObject(72, 600, 100, 50, "im0");
    canvas().drawXObject(72, 500, 100, 50, "im0");
    EXPECT_EQ(content(), "q\n100 0 0 50 72 600 cm\n/im0 Do\nQ\nq\n100 0 0 50 72 500 cm\n/im0 Do\nQ\n");
    EXPECT_EQ(resources("XObject").lookup("im0"), &image);
    EXPECT_THROW(doc.addImage("im0", createBitmapImage(pixel)), std::runtime_error);
}

TEST_F(PdfCanvasTest, PathRoutinesBuildLinesEllipsesAndRoundedRectangles)
{
    drawPdfLine(canvas(), 10, 20, 30, 40, 0.5f);
    EXPECT_EQ(content(), "10 20 m\n30 40 l\n0.5 w\nS\n");
    content().clear();

    // Control points lie 19/36 of the radius from the ends of each quarter.
    appendEllipse(canvas(), 0, 0, 100, 50);
    EXPECT_EQ(content(), "50 0 m\n76.39 0 100 11.81 100 25 c\n100 38.19 76.39 50 50 50 c\n"
                         "23.61 50 0 38.19 0 25 c\n0 11.81 23.61 0 50 0 c\n");
    content().clear();
    appendThreeQuarterEllipse(canvas(), 0, 0, 100, 50);
    EXPECT_EQ(content(), "50 0 m\n76.39 0 100 11.81 100 25 c\n100 38.19 76.39 50 50 50 c\n"
                         "23.61 50 0 38.19 0 25 c\n");
    content().clear();

    // A radius of 12 rounds the corners by 12 / 2.85 = 4.2105 points.
    appendRoundedRectangle(canvas(), 0, 0, 100, 50, 12);
    EXPECT_EQ(content(), "4.21 0 m\n95.79 0 l\n98.01 0 100 1.99 100 4.21 c\n100 45.79 l\n"
                         "100 48.01 98.01 50 95.79 50 c\n4.21 50 l\n1.99 50 0 48.01 0 45.79 c\n0 4.21 l\n"
                         "0 1.99 1.99 0 4.21 0 c\n");
}
