#include "pdf/PdfDoc.h"

#include "pdf/PdfAesSecurity.h"
#include "pdf/PdfErrors.h"
#include "pdf/PdfFont.h"
#include "pdf/PdfFormat.h"
#include "pdf/PdfObjects.h"
#include "platform/AsciiText.h"
#include "platform/AtomicFile.h"
#include "platform/CodePages.h"
#include "platform/SpoolFile.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace orv {

namespace {

// The file identifier of every document; any constant serves. It enters the
// encryption key, so it never changes.
constexpr unsigned char kFileId[16] = {0xE4, 0x47, 0x66, 0x5A, 0x28, 0x9A, 0x9D, 0x13,
                                       0xD1, 0xF3, 0xE0, 0x4E, 0x75, 0x87, 0x0C, 0xA0};

std::string_view fileId()
{
    return {reinterpret_cast<const char*>(kFileId), sizeof kFileId};
}

// D:YYYYMMDDHHMMSS and the zone: Z for UTC, otherwise the offset as +HH'MM'
// or -HH'MM', so that readers anywhere show the moment the file was made.
std::string pdfDate(const TPdfDateTime& time)
{
    char text[48];
    const int n = std::snprintf(text, sizeof text, "D:%04d%02d%02d%02d%02d%02d", time.Year, time.Month, time.Day,
                                time.Hour, time.Minute, time.Second);
    std::string date(text, static_cast<size_t>(n));
    if (time.UtcOffsetMinutes == 0)
        return date + 'Z';
    const int32_t offset = std::abs(time.UtcOffsetMinutes);
    std::snprintf(text, sizeof text, "%c%02d'%02d'", time.UtcOffsetMinutes < 0 ? '-' : '+', offset / 60 % 100,
                  offset % 60);
    return date + text;
}

std::unique_ptr<TPdfArray> numberArray(std::initializer_list<int32_t> values)
{
    auto array = std::make_unique<TPdfArray>();
    for (int32_t value : values)
        array->add(std::make_unique<TPdfNumber>(value));
    return array;
}

std::unique_ptr<TPdfArray> realArray(std::initializer_list<float> values)
{
    auto array = std::make_unique<TPdfArray>();
    for (float value : values)
        array->add(std::make_unique<TPdfReal>(value));
    return array;
}

// A password of the 40-bit standard security handler as its bytes: code
// page 1252, the text readers turn a typed password into. A character that
// code page lacks has no byte there; rather than let it become '?', so that
// other passwords would open the document too, the password is refused.
std::string standardSecurityPassword(const std::string& utf8, const char* which)
{
    if (!fitsCodePage(utf8, 1252))
        throw EPdfInvalidValue(std::string("StartDocument --the ") + which +
                               " password holds characters outside code page 1252.");
    return utf8ToCodePage(utf8, 1252);
}

} // namespace

// Where a document's bytes go as they are made. Small pieces gather in a
// buffer handed on in large blocks; spooled objects that follow each other
// in the spool are copied in one piece.
class TPdfOutput {
public:
    virtual ~TPdfOutput() = default;

    uint64_t position() const { return m_handedOn + m_spooledLength + m_buffer.size(); }
    // The buffer to append text to.
    std::string& text()
    {
        copyPendingSpool();
        return m_buffer;
    }
    void copySpooled(TSpoolFile& spool, uint64_t offset, uint64_t length)
    {
        if (m_spooledLength > 0 && (m_spool != &spool || m_spooledAt + m_spooledLength != offset))
            copyPendingSpool();
        if (m_spooledLength == 0) {
            handOnBuffer();
            m_spool = &spool;
            m_spooledAt = offset;
        }
        m_spooledLength += length;
    }
    // Hands the buffer on once it is large.
    void pace()
    {
        if (m_buffer.size() >= kBlockSize)
            handOnBuffer();
    }
    void finish()
    {
        copyPendingSpool();
        handOnBuffer();
    }

protected:
    virtual void send(std::string_view bytes) = 0;
    virtual void sendSpooled(TSpoolFile& spool, uint64_t offset, uint64_t length) = 0;

private:
    static constexpr size_t kBlockSize = 1 << 20;

