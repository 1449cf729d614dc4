// The text operations of the control: text objects, report fields, text
// measuring and the PDF font list that text fills.

#include "control/TORVREP.h"

#include "document/TextLayout.h"
#include "document/TextObjects.h"
#include "platform/Screen.h"

namespace orv {

namespace {

// A missing optional text argument stays missing; any other value is text.
std::optional<std::string> optionalText(const Variant& value)
{
    if (value.isMissing())
        return std::nullopt;
    return value.toString();
}

// A style argument: missing falls back to the current style, a string is
// taken, and any other value means no style.
std::optional<std::string> styleArgument(const Variant& value)
{
    if (value.isMissing())
        return std::nullopt;
    return value.isString() ? value.toString() : std::string();
}

} // namespace

void TORVREP::AddText(const Variant& cName, const Variant& cText, float nHPos, float nVPos, float nWidth,
                      float nHeight, const Variant& cFontName, int32_t nFontSize, int32_t nForeColor,
                      int32_t nBackColor, const Variant& cFontStyle, int32_t nRotationAngle, int32_t nBackStyle,
                      int32_t nAlignment, const Variant& cSubType, int32_t nAlphaLevel, int32_t nStringTrimmingStyle,
                      int32_t nLineSpacing)
{
    runTrapped([&] {
        TTextArguments args;
        args.name = cName.toString();
        args.text = cText.toString();
        args.hPos = nHPos;
        args.vPos = nVPos;
        args.width = nWidth;
        args.height = nHeight;
        args.fontName = optionalText(cFontName);
        args.fontSize = nFontSize;
        args.foreColor = nForeColor;
        args.backColor = nBackColor;
        args.fontStyle = styleArgument(cFontStyle);
        args.rotationAngle = nRotationAngle;
        args.backStyle = nBackStyle;
        args.alignment = nAlignment;
        args.subType = optionalText(cSubType);
        args.alphaLevel = nAlphaLevel;
        args.trimmingStyle = nStringTrimmingStyle;
        args.lineSpacing = nLineSpacing;
        addText(*m_report, args, screenPixelsPerInch());
    });
}

void TORVREP::AddReportField(const Variant& cName, const Variant& cExpression, float nHPos, float nVPos,
                             float nWidth, float nHeight, const Variant& cPicture, const Variant& cDataType,
                             const Variant& cFontName, int32_t nFontSize, int32_t nForeColor, int32_t nBackColor,
                             const Variant& cFontStyle, int32_t nRotationAngle, int32_t nBackStyle,
                             int32_t nAlignment, const Variant& cSubType, int32_t nAlphaLevel)
{
    runTrapped([&] {
        TFieldArguments args;
        args.name = cName.toString();
        args.expression = cExpression.toString();
        args.hPos = nHPos;
        args.vPos = nVPos;
        args.width = nWidth;
        args.height = nHeight;
        args.picture = optionalText(cPicture);
        args.dataType = optionalText(cDataType);
        args.fontName = optionalText(cFontName);
        args.fontSize = nFontSize;
        args.foreColor = nForeColor;
        args.backColor = nBackColor;
        args.fontStyle = styleArgument(cFontStyle);
        args.rotationAngle = nRotationAngle;
        args.backStyle = nBackStyle;
        args.alignment = nAlignment;
        args.subType = optionalText(cSubType);
        args.alphaLevel = nAlphaLevel;
        addReportField(*m_report, args);
    });
}

Variant TORVREP::GetTextHeight(int32_t, int32_t, int32_t nWidth, const Variant& cText, int32_t nAlignment)
{
    return runTrapped([&] {
        m_lastTextHeight = measureTextHeight(*m_report, nWidth, cText.toString(), nAlignment, screenPixelsPerInch());
        return Variant(m_lastTextHeight);
    });
}

int32_t TORVREP::get_LastTextHeight()
{
    return m_lastTextHeight;
}

void TORVREP::put_LastTextHeight(int32_t) {}

int32_t TORVREP::get_PDFFontCount()
{
    return static_cast<int32_t>(m_report->PdfFonts.size());
}

Variant TORVREP::PDFFontMetric(int32_t nFontIndex, int32_t nAttribute, int32_t nEmbedFont)
{
    if (nFontIndex < 1 || nFontIndex > get_PDFFontCount())
        return Variant("");
    TPDFReportFont& entry = m_report->PdfFonts[nFontIndex - 1];
    switch (nAttribute) {
    case 0:
        return Variant(entry.Name);
    case 1:
        if (nEmbedFont != 0 && nEmbedFont != 1)
            return Variant(-1);
        entry.Embed = nEmbedFont;
        return Variant(0);
    case 2:
        return Variant(entry.Embed);
    default:
        return Variant("");
    }
}

} // namespace orv
