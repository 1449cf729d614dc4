#pragma once

#include <orvreport/Variant.h>

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace orv::script {

// VB's "Invalid procedure call or argument" run-time error.
inline constexpr HResult kInvalidArgument = 0x800A0005;

// A function the language itself provides (CStr, Len, Mid ...). Builtins
// take precedence over the engine's operations of the same name.
struct Builtin {
    const char* name;
    size_t minArguments;
    size_t maxArguments;
    Variant (*body)(const std::vector<Variant>& args);

    // Checks the argument count and that none is omitted, then runs the body.
    Variant call(const std::vector<Variant>& args) const;
};

// Names are case-insensitive; null or nothing when the name is not predefined.
const Builtin* findBuiltin(std::string_view name);
// The predefined values: True, False, Empty, Null, vbCr, vbLf, vbCrLf, vbTab.
std::optional<Variant> findConstant(std::string_view name);

} // namespace orv::script
