#include "document/FontTables.h"
#include "document/Report.h"
#include "document/TextLayout.h"
#include "document/TextObjects.h"
#include "platform/FontServices.h"

#include <QFontMetricsF>

#include <gtest/gtest.h>

using namespace orv;

namespace {

constexpr double kPpi = 96;

TTextArguments textAt(float hPos, float vPos, float width, float height, std::string text)
{
    TTextArguments args;
    args.name = "t";
    args.text = std::move(text);
    args.hPos = hPos;
    args.vPos = vPos;
    args.width = width;
    args.height = height;
    args.fontName = "Arial";
    args.fontSize = 12;
    args.fontStyle = "";
    args.subType = " ";
    return args;
}

const TReportObject& lastObject(TReport& report)
{
    return report.drawPage().Objects.back();
}

// Splits stored text at its LineEnds into the laid-out lines.
std::vector<QString> laidOutLines(const TReportObject& object)
{
    const std::u32string text = QString::fromStdString(object.Text).toStdU32String();
    std::vector<QString> lines;
    size_t start = 0;
    for (size_t i = 0; i < object.LineEnds.size(); ++i) {
        size_t end = i + 1 < object.LineEnds.size() ? object.LineEnds[i] - 1 : text.size();
        lines.push_back(QString::fromStdU32String(text.substr(start, end - start)));
        start = end;
    }
    return lines;
}

const std::string kParagraph =
    "Reports are built page by page: every adding operation records one object, and the text is "
    "laid out into lines at once so that every renderer draws the same line breaks.";

} // namespace

TEST(FontTable, InternsByExactNameSizeAndStyle)
{
    TReport report;
    EXPECT_EQ(internFont(report, "Arial", 12, "B"), 0);
    EXPECT_EQ(internFont(report, "Arial", 12, "B"), 0);
    EXPECT_EQ(internFont(report, "arial", 12, "B"), 1);
    EXPECT_EQ(internFont(report, "Arial", 10, "B"), 2);
    EXPECT_EQ(internFont(report, "NoSuchFont", 12, ""), 3);
    EXPECT_EQ(internFont(report, "NoSuchFont", 12, ""), 4);
    EXPECT_EQ(report.Fonts[3].Name, "Arial");

    const TReportFont& bold = report.Fonts[0];
    EXPECT_EQ(bold.GdiPlusStyle, kStyleBold);
    EXPECT_EQ(bold.EmHeight, 2048);
    EXPECT_EQ(bold.CellAscent.scaled, 1854 * 10000);
    EXPECT_EQ(bold.LineSpacingUnits, 2355);
    EXPECT_EQ(bold.AscentInches.scaled, 1509); // 12 / 72 * 1854 / 2048 = 0.15088
    EXPECT_EQ(bold.LineSpacingInches.scaled, 1917); // 12 / 72 * 2355 / 2048 = 0.19165
}

TEST(FontTable, PdfKeysNameTheStyle)
{
    EXPECT_EQ(pdfFontKey("Arial", "BIU"), "Arial,BoldItalic");
    EXPECT_EQ(pdfFontKey("Arial", "IB"), "Arial,BoldItalic");
    EXPECT_EQ(pdfFontKey("Times New Roman", "B-"), "Times New Roman,Bold");
    EXPECT_EQ(pdfFontKey("Courier New", "U"), "Courier New");
    EXPECT_EQ(fontStyleValue("x-IU"), kStyleItalic | kStyleUnderline | kStyleStrikeOut);

    TReport report;
    EXPECT_EQ(internPdfFont(report, "Arial", "I"), 0);
    EXPECT_EQ(internPdfFont(report, "Arial", "IU"), 0);
    EXPECT_EQ(internPdfFont(report, "Arial", ""), 1);
    EXPECT_EQ(findPdfFont(report, "Arial,Italic"), 0);
    EXPECT_EQ(findPdfFont(report, "arial"), -1);
    EXPECT_EQ(entryFontName(report, 7), "");
    EXPECT_EQ(entryGdiPlusStyle(report, -1), 0);
}

TEST(AddText, StoresTheBaseLineAndTheAutomaticWidth)
{
    TReport report;
    addText(report, textAt(1, 1, 0, 1, "Hello"), kPpi);
    const TReportObject& object = lastObject(report);
    EXPECT_EQ(object.ObjType, ObjType::Text);
    EXPECT_EQ(object.Width, 75000.0f);
    const float ascent = 12.0f / 72 * 1854.0f / 2048;
    EXPECT_EQ(object.VPos, storedUnits(1.0f - ascent));
    EXPECT_EQ(object.VPos, 8491.0f);
    EXPECT_FLOAT_EQ(object.LineHeight, 0.1917f); // rounded by the layout
    EXPECT_EQ(object.LineCount, 1);
    EXPECT_EQ(object.LineEnds, std::vector<int16_t>{5});
    EXPECT_EQ(report.PdfFonts.size(), 1u);
}

