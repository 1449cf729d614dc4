#pragma once

#include "pdf/PdfSecurity.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace orv {

// The standard security handler of PDF 2.0, revision 6: a random 256-bit
// file key, AES-256 in cipher block chaining mode with a random
// initialisation vector in front of every string and stream, and the
// passwords (UTF-8) hashed with SHA-256/384/512 and salts. Readers that
// know revision 6 open the file with either password.
class TPdfAes256Security final : public TPdfSecurityHandler {
public:
    // Blanks around a password do not count, as with the 40-bit handler.
    TPdfAes256Security(std::string_view ownerPassword, std::string_view userPassword,
                       const TPdfPermissions& permissions);

    std::string encrypt(std::string bytes, int32_t number, int32_t generation) const override;
    // Filter, V 5, R 6, Length 256, CF with the AESV3 filter, StmF, StrF,
    // O, U, OE, UE, P and Perms.
    std::unique_ptr<TPdfDictionary> encryptionDictionary() const override;
    std::string pdfVersion() const override { return "1.7"; }

    int32_t permissions() const { return m_permissions; }
    const std::string& fileKey() const { return m_fileKey; }       // 32 bytes
    const std::string& userEntry() const { return m_userEntry; }   // U: 48 bytes
    const std::string& ownerEntry() const { return m_ownerEntry; } // O: 48 bytes
    const std::string& userKeyEntry() const { return m_userKey; }  // UE: 32 bytes
    const std::string& ownerKeyEntry() const { return m_ownerKey; } // OE: 32 bytes
    const std::string& permsEntry() const { return m_perms; }      // Perms: 16 bytes

    // A UTF-8 password as revision 6 hashes it: spaces of other scripts
    // become plain spaces, characters that stand for nothing go, the text
    // is normalised (NFKC) and cut to 127 bytes.
    static std::string preparePassword(std::string_view utf8);
    // The revision 6 password hash of a prepared password with a salt and,
    // for the owner, the 48-byte user entry.
    static std::string passwordHash(std::string_view password, std::string_view salt, std::string_view userEntry);
    // P of revision 6: every permission has its own bit; printing level 2
    // adds the high-quality bit to the printing bit.
    static int32_t permissionsValue(const TPdfPermissions& permissions);

private:
    int32_t m_permissions;
    std::string m_fileKey;
    std::string m_userEntry;
    std::string m_userKey;
    std::string m_ownerEntry;
    std::string m_ownerKey;
    std::string m_perms;
};

} // namespace orv
