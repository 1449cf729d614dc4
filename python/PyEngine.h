#pragma once

#include "PyEvents.h"
#include <orvreport/Dispatch.h>

#include <pybind11/pybind11.h>

#include <memory>
#include <optional>
#include <thread>

namespace orv {
class TORVREP;
class TScriptedUiServices;
} // namespace orv

namespace orv::python {

// One control for Python. The control is a Qt widget: it is created on the
// thread that runs Qt (the first thread that made an engine) and every call
// must come from that thread; a call from any other raises RuntimeError.
// Without a window, dialogs are answered without showing (a message box
// takes its first button, a file dialog is cancelled), so no script ever
// waits on an invisible dialog.
class TPythonEngine {
public:
    explicit TPythonEngine(bool window);
    ~TPythonEngine();
    TPythonEngine(const TPythonEngine&) = delete;
    TPythonEngine& operator=(const TPythonEngine&) = delete;

    // Raises RuntimeError on a foreign thread or after close().
    void checkUsable() const;

    // Invokes one operation; an error raised by an event handler during the
    // call is raised after it.
    Variant invoke(const DispatchEntry& entry, std::vector<Variant>& args);

    // Delivers an event to the handlers as the control does, for hosts that
    // test their handlers; returns the arguments as the handlers left them.
    std::vector<Variant> fire(const std::string& event, std::vector<Variant> args);

    TPythonEventSink& events() { return *m_events; }
    // The handlers' part in garbage collection (none once closed).
    int traverse(visitproc visit, void* arg) const { return m_events ? m_events->traverse(visit, arg) : 0; }
    void clearReferences()
    {
        if (m_events)
            m_events->clear();
    }
    bool closed() const { return !m_control; }
    bool hasWindow() const { return m_window; }

    // Shows the control in a window of its own; with wait, runs Qt's event
    // loop until the user closes it.
    void show(bool wait);
    // Destroys the control now (OnDestroy fires); later calls raise.
    void close();

private:
    bool keepHandlerError(pybind11::error_already_set& error);
    // Runs body as one engine call: handler errors raised meanwhile are
    // raised when it returns.
    template <class Body>
    auto asOneCall(Body&& body);

    std::thread::id m_owner;
    bool m_window = false;
    std::unique_ptr<TScriptedUiServices> m_ui; // null with a window: real dialogs
    std::unique_ptr<TPythonEventSink> m_events;
    std::unique_ptr<TORVREP> m_control;
    int m_callDepth = 0;
    std::optional<pybind11::error_already_set> m_handlerError;
};

// Creates the process's QApplication when there is none (offscreen when no
// display is set); raises RuntimeError when Qt runs on another thread or
// without widgets.
void ensureQtApplication();

} // namespace orv::python
