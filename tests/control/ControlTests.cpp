#include <orvreport/TORVREP.h>
#include "platform/ScriptedUiServices.h"

#include <gtest/gtest.h>

#include <memory>

using namespace orv;

namespace {

struct EventLog : IOrvReportEngineEvents {
    std::vector<std::string> heard;
    void OnCreate() override { heard.push_back("OnCreate"); }
    void OnDestroy() override { heard.push_back("OnDestroy"); }
};

class ControlTest : public testing::Test {
protected:
    TScriptedUiServices ui;
    TORVREP control{nullptr, TORVREP::Options{&ui, nullptr, false}};

    void addPages(int count)
    {
        for (int i = 0; i < count; ++i)
            control.NewPage(8.5f, 11);
    }
};

} // namespace

TEST(ControlLifetime, FiresOnCreateAndOnDestroyLast)
{
    EventLog log;
    TScriptedUiServices ui;
    auto control = std::make_unique<TORVREP>(nullptr, TORVREP::Options{&ui, &log, false});
    EXPECT_EQ(log.heard, std::vector<std::string>{"OnCreate"});
    control.reset();
    EXPECT_EQ(log.heard, (std::vector<std::string>{"OnCreate", "OnDestroy"}));
}

TEST(ControlLifetime, UnadvisedSinksHearNothing)
{
    EventLog log;
    TScriptedUiServices ui;
    auto control = std::make_unique<TORVREP>(nullptr, TORVREP::Options{&ui, nullptr, false});
    const uint32_t cookie = control->Advise(&log);
    control->Unadvise(cookie);
    EXPECT_THROW(control->Unadvise(cookie), EngineError);
    control.reset();
    EXPECT_TRUE(log.heard.empty());
}

TEST_F(ControlTest, FailureTrapKeepsCompletedWork)
{
    try {
        control.NewPage(8.5f, 11, 0, 0, -5);
        FAIL() << "an impossible page position must fail";
    } catch (const EngineError& e) {
        EXPECT_EQ(e.status(), E_UNEXPECTED);
        EXPECT_EQ(e.statusText(), "8000FFFF");
        EXPECT_NE(std::string(e.what()).find("-5"), std::string::npos);
    }
    EXPECT_EQ(control.get_nTotalPages(), 1);
}

TEST_F(ControlTest, StartsWithItsDefaultSettings)
{
    EXPECT_EQ(control.get_TextFontName(), Variant("Arial"));
    EXPECT_EQ(control.get_TextFontSize(), 12);
    EXPECT_EQ(control.get_TextFontBackColor(), 0xFFFFFF);
    EXPECT_TRUE(control.get_ShowTips());
    EXPECT_FALSE(control.get_ProcessInBackground());
    EXPECT_EQ(control.get_GDIPlusEnabled(), 1);
    EXPECT_EQ(control.get_nRedraws(), 0);
    EXPECT_FALSE(control.get_InDesignMode());
    EXPECT_EQ(control.get_Version().substr(0, 2), "1.");
    EXPECT_EQ(control.get_PageWidth(), 8.5f);
    EXPECT_EQ(control.get_PageSize(), 1);
}

TEST_F(ControlTest, ReportInfoCountsAndSystemFigures)
{
    addPages(2);
    control.report().appendObject();
    EXPECT_EQ(control.ReportInfo(0), Variant(3));
    EXPECT_EQ(control.ReportInfo(1), Variant(1));
    EXPECT_EQ(control.ReportInfo(2), Variant(0));
    EXPECT_EQ(control.ReportInfo(3), Variant(-1));
    EXPECT_EQ(control.ReportInfo(200), Variant(0));
    EXPECT_EQ(control.ReportInfo(1000), Variant(32));
    const double load = control.ReportInfo(1001).toDouble();
    EXPECT_GE(load, 0);
    EXPECT_LE(load, 100);
    EXPECT_GT(control.ReportInfo(1002).toDouble(), 1e8);
    EXPECT_GE(control.ReportInfo(1003).toDouble(), control.ReportInfo(1002).toDouble());
    EXPECT_EQ(control.ReportInfo(1101), Variant(static_cast<int32_t>(getpid())));
    EXPECT_GT(control.ReportInfo(1103).toDouble(), 0);
    EXPECT_GE(control.ReportInfo(1104).toDouble(), control.ReportInfo(1103).toDouble());
    EXPECT_GT(control.ReportInfo(1109).toDouble(), 0);
    EXPECT_GE(control.ReportInfo(100).toInt32(), 0);
}

TEST_F(ControlTest, ProcessReportIsShownThroughTheUiServices)
{
    EXPECT_EQ(control.ReportInfo(1100), Variant(-1));
    ASSERT_EQ(ui.shown().size(), 1u);
    const std::string& text = ui.shown()[0].text;
    EXPECT_NE(text.find("(Build "), std::string::npos);
    EXPECT_NE(text.find("\r\rProcess ID: "), std::string::npos);
    EXPECT_NE(text.find(" KB\rWorking Set Size Peak: "), std::string::npos);
    EXPECT_NE(text.find("\r\rFont Count: 0\rObject Count: 0"), std::string::npos);

    control.AboutBox();
    ASSERT_EQ(ui.shown().size(), 2u);
    EXPECT_EQ(ui.shown()[1].text, "Version: " + control.get_Version());
}

