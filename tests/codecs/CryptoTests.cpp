// The libcrypto wrappers against the published test vectors.

#include "codecs/Crypto.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace orv;

namespace {

std::string fromHex(std::string_view digits)
{
    std::string bytes;
    for (size_t i = 0; i + 1 < digits.size(); i += 2)
        bytes += static_cast<char>(std::stoi(std::string(digits.substr(i, 2)), nullptr, 16));
    return bytes;
}

std::string toHex(std::string_view bytes)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (unsigned char byte : bytes) {
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 15];
    }
    return hex;
}

} // namespace

TEST(Crypto, DigestsMatchTheFipsVectors)
{
    EXPECT_EQ(toHex(sha256("abc")), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(toHex(sha384("abc")), "cb00753f45a35e8bb5a03d699ac65007272c32ab0eded1631a8b605a43ff5bed"
                                    "8086072ba1e7cc2358baeca134c825a7");
    EXPECT_EQ(toHex(sha512("abc")), "ddaf35a193617abacc417349ae20413112e6fa4e89a97ea20a9eeee64b55d39a"
                                    "2192992a274fc1a836ba3c23a3feebbd454d4423643ce80e2a9ac94fa54ca49f");
}

TEST(Crypto, AesMatchesTheFipsVectorsAndRoundTrips)
{
    const std::string block = fromHex("00112233445566778899aabbccddeeff");
    EXPECT_EQ(toHex(aesEcbEncrypt(fromHex("000102030405060708090a0b0c0d0e0f"), block)),
              "69c4e0d86a7b0430d8cdb78070b4c55a");
    const std::string key256 = fromHex("000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f");
    EXPECT_EQ(toHex(aesEcbEncrypt(key256, block)), "8ea2b7ca516745bfeafc49904b496089");

    // Cipher block chaining from a zero vector: the first block is the
    // plain cipher of the block.
    const std::string zero(16, '\0');
    EXPECT_EQ(toHex(aesCbcEncrypt(key256, zero, block, false)), "8ea2b7ca516745bfeafc49904b496089");

    // Padding always adds 1 to 16 bytes and comes off again.
    for (size_t length : {0u, 1u, 15u, 16u, 17u, 1000u}) {
        const std::string plain(length, 'x');
        const std::string sealed = aesCbcEncrypt(key256, block, plain, true);
        EXPECT_EQ(sealed.size(), (length / 16 + 1) * 16) << length;
        EXPECT_EQ(aesCbcDecrypt(key256, block, sealed, true), plain) << length;
    }
}

TEST(Crypto, BadKeysVectorsAndLengthsAreRefused)
{
    const std::string iv(16, '\0');
    EXPECT_THROW(aesCbcEncrypt(std::string(24, 'k'), iv, "x", true), std::runtime_error);
    EXPECT_THROW(aesCbcEncrypt(std::string(32, 'k'), std::string(8, '\0'), "x", true), std::runtime_error);
    EXPECT_THROW(aesCbcEncrypt(std::string(32, 'k'), iv, "seventeen bytes!!", false), std::runtime_error);
    EXPECT_THROW(aesEcbEncrypt(std::string(32, 'k'), "short"), std::runtime_error);
}

TEST(Crypto, RandomBytesDiffer)
{
    const std::string a = randomBytes(32), b = randomBytes(32);
    EXPECT_EQ(a.size(), 32u);
    EXPECT_NE(a, b);
    EXPECT_TRUE(randomBytes(0).empty());
}
