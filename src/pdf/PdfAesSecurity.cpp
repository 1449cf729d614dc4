#include "pdf/PdfAesSecurity.h"

#include "codecs/Crypto.h"
#include "pdf/PdfFormat.h"
#include "pdf/PdfObjects.h"
#include "platform/AsciiText.h"

#include <QString>

#include <algorithm>

namespace orv {

namespace {

const std::string kZeroVector(16, '\0');

// Characters a password drops: they stand for nothing visible (soft
// hyphen, joiners, variation selectors, the byte order mark).
bool mapsToNothing(char32_t c)
{
    return c == 0x00AD || c == 0x034F || c == 0x1806 || (c >= 0x180B && c <= 0x180D) || (c >= 0x200B && c <= 0x200D) ||
           c == 0x2060 || (c >= 0xFE00 && c <= 0xFE0F) || c == 0xFEFF;
}

// Spaces other than U+0020.
bool otherSpace(char32_t c)
{
    return c == 0x00A0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x202F || c == 0x205F || c == 0x3000;
}

std::unique_ptr<TPdfHex> hexEntry(std::string_view bytes)
{
    return std::make_unique<TPdfHex>(hexDigits(bytes));
}

} // namespace

std::string TPdfAes256Security::preparePassword(std::string_view utf8)
{
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    std::u32string mapped;
    for (char32_t c : text.toStdU32String()) {
        if (mapsToNothing(c))
            continue;
        mapped += otherSpace(c) ? U' ' : c;
    }
    std::string prepared = QString::fromStdU32String(mapped).normalized(QString::NormalizationForm_KC).toStdString();
    if (prepared.size() > 127)
        prepared.resize(127);
    return prepared;
}

std::string TPdfAes256Security::passwordHash(std::string_view password, std::string_view salt,
                                             std::string_view userEntry)
{
    std::string k = sha256(std::string(password) + std::string(salt) + std::string(userEntry));
    std::string e;
    for (int round = 0; round < 64 || static_cast<uint8_t>(e.back()) > round - 32; ++round) {
        const std::string block = std::string(password) + k + std::string(userEntry);
        std::string k1;
        k1.reserve(block.size() * 64);
        for (int i = 0; i < 64; ++i)
            k1 += block;
        e = aesCbcEncrypt(std::string_view(k).substr(0, 16), std::string_view(k).substr(16, 16), k1, false);
        // The first 16 bytes as a big number modulo 3 choose the next digest.
        int remainder = 0;
        for (int i = 0; i < 16; ++i)
            remainder += static_cast<uint8_t>(e[i]);
        switch (remainder % 3) {
        case 0: k = sha256(e); break;
        case 1: k = sha384(e); break;
        default: k = sha512(e); break;
        }
    }
    return k.substr(0, 32);
}

int32_t TPdfAes256Security::permissionsValue(const TPdfPermissions& p)
{
    uint32_t bits = 0xFFFFF0C0u; // the bits that must be set
    if (p.PrintingLevel >= 1)
        bits |= 0x0004;
    if (p.PrintingLevel >= 2)
        bits |= 0x0800;
    if (p.AllowChanges)
        bits |= 0x0008;
    if (p.AllowCopying)
        bits |= 0x0010;
    if (p.AllowCommenting)
        bits |= 0x0020;
    if (p.AllowFillingFormFields)
        bits |= 0x0100;
    if (p.AllowCopyingAccessibility)
        bits |= 0x0200;
    if (p.AllowDocumentAssembly)
        bits |= 0x0400;
    return static_cast<int32_t>(bits);
}

TPdfAes256Security::TPdfAes256Security(std::string_view ownerPassword, std::string_view userPassword,
                                       const TPdfPermissions& permissions)
    : m_permissions(permissionsValue(permissions))
    , m_fileKey(randomBytes(32))
{
    const std::string user = preparePassword(trimBlanks(userPassword));
    const std::string owner = preparePassword(trimBlanks(ownerPassword));

    // Each entry: the hash, its validation salt, its key salt.
    const std::string userSalts = randomBytes(16);
    m_userEntry = passwordHash(user, userSalts.substr(0, 8), {}) + userSalts;
    m_userKey = aesCbcEncrypt(passwordHash(user, userSalts.substr(8, 8), {}), kZeroVector, m_fileKey, false);

    const std::string ownerSalts = randomBytes(16);
    m_ownerEntry = passwordHash(owner, ownerSalts.substr(0, 8), m_userEntry) + ownerSalts;
    m_ownerKey = aesCbcEncrypt(passwordHash(owner, ownerSalts.substr(8, 8), m_userEntry), kZeroVector, m_fileKey, false);

    std::string perms;
    const auto p = static_cast<uint32_t>(m_permissions);
    for (int shift = 0; shift < 32; shift += 8)
        perms += static_cast<char>((p >> shift) & 0xFF);
    perms += std::string(4, '\xFF');
    perms += "Tadb"; // T: the metadata is encrypted too
    perms += randomBytes(4);
    m_perms = aesEcbEncrypt(m_fileKey, perms);
}

std::string TPdfAes256Security::encrypt(std::string bytes, int32_t, int32_t) const
{
    const std::string iv = randomBytes(16);
    return iv + aesCbcEncrypt(m_fileKey, iv, bytes, true);
}

std::unique_ptr<TPdfDictionary> TPdfAes256Security::encryptionDictionary() const
{
    auto filter = std::make_unique<TPdfDictionary>();
    filter->setLineBreaks(false);
    filter->addName("AuthEvent", "DocOpen");
    filter->addName("CFM", "AESV3");
    filter->add("Length", std::make_unique<TPdfNumber>(32));
    auto filters = std::make_unique<TPdfDictionary>();
    filters->setLineBreaks(false);
    filters->add("StdCF", std::move(filter));

    auto dictionary = std::make_unique<TPdfDictionary>();
    dictionary->addName("Filter", "Standard");
    dictionary->add("V", std::make_unique<TPdfNumber>(5));
    dictionary->add("R", std::make_unique<TPdfNumber>(6));
    dictionary->add("Length", std::make_unique<TPdfNumber>(256));
    dictionary->add("CF", std::move(filters));
    dictionary->addName("StmF", "StdCF");
    dictionary->addName("StrF", "StdCF");
    dictionary->add("O", hexEntry(m_ownerEntry));
    dictionary->add("U", hexEntry(m_userEntry));
    dictionary->add("OE", hexEntry(m_ownerKey));
    dictionary->add("UE", hexEntry(m_userKey));
    dictionary->add("P", std::make_unique<TPdfNumber>(m_permissions));
    dictionary->add("Perms", hexEntry(m_perms));
    return dictionary;
}

} // namespace orv
