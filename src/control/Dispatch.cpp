#include "control/Dispatch.h"

#include "platform/AsciiText.h"

#include <cctype>
#include <charconv>
#include <stdexcept>

namespace orv {

namespace {

std::string_view trim(std::string_view text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

Variant parseDefault(std::string_view text)
{
    if (text == "true")
        return true;
    if (text == "false")
        return false;
    int32_t whole = 0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), whole);
    if (ec == std::errc() && ptr == text.data() + text.size())
        return whole;
    throw std::logic_error("Bad default value: " + std::string(text));
}

int kindSlot(InvokeKind kind)
{
    return kind == InvokeMethod ? 0 : kind == InvokePropertyGet ? 1 : 2;
}

const char* kindText(unsigned kinds)
{
    if (kinds & InvokePropertyPut)
        return "written";
    if (kinds & InvokeMethod)
        return "called";
    return "read";
}

} // namespace

std::vector<ParamDecl> TDispatchTable::parseParams(std::string_view text)
{
    std::vector<ParamDecl> params;
    text = trim(text);
    while (!text.empty()) {
        size_t comma = text.find(',');
        std::string_view item = trim(text.substr(0, comma));
        text = comma == std::string_view::npos ? std::string_view() : trim(text.substr(comma + 1));
        ParamDecl decl;
        if (size_t equals = item.find('='); equals != std::string_view::npos) {
            decl.name = std::string(trim(item.substr(0, equals)));
            decl.presence = ParamDecl::Presence::Defaulted;
            decl.defaultValue = parseDefault(trim(item.substr(equals + 1)));
        } else if (!item.empty() && item.back() == '?') {
            decl.name = std::string(item.substr(0, item.size() - 1));
            decl.presence = ParamDecl::Presence::Optional;
        } else {
            decl.name = std::string(item);
        }
        // As in every automation type library, once a parameter may be left
        // out every later one may be too: a row that breaks this would refuse
        // the short calls that hosts really send.
        if (decl.presence == ParamDecl::Presence::Required && !params.empty()
            && params.back().presence != ParamDecl::Presence::Required)
            throw std::logic_error("Required parameter " + decl.name + " follows an optional one");
        params.push_back(std::move(decl));
    }
    return params;
}

const TDispatchTable& TDispatchTable::instance()
{
    static const TDispatchTable table;
    return table;
}

void TDispatchTable::add(DispatchEntry entry)
{
    const std::string key = asciiLower(entry.name);
    auto [named, freshName] = m_idsByName.try_emplace(key, entry.dispId);
    auto [slots, freshId] = m_entriesById.try_emplace(entry.dispId, std::array<int, 3>{-1, -1, -1});
    int& slot = slots->second[kindSlot(entry.kind)];
    // One name, one id; and no two names share an id or a kind twice.
    if (named->second != entry.dispId || (freshName && !freshId) || slot != -1)
        throw std::logic_error("Dispatch table conflict at " + entry.name);
    slot = static_cast<int>(m_entries.size());
    m_entries.push_back(std::move(entry));
}

std::optional<int32_t> TDispatchTable::lookUp(std::string_view name) const
{
    auto it = m_idsByName.find(asciiLower(name));
    if (it == m_idsByName.end())
        return std::nullopt;
    return it->second;
}

int32_t TDispatchTable::idOfName(std::string_view name) const
{
    if (std::optional<int32_t> id = lookUp(name))
        return *id;
    throw EngineError(DISP_E_UNKNOWNNAME, "Unknown name: the report engine has no operation named "
                                              + std::string(name));
}

bool TDispatchTable::has(std::string_view name, unsigned kinds) const
{
    std::optional<int32_t> id = lookUp(name);
    return id && find(*id, kinds);
}

const DispatchEntry* TDispatchTable::find(int32_t dispId, unsigned kinds) const
{
    auto slots = m_entriesById.find(dispId);
    if (slots == m_entriesById.end())
        return nullptr;
    // A put is only ever a put; a call that may be a method or a read takes
    // the method when there is one.
    for (InvokeKind kind : {InvokePropertyPut, InvokeMethod, InvokePropertyGet}) {
        const int index = slots->second[kindSlot(kind)];
        if ((kinds & kind) && index >= 0)
            return &m_entries[index];
    }
    return nullptr;
}

Variant TDispatchTable::invoke(IOrvReportEngine& engine, std::string_view name, unsigned kinds,
                               std::vector<Variant>& args) const
{
    return invoke(engine, idOfName(name), kinds, args);
}

Variant TDispatchTable::invoke(IOrvReportEngine& engine, int32_t dispId, unsigned kinds,
                               std::vector<Variant>& args) const
{
    const DispatchEntry* entry = find(dispId, kinds);
    if (!entry) {
        const DispatchEntry* named = find(dispId, InvokeMethod | InvokePropertyGet | InvokePropertyPut);
        if (!named)
            throw EngineError(DISP_E_MEMBERNOTFOUND, "No operation has dispatch id " + std::to_string(dispId));
        throw EngineError(DISP_E_MEMBERNOTFOUND, named->name + " cannot be " + kindText(kinds));
    }
    if (args.size() > entry->params.size())
        throw EngineError(DISP_E_BADPARAMCOUNT, entry->name + " takes at most "
                                                    + std::to_string(entry->params.size()) + " argument(s), not "
                                                    + std::to_string(args.size()));
    return entry->call(engine, args);
}

} // namespace orv
