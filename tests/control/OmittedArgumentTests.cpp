// Automation hosts leave trailing arguments out: once a parameter may be
// omitted every later one may be too, and an omitted typed argument arrives
// as 0 or false. These tests call each operation with its shortest argument
// list and with the full list spelled out, and compare what each produced.

#include "LateBoundControlTest.h"
#include <orvreport/Dispatch.h>

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <stdexcept>
#include <tuple>

using namespace orv;

namespace {

auto fieldsOf(const TReportObject& o)
{
    return std::tie(o.ObjType, o.Name, o.Text, o.Format, o.LineEnds, o.TextMode, o.DataType, o.HPos, o.VPos,
                    o.Width, o.Height, o.LineHeight, o.Alignment, o.TrimmingStyle, o.FontIndex, o.LineSpacing,
                    o.FontSize, o.ForeColor, o.BackColor, o.AlphaLevel, o.RotationAngle, o.BackStyle, o.SubType,
                    o.ImageScaling, o.ImageFlags, o.LineCount);
}

class OmittedArgumentTest : public LateBoundControlTest {
protected:
    const TReportObject& lastObject() { return control.report().drawPage().Objects.back(); }

    QByteArray bytesOf(const QString& name)
    {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return file.readAll();
    }

    // Calls an export twice, into "short.EXT" and "full.EXT", and returns
    // both files.
    std::pair<QByteArray, QByteArray> exportBoth(const char* name, const char* extension, std::vector<Variant> rest)
    {
        const std::string base = dir.path().toStdString() + "/";
        EXPECT_EQ(call(name, {base + "short"}), Variant(0)) << name;
        rest.insert(rest.begin(), Variant(base + "full"));
        EXPECT_EQ(call(name, std::move(rest)), Variant(0)) << name;
        return {bytesOf(QString("short.") + extension), bytesOf(QString("full.") + extension)};
    }

    QTemporaryDir dir;
};

const Variant kOmitted = Variant::missing();

} // namespace

TEST(DispatchRowRule, NoRowRequiresAParameterAfterAnOptionalOne)
{
    for (const DispatchEntry& entry : TDispatchTable::instance().entries()) {
        bool optionalSeen = false;
        for (const ParamDecl& param : entry.params) {
            optionalSeen = optionalSeen || param.presence != ParamDecl::Presence::Required;
            EXPECT_FALSE(optionalSeen && param.presence == ParamDecl::Presence::Required)
                << entry.name << ": " << param.name;
        }
    }
    for (const char* broken : {"cName, cFontName?, nFontSize", "cFileName, nPageNumber=0, lOpenFile"}) {
        try {
            TDispatchTable::parseParams(broken);
            ADD_FAILURE() << "loaded: " << broken;
        } catch (const std::logic_error& e) {
            EXPECT_NE(std::string(e.what()).find("follows an optional one"), std::string::npos) << e.what();
        }
    }
}

TEST_F(OmittedArgumentTest, TextAndFieldsWithoutTheirTrailingArguments)
{
    call("AddText", {"t", "Defaults and more words", 1, 1, 6.5, 0});
    const TReportObject shortText = lastObject();
    call("AddText", {"t", "Defaults and more words", 1, 1, 6.5, 0, kOmitted, 0, 0, 0, kOmitted, 0, 0, 0, kOmitted,
                     255, 2, 0});
    EXPECT_EQ(fieldsOf(shortText), fieldsOf(lastObject()));
    EXPECT_EQ(shortText.ObjType, ObjType::Text);
    EXPECT_GT(shortText.LineCount, 0);

    call("AddReportField", {"f", "Page {page}", 1, 2, 3, 0});
    const TReportObject shortField = lastObject();
    call("AddReportField", {"f", "Page {page}", 1, 2, 3, 0, kOmitted, kOmitted, kOmitted, 0, 0, 0, kOmitted, 0, 0, 0,
                            kOmitted, 255});
    EXPECT_EQ(fieldsOf(shortField), fieldsOf(lastObject()));
    EXPECT_EQ(shortField.ObjType, ObjType::Field);
}

TEST_F(OmittedArgumentTest, PicturesAndSeriesWithoutTheirTrailingArguments)
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    const QString picture = dir.filePath("red.png");
    ASSERT_TRUE(image.save(picture));
    call("AddPicture", {"p", picture.toStdString(), 1, 1, 2, 2});
    const TReportObject shortPicture = lastObject();
    call("AddPicture", {"p", picture.toStdString(), 1, 1, 2, 2, 1, 0, 0});
    EXPECT_EQ(fieldsOf(shortPicture), fieldsOf(lastObject()));
    EXPECT_EQ(shortPicture.ObjType, ObjType::Picture);

    call("AddChart", {"c", 1, 1, 4, 4, 3});
    call("ChartAddSeries", {2});
    call("ChartAddSeries", {2, kOmitted, 0});
    const auto& series = control.report().drawPage().Charts.at(0).Series;
    ASSERT_GE(series.size(), 2u);
    const TChartSeriesObject& shortSeries = series[series.size() - 2];
    const TChartSeriesObject& fullSeries = series.back();
    EXPECT_EQ(shortSeries.SeriesType, 2);
    EXPECT_EQ(shortSeries.SeriesType, fullSeries.SeriesType);
    EXPECT_EQ(shortSeries.Title, fullSeries.Title);
    EXPECT_EQ(shortSeries.Color, fullSeries.Color);
}

TEST_F(OmittedArgumentTest, PageImagesWithOnlyTheirFileName)
{
    ASSERT_TRUE(dir.isValid());
    call("AddText", {"t", "Exported", 1, 1, 6.5, 0});
    struct Export {
        const char* name;
        const char* extension;
        std::vector<Variant> rest;
    };
    const Export exports[] = {
        {"SaveToJPEG", "JPG", {0, false, 0, false, 90, false}},
        {"SaveToBitmap", "BMP", {0, false, 0, 24, false}},
        {"SaveToPNG", "PNG", {0, false, 0, 24, false}},
        {"SaveToTIFF", "TIF", {0, 0, false, 0, 0, 24, false}},
        {"SaveToMetafile", "EMF", {0, false}},
    };
    for (const Export& e : exports) {
        auto [shortFile, fullFile] = exportBoth(e.name, e.extension, e.rest);
        EXPECT_FALSE(shortFile.isEmpty()) << e.name;
        EXPECT_EQ(shortFile, fullFile) << e.name;
    }
}
