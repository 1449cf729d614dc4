#include "pdf/PdfFont.h"

#include "pdf/PdfFormat.h"
#include "pdf/PdfObjects.h"
#include "platform/CodePages.h"
#include "platform/FontServices.h"
#include "platform/Rounding.h"
#include "platform/Screen.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace orv {

namespace {

// Glyph names of code page 1250 where it differs from WinAnsi, in runs of
// consecutive codes.
constexpr const char* kCentralEuropeanDifferences[] = {
    "128 /Euro ",
    "140 /Sacute /Tcaron /Zcaron /Zacute ",
    "156 /sacute /tcaron /zcaron /zacute ",
    "161 /caron /breve /Lslash ",
    "165 /Aogonek ",
    "170 /Scedilla ",
    "175 /Zdotaccent ",
    "178 /ogonek /lslash ",
    "185 /aogonek /scedilla ",
    "188 /Lcaron /hungarumlaut /lcaron /zdotaccent /Racute ",
    "195 /Abreve ",
    "197 /Lacute /Cacute ",
    "200 /Ccaron ",
    "202 /Eogonek ",
    "204 /Ecaron ",
    "207 /Dcaron /Dslash ",
    "209 /Nacute /Ncaron ",
    "213 /Ohungarumlaut ",
    "216 /Rcaron /Uring ",
    "219 /Uhungarumlaut ",
    "222 /Tcedilla ",
    "224 /racute ",
    "227 /abreve ",
    "229 /lacute /cacute /ccedilla /ccaron ",
    "234 /eogonek ",
    "236 /ecaron ",
    "239 /dcaron /dcroat ",
    "241 /nacute /ncaron ",
    "245 /ohungarumlaut ",
    "248 /rcaron /uring ",
    "251 /uhungarumlaut ",
    "254 /tcedilla /dotaccent ",
};

std::string withoutSpaces(std::string text)
{
    std::erase(text, ' ');
    return text;
}

// The face is measured as a font about 1432 pixels high at the screen's
// resolution; its pixel metrics then scale to thousandths of the em by
// pixels x resolution x size / 72 / 2048. The divisor is fixed: pixel
// metrics do not depend on the face's own design units.
class MeasuringScale {
public:
    explicit MeasuringScale(int32_t unitsPerEm)
        : m_unitsPerEm(unitsPerEm > 0 ? unitsPerEm : 2048)
    {
        int32_t dpi = static_cast<int32_t>(std::lround(screenPixelsPerInch()));
        if (dpi <= 0)
            dpi = 96;
        const int32_t size = 103104 / dpi;
        m_emPixels = (size * dpi + 36) / 72;
        m_toThousandths = dpi * static_cast<double>(size) / 72 / 2048;
    }

