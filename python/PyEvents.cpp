#include "PyEvents.h"

#include "PyVariant.h"
#include "platform/AsciiText.h"

namespace py = pybind11;

namespace orv::python {

TPythonEventSink::~TPythonEventSink()
{
    // The handlers are Python objects: release them holding the interpreter.
    py::gil_scoped_acquire gil;
    m_handlers.clear();
}

std::string TPythonEventSink::canonicalName(const std::string& name)
{
    const std::string lowered = asciiLower(name);
    for (const std::string& event : eventNames())
        if (asciiLower(event) == lowered)
            return event;
    return {};
}

void TPythonEventSink::connect(const std::string& event, py::object handler)
{
    m_handlers[event].push_back(std::move(handler));
}

bool TPythonEventSink::disconnect(const std::string& event, py::handle handler)
{
    auto found = m_handlers.find(event);
    if (found == m_handlers.end())
        return false;
    std::vector<py::object>& handlers = found->second;
    if (handler.is_none()) {
        const bool had = !handlers.empty();
        handlers.clear();
        return had;
    }
    for (auto it = handlers.begin(); it != handlers.end(); ++it) {
        if (it->equal(handler)) {
            handlers.erase(it);
            return true;
        }
    }
    return false;
}

int TPythonEventSink::traverse(visitproc visit, void* arg) const
{
    for (const auto& [event, handlers] : m_handlers)
        for (const py::object& handler : handlers)
            Py_VISIT(handler.ptr());
    return 0;
}

void TPythonEventSink::onEvent(const char* name, int32_t, std::vector<Variant>& args)
{
    py::gil_scoped_acquire gil;
    auto found = m_handlers.find(name);
    if (found == m_handlers.end() || found->second.empty())
        return;
    // A handler may connect or disconnect others while it runs.
    const std::vector<py::object> handlers = found->second;
    for (const py::object& handler : handlers) {
        try {
            py::tuple pyArgs(args.size());
            for (size_t i = 0; i < args.size(); ++i)
                pyArgs[i] = toPython(args[i]);
            py::object result = handler(*pyArgs);
            if (!result.is_none() && args.size() == 1 && std::string_view(name) == "OnKeyPress") {
                Variant replacement = toVariant(result);
                try {
                    replacement.toInt16();
                } catch (const EngineError&) {
                    throw py::value_error(std::string("OnKeyPress: the handler returned ") + py::repr(result).cast<std::string>()
                                          + ", not a key code");
                }
                args[0] = replacement;
            }
        } catch (py::error_already_set& error) {
            report(error);
        } catch (const py::builtin_exception& error) {
            error.set_error();
            py::error_already_set fetched;
            report(fetched);
        }
    }
}

void TPythonEventSink::report(py::error_already_set& error)
{
    if (!m_keepError || !m_keepError(error))
        error.discard_as_unraisable(py::str("orvreport event handler"));
}

} // namespace orv::python
