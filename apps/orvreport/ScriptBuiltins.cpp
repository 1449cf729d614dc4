#include "ScriptBuiltins.h"

#include "platform/AsciiText.h"
#include "platform/CodePoints.h"

#include <QString>

#include <array>
#include <string>
#include <utility>

namespace orv::script {

namespace {

// Lengths and positions count characters (code points), not bytes.
std::u32string textOf(const Variant& value)
{
    return toCodePoints(value.toString());
}

Variant length(const std::vector<Variant>& args)
{
    if (args[0].isNull())
        return args[0];
    return static_cast<int32_t>(textOf(args[0]).size());
}

Variant middle(const std::vector<Variant>& args)
{
    const int32_t start = args[1].toInt32();
    const int32_t count = args.size() > 2 ? args[2].toInt32() : -1;
    if (start < 1 || (args.size() > 2 && count < 0))
        throw EngineError(kInvalidArgument, "Invalid procedure call or argument: Mid");
    if (args[0].isNull())
        return args[0];
    const std::u32string text = textOf(args[0]);
    if (static_cast<size_t>(start) > text.size())
        return std::string();
    return toUtf8(std::u32string_view(text).substr(start - 1, count < 0 ? std::u32string::npos : count));
}

Variant character(const std::vector<Variant>& args)
{
    const int32_t code = args[0].toInt32();
    if (code < 0 || code > 255)
        throw EngineError(kInvalidArgument, "Invalid procedure call or argument: Chr(" + std::to_string(code) + ")");
    return QString(QChar(code)).toStdString();
}

const std::array kBuiltins{
    Builtin{"CInt", 1, 1, [](const std::vector<Variant>& a) { return Variant(a[0].toInt16()); }},
    Builtin{"CLng", 1, 1, [](const std::vector<Variant>& a) { return Variant(a[0].toInt32()); }},
    Builtin{"CSng", 1, 1, [](const std::vector<Variant>& a) { return Variant(a[0].toSingle()); }},
    Builtin{"CDbl", 1, 1, [](const std::vector<Variant>& a) { return Variant(a[0].toDouble()); }},
    Builtin{"CCur", 1, 1, [](const std::vector<Variant>& a) { return Variant(a[0].toCurrency()); }},
    Builtin{"CStr", 1, 1, [](const std::vector<Variant>& a) { return Variant(a[0].toString()); }},
    Builtin{"CBool", 1, 1, [](const std::vector<Variant>& a) { return Variant(a[0].toBool()); }},
    Builtin{"TypeName", 1, 1, [](const std::vector<Variant>& a) { return Variant(a[0].typeName()); }},
    Builtin{"Len", 1, 1, length},
    Builtin{"Mid", 2, 3, middle},
    Builtin{"Chr", 1, 1, character},
};

const std::array<std::pair<const char*, Variant>, 8> kConstants{{
    {"True", true},
    {"False", false},
    {"Empty", Variant()},
    {"Null", Variant::null()},
    {"vbCr", "\r"},
    {"vbLf", "\n"},
    {"vbCrLf", "\r\n"},
    {"vbTab", "\t"},
}};

} // namespace

Variant Builtin::call(const std::vector<Variant>& args) const
{
    if (args.size() < minArguments || args.size() > maxArguments) {
        const std::string expected = minArguments == maxArguments
            ? std::to_string(minArguments)
            : std::to_string(minArguments) + " to " + std::to_string(maxArguments);
        throw EngineError(DISP_E_BADPARAMCOUNT, std::string(name) + " takes " + expected + " argument(s), not "
                                                    + std::to_string(args.size()));
    }
    for (size_t i = 0; i < args.size(); ++i)
        if (args[i].isMissing())
            throw EngineError(DISP_E_PARAMNOTFOUND,
                              std::string(name) + ": argument " + std::to_string(i + 1) + " is not optional");
    return body(args);
}

const Builtin* findBuiltin(std::string_view name)
{
    for (const Builtin& builtin : kBuiltins)
        if (equalsIgnoringAsciiCase(name, builtin.name))
            return &builtin;
    return nullptr;
}

std::optional<Variant> findConstant(std::string_view name)
{
    for (const auto& [constantName, value] : kConstants)
        if (equalsIgnoringAsciiCase(name, constantName))
            return value;
    return std::nullopt;
}

} // namespace orv::script
