#pragma once

#include "pdf/PdfCanvas.h"
#include "pdf/PdfCompositeFont.h"
#include "pdf/PdfFont.h"
#include "pdf/PdfImage.h"
#include "pdf/PdfSecurity.h"
#include "pdf/PdfShapedText.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

class TAtomicFile;
class TPdfDictionary;
class TPdfOutput;
class TPdfXref;
class TSpoolFile;

// Whether the font program of a font key is embedded (1) or not (0).
struct TPdfFontEmbedding {
    std::string Name;
    int32_t Embed = 0;
};

// The cipher of an encrypted document.
enum class TPdfEncryption : int32_t {
    Rc4Bits40,  // standard handler revision 2: RC4 with a 40-bit key
    Aes256Bits, // standard handler revision 6: AES-256, SHA-2 password hashes
};

// When text goes into composite fonts (glyphs by id, subset embedded)
// rather than the simple code-page fonts.
enum class TPdfUnicodeText : int32_t {
    Automatic = 0, // only text the code page cannot carry
    Always = 1,    // all text: exact looks on machines without the fonts
};

// A local date and time, as the information dictionary records it.
struct TPdfDateTime {
    int32_t Year = 2000;
    int32_t Month = 1;
    int32_t Day = 1;
    int32_t Hour = 0;
    int32_t Minute = 0;
    int32_t Second = 0;
    int32_t UtcOffsetMinutes = 0; // of the zone the time is given in, east of UTC positive

    // The machine's local time with its zone's offset at this moment.
    static TPdfDateTime localNow();
};

// What a document is written with. The code page, encryption, passwords,
// permissions, producer and creation time are taken when the document is
// started; the others when they are used (StreamCompression by each new
// page, the font choices by each new font).
struct TPdfDocSettings {
    int32_t CodePage = 1252; // of the text shown on pages: 1250, or 1252 for any other value
    bool Encrypted = false;
    TPdfEncryption Encryption = TPdfEncryption::Rc4Bits40; // the cipher when Encrypted
    bool EmbedFonts = false; // master switch; ReportFonts choose per key
    std::vector<TPdfFontEmbedding> ReportFonts;
    TPdfDateTime CreationTime = TPdfDateTime::localNow();
    std::string Producer;
    TPdfPermissions Permissions;
    // UTF-8. The 40-bit handler takes them as code page 1252 bytes and
    // refuses a password with a character outside that code page.
    std::string OwnerPassword;
    std::string UserPassword;
    uint16_t InitialPageWidth = 612;
    uint16_t InitialPageHeight = 792;
    bool StreamCompression = false; // Flate for page content streams
    // Text the code page cannot carry is always drawn in composite fonts
    // with embedded subsets; Always draws every text that way.
    TPdfUnicodeText UnicodeText = TPdfUnicodeText::Automatic;
    // When set, each finished page is written to an unnamed temporary file
    // in this folder and freed, so that memory does not grow with the page
    // count; best the folder of the file being made.
    std::string SpoolFolder;
};

// A transparency state: one registered dictionary holding the fill alpha.
struct TPdfExtGState {
    uint8_t alpha = 255;
    std::string resourceName; // GS0, GS1 ... in creation order
    TPdfDictionary& dictionary;
};

// One PDF document under construction. The fixed objects come first: 1 the
// catalog, then (when encrypted) the encryption dictionary, the information
// dictionary and the page tree; after them every page and its content
// stream, and fonts, images, transparency states and links as they are
// first used. The file is written in one pass in object order. With a
// spool folder, a page, its content stream and its links are written to
// the spool file as soon as the next page starts and freed; writing the
// file copies them back in their place, so the bytes are the same.
class TPdfDoc {
public:
    TPdfDoc();
    ~TPdfDoc();
    TPdfDoc(const TPdfDoc&) = delete;
    TPdfDoc& operator=(const TPdfDoc&) = delete;

