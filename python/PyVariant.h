#pragma once

// Conversions between Python objects and the engine's variants.

#include <orvreport/Variant.h>

#include <pybind11/pybind11.h>

namespace orv::python {

// bool, int, float, str, decimal.Decimal (currency), bytes-like and None
// (Null). Anything else raises TypeError; an int beyond 64 bits raises
// OverflowError.
Variant toVariant(pybind11::handle value);

// Empty and Null become None, numbers int or float (a Single as the shortest
// decimal that reads back as the same Single), currency decimal.Decimal,
// byte arrays bytes.
pybind11::object toPython(const Variant& value);

} // namespace orv::python
