#include "render/TextDrawer.h"

#include "document/FontTables.h"
#include "document/Report.h"
#include "document/TextLayout.h"
#include "platform/CodePoints.h"
#include "surface/DrawingSurface.h"
#include "render/FieldExpression.h"
#include "render/FindHits.h"
#include "render/TextLines.h"

#include <QFontMetricsF>

#include <algorithm>

namespace orv {

namespace {

QString qText(const std::u32string& text)
{
    return QString::fromStdU32String(text);
}

// A line as it is drawn: its characters (trimming may have replaced its
// end), where it starts in the object's text, and how far the blanks of a
// justified line are widened.
struct TDrawnLine {
    int32_t start = 0;
    std::u32string text;
    int32_t unchanged = 0; // leading characters that are the object's own
    double stretch = 0;    // extra pixels after each blank
    QPointF topLeft;
};

// The font, base line and line height of a text object at this scale.
struct TTextFace {
    QFont font;
    double ascent = 0;
    double lineHeight = 0;
};

TTextFace textFace(const TReport& report, const TReportObject& object, const PageTransform& transform,
                   const QPaintDevice& device)
{
    const double pixelSize = object.FontSize * transform.scale * transform.devicePpi / 72.0;
    TTextFace face;
    face.font = screenFont(entryFontName(report, object.FontIndex), 1, entryGdiPlusStyle(report, object.FontIndex));
    // Painters size fonts in points of their device; this gives the pixels
    // that the page's own resolution asks for on any device.
    face.font.setPointSizeF(std::max(pixelSize, 0.01) * 72.0 / device.logicalDpiY());
    // Rendering hints 1 and 2 draw one bit per pixel.
    if (report.TextRenderingHint == 1 || report.TextRenderingHint == 2)
        face.font.setStyleStrategy(QFont::NoAntialias);

    const bool inTable = object.FontIndex >= 0 && object.FontIndex < static_cast<int32_t>(report.Fonts.size());
    if (inTable && report.Fonts[object.FontIndex].EmHeight > 0) {
        const TReportFont& entry = report.Fonts[object.FontIndex];
        face.ascent = pixelSize * (entry.CellAscent.scaled / 10000) / entry.EmHeight;
    } else {
        face.ascent = QFontMetricsF(face.font, &device).ascent();
    }
    face.lineHeight = roundToFourDecimals(object.LineHeight * transform.scale * transform.devicePpi);
    return face;
}

// Text is aligned on its X: left-aligned text starts there, right-aligned
// text ends there and centred text is centred on it. A right-aligned report
// field was given by its right edge, so it ends at the right of its box.
int32_t anchorX(const TReportObject& object, const QRect& box)
{
    if (object.ObjType == ObjType::Field && object.alignment() == TTextAlignment::Right)
        return box.x() + box.width();
    return box.x();
}

class TTextObjectDrawer {
public:
    TTextObjectDrawer(TDrawingSurface& surface, const TReport& report, int32_t pageNumber, int32_t objectIndex,
                      const PageTransform& transform, const QRect& box)
        : m_painter(surface.painter())
        , m_surface(surface)
        , m_report(report)
        , m_object(report.page(pageNumber).Objects.at(objectIndex))
        , m_isCurrentFindObject(report.FindPage == pageNumber - 1 && report.FindObject == objectIndex)
        , m_box(box)
        , m_anchorX(anchorX(m_object, box))
        , m_face(textFace(report, m_object, transform, *surface.painter().device()))
        , m_metrics(m_face.font, surface.painter().device())
    {
        m_text = toCodePoints(m_object.Text);
        if (m_object.ObjType == ObjType::Field) {
            const std::string value = evaluateFieldExpression(report, m_object.Text, pageNumber);
            if (!value.empty())
                m_text = toCodePoints(value);
        }
        if (report.FindActive)
            m_hits = findHits(m_text, toCodePoints(report.FindText), report.FindMatchCase);
    }

    void draw()
    {
        TDrawingSurface::TStateGuard guard(m_surface);
        m_painter.setFont(m_face.font);
        m_painter.setPen(qColorOf(m_object.ForeColor, m_object.AlphaLevel));
        if (m_object.LineCount >= 2)
            drawLines();
        else
            drawSingleLine();
    }

private:
    TTextAlignment alignment() const { return m_object.alignment(); }

    // Where a line starts: at the box's left, or so that it ends at
    // (right) or is centred on (centre) the anchor.
    double lineLeft(const TDrawnLine& line) const
    {
        if (alignment() == TTextAlignment::Right)
            return m_anchorX - widthOf(line);
        if (alignment() == TTextAlignment::Centre)
            return m_anchorX - widthOf(line) / 2;
        return m_box.x();
    }

