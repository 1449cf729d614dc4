#include "pdf/PdfCompositeFont.h"

#include "pdf/PdfFontSubset.h"
#include "pdf/PdfObjects.h"

#include <QList>

#include <cmath>
#include <map>
#include <set>

namespace orv {

namespace {

// Fonts are read at 1000 pixels to the em, so their metrics come out in
// the thousandths PDF font dictionaries use.
constexpr double kPixelsPerEm = 1000;

int32_t bigEndian16(const QByteArray& table, qsizetype offset, bool isSigned)
{
    if (offset + 2 > table.size())
        return 0;
    const auto value = static_cast<uint16_t>((static_cast<uint8_t>(table[offset]) << 8) |
                                             static_cast<uint8_t>(table[offset + 1]));
    return isSigned ? static_cast<int16_t>(value) : value;
}

// Letters, digits and hyphens only: font names become PDF names.
std::string nameCharacters(const QString& text)
{
    std::string name;
    for (QChar c : text)
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-')
            name += static_cast<char>(c.unicode());
    return name;
}

// The PostScript name (name id 6) from the face's naming table, in its
// Windows (UTF-16) or Macintosh (ASCII) record.
QString postScriptName(const QRawFont& face)
{
    const QByteArray table = face.fontTable("name");
    const int32_t count = bigEndian16(table, 2, false);
    const int32_t strings = bigEndian16(table, 4, false);
    for (int32_t i = 0; i < count; ++i) {
        const qsizetype record = 6 + 12 * static_cast<qsizetype>(i);
        const int32_t platform = bigEndian16(table, record, false);
        const int32_t nameId = bigEndian16(table, record + 6, false);
        const int32_t length = bigEndian16(table, record + 8, false);
        const qsizetype offset = strings + bigEndian16(table, record + 10, false);
        if (nameId != 6 || offset + length > table.size())
            continue;
        if (platform == 3) {
            QString name;
            for (int32_t k = 0; k + 1 < length; k += 2)
                name += QChar(static_cast<char16_t>(bigEndian16(table, offset + k, false)));
            return name;
        }
        if (platform == 1)
            return QString::fromLatin1(table.constData() + offset, length);
    }
    return {};
}

std::string baseNameOf(const QRawFont& face, int32_t number)
{
    std::string name = nameCharacters(postScriptName(face));
    return name.size() > 1 ? name : "Font" + std::to_string(number);
}

std::string hexUnits(std::u16string_view units)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    for (char16_t unit : units)
        for (int shift = 12; shift >= 0; shift -= 4)
            hex += kDigits[(unit >> shift) & 0xF];
    return hex;
}

std::string glyphHex(uint32_t glyph)
{
    return hexUnits(std::u16string(1, static_cast<char16_t>(glyph)));
}

std::unique_ptr<TPdfArray> numbers(std::initializer_list<int32_t> values)
{
    auto array = std::make_unique<TPdfArray>();
    for (int32_t value : values)
        array->add(std::make_unique<TPdfNumber>(value));
    return array;
}

void compress(TPdfStream& stream)
{
    stream.attributes().lookupAs<TPdfArray>("Filter")->add(std::make_unique<TPdfName>("FlateDecode"));
}

} // namespace

TPdfCompositeFont::TPdfCompositeFont(TPdfXref& xref, const QRawFont& face, int32_t number)
    : m_face(face)
    , m_resourceName("U" + std::to_string(number))
    , m_baseName(baseNameOf(face, number))
    , m_type0(xref.addObject(std::make_unique<TPdfDictionary>()))
    , m_cidFont(xref.addObject(std::make_unique<TPdfDictionary>()))
    , m_descriptor(xref.addObject(std::make_unique<TPdfDictionary>()))
    , m_program(xref.addObject(std::make_unique<TPdfStream>()))
    , m_toUnicode(xref.addObject(std::make_unique<TPdfStream>()))
{
    m_face.setPixelSize(kPixelsPerEm);
    compress(m_program);
    compress(m_toUnicode);
}

bool TPdfCompositeFont::canEmbed(const QRawFont& face)
{
    return !face.fontTable("glyf").isEmpty() && !face.fontTable("loca").isEmpty();
}

bool TPdfCompositeFont::sameFace(const QRawFont& a, const QRawFont& b)
{
    // Not by family name: a face without one (the missing-glyph face) has
    // none to give. The header tables carry the file's checksum and dates.
    return a.styleName() == b.styleName() && a.weight() == b.weight() && a.style() == b.style() &&
           a.fontTable("head") == b.fontTable("head") && a.fontTable("hhea") == b.fontTable("hhea");
}

const TPdfCompositeFont::UsedGlyph& TPdfCompositeFont::firstUse(uint32_t glyph, std::u16string_view text)
{
    if (glyph >= m_entryOfGlyph.size())
        m_entryOfGlyph.resize(std::max<size_t>(glyph + 1, 2 * m_entryOfGlyph.size()), 0);
    uint32_t& entry = m_entryOfGlyph[glyph];
    if (entry == 0) {
        const QList<QPointF> advances = m_face.advancesForGlyphIndexes(QList<quint32>{glyph}, QRawFont::UseDesignMetrics);
        m_used.push_back({advances.isEmpty() ? 0 : static_cast<int32_t>(std::lround(advances.front().x())), {}});
        m_usedGlyphs.push_back(glyph);
        entry = static_cast<uint32_t>(m_used.size());
    }
    UsedGlyph& used = m_used[entry - 1];
    if (used.text.empty())
        used.text = text;
    return used;
}

