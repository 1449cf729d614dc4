#include "codecs/Md5.h"

#include <algorithm>
#include <cstring>

namespace orv {

namespace {

// Per-step left rotations and the constants floor(abs(sin(i + 1)) * 2^32).
constexpr uint8_t kShift[64] = {7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22,
                                5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20,
                                4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23,
                                6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21};

constexpr uint32_t kSine[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};

uint32_t rotateLeft(uint32_t value, unsigned count)
{
    return (value << count) | (value >> (32 - count));
}

} // namespace

TMd5::TMd5()
    : m_state{0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476}
{
}

void TMd5::transform(const uint8_t* block)
{
    uint32_t words[16];
    for (int i = 0; i < 16; ++i)
        words[i] = uint32_t(block[i * 4]) | uint32_t(block[i * 4 + 1]) << 8 | uint32_t(block[i * 4 + 2]) << 16 |
                   uint32_t(block[i * 4 + 3]) << 24;

    uint32_t a = m_state[0], b = m_state[1], c = m_state[2], d = m_state[3];
    for (int i = 0; i < 64; ++i) {
        uint32_t f;
        int g;
        if (i < 16) {
            f = (b & c) | (~b & d);
            g = i;
        } else if (i < 32) {
            f = (d & b) | (~d & c);
            g = (5 * i + 1) % 16;
        } else if (i < 48) {
            f = b ^ c ^ d;
            g = (3 * i + 5) % 16;
        } else {
            f = c ^ (b | ~d);
            g = (7 * i) % 16;
        }
        const uint32_t rotated = b + rotateLeft(a + f + kSine[i] + words[g], kShift[i]);
        a = d;
        d = c;
        c = b;
        b = rotated;
    }
    m_state[0] += a;
    m_state[1] += b;
    m_state[2] += c;
    m_state[3] += d;
}

void TMd5::update(std::string_view bytes)
{
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
    size_t remaining = bytes.size();
    size_t filled = m_length % 64;
    m_length += remaining;
    while (remaining > 0) {
        const size_t take = std::min(remaining, 64 - filled);
        std::memcpy(m_block.data() + filled, data, take);
        data += take;
        remaining -= take;
        filled += take;
        if (filled == 64) {
            transform(m_block.data());
            filled = 0;
        }
    }
}

TMd5::Digest TMd5::finish()
{
    const uint64_t bitLength = m_length * 8;
    // A one bit, zeros up to 56 bytes modulo 64, then the bit length, lowest byte first.
    const size_t filled = m_length % 64;
    const size_t padding = filled < 56 ? 56 - filled : 120 - filled;
    char tail[72] = {char(0x80)};
    for (int i = 0; i < 8; ++i)
        tail[padding + i] = static_cast<char>(bitLength >> (8 * i));
    update(std::string_view(tail, padding + 8));

    Digest digest;
    for (int i = 0; i < 16; ++i)
        digest[i] = static_cast<uint8_t>(m_state[i / 4] >> (8 * (i % 4)));
    return digest;
}

TMd5::Digest TMd5::digest(std::string_view bytes)
{
    TMd5 md5;
    md5.update(bytes);
    return md5.finish();
}

} // namespace orv
