#include "pdf/PdfCompositeFont.h"

#include "pdf/PdfFontSubset.h"
#include "pdf/PdfObjects.h"

#include <QList>

#include <cmath>
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

// The value in `count` hexadecimal digits.
std::string hexDigits(uint32_t value, int count)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    for (int shift = 4 * (count - 1); shift >= 0; shift -= 4)
        hex += kDigits[(value >> shift) & 0xF];
    return hex;
}

std::string hexUnits(std::u16string_view units)
{
    std::string hex;
    for (char16_t unit : units)
        hex += hexDigits(unit, 4);
    return hex;
}

// The code of the n-th glyph a font uses, counted from 0: one byte from
// 0x01 to 0x7F, leaving out 0x20, as word spacing widens that code in every
// font; then two bytes from 0x8000 to 0xFFFF. Each code's character id is
// the code's own value. Readers that turn the text map from codes into
// character ids (MuPDF) then find every id inside the code space, and 0,
// which some readers take for the missing glyph, is never used.
constexpr uint32_t kOneByteCodes = 0x7F - 1;
constexpr uint32_t kTwoByteCodes = 0x8000;
constexpr std::string_view kCodeSpace = "2 begincodespacerange\n<00> <7F>\n<8000> <FFFF>\nendcodespacerange\n";

uint32_t codeValueOf(uint32_t n)
{
    if (n < kOneByteCodes)
        return n < 0x1F ? n + 1 : n + 2;
    return 0x8000 + (n - kOneByteCodes);
}

// A character map over the glyph codes: its collection's ordering, name and
// type, and its mappings of `kind` (cidchar, bfchar) in blocks of at most
// 100, as readers require.
std::string characterMap(std::string_view ordering, std::string_view name, int type,
                         const std::vector<std::string>& entries, std::string_view kind)
{
    std::string map = "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                      "/CIDSystemInfo << /Registry (Adobe) /Ordering (" + std::string(ordering) +
                      ") /Supplement 0 >> def\n/CMapName /" + std::string(name) + " def\n/CMapType " +
                      std::to_string(type) + " def\n" + std::string(kCodeSpace);
    for (size_t first = 0; first < entries.size(); first += 100) {
        const size_t count = std::min<size_t>(100, entries.size() - first);
        map += std::to_string(count) + " begin" + std::string(kind) + "\n";
        for (size_t i = first; i < first + count; ++i)
            map += entries[i];
        map += "end" + std::string(kind) + "\n";
    }
    return map + "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
}

std::unique_ptr<TPdfArray> numbers(std::initializer_list<int32_t> values)
{
    auto array = std::make_unique<TPdfArray>();
    for (int32_t value : values)
        array->add(std::make_unique<TPdfNumber>(value));
    return array;
}

// The character collection of fonts whose character ids are glyph ids.
std::unique_ptr<TPdfDictionary> identitySystemInfo()
{
    auto info = std::make_unique<TPdfDictionary>();
    info->setLineBreaks(false);
    info->add("Registry", std::make_unique<TPdfString>("Adobe"));
    info->add("Ordering", std::make_unique<TPdfString>("Identity"));
    info->add("Supplement", std::make_unique<TPdfNumber>(0));
    return info;
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
    , m_encoding(xref.addObject(std::make_unique<TPdfStream>()))
    , m_glyphOfCharacter(xref.addObject(std::make_unique<TPdfStream>()))
{
    m_face.setPixelSize(kPixelsPerEm);
    compress(m_program);
    compress(m_toUnicode);
    compress(m_encoding);
    compress(m_glyphOfCharacter);
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
        const uint32_t code = codeValueOf(static_cast<uint32_t>(m_used.size()));
        m_used.push_back({advances.isEmpty() ? 0 : static_cast<int32_t>(std::lround(advances.front().x())), {}, code});
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
    const std::set<uint32_t> glyphs(m_usedGlyphs.begin(), m_usedGlyphs.end());
    const std::string name = subsetTag(m_baseName, glyphs) + "+" + m_baseName;

    m_type0.addName("Type", "Font");
    m_type0.addName("Subtype", "Type0");
    m_type0.addName("BaseFont", name);
    m_type0.addReference("Encoding", m_encoding);
    auto descendants = std::make_unique<TPdfArray>();
    descendants->addReference(m_cidFont);
    m_type0.add("DescendantFonts", std::move(descendants));
    m_type0.addReference("ToUnicode", m_toUnicode);

    // Entries come in the order of their codes, so the character ids rise.
    // Widths in runs of consecutive ids: id [w w w]. The glyph of each id
    // is two big-endian bytes at twice the id.
    std::string widths = "[";
    std::string glyphOfCharacter;
    uint32_t next = 0;
    for (size_t i = 0; i < m_used.size(); ++i) {
        const UsedGlyph& entry = m_used[i];
        if (i == 0 || entry.code != next)
            widths += (i == 0 ? "" : "]\r\n") + std::to_string(entry.code) + " [";
        else
            widths += ' ';
        widths += std::to_string(entry.width);
        next = entry.code + 1;
        glyphOfCharacter.resize(2 * (entry.code + 1), '\0');
        glyphOfCharacter[2 * entry.code] = static_cast<char>(m_usedGlyphs[i] >> 8);
        glyphOfCharacter[2 * entry.code + 1] = static_cast<char>(m_usedGlyphs[i] & 0xFF);
    }
    widths += m_used.empty() ? "]" : "]\r\n]";
    m_glyphOfCharacter.data() = std::move(glyphOfCharacter);
    m_cidFont.addName("Type", "Font");
    m_cidFont.addName("Subtype", "CIDFontType2");
    m_cidFont.addName("BaseFont", name);
    m_cidFont.add("CIDSystemInfo", identitySystemInfo());
    m_cidFont.addReference("FontDescriptor", m_descriptor);
    m_cidFont.add("W", std::make_unique<TPdfVerbatim>(widths));
    m_cidFont.addReference("CIDToGIDMap", m_glyphOfCharacter);

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

    // Codes to character ids, and codes to text, in the order of the codes.
    std::vector<std::string> characterOfCode;
    std::vector<std::string> textOfCode;
    for (size_t i = 0; i < m_used.size(); ++i) {
        const uint32_t value = m_used[i].code;
        const std::string code = "<" + hexDigits(value, value < 0x80 ? 2 : 4) + "> ";
        characterOfCode.push_back(code + std::to_string(value) + "\n");
        if (!m_used[i].text.empty())
            textOfCode.push_back(code + "<" + hexUnits(m_used[i].text) + ">\n");
    }
    const std::string encodingName = "OrvCodes-" + m_resourceName;
    m_encoding.attributes().addName("Type", "CMap");
    m_encoding.attributes().addName("CMapName", encodingName);
    m_encoding.attributes().add("CIDSystemInfo", identitySystemInfo());
    m_encoding.data() = characterMap("Identity", encodingName, 1, characterOfCode, "cidchar");
    m_toUnicode.data() = characterMap("UCS", "Adobe-Identity-UCS", 2, textOfCode, "bfchar");
}

} // namespace orv
