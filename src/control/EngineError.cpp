#include "control/EngineError.h"

#include <cstdio>

namespace orv {

EngineError::EngineError(HResult status, const std::string& message)
    : std::runtime_error(message), m_status(status)
{
}

std::string EngineError::statusText() const
{
    char text[9];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(m_status));
    return text;
}

} // namespace orv
