#include "platform/FontServices.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

using namespace orv;

TEST(FontServices, MetricCompatibleAliasesCountAsInstalled)
{
    TFontServices& fonts = TFontServices::instance();
    for (const char* family : {"Arial", "arial", "ARIAL", "Times New Roman", "Courier New", "Liberation Sans",
                               "liberation mono"})
        EXPECT_TRUE(fonts.isInstalled(family)) << family;
    for (const char* family : {"NoSuchFont", "", "Helvetica Neue Imaginary"})
        EXPECT_FALSE(fonts.isInstalled(family)) << family;
}

TEST(FontServices, ReportsDesignUnitMetricsOfTheServingFace)
{
    TFontServices& fonts = TFontServices::instance();
    const TFontFaceMetrics& arial = fonts.metrics("Arial", false, false);
    EXPECT_EQ(arial.family, "Liberation Sans");
    EXPECT_EQ(arial.emHeight, 2048);
    EXPECT_EQ(arial.cellAscent, 1854);
    EXPECT_EQ(arial.cellDescent, 434);
    EXPECT_EQ(arial.lineSpacing, 2355);
    EXPECT_NE(arial.file.find("LiberationSans-Regular"), std::string::npos);

    const TFontFaceMetrics& boldItalic = fonts.metrics("arial", true, true);
    EXPECT_NE(boldItalic.file.find("LiberationSans-BoldItalic"), std::string::npos);
    EXPECT_EQ(&fonts.metrics("ARIAL", true, true), &boldItalic);

    EXPECT_EQ(fonts.metrics("Times New Roman", false, false).family, "Liberation Serif");
    EXPECT_EQ(fonts.metrics("Courier New", false, false).family, "Liberation Mono");
}

TEST(FontServices, ReportsTheTablesThatDescribeAFaceToPdf)
{
    TFontServices& fonts = TFontServices::instance();
    const TFontFaceTables& regular = fonts.faceTables("Arial", false, false);
    EXPECT_EQ(regular.weight, 400);
    EXPECT_FALSE(regular.italic);
    EXPECT_FALSE(regular.fixedPitch);
    EXPECT_FALSE(regular.symbol);
    EXPECT_EQ(regular.panoseFamily, 2); // text and display
    EXPECT_EQ(regular.panoseSerif, 11); // normal sans serif
    EXPECT_EQ(regular.firstChar, 32);
    EXPECT_EQ(regular.lastChar, 255);
    EXPECT_EQ(regular.italicAngle, 0);
    EXPECT_LT(regular.xMin, 0);
    EXPECT_GT(regular.yMax, 1854 / 2);
    EXPECT_LT(regular.underlinePosition, 0);
    EXPECT_GT(regular.strikeoutSize, 0);
    EXPECT_GT(regular.xHeight, 0);
    EXPECT_GT(regular.maximumWidth, regular.averageWidth);

    EXPECT_EQ(fonts.faceTables("Arial", true, false).weight, 700);
    EXPECT_TRUE(fonts.faceTables("Arial", false, true).italic);
    EXPECT_EQ(fonts.faceTables("Arial", false, true).italicAngle, -12);
    EXPECT_TRUE(fonts.faceTables("Courier New", false, false).fixedPitch);
    EXPECT_NE(fonts.faceTables("Times New Roman", false, false).panoseSerif, 11);
}

TEST(FontServices, GivesDesignUnitAdvancesOfCodePoints)
{
    TFontServices& fonts = TFontServices::instance();
    const std::vector<int32_t> advances = fonts.advanceWidths("Arial", false, false, {U'a', U' ', U'\u20AC', U'\uE000'});
    ASSERT_EQ(advances.size(), 4u);
    EXPECT_EQ(advances[0], 1139);
    EXPECT_EQ(advances[1], 569);
    EXPECT_EQ(advances[2], 1139);
    EXPECT_GT(advances[3], 0) << "a code point without a glyph takes the missing glyph's advance";
    EXPECT_EQ(fonts.advanceWidths("Courier New", false, false, {U'i', U'W'}), (std::vector<int32_t>{1229, 1229}));
}

TEST(FontServices, GivesTheTrueTypeProgramOfAFace)
{
    TFontServices& fonts = TFontServices::instance();
    const std::string program = fonts.trueTypeProgram("Arial", false, false);
    ASSERT_GT(program.size(), 100000u);
    EXPECT_EQ(program.substr(0, 4), std::string("\0\1\0\0", 4));
    EXPECT_NE(program.find("glyf"), std::string::npos);
}

// Controls on different threads share the one font cache: faces asked for
// at the same time from several threads are each measured once, and every
// thread sees the same entries.
TEST(FontServices, ServesSeveralThreadsAtOnce)
{
    TFontServices& fonts = TFontServices::instance();
    constexpr int kThreads = 4, kFamilies = 24;
    std::vector<std::vector<const TFontFaceMetrics*>> seen(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&fonts, &seen, t] {
            for (int i = 0; i < kFamilies; ++i) {
                // Names nobody asked for before, so every call fills the cache.
                const std::string family = "Unlisted Shared Face " + std::to_string(i);
                fonts.isInstalled(family);
                seen[t].push_back(&fonts.metrics(family, i % 2 == 1, i % 3 == 1));
                fonts.advanceWidths(family, i % 2 == 1, i % 3 == 1, {U'A', U'b'});
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();

    const TFontFaceMetrics& closest = fonts.metrics("Unlisted Shared Face 0", false, false);
    EXPECT_FALSE(closest.family.empty());
    for (int t = 0; t < kThreads; ++t) {
        ASSERT_EQ(seen[t].size(), size_t{kFamilies});
        EXPECT_EQ(seen[t][0], &closest) << "thread " << t;
        for (int i = 0; i < kFamilies; ++i)
            EXPECT_EQ(seen[t][i], seen[0][i]) << "thread " << t << ", face " << i;
    }
    EXPECT_FALSE(fonts.isInstalled("Unlisted Shared Face 3"));
}
