#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orv {

// Design-unit metrics of one family in one style, as text layout needs
// them: the em height, the cell ascent and descent (the Windows ascent and
// descent of the OS/2 table) and the line spacing (the larger of the cell
// height and the horizontal header's ascent - descent + line gap).
struct TFontFaceMetrics {
    int32_t emHeight = 2048;
    int32_t cellAscent = 0;
    int32_t cellDescent = 0;
    int32_t lineSpacing = 0;
    std::string file;     // the font file that serves the family and style
    int32_t faceIndex = 0; // the face inside a collection file
    std::string family;   // the family the file really holds, e.g. "Liberation Sans"
};

// The values of a face's own tables (head, OS/2, hhea, post) that describe
// it to a PDF reader, in design units unless said otherwise.
struct TFontFaceTables {
    int32_t averageWidth = 0;  // OS/2 xAvgCharWidth
    int32_t maximumWidth = 0;  // hhea advanceWidthMax
    int32_t weight = 400;      // OS/2 usWeightClass
    bool italic = false;
    bool fixedPitch = false;
    bool symbol = false;       // the face maps symbol codes (Windows symbol cmap) only
    uint8_t panoseFamily = 0;  // PANOSE family type
    uint8_t panoseSerif = 0;   // PANOSE serif style
    int32_t xMin = 0, yMin = 0, xMax = 0, yMax = 0; // head bounding box
    double italicAngle = 0;    // post, degrees counter-clockwise from vertical
    int32_t xHeight = 0;       // OS/2 sxHeight, 0 when the table has none
    int32_t strikeoutSize = 0, strikeoutPosition = 0;   // OS/2
    int32_t underlineSize = 0, underlinePosition = 0;   // post
    // The first and last character code in a single-byte character set:
    // the OS/2 range (symbol codes F0xx counted as xx), limited to 0..255.
    int32_t firstChar = 32;
    int32_t lastChar = 255;
};

// The installed fonts, through fontconfig and FreeType. A family counts as
// installed when fontconfig lists it, or when its metric-compatible alias
// rules (strong bindings) name an installed family: reports written for
// "Arial" then get Liberation Sans with the same metrics. Everything is
// computed once and cached for the life of the process. Controls on
// different threads share the one instance: every call holds its lock, and
// the references it returns stay valid (cached entries are never removed).
class TFontServices {
public:
    static TFontServices& instance();

    // Case-insensitive, aliases included.
    bool isInstalled(std::string_view family);
    // Metrics of a family in a style; an unknown family gets fontconfig's
    // closest match. Throws std::runtime_error when no font at all exists.
    const TFontFaceMetrics& metrics(std::string_view family, bool bold, bool italic);
    // Table values of the face that metrics() names.
    const TFontFaceTables& faceTables(std::string_view family, bool bold, bool italic);
    // The advance width (hmtx, design units) of the glyph that serves each
    // code point; a code point without a glyph gets the missing glyph's. On
    // a symbol face code points below 256 are looked up as F000 + code.
    std::vector<int32_t> advanceWidths(std::string_view family, bool bold, bool italic,
                                       const std::vector<char32_t>& codePoints);
    // The whole file of the face when it holds exactly one TrueType font,
    // the program a PDF embeds; empty for collections and other outlines.
    std::string trueTypeProgram(std::string_view family, bool bold, bool italic);

private:
    TFontServices();
    const std::set<std::string>& listedFamilies();
    TFontFaceMetrics loadMetrics(const std::string& family, bool bold, bool italic);

    std::set<std::string> m_listed; // lower-cased
    bool m_listLoaded = false;
    std::map<std::string, bool> m_installed; // lower-cased name -> installed
    std::map<std::pair<std::string, int>, TFontFaceMetrics> m_metrics;
    std::map<std::pair<std::string, int>, TFontFaceTables> m_tables;
    // Recursive: the public calls build on one another.
    std::recursive_mutex m_lock;
};

} // namespace orv
