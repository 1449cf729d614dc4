#include "Signatures.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <sstream>

namespace orv::python {

namespace {

std::string pythonType(VarType type)
{
    switch (type) {
    case VarType::I2:
    case VarType::I4:
    case VarType::UI1:
        return "int";
    case VarType::R4:
    case VarType::R8:
        return "float";
    case VarType::CY:
        return "Decimal";
    case VarType::BSTR:
        return "str";
    case VarType::Bool:
        return "bool";
    default:
        return "Any";
    }
}

std::string resultType(const DispatchEntry& method)
{
    const bool hasByReference = std::any_of(method.params.begin(), method.params.end(),
                                            [](const ParamDecl& p) { return p.byReference; });
    if (hasByReference) {
        std::string tuple = "tuple[Any";
        for (const ParamDecl& param : method.params)
            if (param.byReference)
                tuple += ", Any";
        return tuple + "]";
    }
    if (!method.hasResult)
        return "None";
    return pythonType(method.resultType);
}

} // namespace

std::string pythonName(const std::string& declared)
{
    static const std::set<std::string> keywords{
        "False", "None",   "True",    "and",      "as",   "assert", "async", "await",  "break",
        "class", "continue", "def",   "del",      "elif", "else",   "except", "finally", "for",
        "from",  "global", "if",      "import",   "in",   "is",     "lambda", "nonlocal", "not",
        "or",    "pass",   "raise",   "return",   "try",  "while",  "with",  "yield"};
    std::string name = declared;
    for (char& c : name)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_'))
            c = '_';
    if (name.empty() || std::isdigit(static_cast<unsigned char>(name.front())))
        name.insert(0, "_");
    if (keywords.count(name))
        name += '_';
    return name;
}

std::string methodSignature(const DispatchEntry& method)
{
    std::string text = method.name + "(self";
    // Once one parameter may be left out, every later one may be too:
    // arguments by keyword can skip any optional one.
    bool optionalSeen = false;
    for (const ParamDecl& param : method.params) {
        optionalSeen = optionalSeen || param.presence != ParamDecl::Presence::Required;
        text += ", " + pythonName(param.name) + ": " + pythonType(param.type);
        if (optionalSeen)
            text += param.presence == ParamDecl::Presence::Defaulted ? " = " + param.defaultValue.toString() : " = ...";
    }
    return text + ") -> " + resultType(method);
}

std::string propertyType(const DispatchEntry& property)
{
    return pythonType(property.resultType);
}

std::string typeStub()
{
    const TDispatchTable& table = TDispatchTable::instance();
    std::map<std::string, const DispatchEntry*> methods, getters;
    std::set<std::string> writable;
    for (const DispatchEntry& entry : table.entries()) {
        if (entry.kind == InvokeMethod)
            methods[entry.name] = &entry;
        else if (entry.kind == InvokePropertyGet)
            getters[entry.name] = &entry;
        else
            writable.insert(entry.name);
    }

    std::ostringstream out;
    out << "# The orvreport module: the report engine from Python. Generated from the\n"
           "# engine's dispatch table when the module is built.\n"
           "from decimal import Decimal\n"
           "from typing import Any, Callable, Optional\n\n"
           "EVENTS: tuple[str, ...]\n\n"
           "class EngineError(RuntimeError):\n"
           "    status: int\n"
           "    message: str\n\n"
           "class Operation:\n"
           "    name: str\n"
           "    def __call__(self, *args: Any, **kwargs: Any) -> Any: ...\n\n"
           "class Engine:\n"
           "    def __init__(self, window: bool = False) -> None: ...\n"
           "    def __enter__(self) -> Engine: ...\n"
           "    def __exit__(self, *exc: Any) -> None: ...\n"
           "    def on(self, event: str, handler: Optional[Callable[..., Any]] = None) -> Any: ...\n"
           "    def off(self, event: str, handler: Optional[Callable[..., Any]] = None) -> bool: ...\n"
           "    def show(self, wait: bool = False) -> None: ...\n"
           "    def close(self) -> None: ...\n"
           "    @property\n"
           "    def closed(self) -> bool: ...\n";
    for (const auto& [name, getter] : getters) {
        if (writable.count(name)) {
            out << "    " << name << ": " << propertyType(*getter) << "\n";
        } else {
            out << "    @property\n    def " << name << "(self) -> " << propertyType(*getter) << ": ...\n";
        }
    }
    for (const auto& [name, method] : methods)
        out << "    def " << methodSignature(*method) << ": ...\n";
    return out.str();
}

} // namespace orv::python
