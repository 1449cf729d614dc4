#include "document/Report.h"
#include "render/FieldExpression.h"

#include <gtest/gtest.h>

using namespace orv;

namespace {

// A report of `pages` Letter pages.
class FieldExpressionTest : public testing::Test {
protected:
    void makePages(int32_t pages)
    {
        for (int32_t n = report.pageCount(); n < pages; ++n)
            report.newPage(8.5f, 11, 0, 0, 0);
    }
    std::string on(int32_t page, const std::string& expression)
    {
        return evaluateFieldExpression(report, expression, page);
    }

    TReport report;
};

} // namespace

TEST_F(FieldExpressionTest, PageNumbersFollowNumberingRestarts)
{
    makePages(6);
    EXPECT_EQ(on(3, "TRANSFORM(_PAGENO)"), "3");
    EXPECT_EQ(on(3, "TRANSFORM(_PAGETOTAL)"), "6");

    ASSERT_TRUE(report.setPageNumberToOne(3));
    EXPECT_EQ(on(3, "TRANSFORM(_PAGENO)"), "1");
    EXPECT_EQ(on(5, "TRANSFORM(_PAGENO)"), "3");
    EXPECT_EQ(on(3, "TRANSFORM(_PAGETOTAL)"), "4") << "pages 3 to the end";
    EXPECT_EQ(on(2, "TRANSFORM(_PAGETOTAL)"), "2") << "the pages before the restart";
    // The bare names, in any case and with blanks around them.
    EXPECT_EQ(on(4, "  _pageno "), "2");
    EXPECT_EQ(on(4, "_PAGETOTAL"), "4");
}

TEST_F(FieldExpressionTest, LiteralsOfEitherQuoteJoinWithNumbers)
{
    makePages(5);
    EXPECT_EQ(on(2, "'Page ' + TRANSFORM(_PAGENO) + \" of \" + TRANSFORM(_PAGETOTAL)"), "Page 2 of 5");
    EXPECT_EQ(on(2, "' a  b '  +  \"c\""), " a  b c") << "blanks outside quotes are dropped, inside kept";
    // Either quote closes a literal opened by the other.
    EXPECT_EQ(on(2, "\"it's\" + 'x'"), "it + ");
    EXPECT_EQ(on(2, "'x'   +   TRANSFORM ( _PAGENO )"), "x2");
}

TEST_F(FieldExpressionTest, StrRightAlignsInItsWidth)
{
    makePages(12);
    EXPECT_EQ(on(12, "STR(_PAGENO,4)"), "  12");
    EXPECT_EQ(on(12, "STR(_PAGENO,1)"), "2") << "the rightmost characters of the field";
    EXPECT_EQ(on(12, "STR(_PAGENO)"), "12");
    EXPECT_EQ(on(12, "STR(_PAGENO,4,2)"), "  12") << "decimals have no effect";
    EXPECT_EQ(on(12, "STR(_PAGENO,wide)"), "12") << "a width that is no number counts as none";
}

TEST_F(FieldExpressionTest, AllTrimTrimsEverythingBeforeIt)
{
    makePages(3);
    EXPECT_EQ(on(3, "'  Page ' + TRANSFORM(_PAGENO) + '  ' + ALLTRIM(_PAGENO) + ' end '"), "Page 3 end ");
    EXPECT_EQ(on(3, "STR(_PAGENO,5) + ALLTRIM()"), "3");
}

TEST_F(FieldExpressionTest, UnknownNamesYieldNothing)
{
    makePages(2);
    // A data-field name alone evaluates to nothing; the drawer then shows
    // the expression itself.
    EXPECT_EQ(on(1, "CUSTOMER.NAME"), "");
    EXPECT_EQ(on(1, "UPPER(_PAGENO) + 'x'"), "x") << "an unknown function appends nothing";
    EXPECT_EQ(on(1, "TRANSFORM(CUSTOMER)"), "0") << "an unknown value counts as 0";
    EXPECT_EQ(on(1, "'(a)'"), "a)") << "parentheses work inside quotes too";
    EXPECT_EQ(on(1, "'a)' + 'b'"), "a)b") << "a parenthesis that closes nothing is text";
}

TEST_F(FieldExpressionTest, ResultsStopAtTheLongestFieldText)
{
    makePages(1);
    constexpr size_t kLongest = 65536;
    // Every STR pads to 65535 characters; a thousand of them would make
    // 64 MB of blanks.
    std::string padded;
    for (int i = 0; i < 1000; ++i)
        padded += "STR(_PAGENO, 65535)+";
    const std::string result = on(1, padded);
    ASSERT_EQ(result.size(), kLongest);
    EXPECT_EQ(result.substr(65533, 3), " 1 ") << "the first field ends in its number, the next pads";

    // A literal of two-byte characters is cut between characters, never
    // inside one.
    std::string accents = "'";
    for (size_t i = 0; i < kLongest; ++i)
        accents += "\xC3\xA9";
    accents += "' + 'x' + TRANSFORM(_PAGENO)";
    const std::string cut = on(1, "'a' + " + accents);
    EXPECT_EQ(cut.size(), kLongest - 1);
    EXPECT_EQ(cut.substr(cut.size() - 2), "\xC3\xA9");

    // ALLTRIM frees room that later output may use.
    EXPECT_EQ(on(1, "STR(_PAGENO, 65535) + ALLTRIM() + 'end'"), "1end");
}
