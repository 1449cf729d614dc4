#pragma once

#include <QRawFont>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

class TPdfCanvas;
class TPdfDoc;

// Text drawn by glyph id through composite fonts, for text the code page
// of the simple fonts cannot carry (or all text, when the document asks).

// The width in points of one line of UTF-8 text in the font of a key, as
// drawPdfText lays it: shaped glyph advances for composite text, the simple
// font's widths otherwise.
double pdfTextWidth(TPdfDoc& doc, const std::string& fontKey, std::string_view text, double size);

// A glyph of a face whose program cannot be embedded (no TrueType
// outlines), or past the last code of its face's font: it is filled as a
// path instead, at its place in the line (thousandths of the em, y down).
struct TPdfOutlineGlyph {
    QRawFont face;
    uint32_t glyph = 0;
    double x = 0;
    double y = 0;
};

// Inside a text object, from the current text position: the line shaped as
// the screen shapes it, each glyph at its shaped place in the composite
// font of its face, marked with the line's own text for extraction.
// `wordSpacing` (text space units) widens every blank, as Tw does for the
// simple fonts. Returns the glyphs left for fillGlyphOutlines.
std::vector<TPdfOutlineGlyph> showCompositeText(TPdfCanvas& canvas, const std::string& fontKey, std::string_view text,
                                                float size, float wordSpacing = 0);

// After the text object: fills glyph outlines in the current fill colour.
// `lineMatrix` places the line's origin (a b c d e f, as the text matrix).
void fillGlyphOutlines(TPdfCanvas& canvas, const std::array<double, 6>& lineMatrix, float size,
                       const std::vector<TPdfOutlineGlyph>& glyphs);

} // namespace orv
