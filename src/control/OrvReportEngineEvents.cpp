#include "control/OrvReportEngineEvents.h"

namespace orv {

namespace {

void fire(TLateBoundEventSink& sink, const char* name, int32_t dispId, std::vector<Variant> args = {})
{
    sink.onEvent(name, dispId, args);
}

} // namespace

const std::vector<std::string>& TLateBoundEventSink::eventNames()
{
    static const std::vector<std::string> names{
        "OnActivate",       "OnClick",        "OnCreate",          "OnFieldExpression",     "OnDblClick",
        "OnDestroy",        "OnDeactivate",   "BeforePagePrint",   "AfterPagePrint",        "OnPrintWhenExpression",
        "OnKeyPress",       "OnPageClick",    "OnExitButtonClick", "OnPaint",               "OnObjectClick",
        "OnToolbarButtonClick"};
    return names;
}

void TLateBoundEventSink::OnActivate() { fire(*this, "OnActivate", 1); }
void TLateBoundEventSink::OnClick() { fire(*this, "OnClick", 2); }
void TLateBoundEventSink::OnCreate() { fire(*this, "OnCreate", 3); }
void TLateBoundEventSink::OnFieldExpression(int32_t nIndex, const std::string& cExpression)
{
    fire(*this, "OnFieldExpression", 4, {nIndex, cExpression});
}
void TLateBoundEventSink::OnDblClick() { fire(*this, "OnDblClick", 5); }
void TLateBoundEventSink::OnDestroy() { fire(*this, "OnDestroy", 6); }
void TLateBoundEventSink::OnDeactivate() { fire(*this, "OnDeactivate", 7); }
void TLateBoundEventSink::BeforePagePrint(int32_t nPageNumber) { fire(*this, "BeforePagePrint", 8, {nPageNumber}); }
void TLateBoundEventSink::AfterPagePrint() { fire(*this, "AfterPagePrint", 9); }
void TLateBoundEventSink::OnPrintWhenExpression(int32_t nIndex, const std::string& cExpression)
{
    fire(*this, "OnPrintWhenExpression", 10, {nIndex, cExpression});
}
void TLateBoundEventSink::OnKeyPress(int16_t& Key)
{
    std::vector<Variant> args{Key};
    onEvent("OnKeyPress", 11, args);
    Key = args.at(0).toInt16();
}
void TLateBoundEventSink::OnPageClick(int32_t nPageNumber, float nXPos, float nYPos)
{
    fire(*this, "OnPageClick", 12, {nPageNumber, nXPos, nYPos});
}
void TLateBoundEventSink::OnExitButtonClick() { fire(*this, "OnExitButtonClick", 13); }
void TLateBoundEventSink::OnPaint() { fire(*this, "OnPaint", 16); }
void TLateBoundEventSink::OnObjectClick(int32_t nPageNumber, float nXPos, float nYPos, int32_t nObjectType,
                                        const std::string& cValue, const std::string& cUser,
                                        const std::string& cComment, const std::string& cURL)
{
    fire(*this, "OnObjectClick", 201, {nPageNumber, nXPos, nYPos, nObjectType, cValue, cUser, cComment, cURL});
}
void TLateBoundEventSink::OnToolbarButtonClick(const std::string& cButtonName)
{
    fire(*this, "OnToolbarButtonClick", 202, {cButtonName});
}

} // namespace orv