    // A design-unit metric as whole pixels of the measuring size.
    int64_t pixels(int32_t designUnits) const
    {
        return static_cast<int64_t>(roundHalfEven(static_cast<double>(designUnits) * m_emPixels / m_unitsPerEm));
    }
    int64_t emPixels() const { return m_emPixels; }
    double thousandths(int64_t pixels) const { return pixels * m_toThousandths; }
    int64_t truncated(int64_t pixels) const { return static_cast<int64_t>(std::trunc(thousandths(pixels))); }
    int64_t rounded(int64_t pixels) const { return static_cast<int64_t>(roundHalfEven(thousandths(pixels))); }
    int64_t fixedPoint(int64_t pixels) const
    {
        return static_cast<int64_t>(roundHalfEven(thousandths(pixels) * 10000));
    }

private:
    int32_t m_unitsPerEm;
    int32_t m_emPixels = 1432;
    double m_toThousandths = 0.69921875;
};

// Numbers the font dictionaries hold as preformatted text.
std::unique_ptr<TPdfVerbatim> preformatted(int64_t value)
{
    return std::make_unique<TPdfVerbatim>(std::to_string(value));
}

// "[", each width after a space, a line break after every 16th, a final
// line break and "]".
std::string widthsText(const std::vector<int64_t>& widths)
{
    std::string text = "[";
    for (size_t i = 0; i < widths.size(); ++i) {
        text += ' ';
        text += std::to_string(widths[i]);
        if ((i + 1) % 16 == 0)
            text += "\r\n";
    }
    return text + "\r\n]";
}

std::unique_ptr<TPdfObject> encodingOf(int32_t codePage)
{
    if (effectiveCodePage(codePage) != 1250)
        return std::make_unique<TPdfName>("WinAnsiEncoding");
    // Readers apply differences only from an encoding dictionary.
    std::string differences = "[ ";
    for (const char* run : kCentralEuropeanDifferences)
        differences += std::string(run) + "\r\n";
    differences += "]";
    auto encoding = std::make_unique<TPdfDictionary>();
    encoding->addName("BaseEncoding", "WinAnsiEncoding");
    encoding->add("Differences", std::make_unique<TPdfVerbatim>(differences));
    return encoding;
}

int32_t descriptorFlags(const TFontFaceTables& tables)
{
    int32_t flags = 0;
    if (tables.fixedPitch)
        flags |= 1;
    if (tables.panoseSerif != 11 && tables.panoseSerif != 12 && tables.panoseSerif != 13 && tables.panoseSerif != 15)
        flags |= 2; // not one of the sans-serif styles
    flags |= tables.symbol ? 4 : 32;
    if (tables.panoseFamily == 3)
        flags |= 8; // script
    if (tables.italic)
        flags |= 64;
    if (tables.weight >= 401)
        flags |= 16384;
    return flags & 0xFFFF;
}

// One face of a font as the document measures it.
struct TMeasuredFace {
    TPdfFaceStyle style;
    const TFontFaceMetrics& metrics;
    const TFontFaceTables& tables;
    MeasuringScale scale;

    explicit TMeasuredFace(const std::string& key)
        : style(pdfFaceStyle(key))
        , metrics(TFontServices::instance().metrics(style.face, style.bold, style.italic))
        , tables(TFontServices::instance().faceTables(style.face, style.bold, style.italic))
        , scale(metrics.emHeight)
    {
    }
};

// The advance widths of codes first..last in pixels of the measuring size;
// a symbol font's codes are its own, other fonts' are characters of the
// code page.
std::vector<int64_t> advancePixels(const TMeasuredFace& face, int32_t first, int32_t last, int32_t codePage)
{
    std::vector<char32_t> characters;
    for (int32_t code = first; code <= last; ++code)
        characters.push_back(face.tables.symbol ? code : codePageToUnicode(codePage, static_cast<uint8_t>(code)));
    const std::vector<int32_t> advances =
        TFontServices::instance().advanceWidths(face.style.face, face.style.bold, face.style.italic, characters);
    std::vector<int64_t> pixels;
    for (int32_t advance : advances)
        pixels.push_back(face.scale.pixels(advance));
    return pixels;
}

// Registers the font descriptor: the face's flags, box and line metrics.
TPdfDictionary& addDescriptor(TPdfXref& xref, const TMeasuredFace& face, const std::string& baseName)
{
    const MeasuringScale& scale = face.scale;
    const TFontFaceTables& tables = face.tables;
    const int64_t ascent = scale.pixels(face.metrics.cellAscent);
    const int64_t descent = scale.pixels(face.metrics.cellDescent);
    std::string box = "[";
    for (int32_t edge : {tables.xMin, tables.yMin, tables.xMax, tables.yMax})
        box += " " + std::to_string(scale.truncated(scale.pixels(edge)));
    auto& descriptor = xref.addObject(std::make_unique<TPdfDictionary>());
    descriptor.addName("Type", "FontDescriptor");
    descriptor.addName("FontName", baseName);
    descriptor.add("Flags", preformatted(descriptorFlags(tables)));
    descriptor.add("FontBBox", std::make_unique<TPdfVerbatim>(box + " ]"));
    descriptor.add("StemV", preformatted(80));
    descriptor.add("ItalicAngle", std::make_unique<TPdfVerbatim>(formatPdfReal(tables.italicAngle)));
    descriptor.add("CapHeight", preformatted(scale.rounded(ascent)));
    descriptor.add("XHeight", preformatted(scale.rounded(scale.pixels(tables.xHeight))));
    descriptor.add("Ascent", preformatted(scale.rounded(ascent)));
    descriptor.add("Descent", preformatted(scale.rounded(-descent)));
    descriptor.add("Leading", preformatted(scale.rounded(ascent + descent - scale.emPixels())));
    descriptor.add("MaxWidth", preformatted(scale.rounded(scale.pixels(tables.maximumWidth))));
    descriptor.add("AvgWidth", preformatted(scale.rounded(scale.pixels(tables.averageWidth))));
    return descriptor;
}

// Registers the whole TrueType program, when the face has one, as the
// descriptor's font file.
void embedProgram(TPdfXref& xref, TPdfDictionary& descriptor, const TPdfFaceStyle& style)
{
    std::string program = TFontServices::instance().trueTypeProgram(style.face, style.bold, style.italic);
    if (program.empty())
        return;
    auto& fontFile = xref.addObject(std::make_unique<TPdfDictionary>());
    fontFile.add("Length", preformatted(static_cast<int64_t>(program.size())));
    fontFile.add("Length1", preformatted(static_cast<int64_t>(program.size())));
    fontFile.rawData() = std::move(program);
    descriptor.addReference("FontFile2", fontFile);
}

} // namespace

