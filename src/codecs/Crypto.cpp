#include "codecs/Crypto.h"

#include <openssl/evp.h>
#include <openssl/rand.h>

#include <memory>
#include <stdexcept>

namespace orv {

namespace {

struct ContextRelease {
    void operator()(EVP_CIPHER_CTX* context) const { EVP_CIPHER_CTX_free(context); }
};

std::string digest(const EVP_MD* kind, std::string_view bytes)
{
    unsigned char out[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (!EVP_Digest(bytes.data(), bytes.size(), out, &length, kind, nullptr))
        throw std::runtime_error("Digest failed");
    return {reinterpret_cast<const char*>(out), length};
}

const EVP_CIPHER* aesCipher(std::string_view key, bool chained)
{
    if (key.size() == 16)
        return chained ? EVP_aes_128_cbc() : EVP_aes_128_ecb();
    if (key.size() == 32)
        return chained ? EVP_aes_256_cbc() : EVP_aes_256_ecb();
    throw std::runtime_error("AES: Invalid key length");
}

std::string runCipher(const EVP_CIPHER* cipher, std::string_view key, std::string_view iv, std::string_view bytes,
                      bool padding, bool encrypting)
{
    if (!iv.empty() && iv.size() != 16)
        throw std::runtime_error("AES: Invalid initialisation vector");
    if (!padding && bytes.size() % 16 != 0)
        throw std::runtime_error("AES: Input is not whole blocks");
    std::unique_ptr<EVP_CIPHER_CTX, ContextRelease> context(EVP_CIPHER_CTX_new());
    const auto* keyBytes = reinterpret_cast<const unsigned char*>(key.data());
    const auto* ivBytes = iv.empty() ? nullptr : reinterpret_cast<const unsigned char*>(iv.data());
    if (!context || !EVP_CipherInit_ex(context.get(), cipher, nullptr, keyBytes, ivBytes, encrypting ? 1 : 0))
        throw std::runtime_error("AES: Cipher setup failed");
    EVP_CIPHER_CTX_set_padding(context.get(), padding ? 1 : 0);
    std::string out(bytes.size() + 16, '\0');
    auto* outBytes = reinterpret_cast<unsigned char*>(out.data());
    int written = 0, last = 0;
    if (!EVP_CipherUpdate(context.get(), outBytes, &written, reinterpret_cast<const unsigned char*>(bytes.data()),
                          static_cast<int>(bytes.size())) ||
        !EVP_CipherFinal_ex(context.get(), outBytes + written, &last))
        throw std::runtime_error("AES: Cipher failed");
    out.resize(static_cast<size_t>(written + last));
    return out;
}

} // namespace

std::string sha256(std::string_view bytes)
{
    return digest(EVP_sha256(), bytes);
}

std::string sha384(std::string_view bytes)
{
    return digest(EVP_sha384(), bytes);
}

std::string sha512(std::string_view bytes)
{
    return digest(EVP_sha512(), bytes);
}

std::string aesCbcEncrypt(std::string_view key, std::string_view iv, std::string_view bytes, bool padding)
{
    if (iv.size() != 16)
        throw std::runtime_error("AES: Invalid initialisation vector");
    return runCipher(aesCipher(key, true), key, iv, bytes, padding, true);
}

std::string aesCbcDecrypt(std::string_view key, std::string_view iv, std::string_view bytes, bool padding)
{
    if (iv.size() != 16)
        throw std::runtime_error("AES: Invalid initialisation vector");
    return runCipher(aesCipher(key, true), key, iv, bytes, padding, false);
}

std::string aesEcbEncrypt(std::string_view key, std::string_view bytes)
{
    return runCipher(aesCipher(key, false), key, {}, bytes, false, true);
}

std::string randomBytes(size_t count)
{
    std::string bytes(count, '\0');
    if (count && RAND_bytes(reinterpret_cast<unsigned char*>(bytes.data()), static_cast<int>(count)) != 1)
        throw std::runtime_error("No random bytes available");
    return bytes;
}

} // namespace orv
