#include "platform/FontServices.h"

#include "platform/AsciiText.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H
#include FT_ADVANCES_H

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>

namespace orv {

namespace {

struct PatternDeleter {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;

Pattern familyPattern(const std::string& family)
{
    Pattern pattern(FcPatternCreate());
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    return pattern;
}

// Opens a face and closes it with its library.
class FreeTypeFace {
public:
    FreeTypeFace(const std::string& file, int index)
    {
        if (FT_Init_FreeType(&m_library) != 0)
            throw std::runtime_error("FreeType cannot start");
        if (FT_New_Face(m_library, file.c_str(), index, &m_face) != 0) {
            FT_Done_FreeType(m_library);
            throw std::runtime_error("Cannot open font file " + file);
        }
    }
    ~FreeTypeFace()
    {
        FT_Done_Face(m_face);
        FT_Done_FreeType(m_library);
    }
    FreeTypeFace(const FreeTypeFace&) = delete;
    FreeTypeFace& operator=(const FreeTypeFace&) = delete;
    FT_Face get() const { return m_face; }

private:
    FT_Library m_library = nullptr;
    FT_Face m_face = nullptr;
};

std::pair<std::string, int> faceKey(std::string_view family, bool bold, bool italic)
{
    return std::make_pair(asciiLower(family), (bold ? 1 : 0) | (italic ? 2 : 0));
}

bool hasCharmap(FT_Face face, FT_Encoding encoding)
{
    for (int i = 0; i < face->num_charmaps; ++i)
        if (face->charmaps[i]->encoding == encoding)
            return true;
    return false;
}

// A symbol face puts its characters at F000 + code.
int32_t singleByteCode(int32_t code, bool symbol)
{
    if (symbol && code >= 0xF000)
        code -= 0xF000;
    return std::clamp(code, 0, 255);
}

} // namespace

TFontServices& TFontServices::instance()
{
    static TFontServices services;
    return services;
}

TFontServices::TFontServices()
{
    FcInit();
}

const std::set<std::string>& TFontServices::listedFamilies()
{
    if (m_listLoaded)
        return m_listed;
    m_listLoaded = true;
    Pattern all(FcPatternCreate());
    FcObjectSet* wanted = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet* fonts = FcFontList(nullptr, all.get(), wanted);
    FcObjectSetDestroy(wanted);
    if (!fonts)
        return m_listed;
    for (int i = 0; i < fonts->nfont; ++i) {
        FcChar8* name = nullptr;
        for (int n = 0; FcPatternGetString(fonts->fonts[i], FC_FAMILY, n, &name) == FcResultMatch; ++n)
            m_listed.insert(asciiLower(reinterpret_cast<const char*>(name)));
    }
    FcFontSetDestroy(fonts);
    return m_listed;
}

bool TFontServices::isInstalled(std::string_view family)
{
    const std::lock_guard lock(m_lock);
    const std::string key = asciiLower(family);
    if (auto known = m_installed.find(key); known != m_installed.end())
        return known->second;

    bool installed = listedFamilies().count(key) > 0;
    if (!installed && !key.empty()) {
        // The alias rules add metric-compatible families with a strong
        // binding; generic fallbacks come in weakly and do not count.
        Pattern pattern = familyPattern(std::string(family));
        FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
        FcValue value;
        FcValueBinding binding;
        for (int n = 1; !installed && FcPatternGetWithBinding(pattern.get(), FC_FAMILY, n, &value, &binding) == FcResultMatch;
             ++n) {
            if (binding == FcValueBindingStrong && value.type == FcTypeString)
                installed = listedFamilies().count(asciiLower(reinterpret_cast<const char*>(value.u.s))) > 0;
        }
    }
    m_installed.emplace(key, installed);
    return installed;
}

const TFontFaceMetrics& TFontServices::metrics(std::string_view family, bool bold, bool italic)
{
    const std::lock_guard lock(m_lock);
    auto key = faceKey(family, bold, italic);
    auto found = m_metrics.find(key);
    if (found == m_metrics.end())
        found = m_metrics.emplace(key, loadMetrics(std::string(family), bold, italic)).first;
    return found->second;
}

TFontFaceMetrics TFontServices::loadMetrics(const std::string& family, bool bold, bool italic)
{
    Pattern pattern = familyPattern(family);
    FcPatternAddInteger(pattern.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    Pattern match(FcFontMatch(nullptr, pattern.get(), &result));
    FcChar8* file = nullptr;
    if (!match || FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch)
        throw std::runtime_error("No installed font can stand in for " + family);

    TFontFaceMetrics metrics;
    metrics.file = reinterpret_cast<const char*>(file);
    int index = 0;
    FcPatternGetInteger(match.get(), FC_INDEX, 0, &index);
    metrics.faceIndex = index;
    FcChar8* matchedFamily = nullptr;
    if (FcPatternGetString(match.get(), FC_FAMILY, 0, &matchedFamily) == FcResultMatch)
        metrics.family = reinterpret_cast<const char*>(matchedFamily);

    FreeTypeFace face(metrics.file, index);
    FT_Face f = face.get();
    metrics.emHeight = f->units_per_EM != 0 ? f->units_per_EM : 2048;
    const int32_t headerSpacing = f->height; // hhea ascender - descender + line gap
    if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(f, FT_SFNT_OS2)); os2 && os2->version != 0xFFFF) {
        metrics.cellAscent = os2->usWinAscent;
        metrics.cellDescent = os2->usWinDescent;
    } else {
        metrics.cellAscent = f->ascender;
        metrics.cellDescent = -f->descender;
    }
    metrics.lineSpacing = std::max(metrics.cellAscent + metrics.cellDescent, headerSpacing);
    return metrics;
}

const TFontFaceTables& TFontServices::faceTables(std::string_view family, bool bold, bool italic)
{
    const std::lock_guard lock(m_lock);
    auto key = faceKey(family, bold, italic);
    if (auto found = m_tables.find(key); found != m_tables.end())
        return found->second;

    const TFontFaceMetrics& served = metrics(family, bold, italic);
    FreeTypeFace face(served.file, served.faceIndex);
    FT_Face f = face.get();
    TFontFaceTables tables;
    tables.symbol = hasCharmap(f, FT_ENCODING_MS_SYMBOL) && !hasCharmap(f, FT_ENCODING_UNICODE);
    tables.fixedPitch = FT_IS_FIXED_WIDTH(f);
    tables.italic = (f->style_flags & FT_STYLE_FLAG_ITALIC) != 0;
    tables.xMin = f->bbox.xMin;
    tables.yMin = f->bbox.yMin;
    tables.xMax = f->bbox.xMax;
    tables.yMax = f->bbox.yMax;
    tables.maximumWidth = f->max_advance_width;
    tables.underlineSize = f->underline_thickness;
    tables.underlinePosition = f->underline_position;
    if (auto* post = static_cast<TT_Postscript*>(FT_Get_Sfnt_Table(f, FT_SFNT_POST)))
        tables.italicAngle = post->italicAngle / 65536.0;
    if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(f, FT_SFNT_OS2)); os2 && os2->version != 0xFFFF) {
        tables.averageWidth = os2->xAvgCharWidth;
        tables.weight = os2->usWeightClass;
        tables.panoseFamily = os2->panose[0];
        tables.panoseSerif = os2->panose[1];
        tables.xHeight = os2->version >= 2 ? os2->sxHeight : 0;
        tables.strikeoutSize = os2->yStrikeoutSize;
        tables.strikeoutPosition = os2->yStrikeoutPosition;
        tables.firstChar = singleByteCode(os2->usFirstCharIndex, tables.symbol);
        tables.lastChar = singleByteCode(os2->usLastCharIndex, tables.symbol);
    } else if (f->style_flags & FT_STYLE_FLAG_BOLD) {
        tables.weight = 700;
    }
    return m_tables.emplace(key, tables).first->second;
}

