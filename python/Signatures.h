#pragma once

// Python descriptions of the dispatch table's operations: the signatures of
// the type stub and of each operation's docstring.

#include <orvreport/Dispatch.h>

#include <string>

namespace orv::python {

// A parameter's name as a Python identifier: characters a name cannot hold
// become "_", and a Python keyword gets a trailing "_". Keyword arguments
// take this name as well as the declared one.
std::string pythonName(const std::string& declared);

// "AddText(self, cName: Any, ..., nFontSize: int = ...) -> None"
std::string methodSignature(const DispatchEntry& method);

// The Python type of a property's value.
std::string propertyType(const DispatchEntry& property);

// The whole orvreport.pyi: the module's classes and every operation of the
// table, properties as attributes and methods with their parameters.
std::string typeStub();

} // namespace orv::python
