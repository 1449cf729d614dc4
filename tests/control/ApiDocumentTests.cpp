// docs/api.md: its examples are compiled into this binary (ApiExamples.cpp,
// written from the document at build time); these tests hold the document
// to the interface it describes.
#include <orvreport/Dispatch.h>

#include <QFile>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orv::apiexamples {
extern const std::vector<std::string> kCalledNames;
extern const int kExampleCount;
} // namespace orv::apiexamples

using namespace orv;

namespace {

// Calls of the typed interface that late binding does not offer: event
// sinks are C++ objects, and showing the control is QWidget's.
bool typedOnly(const std::string& name)
{
    return name == "Advise" || name == "Unadvise" || name == "show";
}

// The dispatch name and kind of a typed call: get_X reads and put_X writes
// property X, anything else is a method.
std::pair<std::string, unsigned> lateBound(const std::string& name)
{
    if (name.starts_with("get_"))
        return {name.substr(4), InvokePropertyGet};
    if (name.starts_with("put_"))
        return {name.substr(4), InvokePropertyPut};
    return {name, InvokeMethod};
}

} // namespace

TEST(ApiDocument, EveryCalledOperationIsOneOfTheDispatchTable)
{
    const TDispatchTable& table = TDispatchTable::instance();
    ASSERT_GT(apiexamples::kCalledNames.size(), 40u);
    for (const std::string& name : apiexamples::kCalledNames) {
        if (typedOnly(name))
            continue;
        const auto [lateName, kind] = lateBound(name);
        EXPECT_TRUE(table.has(lateName, kind)) << name << " in docs/api.md is no operation of that kind";
    }
    EXPECT_EQ(lateBound("put_PDFTitle"), std::make_pair(std::string("PDFTitle"), unsigned{InvokePropertyPut}));
}

TEST(ApiDocument, HasAnExampleForEveryOperationFamily)
{
    QFile file(QStringLiteral(ORV_SOURCE_DIR "/docs/api.md"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    for (const char* family : {"Pages", "Text", "Graphics", "Pictures", "Barcodes", "Charts", "PDF", "Printing",
                               "Export", "Viewer", "Events", "Errors"}) {
        const QString heading = QStringLiteral("\n## %1\n").arg(QString::fromUtf8(family));
        const qsizetype at = text.indexOf(heading);
        ASSERT_GE(at, 0) << family;
        const qsizetype next = text.indexOf(QStringLiteral("\n## "), at + 1);
        EXPECT_TRUE(text.mid(at, next < 0 ? -1 : next - at).contains(QStringLiteral("```cpp")))
            << family << " has no example";
    }
    EXPECT_GE(apiexamples::kExampleCount, 12);
}
