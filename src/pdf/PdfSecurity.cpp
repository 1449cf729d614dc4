#include "pdf/PdfSecurity.h"

#include "pdf/PdfFormat.h"
#include "pdf/PdfObjects.h"
#include "codecs/Rc4.h"
#include "platform/AsciiText.h"
#include "codecs/Md5.h"

namespace orv {

namespace {

constexpr size_t kKeyLength = 5; // 40 bits

// The padding string of the standard security handler.
constexpr unsigned char kPadding[32] = {0x28, 0xBF, 0x4E, 0x5E, 0x4E, 0x75, 0x8A, 0x41, 0x64, 0x00, 0x4E,
                                        0x56, 0xFF, 0xFA, 0x01, 0x08, 0x2E, 0x2E, 0x00, 0xB6, 0xD0, 0x68,
                                        0x3E, 0x80, 0x2F, 0x0C, 0xA9, 0xFE, 0x64, 0x53, 0x69, 0x7A};

std::string_view paddingString()
{
    return {reinterpret_cast<const char*>(kPadding), sizeof kPadding};
}

std::string digestPrefix(const TMd5::Digest& digest, size_t length)
{
    return std::string(reinterpret_cast<const char*>(digest.data()), length);
}

// The lowest `count` bytes of a value, lowest first.
std::string littleEndian(uint32_t value, int count)
{
    std::string bytes;
    for (int i = 0; i < count; ++i)
        bytes += static_cast<char>(value >> (8 * i));
    return bytes;
}

} // namespace

std::string TPdfStandardSecurity::padPassword(std::string_view password)
{
    std::string padded(trimBlanks(password).substr(0, 32));
    padded += paddingString().substr(0, 32 - padded.size());
    return padded;
}

int32_t TPdfStandardSecurity::permissionsValue(const TPdfPermissions& p)
{
    // Bits 7, 8 and 13 to 32 are always set; bits 9 to 12 are the ones a
    // reader of revision 3 looks at, a reader of revision 2 ignores them.
    uint32_t low = 0xC0;
    if (p.PrintingLevel >= 1)
        low |= 0x04;
    if (p.AllowChanges)
        low |= 0x08;
    if (p.AllowCopying)
        low |= 0x10;
    if (p.AllowCommenting)
        low |= 0x20;
    uint32_t high = 0xF0;
    if (p.AllowFillingFormFields)
        high |= 0x01;
    if (p.AllowCopyingAccessibility)
        high |= 0x02;
    if (p.AllowDocumentAssembly)
        high |= 0x04;
    if (p.PrintingLevel >= 2)
        high |= 0x08;
    return static_cast<int32_t>(high * 256 + low) - 65536;
}

TPdfStandardSecurity::TPdfStandardSecurity(std::string_view ownerPassword, std::string_view userPassword,
                                           const TPdfPermissions& permissions, std::string_view fileId)
    : m_permissions(permissionsValue(permissions))
{
    const std::string paddedUser = padPassword(userPassword);
    const std::string ownerKey = digestPrefix(TMd5::digest(padPassword(ownerPassword)), kKeyLength);
    m_ownerEntry = TRc4::apply(ownerKey, paddedUser);

    TMd5 keyDigest;
    keyDigest.update(paddedUser);
    keyDigest.update(m_ownerEntry);
    keyDigest.update(littleEndian(static_cast<uint32_t>(m_permissions), 4));
    keyDigest.update(fileId);
    m_key = digestPrefix(keyDigest.finish(), kKeyLength);

    m_userEntry = TRc4::apply(m_key, std::string(paddingString()));
}

std::string TPdfStandardSecurity::objectKey(int32_t number, int32_t generation) const
{
    TMd5 digest;
    digest.update(m_key);
    digest.update(littleEndian(static_cast<uint32_t>(number), 3));
    digest.update(littleEndian(static_cast<uint32_t>(generation), 2));
    return digestPrefix(digest.finish(), kKeyLength + 5);
}

std::string TPdfStandardSecurity::encrypt(std::string bytes, int32_t number, int32_t generation) const
{
    if (bytes.empty())
        return bytes;
    return TRc4::apply(objectKey(number, generation), std::move(bytes));
}

std::unique_ptr<TPdfDictionary> TPdfStandardSecurity::encryptionDictionary() const
{
    auto dictionary = std::make_unique<TPdfDictionary>();
    dictionary->addName("Filter", "Standard");
    dictionary->add("Length", std::make_unique<TPdfNumber>(kKeyLength * 8));
    dictionary->add("V", std::make_unique<TPdfNumber>(2));
    dictionary->add("R", std::make_unique<TPdfNumber>(2));
    dictionary->add("O", std::make_unique<TPdfHex>(hexDigits(m_ownerEntry)));
    dictionary->add("U", std::make_unique<TPdfHex>(hexDigits(m_userEntry)));
    dictionary->add("P", std::make_unique<TPdfNumber>(m_permissions));
    return dictionary;
}

} // namespace orv
