#include "pdf/PdfShapedText.h"

#include "pdf/PdfFont.h"

#include <QFont>
#include <QGlyphRun>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

namespace orv {

namespace {

// Shaping at 1000 pixels to the em gives positions and advances in the
// units PDF glyph widths use.
constexpr int kPixelsPerEm = 1000;

// UTF-16 units of the character at i: a surrogate pair counts as one.
qsizetype characterLength(const QString& text, qsizetype i)
{
    return text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate() ? 2 : 1;
}

bool samePlace(const TPdfShapedGlyph& glyph, uint32_t id, double x)
{
    return glyph.glyph == id && std::abs(glyph.x - x) < 0.01;
}

// The characters each glyph stands for. A glyph that the font's character
// map gives for a character of the line stands for that character; the
// others (ligatures, contextual forms, marks moved into a cluster) take the
// characters whose layout produces them.
void attachCharacters(const QString& text, const QTextLayout& layout, double left, std::vector<TPdfGlyphRun>& runs)
{
    bool allKnown = true;
    for (TPdfGlyphRun& run : runs) {
        std::map<uint32_t, std::u16string> nominal;
        for (qsizetype i = 0; i < text.size(); i += characterLength(text, i)) {
            const QString character = text.mid(i, characterLength(text, i));
            const QList<quint32> ids = run.font.glyphIndexesForString(character);
            if (ids.size() == 1 && ids.front() != 0)
                nominal.try_emplace(ids.front(), character.toStdU16String());
        }
        for (TPdfShapedGlyph& glyph : run.glyphs) {
            if (const auto found = nominal.find(glyph.glyph); found != nominal.end())
                glyph.text = found->second;
            allKnown = allKnown && !glyph.text.empty();
        }
    }
    if (allKnown)
        return;
    for (qsizetype i = 0; i < text.size(); i += characterLength(text, i)) {
        const qsizetype length = characterLength(text, i);
        const std::u16string character = text.mid(i, length).toStdU16String();
        for (const QGlyphRun& part : layout.glyphRuns(static_cast<int>(i), static_cast<int>(length))) {
            const QList<quint32> ids = part.glyphIndexes();
            const QList<QPointF> positions = part.positions();
            for (qsizetype k = 0; k < ids.size(); ++k)
                for (TPdfGlyphRun& run : runs)
                    for (TPdfShapedGlyph& glyph : run.glyphs)
                        if (samePlace(glyph, ids[k], positions[k].x() - left) && glyph.text.find(character) == std::u16string::npos)
                            glyph.text += character;
        }
    }
}

std::u16string visualOrder(const std::u16string& text)
{
    std::u32string characters = QString::fromStdU16String(text).toStdU32String();
    std::reverse(characters.begin(), characters.end());
    return QString::fromStdU32String(characters).toStdU16String();
}

} // namespace

TPdfShapedLine shapePdfLine(const std::string& face, bool bold, bool italic, std::string_view utf8)
{
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    QFont font(QString::fromStdString(face));
    font.setPixelSize(kPixelsPerEm);
    font.setBold(bold);
    font.setItalic(italic);
    font.setHintingPreference(QFont::PreferNoHinting);

    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setAlignment(Qt::AlignLeft | Qt::AlignAbsolute);
    option.setUseDesignMetrics(true);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (line.isValid())
        line.setLineWidth(std::numeric_limits<int>::max() / 4);
    layout.endLayout();

    TPdfShapedLine shaped;
    if (!line.isValid())
        return shaped;
    const double left = line.naturalTextRect().left();
    const double baseline = line.ascent();
    shaped.width = line.naturalTextWidth();
    std::vector<bool> rightToLeft;
    for (const QGlyphRun& part : line.glyphRuns()) {
        TPdfGlyphRun run{part.rawFont(), {}};
        rightToLeft.push_back(part.isRightToLeft());
        const QList<quint32> ids = part.glyphIndexes();
        const QList<QPointF> positions = part.positions();
        for (qsizetype k = 0; k < ids.size(); ++k)
            run.glyphs.push_back({ids[k], positions[k].x() - left, positions[k].y() - baseline, {}});
        if (run.glyphs.empty())
            rightToLeft.pop_back();
        else
            shaped.runs.push_back(std::move(run));
    }
    attachCharacters(text, layout, left, shaped.runs);
    // Glyphs of right-to-left runs are read from the left: the characters
    // of one glyph (a ligature) are given in that order too.
    for (size_t i = 0; i < shaped.runs.size(); ++i)
        if (rightToLeft[i])
            for (TPdfShapedGlyph& glyph : shaped.runs[i].glyphs)
                glyph.text = visualOrder(glyph.text);
    return shaped;
}

const TPdfShapedLine& TPdfShapeCache::shape(const std::string& fontKey, std::string_view utf8)
{
    if (!m_filled || fontKey != m_key || utf8 != m_text) {
        const TPdfFaceStyle style = pdfFaceStyle(fontKey);
        m_line = shapePdfLine(style.face, style.bold, style.italic, utf8);
        m_key = fontKey;
        m_text = std::string(utf8);
        m_filled = true;
    }
    return m_line;
}

} // namespace orv
