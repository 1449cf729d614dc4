#include "LateBoundControlTest.h"
#include <orvreport/Dispatch.h>
#include <orvreport/TORVREP.h>
#include "platform/ScriptedUiServices.h"

#include <gtest/gtest.h>

using namespace orv;

namespace {

class DispatchTest : public LateBoundControlTest {
protected:
    HResult failure(const char* name, std::vector<Variant> args = {}, unsigned kinds = InvokeMethod | InvokePropertyGet)
    {
        try {
            call(name, std::move(args), kinds);
        } catch (const EngineError& e) {
            lastMessage = e.what();
            return e.status();
        }
        return S_OK;
    }

    std::string lastMessage;
};

} // namespace

TEST(DispatchTableShape, NamesAreUniqueAndPropertiesShareIds)
{
    const TDispatchTable& table = TDispatchTable::instance();
    EXPECT_EQ(table.idOfName("pagewidth"), table.idOfName("PageWidth"));
    EXPECT_TRUE(table.has("PageWidth", InvokePropertyPut));
    EXPECT_TRUE(table.has("PageWidth", InvokePropertyGet));
    EXPECT_FALSE(table.has("Version", InvokePropertyPut));
    EXPECT_FALSE(table.has("NewPage", InvokePropertyGet));
    for (const DispatchEntry& entry : table.entries()) {
        EXPECT_EQ(table.idOfName(entry.name), entry.dispId) << entry.name;
        EXPECT_EQ(table.find(entry.dispId, entry.kind), &entry) << entry.name;
    }
}

TEST(DispatchParams, ParseOptionalAndDefaulted)
{
    auto params = TDispatchTable::parseParams("nPaperSize, nPageWidth?, nPageNumber=0, lFlag=true");
    ASSERT_EQ(params.size(), 4u);
    EXPECT_EQ(params[0].presence, ParamDecl::Presence::Required);
    EXPECT_EQ(params[1].presence, ParamDecl::Presence::Optional);
    EXPECT_EQ(params[2].presence, ParamDecl::Presence::Defaulted);
    EXPECT_EQ(params[2].defaultValue, Variant(0));
    EXPECT_EQ(params[3].defaultValue, Variant(true));
    EXPECT_TRUE(TDispatchTable::parseParams("").empty());
}

TEST(DispatchTableShape, EntriesDescribeTypesAndByReferenceArguments)
{
    const TDispatchTable& table = TDispatchTable::instance();
    auto entryOf = [&](const char* name, unsigned kind) { return table.find(table.idOfName(name), kind); };
    const DispatchEntry* save = entryOf("SaveToPDF", InvokeMethod);
    ASSERT_NE(save, nullptr);
    EXPECT_TRUE(save->params[0].byReference);
    EXPECT_EQ(save->params[1].type, VarType::Bool);
    EXPECT_FALSE(save->params[1].byReference);
    EXPECT_EQ(save->params[2].type, VarType::I4);
    const DispatchEntry* width = entryOf("PageWidth", InvokePropertyGet);
    EXPECT_EQ(width->resultType, VarType::R4);
    EXPECT_EQ(entryOf("PageWidth", InvokePropertyPut)->params[0].type, VarType::R4);
    EXPECT_FALSE(entryOf("Clear", InvokeMethod)->hasResult);
    EXPECT_TRUE(entryOf("PDFStream", InvokeMethod)->hasResult);
    EXPECT_EQ(entryOf("PDFStream", InvokeMethod)->resultType, VarType::Empty); // any variant
    const DispatchEntry* text = entryOf("AddText", InvokeMethod);
    EXPECT_EQ(text->params[0].type, VarType::Empty); // cName takes any variant
    EXPECT_EQ(text->params[2].type, VarType::R4);
}

TEST_F(DispatchTest, CallsWithConvertedAndOmittedArguments)
{
    call("NewPage", {Variant("11"), Variant(8.5), Variant::missing(), Variant::missing(), Variant::missing()});
    EXPECT_EQ(call("nTotalPages"), Variant(2));
    EXPECT_EQ(call("PageWidth"), Variant(11.0f));
    call("NewPage");
    EXPECT_EQ(call("nTotalPages"), Variant(3));
    EXPECT_EQ(control.report().page(3).Width, 8.5);

    EXPECT_EQ(call("DeletePage", {1}), Variant(0));
    EXPECT_EQ(call("SetPageNumberToOne", {2}), Variant(true));
    EXPECT_EQ(call("Version").type(), VarType::BSTR);
    EXPECT_EQ(call("GotoPage", {1}), Variant());
}

TEST_F(DispatchTest, PropertyPutsTakeOneValue)
{
    put("PageHeight", 14);
    EXPECT_EQ(call("PageHeight"), Variant(14.0f));
    put("TextFontName", 12);
    EXPECT_EQ(call("TextFontName"), Variant("12"));
    put("cFontStyle", "bi");
    EXPECT_EQ(call("cFontStyle"), Variant());
    EXPECT_EQ(control.report().DefaultFontStyle, "bi");
}

TEST_F(DispatchTest, ReportsFailuresWithTheirStatus)
{
    EXPECT_EQ(failure("ShuffleReport", {"a"}), DISP_E_UNKNOWNNAME);
    EXPECT_NE(lastMessage.find("ShuffleReport"), std::string::npos);
    EXPECT_EQ(failure("NewPageByPaperSize"), DISP_E_PARAMNOTFOUND);
    EXPECT_NE(lastMessage.find("nPaperSize"), std::string::npos);
    EXPECT_EQ(failure("NewPage", {"wide"}), DISP_E_TYPEMISMATCH);
    EXPECT_NE(lastMessage.find("nPageWidth"), std::string::npos);
    EXPECT_EQ(failure("GotoPage", {1, 2}), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(failure("Version", {"x"}, InvokePropertyPut), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(failure("NewPage", {8.5, 11, 0, 0, -5}), E_UNEXPECTED);
    EXPECT_EQ(call("nTotalPages"), Variant(1));
}
