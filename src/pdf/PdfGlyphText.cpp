#include "pdf/PdfGlyphText.h"

#include "pdf/PdfCanvas.h"
#include "pdf/PdfCompositeFont.h"
#include "pdf/PdfDoc.h"
#include "pdf/PdfFormat.h"
#include "pdf/PdfShapedText.h"

#include <QPainterPath>
#include <QString>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <utility>
#include <vector>

namespace orv {

namespace {

// The glyph operands of a line's TJ operators: the glyphs' codes in
// literal strings (half the bytes of hexadecimal ones), with a shift before
// a glyph wherever one is needed to put it at its shaped place. Every glyph
// of a line passes here, so they are written into a buffer sized for the
// worst case.
class GlyphArray {
public:
    explicit GlyphArray(size_t glyphs)
        : m_buffer(kMostPerGlyph * glyphs + 2, '\0')
        , m_end(m_buffer.data())
    {
    }
    // The glyph of a code and declared width (thousandths of the em) at x,
    // thousandths of the em from the line's start. The widths are whole
    // thousandths and the shaped places are not, so the pen is set right
    // only when it strays by two thousandths of the em or more (kerning),
    // not at every rounding.
    void glyphAt(double x, uint32_t code, int32_t width)
    {
        constexpr double kStray = 2;
        const double offset = m_pen - x;
        if (std::abs(offset) >= kStray) {
            const double shift = std::round(offset);
            this->shift(shift);
            m_pen -= shift;
        }
        glyph(code);
        m_pen += width;
    }
    void flushTo(TPdfCanvas& canvas)
    {
        if (empty())
            return;
        closeString();
        *m_end++ = ']';
        canvas.showGlyphs(std::string_view(m_buffer.data(), static_cast<size_t>(m_end - m_buffer.data())));
        m_end = m_buffer.data();
    }

private:
    // A shift's digits, a string closed and opened, two escaped bytes.
    static constexpr size_t kMostDigits = 20;
    static constexpr size_t kMostPerGlyph = kMostDigits + 2 + 4;

    // A positive number in TJ moves the next glyph to the left. Strings
    // delimit themselves, so numbers need no blanks around them:
    // [(ab)11(cd)].
    void shift(double thousandths)
    {
        closeString();
        if (empty())
            *m_end++ = '[';
        m_end = std::to_chars(m_end, m_end + kMostDigits, static_cast<long long>(thousandths)).ptr;
    }
    // A code below 0x80 is one byte, others two.
    void glyph(uint32_t code)
    {
        if (!m_inString) {
            if (empty())
                *m_end++ = '[';
            *m_end++ = '(';
            m_inString = true;
        }
        if (code >= 0x80)
            byte(static_cast<char>(code >> 8));
        byte(static_cast<char>(code & 0xFF));
    }
    bool empty() const { return m_end == m_buffer.data(); }
    // Parentheses and backslashes are escaped; so are line ends, which a
    // reader would take for a line feed whatever they were.
    void byte(char c)
    {
        switch (c) {
        case '(': case ')': case '\\': *m_end++ = '\\'; *m_end++ = c; break;
        case '\r': *m_end++ = '\\'; *m_end++ = 'r'; break;
        case '\n': *m_end++ = '\\'; *m_end++ = 'n'; break;
        default: *m_end++ = c;
        }
    }
    void closeString()
    {
        if (m_inString)
            *m_end++ = ')';
        m_inString = false;
    }

