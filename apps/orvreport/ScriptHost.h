#pragma once

#include <orvreport/OrvReportEngineEvents.h>
#include <orvreport/TORVREP.h>
#include "platform/ScriptedUiServices.h"

#include <memory>
#include <ostream>
#include <string>
#include <string_view>

namespace orv {

// The orvreport command's exit statuses.
enum ExitStatus : int {
    ExitRan = 0,      // every statement ran
    ExitFailed = 1,   // some operation failed
    ExitBadInput = 2, // the script does not parse, or the command line is wrong
};

// Prints every event the control fires as "event Name arg ...", each
// argument as its CStr text.
class TEventPrinter : public TLateBoundEventSink {
public:
    explicit TEventPrinter(std::ostream& out) : m_out(out) {}

    void onEvent(const char* name, int32_t dispId, std::vector<Variant>& args) override;

private:
    std::ostream& m_out;
};

// One control driven by a script, as the orvreport command runs it. Dialogs
// are answered from the script's Answer queue and printed as they show
// ("message <text>", "dialog <kind> <caption>", "document <path>").
class TScriptHost {
public:
    struct Options {
        bool printEvents = false;
    };

    TScriptHost(std::ostream& out, std::ostream& err, Options options);
    ~TScriptHost();

    // Parses the whole script; a script that does not parse is reported on
    // err as "orvreport: NAME:LINE: what is wrong" and nothing runs.
    // Otherwise creates the control and runs the script against it.
    ExitStatus run(const std::string& scriptName, std::string_view source);

    // The control the script ran against; null until a script parsed.
    TORVREP* control() { return m_control.get(); }

private:
    void printDialog(const TScriptedUiServices::Shown& shown);

    std::ostream& m_out;
    std::ostream& m_err;
    TScriptedUiServices m_ui;
    std::unique_ptr<TEventPrinter> m_events; // null unless events are printed
    // Declared last so that it goes first, and its OnDestroy is still heard.
    std::unique_ptr<TORVREP> m_control;
};

} // namespace orv
