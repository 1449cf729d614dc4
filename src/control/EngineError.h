#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace orv {

// Automation status codes the engine reports.
using HResult = uint32_t;
inline constexpr HResult S_OK = 0;
inline constexpr HResult E_UNEXPECTED = 0x8000FFFF;
inline constexpr HResult DISP_E_MEMBERNOTFOUND = 0x80020003;
inline constexpr HResult DISP_E_PARAMNOTFOUND = 0x80020004;
inline constexpr HResult DISP_E_TYPEMISMATCH = 0x80020005;
inline constexpr HResult DISP_E_UNKNOWNNAME = 0x80020006;
inline constexpr HResult DISP_E_OVERFLOW = 0x8002000A;
inline constexpr HResult DISP_E_BADPARAMCOUNT = 0x8002000E;

// The failure every interface operation reports: an automation status and
// the message of whatever failed inside the operation.
class EngineError : public std::runtime_error {
public:
    EngineError(HResult status, const std::string& message);

    HResult status() const noexcept { return m_status; }

    // The status as eight upper-case hex digits, e.g. "8000FFFF".
    std::string statusText() const;

private:
    HResult m_status;
};

// Runs one interface operation inside the failure trap: an EngineError
// passes unchanged, any other exception becomes E_UNEXPECTED with its
// message. Work done before the failure stays done.
template <class Body>
decltype(auto) runTrapped(Body&& body)
{
    try {
        return body();
    } catch (const EngineError&) {
        throw;
    } catch (const std::exception& e) {
        throw EngineError(E_UNEXPECTED, e.what());
    } catch (...) {
        throw EngineError(E_UNEXPECTED, "Unexpected failure");
    }
}

} // namespace orv
