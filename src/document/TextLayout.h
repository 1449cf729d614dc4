#pragma once

#include "document/ObjectStyles.h"

#include <QFont>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orv {

class TAdvanceCache;
class TReport;
struct TPageObject;
struct TReportFont;

// The family a font name draws with: an empty name, which no installed font
// has, stands for Arial as it does when text is added.
const std::string& drawnFamily(const std::string& family);

// The screen font of a measured-font entry at its size and style.
QFont screenFont(const std::string& family, int32_t pointSize, uint8_t styleValue);

// Fits text into lines one at a time, as the renderers will draw it: the
// trimming style chooses between breaking at words (falling back to
// characters for a word longer than the line) and breaking anywhere.
// Lengths are pixels; positions count characters (code points).
//
// With an advance cache of the same font, a hard line of simple characters
// that ends clearly inside the box is measured from the cache: it would be
// laid out as one line anyway, and QTextLayout is left for lines that come
// near the edge or need shaping. Such a line's width is then the sum of its
// advances, within a pixel of the laid-out width, so a caller that keeps
// widths lays out without a cache.
class TLineFitter {
public:
    TLineFitter(const QFont& font, TTrimming trimming);
    explicit TLineFitter(TAdvanceCache& cache, TTrimming trimming);

    struct Fit {
        int32_t characters = 0; // characters of the line, its hard line break included
        double width = 0;       // pixels the line's text occupies
    };
    // The lines of `text` in a box `widthPixels` wide, at most `maxLines` of
    // them (0: all). Stops early at a line where not even one character fits.
    std::vector<Fit> fitLines(const std::u32string& text, double widthPixels, int32_t maxLines = 0) const;

private:
    // The one line a hard line makes when it ends clearly inside the box.
    std::optional<Fit> fitFromCache(std::u32string_view line, double widthPixels) const;

    QFont m_font;
    bool m_breakAnywhere;
    TAdvanceCache* m_cache = nullptr;
};

// Lays out the text of object `objectIndex` on `page` into lines: fills
// LineEnds (the 1-based index where each line ends), LineCount, LineHeight
// and, for a zero width, Width. Stops after the lines that fit the height
// (all lines for a zero height). Returns the number of lines.
int32_t wrapText(TReport& report, TPageObject& page, int32_t objectIndex, double pixelsPerInch);

// The height in pixels that `text` needs in a box `width` inches wide with
// the current text font, regular style. `format` holds text-drawing flags:
// 0x10 breaks lines at words, 0x20 keeps a single line; 0 means word breaks.
int32_t measureTextHeight(TReport& report, int32_t width, const std::string& text, int32_t format,
                          double pixelsPerInch);

} // namespace orv