    std::string m_buffer;
    char* m_end;
    bool m_inString = false;
    double m_pen = 0; // where the text position stands, thousandths of the em from the line's start
};

// Whether the texts of a line's glyphs, one after the other, give back the
// line's text.
class ExtractedText {
public:
    explicit ExtractedText(QStringView text)
        : m_text(text)
    {
    }
    void add(const std::u16string& piece)
    {
        const auto length = static_cast<qsizetype>(piece.size());
        if (m_matches && m_length + length <= m_text.size())
            m_matches = length == 1 ? m_text[m_length] == piece.front()
                                    : m_text.sliced(m_length, length) == QStringView(piece.data(), length);
        else
            m_matches = false;
        m_length += length;
    }
    bool givesBack() const { return m_matches && m_length == m_text.size(); }

private:
    QStringView m_text;
    qsizetype m_length = 0;
    bool m_matches = true;
};

// What a character no installed face has looks like: a hollow box, as on
// screen, in thousandths of the em with y down.
QPainterPath missingGlyphBox()
{
    QPainterPath box;
    box.addRect(100, -700, 500, 700);
    // The inner edge runs the other way round, so filling leaves it open.
    box.moveTo(150, -650);
    box.lineTo(150, -50);
    box.lineTo(550, -50);
    box.lineTo(550, -650);
    box.closeSubpath();
    return box;
}

// A line put together from learnt glyphs, one a character, in order, on the
// base line and in its face's font, goes from glyphs to codes in one pass.
// False, with nothing written, when the font cannot show all of it.
bool showPlainLine(TPdfCanvas& canvas, const TPdfShapedLine& line, std::string_view text, float size)
{
    const TPdfGlyphRun& run = line.runs.front();
    TPdfCompositeFont* font = canvas.document().compositeFont(run.font);
    if (!font || font->codesLeft() < run.glyphs.size())
        return false;
    GlyphArray glyphs(run.glyphs.size());
    ExtractedText extracted(line.text);
    for (const TPdfShapedGlyph& glyph : run.glyphs) {
        const TPdfCompositeFont::UsedGlyph& used = font->useGlyph(glyph.glyph, glyph.text);
        extracted.add(used.text);
        glyphs.glyphAt(glyph.x, used.code, used.width);
    }
    const bool marked = !extracted.givesBack();
    if (marked)
        canvas.beginActualText(text);
    canvas.selectCompositeFont(*font, size);
    glyphs.flushTo(canvas);
    if (marked)
        canvas.endMarkedContent();
    return true;
}

} // namespace

double pdfTextWidth(TPdfDoc& doc, const std::string& fontKey, std::string_view text, double size)
{
    if (!doc.usesCompositeFonts(text))
        return doc.getFont(fontKey, doc.embeddingChoice(fontKey)).textWidth(text, size);
    return doc.shapeCache().shape(fontKey, text).width / 1000 * size;
}

std::vector<TPdfOutlineGlyph> showCompositeText(TPdfCanvas& canvas, const std::string& fontKey, std::string_view text,
                                                float size, float wordSpacing)
{
    std::vector<TPdfOutlineGlyph> outlines;
    TPdfDoc& doc = canvas.document();
    const TPdfShapedLine& line = doc.shapeCache().shape(fontKey, text);
    if (line.plain && wordSpacing == 0 && showPlainLine(canvas, line, text, size))
        return outlines;
    // Word spacing widens every blank: each glyph moves right by the extra
    // width of the blanks to its left. Tw cannot do this: it widens code 32
    // only, which no glyph of a composite font has.
    std::vector<double> blanks;
    if (wordSpacing != 0 && size > 0)
        for (const TPdfGlyphRun& run : line.runs)
            for (const TPdfShapedGlyph& glyph : run.glyphs)
                if (glyph.text.find(u' ') != std::u16string::npos)
                    blanks.push_back(glyph.x);
    std::sort(blanks.begin(), blanks.end());
    const double extraPerBlank = blanks.empty() ? 0 : wordSpacing * 1000.0 / size;
    auto placed = [&](const TPdfShapedGlyph& glyph) {
        if (blanks.empty())
            return glyph.x;
        const auto blanksBefore = std::lower_bound(blanks.begin(), blanks.end(), glyph.x) - blanks.begin();
        return glyph.x + extraPerBlank * static_cast<double>(blanksBefore);
    };

    // Glyphs go out in visual order, left to right: readers that extract
    // text put right-to-left runs back into their logical order themselves.
    // Each glyph takes its code from its font as it is met. What readers
    // get from the glyphs through the character maps is compared with the
    // line's text piece by piece, once the glyphs stand in visual order.
    struct VisualGlyph {
        TPdfCompositeFont* font;
        const TPdfShapedGlyph* shaped;
        double x = 0;      // its place, thousandths of the em
        double rise = 0;   // points
        uint32_t code = 0;
        int32_t width = 0; // declared by the font, thousandths of the em
    };
    size_t glyphCount = 0;
    for (const TPdfGlyphRun& run : line.runs)
        glyphCount += run.glyphs.size();
    std::vector<VisualGlyph> visual;
    visual.reserve(glyphCount);
    ExtractedText extracted(line.text);
    bool inVisualOrder = true;
    double lastX = -std::numeric_limits<double>::infinity();
    for (const TPdfGlyphRun& run : line.runs) {
        TPdfCompositeFont* font = doc.compositeFont(run.font);
        for (const TPdfShapedGlyph& glyph : run.glyphs) {
            if (!font || !font->canShow(glyph.glyph)) {
                outlines.push_back({run.font, glyph.glyph, placed(glyph), glyph.y});
                continue;
            }
            const TPdfCompositeFont::UsedGlyph& used = font->useGlyph(glyph.glyph, glyph.text);
            inVisualOrder = inVisualOrder && !(glyph.x < lastX);
            lastX = glyph.x;
            extracted.add(used.text);
            const double rise = glyph.y == 0 ? 0 : std::round(-glyph.y * size / 10) / 100;
            visual.push_back({font, &glyph, placed(glyph), rise, used.code, used.width});
        }
    }
    if (!inVisualOrder) {
        std::stable_sort(visual.begin(), visual.end(),
                         [](const VisualGlyph& a, const VisualGlyph& b) { return a.shaped->x < b.shaped->x; });
        extracted = ExtractedText(line.text);
        for (const VisualGlyph& glyph : visual)
            extracted.add(glyph.font->useGlyph(glyph.shaped->glyph, glyph.shaped->text).text);
    }
    // A line whose glyphs do not give back its text (reordered Indic
    // clusters, a glyph that maps to other characters elsewhere, glyphs
    // drawn as outlines) is marked with its own text, so that it extracts in
    // its logical order. Readers take marked right-to-left text for visual
    // order, so such lines rely on the glyphs' own characters.
    const bool marked = !line.rightToLeft && !extracted.givesBack();
    if (marked)
        canvas.beginActualText(text);

    GlyphArray glyphs(visual.size());
    double rise = 0; // points
    for (const VisualGlyph& glyph : visual) {
        if (canvas.attribute().CompositeFont != glyph.font) {
            glyphs.flushTo(canvas);
            canvas.selectCompositeFont(*glyph.font, size);
        }
        if (glyph.rise != rise) {
            glyphs.flushTo(canvas);
            canvas.setTextRise(static_cast<float>(glyph.rise));
            rise = glyph.rise;
        }
        glyphs.glyphAt(glyph.x, glyph.code, glyph.width);
    }
    glyphs.flushTo(canvas);
    if (rise != 0)
        canvas.setTextRise(0);
    if (marked)
        canvas.endMarkedContent();
    return outlines;
}

void fillGlyphOutlines(TPdfCanvas& canvas, const std::array<double, 6>& lineMatrix, float size,
                       const std::vector<TPdfOutlineGlyph>& glyphs)
{
    canvas.saveGraphicsState();
    const auto [a, b, c, d, e, f] = lineMatrix;
    canvas.concatMatrix(static_cast<float>(a), static_cast<float>(b), static_cast<float>(c), static_cast<float>(d),
                        static_cast<float>(e), static_cast<float>(f));
    // From thousandths of the em, y down, to points, y up; the content
    // number format keeps hundredths of a point.
    const double scale = size / 1000.0;
    for (const TPdfOutlineGlyph& glyph : glyphs) {
        const QPainterPath path = glyph.face.isValid() ? glyph.face.pathForGlyph(glyph.glyph) : missingGlyphBox();
        auto point = [&](int i) {
            const QPainterPath::Element& element = path.elementAt(i);
            return std::pair{static_cast<float>((glyph.x + element.x) * scale),
                             static_cast<float>(-(glyph.y + element.y) * scale)};
        };
        for (int i = 0; i < path.elementCount(); ++i) {
            const auto [x, y] = point(i);
            switch (path.elementAt(i).type) {
            case QPainterPath::MoveToElement: canvas.moveTo(x, y); break;
            case QPainterPath::LineToElement: canvas.lineTo(x, y); break;
            case QPainterPath::CurveToElement:
                if (i + 2 < path.elementCount()) {
                    const auto [x2, y2] = point(i + 1);
                    const auto [x3, y3] = point(i + 2);
                    canvas.curveTo(x, y, x2, y2, x3, y3);
                    i += 2;
                }
                break;
            case QPainterPath::CurveToDataElement: break;
            }
        }
    }
    canvas.fill();
    canvas.restoreGraphicsState();
}

} // namespace orv
