#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace orv {

// The RC4 stream cipher. Encrypting and decrypting are the same transform;
// each object of an encrypted PDF gets a cipher of its own key. The state
// is wiped when the cipher is destroyed.
class TRc4 {
public:
    // Throws std::runtime_error for a key shorter than 1 or longer than 256 bytes.
    explicit TRc4(std::string_view key);
    ~TRc4();
    TRc4(const TRc4&) = delete;
    TRc4& operator=(const TRc4&) = delete;

    // Transforms the bytes in place, continuing the key stream.
    void transform(std::string& bytes);

    // One-call transform of bytes under a fresh key.
    static std::string apply(std::string_view key, std::string bytes);

private:
    std::array<uint8_t, 256> m_state;
    uint8_t m_i = 0;
    uint8_t m_j = 0;
};

} // namespace orv
