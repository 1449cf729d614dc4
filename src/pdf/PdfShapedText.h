#pragma once

#include "pdf/PdfFont.h"
#include "platform/PairTable.h"

#include <QRawFont>
#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orv {

// One glyph of a shaped line: its id in the font of its run, its position
// from the line's origin in thousandths of the em (x to the right, y down
// from the base line) and the characters it stands for (UTF-16, empty when
// an earlier glyph of the same cluster carries them).
struct TPdfShapedGlyph {
    uint32_t glyph = 0;
    double x = 0;
    double y = 0;
    std::u16string text;
};

// A stretch of glyphs from one font, the face the shaper chose or a
// fallback face for characters the chosen face lacks.
struct TPdfGlyphRun {
    QRawFont font; // at 1000 pixels: its advances are thousandths of the em
    std::vector<TPdfShapedGlyph> glyphs;
};

// A line of text shaped as the screen shapes it (Qt's text layout, HarfBuzz
// inside): contextual forms, ligatures, marks and right-to-left runs, with
// glyphs in visual order from left to right.
struct TPdfShapedLine {
    QString text; // the characters in logical order
    std::vector<TPdfGlyphRun> runs;
    double width = 0;         // thousandths of the em
    bool rightToLeft = false; // has right-to-left letters
    // Put together from learnt glyphs: one run in the shaper's face, a
    // glyph for each UTF-16 unit in order, all on the base line.
    bool plain = false;
};

// Shapes UTF-8 text in a face and style.
TPdfShapedLine shapePdfLine(const std::string& face, bool bold, bool italic, std::string_view utf8);

// Lines in one face and style, put together from what earlier lines taught
// where that gives what shaping gives. A line of characters that need no
// shaping of their own (no marks, joining or reordering: Latin, Greek,
// Cyrillic, CJK ...), left to right in one script and the face's own
// glyphs, comes out of shaping one glyph a character at the character's
// advance, moved only by the kerning of each neighbouring pair. Such a line
// shaped in full teaches its pairs' kerning; a later line whose pairs are
// all known is then added up instead of shaped. Ligatures and other
// substitutions break the one-for-one rule, so lines with them are shaped
// every time.
class TPdfPairShaper {
public:
    explicit TPdfPairShaper(TPdfFaceStyle style);
    // The line as shaping gives it, put together when it can be.
    TPdfShapedLine shape(const QString& text);
    // The line put together from what earlier lines taught, into `line`;
    // false when a character or pair of it is not known to shape plainly,
    // and `line` is then to be shaped anew.
    bool compose(const QString& text, TPdfShapedLine& line);

private:
    struct Character {
        bool known = false;  // looked at yet
        bool simple = false; // one glyph of the face, no shaping of its own
        int script = 0;      // QChar::Script
        uint32_t glyph = 0;
        double advance = 0;  // thousandths of the em
        double overhang = 0; // ink past the advance, thousandths of the em
    };
    const Character& character(char16_t unit)
    {
        const auto& page = m_characters[unit >> 8];
        if (page && (*page)[unit & 0xFF].known)
            return (*page)[unit & 0xFF];
        return firstLook(unit);
    }
    // Looks a character up in the face the first time it is met.
    const Character& firstLook(char16_t unit);
    void learn(const QString& text, const TPdfShapedLine& line);

    TPdfFaceStyle m_style;
    QRawFont m_face;
    // By the high and the low byte of the character, pages made on first use.
    std::array<std::unique_ptr<std::array<Character, 256>>, 256> m_characters;
    TPairTable<double> m_kerning; // of each pair learnt
};

// The last line shaped in a font key: a line is measured (alignment,
// underline) and then drawn, and shaping it once serves both. Each key
// keeps its pair shaper.
class TPdfShapeCache {
public:
    const TPdfShapedLine& shape(const std::string& fontKey, std::string_view utf8);

private:
    std::string m_key;
    std::string m_text;
    TPdfShapedLine m_line;
    std::unordered_map<std::string, std::unique_ptr<TPdfPairShaper>> m_shapers;
    TPdfPairShaper* m_shaper = nullptr; // the key's, once a line was shaped
};

} // namespace orv
