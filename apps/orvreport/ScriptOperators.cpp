#include "ScriptOperators.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace orv::script {

namespace {

// Numeric types in order of width; an operation takes the wider operand's.
enum class NumericKind { Byte, Integer, Long, Single, Currency, Double };

NumericKind arithmeticKind(const Variant& value)
{
    switch (value.type()) {
    case VarType::UI1:
        return NumericKind::Byte;
    case VarType::Empty:
    case VarType::Bool:
    case VarType::I2:
        return NumericKind::Integer;
    case VarType::I4:
        return NumericKind::Long;
    case VarType::R4:
        return NumericKind::Single;
    case VarType::CY:
        return NumericKind::Currency;
    case VarType::R8:
    case VarType::BSTR:
        return NumericKind::Double;
    default:
        throw EngineError(DISP_E_TYPEMISMATCH, "Type mismatch: cannot calculate with " + value.typeName());
    }
}

template <class Int>
bool fits(double value)
{
    return value >= std::numeric_limits<Int>::min() && value <= std::numeric_limits<Int>::max();
}

[[noreturn]] void overflow()
{
    throw EngineError(DISP_E_OVERFLOW, "Overflow");
}

// An exact result as a number of the given kind; integer kinds grow into the
// next wider type when the value does not fit.
Variant numberOfKind(double value, NumericKind kind)
{
    switch (kind) {
    case NumericKind::Byte:
        if (fits<uint8_t>(value))
            return static_cast<uint8_t>(value);
        [[fallthrough]];
    case NumericKind::Integer:
        if (fits<int16_t>(value))
            return static_cast<int16_t>(value);
        [[fallthrough]];
    case NumericKind::Long:
        if (fits<int32_t>(value))
            return static_cast<int32_t>(value);
        return value;
    case NumericKind::Single:
        if (!(std::fabs(value) <= std::numeric_limits<float>::max()))
            overflow();
        return static_cast<float>(value);
    case NumericKind::Currency:
        return Variant(value).toCurrency();
    case NumericKind::Double:
        if (!std::isfinite(value))
            overflow();
        return value;
    }
    return value;
}

Variant arithmetic(BinaryOperator op, const Variant& left, const Variant& right)
{
    const NumericKind kind = std::max(arithmeticKind(left), arithmeticKind(right));
    const double a = left.toDouble();
    const double b = right.toDouble();
    switch (op) {
    case BinaryOperator::Add:
        return numberOfKind(a + b, kind);
    case BinaryOperator::Subtract:
        return numberOfKind(a - b, kind);
    case BinaryOperator::Multiply:
        return numberOfKind(a * b, kind);
    default:
        if (b == 0)
            throw EngineError(kDivisionByZero, "Division by zero");
        return numberOfKind(a / b, NumericKind::Double);
    }
}

Variant add(const Variant& left, const Variant& right)
{
    // Text joins text; Empty beside text counts as "".
    auto textOrEmpty = [](const Variant& v) { return v.isString() || v.isEmpty(); };
    if ((left.isString() || right.isString()) && textOrEmpty(left) && textOrEmpty(right))
        return left.toString() + right.toString();
    return arithmetic(BinaryOperator::Add, left, right);
}

std::string concatenationText(const Variant& value)
{
    return value.isNull() ? std::string() : value.toString();
}

// Text sorts after every number, as VB orders a number and a string.
int order(const Variant& left, const Variant& right)
{
    const bool leftText = left.isString() || (left.isEmpty() && right.isString());
    const bool rightText = right.isString() || (right.isEmpty() && left.isString());
    if (leftText && rightText)
        return left.toString().compare(right.toString());
    // Whatever is not text must be a number.
    if (!leftText)
        arithmeticKind(left);
    if (!rightText)
        arithmeticKind(right);
    if (leftText != rightText)
        return leftText ? 1 : -1;
    const double a = left.toDouble();
    const double b = right.toDouble();
    return a < b ? -1 : (a > b ? 1 : 0);
}

bool comparison(BinaryOperator op, int sign)
{
    switch (op) {
    case BinaryOperator::Equal:
        return sign == 0;
    case BinaryOperator::NotEqual:
        return sign != 0;
    case BinaryOperator::Less:
        return sign < 0;
    case BinaryOperator::Greater:
        return sign > 0;
    case BinaryOperator::LessEqual:
        return sign <= 0;
    default:
        return sign >= 0;
    }
}

// Booleans combine logically, anything else bitwise as Longs.
Variant logical(BinaryOperator op, const Variant& left, const Variant& right)
{
    const bool isAnd = op == BinaryOperator::And;
    if (left.type() == VarType::Bool && right.type() == VarType::Bool)
        return isAnd ? (left.toBool() && right.toBool()) : (left.toBool() || right.toBool());
    return isAnd ? (left.toInt32() & right.toInt32()) : (left.toInt32() | right.toInt32());
}

} // namespace

Variant applyUnary(UnaryOperator op, const Variant& operand)
{
    if (operand.isNull())
        return operand;
    if (op == UnaryOperator::Negate)
        return numberOfKind(-operand.toDouble(), arithmeticKind(operand));
    if (operand.type() == VarType::Bool)
        return !operand.toBool();
    return ~operand.toInt32();
}

Variant applyBinary(BinaryOperator op, const Variant& left, const Variant& right)
{
    if (op == BinaryOperator::Concatenate)
        return concatenationText(left) + concatenationText(right);
    if (left.isNull() || right.isNull())
        return Variant::null();
    switch (op) {
    case BinaryOperator::Add:
        return add(left, right);
    case BinaryOperator::Subtract:
    case BinaryOperator::Multiply:
    case BinaryOperator::Divide:
        return arithmetic(op, left, right);
    case BinaryOperator::And:
    case BinaryOperator::Or:
        return logical(op, left, right);
    default:
        return comparison(op, order(left, right));
    }
}

} // namespace orv::script
