#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace orv {

// The MD5 message digest (RFC 1321), fed in any number of pieces. Used for
// the keys of PDF encryption and for challenge-response authentication.
class TMd5 {
public:
    using Digest = std::array<uint8_t, 16>;

    TMd5();
    void update(std::string_view bytes);
    // Pads the message and returns its digest; the object is spent then.
    Digest finish();

    static Digest digest(std::string_view bytes);

private:
    void transform(const uint8_t* block);

    std::array<uint32_t, 4> m_state;
    std::array<uint8_t, 64> m_block{};
    uint64_t m_length = 0; // bytes fed so far
};

} // namespace orv
