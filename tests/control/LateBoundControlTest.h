#pragma once

#include <orvreport/Dispatch.h>
#include <orvreport/TORVREP.h>
#include "platform/ScriptedUiServices.h"

#include <gtest/gtest.h>

#include <vector>

namespace orv {

// A control with scripted dialogs, driven by name as a late-bound host
// drives it, so that the tests check the dispatch rows with the operations.
class LateBoundControlTest : public testing::Test {
protected:
    Variant call(const char* name, std::vector<Variant> args = {}, unsigned kinds = InvokeMethod | InvokePropertyGet)
    {
        return TDispatchTable::instance().invoke(control, name, kinds, args);
    }
    Variant get(const char* name)
    {
        std::vector<Variant> none;
        return TDispatchTable::instance().invoke(control, name, InvokePropertyGet, none);
    }
    void put(const char* name, Variant value)
    {
        std::vector<Variant> args{std::move(value)};
        TDispatchTable::instance().invoke(control, name, InvokePropertyPut, args);
    }

    TScriptedUiServices ui;
    TORVREP control{nullptr, TORVREP::Options{&ui, nullptr, false}};
};

} // namespace orv