    double advance(const std::u32string& text) const { return m_metrics.horizontalAdvance(qText(text)); }

    // Offset of character `index` of a drawn line from the line's left edge.
    double offsetOf(const TDrawnLine& line, int32_t index) const
    {
        const std::u32string prefix = line.text.substr(0, index);
        return advance(prefix) + line.stretch * std::count(prefix.begin(), prefix.end(), U' ');
    }

    double widthOf(const TDrawnLine& line) const { return offsetOf(line, static_cast<int32_t>(line.text.size())); }

    TDrawnLine lineOf(const TLineSpan& span) const
    {
        TDrawnLine line;
        line.start = span.start;
        line.text = m_text.substr(span.start, span.length);
        line.unchanged = span.length;
        return line;
    }

    // --- one line: background, highlights, text ---------------------------------

    void paintBackground(const TDrawnLine& line)
    {
        if (m_object.backStyle() == TBackStyle::Opaque && !line.text.empty())
            m_surface.fillArea(QRectF(line.topLeft, QSizeF(widthOf(line), m_face.lineHeight)),
                               qColorOf(m_object.BackColor));
    }

    // The current hit is green; the others are yellow while every hit is
    // highlighted. Hits are numbered over the whole object.
    void paintHighlights(const TDrawnLine& line)
    {
        for (size_t k = 0; k < m_hits.size(); ++k) {
            const bool current = m_isCurrentFindObject && static_cast<int32_t>(k) == m_report.FindHit;
            if (!current && !m_report.HighlightAll)
                continue;
            const int32_t from = std::max(m_hits[k].start - line.start, 0);
            const int32_t to = std::min(m_hits[k].start + m_hits[k].length - line.start, line.unchanged);
            if (from >= to)
                continue;
            const double left = offsetOf(line, from);
            const QRectF area(line.topLeft + QPointF(left, 0),
                              QSizeF(offsetOf(line, to) - left, m_face.lineHeight));
            m_surface.fillArea(area, current ? QColor(0, 255, 0) : QColor(255, 255, 0));
        }
    }

    void paintText(const TDrawnLine& line)
    {
        const double baseline = line.topLeft.y() + m_face.ascent;
        if (line.stretch == 0) {
            m_painter.drawText(QPointF(line.topLeft.x(), baseline), qText(line.text));
            return;
        }
        // A justified line is drawn a word at a time.
        for (size_t word = 0; word < line.text.size();) {
            if (line.text[word] == U' ') {
                ++word;
                continue;
            }
            size_t end = line.text.find(U' ', word);
            if (end == std::u32string::npos)
                end = line.text.size();
            const double x = line.topLeft.x() + offsetOf(line, static_cast<int32_t>(word));
            m_painter.drawText(QPointF(x, baseline), qText(line.text.substr(word, end - word)));
            word = end;
        }
    }

    // --- a single line, which may be trimmed and rotated ----------------------------

    TTrimming trimming() const
    {
        if (m_object.textMode() == TTextMode::OwnLineBreaks && alignment() == TTextAlignment::Left)
            return TTrimming::None;
        return m_object.trimming();
    }

    // Cuts a line that is wider than `width` as the trimming style says.
    void trim(TDrawnLine& line, double width, TTrimming style) const
    {
        if (style == TTrimming::None || advance(line.text) <= width)
            return;
        switch (style) {
        case TTrimming::Character:
        case TTrimming::Word:
            line.text = fittingPrefix(line.text, width, style == TTrimming::Word, U"");
            break;
        case TTrimming::EllipsisWord:
            line.text = fittingPrefix(line.text, width, true, U"\u2026");
            break;
        case TTrimming::EllipsisCharacter:
            line.text = m_metrics.elidedText(qText(line.text), Qt::ElideRight, width).toStdU32String();
            break;
        case TTrimming::EllipsisPath:
            line.text = m_metrics.elidedText(qText(line.text), Qt::ElideMiddle, width).toStdU32String();
            break;
        case TTrimming::None:
            break;
        }
        // Hits are highlighted only on characters that are still the text's own.
        const auto own = std::mismatch(line.text.begin(), line.text.end(), m_text.begin() + line.start, m_text.end());
        line.unchanged = static_cast<int32_t>(own.first - line.text.begin());
    }

    // The longest start of `text` that fits `width` with `suffix` after it,
    // ending before a blank when `atWords` (or anywhere when no word fits).
    std::u32string fittingPrefix(const std::u32string& text, double width, bool atWords,
                                 const std::u32string& suffix) const
    {
        auto fits = [&](size_t n) { return advance(text.substr(0, n) + suffix) <= width; };
        size_t n = 0, tooLong = text.size() + 1;
        while (tooLong - n > 1) {
            const size_t middle = n + (tooLong - n) / 2;
            (fits(middle) ? n : tooLong) = middle;
        }
        if (atWords && n < text.size()) {
            size_t word = n;
            while (word > 0 && text[word] != U' ')
                --word;
            if (word > 0)
                n = word;
        }
        return text.substr(0, n) + suffix;
    }

