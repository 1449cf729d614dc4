#include "document/BarcodeTypes.h"
#include "document/GraphicObjects.h"

#include <gtest/gtest.h>

#include <set>

using namespace orv;

namespace {

const TObjectPlace kPlace = TObjectPlace::fromInches(0.7f, 1.5f, 3, 4);

} // namespace

TEST(FillShape, CopiesEveryArgumentKeepingTheLowByte)
{
    TReportObject shape;
    fillShape(shape, "box", kPlace, {0x112233, 0x0000FF, 0x102, -1, 3, 300, 128}, 0x1FF, 6);
    EXPECT_EQ(shape.ObjType, ObjType::Shape);
    EXPECT_EQ(shape.Name, "box");
    EXPECT_EQ(shape.HPos, 6999.0f);
    EXPECT_EQ(shape.VPos, 15000.0f);
    EXPECT_EQ(shape.Height, 40000.0f);
    EXPECT_EQ(shape.ForeColor, 0x112233u);
    EXPECT_EQ(shape.PenColor, 0x112233u);
    EXPECT_EQ(shape.BackColor, 0x0000FFu);
    EXPECT_EQ(shape.FillColor, 0x0000FFu);
    EXPECT_EQ(shape.FillStyle, 2);
    EXPECT_EQ(shape.BackStyle, 255);
    EXPECT_EQ(shape.BorderStyle, 3);
    EXPECT_EQ(shape.BorderWidth, 44);
    EXPECT_EQ(shape.AlphaLevel, 128);
    EXPECT_EQ(shape.Curvature, 255);
    EXPECT_EQ(shape.ShapeStyle, 6);
}

TEST(FillLine, PenStyleGoesIntoBothStyleFieldsAndThereIsNoBackColour)
{
    TReportObject line;
    fillLine(line, "rule", kPlace, {0x00FF00, 3, 2, 0xABCDEF, 1});
    EXPECT_EQ(line.ObjType, ObjType::Line);
    EXPECT_EQ(line.PenColor, 0x00FF00u);
    EXPECT_EQ(line.BorderWidth, 3);
    EXPECT_EQ(line.FillStyle, 2);
    EXPECT_EQ(line.BorderStyle, 2);
    EXPECT_EQ(line.FillColor, 0xABCDEFu);
    EXPECT_EQ(line.BackColor, 0u);
    EXPECT_EQ(line.BackStyle, 1);
}

TEST(FillArcFigure, AnArcIsNeverFilledWhileChordsAndPiesKeepTheirStyles)
{
    const TFigureStyle style{1, 2, 0, 1, 3, 4, 200};
    TReportObject arc, chord, pie;
    fillArcFigure(arc, ObjType::Arc, "a", kPlace, 30, -90, style);
    fillArcFigure(chord, ObjType::Chord, "c", kPlace, 30, -90, style);
    fillArcFigure(pie, ObjType::Pie, "p", kPlace, 30, -90, style);

    EXPECT_EQ(arc.FillStyle, 1);
    EXPECT_EQ(arc.BackStyle, 0);
    for (const TReportObject* kept : {&chord, &pie}) {
        EXPECT_EQ(kept->FillStyle, 0);
        EXPECT_EQ(kept->BackStyle, 1);
    }
    EXPECT_EQ(chord.ObjType, ObjType::Chord);
    EXPECT_EQ(pie.StartAngle, 30.0f);
    EXPECT_EQ(pie.SweepAngle, -90.0f);
    EXPECT_EQ(pie.BackColor, 2u);
    EXPECT_EQ(pie.AlphaLevel, 200);

    TReportObject other;
    EXPECT_THROW(fillArcFigure(other, ObjType::Shape, "s", kPlace, 0, 0, style), std::invalid_argument);
}

TEST(FillGrid, CurrencyPositionsAreExactAndCellCountsKeepTheLowSixteenBits)
{
    TReportObject grid;
    fillGrid(grid, "g", TObjectPlace::fromCurrency(Currency{7000}, Currency{-1}, {}, {}), {70000, 3, 9, 2, 7, 8, 1});
    EXPECT_EQ(grid.ObjType, ObjType::Grid);
    EXPECT_EQ(grid.VPos, -1.0f);
    EXPECT_EQ(grid.Columns, 4464);
    EXPECT_EQ(grid.Rows, 3);
    EXPECT_EQ(grid.ForeColor, 9u);
    EXPECT_EQ(grid.BorderWidth, 2);
    EXPECT_EQ(grid.BackColor, 7u);
    EXPECT_EQ(grid.BorderStyle, 8);
    EXPECT_EQ(grid.FillStyle, 1);
}

TEST(BarcodeTypes, InterfaceNumbersMapOntoDistinctSymbologiesAndOthersOntoPostNet)
{
    std::set<TBarcodeType> seen;
    for (int32_t n = 0; n < kBarcodeTypeCount; ++n)
        seen.insert(barcodeTypeOf(n));
    EXPECT_EQ(seen.size(), static_cast<size_t>(kBarcodeTypeCount));
    for (int32_t outside : {23, 99, -1})
        EXPECT_EQ(barcodeTypeOf(outside), TBarcodeType::PostNet) << outside;

    EXPECT_EQ(barcodeTypeName(barcodeTypeOf(3)), "Codebar");
    EXPECT_EQ(barcodeTypeName(barcodeTypeOf(4)), "2_5_interleaved");
    EXPECT_EQ(barcodeTypeName(barcodeTypeOf(22)), "UPC Supp5");
    EXPECT_TRUE(barcodeTypeName(static_cast<TBarcodeType>(kBarcodeTypeCount)).empty());
}

TEST(AddChart, NumbersChartsOnTheirPageWithOneSeriesOfTheChartType)
{
    TPageObject page;
    page.Objects.emplace_back();
    EXPECT_EQ(addChart(page, "sales", 1, kPlace), 1);
    EXPECT_EQ(addChart(page, "costs", 0x105, kPlace), 2);

    ASSERT_EQ(page.Objects.size(), 3u);
    const TReportObject& placeholder = page.Objects[2];
    EXPECT_EQ(placeholder.ObjType, ObjType::Chart);
    EXPECT_EQ(placeholder.Name, "costs");
    EXPECT_EQ(placeholder.ChartType, 5);
    EXPECT_EQ(placeholder.ChartIndex, 2);

    ASSERT_EQ(page.Charts.size(), 2u);
    EXPECT_EQ(page.Charts[1].ChartType, 5);
    ASSERT_EQ(page.Charts[1].Series.size(), 1u);
    EXPECT_EQ(page.Charts[1].Series[0].SeriesType, 5);
    EXPECT_EQ(page.Charts[1].Title.FontName, "Arial");
    EXPECT_EQ(page.Charts[1].Legend.Position, 3);
}

TEST(AddChart, RefusesAChartItsPlaceholderCouldNotNumber)
{
    TPageObject page;
    for (int n = 1; n <= 255; ++n)
        ASSERT_EQ(addChart(page, "c", 0, kPlace), n);
    EXPECT_EQ(page.Objects.back().ChartIndex, 255);
    EXPECT_THROW(addChart(page, "too many", 0, kPlace), std::length_error);
    EXPECT_EQ(page.Charts.size(), 255u);
    EXPECT_EQ(page.Objects.size(), 255u);
}
