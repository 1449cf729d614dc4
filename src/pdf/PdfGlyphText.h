#pragma once

#include <string>
#include <string_view>

namespace orv {

class TPdfCanvas;
class TPdfDoc;

// Text drawn by glyph id through composite fonts, for text the code page
// of the simple fonts cannot carry (or all text, when the document asks).

// The width in points of one line of UTF-8 text in the font of a key, as
// drawPdfText lays it: shaped glyph advances for composite text, the simple
// font's widths otherwise.
double pdfTextWidth(TPdfDoc& doc, const std::string& fontKey, std::string_view text, double size);

// Inside a text object, from the current text position: the line shaped as
// the screen shapes it, each glyph at its shaped place in the composite
// font of its face, marked with the line's own text for extraction.
void showCompositeText(TPdfCanvas& canvas, const std::string& fontKey, std::string_view text, float size);

} // namespace orv
