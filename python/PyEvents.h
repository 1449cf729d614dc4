#pragma once

#include <orvreport/OrvReportEngineEvents.h>

#include <pybind11/pybind11.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace orv::python {

// Hands the control's events to Python callables registered by event name.
// A handler's return value, when not None, replaces a by-reference argument
// (OnKeyPress's Key). A handler that raises does not unwind through the
// engine: the error goes to the pending-error hook (the engine call that
// fired the event raises it afterwards) or, outside any call, to
// sys.unraisablehook.
class TPythonEventSink : public TLateBoundEventSink {
public:
    // Returns true when the error was kept for the caller.
    using ErrorHook = std::function<bool(pybind11::error_already_set&)>;

    explicit TPythonEventSink(ErrorHook keepError) : m_keepError(std::move(keepError)) {}
    ~TPythonEventSink() override;

    // The event's name as it is spelled, or "" when there is no such event.
    static std::string canonicalName(const std::string& name);

    void connect(const std::string& event, pybind11::object handler);
    // Removes one handler, or all of the event's when handler is None; false
    // when there was nothing to remove.
    bool disconnect(const std::string& event, pybind11::handle handler);

    void onEvent(const char* name, int32_t dispId, std::vector<Variant>& args) override;

    // The garbage collector's view of the handlers: they often refer back to
    // their engine, and such a cycle is only freed when the collector sees it.
    int traverse(visitproc visit, void* arg) const;
    void clear() { m_handlers.clear(); }

private:
    void report(pybind11::error_already_set& error);

    ErrorHook m_keepError;
    std::map<std::string, std::vector<pybind11::object>> m_handlers;
};

} // namespace orv::python