    TPdfDocSettings Settings;

    // Frees any previous document and builds the fixed objects.
    void startDocument();
    void freeDocument();
    bool documentOpen() const { return m_open; }
    // The code page of the started document's text.
    int32_t codePage() const { return m_codePage; }

    // Appends a page of the initial size and makes it the canvas's page.
    TPdfDictionary& addPage();
    // Throws EPdfInvalidOperation "GetCanvas --Document is null" without a document.
    TPdfCanvas& canvas();

    // --- document information --------------------------------------------------
    TPdfDictionary& info();
    void setCreator(std::string_view utf8);
    void setAuthor(std::string_view utf8);
    void setTitle(std::string_view utf8);
    void setSubject(std::string_view utf8);
    void setKeywords(std::string_view utf8);

    // --- resources -------------------------------------------------------------
    // The font of a key, created on first use; the first request fixes
    // whether its program is embedded (embed 1 and EmbedFonts on).
    TPdfFont& getFont(const std::string& key, int32_t embed);
    // The Embed value ReportFonts gives a key (blanks around and case
    // ignored), 0 when it has none.
    int32_t embeddingChoice(std::string_view key) const;
    // Whether UTF-8 text is drawn through composite fonts.
    bool usesCompositeFonts(std::string_view utf8) const;
    // The composite font of a face, created on first use; null for a face
    // whose program cannot be embedded (its glyphs are drawn as outlines).
    TPdfCompositeFont* compositeFont(const QRawFont& face);
    TPdfShapeCache& shapeCache() { return m_shapeCache; }
    // Registers an image under a name that Do operators use.
    TPdfImage& addImage(const std::string& name, std::unique_ptr<TPdfImage> image);
    TPdfImage* findXObject(std::string_view name) const;
    // The transparency state of an alpha (its low byte), created on first use.
    TPdfExtGState& getExtGState(int32_t alpha);
    // A link annotation on the current page opening `target`; the rectangle
    // is in points, an empty target adds nothing.
    void addLink(float left, float bottom, float right, float top, float borderWidth, const std::string& target);

    // --- output ------------------------------------------------------------------
    // The complete file. Saving again gives the same bytes.
    std::string save();
    // Writes the complete file to an atomic file's temporary name, piece by
    // piece; the caller commits it.
    void saveTo(TAtomicFile& target);
    // Writes the file through a temporary name, renamed into place.
    void saveToFile(const std::string& path);

    TPdfXref& xref() const;
    const TPdfSecurityHandler* security() const { return m_security.get(); }

private:
    void requireDocument(const char* message) const;
    void setInfoText(std::string_view key, std::string_view utf8);
    // Writes the objects of the current page to the spool and frees them.
    void spoolPageObjects();
    void writeDocument(TPdfOutput& output);

    TPdfCanvas m_canvas;
    bool m_open = false;
    int32_t m_codePage = 1252;
    std::unique_ptr<TPdfXref> m_xref;
    std::unique_ptr<TPdfDictionary> m_trailer;
    std::unique_ptr<TPdfSecurityHandler> m_security;
    TPdfDictionary* m_catalog = nullptr;
    TPdfDictionary* m_info = nullptr;
    TPdfDictionary* m_pages = nullptr;
    std::vector<std::unique_ptr<TPdfFont>> m_fonts;
    std::vector<std::unique_ptr<TPdfCompositeFont>> m_compositeFonts;
    // Each raw font met with the composite font that serves it (none for a
    // face drawn as outlines).
    std::vector<std::pair<QRawFont, TPdfCompositeFont*>> m_facesMet;
    TPdfShapeCache m_shapeCache;
    std::deque<TPdfExtGState> m_extGStates;
    std::vector<TPdfImage*> m_xObjects;
    std::unique_ptr<TSpoolFile> m_spool;
    std::vector<int32_t> m_pageObjects; // the current page's own objects, spooled when it is finished
};

} // namespace orv
