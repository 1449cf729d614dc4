#include "document/TextObjects.h"

#include "document/FontTables.h"
#include "document/Report.h"
#include "document/TextLayout.h"
#include "platform/AsciiText.h"
#include "platform/CodePoints.h"
#include "platform/FontServices.h"

namespace orv {

namespace {

// Positions of a '+' text box grow by 15 points (in ten-thousandths of an
// inch) so that the last character of a line is never clipped.
constexpr float kExtendedBoxGrowth = 2083.3333f;
constexpr int32_t kAlignRight = storedStyle(TTextAlignment::Right);

struct ResolvedFont {
    std::string name;
    std::string style;
    int32_t size;
};

ResolvedFont resolveFont(const TReport& report, const std::optional<std::string>& fontName,
                         const std::optional<std::string>& fontStyle, int32_t fontSize)
{
    return {fontName.value_or(report.DefaultFontName), asciiUpper(fontStyle.value_or(report.DefaultFontStyle)),
            fontSize == 0 ? report.DefaultFontSize : fontSize};
}

// The ascent and the line height of a measured-font entry, in inches.
struct VerticalMetrics {
    float ascent;
    float lineHeight;
};

VerticalMetrics verticalMetrics(const TReportFont& entry, int32_t size)
{
    const float em = static_cast<float>(entry.EmHeight);
    const float cellAscent = static_cast<float>(entry.CellAscent.scaled / 10000);
    return {static_cast<float>(size) / 72 * cellAscent / em,
            static_cast<float>(size) / 72 * static_cast<float>(entry.LineSpacingUnits) / em};
}

std::string firstCharacters(const std::string& text, int32_t count)
{
    std::u32string points = toCodePoints(text);
    points.resize(std::min<size_t>(points.size(), count < 0 ? 0 : count));
    return toUtf8(points);
}

// Right-aligned text drops its leading blanks and control characters.
std::string withoutLeadingBlanks(const std::string& text)
{
    size_t first = 0;
    while (first < text.size() && static_cast<unsigned char>(text[first]) <= ' ')
        ++first;
    return text.substr(first);
}

// Keeps only the first laid-out line of a text object.
void keepFirstLine(TReportObject& object, int32_t lines)
{
    const int32_t firstEnd = object.LineEnds.empty() ? 0 : object.LineEnds.front();
    object.Text = firstCharacters(object.Text, lines >= 2 ? firstEnd - 1 : firstEnd);
    object.LineEnds.clear();
    object.LineCount = 1;
}

int32_t ownLineCount(const std::string& text)
{
    int32_t lines = 1;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')))
            ++lines;
    }
    return lines;
}

char textSubType(const std::optional<std::string>& subType)
{
    if (!subType || *subType == " ")
        return ' ';
    if (*subType == "+" || *subType == "L" || *subType == "F")
        return '+';
    return 0;
}

char fieldSubType(const std::optional<std::string>& subType)
{
    if (!subType || *subType == " ")
        return ' ';
    if (*subType == "L" || *subType == "F")
        return (*subType)[0];
    return 0;
}

char fieldDataType(const std::optional<std::string>& dataType)
{
    if (!dataType)
        return ' ';
    if (*dataType == "C" || *dataType == "D" || *dataType == "N")
        return (*dataType)[0];
    return 0;
}

// The record fields every text object and report field fills alike.
void fillTextLook(TReportObject& object, const TTextLook& args, int32_t fontIndex, int32_t fontSize)
{
    object.Name = args.name;
    object.HPos = storedUnits(args.hPos);
    object.Height = storedUnits(args.height);
    object.FontIndex = fontIndex;
    object.FontSize = static_cast<int16_t>(fontSize);
    object.ForeColor = static_cast<Colour>(args.foreColor);
    object.BackColor = static_cast<Colour>(args.backColor);
    object.RotationAngle = static_cast<int16_t>(args.rotationAngle);
    object.Alignment = static_cast<uint8_t>(args.alignment);
    if (args.alphaLevel >= 0 && args.alphaLevel <= 255)
        object.AlphaLevel = static_cast<uint8_t>(args.alphaLevel);
}

// A place that cannot be stored fails the operation before the page changes.
void refuseUnstorablePlace(const TTextLook& args)
{
    for (float inches : {args.hPos, args.vPos, args.width, args.height})
        storedUnits(inches);
}

} // namespace

