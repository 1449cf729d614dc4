#pragma once

#include "control/Variant.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orv {

// The events the control sends to its host. A sink overrides what it wants
// to hear; every event is delivered synchronously on the control's thread.
class IOrvReportEngineEvents {
public:
    virtual ~IOrvReportEngineEvents() = default;

    virtual void OnActivate() {}
    virtual void OnClick() {}
    virtual void OnCreate() {}
    virtual void OnFieldExpression(int32_t nIndex, const std::string& cExpression) {}
    virtual void OnDblClick() {}
    virtual void OnDestroy() {}
    virtual void OnDeactivate() {}
    virtual void BeforePagePrint(int32_t nPageNumber) {}
    virtual void AfterPagePrint() {}
    virtual void OnPrintWhenExpression(int32_t nIndex, const std::string& cExpression) {}
    // The host may replace the key (its low 8 bits are used).
    virtual void OnKeyPress(int16_t& Key) {}
    virtual void OnPageClick(int32_t nPageNumber, float nXPos, float nYPos) {}
    virtual void OnExitButtonClick() {}
    virtual void OnPaint() {}
    virtual void OnObjectClick(int32_t nPageNumber, float nXPos, float nYPos, int32_t nObjectType,
                               const std::string& cValue, const std::string& cUser, const std::string& cComment,
                               const std::string& cURL) {}
    virtual void OnToolbarButtonClick(const std::string& cButtonName) {}
};

// A sink that hears every event by name, dispatch id and arguments, for
// late-bound hosts such as the script host. Arguments passed by reference
// (OnKeyPress's Key) are written back from the vector.
class TLateBoundEventSink : public IOrvReportEngineEvents {
public:
    virtual void onEvent(const char* name, int32_t dispId, std::vector<Variant>& args) = 0;

    // The names onEvent hears, in dispatch id order.
    static const std::vector<std::string>& eventNames();

    void OnActivate() override;
    void OnClick() override;
    void OnCreate() override;
    void OnFieldExpression(int32_t nIndex, const std::string& cExpression) override;
    void OnDblClick() override;
    void OnDestroy() override;
    void OnDeactivate() override;
    void BeforePagePrint(int32_t nPageNumber) override;
    void AfterPagePrint() override;
    void OnPrintWhenExpression(int32_t nIndex, const std::string& cExpression) override;
    void OnKeyPress(int16_t& Key) override;
    void OnPageClick(int32_t nPageNumber, float nXPos, float nYPos) override;
    void OnExitButtonClick() override;
    void OnPaint() override;
    void OnObjectClick(int32_t nPageNumber, float nXPos, float nYPos, int32_t nObjectType, const std::string& cValue,
                       const std::string& cUser, const std::string& cComment, const std::string& cURL) override;
    void OnToolbarButtonClick(const std::string& cButtonName) override;
};

} // namespace orv
