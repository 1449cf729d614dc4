#pragma once

#include <QRawFont>

#include <cstdint>
#include <string>
#include <vector>

namespace orv {

class TPdfDictionary;
class TPdfStream;
class TPdfXref;

// A composite font for text any font on the machine can show: a Type0 font
// with the Identity-H encoding over a CIDFontType2 whose character ids are
// the glyph ids of one face. The document's glyphs of that face are
// collected while pages are drawn; finish() then writes their widths, the
// character map that turns glyphs back into text and the face's program
// cut down to those glyphs. Every page that uses the face shares it.
class TPdfCompositeFont {
public:
    // Registers the font dictionary, its descendant, the descriptor, the
    // program and the character map, in that order; the resource name is
    // U<number>.
    TPdfCompositeFont(TPdfXref& xref, const QRawFont& face, int32_t number);

    // Whether the face has TrueType outlines, which this font embeds.
    static bool canEmbed(const QRawFont& face);
    // Whether two raw fonts are the same face of the same file.
    static bool sameFace(const QRawFont& a, const QRawFont& b);
    bool serves(const QRawFont& face) const { return sameFace(face, m_face); }
    const std::string& resourceName() const { return m_resourceName; }
    TPdfDictionary& dictionary() const { return m_type0; }
    // The face without its subset tag, e.g. "DejaVuSans-Bold".
    const std::string& baseName() const { return m_baseName; }

    struct UsedGlyph {
        int32_t width = 0;   // the advance the font declares, thousandths of the em
        std::u16string text; // what the character map gives back for the glyph
    };
    // Records a glyph shown in the document and the characters it stands
    // for (the first ones given stay, as the character map holds one text
    // a glyph). The entry is valid until the next glyph is recorded.
    const UsedGlyph& useGlyph(uint32_t glyph, std::u16string_view text)
    {
        if (glyph < m_entryOfGlyph.size() && m_entryOfGlyph[glyph] != 0) {
            UsedGlyph& used = m_used[m_entryOfGlyph[glyph] - 1];
            if (!used.text.empty())
                return used;
        }
        return firstUse(glyph, text);
    }
    size_t glyphCount() const { return m_used.size(); }

    // Writes everything that depends on the glyphs used; writing again
    // gives the same objects.
    void finish();

private:
    const UsedGlyph& firstUse(uint32_t glyph, std::u16string_view text);

    QRawFont m_face;
    std::string m_resourceName;
    std::string m_baseName;
    TPdfDictionary& m_type0;
    TPdfDictionary& m_cidFont;
    TPdfDictionary& m_descriptor;
    TPdfStream& m_program;
    TPdfStream& m_toUnicode;
    // Every glyph of every line is looked up: glyph ids are below 65536,
    // so a flat table by id leads to the entries.
    std::vector<uint32_t> m_entryOfGlyph; // entry index + 1; 0: not used yet
    std::vector<UsedGlyph> m_used;
    std::vector<uint32_t> m_usedGlyphs;   // the glyph of each entry
};

} // namespace orv
