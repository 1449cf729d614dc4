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
// over a CIDFontType2 of one face. Glyphs are written in codes of their
// own, numbered in the order the document first uses them: the first 126
// take one byte, which halves the text of plain scripts against two-byte
// glyph ids, later ones two bytes; a face has 32,894 codes in all. The
// font's encoding maps each code to a character id of the same value, and
// a character-to-glyph map leads from there to the glyph. The document's
// glyphs of the face are collected while pages are drawn; finish() then
// writes their widths, the maps, the character map that turns codes back
// into text and the face's program cut down to those glyphs. Every page
// that uses the face shares it.
class TPdfCompositeFont {
public:
    // Registers the font dictionary, its descendant, the descriptor, the
    // program, the text character map, the encoding and the character-to-
    // glyph map, in that order; the resource name is U<number>.
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
        uint32_t code = 0;   // below 0x80 one byte, else two; also its character id
    };
    size_t codesLeft() const { return kCodes - m_used.size(); }
    // Whether the glyph has a code or one is left for it.
    bool canShow(uint32_t glyph) const
    {
        return (glyph < m_entryOfGlyph.size() && m_entryOfGlyph[glyph] != 0) || codesLeft() > 0;
    }
    // Records a glyph shown in the document and the characters it stands
    // for (the first ones given stay, as the character map holds one text
    // a glyph). The entry is valid until the next glyph is recorded. Only
    // for glyphs it can show.
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
    static constexpr size_t kCodes = 126 + 0x8000;
    const UsedGlyph& firstUse(uint32_t glyph, std::u16string_view text);

    QRawFont m_face;
    std::string m_resourceName;
    std::string m_baseName;
    TPdfDictionary& m_type0;
    TPdfDictionary& m_cidFont;
    TPdfDictionary& m_descriptor;
    TPdfStream& m_program;
    TPdfStream& m_toUnicode;
    TPdfStream& m_encoding;
    TPdfStream& m_glyphOfCharacter;
    // Every glyph of every line is looked up: glyph ids are below 65536,
    // so a flat table by id leads to the entries.
    std::vector<uint32_t> m_entryOfGlyph; // entry index + 1; 0: not used yet
    std::vector<UsedGlyph> m_used;
    std::vector<uint32_t> m_usedGlyphs;   // the glyph of each entry
};

} // namespace orv
