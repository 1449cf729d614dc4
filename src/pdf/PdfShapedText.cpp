#include "pdf/PdfShapedText.h"

#include "pdf/PdfCompositeFont.h"
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

// Thousandths of the em within which two places are the same.
constexpr double kSamePlace = 0.01;

bool samePlace(const TPdfShapedGlyph& glyph, uint32_t id, double x)
{
    return glyph.glyph == id && std::abs(glyph.x - x) < kSamePlace;
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

QFont shapingFont(const TPdfFaceStyle& style)
{
    QFont font(QString::fromStdString(style.face));
    font.setPixelSize(kPixelsPerEm);
    font.setBold(style.bold);
    font.setItalic(style.italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

std::u16string visualOrder(const std::u16string& text)
{
    std::u32string characters = QString::fromStdU16String(text).toStdU32String();
    std::reverse(characters.begin(), characters.end());
    return QString::fromStdU32String(characters).toStdU16String();
}

// Shapes a line as the screen does, at 1000 pixels to the em.
TPdfShapedLine shapeLine(const TPdfFaceStyle& style, const QString& text)
{
    const QFont font = shapingFont(style);
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
    shaped.text = text;
    for (QChar c : text)
        shaped.rightToLeft = shaped.rightToLeft || c.direction() == QChar::DirR || c.direction() == QChar::DirAL;
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

} // namespace

TPdfShapedLine shapePdfLine(const std::string& face, bool bold, bool italic, std::string_view utf8)
{
    return shapeLine({face, bold, italic}, QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

TPdfPairShaper::TPdfPairShaper(TPdfFaceStyle style)
    : m_style(std::move(style))
    , m_face(QRawFont::fromFont(shapingFont(m_style)))
{
}

const TPdfPairShaper::Character& TPdfPairShaper::firstLook(char16_t unit)
{
    std::unique_ptr<std::array<Character, 256>>& page = m_characters[unit >> 8];
    if (!page)
        page = std::make_unique<std::array<Character, 256>>();
    Character& character = (*page)[unit & 0xFF];
    if (character.known)
        return character;
    character.known = true;
    const QChar c(unit);
    const bool hangulSyllable = unit >= 0xAC00 && unit <= 0xD7A3; // precomposed; jamo combine
    const QChar::Script script = c.script();
    static const QChar::Script kPlainScripts[] = {
        QChar::Script_Common,   QChar::Script_Latin,    QChar::Script_Greek,    QChar::Script_Cyrillic,
        QChar::Script_Armenian, QChar::Script_Georgian, QChar::Script_Han,      QChar::Script_Hiragana,
        QChar::Script_Katakana, QChar::Script_Bopomofo};
    const bool plainScript = hangulSyllable || std::find(std::begin(kPlainScripts), std::end(kPlainScripts), script) !=
                                                   std::end(kPlainScripts);
    // Left-to-right letters and the neutrals and numbers that follow them;
    // no marks, controls, format characters, surrogates or symbols (which
    // may come from an emoji face).
    static const QChar::Direction kLeftToRight[] = {QChar::DirL,  QChar::DirEN, QChar::DirES, QChar::DirET,
                                                    QChar::DirCS, QChar::DirWS, QChar::DirON};
    const bool leftToRight =
        std::find(std::begin(kLeftToRight), std::end(kLeftToRight), c.direction()) != std::end(kLeftToRight);
    const QChar::Category category = c.category();
    const bool plainCategory = !(category >= QChar::Mark_NonSpacing && category <= QChar::Mark_Enclosing) &&
                               !(category >= QChar::Other_Control && category <= QChar::Other_NotAssigned) &&
                               category != QChar::Separator_Line && category != QChar::Separator_Paragraph &&
                               category != QChar::Symbol_Other;
    if (!plainScript || !leftToRight || !plainCategory || c.isSurrogate() || !m_face.isValid())
        return character;
    const QList<quint32> glyphs = m_face.glyphIndexesForString(QString(c));
    if (glyphs.size() != 1 || glyphs.front() == 0)
        return character;
    const QList<QPointF> advances = m_face.advancesForGlyphIndexes(glyphs, QRawFont::UseDesignMetrics);
    const double advance = advances.isEmpty() ? 0 : advances.front().x();
    const double overhang = std::max(0.0, m_face.boundingRect(glyphs.front()).right() - advance);
    character = {true, true, script, glyphs.front(), advance, overhang};
    return character;
}

bool TPdfPairShaper::compose(const QString& text, TPdfShapedLine& line)
{
    if (text.isEmpty())
        return false;
    // The line's glyph list is refilled where it stands, as lines follow
    // one another through the same cache.
    line.runs.resize(1);
    TPdfGlyphRun& run = line.runs.front();
    run.glyphs.resize(static_cast<size_t>(text.size()));
    const char16_t* units = reinterpret_cast<const char16_t*>(text.constData());
    int lineScript = QChar::Script_Common;
    double x = 0;
    double overhang = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = units[i];
        const Character& current = character(unit);
        if (!current.simple)
            return false;
        if (current.script != QChar::Script_Common) {
            if (lineScript != QChar::Script_Common && lineScript != current.script)
                return false; // scripts are shaped apart, without kerning between them
            lineScript = current.script;
        }
        if (i > 0) {
            const double* kerning = m_kerning.find(static_cast<uint32_t>(units[i - 1]) << 16 | unit);
            if (!kerning)
                return false;
            x += *kerning;
        }
        TPdfShapedGlyph& glyph = run.glyphs[static_cast<size_t>(i)];
        glyph.glyph = current.glyph;
        glyph.x = x;
        glyph.y = 0;
        glyph.text.assign(1, unit);
        x += current.advance;
        overhang = current.overhang;
    }
    if (!(run.font == m_face))
        run.font = m_face;
    line.text = text;
    line.rightToLeft = false;
    line.plain = true;
    // The width reaches to the last glyph's ink where that lies beyond its
    // advance, as the layout measures it.
    line.width = x + overhang;
    return true;
}

void TPdfPairShaper::learn(const QString& text, const TPdfShapedLine& line)
{
    if (line.runs.size() != 1)
        return;
    // Lines put together carry the shaper's raw font of the face, the very
    // one shaped lines carry once one of them was seen.
    const QRawFont& shapedFace = line.runs.front().font;
    if (!(shapedFace == m_face)) {
        if (!TPdfCompositeFont::sameFace(shapedFace, m_face))
            return;
        m_face = shapedFace;
    }
    const std::vector<TPdfShapedGlyph>& glyphs = line.runs.front().glyphs;
    if (static_cast<qsizetype>(glyphs.size()) != text.size() || std::abs(glyphs.front().x) > kSamePlace)
        return;
    int lineScript = QChar::Script_Common;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const Character& current = character(text.at(i).unicode());
        const TPdfShapedGlyph& glyph = glyphs[static_cast<size_t>(i)];
        if (!current.simple || glyph.glyph != current.glyph || std::abs(glyph.y) > kSamePlace || glyph.text.size() != 1 ||
            glyph.text.front() != text.at(i).unicode())
            return;
        if (current.script != QChar::Script_Common) {
            if (lineScript != QChar::Script_Common && lineScript != current.script)
                return;
            lineScript = current.script;
        }
    }
    for (qsizetype i = 1; i < text.size(); ++i) {
        const auto left = static_cast<size_t>(i - 1);
        const double kerning = glyphs[left + 1].x - glyphs[left].x - character(text.at(i - 1).unicode()).advance;
        m_kerning.insert(static_cast<uint32_t>(text.at(i - 1).unicode()) << 16 | text.at(i).unicode(), kerning);
    }
}

TPdfShapedLine TPdfPairShaper::shape(const QString& text)
{
    TPdfShapedLine line;
    if (compose(text, line))
        return line;
    line = shapeLine(m_style, text);
    learn(text, line);
    return line;
}

const TPdfShapedLine& TPdfShapeCache::shape(const std::string& fontKey, std::string_view utf8)
{
    if (m_shaper && fontKey == m_key && utf8 == m_text)
        return m_line;
    if (!m_shaper || fontKey != m_key) {
        std::unique_ptr<TPdfPairShaper>& shaper = m_shapers[fontKey];
        if (!shaper)
            shaper = std::make_unique<TPdfPairShaper>(pdfFaceStyle(fontKey));
        m_shaper = shaper.get();
        m_key = fontKey;
    }
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    if (!m_shaper->compose(text, m_line))
        m_line = m_shaper->shape(text);
    m_text.assign(utf8);
    return m_line;
}

} // namespace orv
