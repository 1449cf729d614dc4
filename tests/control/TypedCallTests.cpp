// The typed interface as C++ hosts call it: the shortest calls automation
// allows, temporaries for the parameters written back, and the typed
// defaults agreeing with the late-bound ones.
#include "LateBoundControlTest.h"

#include <orvreport/Dispatch.h>
#include <orvreport/TORVREP.h>

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <gtest/gtest.h>
#include <set>

namespace orv::shortestcalls {
// Written from the dispatch table at build time (ShortestCalls.cpp).
extern const std::vector<std::string> kOperations;
} // namespace orv::shortestcalls

using namespace orv;

namespace {

QByteArray fileBytes(const QString& name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class TypedCallTest : public LateBoundControlTest {
protected:
    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }

    QTemporaryDir dir;
};

} // namespace

TEST(ShortestCalls, CoverEveryMethodWithOptionalParameters)
{
    std::set<std::string> expected;
    for (const DispatchEntry& entry : TDispatchTable::instance().entries()) {
        const bool optional = std::any_of(entry.params.begin(), entry.params.end(), [](const ParamDecl& p) {
            return p.presence != ParamDecl::Presence::Required;
        });
        if (entry.kind == InvokeMethod && optional)
            expected.insert(entry.name);
    }
    const std::set<std::string> compiled(shortestcalls::kOperations.begin(), shortestcalls::kOperations.end());
    EXPECT_EQ(compiled, expected);
    EXPECT_EQ(compiled.size(), shortestcalls::kOperations.size()) << "each operation once";
    EXPECT_TRUE(compiled.count("AddText") && compiled.count("SaveToPDF") && compiled.count("PrintReport"));
}

TEST_F(TypedCallTest, SaveToPdfTakesATemporaryAndLeavesTheCallersValueAlone)
{
    control.AddText("t", "Hello", 1, 1, 6.5, 0, "Arial", 12, 0, 0xFFFFFF, "", 0, 0, 0);
    // No name at all: the report's PDFFileName, and -2 without one.
    control.put_PDFFileName("");
    EXPECT_EQ(control.SaveToPDF(), Variant(-2));
    control.put_PDFFileName(path("fallback.pdf").toStdString());
    EXPECT_EQ(static_cast<IOrvReportEngine&>(control).SaveToPDF(), Variant(0));
    EXPECT_TRUE(QFile::exists(path("fallback.PDF")));

    EXPECT_EQ(control.SaveToPDF(path("temporary.pdf").toStdString()), Variant(0));
    EXPECT_TRUE(fileBytes(path("temporary.PDF")).startsWith("%PDF-"));

    // A named value is written back through the same call; a const one is not.
    Variant named(path("named.pdf").toStdString());
    EXPECT_EQ(control.SaveToPDF(named, false, 1, 1), Variant(0));
    EXPECT_EQ(named.toString(), path("named.PDF").toStdString());
    const Variant constant(path("constant.pdf").toStdString());
    EXPECT_EQ(control.SaveToPDF(constant), Variant(0));
    EXPECT_EQ(constant.toString(), path("constant.pdf").toStdString());
    EXPECT_TRUE(QFile::exists(path("constant.PDF")));
}

TEST_F(TypedCallTest, ChartMetafileAndWordDocumentTakeTemporaries)
{
    call("AddChart", {"c", 1, 1, 1, 4, 3});
    call("ChartSelect", {1});
    control.ChartAddSeries(1);
    control.ChartAddXYData(10, 0, "low", 0x0000FF);
    control.ChartSaveToMetafile(path("chart").toStdString(), 200, 150);
    const QByteArray emf = fileBytes(path("chart.EMF"));
    ASSERT_GT(emf.size(), 44);
    EXPECT_EQ(emf.mid(40, 4), QByteArray(" EMF"));

    // Without a text name nothing is written and the result says so.
    EXPECT_EQ(control.SaveToWord(Variant()), Variant(-1));
    EXPECT_EQ(control.SaveToWord(""), Variant(-1));
}

TEST_F(TypedCallTest, ShortestTypedCallsDrawWhatTheShortestLateBoundCallsDraw)
{
    // The C++ defaults of the omitted parameters must be the table's: the
    // same objects drawn both ways give the same page picture.
    TScriptedUiServices otherUi;
    TORVREP typed{nullptr, TORVREP::Options{&otherUi, nullptr, false}};
    typed.NewPage();
    typed.AddText("t", "Shortest", 1, 1, 4, 0);
    typed.AddShape("s", 1, 2, 2, 1);
    typed.AddLine("l", 1, 4, 3, 0);
    typed.AddArc("a", 4, 4, 1, 1, 0, 90);
    auto inches = [](double value) { return Currency::fromInches(value); };
    typed.AddGrid("g", inches(1), inches(5), inches(3), inches(1), 3, 2);
    typed.AddReportField("f", "1+1", 5, 1, 2, 0);

    call("NewPage");
    call("AddText", {"t", "Shortest", 1, 1, 4, 0});
    call("AddShape", {"s", 1, 2, 2, 1});
    call("AddLine", {"l", 1, 4, 3, 0});
    call("AddArc", {"a", 4, 4, 1, 1, 0, 90});
    call("AddGrid", {"g", 1, 5, 3, 1, 3, 2});
    call("AddReportField", {"f", "1+1", 5, 1, 2, 0});

    EXPECT_EQ(typed.get_nReportObjects(), control.get_nReportObjects());
    EXPECT_EQ(typed.SaveToPNG(path("typed.PNG").toStdString()), Variant(0));
    EXPECT_EQ(control.SaveToPNG(path("late.PNG").toStdString()), Variant(0));
    const QByteArray typedPng = fileBytes(path("typed.PNG")), latePng = fileBytes(path("late.PNG"));
    ASSERT_FALSE(typedPng.isEmpty());
    EXPECT_EQ(typedPng, latePng);
}
