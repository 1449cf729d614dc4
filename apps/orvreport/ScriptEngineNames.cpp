#include "ScriptParser.h"

#include <orvreport/Dispatch.h>

namespace orv {

// Kept apart from the parser, which otherwise needs nothing of the engine.
std::optional<int32_t> engineOperationId(std::string_view name)
{
    const TDispatchTable& table = TDispatchTable::instance();
    if (!table.has(name, InvokeMethod | InvokePropertyGet | InvokePropertyPut))
        return std::nullopt;
    return table.idOfName(name);
}

} // namespace orv
