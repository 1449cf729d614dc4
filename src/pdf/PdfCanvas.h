#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

class TPdfCompositeFont;
class TPdfDictionary;
class TPdfDoc;
class TPdfFont;
class TPdfStream;

// The text state the canvas remembers, so that selecting the current font
// again writes nothing.
struct TPdfCanvasAttribute {
    float WordSpace = 0;
    float CharSpace = 0;
    float FontSize = 0;
    TPdfFont* Font = nullptr;
    TPdfCompositeFont* CompositeFont = nullptr; // when the current font is composite
    float Leading = 0;
    uint16_t HorizontalScaling = 100;
};

// Writes the content stream of a document's current page: one line of PDF
// source per operator, each ending in a line feed. Coordinates are points
// from the bottom-left corner, written in the content number format
// (formatContentNumber); colours are Windows colour values 0x00BBGGRR.
// Without a current page the operators write nothing.
class TPdfCanvas {
public:
    explicit TPdfCanvas(TPdfDoc& doc);

    TPdfDoc& document() const { return m_doc; }

    // --- the current page ----------------------------------------------------
    // Makes `page` current and resets the text state: Arial at 10 points is
    // selected, which writes its Tf line.
    void bindPage(TPdfDictionary& page);
    void unbind();
    // Throws EPdfInvalidOperation "GetPage --the Page is nil" without a page.
    TPdfDictionary& page() const;
    // The width and height of the current page's media box, in points.
    int32_t mediaBoxWidth() const;
    int32_t mediaBoxHeight() const;
    void setPageWidth(int32_t points);
    void setPageHeight(int32_t points);

    // --- graphics state ------------------------------------------------------
    // q and Q; the remembered text state is saved and restored with them.
    void saveGraphicsState();
    void restoreGraphicsState();
    void concatMatrix(float a, float b, float c, float d, float e, float f);
    void setLineCap(uint8_t cap);
    void setLineJoin(uint8_t join);
    void setLineWidth(float width);
    // [3 1 ] 0 d; an empty pattern or one starting with 0 is solid: [] 0 d.
    void setDashPattern(std::span<const uint8_t> pattern, uint8_t phase);
    void setRGBFillColor(int32_t colour);
    void setRGBStrokeColor(int32_t colour);
    // Selects the transparency state of `alpha` (0 to 255) for filling:
    // a page resource and a gs operator.
    void setAlpha(int32_t alpha);

    // --- paths ---------------------------------------------------------------
    void moveTo(float x, float y);
    void lineTo(float x, float y);
    void curveTo(float x1, float y1, float x2, float y2, float x3, float y3);
    void rectangle(float x, float y, float width, float height);
    void closePath();
    void stroke();
    void fill();
    void fillStroke();
    void closeFillStrokeEvenOdd();
    // f* and B*: the even-odd rule decides what is inside.
    void fillEvenOdd();
    void fillStrokeEvenOdd();
    // W: the current path becomes the clip once the path is ended.
    void clip();
    // n: ends the path without painting it.
    void endPath();

    // --- text ----------------------------------------------------------------
    void beginText();
    void endText();
    void moveTextPosition(float x, float y);
    void setTextMatrix(double a, double b, double c, double d, double e, double f);
    // Bytes in the document's code page, as a literal string.
    void showText(std::string_view bytes);
    // `resourceName` with its slash: /F0 10 Tf.
    void setFontAndSize(std::string_view resourceName, float size);
    // Makes the font of `key` current at `size`: a page resource when new on
    // the page, and a Tf line unless that font and size are current already.
    void selectFont(const std::string& key, float size);
    // The same for a composite font.
    void selectCompositeFont(TPdfCompositeFont& font, float size);
    const TPdfCanvasAttribute& attribute() const { return m_attribute; }
    // Tw: the extra width after each blank (byte 32) of the texts that
    // follow, as justified lines need. Written only when it changes; a new
    // page starts at 0. Throws EPdfInvalidValue below 0.
    void setWordSpacing(float value);
    // A TJ line: `array` is the whole operand, "[<0012> -35 <0044>]".
    void showGlyphs(std::string_view array);
    // Ts: raises the base line of the glyphs that follow (points).
    void setTextRise(float rise);
    // Marked content whose text is `utf8`, whatever glyphs it holds: text
    // extraction and copying read it in its logical order. EMC ends it.
    void beginActualText(std::string_view utf8);
    void endMarkedContent();

    // Text state values: checked and remembered, nothing is written. Each
    // throws EPdfInvalidValue outside its range.
    void setWordSpace(float value);
    void setCharSpace(float value);
    void setFontSize(float value);
    void setHorizontalScaling(uint16_t percent);
    void setLeading(float value);

    // --- images --------------------------------------------------------------
    void paintXObject(std::string_view name);
    // Draws a registered image into the box: q, the box as matrix, Do, Q.
    void drawXObject(float x, float y, float width, float height, const std::string& name);

private:
    void writeOperator(std::initializer_list<double> operands, std::string_view op);
    void writeColour(int32_t colour, std::string_view op);
    // The page's resource dictionary of a kind (Font, XObject, ExtGState).
    TPdfDictionary& resources(std::string_view kind) const;

    TPdfDoc& m_doc;
    TPdfDictionary* m_page = nullptr;
    TPdfStream* m_contents = nullptr;
    TPdfCanvasAttribute m_attribute;
    std::vector<TPdfCanvasAttribute> m_savedAttributes;
};

} // namespace orv