    void handOnBuffer()
    {
        if (m_buffer.empty())
            return;
        send(m_buffer);
        m_handedOn += m_buffer.size();
        m_buffer.clear();
    }
    void copyPendingSpool()
    {
        if (m_spooledLength == 0)
            return;
        sendSpooled(*m_spool, m_spooledAt, m_spooledLength);
        m_handedOn += m_spooledLength;
        m_spooledLength = 0;
    }

    std::string m_buffer;
    uint64_t m_handedOn = 0;
    TSpoolFile* m_spool = nullptr;
    uint64_t m_spooledAt = 0;
    uint64_t m_spooledLength = 0;
};

namespace {

class TMemoryOutput final : public TPdfOutput {
public:
    std::string bytes;

protected:
    void send(std::string_view piece) override { bytes += piece; }
    void sendSpooled(TSpoolFile& spool, uint64_t offset, uint64_t length) override
    {
        spool.readInto(bytes, offset, length);
    }
};

class TFileOutput final : public TPdfOutput {
public:
    explicit TFileOutput(TAtomicFile& file)
        : m_file(file)
    {
    }

protected:
    void send(std::string_view piece) override { m_file.append(piece); }
    void sendSpooled(TSpoolFile& spool, uint64_t offset, uint64_t length) override
    {
        m_file.append(spool, offset, length);
    }

private:
    TAtomicFile& m_file;
};

} // namespace

TPdfDateTime TPdfDateTime::localNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
            static_cast<int32_t>(local.tm_gmtoff / 60)};
}

TPdfDoc::TPdfDoc()
    : m_canvas(*this)
{
}

TPdfDoc::~TPdfDoc() = default;

void TPdfDoc::requireDocument(const char* message) const
{
    if (!m_open)
        throw EPdfInvalidOperation(message);
}

TPdfXref& TPdfDoc::xref() const
{
    requireDocument("GetXref --document is null.");
    return *m_xref;
}

void TPdfDoc::startDocument()
{
    freeDocument();
    m_codePage = Settings.CodePage == 1250 ? 1250 : 1252;
    m_xref = std::make_unique<TPdfXref>();
    m_trailer = std::make_unique<TPdfDictionary>();
    m_trailer->add("Size", std::make_unique<TPdfNumber>(0));
    const std::string id = hexDigits(fileId());
    m_trailer->add("ID", std::make_unique<TPdfVerbatim>("[<" + id + "><" + id + ">]"));

    m_catalog = &m_xref->addObject(std::make_unique<TPdfDictionary>());
    m_catalog->addName("Type", "Catalog");
    m_trailer->addReference("Root", *m_catalog);

    if (Settings.Encrypted && Settings.Encryption == TPdfEncryption::Aes256Bits) {
        m_security = std::make_unique<TPdfAes256Security>(Settings.OwnerPassword, Settings.UserPassword,
                                                          Settings.Permissions);
        // The revision 6 handler is an extension of PDF 1.7.
        auto level = std::make_unique<TPdfDictionary>();
        level->setLineBreaks(false);
        level->addName("BaseVersion", "1.7");
        level->add("ExtensionLevel", std::make_unique<TPdfNumber>(8));
        auto extensions = std::make_unique<TPdfDictionary>();
        extensions->setLineBreaks(false);
        extensions->add("ADBE", std::move(level));
        m_catalog->add("Extensions", std::move(extensions));
    } else if (Settings.Encrypted) {
        m_security = std::make_unique<TPdfStandardSecurity>(standardSecurityPassword(Settings.OwnerPassword, "owner"),
                                                            standardSecurityPassword(Settings.UserPassword, "user"),
                                                            Settings.Permissions, fileId());
    }
    if (m_security) {
        m_trailer->addReference("Encrypt", m_xref->addObject(m_security->encryptionDictionary()));
    }

    m_info = &m_xref->addObject(std::make_unique<TPdfDictionary>());
    m_info->add("Producer", std::make_unique<TPdfText>(Settings.Producer));
    if (!m_security)
        m_info->add("CreationDate", std::make_unique<TPdfText>(pdfDate(Settings.CreationTime)));
    m_trailer->addReference("Info", *m_info);

    m_pages = &m_xref->addObject(std::make_unique<TPdfDictionary>());
    m_pages->addName("Type", "Pages");
    m_pages->add("Kids", std::make_unique<TPdfArray>());
    m_pages->add("Count", std::make_unique<TPdfNumber>(0));
    m_catalog->addReference("Pages", *m_pages);
    if (!Settings.SpoolFolder.empty())
        m_spool = std::make_unique<TSpoolFile>(Settings.SpoolFolder);
    m_open = true;
}

