#include "LateBoundControlTest.h"
#include <orvreport/Dispatch.h>
#include <orvreport/TORVREP.h>
#include "document/BarcodeTypes.h"
#include "platform/ScriptedUiServices.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

using namespace orv;

namespace fs = std::filesystem;

namespace {

class GraphicsControlTest : public LateBoundControlTest {
protected:
    void SetUp() override
    {
        QObject::connect(&control, &TORVREP::repaintRequested, [this] { ++repaints; });
    }

    const TReportObject& lastObject(int32_t page = 0)
    {
        TReport& report = control.report();
        return report.page(page == 0 ? report.drawPageNumber() : page).Objects.back();
    }
    size_t objectCount(int32_t page) { return control.report().page(page).Objects.size(); }

    int repaints = 0;
};

// The clipboard tests run in an empty current directory of their own, where
// the control writes its temporary pictures.
class ClipboardTest : public GraphicsControlTest {
protected:
    void SetUp() override
    {
        GraphicsControlTest::SetUp();
        m_previous = fs::current_path();
        char pattern[] = "/tmp/orv-clipboard-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_folder = pattern;
        fs::current_path(m_folder);
    }
    void TearDown() override
    {
        QGuiApplication::clipboard()->clear();
        fs::current_path(m_previous);
        fs::remove_all(m_folder);
    }

