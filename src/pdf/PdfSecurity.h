#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace orv {

class TPdfDictionary;

// What the reader of an encrypted document may do.
struct TPdfPermissions {
    int32_t PrintingLevel = 0; // 0 none, 1 low resolution, 2 high resolution
    bool AllowChanges = false;
    bool AllowDocumentAssembly = false;
    bool AllowCopying = false;
    bool AllowCopyingAccessibility = false;
    bool AllowCommenting = false;
    bool AllowFillingFormFields = false;
};

// What encrypts a document's strings and streams and describes itself in
// the encryption dictionary.
class TPdfSecurityHandler {
public:
    virtual ~TPdfSecurityHandler() = default;
    // The bytes of a string or stream held by object (number, generation).
    virtual std::string encrypt(std::string bytes, int32_t number, int32_t generation) const = 0;
    virtual std::unique_ptr<TPdfDictionary> encryptionDictionary() const = 0;
    // The file's version: a handler may need a newer one than 1.4.
    virtual std::string pdfVersion() const { return "1.4"; }
};

// The standard security handler, revision 2, with a 40-bit RC4 key: the
// permissions value, the owner and user entries and the document key are
// computed once; every string and stream is then encrypted under the key of
// the object that holds it.
class TPdfStandardSecurity final : public TPdfSecurityHandler {
public:
    // Passwords are bytes (blanks around them do not count); fileId is the
    // first identifier of the trailer.
    TPdfStandardSecurity(std::string_view ownerPassword, std::string_view userPassword,
                         const TPdfPermissions& permissions, std::string_view fileId);

    // P: the upper 16 bits all set, then the permission bits.
    int32_t permissions() const { return m_permissions; }
    const std::string& ownerEntry() const { return m_ownerEntry; } // 32 bytes
    const std::string& userEntry() const { return m_userEntry; }   // 32 bytes
    const std::string& documentKey() const { return m_key; }       // 5 bytes

    // The 10-byte key of object (number, generation).
    std::string objectKey(int32_t number, int32_t generation) const;
    // RC4 under the object's key; the same call decrypts.
    std::string encrypt(std::string bytes, int32_t number, int32_t generation) const override;

    // Filter, Length, V, R, O, U and P, in that order.
    std::unique_ptr<TPdfDictionary> encryptionDictionary() const override;

    // The password padded to 32 bytes with the handler's padding string.
    static std::string padPassword(std::string_view password);
    static int32_t permissionsValue(const TPdfPermissions& permissions);

private:
    int32_t m_permissions;
    std::string m_ownerEntry;
    std::string m_key;
    std::string m_userEntry;
};

} // namespace orv