TPdfFaceStyle pdfFaceStyle(const std::string& key)
{
    const size_t comma = key.find(',');
    TPdfFaceStyle style{key.substr(0, comma)};
    if (comma != std::string::npos) {
        style.bold = key.find("Bold") != std::string::npos;
        style.italic = key.find("Italic") != std::string::npos;
    }
    return style;
}

TPdfFont::TPdfFont(TPdfXref& xref, const TPdfFontRequest& request)
    : m_key(request.key)
    , m_resourceName("F" + std::to_string(request.fontNumber))
    , m_codePage(request.codePage)
    , m_dictionary(xref.addObject(std::make_unique<TPdfDictionary>()))
{
    const TMeasuredFace face(m_key);
    const std::string baseName = withoutSpaces(m_key);
    m_firstChar = face.tables.firstChar;
    m_lastChar = std::max(face.tables.lastChar, face.tables.firstChar);
    // The Widths array lists truncated thousandths; measuring keeps them
    // in fixed point.
    const MeasuringScale& scale = face.scale;
    std::vector<int64_t> listedWidths;
    const std::vector<int64_t> pixels = advancePixels(face, m_firstChar, m_lastChar, m_codePage);
    for (size_t i = 0; i < pixels.size() && i < m_widths.size(); ++i) {
        listedWidths.push_back(scale.truncated(pixels[i]));
        m_widths[i] = scale.fixedPoint(pixels[i]);
    }
    m_strikeoutSize = scale.fixedPoint(scale.pixels(face.tables.strikeoutSize));
    m_strikeoutPosition = scale.fixedPoint(scale.pixels(face.tables.strikeoutPosition));
    m_underlineSize = scale.fixedPoint(scale.pixels(face.tables.underlineSize));
    m_underlinePosition = scale.fixedPoint(scale.pixels(face.tables.underlinePosition));

    m_dictionary.addName("Type", "Font");
    m_dictionary.addName("Subtype", "TrueType");
    m_dictionary.addName("Name", m_resourceName);
    m_dictionary.addName("BaseFont", baseName);
    m_dictionary.add("FirstChar", preformatted(m_firstChar));
    m_dictionary.add("LastChar", preformatted(m_lastChar));
    m_dictionary.add("Widths", std::make_unique<TPdfVerbatim>(widthsText(listedWidths)));
    m_dictionary.add("Encoding", encodingOf(m_codePage));

    TPdfDictionary& descriptor = addDescriptor(xref, face, baseName);
    m_dictionary.addReference("FontDescriptor", descriptor);
    if (request.embedProgram)
        embedProgram(xref, descriptor, face.style);
}

int64_t TPdfFont::width(uint8_t code) const
{
    return code >= m_firstChar && code <= m_lastChar ? m_widths[code - m_firstChar] : 0;
}

double TPdfFont::textWidth(std::string_view utf8, double size) const
{
    int64_t total = 0;
    for (char c : utf8ToCodePage(utf8, m_codePage)) {
        const auto code = static_cast<uint8_t>(c);
        if (code >= 32)
            total += width(code);
    }
    return total / 10000.0 / 1000.0 * size;
}

} // namespace orv
