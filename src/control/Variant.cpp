#include "control/Variant.h"

#include "platform/AsciiText.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace orv {

namespace {

[[noreturn]] void typeMismatch(const Variant& from, const char* to)
{
    throw EngineError(DISP_E_TYPEMISMATCH,
                      "Type mismatch: cannot convert " + from.typeName() + " to " + to);
}

[[noreturn]] void overflow(const char* to)
{
    throw EngineError(DISP_E_OVERFLOW, std::string("Overflow converting to ") + to);
}

// Parses a number the way VB reads numeric text, independent of the locale:
// surrounding blanks are allowed, nothing else may follow.
bool parseNumber(const std::string& text, double& out)
{
    size_t begin = text.find_first_not_of(" \t");
    size_t end = text.find_last_not_of(" \t");
    if (begin == std::string::npos)
        return false;
    const char* first = text.data() + begin;
    const char* last = text.data() + end + 1;
    if (*first == '+')
        ++first;
    // "nan" and "inf" are no numbers to VB.
    auto [ptr, ec] = std::from_chars(first, last, out);
    return ec == std::errc() && ptr == last && std::isfinite(out);
}

template <class Int>
Int toInteger(const Variant& v, const char* name)
{
    double d = 0;
    switch (v.type()) {
    case VarType::Empty:
        return 0;
    case VarType::I2:
    case VarType::I4:
    case VarType::UI1:
    case VarType::R4:
    case VarType::R8:
    case VarType::CY:
        d = v.toDouble();
        break;
    case VarType::Bool:
        return v.toBool() ? Int(-1) : Int(0);
    case VarType::BSTR:
        if (!parseNumber(v.toString(), d)) {
            if (v.toString() == "True" || v.toString() == "False")
                return v.toBool() ? Int(-1) : Int(0);
            typeMismatch(v, name);
        }
        break;
    default:
        typeMismatch(v, name);
    }
    d = roundHalfEven(d);
    if (!(d >= static_cast<double>(std::numeric_limits<Int>::min())
          && d <= static_cast<double>(std::numeric_limits<Int>::max())))
        overflow(name);
    return static_cast<Int>(d);
}

std::string formatGeneral(double value, int precision)
{
    char buffer[64];
    auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value,
                                   std::chars_format::general, precision);
    std::string text(buffer, ptr);
    // VB writes the exponent as E+07 where C++ writes e+07.
    for (char& c : text)
        if (c == 'e')
            c = 'E';
    return text;
}

} // namespace

static Currency currencyFromDouble(double value)
{
    double scaled = roundHalfEven(value * 10000.0);
    if (!(scaled >= -9.2233720368547758e18 && scaled < 9.2233720368547758e18))
        overflow("Currency");
    return Currency{static_cast<int64_t>(scaled)};
}

std::string formatSingle(float value)
{
    return formatGeneral(value, 7);
}

std::string formatDouble(double value)
{
    return formatGeneral(value, 15);
}

std::string formatCurrency(Currency value)
{
    int64_t whole = value.scaled / 10000;
    int64_t fraction = value.scaled % 10000;
    std::string text;
    if (value.scaled < 0) {
        text = "-";
        whole = -whole;
        fraction = -fraction;
    }
    text += std::to_string(whole);
    if (fraction != 0) {
        char digits[6];
        std::snprintf(digits, sizeof digits, "%04d", static_cast<int>(fraction));
        std::string decimals(digits);
        decimals.erase(decimals.find_last_not_of('0') + 1);
        text += "." + decimals;
    }
    return text;
}

Variant Variant::null()
{
    Variant v;
    v.m_value = NullTag{};
    return v;
}

Variant Variant::error(int32_t scode)
{
    Variant v;
    v.m_value = ErrorCode{scode};
    return v;
}

Variant Variant::missing()
{
    return error(static_cast<int32_t>(DISP_E_PARAMNOTFOUND));
}

VarType Variant::type() const
{
    static constexpr VarType kTypes[] = {VarType::Empty, VarType::Null, VarType::I2,   VarType::I4,
                                         VarType::R4,    VarType::R8,   VarType::CY,   VarType::BSTR,
                                         VarType::Error, VarType::Bool, VarType::UI1,  VarType::Bytes};
    return kTypes[m_value.index()];
}

bool Variant::isMissing() const
{
    auto* e = std::get_if<ErrorCode>(&m_value);
    return e && e->scode == static_cast<int32_t>(DISP_E_PARAMNOTFOUND);
}

bool Variant::isNumeric() const
{
    switch (type()) {
    case VarType::I2:
    case VarType::I4:
    case VarType::R4:
    case VarType::R8:
    case VarType::CY:
    case VarType::UI1:
        return true;
    default:
        return false;
    }
}