TEST(AddText, ResolvesFontsFromArgumentsAndCurrentSettings)
{
    TReport report;
    report.DefaultFontName = "Courier New";
    report.DefaultFontSize = 9;
    report.DefaultFontStyle = "bi";
    TTextArguments args = textAt(1, 1, 5, 1, "x");
    args.fontName.reset();
    args.fontStyle.reset();
    args.fontSize = 0;
    addText(report, args, kPpi);
    EXPECT_EQ(report.Fonts[0].Name, "Courier New");
    EXPECT_EQ(report.Fonts[0].Size, 9);
    EXPECT_EQ(report.Fonts[0].Style, "BI");

    args.fontName = "NoSuchFont";
    args.fontStyle = "b";
    addText(report, args, kPpi);
    addText(report, args, kPpi);
    EXPECT_EQ(report.Fonts.size(), 2u);
    EXPECT_EQ(report.Fonts[1].Name, "Arial");
    EXPECT_EQ(report.PdfFonts.back().Name, "Arial,Bold");
}

TEST(AddText, WrapsIntoLinesThatFitTheWidth)
{
    TReport report;
    addText(report, textAt(1, 1, 2.5f, 5, kParagraph), kPpi);
    const TReportObject& object = lastObject(report);
    ASSERT_GE(object.LineCount, 3);
    ASSERT_EQ(object.LineEnds.size(), static_cast<size_t>(object.LineCount));
    EXPECT_EQ(object.LineEnds.back(), static_cast<int16_t>(kParagraph.size()));
    for (size_t i = 1; i < object.LineEnds.size(); ++i)
        EXPECT_LT(object.LineEnds[i - 1], object.LineEnds[i]);

    const QFontMetricsF metrics(screenFont("Arial", 12, 0));
    QString joined;
    for (const QString& line : laidOutLines(object)) {
        EXPECT_LE(metrics.horizontalAdvance(line.trimmed()), 2.5 * kPpi) << line.toStdString();
        // Word breaks: no line starts inside a word.
        if (!joined.isEmpty()) {
            EXPECT_TRUE(joined.endsWith(' ')) << line.toStdString();
        }
        joined += line;
    }
    EXPECT_EQ(joined.toStdString(), kParagraph);
}

TEST(AddText, CharacterTrimmingBreaksAnywhereAndHeightLimitsLines)
{
    TReport report;
    TTextArguments args = textAt(1, 1, 2.5f, 5, kParagraph);
    args.trimmingStyle = 1;
    addText(report, args, kPpi);
    const TReportObject& anywhere = lastObject(report);
    const QFontMetricsF metrics(screenFont("Arial", 12, 0));
    const auto lines = laidOutLines(anywhere);
    // Lines are filled to the last character, so each but the last is nearly full.
    for (size_t i = 0; i + 1 < lines.size(); ++i)
        EXPECT_GT(metrics.horizontalAdvance(lines[i] + QString::fromStdString(kParagraph).mid(0, 1)), 2.5 * kPpi - 1);

    // A box two lines high keeps two lines.
    addText(report, textAt(1, 1, 2.5f, 0.4f, kParagraph), kPpi);
    EXPECT_EQ(lastObject(report).LineCount, 2);
}

TEST(AddText, ZeroHeightKeepsTheFirstLineOnly)
{
    TReport report;
    addText(report, textAt(1, 1, 2.5f, 5, kParagraph), kPpi);
    const int16_t firstEnd = lastObject(report).LineEnds.front();
    addText(report, textAt(1, 1, 2.5f, 0, kParagraph), kPpi);
    const TReportObject& single = lastObject(report);
    EXPECT_EQ(single.LineCount, 1);
    EXPECT_TRUE(single.LineEnds.empty());
    EXPECT_EQ(single.Text, kParagraph.substr(0, firstEnd - 1));
}

