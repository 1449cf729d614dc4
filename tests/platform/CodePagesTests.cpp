#include "platform/CodePages.h"
#include "platform/CodePoints.h"

#include <QString>

#include <gtest/gtest.h>

#include <random>
#include <vector>

using namespace orv;

TEST(CodePages, Utf8BecomesOneBytePerCharacter)
{
    EXPECT_EQ(utf8ToCodePage("Gr\xC3\xBC\xC3\x9F" "e \xC3\xA9\xE2\x82\xAC", 1252), "Gr\xFC\xDF" "e \xE9\x80");
    EXPECT_EQ(utf8ToCodePage("\xC5\x81\xC3\xB3" "d\xC5\xBA \xC5\x90 \xC5\x9B", 1250), "\xA3\xF3" "d\x9F \xD5 \x9C");
    EXPECT_EQ(utf8ToCodePage("\xC4\x9E\xC4\xB1\xC5\x9F", 1254), "\xD0\xFD\xFE");
    // Code page 0 is the system's ANSI code page; unknown code pages read as 1252.
    EXPECT_EQ(utf8ToCodePage("\xC3\xA9", 0), "\xE9");
    EXPECT_EQ(utf8ToCodePage("\xC3\xA9", 437), "\xE9");
    EXPECT_EQ(effectiveCodePage(1250), 1250);
    EXPECT_EQ(effectiveCodePage(65001), 1252);
}

TEST(CodePages, CharactersTheCodePageLacksBecomeQuestionMarks)
{
    EXPECT_EQ(utf8ToCodePage("\xC5\x81 \xE4\xB8\xAD", 1252), "? ?");
    EXPECT_EQ(utf8ToCodePage("\xC3\xBF", 1250), "?") << "y with diaeresis is not Central European";
    EXPECT_EQ(utf8ToCodePage("a\xFF" "b", 1252), "a?b") << "malformed UTF-8";
    EXPECT_EQ(utf8ToCodePage(std::string("a\0b", 3), 1252), std::string("a\0b", 3));
}

TEST(CodePages, BytesReadBackAsTheirCharacters)
{
    EXPECT_EQ(codePageToUnicode(1252, 0x80), U'\u20AC');
    EXPECT_EQ(codePageToUnicode(1252, 0x9C), U'\u0153');
    EXPECT_EQ(codePageToUnicode(1250, 0x9C), U'\u015B');
    EXPECT_EQ(codePageToUnicode(1250, 0xD3), U'\u00D3');
    EXPECT_EQ(codePageToUnicode(1254, 0xDD), U'\u0130');
    EXPECT_EQ(codePageToUnicode(1252, 0x81), 0U) << "undefined";
    EXPECT_EQ(codePageToUnicode(1250, 'A'), U'A');
    for (int byte = 0xA0; byte <= 0xFF; ++byte)
        EXPECT_EQ(codePageToUnicode(1252, uint8_t(byte)), char32_t(byte)) << "Latin-1 half of 1252";
}

TEST(CodePages, Utf16KeepsCharactersBeyondTheBasicPlane)
{
    EXPECT_EQ(utf8ToUtf16("A\xE2\x82\xAC\xF0\x9F\x98\x80"), u"A\u20AC\U0001F600");
}

TEST(CodePages, EveryDefinedByteComesBackFromItsCharacter)
{
    for (int32_t codePage : {1250, 1252, 1254}) {
        for (int byte = 1; byte < 256; ++byte) {
            const char32_t c = codePageToUnicode(codePage, static_cast<uint8_t>(byte));
            if (c == 0)
                continue;
            const std::string utf8 = toUtf8(std::u32string(1, c));
            EXPECT_EQ(utf8ToCodePage(utf8, codePage), std::string(1, static_cast<char>(byte))) << codePage << " " << byte;
            EXPECT_TRUE(fitsCodePage(utf8, codePage)) << codePage << " " << byte;
        }
        // Characters just beside those of the table have no byte.
        EXPECT_EQ(utf8ToCodePage("\xE2\x82\xAB \xC4\xB0", codePage), codePage == 1254 ? "? \xDD" : "? ?");
    }
}

// The direct conversions give what QString gives, for well-formed and
// broken text alike: random mixes of ASCII, multi-byte sequences, stray
// continuation bytes, truncated and overlong sequences, surrogates, byte
// order marks and code points beyond Unicode.
TEST(CodePoints, ConvertAsQStringDoes)
{
    std::mt19937 random(20261210);
    const std::vector<std::string> pieces = {"a", " ", "\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9D\x84\x9E", "\x80",
                                             "\xC3", "\xE2\x82", "\xC0\xAF", "\xED\xA0\x80", "\xEF\xBB\xBF",
                                             "\xF4\x90\x80\x80", "\xFF", "\xE0\x80\x80"};
    const std::vector<char32_t> points = {'a', 0xE9, 0x20AC, 0x1D11E, 0xD800, 0xDFFF, 0xFEFF, 0x110000, 0x7F, 0x800};
    for (int round = 0; round < 2000; ++round) {
        std::string utf8;
        std::u32string codePoints;
        const int length = static_cast<int>(random() % 12);
        for (int i = 0; i < length; ++i) {
            utf8 += pieces[random() % pieces.size()];
            codePoints += points[random() % points.size()];
        }
        EXPECT_EQ(toCodePoints(utf8), QString::fromUtf8(utf8.data(), qsizetype(utf8.size())).toStdU32String())
            << ::testing::PrintToString(utf8);
        EXPECT_EQ(toUtf8(codePoints), QString::fromUcs4(codePoints.data(), qsizetype(codePoints.size())).toStdString())
            << round;
    }
    EXPECT_EQ(toCodePoints("caf\xC3\xA9 \xF0\x9D\x84\x9E"), U"caf\u00E9 \U0001D11E");
    EXPECT_EQ(toUtf8(U"caf\u00E9 \U0001D11E"), "caf\xC3\xA9 \xF0\x9D\x84\x9E");
}
