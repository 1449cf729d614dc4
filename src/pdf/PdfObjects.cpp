#include "pdf/PdfObjects.h"

#include "pdf/PdfErrors.h"
#include "pdf/PdfFormat.h"
#include "pdf/PdfSecurity.h"
#include "platform/CodePages.h"

#include <zlib.h>

#include <algorithm>

namespace orv {

namespace {

// Level 6: on content streams of text and figures it comes within a byte
// or two of level 9 (their matches are short and near) in less time.
constexpr int kDeflateLevel = 6;

// The zlib format (header and Adler-32 trailer).
std::string deflateStream(const std::string& data)
{
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    std::string out(size, '\0');
    if (compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(data.data()),
                  static_cast<uLong>(data.size()), kDeflateLevel) != Z_OK)
        throw std::runtime_error("zlib cannot compress a stream");
    out.resize(size);
    return out;
}

// Characters that code page 1252 and the PDF's own text encoding write as
// the same byte: printable ASCII, tab, line ends and Latin-1 from U+00A1
// (U+00A0 and U+00AD have other meanings there).
bool sameByteInBothEncodings(char16_t c)
{
    return (c >= 0x20 && c <= 0x7E) || c == '\t' || c == '\n' || c == '\r' || (c >= 0xA1 && c <= 0xFF && c != 0xAD);
}

} // namespace

std::string TPdfWriteContext::encrypt(std::string bytes) const
{
    return security ? security->encrypt(std::move(bytes), objectNumber, generation) : bytes;
}

// --- TPdfObject ---------------------------------------------------------------

void TPdfObject::assignNumber(int32_t n)
{
    m_number = n;
    m_type = n > 0 ? TPdfObjectType::Indirect : TPdfObjectType::Direct;
}

void TPdfObject::writeTo(std::string& out, const TPdfWriteContext& context)
{
    if (m_type == TPdfObjectType::Direct) {
        writeValue(out, context);
        return;
    }
    out += std::to_string(m_number);
    out += ' ';
    out += std::to_string(m_generation);
    out += " R";
}

void TPdfObject::writeIndirect(std::string& out, const TPdfSecurityHandler* security)
{
    if (m_type != TPdfObjectType::Indirect)
        throw EPdfInvalidOperation("internal error wrong object type");
    out += std::to_string(m_number);
    out += ' ';
    out += std::to_string(m_generation);
    out += " obj\r\n";
    writeValue(out, TPdfWriteContext{security, m_number, m_generation});
    out += "\r\nendobj\r\n";
}

// --- values -------------------------------------------------------------------

std::unique_ptr<TPdfVirtualObject> TPdfVirtualObject::createVirtual(TPdfObject& target)
{
    if (target.objectType() != TPdfObjectType::Indirect)
        throw EPdfInvalidValue("internal error. wrong object.");
    return std::unique_ptr<TPdfVirtualObject>(new TPdfVirtualObject(target));
}

TPdfVirtualObject::TPdfVirtualObject(TPdfObject& target)
    : TPdfObject(TPdfObjectType::Virtual, target.objectNumber())
    , m_target(target)
{
}

void TPdfVirtualObject::writeValue(std::string&, const TPdfWriteContext&)
{
    // Always written as a reference by writeTo.
}

void TPdfNull::writeValue(std::string& out, const TPdfWriteContext&)
{
    out += "null";
}

void TPdfNumber::writeValue(std::string& out, const TPdfWriteContext&)
{
    out += std::to_string(m_value);
}

void TPdfReal::writeValue(std::string& out, const TPdfWriteContext&)
{
    out += formatPdfReal(m_value);
}

void TPdfString::writeValue(std::string& out, const TPdfWriteContext& context)
{
    out += '(';
    out += escapeLiteral(context.encrypt(m_value));
    out += ')';
}

void TPdfText::writeValue(std::string& out, const TPdfWriteContext& context)
{
    const std::u16string units = utf8ToUtf16(m_value);
    const bool singleBytes = std::all_of(units.begin(), units.end(), sameByteInBothEncodings);
    std::string plain;
    if (singleBytes) {
        for (char16_t c : units)
            plain += static_cast<char>(c);
    } else {
        plain = "\xFE\xFF";
        for (char16_t c : units) {
            plain += static_cast<char>(c >> 8);
            plain += static_cast<char>(c & 0xFF);
        }
    }
    const std::string bytes = context.encrypt(std::move(plain));
    out += singleBytes ? "(" + escapeLiteral(bytes) + ")" : "<" + hexDigits(bytes) + ">";
}

void TPdfVerbatim::writeValue(std::string& out, const TPdfWriteContext&)
{
    out += m_value;
}

void TPdfHex::writeValue(std::string& out, const TPdfWriteContext&)
{
    out += '<';
    out += m_value;
    out += '>';
}

void TPdfName::writeValue(std::string& out, const TPdfWriteContext&)
{
    out += '/';
    out += escapeName(m_value);
}

// --- TPdfArray ----------------------------------------------------------------

void TPdfArray::add(std::unique_ptr<TPdfObject> item)
{
    if (!item)
        throw EPdfInvalidValue("internal error. wrong object.");
    m_items.push_back(std::move(item));
}

