#pragma once

// Python descriptions of the dispatch table's operations: the signatures of
// the type stub and of each operation's docstring.

#include "control/Dispatch.h"

#include <string>

namespace orv::python {

// "AddText(self, cName: Any, ..., nFontSize: int = ...) -> None"
std::string methodSignature(const DispatchEntry& method);

// The Python type of a property's value.
std::string propertyType(const DispatchEntry& property);

// The whole orvreport.pyi: the module's classes and every operation of the
// table, properties as attributes and methods with their parameters.
std::string typeStub();

} // namespace orv::python
