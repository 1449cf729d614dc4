#include <orvreport/Variant.h>

#include <gtest/gtest.h>

#include <clocale>

using namespace orv;

namespace {

HResult statusOf(const std::function<void()>& conversion)
{
    try {
        conversion();
    } catch (const EngineError& e) {
        return e.status();
    }
    return S_OK;
}

} // namespace

TEST(VariantText, FollowsVbCStr)
{
    EXPECT_EQ(Variant(8.2677164f).toString(), "8.267716");
    EXPECT_EQ(Variant(11.692913f).toString(), "11.69291");
    EXPECT_EQ(Variant(12345678.0f).toString(), "1.234568E+07");
    EXPECT_EQ(Variant(1234567.0f).toString(), "1234567");
    EXPECT_EQ(Variant(0.00001f).toString(), "1E-05");
    EXPECT_EQ(Variant(0.1).toString(), "0.1");
    EXPECT_EQ(Variant(1.0 / 3).toString(), "0.333333333333333");
    EXPECT_EQ(Variant(-2.5).toString(), "-2.5");
    EXPECT_EQ(Variant(Currency{2500}).toString(), "0.25");
    EXPECT_EQ(Variant(Currency{-12345}).toString(), "-1.2345");
    EXPECT_EQ(Variant(Currency{30000}).toString(), "3");
    EXPECT_EQ(Variant(true).toString(), "True");
    EXPECT_EQ(Variant(false).toString(), "False");
    EXPECT_EQ(Variant().toString(), "");
    EXPECT_EQ(Variant(int16_t(-7)).toString(), "-7");
    EXPECT_EQ(statusOf([] { Variant::null().toString(); }), DISP_E_TYPEMISMATCH);
}

TEST(VariantText, IgnoresTheProcessLocale)
{
    const char* saved = std::setlocale(LC_NUMERIC, nullptr);
    std::string restore = saved ? saved : "C";
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
        std::setlocale(LC_NUMERIC, "fr_FR.UTF-8");
    EXPECT_EQ(Variant(2.5).toString(), "2.5");
    EXPECT_EQ(Variant("2.5").toDouble(), 2.5);
    std::setlocale(LC_NUMERIC, restore.c_str());
}

TEST(VariantNumbers, RoundHalfToEvenAndCheckRange)
{
    EXPECT_EQ(Variant(2.5).toInt32(), 2);
    EXPECT_EQ(Variant(3.5).toInt32(), 4);
    EXPECT_EQ(Variant(-2.5f).toInt32(), -2);
    EXPECT_EQ(Variant(Currency{15000}).toInt32(), 2);
    EXPECT_EQ(Variant(true).toInt32(), -1);
    EXPECT_EQ(Variant().toInt32(), 0);
    EXPECT_EQ(Variant(" 42 ").toInt32(), 42);
    EXPECT_EQ(Variant("1e3").toInt16(), 1000);
    EXPECT_EQ(Variant(70000).toSingle(), 70000.0f);
    EXPECT_EQ(Variant(0.7).toCurrency().scaled, 7000);

    EXPECT_EQ(statusOf([] { Variant(40000).toInt16(); }), DISP_E_OVERFLOW);
    EXPECT_EQ(statusOf([] { Variant(3e9).toInt32(); }), DISP_E_OVERFLOW);
    EXPECT_EQ(statusOf([] { Variant(-1).toByte(); }), DISP_E_OVERFLOW);
    EXPECT_EQ(statusOf([] { Variant(1e300).toSingle(); }), DISP_E_OVERFLOW);
    EXPECT_EQ(statusOf([] { Variant("abc").toInt32(); }), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(statusOf([] { Variant("").toDouble(); }), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(statusOf([] { Variant("12abc").toInt32(); }), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(statusOf([] { Variant::null().toInt32(); }), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(statusOf([] { Variant::missing().toInt32(); }), DISP_E_TYPEMISMATCH);
}

TEST(VariantBooleans, AcceptWordsAndNumbers)
{
    EXPECT_TRUE(Variant("true").toBool());
    EXPECT_FALSE(Variant("FALSE").toBool());
    EXPECT_TRUE(Variant(5).toBool());
    EXPECT_FALSE(Variant(0.0).toBool());
    EXPECT_TRUE(Variant("-1").toBool());
    EXPECT_EQ(statusOf([] { Variant("maybe").toBool(); }), DISP_E_TYPEMISMATCH);
}

TEST(VariantTypes, NamesAndMarkers)
{
    EXPECT_EQ(Variant(1).typeName(), "Long");
    EXPECT_EQ(Variant(int16_t(1)).typeName(), "Integer");
    EXPECT_EQ(Variant(1.0f).typeName(), "Single");
    EXPECT_EQ(Variant(1.0).typeName(), "Double");
    EXPECT_EQ(Variant(Currency{1}).typeName(), "Currency");
    EXPECT_EQ(Variant("x").typeName(), "String");
    EXPECT_EQ(Variant(true).typeName(), "Boolean");
    EXPECT_EQ(Variant(uint8_t(1)).typeName(), "Byte");
    EXPECT_EQ(Variant().typeName(), "Empty");
    EXPECT_EQ(Variant::null().typeName(), "Null");
    EXPECT_EQ(Variant(Variant::Bytes{1, 2}).bytes().size(), 2u);

    EXPECT_TRUE(Variant::missing().isMissing());
    EXPECT_FALSE(Variant("").isMissing());
    EXPECT_FALSE(Variant::error(5).isMissing());
    EXPECT_EQ(Variant::missing().type(), VarType::Error);
}
