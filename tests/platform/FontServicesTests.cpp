#include "platform/FontServices.h"

#include <gtest/gtest.h>

using namespace orv;

TEST(FontServices, MetricCompatibleAliasesCountAsInstalled)
{
    TFontServices& fonts = TFontServices::instance();
    for (const char* family : {"Arial", "arial", "ARIAL", "Times New Roman", "Courier New", "Liberation Sans",
                               "DejaVu Sans"})
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