void TPdfDoc::freeDocument()
{
    m_canvas.unbind();
    m_fonts.clear();
    m_compositeFonts.clear();
    m_facesMet.clear();
    m_shapeCache = {};
    m_extGStates.clear();
    m_xObjects.clear();
    m_catalog = m_info = m_pages = nullptr;
    m_spool.reset();
    m_pageObjects.clear();
    m_security.reset();
    m_trailer.reset();
    m_xref.reset();
    m_open = false;
}

TPdfDictionary& TPdfDoc::addPage()
{
    if (!m_pages)
        throw EPdfInvalidOperation("AddPage --current pages null.");
    if (m_spool)
        spoolPageObjects();
    auto& page = m_xref->addObject(std::make_unique<TPdfDictionary>());
    auto* kids = m_pages->lookupAs<TPdfArray>("Kids");
    kids->addReference(page);
    m_pages->lookupAs<TPdfNumber>("Count")->setValue(kids->count());

    page.addName("Type", "Page");
    page.addReference("Parent", *m_pages);
    page.add("MediaBox", numberArray({0, 0, Settings.InitialPageWidth, Settings.InitialPageHeight}));
    auto resources = std::make_unique<TPdfDictionary>();
    for (const char* kind : {"ExtGState", "Font", "XObject"})
        resources->add(kind, std::make_unique<TPdfDictionary>());
    auto procedureSets = std::make_unique<TPdfArray>();
    for (const char* set : {"PDF", "Text", "ImageC"})
        procedureSets->add(std::make_unique<TPdfName>(set));
    resources->add("ProcSet", std::move(procedureSets));
    page.add("Resources", std::move(resources));

    auto& contents = m_xref->addObject(std::make_unique<TPdfStream>());
    if (Settings.StreamCompression)
        contents.attributes().lookupAs<TPdfArray>("Filter")->add(std::make_unique<TPdfName>("FlateDecode"));
    page.addReference("Contents", contents);
    m_pageObjects = {page.objectNumber(), contents.objectNumber()};
    m_canvas.bindPage(page);
    return page;
}

void TPdfDoc::spoolPageObjects()
{
    // Nothing refers into a finished page but the page tree's reference to
    // it, which is written from the page's number alone.
    m_canvas.unbind();
    std::string bytes;
    for (int32_t n : m_pageObjects) {
        TPdfXrefEntry& entry = m_xref->entry(n);
        bytes.clear();
        entry.value->writeIndirect(bytes, m_security.get());
        if (bytes.size() > UINT32_MAX)
            throw std::runtime_error("A PDF page holds more than 4 GB");
        entry.spooledAt = m_spool->append(bytes);
        entry.spooledLength = static_cast<uint32_t>(bytes.size());
        entry.value.reset();
    }
    m_pageObjects.clear();
}

TPdfCanvas& TPdfDoc::canvas()
{
    requireDocument("GetCanvas --Document is null");
    return m_canvas;
}

// --- document information -----------------------------------------------------

TPdfDictionary& TPdfDoc::info()
{
    requireDocument("GetInfo --this method can not use this state..");
    return *m_info;
}