std::vector<int32_t> TFontServices::advanceWidths(std::string_view family, bool bold, bool italic,
                                                  const std::vector<char32_t>& codePoints)
{
    const std::lock_guard lock(m_lock);
    const TFontFaceMetrics& served = metrics(family, bold, italic);
    const bool symbol = faceTables(family, bold, italic).symbol;
    FreeTypeFace face(served.file, served.faceIndex);
    FT_Face f = face.get();
    if (symbol)
        FT_Select_Charmap(f, FT_ENCODING_MS_SYMBOL);
    std::vector<int32_t> advances;
    advances.reserve(codePoints.size());
    for (char32_t c : codePoints) {
        const FT_ULong code = symbol && c < 256 ? 0xF000 + c : c;
        FT_Fixed advance = 0;
        FT_Get_Advance(f, FT_Get_Char_Index(f, code), FT_LOAD_NO_SCALE, &advance);
        advances.push_back(static_cast<int32_t>(advance));
    }
    return advances;
}

std::string TFontServices::trueTypeProgram(std::string_view family, bool bold, bool italic)
{
    const std::lock_guard lock(m_lock);
    const TFontFaceMetrics& served = metrics(family, bold, italic);
    std::ifstream file(served.file, std::ios::binary);
    std::string program{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    // A lone TrueType font starts with version 1.0 or the tag "true";
    // collections ("ttcf") and PostScript outlines ("OTTO") do not.
    const bool trueType = program.compare(0, 4, std::string("\0\1\0\0", 4)) == 0 || program.compare(0, 4, "true") == 0;
    return trueType ? program : std::string();
}

} // namespace orv
