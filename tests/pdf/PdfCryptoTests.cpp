#include "pdf/PdfFormat.h"
#include "pdf/PdfObjects.h"
#include "pdf/PdfSecurity.h"
#include "codecs/Rc4.h"
#include "codecs/Md5.h"

#include <gtest/gtest.h>

using namespace orv;

namespace {

std::string md5Hex(const TMd5::Digest& digest)
{
    return hexDigits(std::string(reinterpret_cast<const char*>(digest.data()), digest.size()));
}

std::string fromHex(std::string_view digits)
{
    std::string bytes;
    for (size_t i = 0; i + 1 < digits.size(); i += 2)
        bytes += static_cast<char>(std::stoi(std::string(digits.substr(i, 2)), nullptr, 16));
    return bytes;
}

// The bytes of the literal string that opens at `open`, escapes undone.
std::string literalAt(std::string_view text, size_t open)
{
    std::string bytes;
    for (size_t i = open + 1; i < text.size() && text[i] != ')'; ++i) {
        char c = text[i];
        if (c == '\\') {
            c = text[++i];
            c = c == 'r' ? '\r' : c == 'n' ? '\n' : c == 't' ? '\t' : c == 'b' ? '\b' : c == 'f' ? '\f' : c;
        }
        bytes += c;
    }
    return bytes;
}

const std::string kFileId = fromHex("E447665A289A9D13D1F3E04E75870CA0");

} // namespace

