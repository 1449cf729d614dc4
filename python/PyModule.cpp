// The orvreport extension module: the engine's late-bound interface as a
// Python class. Attribute reads and writes and method calls all go through
// the dispatch table, so every operation the engine offers is here without a
// binding of its own.

#include "PyEngine.h"
#include "PyVariant.h"
#include "Signatures.h"
#include <orvreport/Dispatch.h>
#include "platform/AsciiText.h"

#include <pybind11/pybind11.h>
#include <pybind11/eval.h>

#include <array>
#include <unordered_map>

namespace py = pybind11;
using namespace orv;
using namespace orv::python;

namespace {

// The table's entries by lower-cased name: method, property read, property write.
struct NamedOperation {
    const DispatchEntry* method = nullptr;
    const DispatchEntry* getter = nullptr;
    const DispatchEntry* putter = nullptr;
};

const NamedOperation* operationNamed(std::string_view name)
{
    static const auto index = [] {
        std::unordered_map<std::string, NamedOperation> byName;
        for (const DispatchEntry& entry : TDispatchTable::instance().entries()) {
            NamedOperation& named = byName[asciiLower(entry.name)];
            (entry.kind == InvokeMethod ? named.method
             : entry.kind == InvokePropertyGet ? named.getter
                                               : named.putter) = &entry;
        }
        return byName;
    }();
    auto found = index.find(asciiLower(name));
    return found == index.end() ? nullptr : &found->second;
}

// The same lookup keyed by the attribute's str object: names in code are
// interned, so a read of r.PageWidth costs one dict probe. Only names that
// exist are kept, and at most a bounded number of spellings.
const NamedOperation* operationNamed(PyObject* name)
{
    static PyObject* cache = PyDict_New();
    if (PyObject* hit = PyDict_GetItemWithError(cache, name))
        return static_cast<const NamedOperation*>(PyLong_AsVoidPtr(hit));
    if (PyErr_Occurred())
        return nullptr;
    Py_ssize_t length = 0;
    const char* text = PyUnicode_AsUTF8AndSize(name, &length);
    if (!text)
        return nullptr;
    const NamedOperation* named = operationNamed(std::string_view(text, length));
    if (named && PyDict_Size(cache) < 4096) {
        py::object address = py::reinterpret_steal<py::object>(PyLong_FromVoidPtr(const_cast<NamedOperation*>(named)));
        if (!address || PyDict_SetItem(cache, name, address.ptr()) != 0)
            PyErr_Clear();
    }
    return named;
}

PyObject* engineErrorType = nullptr;

// EngineError(status, message) from the engine's failure.
[[noreturn]] void raiseEngineError(const EngineError& error)
{
    py::object type = py::reinterpret_borrow<py::object>(engineErrorType);
    PyErr_SetObject(engineErrorType, type(static_cast<uint32_t>(error.status()), error.what()).ptr());
    throw py::error_already_set();
}

// A method of one engine, as r.AddText gives it: positional arguments in
// declaration order, keywords by parameter name (any case), None or a
// left-out argument counts as omitted. With by-reference parameters the call
// returns (result, final value of each by-reference argument).
class TOperation {
public:
    TOperation(py::object engine, const DispatchEntry& entry) : m_engine(std::move(engine)), m_entry(entry) {}

    const DispatchEntry& entry() const { return m_entry; }
    py::object engine() const { return m_engine; }

    int traverse(visitproc visit, void* arg) const
    {
        Py_VISIT(m_engine.ptr());
        return 0;
    }
    void clearReferences() { m_engine = py::none(); }