void TPdfDoc::setInfoText(std::string_view key, std::string_view utf8)
{
    info().add(key, std::make_unique<TPdfText>(std::string(utf8)));
}

void TPdfDoc::setCreator(std::string_view utf8)
{
    setInfoText("Creator", utf8);
}

void TPdfDoc::setAuthor(std::string_view utf8)
{
    setInfoText("Author", utf8);
}

void TPdfDoc::setTitle(std::string_view utf8)
{
    setInfoText("Title", utf8);
}

void TPdfDoc::setSubject(std::string_view utf8)
{
    setInfoText("Subject", utf8);
}

void TPdfDoc::setKeywords(std::string_view utf8)
{
    setInfoText("Keywords", utf8);
}

// --- resources ----------------------------------------------------------------

TPdfFont& TPdfDoc::getFont(const std::string& key, int32_t embed)
{
    requireDocument("GetFont --document is null.");
    for (auto& font : m_fonts)
        if (font->key() == key)
            return *font;
    TPdfFontRequest request{key, static_cast<int32_t>(m_fonts.size()), Settings.EmbedFonts && embed == 1,
                            m_codePage};
    m_fonts.push_back(std::make_unique<TPdfFont>(*m_xref, request));
    return *m_fonts.back();
}

bool TPdfDoc::usesCompositeFonts(std::string_view utf8) const
{
    return Settings.UnicodeText == TPdfUnicodeText::Always || !fitsCodePage(utf8, m_codePage);
}

TPdfCompositeFont* TPdfDoc::compositeFont(const QRawFont& face)
{
    requireDocument("GetFont --document is null.");
    if (!face.isValid())
        return nullptr;
    // Every line asks, so a raw font met before is known by its engine;
    // only a new one is compared by its tables.
    for (const auto& [met, font] : m_facesMet)
        if (met == face)
            return font;
    TPdfCompositeFont* font = nullptr;
    const auto same = std::find_if(m_facesMet.begin(), m_facesMet.end(),
                                   [&](const auto& met) { return TPdfCompositeFont::sameFace(face, met.first); });
    if (same != m_facesMet.end()) {
        font = same->second;
    } else if (TPdfCompositeFont::canEmbed(face)) {
        m_compositeFonts.push_back(
            std::make_unique<TPdfCompositeFont>(*m_xref, face, static_cast<int32_t>(m_compositeFonts.size())));
        font = m_compositeFonts.back().get();
    }
    m_facesMet.emplace_back(face, font);
    return font;
}

int32_t TPdfDoc::embeddingChoice(std::string_view key) const
{
    const std::string wanted = asciiUpper(trimBlanks(key));
    for (const TPdfFontEmbedding& entry : Settings.ReportFonts)
        if (asciiUpper(trimBlanks(entry.Name)) == wanted)
            return entry.Embed;
    return 0;
}

TPdfImage& TPdfDoc::addImage(const std::string& name, std::unique_ptr<TPdfImage> image)
{
    requireDocument("AddImage --document is null.");
    if (!image)
        throw EPdfInvalidValue("RegisterXObject --AObject is null");
    if (findXObject(name))
        throw std::runtime_error("AddImage --the image named " + name + " already exists..");
    TPdfImage& registered = m_xref->addObject(std::move(image));
    registered.attributes().addName("Name", name);
    m_xObjects.push_back(&registered);
    return registered;
}

TPdfImage* TPdfDoc::findXObject(std::string_view name) const
{
    for (TPdfImage* image : m_xObjects)
        if (const auto* entry = image->attributes().lookupAs<TPdfName>("Name"); entry && entry->value() == name)
            return image;
    return nullptr;
}