    void drawSingleLine()
    {
        const double height = m_box.height() == 0 ? m_face.lineHeight : m_box.height();
        const QRectF layout(m_box.x(), m_box.y(), m_box.width(), height);
        const TTrimming style = trimming();
        const bool leftAligned = alignment() != TTextAlignment::Right && alignment() != TTextAlignment::Centre;

        // Usually one line; a text that holds line breaks shows them, except
        // for a break that only ends it.
        std::vector<TLineSpan> spans = splitAtBreaks(m_text);
        if (spans.size() > 1 && spans.back().length == 0)
            spans.pop_back();
        std::vector<TDrawnLine> lines;
        for (const TLineSpan& span : spans) {
            TDrawnLine line = lineOf(span);
            if (leftAligned)
                trim(line, layout.width(), style);
            lines.push_back(std::move(line));
        }
        const double blockHeight = m_face.lineHeight * static_cast<double>(lines.size());
        double top = layout.top();
        if (alignment() == TTextAlignment::Right)
            top = layout.bottom() - blockHeight;
        else if (alignment() == TTextAlignment::Centre)
            top = layout.center().y() - blockHeight / 2;
        for (TDrawnLine& line : lines) {
            line.topLeft = QPointF(lineLeft(line), top);
            top += m_face.lineHeight;
        }

        // Left-aligned text shows its hits only while every hit is highlighted.
        const bool highlight = !m_hits.empty() && (!leftAligned || m_report.HighlightAll);
        for (const TDrawnLine& line : lines) {
            paintBackground(line);
            if (highlight)
                paintHighlights(line);
        }
        if (m_object.RotationAngle != 0) {
            const QPointF anchor(m_anchorX, m_box.y());
            m_painter.translate(anchor);
            m_painter.rotate(-m_object.RotationAngle / 10.0);
            m_painter.translate(-anchor);
        }
        for (const TDrawnLine& line : lines)
            paintText(line);
    }

    // --- several stored lines: no rotation, no trimming -----------------------------

    double lineAdvance() const
    {
        const TLineSpacing spacing = m_object.lineSpacing();
        const double factor = spacing == TLineSpacing::OneAndAHalf ? 1.5 : spacing == TLineSpacing::Double ? 2.0 : 1.0;
        return roundToFourDecimals(m_face.lineHeight * factor);
    }

    void drawLines()
    {
        std::vector<TLineSpan> spans;
        if (m_object.textMode() == TTextMode::OwnLineBreaks) {
            spans = splitAtBreaks(m_text);
            spans.resize(m_object.LineCount, TLineSpan{static_cast<int32_t>(m_text.size()), 0, true});
        } else {
            spans = storedLines(m_object, m_text);
        }
        const double step = lineAdvance();
        double top = m_box.y();
        for (const TLineSpan& span : spans) {
            TDrawnLine line = lineOf(span);
            if (alignment() == TTextAlignment::Justified && !span.endsParagraph)
                justify(line);
            line.topLeft = QPointF(lineLeft(line), top);
            paintBackground(line);
            paintHighlights(line);
            paintText(line);
            top += step;
        }
    }

    // Widens the blanks between the words of a line so that it fills the box.
    void justify(TDrawnLine& line) const
    {
        size_t end = line.text.size();
        while (end > 0 && line.text[end - 1] == U' ')
            --end;
        line.text.resize(end);
        line.unchanged = std::min<int32_t>(line.unchanged, static_cast<int32_t>(end));
        const auto blanks = std::count(line.text.begin(), line.text.end(), U' ');
        const double spare = m_box.width() - advance(line.text);
        if (blanks > 0 && spare > 0)
            line.stretch = spare / static_cast<double>(blanks);
    }

    QPainter& m_painter;
    TDrawingSurface& m_surface;
    const TReport& m_report;
    const TReportObject& m_object;
    const bool m_isCurrentFindObject;
    const QRect m_box;
    const int32_t m_anchorX; // where right-aligned and centred text ends or centres
    const TTextFace m_face;
    const QFontMetricsF m_metrics;
    std::u32string m_text;
    std::vector<TFindHit> m_hits;
};

} // namespace

void drawTextObject(TDrawingSurface& surface, const TReport& report, int32_t pageNumber, int32_t objectIndex,
                    const PageTransform& transform, const QRect& box)
{
    TTextObjectDrawer(surface, report, pageNumber, objectIndex, transform, box).draw();
}

} // namespace orv
