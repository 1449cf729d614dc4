// Compiles arbitrary bytes as a report script: the parser must answer with
// a program or a syntax error naming a line, whatever the nesting, the
// length of an operator chain or the bytes inside strings and names.

#include "ScriptParser.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string_view>

namespace orv {

// A few of the engine's names stand for the whole table, which the parser
// asks about every name it meets.
std::optional<int32_t> engineOperationId(std::string_view name)
{
    constexpr std::string_view known[] = {"NewPage", "AddText", "Version", "SaveToPDF", "PageWidth"};
    for (int32_t id = 0; id < int32_t(std::size(known)); ++id)
        if (name.size() == known[id].size() &&
            std::equal(name.begin(), name.end(), known[id].begin(), [](char a, char b) {
                return (a | 0x20) == (b | 0x20);
            }))
            return id + 1;
    return std::nullopt;
}

} // namespace orv

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view source(reinterpret_cast<const char*>(data), size);
    try {
        const orv::script::Program program = orv::TScriptParser::parse(source);
        (void)program;
    } catch (const orv::TScriptSyntaxError&) {
        // A script that does not parse is an expected outcome.
    }
    return 0;
}