TPdfExtGState& TPdfDoc::getExtGState(int32_t alpha)
{
    requireDocument("GetExtGState --document is null.");
    const auto level = static_cast<uint8_t>(alpha & 0xFF);
    for (TPdfExtGState& state : m_extGStates)
        if (state.alpha == level)
            return state;
    auto& dictionary = m_xref->addObject(std::make_unique<TPdfDictionary>());
    // The quotient goes through a 32-bit float: 128 gives 0.501960813999176.
    dictionary.add("ca", std::make_unique<TPdfReal>(static_cast<float>(level / 255.0)));
    return m_extGStates.emplace_back(
        TPdfExtGState{level, "GS" + std::to_string(m_extGStates.size()), dictionary});
}

void TPdfDoc::addLink(float left, float bottom, float right, float top, float borderWidth, const std::string& target)
{
    requireDocument("AddAction --document is null.");
    if (target.empty())
        return;
    TPdfDictionary& page = m_canvas.page();
    auto& annotation = m_xref->addObject(std::make_unique<TPdfDictionary>());
    annotation.setKeySpace(false);
    annotation.addName("Type", "Annot");
    annotation.addName("Subtype", "Link");
    annotation.add("Rect", realArray({left, bottom, right, top}));
    annotation.add("Border", realArray({0, 0, borderWidth}));
    auto action = std::make_unique<TPdfDictionary>();
    action->setLineBreaks(false);
    action->setKeySpace(false);
    action->addName("Type", "Action");
    action->addName("S", "URI");
    action->add("URI", std::make_unique<TPdfString>(target));
    annotation.add("A", std::move(action));

    auto* annotations = page.lookupAs<TPdfArray>("Annots");
    if (!annotations) {
        page.add("Annots", std::make_unique<TPdfArray>());
        annotations = page.lookupAs<TPdfArray>("Annots");
    }
    annotations->addReference(annotation);
    m_pageObjects.push_back(annotation.objectNumber());
}

// --- output -------------------------------------------------------------------

std::string TPdfDoc::save()
{
    TMemoryOutput output;
    writeDocument(output);
    return std::move(output.bytes);
}

void TPdfDoc::saveTo(TAtomicFile& target)
{
    TFileOutput output(target);
    writeDocument(output);
}

void TPdfDoc::saveToFile(const std::string& path)
{
    TAtomicFile target(path);
    saveTo(target);
    target.commit();
}

void TPdfDoc::writeDocument(TPdfOutput& output)
{
    requireDocument("SaveToStream --there is no document to save.");
    m_canvas.page();
    for (auto& font : m_compositeFonts)
        font->finish();
    if (!m_security)
        info().add("ModDate", std::make_unique<TPdfText>(pdfDate(Settings.CreationTime)));

    output.text() += "%PDF-" + (m_security ? m_security->pdfVersion() : std::string("1.4")) + " \r\n";
    for (int32_t n = 1; n < m_xref->count(); ++n) {
        TPdfXrefEntry& entry = m_xref->entry(n);
        entry.fileOffset = static_cast<int64_t>(output.position());
        if (entry.value) {
            entry.value->writeIndirect(output.text(), m_security.get());
            output.pace();
        } else {
            output.copySpooled(*m_spool, entry.spooledAt, entry.spooledLength);
        }
    }

    const uint64_t xrefAddress = output.position();
    std::string& out = output.text();
    out += "xref\r\n0 " + std::to_string(m_xref->count()) + "\r\n";
    for (int32_t n = 0; n < m_xref->count(); ++n) {
        const TPdfXrefEntry& entry = m_xref->entry(n);
        char line[40];
        std::snprintf(line, sizeof line, "%010lld %05d %c\r\n", static_cast<long long>(std::max<int64_t>(entry.fileOffset, 0)),
                      entry.generation, entry.kind);
        out += line;
        output.pace();
    }

    m_trailer->lookupAs<TPdfNumber>("Size")->setValue(m_xref->count());
    std::string& tail = output.text();
    tail += "trailer\r\n";
    m_trailer->writeTo(tail, TPdfWriteContext{});
    tail += "\r\nstartxref\r\n" + std::to_string(xrefAddress) + "\r\n%%EOF\r\n";
    output.finish();
}

} // namespace orv
