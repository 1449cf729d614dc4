#pragma once

#include <orvreport/Variant.h>

namespace orv::script {

enum class UnaryOperator { Negate, Not };

enum class BinaryOperator {
    Add,
    Subtract,
    Multiply,
    Divide,
    Concatenate,
    Equal,
    NotEqual,
    Less,
    Greater,
    LessEqual,
    GreaterEqual,
    And,
    Or,
};

// VB's "Division by zero" run-time error.
inline constexpr HResult kDivisionByZero = 0x800A000B;

// The operators with VB's typing. Numbers combine into the wider type
// (Byte < Integer < Long < Single < Currency < Double; Empty and Boolean take
// part as Integer, numeric text as Double); an integer result too big for
// its type grows into the next wider one, ending at Double. Null propagates.
// Failures raise EngineError.
Variant applyUnary(UnaryOperator op, const Variant& operand);
Variant applyBinary(BinaryOperator op, const Variant& left, const Variant& right);

} // namespace orv::script
