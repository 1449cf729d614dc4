#include "PyVariant.h"

#include <charconv>
#include <cstdlib>
#include <limits>
#include <string>

namespace py = pybind11;

namespace orv::python {

namespace {

// decimal.Decimal, imported once and kept for the life of the process.
PyObject* decimalType()
{
    static PyObject* type = py::object(py::module_::import("decimal").attr("Decimal")).release().ptr();
    return type;
}

Variant integerVariant(py::handle value)
{
    int overflow = 0;
    const long long number = PyLong_AsLongLongAndOverflow(value.ptr(), &overflow);
    if (number == -1 && PyErr_Occurred())
        throw py::error_already_set();
    if (overflow != 0)
        throw py::value_error("orvreport: the integer " + py::repr(value).cast<std::string>()
                              + " is too large for the engine");
    if (number >= std::numeric_limits<int32_t>::min() && number <= std::numeric_limits<int32_t>::max())
        return static_cast<int32_t>(number);
    // Wider integers travel as Double; the engine refuses them with an
    // overflow where it wants a Long.
    return static_cast<double>(number);
}

Variant currencyVariant(py::handle value)
{
    // Ten-thousandths, rounded half to even as the engine's currency does.
    py::object scaled = value.attr("scaleb")(4).attr("to_integral_value")(py::arg("rounding") = "ROUND_HALF_EVEN");
    int overflow = 0;
    const long long tenThousandths = PyLong_AsLongLongAndOverflow(py::int_(scaled).ptr(), &overflow);
    if (overflow != 0)
        throw py::value_error("orvreport: " + py::str(value).cast<std::string>() + " is out of the currency range");
    return Currency{tenThousandths};
}

py::object singleToPython(float value)
{
    char text[32];
    auto [end, ec] = std::to_chars(text, text + sizeof text - 1, value);
    if (ec != std::errc())
        return py::float_(static_cast<double>(value));
    *end = '\0';
    return py::float_(std::strtod(text, nullptr));
}

} // namespace

Variant toVariant(py::handle value)
{
    if (value.is_none())
        return Variant::null();
    if (PyBool_Check(value.ptr()))
        return value.ptr() == Py_True;
    if (PyLong_Check(value.ptr()))
        return integerVariant(value);
    if (PyFloat_Check(value.ptr()))
        return PyFloat_AS_DOUBLE(value.ptr());
    if (PyUnicode_Check(value.ptr()))
        return value.cast<std::string>();
    if (PyObject_IsInstance(value.ptr(), decimalType()) == 1)
        return currencyVariant(value);
    if (PyBytes_Check(value.ptr()) || PyByteArray_Check(value.ptr()) || PyMemoryView_Check(value.ptr())) {
        const std::string raw = py::bytes(py::reinterpret_borrow<py::object>(value));
        return Variant::Bytes(raw.begin(), raw.end());
    }
    // Other numbers (numpy's, fractions) by what they say they are.
    if (PyIndex_Check(value.ptr()))
        return integerVariant(py::reinterpret_steal<py::object>(PyNumber_Index(value.ptr())));
    if (PyObject_HasAttrString(value.ptr(), "__float__"))
        return py::float_(py::reinterpret_borrow<py::object>(value)).cast<double>();
    throw py::type_error("orvreport: a " + std::string(Py_TYPE(value.ptr())->tp_name)
                         + " cannot be passed to the engine");
}

py::object toPython(const Variant& value)
{
    switch (value.type()) {
    case VarType::Empty:
    case VarType::Null:
        return py::none();
    case VarType::I2:
    case VarType::I4:
    case VarType::UI1:
        return py::int_(value.toInt32());
    case VarType::R4:
        return singleToPython(value.toSingle());
    case VarType::R8:
        return py::float_(value.toDouble());
    case VarType::CY: {
        py::object decimal = py::reinterpret_borrow<py::object>(decimalType());
        return decimal(value.toCurrency().scaled).attr("scaleb")(-4);
    }
    case VarType::BSTR:
        return py::str(value.toString());
    case VarType::Bool:
        return py::bool_(value.toBool());
    case VarType::Error:
        return py::int_(value.errorCode());
    case VarType::Bytes: {
        const Variant::Bytes& bytes = value.bytes();
        return py::bytes(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    }
    return py::none();
}

} // namespace orv::python
