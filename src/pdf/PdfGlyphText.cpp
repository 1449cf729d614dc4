#include "pdf/PdfGlyphText.h"

#include "pdf/PdfCanvas.h"
#include "pdf/PdfCompositeFont.h"
#include "pdf/PdfDoc.h"
#include "pdf/PdfFormat.h"
#include "pdf/PdfShapedText.h"

#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>
#include <vector>

namespace orv {

namespace {

// The glyph operands of one TJ: glyph ids as hexadecimal strings, each
// preceded by the shift that puts it at its shaped place.
class GlyphArray {
public:
    bool empty() const { return m_text.empty(); }
    void shift(double thousandths)
    {
        m_text += (m_text.empty() ? "" : " ") + std::to_string(static_cast<long long>(thousandths)) + " ";
        m_lastWasGlyph = false;
    }
    void glyph(uint32_t id)
    {
        char digits[5];
        std::snprintf(digits, sizeof digits, "%04X", static_cast<unsigned>(id & 0xFFFF));
        if (m_lastWasGlyph)
            m_text.insert(m_text.size() - 1, digits);
        else
            m_text += std::string("<") + digits + ">";
        m_lastWasGlyph = true;
    }
    void flushTo(TPdfCanvas& canvas)
    {
        if (!m_text.empty())
            canvas.showGlyphs("[" + m_text + "]");
        m_text.clear();
        m_lastWasGlyph = false;
    }

private:
    std::string m_text;
    bool m_lastWasGlyph = false;
};

bool hasRightToLeft(std::string_view utf8)
{
    for (QChar c : QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())))
        if (c.direction() == QChar::DirR || c.direction() == QChar::DirAL)
            return true;
    return false;
}

} // namespace

double pdfTextWidth(TPdfDoc& doc, const std::string& fontKey, std::string_view text, double size)
{
    if (!doc.usesCompositeFonts(text))
        return doc.getFont(fontKey, doc.embeddingChoice(fontKey)).textWidth(text, size);
    return doc.shapeCache().shape(fontKey, text).width / 1000 * size;
}

void showCompositeText(TPdfCanvas& canvas, const std::string& fontKey, std::string_view text, float size)
{
    TPdfDoc& doc = canvas.document();
    const TPdfShapedLine& line = doc.shapeCache().shape(fontKey, text);
    // Marked with its own text, a line extracts in its logical order
    // whatever its glyphs; readers take marked right-to-left text for
    // visual order, so such lines rely on the glyphs' own characters.
    const bool marked = !hasRightToLeft(text);
    if (marked)
        canvas.beginActualText(text);
    GlyphArray glyphs;
    double pen = 0;  // where the text position stands, thousandths of the em from the line's start
    double rise = 0; // points
    auto place = [&](TPdfCompositeFont& font, const TPdfShapedGlyph& glyph) {
        if (canvas.attribute().CompositeFont != &font) {
            glyphs.flushTo(canvas);
            canvas.selectCompositeFont(font, size);
        }
        const double wantedRise = std::round(-glyph.y * size / 10) / 100;
        if (wantedRise != rise) {
            glyphs.flushTo(canvas);
            canvas.setTextRise(static_cast<float>(wantedRise));
            rise = wantedRise;
        }
        // A positive number in TJ moves the next glyph to the left.
        const double shift = std::round(pen - glyph.x);
        if (shift != 0) {
            glyphs.shift(shift);
            pen -= shift;
        }
        glyphs.glyph(glyph.glyph);
        pen += font.useGlyph(glyph.glyph, glyph.text);
    };
    // Glyphs go out in visual order, left to right: readers that extract
    // text put right-to-left runs back into their logical order themselves.
    std::vector<std::pair<TPdfCompositeFont*, const TPdfShapedGlyph*>> visual;
    for (const TPdfGlyphRun& run : line.runs) {
        if (!TPdfCompositeFont::canEmbed(run.font))
            continue;
        TPdfCompositeFont& font = doc.compositeFont(run.font);
        for (const TPdfShapedGlyph& glyph : run.glyphs)
            visual.emplace_back(&font, &glyph);
    }
    std::stable_sort(visual.begin(), visual.end(), [](const auto& a, const auto& b) { return a.second->x < b.second->x; });
    for (const auto& [font, glyph] : visual)
        place(*font, *glyph);
    glyphs.flushTo(canvas);
    if (rise != 0)
        canvas.setTextRise(0);
    if (marked)
        canvas.endMarkedContent();
}

} // namespace orv
