#pragma once

#include "control/EngineError.h"
#include "document/Units.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace orv {

// The automation variant types the interface exchanges.
enum class VarType : uint16_t {
    Empty = 0,
    Null = 1,
    I2 = 2,
    I4 = 3,
    R4 = 4,
    R8 = 5,
    CY = 6,
    BSTR = 8,
    Error = 10,
    Bool = 11,
    UI1 = 17,
    Bytes = 0x2011, // an array of bytes (PDFStream's result)
};

// An automation variant. Text is UTF-8. Conversions follow VB: numbers round
// half to even into integers, True is -1, text parses as a number in the C
// locale, Empty converts to 0 or "", and anything that does not convert
// raises EngineError with DISP_E_TYPEMISMATCH (or DISP_E_OVERFLOW).
class Variant {
public:
    struct ErrorCode {
        int32_t scode;
        friend bool operator==(ErrorCode, ErrorCode) = default;
    };
    using Bytes = std::vector<uint8_t>;

    Variant() = default;
    Variant(int16_t v) : m_value(v) {}
    Variant(int32_t v) : m_value(v) {}
    Variant(float v) : m_value(v) {}
    Variant(double v) : m_value(v) {}
    Variant(Currency v) : m_value(v) {}
    Variant(bool v) : m_value(v) {}
    Variant(uint8_t v) : m_value(v) {}
    Variant(std::string v) : m_value(std::move(v)) {}
    Variant(const char* v) : m_value(std::string(v)) {}
    Variant(Bytes v) : m_value(std::move(v)) {}

    static Variant null();
    static Variant error(int32_t scode);
    // The marker for an omitted optional argument.
    static Variant missing();

    VarType type() const;
    bool isEmpty() const { return type() == VarType::Empty; }
    bool isNull() const { return type() == VarType::Null; }
    bool isMissing() const;
    bool isString() const { return type() == VarType::BSTR; }
    bool isNumeric() const;

    int16_t toInt16() const;
    int32_t toInt32() const;
    uint8_t toByte() const;
    float toSingle() const;
    double toDouble() const;
    Currency toCurrency() const;
    bool toBool() const;
    // Text as VB's CStr gives it: Single to 7 significant digits, Double to
    // 15, Boolean as True/False.
    std::string toString() const;
    const Bytes& bytes() const;
    int32_t errorCode() const;

    // VB's TypeName: "Long", "Single", "String", "Boolean", "Empty" ...
    std::string typeName() const;

    friend bool operator==(const Variant&, const Variant&) = default;

private:
    struct NullTag {
        friend bool operator==(NullTag, NullTag) = default;
    };
    std::variant<std::monostate, NullTag, int16_t, int32_t, float, double, Currency, std::string,
                 ErrorCode, bool, uint8_t, Bytes>
        m_value;
};

// Number formatting shared by CStr and the script host's print statement.
std::string formatSingle(float value);
std::string formatDouble(double value);
std::string formatCurrency(Currency value);

} // namespace orv