    py::object call(py::args positional, py::kwargs keywords)
    {
        const std::vector<ParamDecl>& params = m_entry.params;
        if (positional.size() > params.size())
            throw py::type_error(m_entry.name + "() takes at most " + std::to_string(params.size())
                                 + " argument(s) (" + std::to_string(positional.size()) + " given)");
        std::vector<Variant> args(params.size(), Variant::missing());
        std::vector<bool> given(params.size(), false);
        auto place = [&](size_t index, py::handle value) {
            if (given[index])
                throw py::type_error(m_entry.name + "() got multiple values for argument '" + params[index].name + "'");
            given[index] = true;
            if (!value.is_none())
                args[index] = toVariant(value);
        };
        for (size_t i = 0; i < positional.size(); ++i)
            place(i, positional[i]);
        for (auto [key, value] : keywords) {
            const std::string name = key.cast<std::string>();
            size_t index = 0;
            while (index < params.size() && !equalsIgnoringAsciiCase(params[index].name, name)
                   && !equalsIgnoringAsciiCase(pythonName(params[index].name), name))
                ++index;
            if (index == params.size())
                throw py::type_error(m_entry.name + "() got an unexpected keyword argument '" + name + "'");
            place(index, value);
        }
        for (size_t i = 0; i < params.size(); ++i)
            if (params[i].presence == ParamDecl::Presence::Required && !params[i].byReference && args[i].isMissing())
                throw py::type_error(m_entry.name + "() missing required argument '" + params[i].name + "'");

        TPythonEngine& engine = m_engine.cast<TPythonEngine&>();
        Variant result;
        try {
            result = engine.invoke(m_entry, args);
        } catch (const EngineError& e) {
            raiseEngineError(e);
        }
        py::object value = toPython(result);
        py::list byReference;
        for (size_t i = 0; i < params.size(); ++i)
            if (params[i].byReference)
                byReference.append(toPython(args[i].isMissing() ? Variant() : args[i]));
        if (byReference.empty())
            return value;
        byReference.insert(0, value);
        return py::tuple(byReference);
    }

private:
    py::object m_engine;
    const DispatchEntry& m_entry;
};

// The C++ object of a pybind11 instance, or null before it is constructed.
template <class T>
T* constructedValue(PyObject* self)
{
    auto valueAndHolder = reinterpret_cast<py::detail::instance*>(self)->get_value_and_holder();
    return valueAndHolder.holder_constructed() ? valueAndHolder.template value_ptr<T>() : nullptr;
}

// Instances that hold Python objects take part in garbage collection: a
// handler that refers to its engine (r.on("OnPageClick", lambda p: r.GotoPage(p)),
// or r.on("OnPaint", r.NewPage)) makes a cycle that reference counting alone
// never frees, and the engine would live on with its widget and pages.
template <class T>
void collectCycles(PyHeapTypeObject* heapType)
{
    PyTypeObject* type = &heapType->ht_type;
    type->tp_flags |= Py_TPFLAGS_HAVE_GC;
    type->tp_traverse = [](PyObject* self, visitproc visit, void* arg) {
        Py_VISIT(Py_TYPE(self));
        const T* value = constructedValue<T>(self);
        return value ? value->traverse(visit, arg) : 0;
    };
    type->tp_clear = [](PyObject* self) {
        if (T* value = constructedValue<T>(self))
            value->clearReferences();
        return 0;
    };
    // Untracked before the C++ destructor runs: it may run handlers, and
    // they a collection that must not visit a half-destroyed object.
    type->tp_dealloc = [](PyObject* self) {
        PyObject_GC_UnTrack(self);
        py::detail::pybind11_object_dealloc(self);
    };
}

TPythonEngine& engineOf(PyObject* self)
{
    return py::handle(self).cast<TPythonEngine&>();
}

Variant invokeOrRaise(TPythonEngine& engine, const DispatchEntry& entry, std::vector<Variant>& args)
{
    try {
        return engine.invoke(entry, args);
    } catch (const EngineError& e) {
        raiseEngineError(e);
    }
}

// Attribute reads: the engine's operations first (any case), then the
// Python members (on, show, close ...).
PyObject* engineGetAttr(PyObject* self, PyObject* name)
{
    const NamedOperation* named = operationNamed(name);
    if (!named)
        return PyErr_Occurred() ? nullptr : PyObject_GenericGetAttr(self, name);
    try {
        if (named->method)
            return py::cast(TOperation(py::reinterpret_borrow<py::object>(self), *named->method)).release().ptr();
        if (!named->getter) {
            PyErr_Format(PyExc_AttributeError, "%s can only be written", named->putter->name.c_str());
            return nullptr;
        }
        std::vector<Variant> none;
        return toPython(invokeOrRaise(engineOf(self), *named->getter, none)).release().ptr();
    } catch (py::error_already_set& e) {
        e.restore();
    } catch (const py::builtin_exception& e) {
        e.set_error();
    } catch (const std::exception& e) {
        PyErr_SetString(PyExc_RuntimeError, e.what());
    }
    return nullptr;
}

int engineSetAttr(PyObject* self, PyObject* name, PyObject* value)
{
    const NamedOperation* named = operationNamed(name);
    if (!named)
        return PyErr_Occurred() ? -1 : PyObject_GenericSetAttr(self, name, value);
    if (!value) {
        PyErr_Format(PyExc_AttributeError, "engine operations cannot be deleted");
        return -1;
    }
    if (!named->putter) {
        PyErr_Format(PyExc_AttributeError, "%s is read-only",
                     (named->getter ? named->getter : named->method)->name.c_str());
        return -1;
    }
    try {
        std::vector<Variant> args{toVariant(value)};
        invokeOrRaise(engineOf(self), *named->putter, args);
        return 0;
    } catch (py::error_already_set& e) {
        e.restore();
    } catch (const py::builtin_exception& e) {
        e.set_error();
    } catch (const std::exception& e) {
        PyErr_SetString(PyExc_RuntimeError, e.what());
    }
    return -1;
}

} // namespace

