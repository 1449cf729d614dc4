#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orv {

// Ciphers and digests of OpenSSL's libcrypto, on byte strings.

std::string sha256(std::string_view bytes);
std::string sha384(std::string_view bytes);
std::string sha512(std::string_view bytes);

// AES in cipher block chaining mode; the key is 16 or 32 bytes (AES-128 or
// AES-256), the initialisation vector 16. With padding the result is padded
// to whole blocks (PKCS #7); without it the input must already be whole
// blocks. Throws std::runtime_error on a bad key, vector or length.
std::string aesCbcEncrypt(std::string_view key, std::string_view iv, std::string_view bytes, bool padding);
std::string aesCbcDecrypt(std::string_view key, std::string_view iv, std::string_view bytes, bool padding);
// AES of whole blocks, each on its own (electronic code book), no padding.
std::string aesEcbEncrypt(std::string_view key, std::string_view bytes);

// Bytes from the system's cryptographic random source; throws
// std::runtime_error when it has none to give.
std::string randomBytes(size_t count);

} // namespace orv
