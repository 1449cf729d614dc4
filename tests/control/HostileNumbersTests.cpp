// Numbers no page can hold: not finite, absurdly large, or beyond what a
// setting stores. They fail the operation and change nothing; huge but
// storable positions still give files that PDF readers open.

#include "LateBoundControlTest.h"

#include <orvreport/EngineError.h>

#include "../pdf/PdfTestSupport.h"

#include <QTemporaryDir>

#include <limits>

using namespace orv;
using orv::pdftest::runTool;

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

class HostileNumbersTest : public LateBoundControlTest {
protected:
    // Saves the report as PDF and has qpdf check it and mutool draw it.
    void expectReadersOpenThePdf()
    {
        Variant name(dir.filePath("numbers").toStdString());
        EXPECT_EQ(control.SaveToPDF(name), Variant(0));
        EXPECT_EQ(name, Variant(dir.filePath("numbers.PDF").toStdString()));
        const QString file = dir.filePath("numbers.PDF");
        const auto check = runTool("qpdf", {"--check", file});
        EXPECT_EQ(check.exitCode, 0) << check.out << check.err;
        const auto draw = runTool("mutool", {"draw", "-q", "-o", dir.filePath("page%d.png"), file});
        EXPECT_EQ(draw.exitCode, 0) << draw.err;
        EXPECT_EQ(draw.err.find("error"), std::string::npos) << draw.err;
    }

    void addText(const char* text, float x, float y, float width = 0)
    {
        control.AddText("t", text, x, y, width, 0, "Arial", 10, 0, 0xFFFFFF, "", 0, 0, 0, " ");
    }

    QTemporaryDir dir;
};

void expectRefused(const std::function<void()>& operation, const char* what)
{
    try {
        operation();
        ADD_FAILURE() << what << " was accepted";
    } catch (const EngineError& error) {
        EXPECT_TRUE(error.status() == E_UNEXPECTED || error.status() == DISP_E_TYPEMISMATCH) << what;
    }
}

} // namespace

TEST_F(HostileNumbersTest, PageSizesMustBeFiniteAndNoLargerThanAPdfPage)
{
    for (float side : {kNaN, kInfinity, -kInfinity, 1e30f, 30000000.0f, 200.5f}) {
        expectRefused([&] { control.NewPage(side, 11); }, "a page width");
        expectRefused([&] { control.NewPage(8.5, side); }, "a page height");
        expectRefused([&] { control.put_PageWidth(side); }, "PageWidth");
        expectRefused([&] { control.put_PageHeight(side); }, "PageHeight");
    }
    for (const char* text : {"nan", "inf", "-infinity", "1E+30"})
        expectRefused([&] { put("PageWidth", Variant(text)); }, text);
    EXPECT_EQ(control.get_nTotalPages(), 1);
    EXPECT_EQ(control.get_PageWidth(), 8.5f);
    EXPECT_EQ(control.get_PageHeight(), 11.0f);

    control.NewPage(200, 200);
    control.put_PageWidth(0); // still the default's "ignored"
    EXPECT_EQ(control.get_PageWidth(), 200.0f);
    expectReadersOpenThePdf();
}

TEST_F(HostileNumbersTest, PdfOffsetsBeyondTheCurrencyRangeAreRefused)
{
    control.put_PDFMargin(0.5f);
    for (float value : {kNaN, kInfinity, 1e30f, -1e16f}) {
        expectRefused([&] { control.put_PDFMargin(value); }, "PDFMargin");
        expectRefused([&] { control.put_PDFXOffset(value); }, "PDFXOffset");
        expectRefused([&] { control.put_PDFYOffset(value); }, "PDFYOffset");
        expectRefused([&] { control.put_nXPrintOffset(value); }, "nXPrintOffset");
    }
    EXPECT_EQ(control.get_PDFMargin(), 0.5f);
    EXPECT_EQ(control.get_PDFXOffset(), 0.5f);
    EXPECT_EQ(control.get_PDFYOffset(), 0.5f);

    // Large but storable offsets still give a file readers open.
    control.put_PDFXOffset(9e10f);
    control.AddShape("s", 1, 1, 1, 1, 0, 0, 0, 0, 0, 1, 0, 0, 255);
    expectReadersOpenThePdf();
}