void addText(TReport& report, const TTextArguments& args, double pixelsPerInch)
{
    refuseUnstorablePlace(args);
    TPageObject& page = report.drawPage();
    const int32_t index = page.objectCount();
    report.appendObject();
    const float width = args.width == 0 ? static_cast<float>(page.Width - args.hPos) : args.width;

    ResolvedFont font = resolveFont(report, args.fontName, args.fontStyle, args.fontSize);
    if (!TFontServices::instance().isInstalled(font.name))
        font.name = "Arial";
    const int32_t fontIndex = internFont(report, font.name, font.size, font.style);
    internPdfFont(report, font.name, font.style);

    TReportObject& object = page.Objects[index];
    object.ObjType = ObjType::Text;
    fillTextLook(object, args, fontIndex, font.size);
    object.Text = args.alignment == kAlignRight ? withoutLeadingBlanks(args.text) : args.text;
    object.Width = storedUnits(width);
    object.BackStyle = args.backStyle > 1 ? storedStyle(TBackStyle::Transparent) : static_cast<uint8_t>(args.backStyle);
    object.TrimmingStyle = static_cast<uint8_t>(args.trimmingStyle);
    const bool knownSpacing = args.lineSpacing >= 0 && args.lineSpacing <= storedStyle(TLineSpacing::Double);
    object.LineSpacing = knownSpacing ? static_cast<uint8_t>(args.lineSpacing) : storedStyle(TLineSpacing::Single);
    object.SubType = textSubType(args.subType);

    const VerticalMetrics metrics = verticalMetrics(report.Fonts[fontIndex], font.size);
    object.VPos = storedUnits(args.vPos - metrics.ascent);
    object.LineHeight = metrics.lineHeight;

    if (object.SubType == '+') {
        const bool ownBreaks = args.subType == "L";
        if (ownBreaks)
            object.TextMode = storedStyle(TTextMode::OwnLineBreaks);
        if (1.5f * metrics.lineHeight > args.height) {
            if (!ownBreaks)
                keepFirstLine(object, wrapText(report, page, index, pixelsPerInch));
        } else if (ownBreaks) {
            object.LineCount = static_cast<int16_t>(ownLineCount(object.Text));
        } else {
            wrapText(report, page, index, pixelsPerInch);
        }
        object.Width = storedUnits(width) + kExtendedBoxGrowth;
        if (args.alignment == kAlignRight)
            object.HPos -= kExtendedBoxGrowth;
    } else if (args.height == 0) {
        // A zero height means a single line.
        const int32_t lines = wrapText(report, page, index, pixelsPerInch);
        if (lines >= 2)
            keepFirstLine(object, lines);
    } else {
        wrapText(report, page, index, pixelsPerInch);
    }
}

void addReportField(TReport& report, const TFieldArguments& args)
{
    refuseUnstorablePlace(args);
    TPageObject& page = report.drawPage();
    const int32_t index = page.objectCount();
    report.appendObject();

    const ResolvedFont font = resolveFont(report, args.fontName, args.fontStyle, args.fontSize);
    internPdfFont(report, font.name, font.style);
    const int32_t fontIndex = internFont(report, font.name, font.size, font.style);

    TReportObject& object = page.Objects[index];
    object.ObjType = ObjType::Field;
    fillTextLook(object, args, fontIndex, font.size);
    object.Text = args.expression;
    object.Width = storedUnits(args.width);
    object.Format = args.picture.value_or(std::string());
    object.DataType = fieldDataType(args.dataType);
    object.SubType = fieldSubType(args.subType);
    object.BackStyle = args.backStyle > 1 ? storedStyle(TBackStyle::Opaque) : static_cast<uint8_t>(args.backStyle);
    // A right-aligned field is given by its right edge.
    if (args.alignment == kAlignRight) {
        if (object.Width == 0)
            object.Width = object.HPos;
        object.HPos -= object.Width;
    }
    const VerticalMetrics metrics = verticalMetrics(report.Fonts[fontIndex], font.size);
    object.VPos = storedUnits(args.vPos - metrics.ascent);
    object.LineHeight = metrics.lineHeight;
}

} // namespace orv