int16_t Variant::toInt16() const
{
    return toInteger<int16_t>(*this, "Integer");
}

int32_t Variant::toInt32() const
{
    return toInteger<int32_t>(*this, "Long");
}

uint8_t Variant::toByte() const
{
    return toInteger<uint8_t>(*this, "Byte");
}

double Variant::toDouble() const
{
    switch (type()) {
    case VarType::Empty:
        return 0;
    case VarType::I2:
        return std::get<int16_t>(m_value);
    case VarType::I4:
        return std::get<int32_t>(m_value);
    case VarType::UI1:
        return std::get<uint8_t>(m_value);
    case VarType::R4:
        return std::get<float>(m_value);
    case VarType::R8:
        return std::get<double>(m_value);
    case VarType::CY:
        return std::get<Currency>(m_value).toDouble();
    case VarType::Bool:
        return std::get<bool>(m_value) ? -1.0 : 0.0;
    case VarType::BSTR: {
        double d = 0;
        const auto& text = std::get<std::string>(m_value);
        if (parseNumber(text, d))
            return d;
        if (text == "True" || text == "False")
            return text == "True" ? -1.0 : 0.0;
        typeMismatch(*this, "Double");
    }
    default:
        typeMismatch(*this, "Double");
    }
}

float Variant::toSingle() const
{
    if (type() == VarType::R4)
        return std::get<float>(m_value);
    double d = toDouble();
    if (std::isfinite(d) && std::fabs(d) > std::numeric_limits<float>::max())
        overflow("Single");
    return static_cast<float>(d);
}

Currency Variant::toCurrency() const
{
    if (type() == VarType::CY)
        return std::get<Currency>(m_value);
    if (type() == VarType::R4)
        return currencyFromDouble(std::get<float>(m_value));
    return currencyFromDouble(toDouble());
}

bool Variant::toBool() const
{
    switch (type()) {
    case VarType::Bool:
        return std::get<bool>(m_value);
    case VarType::BSTR: {
        const auto& text = std::get<std::string>(m_value);
        // VB accepts the words in any case, and numeric text.
        if (equalsIgnoringAsciiCase(text, "true"))
            return true;
        if (equalsIgnoringAsciiCase(text, "false"))
            return false;
        double d = 0;
        if (parseNumber(text, d))
            return d != 0;
        typeMismatch(*this, "Boolean");
    }
    case VarType::Empty:
        return false;
    default:
        if (isNumeric())
            return toDouble() != 0;
        typeMismatch(*this, "Boolean");
    }
}

std::string Variant::toString() const
{
    switch (type()) {
    case VarType::Empty:
        return {};
    case VarType::I2:
        return std::to_string(std::get<int16_t>(m_value));
    case VarType::I4:
        return std::to_string(std::get<int32_t>(m_value));
    case VarType::UI1:
        return std::to_string(std::get<uint8_t>(m_value));
    case VarType::R4:
        return formatSingle(std::get<float>(m_value));
    case VarType::R8:
        return formatDouble(std::get<double>(m_value));
    case VarType::CY:
        return formatCurrency(std::get<Currency>(m_value));
    case VarType::Bool:
        return std::get<bool>(m_value) ? "True" : "False";
    case VarType::BSTR:
        return std::get<std::string>(m_value);
    case VarType::Error:
        return "Error " + std::to_string(std::get<ErrorCode>(m_value).scode & 0xFFFF);
    case VarType::Bytes: {
        const auto& bytes = std::get<Bytes>(m_value);
        return std::string(bytes.begin(), bytes.end());
    }
    case VarType::Null:
        break;
    }
    typeMismatch(*this, "String");
}

const Variant::Bytes& Variant::bytes() const
{
    if (auto* b = std::get_if<Bytes>(&m_value))
        return *b;
    typeMismatch(*this, "Byte()");
}

int32_t Variant::errorCode() const
{
    if (auto* e = std::get_if<ErrorCode>(&m_value))
        return e->scode;
    typeMismatch(*this, "Error");
}

std::string Variant::typeName() const
{
    switch (type()) {
    case VarType::Empty:
        return "Empty";
    case VarType::Null:
        return "Null";
    case VarType::I2:
        return "Integer";
    case VarType::I4:
        return "Long";
    case VarType::R4:
        return "Single";
    case VarType::R8:
        return "Double";
    case VarType::CY:
        return "Currency";
    case VarType::BSTR:
        return "String";
    case VarType::Error:
        return "Error";
    case VarType::Bool:
        return "Boolean";
    case VarType::UI1:
        return "Byte";
    case VarType::Bytes:
        return "Byte()";
    }
    return "Unknown";
}

} // namespace orv
