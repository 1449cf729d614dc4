#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

class TPdfSecurityHandler;

// What a value needs to know while it is written: in an encrypted document
// the indirect object that holds it names the key of its strings and
// streams.
struct TPdfWriteContext {
    const TPdfSecurityHandler* security = nullptr;
    int32_t objectNumber = -1;
    int32_t generation = 0;

    // The bytes under the holding object's key; unchanged without encryption.
    std::string encrypt(std::string bytes) const;
};

enum class TPdfObjectType : uint8_t {
    Direct,   // written in place
    Indirect, // registered in the object table, written once as "n 0 obj"
    Virtual,  // a reference to an indirect object
};

// Base of every PDF value. Objects are created direct; the object table
// makes them indirect, and containers then hold references to them.
class TPdfObject {
public:
    virtual ~TPdfObject() = default;
    TPdfObject(const TPdfObject&) = delete;
    TPdfObject& operator=(const TPdfObject&) = delete;

    TPdfObjectType objectType() const { return m_type; }
    int32_t objectNumber() const { return m_number; }
    int32_t generationNumber() const { return m_generation; }
    // Makes the object indirect under number n; n <= 0 makes it direct.
    void assignNumber(int32_t n);

    // "n g R" for an indirect or virtual object, the value itself otherwise.
    void writeTo(std::string& out, const TPdfWriteContext& context);
    // The body of an indirect object: "n g obj", the value, "endobj".
    void writeIndirect(std::string& out, const TPdfSecurityHandler* security);

protected:
    TPdfObject() = default;
    explicit TPdfObject(TPdfObjectType type, int32_t number)
        : m_type(type)
        , m_number(number)
    {
    }
    virtual void writeValue(std::string& out, const TPdfWriteContext& context) = 0;

private:
    TPdfObjectType m_type = TPdfObjectType::Direct;
    int32_t m_number = -1;
    int32_t m_generation = 0;
};

// A reference standing in a container for an indirect object, which the
// object table owns and keeps alive as long as any container.
class TPdfVirtualObject final : public TPdfObject {
public:
    static std::unique_ptr<TPdfVirtualObject> createVirtual(TPdfObject& target);
    TPdfObject& target() const { return m_target; }

protected:
    void writeValue(std::string& out, const TPdfWriteContext& context) override;

private:
    explicit TPdfVirtualObject(TPdfObject& target);
    TPdfObject& m_target;
};

class TPdfNull final : public TPdfObject {
protected:
    void writeValue(std::string& out, const TPdfWriteContext& context) override;
};

class TPdfNumber final : public TPdfObject {
public:
    explicit TPdfNumber(int32_t value)
        : m_value(value)
    {
    }
    int32_t value() const { return m_value; }
    void setValue(int32_t value) { m_value = value; }

protected:
    void writeValue(std::string& out, const TPdfWriteContext& context) override;

private:
    int32_t m_value;
};

class TPdfReal final : public TPdfObject {
public:
    explicit TPdfReal(double value)
        : m_value(value)
    {
    }
    double value() const { return m_value; }

protected:
    void writeValue(std::string& out, const TPdfWriteContext& context) override;

private:
    double m_value;
};

// A byte string, written as a literal "(...)" and encrypted in an encrypted
// document (link targets).
class TPdfString final : public TPdfObject {
public:
    explicit TPdfString(std::string bytes)
        : m_value(std::move(bytes))
    {
    }
    const std::string& value() const { return m_value; }

protected:
    void writeValue(std::string& out, const TPdfWriteContext& context) override;

private:
    std::string m_value;
};

// A text string given in UTF-8 (document information). Text whose every
// character reads the same in code page 1252 and in the PDF's own text
// encoding is written as those bytes; any other text as UTF-16 behind the
// byte order mark. Encrypted in an encrypted document.
class TPdfText final : public TPdfObject {
public:
    explicit TPdfText(std::string utf8)
        : m_value(std::move(utf8))
    {
    }
    const std::string& value() const { return m_value; }

protected:
    void writeValue(std::string& out, const TPdfWriteContext& context) override;

private:
    std::string m_value;
};

// Preformatted PDF source (a widths array, the trailer's identifier),
// written verbatim and never encrypted.
class TPdfVerbatim final : public TPdfObject {
public:
    explicit TPdfVerbatim(std::string source)
        : m_value(std::move(source))
    {
    }
    const std::string& value() const { return m_value; }

protected:
    void writeValue(std::string& out, const TPdfWriteContext& context) override;

private:
    std::string m_value;
};

// A hexadecimal string whose digits are already formed: "<" digits ">".
// Never encrypted (the password entries of the encryption dictionary).
class TPdfHex final : public TPdfObject {
public:
    explicit TPdfHex(std::string digits)
        : m_value(std::move(digits))
    {
    }
    const std::string& value() const { return m_value; }

protected:
    void writeValue(std::string& out, const TPdfWriteContext& context) override;

private:
    std::string m_value;
};

