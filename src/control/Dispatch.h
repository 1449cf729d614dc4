#pragma once

#include "control/Variant.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orv {

class IOrvReportEngine;

// How an operation is invoked; a caller may offer several (a script's
// "Version" is a method call or a property read, whichever exists).
enum InvokeKind : unsigned {
    InvokeMethod = 1,
    InvokePropertyGet = 2,
    InvokePropertyPut = 4,
};

// One declared parameter: required, optional (a missing typed argument
// arrives as 0, a missing variant as the missing marker) or with a default.
struct ParamDecl {
    enum class Presence { Required, Optional, Defaulted };
    std::string name;
    Presence presence = Presence::Required;
    Variant defaultValue;
    // The type the operation takes (Empty: any variant), and whether the
    // operation writes the argument back, for hosts that describe or return it.
    VarType type = VarType::Empty;
    bool byReference = false;
};

struct DispatchEntry {
    std::string name;
    int32_t dispId = 0;
    InvokeKind kind = InvokeMethod;
    std::vector<ParamDecl> params;
    // Whether the operation returns a value, and its type (Empty: any variant).
    bool hasResult = false;
    VarType resultType = VarType::Empty;
    // Converts the arguments, calls the typed operation and returns its
    // result. Arguments bound by reference are written back into the vector.
    std::function<Variant(IOrvReportEngine&, std::vector<Variant>&)> call;
};

// Late binding by name: the one table that maps operation names to the
// typed interface, for the script host and other late-bound hosts. Names
// are case-insensitive; a property's read and write share one dispatch id.
class TDispatchTable {
public:
    static const TDispatchTable& instance();

    // The dispatch id of a name; DISP_E_UNKNOWNNAME when there is none.
    int32_t idOfName(std::string_view name) const;
    bool has(std::string_view name, unsigned kinds) const;
    const DispatchEntry* find(int32_t dispId, unsigned kinds) const;

    // Invokes an operation; arguments are in declaration order and may be
    // fewer than declared (the rest count as omitted). Failures arrive as
    // EngineError: DISP_E_UNKNOWNNAME, DISP_E_MEMBERNOTFOUND (wrong kind),
    // DISP_E_BADPARAMCOUNT, DISP_E_PARAMNOTFOUND, DISP_E_TYPEMISMATCH, or the
    // operation's own failure.
    Variant invoke(IOrvReportEngine& engine, std::string_view name, unsigned kinds,
                   std::vector<Variant>& args) const;
    Variant invoke(IOrvReportEngine& engine, int32_t dispId, unsigned kinds, std::vector<Variant>& args) const;

    const std::vector<DispatchEntry>& entries() const { return m_entries; }

    // Parses a parameter list such as "nPaperSize, nOrientation?, nPageNumber=0";
    // a required parameter after an optional one is refused (std::logic_error),
    // so no row of the table can load with such a list.
    static std::vector<ParamDecl> parseParams(std::string_view text);

private:
    TDispatchTable();
    void add(DispatchEntry entry);
    std::optional<int32_t> lookUp(std::string_view name) const;

    std::vector<DispatchEntry> m_entries;
    // Lower-cased name -> dispatch id, and dispatch id -> entry index per kind
    // (method, get, put; -1 when absent).
    std::unordered_map<std::string, int32_t> m_idsByName;
    std::unordered_map<int32_t, std::array<int, 3>> m_entriesById;
};

} // namespace orv
