#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace orv {

class TPdfDictionary;
class TPdfXref;

// The face and style a font key names; a key without a comma asks for the
// regular face.
struct TPdfFaceStyle {
    std::string face;
    bool bold = false;
    bool italic = false;
};
TPdfFaceStyle pdfFaceStyle(const std::string& key);

// What a document asks of a new font.
struct TPdfFontRequest {
    std::string key;          // "Face" or "Face,Bold", ",Italic", ",BoldItalic"
    int32_t fontNumber = 0;   // fonts the document already has: the resource name is F<n>
    bool embedProgram = false; // embed the whole font file when it is a TrueType program
    int32_t codePage = 1252;  // code page of the text shown in it
};

// A simple TrueType font of a document. Building it registers the font
// dictionary, its descriptor and, when embedded, the font file, in that
// order. The font keeps the advance widths of its character codes and the
// line metrics for measuring text, in thousandths of the em held as whole
// ten-thousandths.
class TPdfFont {
public:
    TPdfFont(TPdfXref& xref, const TPdfFontRequest& request);

    const std::string& key() const { return m_key; }
    TPdfDictionary& dictionary() const { return m_dictionary; }
    // The name page resources give the font, e.g. "F0".
    const std::string& resourceName() const { return m_resourceName; }

    int32_t firstChar() const { return m_firstChar; }
    int32_t lastChar() const { return m_lastChar; }
    // Width of a character code, 0 outside firstChar..lastChar.
    int64_t width(uint8_t code) const;
    int64_t strikeoutSize() const { return m_strikeoutSize; }
    int64_t strikeoutPosition() const { return m_strikeoutPosition; }
    int64_t underlineSize() const { return m_underlineSize; }
    int64_t underlinePosition() const { return m_underlinePosition; }

    // The width in points of UTF-8 text at a size, in the code page the
    // font was built for; codes below 32 count nothing.
    double textWidth(std::string_view utf8, double size) const;

private:
    std::string m_key;
    std::string m_resourceName;
    int32_t m_codePage;
    TPdfDictionary& m_dictionary;
    int32_t m_firstChar = 32;
    int32_t m_lastChar = 255;
    std::array<int64_t, 256> m_widths{}; // from firstChar on
    int64_t m_strikeoutSize = 0;
    int64_t m_strikeoutPosition = 0;
    int64_t m_underlineSize = 0;
    int64_t m_underlinePosition = 0;
};

} // namespace orv