TEST(PdfCrypto, Md5PassesTheRfc1321Suite)
{
    const std::pair<const char*, const char*> vectors[] = {
        {"", "D41D8CD98F00B204E9800998ECF8427E"},
        {"a", "0CC175B9C0F1B6A831C399E269772661"},
        {"abc", "900150983CD24FB0D6963F7D28E17F72"},
        {"message digest", "F96B697D7CB7938D525A2F31AAF161D0"},
        {"abcdefghijklmnopqrstuvwxyz", "C3FCD3D76192E4007DFB496CCA67E13B"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "D174AB98D277D9F5A5611C2C9F419D9F"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57EDF4A22BE3C955AC49DA2E2107B67A"},
    };
    for (const auto& [message, digest] : vectors)
        EXPECT_EQ(md5Hex(TMd5::digest(message)), digest) << message;

    // A million "a", fed in pieces that straddle the 64-byte blocks.
    TMd5 md5;
    const std::string piece(1000, 'a');
    for (int i = 0; i < 1000; ++i)
        md5.update(piece);
    EXPECT_EQ(md5Hex(md5.finish()), "7707D6AE4E027C70EEA2A935C2296F21");
}

TEST(PdfCrypto, Rc4PassesTheKnownVectors)
{
    EXPECT_EQ(hexDigits(TRc4::apply("Key", "Plaintext")), "BBF316E8D940AF0AD3");
    EXPECT_EQ(hexDigits(TRc4::apply("Wiki", "pedia")), "1021BF0420");
    EXPECT_EQ(hexDigits(TRc4::apply("Secret", "Attack at dawn")), "45A01F645FC35B383552544B9BF5");
    // RFC 6229: the first 16 key stream bytes of the 40-bit key 0102030405.
    EXPECT_EQ(hexDigits(TRc4::apply(fromHex("0102030405"), std::string(16, '\0'))), "B2396305F03DC027CCC3524A0A1118A8");
    // The transform is its own inverse, also when applied in pieces.
    TRc4 cipher("Secret");
    std::string first = fromHex("45A01F645FC35B");
    std::string second = fromHex("383552544B9BF5");
    cipher.transform(first);
    cipher.transform(second);
    EXPECT_EQ(first + second, "Attack at dawn");
}

TEST(PdfCrypto, Rc4RefusesKeysOutsideOneTo256Bytes)
{
    for (size_t length : {size_t(0), size_t(257)}) {
        try {
            TRc4 cipher(std::string(length, 'k'));
            FAIL() << "a key of " << length << " bytes was accepted";
        } catch (const std::runtime_error& e) {
            EXPECT_STREQ(e.what(), "RC4: Invalid key length");
        }
    }
    EXPECT_NO_THROW(TRc4(std::string(256, 'k')));
}

TEST(PdfCrypto, PermissionsSetTheBitsOfTheirSettings)
{
    TPdfPermissions none;
    EXPECT_EQ(TPdfStandardSecurity::permissionsValue(none), -3904); // FF FF F0 C0

    TPdfPermissions lowPrinting;
    lowPrinting.PrintingLevel = 1;
    EXPECT_EQ(TPdfStandardSecurity::permissionsValue(lowPrinting), -3904 + 0x04);

    TPdfPermissions highPrinting;
    highPrinting.PrintingLevel = 2;
    EXPECT_EQ(TPdfStandardSecurity::permissionsValue(highPrinting), -3904 + 0x04 + 0x800);

    TPdfPermissions all{1, true, true, true, true, true, true};
    // Print, modify, copy, annotate; forms, accessibility, assembly.
    EXPECT_EQ(TPdfStandardSecurity::permissionsValue(all), -3904 + 0x04 + 0x08 + 0x10 + 0x20 + 0x100 + 0x200 + 0x400);
}

TEST(PdfCrypto, EntriesAndKeyMatchTheStandardAlgorithms)
{
    const std::string padding = fromHex("28BF4E5E4E758A4164004E56FFFA01082E2E00B6D0683E802F0CA9FE6453697A");
    EXPECT_EQ(TPdfStandardSecurity::padPassword(""), padding);
    EXPECT_EQ(TPdfStandardSecurity::padPassword(" u "), "u" + padding.substr(0, 31));
    EXPECT_EQ(TPdfStandardSecurity::padPassword(std::string(40, 'p')), std::string(32, 'p'));


    // Reference values from an independent implementation of the revision 2
    // algorithms, for the file identifier every document carries.
    const TPdfStandardSecurity security("o", "u", TPdfPermissions{}, kFileId);
    EXPECT_EQ(hexDigits(security.ownerEntry()), "853FEE3F6550FC3BC212797EAED99CC9BE53347583A738E25FDFB1242BF93366");
    EXPECT_EQ(hexDigits(security.userEntry()), "22B9108065AF0F8A24B61B3EB8C4C72066EA81CC06E96C718F780768F486E380");
    EXPECT_EQ(hexDigits(security.documentKey()), "ABF6733FEF");

    const TPdfStandardSecurity blanks("  o ", " u  ", TPdfPermissions{}, kFileId);
    EXPECT_EQ(blanks.ownerEntry(), security.ownerEntry());
    const TPdfStandardSecurity open("", "", TPdfPermissions{}, kFileId);
    EXPECT_EQ(hexDigits(open.ownerEntry()), "2055C756C72E1AD702608E8196ACAD447AD32D17CFF583235F6DD15FED7DAB67");
    EXPECT_EQ(hexDigits(open.documentKey()), "69A1085459");

    std::string dictionary;
    security.encryptionDictionary()->writeTo(dictionary, TPdfWriteContext{});
    EXPECT_EQ(dictionary, "<<\r\n/Filter /Standard\r\n/Length 40\r\n/V 2\r\n/R 2\r\n/O <" +
                              hexDigits(security.ownerEntry()) + ">\r\n/U <" + hexDigits(security.userEntry()) +
                              ">\r\n/P -3904\r\n>>");
}

TEST(PdfCrypto, NestedStringsUseTheKeyOfTheirIndirectObject)
{
    const TPdfStandardSecurity security("o", "u", TPdfPermissions{}, kFileId);
    TPdfXref xref;
    for (int i = 0; i < 299; ++i)
        xref.addObject(std::make_unique<TPdfNull>());
    auto& annotation = xref.addObject(std::make_unique<TPdfDictionary>());
    auto action = std::make_unique<TPdfDictionary>();
    action->setLineBreaks(false);
    action->add("URI", std::make_unique<TPdfString>("https://example.com/(x)"));
    annotation.add("A", std::move(action));

    std::string out;
    annotation.writeIndirect(out, &security);
    ASSERT_EQ(out.find("example"), std::string::npos) << "the link target is written in clear";
    const std::string encrypted = literalAt(out, out.find("/URI (") + 5);
    // Object 300 keys with its low three bytes 2C 01 00.
    EXPECT_EQ(TRc4::apply(security.objectKey(300, 0), encrypted), "https://example.com/(x)");
}