    static void putImageOnClipboard()
    {
        QImage image(4, 3, QImage::Format_RGB32);
        image.fill(Qt::red);
        QGuiApplication::clipboard()->setImage(image);
    }
    static std::string contents(const fs::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    Variant addFromClipboard() { return call("AddFromClipboard", {"clip", 0.5, 0.7, 2, 1}); }

    fs::path m_folder;
    fs::path m_previous;
};

} // namespace

TEST_F(GraphicsControlTest, AddingOperationsTakeTheDeclaredDefaults)
{
    EXPECT_EQ(call("AddShape", {"box", 0.7, 1.5, 2, 1}), Variant(1));
    EXPECT_EQ(lastObject().HPos, 6999.0f);
    EXPECT_EQ(lastObject().FillStyle, 8);
    EXPECT_EQ(lastObject().BorderStyle, 8);
    EXPECT_EQ(lastObject().AlphaLevel, 255);

    EXPECT_EQ(call("AddLine", {"rule", 1, 1, 5, 0}), Variant(1));
    EXPECT_EQ(lastObject().BorderWidth, 1);
    EXPECT_EQ(lastObject().FillStyle, 8);
    EXPECT_EQ(lastObject().AlphaLevel, 0); // a line keeps no alpha

    EXPECT_EQ(call("AddArc", {"arc", 1, 1, 2, 2, 0, 90, 0, 0, 0, 1}), Variant(1));
    EXPECT_EQ(lastObject().FillStyle, 1);
    EXPECT_EQ(lastObject().BackStyle, 0);
    EXPECT_EQ(call("AddPie", {"pie", 1, 1, 2, 2, 45, "270"}), Variant(1));
    EXPECT_EQ(lastObject().ObjType, ObjType::Pie);
    EXPECT_EQ(lastObject().SweepAngle, 270.0f);
    EXPECT_EQ(lastObject().FillStyle, 8);

    EXPECT_EQ(call("AddGrid", {"grid", 0.7, 1.25, 6, 2, 3, 2, 5}), Variant(0));
    EXPECT_EQ(lastObject().HPos, 7000.0f);
    EXPECT_EQ(lastObject().BorderWidth, 1); // not the pen width 5
    EXPECT_EQ(lastObject().FillStyle, 1);

    // The stored shape settings never stand in for an omitted argument.
    put("ShapeFillColor", 255);
    EXPECT_EQ(get("ShapeFillColor"), Variant(255));
    control.AddShape("box", 1, 1, 1, 1);
    EXPECT_EQ(lastObject().FillColor, 0u);
    EXPECT_EQ(objectCount(1), 6u);
}

TEST_F(GraphicsControlTest, PictureWithoutFileAsksAndLeavesAnEmptyRecordWhenCancelled)
{
    call("AddPicture", {"logo", "", 1, 1, 2, 2, Variant::missing(), 0});
    ASSERT_EQ(ui.shown().size(), 1u);
    EXPECT_EQ(ui.shown()[0].kind, "open");
    EXPECT_EQ(ui.shown()[0].caption, "Select Image File");
    EXPECT_EQ(repaints, 1);
    ASSERT_EQ(objectCount(1), 1u);
    EXPECT_EQ(lastObject().ObjType, 0);
    EXPECT_TRUE(lastObject().Name.empty());

    ui.queueAnswer("/pictures/logo.png");
    control.AddPicture("logo", "", 1, 1, 2, 2, 3, 0, 2);
    EXPECT_EQ(lastObject().ObjType, ObjType::Picture);
    EXPECT_EQ(lastObject().Text, "/pictures/logo.png");
    EXPECT_EQ(lastObject().ImageScaling, 3);
    EXPECT_EQ(lastObject().LineCount, 2);

    // A named file is taken as it is, unchecked and without a dialog.
    call("AddPicture", {"given", "missing.jpg", 1, 1, 2, 2, Variant::missing(), 0});
    EXPECT_EQ(ui.shown().size(), 2u);
    EXPECT_EQ(lastObject().Text, "missing.jpg");
    EXPECT_EQ(lastObject().ImageScaling, 1);
}

TEST_F(GraphicsControlTest, BarcodesAndAnnotationsTakeTheirTextFromVariants)
{
    call("AddBarCode", {"zip", 12345, 99, 1, 1, 2, 0.5, 0, 0});
    EXPECT_EQ(lastObject().BarCodeType, static_cast<uint8_t>(TBarcodeType::PostNet));
    EXPECT_EQ(lastObject().Text, "12345");

    call("AddAnnotation", {"note", "Text", 1.5, 1, 2, 1, Variant()});
    EXPECT_EQ(lastObject().ObjType, ObjType::Annotation);
    EXPECT_EQ(lastObject().HPos, 15000.0f);
    EXPECT_TRUE(lastObject().Text.empty());
}

TEST_F(GraphicsControlTest, FailedCallsAddNothing)
{
    EXPECT_THROW(call("AddShape", {Variant::null(), 1, 1, 1, 1}), EngineError);
    EXPECT_THROW(control.AddBarCode("code", Variant::null(), 0, 1, 1, 1, 1, 0, 0), EngineError);
    try {
        call("AddPicture", {"logo", "a.png", 1, 1, 2});
        FAIL() << "nHeight is not optional";
    } catch (const EngineError& e) {
        EXPECT_EQ(e.status(), DISP_E_PARAMNOTFOUND);
    }
    EXPECT_EQ(objectCount(1), 0u);
}

TEST_F(GraphicsControlTest, ChartSelectReachesOnlyChartsOfTheDrawPage)
{
    EXPECT_EQ(call("ChartSelect", {1}), Variant(false));
    call("AddChart", {"sales", 1, 1, 1, 4, 3});
    control.AddChart("costs", 2, 1, 5, 4, 3);
    EXPECT_EQ(lastObject().ChartIndex, 2);
    EXPECT_TRUE(control.ChartSelect(2));
    EXPECT_TRUE(control.ChartSelect(1));
    for (int32_t none : {3, 0, -1})
        EXPECT_FALSE(control.ChartSelect(none)) << none;

    control.NewPage();
    EXPECT_FALSE(control.ChartSelect(1));
}

TEST_F(GraphicsControlTest, LegacyObjectListIsAlwaysEmptyAndLeavesThePagesAlone)
{
    control.AddShape("box", 1, 1, 1, 1);
    EXPECT_EQ(get("nReportObjects"), Variant(0));
    put("nReportObjects", 5);
    EXPECT_EQ(repaints, 0);
    put("nReportObjects", 0);
    EXPECT_EQ(repaints, 1);
    call("ClearLastItem", {});
    EXPECT_EQ(objectCount(1), 1u);
    EXPECT_EQ(get("nReportObjects"), Variant(0));
}

TEST_F(ClipboardTest, TextAloneAddsNothing)
{
    QGuiApplication::clipboard()->setText("just words");
    EXPECT_EQ(addFromClipboard(), Variant());
    EXPECT_EQ(objectCount(1), 0u);
    EXPECT_TRUE(control.report().TempFiles.files().empty());
    EXPECT_TRUE(fs::is_empty(m_folder));
}

TEST_F(ClipboardTest, BitmapBecomesATemporaryBmpOnTheViewPageNeverOverwritingAFile)
{
    control.put_ProcessInBackground(true);
    control.NewPage();
    ASSERT_EQ(control.report().drawPageNumber(), 2);
    putImageOnClipboard();

    addFromClipboard();
    ASSERT_EQ(objectCount(1), 1u);
    EXPECT_EQ(objectCount(2), 0u);
    const TReportObject& picture = lastObject(1);
    const fs::path file = m_folder / "ORVR0.BMP";
    EXPECT_EQ(picture.ObjType, ObjType::Picture);
    EXPECT_EQ(picture.Text, file.string());
    EXPECT_EQ(picture.HPos, 5000.0f);
    EXPECT_EQ(picture.VPos, 7000.0f);
    EXPECT_EQ(picture.ImageScaling, 1);
    EXPECT_EQ(QImage(QString::fromStdString(picture.Text)).size(), QSize(4, 3));

    control.Clear();
    EXPECT_FALSE(fs::exists(file));
    std::ofstream(file) << "keep me";
    addFromClipboard();
    EXPECT_EQ(lastObject().Text, (m_folder / "ORVR00.BMP").string());
    EXPECT_EQ(contents(file), "keep me");
}

TEST_F(ClipboardTest, MetafileIsSavedAsItsBytesAndWinsOverABitmap)
{
    auto* data = new QMimeData;
    data->setData("image/x-emf", QByteArray("\x01\x00\x00\x00 metafile", 13));
    data->setImageData(QImage(2, 2, QImage::Format_RGB32));
    QGuiApplication::clipboard()->setMimeData(data);

    addFromClipboard();
    EXPECT_EQ(lastObject().Text, (m_folder / "ORVR0.WMF").string());
    EXPECT_EQ(contents(m_folder / "ORVR0.WMF"), std::string("\x01\x00\x00\x00 metafile", 13));
}

TEST_F(GraphicsControlTest, WatermarkPropertiesAddressTheViewPage)
{
    control.NewPage();
    repaints = 0;
    put("WatermarkText", 12);
    EXPECT_EQ(get("WatermarkText"), Variant("12"));
    EXPECT_TRUE(control.report().page(1).WaterMark.Text.empty());
    EXPECT_EQ(repaints, 1);

    control.FirstPage();
    put("WatermarkText", "DRAFT");
    control.NewPage();
    EXPECT_EQ(get("WatermarkText"), Variant(""));
    EXPECT_EQ(control.report().page(1).WaterMark.Text, "DRAFT");
    EXPECT_EQ(control.report().page(2).WaterMark.Text, "12");
}

TEST_F(GraphicsControlTest, WatermarkWriteRules)
{
    const int before = repaints;
    put("WatermarkFontSize", 2);
    EXPECT_EQ(get("WatermarkFontSize"), Variant(90));
    EXPECT_EQ(repaints, before);
    put("WatermarkFontSize", 3);
    EXPECT_EQ(get("WatermarkFontSize"), Variant(3));

    put("WatermarkFontStyle", "bi");
    EXPECT_EQ(get("WatermarkFontStyle"), Variant("BI"));
    EXPECT_EQ(repaints, before + 1);

    put("WatermarkFontName", "courier new");
    EXPECT_EQ(get("WatermarkFontName"), Variant("courier new"));
    put("WaterMarkBackColor", 0xFF);
    EXPECT_EQ(control.report().viewPage().WaterMark.BackColor, 0xFFu);
    EXPECT_EQ(repaints, before + 3);
}

TEST_F(GraphicsControlTest, CalendarWriteRules)
{
    const int month = control.get_CalendarMonth();
    const int year = control.get_CalendarYear();
    put("CalendarMonth", 13);
    put("CalendarMonth", 0);
    put("CalendarYear", 0);
    put("CalendarYear", 10000);
    EXPECT_EQ(get("CalendarMonth"), Variant(month));
    EXPECT_EQ(get("CalendarYear"), Variant(year));
    EXPECT_EQ(repaints, 0);
    put("CalendarMonth", 12);
    put("CalendarYear", 9999);
    EXPECT_EQ(control.report().Calendar.CalendarMonth, 12);
    EXPECT_EQ(control.report().Calendar.CalendarYear, 9999);

    put("CalendarShow", 5);
    EXPECT_EQ(get("CalendarShow"), Variant(true));
    EXPECT_EQ(get("CalendarShow").toInt32(), -1);
    put("CalendarWidth", -2);
    EXPECT_EQ(get("CalendarWidth"), Variant(-2.0f));
    put("CalendarDateFontStyle", "bu");
    put("CalendarMonthFontName", "times new roman");
    EXPECT_EQ(get("CalendarDateFontStyle"), Variant("BU"));
    EXPECT_EQ(get("CalendarMonthFontName"), Variant("times new roman"));
    EXPECT_EQ(repaints, 6);

    put("CalendarGridLineColor", 255);
    EXPECT_EQ(get("CalendarGridLineColor"), Variant());
    EXPECT_EQ(get("CalendarGridLineWidth"), Variant());

    control.Clear();
    EXPECT_EQ(get("CalendarDateFontStyle"), Variant("BU"));
}