TEST(AddText, ExtendedLayoutWidensTheBoxAndKeepsOwnBreaks)
{
    TReport report;
    TTextArguments args = textAt(1, 1, 3, 2, "one\r\ntwo\nthree\rfour");
    args.subType = "L";
    addText(report, args, kPpi);
    const TReportObject& own = lastObject(report);
    EXPECT_EQ(own.SubType, '+');
    EXPECT_EQ(own.TextMode, 5);
    EXPECT_EQ(own.LineCount, 4);
    EXPECT_TRUE(own.LineEnds.empty());
    EXPECT_FLOAT_EQ(own.Width, 30000 + 2083.3333f);

    args.subType = "+";
    args.alignment = 1;
    args.text = "  right";
    addText(report, args, kPpi);
    const TReportObject& right = lastObject(report);
    EXPECT_EQ(right.Text, "right");
    EXPECT_FLOAT_EQ(right.HPos, 10000 - 2083.3333f);
    EXPECT_FLOAT_EQ(right.Width, 30000 + 2083.3333f);
    EXPECT_EQ(right.LineCount, 1);

    // Lower than one and a half lines: one line, cut to what fits.
    args.alignment = 0;
    args.height = 0.2f;
    args.width = 1;
    args.text = kParagraph;
    addText(report, args, kPpi);
    EXPECT_EQ(lastObject(report).LineCount, 1);
    EXPECT_LT(lastObject(report).Text.size(), kParagraph.size());

    args.subType = "L";
    addText(report, args, kPpi);
    EXPECT_EQ(lastObject(report).LineCount, 0);
    EXPECT_EQ(lastObject(report).Text, kParagraph);

    args.subType = "x";
    addText(report, args, kPpi);
    EXPECT_EQ(lastObject(report).SubType, 0);
}

TEST(AddText, CodesAreStoredByTheirRules)
{
    TReport report;
    TTextArguments args = textAt(1, 1, 3, 1, "x");
    args.lineSpacing = 3;
    args.alphaLevel = 300;
    args.backStyle = 2;
    args.trimmingStyle = 9;
    args.rotationAngle = 450;
    addText(report, args, kPpi);
    const TReportObject& object = lastObject(report);
    EXPECT_EQ(object.LineSpacing, 0);
    EXPECT_EQ(object.AlphaLevel, 0);
    EXPECT_EQ(object.BackStyle, 0);
    EXPECT_EQ(object.TrimmingStyle, 9);
    EXPECT_EQ(object.RotationAngle, 450);
    EXPECT_EQ(object.LineCount, 1);

    args.text = "";
    addText(report, args, kPpi);
    EXPECT_EQ(lastObject(report).LineCount, 0);
}

TEST(AddReportField, KeepsTheGivenFontNameAndRightEdge)
{
    TReport report;
    TFieldArguments args;
    args.expression = "_PAGENO";
    args.hPos = 5;
    args.vPos = 1;
    args.alignment = 1;
    args.fontName = "NoSuchFont";
    args.fontSize = 12;
    args.backStyle = 7;
    args.dataType = "n";
    args.subType = "F";
    addReportField(report, args);
    addReportField(report, args);
    const TReportObject& field = lastObject(report);
    EXPECT_EQ(field.ObjType, ObjType::Field);
    EXPECT_EQ(field.HPos, 0.0f);
    EXPECT_EQ(field.Width, 50000.0f);
    EXPECT_EQ(field.BackStyle, 1);
    EXPECT_EQ(field.DataType, 0);
    EXPECT_EQ(field.SubType, 'F');
    EXPECT_EQ(field.LineCount, 0);
    EXPECT_TRUE(field.LineEnds.empty());
    EXPECT_EQ(field.VPos, 8491.0f);
    EXPECT_EQ(report.Fonts.size(), 2u); // an entry on every call: the key is the name given
    EXPECT_EQ(report.Fonts[1].Name, "Arial");
    EXPECT_EQ(report.PdfFonts.size(), 1u);
    EXPECT_EQ(report.PdfFonts[0].Name, "NoSuchFont");

    args.dataType.reset();
    args.subType.reset();
    addReportField(report, args);
    EXPECT_EQ(lastObject(report).DataType, ' ');
    EXPECT_EQ(lastObject(report).SubType, ' ');
}

TEST(TextHeight, CountsWrappedLinesOfTheCurrentFont)
{
    TReport report;
    const int32_t one = measureTextHeight(report, 6, "Hello", 0, kPpi);
    EXPECT_GT(one, 12);
    EXPECT_LT(one, 25);
    const int32_t wrapped = measureTextHeight(report, 2, kParagraph, 0, kPpi);
    EXPECT_EQ(wrapped % one, 0);
    EXPECT_GE(wrapped / one, 4);
    EXPECT_EQ(measureTextHeight(report, 2, kParagraph, 0x20, kPpi), one);
    EXPECT_EQ(measureTextHeight(report, 2, "a\r\nb\nc", 0x800, kPpi), 3 * one);
    EXPECT_EQ(measureTextHeight(report, 2, "", 0, kPpi), 0);
}