TEST_F(HostileNumbersTest, UnstorablePositionsLeaveThePageAsItWas)
{
    for (float value : {kNaN, kInfinity, 3e38f}) {
        expectRefused([&] { control.AddShape("s", value, 1, 1, 1, 0, 0, 0, 0, 0, 1, 0, 0, 255); }, "AddShape");
        expectRefused([&] { control.AddArc("a", 1, value, 1, 1, 0, 90, 0, 0, 0, 0, 0, 1, 255); }, "AddArc");
        expectRefused([&] { control.AddLine("l", 1, 1, value, 1, 0, 1, 0, 0, 0, 0, 0); }, "AddLine");
        expectRefused([&] { control.AddBarCode("b", Variant("1"), 0, 1, 1, 1, value, 0, 0); }, "AddBarCode");
        expectRefused([&] { control.AddChart("c", 0, value, 1, 1, 1); }, "AddChart");
        expectRefused([&] { addText("x", value, 1); }, "AddText");
        expectRefused(
            [&] { control.AddReportField("f", "x", 1, value, 1, 1, "", "", "Arial", 10, 0, 0, "", 0, 0, 0, ""); },
            "AddReportField");
    }
    EXPECT_EQ(control.get_nReportObjects(), 0);
}

TEST_F(HostileNumbersTest, HugePositionsStillGivePdfReadersOpen)
{
    addText("far away", 1e30f, 1);
    addText("huge box", 1, 1, 1e20f);
    control.AddAnnotation("a", Variant(), Currency{9000000000000000000}, Currency{10000}, Currency{10000},
                          Currency{10000}, Variant("note"), 1);
    control.AddShape("s", -1e30f, 1, 1e30f, 1e30f, 0, 0xFF, 0, 0, 0, 1, 0, 0, 255);
    control.AddLine("l", 1, 1, 1e20f, -1e20f, 0, 1, 0, 0, 0, 0, 0);
    expectReadersOpenThePdf();
    EXPECT_EQ(control.SaveToPNG(Variant(dir.filePath("numbers").toStdString())), Variant(0));
}

TEST_F(HostileNumbersTest, TextOfAnyFontSizeDrawsInPdfAsOnPictures)
{
    control.NewPage(40, 20);
    control.DeletePage(1);
    control.AddText("big", "BIG", 1, 10, 0, 0, "Arial", 1000, 0, 0xFFFFFF, "", 0, 0, 0, " ");
    control.AddText("small", "below", 1, 15, 0, 0, "Arial", -5, 0, 0xFFFFFF, "", 0, 0, 0, " ");
    control.NewPage(40, 20);
    control.put_WatermarkText(Variant("MARK"));
    control.put_WatermarkRotationAngle(0);
    control.put_WatermarkFontSize(700);
    expectReadersOpenThePdf();
    const auto text = runTool("pdftotext", {dir.filePath("numbers.PDF"), "-"});
    EXPECT_NE(text.out.find("BIG"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("MARK"), std::string::npos) << text.out;

    // 1000 points are 13.9 inches: the letters fill most of the page's height.
    const auto bounds = runTool("pdftotext", {"-bbox", "-f", "1", "-l", "1", dir.filePath("numbers.PDF"), "-"});
    const size_t word = bounds.out.find(">BIG<");
    ASSERT_NE(word, std::string::npos) << bounds.out;
    const size_t yMin = bounds.out.rfind("yMin=\"", word), yMax = bounds.out.rfind("yMax=\"", word);
    const double height = std::stod(bounds.out.substr(yMax + 6)) - std::stod(bounds.out.substr(yMin + 6));
    EXPECT_NEAR(height, 1000, 200) << "the word's box is about its font's size";
}