PYBIND11_MODULE(orvreport, module)
{
    module.doc() = "The Orv Report Engine: build reports page by page and export them to PDF.";

    py::object builtins = py::module_::import("builtins");
    py::dict scope;
    scope["RuntimeError"] = builtins.attr("RuntimeError");
    py::exec(R"py(
class EngineError(RuntimeError):
    """A failure the report engine reported: status is its automation status
    (an unsigned 32-bit code such as 0x8000FFFF), message its text."""

    def __init__(self, status, message):
        super().__init__(message)
        self.status = status
        self.message = message

    def __str__(self):
        return f"{self.message} (status 0x{self.status:08X})"
)py", scope);
    py::object errorType = scope["EngineError"];
    errorType.attr("__module__") = "orvreport";
    engineErrorType = errorType.inc_ref().ptr();
    module.attr("EngineError") = errorType;

    py::tuple events(TLateBoundEventSink::eventNames().size());
    for (size_t i = 0; i < TLateBoundEventSink::eventNames().size(); ++i)
        events[i] = py::str(TLateBoundEventSink::eventNames()[i]);
    module.attr("EVENTS") = events;

    py::class_<TOperation>(module, "Operation", py::custom_type_setup(collectCycles<TOperation>),
                           "One operation of an engine, ready to call.")
        .def("__call__", &TOperation::call)
        .def_property_readonly("name", [](const TOperation& op) { return op.entry().name; })
        .def_property_readonly("__self__", &TOperation::engine)
        .def_property_readonly("__doc__", [](const TOperation& op) { return methodSignature(op.entry()); })
        .def("__repr__", [](const TOperation& op) { return "<orvreport operation " + methodSignature(op.entry()) + ">"; });

    py::class_<TPythonEngine>(module, "Engine", py::custom_type_setup([](PyHeapTypeObject* heapType) {
                                  collectCycles<TPythonEngine>(heapType);
                                  heapType->ht_type.tp_getattro = engineGetAttr;
                                  heapType->ht_type.tp_setattro = engineSetAttr;
                              }),
                              "A report engine. Its operations are attributes: properties read and written "
                              "by name, methods called with positional or keyword arguments.")
        .def(py::init<bool>(), py::arg("window") = false)
        .def("__enter__", [](py::object self) { return self; })
        .def("__exit__", [](TPythonEngine& engine, py::args) { engine.close(); })
        .def(
            "on",
            [](py::object self, const std::string& event, py::object handler) -> py::object {
                TPythonEngine& engine = self.cast<TPythonEngine&>();
                engine.checkUsable();
                const std::string name = TPythonEventSink::canonicalName(event);
                if (name.empty())
                    throw py::value_error("orvreport: the engine has no event named " + event);
                if (handler.is_none()) // used as a decorator: @r.on("OnPageClick")
                    return py::cpp_function([self, name](py::object fn) {
                        self.cast<TPythonEngine&>().events().connect(name, fn);
                        return fn;
                    });
                if (!PyCallable_Check(handler.ptr()))
                    throw py::type_error("orvreport: an event handler must be callable");
                engine.events().connect(name, handler);
                return handler;
            },
            py::arg("event"), py::arg("handler") = py::none(),
            "Calls handler(*arguments) whenever the event fires; without a handler, returns a decorator.")
        .def(
            "off",
            [](TPythonEngine& engine, const std::string& event, py::object handler) {
                engine.checkUsable();
                return engine.events().disconnect(TPythonEventSink::canonicalName(event), handler);
            },
            py::arg("event"), py::arg("handler") = py::none(),
            "Removes a handler (all of the event's without one); False when there was none.")
        .def("show", &TPythonEngine::show, py::arg("wait") = false,
             "Shows the engine in a window; with wait=True, until the user closes it.")
        .def("close", &TPythonEngine::close, "Destroys the control now; later use raises RuntimeError.")
        .def_property_readonly("closed", &TPythonEngine::closed)
        .def(
            "_fire",
            [](TPythonEngine& engine, const std::string& event, py::args values) {
                engine.checkUsable();
                const std::string name = TPythonEventSink::canonicalName(event);
                if (name.empty())
                    throw py::value_error("orvreport: the engine has no event named " + event);
                std::vector<Variant> args;
                for (py::handle value : values)
                    args.push_back(toVariant(value));
                py::list after;
                for (const Variant& value : engine.fire(name, std::move(args)))
                    after.append(toPython(value));
                return after;
            },
            py::arg("event"),
            "Delivers an event to this engine's handlers as the control does; returns the arguments as the "
            "handlers left them.")
        .def("__dir__", [](py::object self) {
            py::set names(py::module_::import("builtins").attr("object").attr("__dir__")(self));
            for (const DispatchEntry& entry : TDispatchTable::instance().entries())
                names.add(py::str(entry.name));
            return py::list(names);
        });
}