void TPdfCompositeFont::finish()
{
    // In glyph order, as the width runs and the character map list them.
    std::map<uint32_t, const UsedGlyph&> used;
    for (size_t i = 0; i < m_used.size(); ++i)
        used.emplace(m_usedGlyphs[i], m_used[i]);
    std::set<uint32_t> glyphs;
    for (const auto& [glyph, entry] : used)
        glyphs.insert(glyph);
    const std::string name = subsetTag(m_baseName, glyphs) + "+" + m_baseName;

    m_type0.addName("Type", "Font");
    m_type0.addName("Subtype", "Type0");
    m_type0.addName("BaseFont", name);
    m_type0.addName("Encoding", "Identity-H");
    auto descendants = std::make_unique<TPdfArray>();
    descendants->addReference(m_cidFont);
    m_type0.add("DescendantFonts", std::move(descendants));
    m_type0.addReference("ToUnicode", m_toUnicode);

    // Widths in runs of consecutive glyph ids: id [w w w].
    std::string widths = "[";
    uint32_t next = 0;
    for (const auto& [glyph, entry] : used) {
        if (widths.size() == 1 || glyph != next)
            widths += (widths.size() == 1 ? "" : "]\r\n") + std::to_string(glyph) + " [";
        else
            widths += ' ';
        widths += std::to_string(entry.width);
        next = glyph + 1;
    }
    widths += used.empty() ? "]" : "]\r\n]";
    auto systemInfo = std::make_unique<TPdfDictionary>();
    systemInfo->setLineBreaks(false);
    systemInfo->add("Registry", std::make_unique<TPdfString>("Adobe"));
    systemInfo->add("Ordering", std::make_unique<TPdfString>("Identity"));
    systemInfo->add("Supplement", std::make_unique<TPdfNumber>(0));
    m_cidFont.addName("Type", "Font");
    m_cidFont.addName("Subtype", "CIDFontType2");
    m_cidFont.addName("BaseFont", name);
    m_cidFont.add("CIDSystemInfo", std::move(systemInfo));
    m_cidFont.addReference("FontDescriptor", m_descriptor);
    m_cidFont.add("W", std::make_unique<TPdfVerbatim>(widths));
    m_cidFont.addName("CIDToGIDMap", "Identity");

    const QByteArray head = m_face.fontTable("head");
    const int32_t unitsPerEm = std::max(bigEndian16(head, 18, false), 16);
    auto scaled = [unitsPerEm](int32_t units) {
        return static_cast<int32_t>(std::lround(units * kPixelsPerEm / unitsPerEm));
    };
    const QByteArray post = m_face.fontTable("post");
    const double italicAngle = bigEndian16(post, 4, true) + bigEndian16(post, 6, false) / 65536.0;
    m_descriptor.addName("Type", "FontDescriptor");
    m_descriptor.addName("FontName", name);
    m_descriptor.add("Flags", std::make_unique<TPdfNumber>(4)); // symbolic: glyphs are chosen by id
    m_descriptor.add("FontBBox", numbers({scaled(bigEndian16(head, 36, true)), scaled(bigEndian16(head, 38, true)),
                                          scaled(bigEndian16(head, 40, true)), scaled(bigEndian16(head, 42, true))}));
    m_descriptor.add("ItalicAngle", std::make_unique<TPdfReal>(italicAngle));
    m_descriptor.add("Ascent", std::make_unique<TPdfNumber>(static_cast<int32_t>(std::lround(m_face.ascent()))));
    m_descriptor.add("Descent", std::make_unique<TPdfNumber>(-static_cast<int32_t>(std::lround(m_face.descent()))));
    m_descriptor.add("CapHeight", std::make_unique<TPdfNumber>(static_cast<int32_t>(std::lround(m_face.capHeight()))));
    m_descriptor.add("StemV", std::make_unique<TPdfNumber>(80));

    std::string program = subsetTrueTypeProgram(m_face, glyphs);
    m_program.attributes().add("Length1", std::make_unique<TPdfNumber>(static_cast<int32_t>(program.size())));
    m_program.data() = std::move(program);
    if (!m_program.data().empty())
        m_descriptor.addReference("FontFile2", m_program);
    else
        m_descriptor.remove("FontFile2");

    std::string cmap = "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                       "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
                       "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
                       "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";
    std::vector<std::string> entries;
    for (const auto& [glyph, entry] : used)
        if (!entry.text.empty())
            entries.push_back("<" + glyphHex(glyph) + "> <" + hexUnits(entry.text) + ">\n");
    for (size_t first = 0; first < entries.size(); first += 100) {
        const size_t count = std::min<size_t>(100, entries.size() - first);
        cmap += std::to_string(count) + " beginbfchar\n";
        for (size_t i = first; i < first + count; ++i)
            cmap += entries[i];
        cmap += "endbfchar\n";
    }
    cmap += "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
    m_toUnicode.data() = std::move(cmap);
}

} // namespace orv
