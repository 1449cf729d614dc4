#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <utility>

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

// The installed fonts, through fontconfig and FreeType. A family counts as
// installed when fontconfig lists it, or when its metric-compatible alias
// rules (strong bindings) name an installed family: reports written for
// "Arial" then get Liberation Sans with the same metrics. Everything is
// computed once and cached for the life of the process.
class TFontServices {
public:
    static TFontServices& instance();

    // Case-insensitive, aliases included.
    bool isInstalled(std::string_view family);
    // Metrics of a family in a style; an unknown family gets fontconfig's
    // closest match. Throws std::runtime_error when no font at all exists.
    const TFontFaceMetrics& metrics(std::string_view family, bool bold, bool italic);

private:
    TFontServices();
    const std::set<std::string>& listedFamilies();
    TFontFaceMetrics loadMetrics(const std::string& family, bool bold, bool italic);

    std::set<std::string> m_listed; // lower-cased
    bool m_listLoaded = false;
    std::map<std::string, bool> m_installed; // lower-cased name -> installed
    std::map<std::pair<std::string, int>, TFontFaceMetrics> m_metrics;
};

} // namespace orv
