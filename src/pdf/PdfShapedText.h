#pragma once

#include <QRawFont>

#include <cstdint>
#include <string>
#include <string_view>
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
    std::vector<TPdfGlyphRun> runs;
    double width = 0; // thousandths of the em
};

// Shapes UTF-8 text in a face and style.
TPdfShapedLine shapePdfLine(const std::string& face, bool bold, bool italic, std::string_view utf8);

// The last line shaped in a font key: a line is measured (alignment,
// underline) and then drawn, and shaping it once serves both.
class TPdfShapeCache {
public:
    const TPdfShapedLine& shape(const std::string& fontKey, std::string_view utf8);

private:
    std::string m_key;
    std::string m_text;
    bool m_filled = false;
    TPdfShapedLine m_line;
};

} // namespace orv