// A name; the value has no leading slash.
class TPdfName final : public TPdfObject {
public:
    explicit TPdfName(std::string value)
        : m_value(std::move(value))
    {
    }
    const std::string& value() const { return m_value; }

protected:
    void writeValue(std::string& out, const TPdfWriteContext& context) override;

private:
    std::string m_value;
};

// An ordered list: "[" every element and a space "]".
class TPdfArray final : public TPdfObject {
public:
    TPdfArray() = default;
    // Appends a direct value, which the array owns from now on.
    void add(std::unique_ptr<TPdfObject> item);
    // Appends a reference to an indirect object.
    void addReference(TPdfObject& indirect);

    int32_t count() const { return static_cast<int32_t>(m_items.size()); }
    // Element i; a reference is resolved to the object it names.
    TPdfObject& item(int32_t i) const;
    // The first element that is the name `name` (exact case), or null.
    TPdfName* findName(std::string_view name) const;

protected:
    void writeValue(std::string& out, const TPdfWriteContext& context) override;

private:
    std::vector<std::unique_ptr<TPdfObject>> m_items;
};

struct TPdfDictionaryElement {
    std::string key;
    std::unique_ptr<TPdfObject> value;
    bool hidden = false; // kept for lookups, never written
};

// Key/value elements in insertion order. With line breaks every element
// stands on its own line; without the key space key and value touch
// (/Type/Annot). Raw data, when present, follows as a stream body.
class TPdfDictionary final : public TPdfObject {
public:
    TPdfDictionary() = default;

    // Replaces an element of the same key, which moves to the end.
    void add(std::string_view key, std::unique_ptr<TPdfObject> value);
    void addReference(std::string_view key, TPdfObject& indirect);
    void addName(std::string_view key, std::string name);
    void addHidden(std::string_view key, std::unique_ptr<TPdfObject> value);
    void remove(std::string_view key);

    // The value of a key (exact case), references resolved; null when absent.
    TPdfObject* lookup(std::string_view key) const;
    template <class T>
    T* lookupAs(std::string_view key) const
    {
        return dynamic_cast<T*>(lookup(key));
    }
    // The name stored under Type, or "".
    std::string typeName() const;

    void setLineBreaks(bool on) { m_lineBreaks = on; }
    void setKeySpace(bool on) { m_keySpace = on; }
    std::string& rawData() { return m_rawData; }

protected:
    void writeValue(std::string& out, const TPdfWriteContext& context) override;

private:
    void append(std::string_view key, std::unique_ptr<TPdfObject> value, bool hidden);

    std::vector<TPdfDictionaryElement> m_items;
    bool m_lineBreaks = true;
    bool m_keySpace = true;
    std::string m_rawData;
};

// A stream: attributes (starting with Length and an empty Filter array)
// and the unfiltered data. Writing compresses the data when the filters
// name FlateDecode (zlib, level 6), encrypts it in an encrypted document,
// and sets Length; the data itself stays as it is, so a document can be
// written again.
class TPdfStream : public TPdfObject {
public:
    TPdfStream();
    TPdfDictionary& attributes() { return m_attributes; }
    std::string& data() { return m_data; }

protected:
    void writeValue(std::string& out, const TPdfWriteContext& context) override;

private:
    TPdfDictionary m_attributes;
    std::string m_data;
};

// An entry's object is held in `value` until it is written. An object
// written ahead of the file (a finished page, see TPdfDoc) is freed and
// its bytes are found in the document's spool file instead.
struct TPdfXrefEntry {
    char kind = 'n'; // 'n' in use, 'f' free
    int64_t fileOffset = -1;
    int32_t generation = 0;
    std::unique_ptr<TPdfObject> value;
    uint32_t spooledLength = 0;
    uint64_t spooledAt = 0;
};

// The object table: object n is entry n, entry 0 the head of the free list.
// Numbers follow registration order and are never reused.
class TPdfXref {
public:
    TPdfXref();

    // Registers a direct object, which the table owns from now on.
    template <class T>
    T& addObject(std::unique_ptr<T> object)
    {
        return static_cast<T&>(addEntry(std::move(object)));
    }
    // Null for an object that was spooled.
    TPdfObject* objectAt(int32_t n) const;
    int32_t count() const { return static_cast<int32_t>(m_entries.size()); }
    TPdfXrefEntry& entry(int32_t i) { return m_entries.at(i); }

private:
    TPdfObject& addEntry(std::unique_ptr<TPdfObject> object);

    std::vector<TPdfXrefEntry> m_entries;
};

} // namespace orv