TEST_F(ControlTest, PageLevelProperties)
{
    control.put_PaperBin(0);
    EXPECT_EQ(control.get_PaperBin(), 0);
    control.put_PaperBin(4);
    EXPECT_EQ(control.get_PaperBin(), 4);
    control.put_MediaType(-1);
    EXPECT_EQ(control.get_MediaType(), 0);
    control.put_MediaType(3);
    EXPECT_EQ(control.get_MediaType(), 3);

    control.put_PageForm("Invoice");
    control.put_PageForm(12);
    EXPECT_EQ(control.get_PageForm(), Variant("Invoice"));

    control.put_PageSize(9);
    EXPECT_EQ(control.report().viewPage().PaperSize, 9);
    EXPECT_EQ(control.get_PageSize(), 1); // read looks the size up

    control.put_PageWidth(11);
    EXPECT_EQ(control.report().viewPage().Orientation, 1);
    EXPECT_EQ(control.get_PageSize(), 256);

    control.put_GDIPlusTextRenderingHint(5);
    control.put_GDIPlusTextRenderingHint(6);
    EXPECT_EQ(control.get_GDIPlusTextRenderingHint(), 5);
}

TEST_F(ControlTest, PaperBinFollowsTheDrawPageWhileBuildingInBackground)
{
    addPages(2);
    control.report().page(3).PaperBin = 7;
    control.put_ProcessInBackground(true);
    control.FirstPage();
    EXPECT_EQ(control.get_PaperBin(), 7);
    EXPECT_EQ(control.report().drawPageNumber(), 3);

    control.put_ProcessInBackground(false);
    EXPECT_EQ(control.report().drawPageNumber(), 1);
    EXPECT_EQ(control.get_PaperBin(), 0);
}

TEST_F(ControlTest, SetAllAssignsARangeOfPages)
{
    addPages(5);
    control.SetAll("PaperBin", 3, "", 5, 2);
    for (int n = 1; n <= 6; ++n)
        EXPECT_EQ(control.report().page(n).PaperBin, (n >= 2 && n <= 5) ? 3 : 0) << n;

    control.SetAll("watermarktext", "DRAFT", Variant::missing());
    control.SetAll("WATERMARKFONTNAME", "courier new", "");
    control.SetAll("WATERMARKFONTSTYLE", "bi", "", 2, 2);
    control.SetAll("PAPERBIN", 0, "", 1, 99);
    for (int n = 1; n <= 6; ++n) {
        EXPECT_EQ(control.report().page(n).WaterMark.Text, "DRAFT");
        EXPECT_EQ(control.report().page(n).WaterMark.FontName, "COURIER NEW");
        EXPECT_EQ(control.report().page(n).PaperBin, 0);
    }
    EXPECT_EQ(control.report().page(2).WaterMark.FontStyle, "BI");
    EXPECT_EQ(control.report().page(3).WaterMark.FontStyle, "");

    control.SetAll("WATERMARKBACKCOLOR", 255, "");
    EXPECT_EQ(control.report().page(1).WaterMark.BackColor, 0u);
}

TEST_F(ControlTest, ReservedOperationsChangeNothing)
{
    control.put_nTotalPages(9);
    control.put_nPageNumber(9);
    control.put_nCurrentPageWidth(3);
    control.put_TextFontStyle(3);
    control.ReturnValue(4);
    EXPECT_EQ(control.get_nTotalPages(), 1);
    EXPECT_EQ(control.get_nPageNumber(), 1);
    EXPECT_EQ(control.get_nCurrentPageWidth(), 0.0f);
    EXPECT_EQ(control.get_TextFontStyle(), 0);
}

TEST_F(ControlTest, ClearKeepsTheCurrentSettings)
{
    control.put_TextFontName("Courier New");
    control.put_TextFontSize(9);
    addPages(3);
    control.ClearAll();
    EXPECT_EQ(control.get_nTotalPages(), 1);
    EXPECT_EQ(control.get_TextFontName(), Variant("Courier New"));
    EXPECT_EQ(control.get_TextFontSize(), 9);
}

TEST_F(ControlTest, FormContainerProperties)
{
    control.put_Caption("Report");
    EXPECT_EQ(control.get_Caption(), "Report");
    control.put_Color(0x0000FF);
    EXPECT_EQ(control.get_Color(), 0x0000FF);
    control.put_HelpFile("help.html");
    EXPECT_EQ(control.get_HelpFile(), "help.html");
    control.put_Enabled(false);
    EXPECT_FALSE(control.get_Enabled());
    control.put_Cursor(-11);
    EXPECT_EQ(control.get_Cursor(), -11);
    EXPECT_EQ(control.cursor().shape(), Qt::WaitCursor);
    EXPECT_EQ(control.get_PixelsPerInch(), 96);
}
