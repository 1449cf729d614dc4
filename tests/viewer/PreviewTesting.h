#pragma once

#include <orvreport/Dispatch.h>
#include <orvreport/OrvReportEngineEvents.h>
#include <orvreport/TORVREP.h>
#include "platform/ScriptedUiServices.h"
#include "viewer/Preview.h"

#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orv {

// Every event the control fires, by name with its arguments as text; an
// OnKeyPress answer may replace the key.
class TEventLog : public TLateBoundEventSink {
public:
    struct Entry {
        std::string name;
        std::vector<Variant> args;
    };

    void onEvent(const char* name, int32_t, std::vector<Variant>& args) override
    {
        if (std::string(name) == "OnKeyPress" && keyAnswer)
            args[0] = Variant(static_cast<int16_t>(*keyAnswer));
        entries.push_back({name, args});
    }

    std::vector<Entry> named(const std::string& name) const
    {
        std::vector<Entry> found;
        for (const Entry& entry : entries)
            if (entry.name == name)
                found.push_back(entry);
        return found;
    }

    std::vector<Entry> entries;
    std::optional<int> keyAnswer;
};

// A control on the screen at a known size, driven by name and by the mouse
// and keyboard as a user drives it.
class PreviewTest : public testing::Test {
protected:
    // The area below the toolbar is 616 x 858 pixels.
    static constexpr QSize kControlSize{616, 858 + TPreviewToolbar::kHeight};

    void SetUp() override
    {
        control.Advise(&events);
        control.resize(kControlSize);
        control.show();
        settle();
    }

    static void settle()
    {
        for (int pass = 0; pass < 3; ++pass)
            QApplication::processEvents();
    }

    Variant call(const char* name, std::vector<Variant> args = {})
    {
        return TDispatchTable::instance().invoke(control, name, InvokeMethod | InvokePropertyGet, args);
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
    void addPages(int total)
    {
        while (control.report().pageCount() < total)
            call("NewPage", {Variant(8.5f), Variant(11.0f)});
    }

    void addText(const std::string& text)
    {
        control.AddText(Variant(std::string("t")), Variant(text), 1, 1, 4, 1, Variant(std::string("Arial")), 14, 0,
                        0xFFFFFF, Variant(std::string()), 0, 0, 0, Variant(std::string()));
    }
    TPreview& preview() { return control.preview(); }
    TPreviewArea& area() { return *preview().area(); }
    QWidget& page() { return *area().viewport(); }
    QToolButton& button(const char* name) { return *preview().toolbar()->button(name); }
    QLineEdit& zoomBox() { return *preview().toolbar()->zoomBox(); }
    QLineEdit& pageBox() { return *preview().toolbar()->pageBox(); }
    int32_t zoom() { return get("Scale").toInt32(); }
    int32_t viewPage() { return control.report().viewPageNumber(); }
    // A point on the page control, in the viewport's coordinates.
    QPoint onPage(QPoint inside) { return area().pageOnViewport().topLeft() + inside; }

    TScriptedUiServices ui;
    TEventLog events;
    TORVREP control{nullptr, TORVREP::Options{&ui, nullptr, false}};
};

} // namespace orv
