#include "pdf/PdfCanvas.h"

#include "pdf/PdfCompositeFont.h"
#include "pdf/PdfDoc.h"
#include "pdf/PdfErrors.h"
#include "pdf/PdfFont.h"
#include "pdf/PdfFormat.h"
#include "pdf/PdfObjects.h"
#include "platform/CodePages.h"

#include <cstdio>

namespace orv {

TPdfCanvas::TPdfCanvas(TPdfDoc& doc)
    : m_doc(doc)
{
}

// --- the current page ---------------------------------------------------------

void TPdfCanvas::bindPage(TPdfDictionary& page)
{
    m_page = &page;
    m_contents = page.lookupAs<TPdfStream>("Contents");
    m_savedAttributes.clear();
    m_attribute = TPdfCanvasAttribute{};
    selectFont("Arial", 10);
}

void TPdfCanvas::unbind()
{
    m_page = nullptr;
    m_contents = nullptr;
    m_attribute = TPdfCanvasAttribute{};
    m_savedAttributes.clear();
}

TPdfDictionary& TPdfCanvas::page() const
{
    if (!m_page)
        throw EPdfInvalidOperation("GetPage --the Page is nil");
    return *m_page;
}

int32_t TPdfCanvas::mediaBoxWidth() const
{
    const auto* box = page().lookupAs<TPdfArray>("MediaBox");
    const auto* width = box && box->count() == 4 ? dynamic_cast<const TPdfNumber*>(&box->item(2)) : nullptr;
    return width ? width->value() : m_doc.Settings.InitialPageWidth;
}

int32_t TPdfCanvas::mediaBoxHeight() const
{
    const auto* box = page().lookupAs<TPdfArray>("MediaBox");
    const auto* height = box && box->count() == 4 ? dynamic_cast<const TPdfNumber*>(&box->item(3)) : nullptr;
    return height ? height->value() : m_doc.Settings.InitialPageHeight;
}

void TPdfCanvas::setPageWidth(int32_t points)
{
    static_cast<TPdfNumber&>(page().lookupAs<TPdfArray>("MediaBox")->item(2)).setValue(points);
}

void TPdfCanvas::setPageHeight(int32_t points)
{
    static_cast<TPdfNumber&>(page().lookupAs<TPdfArray>("MediaBox")->item(3)).setValue(points);
}

TPdfDictionary& TPdfCanvas::resources(std::string_view kind) const
{
    return *page().lookupAs<TPdfDictionary>("Resources")->lookupAs<TPdfDictionary>(kind);
}

// --- writing ------------------------------------------------------------------

void TPdfCanvas::writeOperator(std::initializer_list<double> operands, std::string_view op)
{
    if (!m_contents)
        return;
    std::string& data = m_contents->data();
    for (double operand : operands) {
        data += formatContentNumber(operand);
        data += ' ';
    }
    data += op;
    data += '\n';
}

void TPdfCanvas::writeColour(int32_t colour, std::string_view op)
{
    const uint32_t rgb = colour > 0 ? static_cast<uint32_t>(colour) : 0;
    // Each component goes through a 32-bit float, as every content number does.
    writeOperator({static_cast<float>((rgb & 0xFF) / 255.0), static_cast<float>(((rgb >> 8) & 0xFF) / 255.0),
                   static_cast<float>(((rgb >> 16) & 0xFF) / 255.0)},
                  op);
}

// --- graphics state -----------------------------------------------------------

void TPdfCanvas::saveGraphicsState()
{
    m_savedAttributes.push_back(m_attribute);
    writeOperator({}, "q");
}

void TPdfCanvas::restoreGraphicsState()
{
    if (!m_savedAttributes.empty()) {
        m_attribute = m_savedAttributes.back();
        m_savedAttributes.pop_back();
    }
    writeOperator({}, "Q");
}

void TPdfCanvas::concatMatrix(float a, float b, float c, float d, float e, float f)
{
    writeOperator({a, b, c, d, e, f}, "cm");
}

void TPdfCanvas::setLineCap(uint8_t cap)
{
    writeOperator({}, std::to_string(cap) + " J");
}

void TPdfCanvas::setLineJoin(uint8_t join)
{
    writeOperator({}, std::to_string(join) + " j");
}

void TPdfCanvas::setLineWidth(float width)
{
    writeOperator({width}, "w");
}

void TPdfCanvas::setDashPattern(std::span<const uint8_t> pattern, uint8_t phase)
{
    std::string text = "[";
    if (!pattern.empty() && pattern[0] != 0)
        for (uint8_t length : pattern)
            text += std::to_string(length) + " ";
    text += "] " + std::to_string(phase) + " d";
    writeOperator({}, text);
}

void TPdfCanvas::setRGBFillColor(int32_t colour)
{
    writeColour(colour, "rg");
}

void TPdfCanvas::setRGBStrokeColor(int32_t colour)
{
    writeColour(colour, "RG");
}

void TPdfCanvas::setAlpha(int32_t alpha)
{
    TPdfExtGState& state = m_doc.getExtGState(alpha);
    if (!m_page)
        return;
    TPdfDictionary& states = resources("ExtGState");
    if (!states.lookup(state.resourceName))
        states.addReference(state.resourceName, state.dictionary);
    writeOperator({}, "/" + state.resourceName + " gs");
}

// --- paths --------------------------------------------------------------------

void TPdfCanvas::moveTo(float x, float y)
{
    writeOperator({x, y}, "m");
}

void TPdfCanvas::lineTo(float x, float y)
{
    writeOperator({x, y}, "l");
}

void TPdfCanvas::curveTo(float x1, float y1, float x2, float y2, float x3, float y3)
{
    writeOperator({x1, y1, x2, y2, x3, y3}, "c");
}

void TPdfCanvas::rectangle(float x, float y, float width, float height)
{
    writeOperator({x, y, width, height}, "re");
}

void TPdfCanvas::closePath()
{
    writeOperator({}, "h");
}

void TPdfCanvas::stroke()
{
    writeOperator({}, "S");
}

void TPdfCanvas::fill()
{
    writeOperator({}, "f");
}

void TPdfCanvas::fillStroke()
{
    writeOperator({}, "B");
}

void TPdfCanvas::closeFillStrokeEvenOdd()
{
    writeOperator({}, "b*");
}

void TPdfCanvas::fillEvenOdd()
{
    writeOperator({}, "f*");
}

void TPdfCanvas::fillStrokeEvenOdd()
{
    writeOperator({}, "B*");
}

void TPdfCanvas::clip()
{
    writeOperator({}, "W");
}

void TPdfCanvas::endPath()
{
    writeOperator({}, "n");
}

// --- text ---------------------------------------------------------------------

void TPdfCanvas::beginText()
{
    writeOperator({}, "BT");
}

void TPdfCanvas::endText()
{
    writeOperator({}, "ET");
}

void TPdfCanvas::moveTextPosition(float x, float y)
{
    writeOperator({x, y}, "Td");
}

void TPdfCanvas::setTextMatrix(double a, double b, double c, double d, double e, double f)
{
    writeOperator({a, b, c, d, e, f}, "Tm");
}

void TPdfCanvas::showText(std::string_view bytes)
{
    writeOperator({}, "(" + escapeLiteral(bytes) + ") Tj");
}

void TPdfCanvas::setFontAndSize(std::string_view resourceName, float size)
{
    writeOperator({}, std::string(resourceName) + " " + formatContentNumber(size) + " Tf");
}

void TPdfCanvas::selectFont(const std::string& key, float size)
{
    TPdfFont& font = m_doc.getFont(key, m_doc.embeddingChoice(key));
    if (m_attribute.Font == &font && m_attribute.FontSize == size)
        return;
    if (m_page) {
        TPdfDictionary& fonts = resources("Font");
        if (!fonts.lookup(font.resourceName()))
            fonts.addReference(font.resourceName(), font.dictionary());
        setFontAndSize("/" + font.resourceName(), size);
    }
    m_attribute.Font = &font;
    m_attribute.CompositeFont = nullptr;
    setFontSize(size);
}

void TPdfCanvas::setWordSpacing(float value)
{
    if (value == m_attribute.WordSpace)
        return;
    setWordSpace(value);
    writeOperator({value}, "Tw");
}

void TPdfCanvas::selectCompositeFont(TPdfCompositeFont& font, float size)
{
    if (m_attribute.CompositeFont == &font && m_attribute.FontSize == size)
        return;
    if (m_page) {
        TPdfDictionary& fonts = resources("Font");
        if (!fonts.lookup(font.resourceName()))
            fonts.addReference(font.resourceName(), font.dictionary());
        setFontAndSize("/" + font.resourceName(), size);
    }
    m_attribute.Font = nullptr;
    m_attribute.CompositeFont = &font;
    setFontSize(size);
}

void TPdfCanvas::showGlyphs(std::string_view array)
{
    if (!m_contents)
        return;
    std::string& data = m_contents->data();
    data += array;
    data += " TJ\n";
}

void TPdfCanvas::setTextRise(float rise)
{
    writeOperator({rise}, "Ts");
}

void TPdfCanvas::beginActualText(std::string_view utf8)
{
    std::string units = "FEFF";
    for (char16_t unit : utf8ToUtf16(utf8)) {
        char digits[5];
        std::snprintf(digits, sizeof digits, "%04X", static_cast<unsigned>(unit));
        units += digits;
    }
    writeOperator({}, "/Span <</ActualText <" + units + ">>> BDC");
}

void TPdfCanvas::endMarkedContent()
{
    writeOperator({}, "EMC");
}

void TPdfCanvas::setWordSpace(float value)
{
    if (!(value >= 0))
        throw EPdfInvalidValue("SetWordSpace --invalid word space");
    m_attribute.WordSpace = value;
}

void TPdfCanvas::setCharSpace(float value)
{
    if (!(value >= -30 && value <= 300))
        throw EPdfInvalidValue("SetCharSpace --invalid char space");
    m_attribute.CharSpace = value;
}

void TPdfCanvas::setFontSize(float value)
{
    if (!(value >= 0 && value <= 300))
        throw EPdfInvalidValue("SetCharSpace --invalid font size");
    m_attribute.FontSize = value;
}

void TPdfCanvas::setHorizontalScaling(uint16_t percent)
{
    if (percent < 10 || percent > 300)
        throw EPdfInvalidValue("SetHorizontalScaling --invalid font size");
    m_attribute.HorizontalScaling = percent;
}

void TPdfCanvas::setLeading(float value)
{
    if (!(value >= 0 && value <= 300))
        throw EPdfInvalidValue("SetLeading --invalid font size");
    m_attribute.Leading = value;
}

// --- images -------------------------------------------------------------------

void TPdfCanvas::paintXObject(std::string_view name)
{
    writeOperator({}, "/" + std::string(name) + " Do");
}

void TPdfCanvas::drawXObject(float x, float y, float width, float height, const std::string& name)
{
    TPdfImage* image = m_doc.findXObject(name);
    if (!image)
        throw EPdfInvalidValue("DrawXObject --XObject not found: " + name);
    TPdfDictionary& images = resources("XObject");
    if (!images.lookup(name))
        images.addReference(name, *image);
    saveGraphicsState();
    concatMatrix(width, 0, 0, height, x, y);
    paintXObject(name);
    restoreGraphicsState();
}

} // namespace orv