void TPdfArray::addReference(TPdfObject& indirect)
{
    m_items.push_back(TPdfVirtualObject::createVirtual(indirect));
}

TPdfObject& TPdfArray::item(int32_t i) const
{
    TPdfObject& element = *m_items.at(i);
    if (auto* reference = dynamic_cast<TPdfVirtualObject*>(&element))
        return reference->target();
    return element;
}

TPdfName* TPdfArray::findName(std::string_view name) const
{
    for (int32_t i = 0; i < count(); ++i)
        if (auto* element = dynamic_cast<TPdfName*>(&item(i)); element && element->value() == name)
            return element;
    return nullptr;
}

void TPdfArray::writeValue(std::string& out, const TPdfWriteContext& context)
{
    out += '[';
    for (auto& element : m_items) {
        element->writeTo(out, context);
        out += ' ';
    }
    out += ']';
}

// --- TPdfDictionary -----------------------------------------------------------

void TPdfDictionary::add(std::string_view key, std::unique_ptr<TPdfObject> value)
{
    append(key, std::move(value), false);
}

void TPdfDictionary::addReference(std::string_view key, TPdfObject& indirect)
{
    append(key, TPdfVirtualObject::createVirtual(indirect), false);
}

void TPdfDictionary::addName(std::string_view key, std::string name)
{
    append(key, std::make_unique<TPdfName>(std::move(name)), false);
}

void TPdfDictionary::addHidden(std::string_view key, std::unique_ptr<TPdfObject> value)
{
    append(key, std::move(value), true);
}

void TPdfDictionary::append(std::string_view key, std::unique_ptr<TPdfObject> value, bool hidden)
{
    if (!value)
        throw EPdfInvalidValue("internal error. wrong object.");
    remove(key);
    m_items.push_back(TPdfDictionaryElement{std::string(key), std::move(value), hidden});
}

void TPdfDictionary::remove(std::string_view key)
{
    auto found = std::find_if(m_items.begin(), m_items.end(), [&](const auto& e) { return e.key == key; });
    if (found != m_items.end())
        m_items.erase(found);
}

TPdfObject* TPdfDictionary::lookup(std::string_view key) const
{
    for (const auto& element : m_items) {
        if (element.key != key)
            continue;
        if (auto* reference = dynamic_cast<TPdfVirtualObject*>(element.value.get()))
            return &reference->target();
        return element.value.get();
    }
    return nullptr;
}

std::string TPdfDictionary::typeName() const
{
    const TPdfName* type = lookupAs<TPdfName>("Type");
    return type ? type->value() : std::string();
}

void TPdfDictionary::writeValue(std::string& out, const TPdfWriteContext& context)
{
    // A cipher that pads changes the body's length, which Length must give.
    const std::string body = m_rawData.empty() ? std::string() : context.encrypt(m_rawData);
    if (body.size() != m_rawData.size())
        for (auto& element : m_items)
            if (element.key == "Length")
                element.value = std::make_unique<TPdfNumber>(static_cast<int32_t>(body.size()));
    out += m_lineBreaks ? "<<\r\n" : "<< ";
    for (auto& element : m_items) {
        if (element.hidden)
            continue;
        out += '/';
        out += escapeName(element.key);
        if (m_keySpace)
            out += ' ';
        element.value->writeTo(out, context);
        if (m_lineBreaks)
            out += "\r\n";
    }
    out += ">>";
    if (!body.empty()) {
        out += "\r\nstream\r\n";
        out += body;
        out += "\nendstream";
    }
}

// --- TPdfStream ---------------------------------------------------------------

TPdfStream::TPdfStream()
{
    m_attributes.add("Length", std::make_unique<TPdfNumber>(0));
    m_attributes.add("Filter", std::make_unique<TPdfArray>());
}

void TPdfStream::writeValue(std::string& out, const TPdfWriteContext& context)
{
    const TPdfArray* filters = m_attributes.lookupAs<TPdfArray>("Filter");
    // Compression comes first: encrypted bytes no longer compress.
    std::string output = filters && filters->findName("FlateDecode") ? deflateStream(m_data) : m_data;
    output = context.encrypt(std::move(output));
    if (auto* length = m_attributes.lookupAs<TPdfNumber>("Length"))
        length->setValue(static_cast<int32_t>(output.size()));
    m_attributes.writeTo(out, context);
    out += "\r\nstream\r\n";
    out += output;
    out += "\nendstream";
}

// --- TPdfXref -----------------------------------------------------------------

TPdfXref::TPdfXref()
{
    m_entries.push_back(TPdfXrefEntry{'f', -1, 65535, nullptr});
}

TPdfObject& TPdfXref::addEntry(std::unique_ptr<TPdfObject> object)
{
    if (!object || object->objectType() != TPdfObjectType::Direct)
        throw EPdfInvalidOperation("AddObject --wrong object type.");
    const int32_t number = count();
    object->assignNumber(number);
    m_entries.push_back(TPdfXrefEntry{'n', -1, object->generationNumber(), std::move(object)});
    return *m_entries.back().value;
}

TPdfObject* TPdfXref::objectAt(int32_t n) const
{
    return n >= 0 && n < count() ? m_entries[n].value.get() : nullptr;
}

} // namespace orv
