#include "mail/MailAddresses.h"

#include <algorithm>

namespace orv {
namespace {

std::string withoutControlCharacters(std::string text)
{
    text.erase(std::remove_if(text.begin(), text.end(),
                              [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; }),
               text.end());
    return text;
}

std::string trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string unquoted(std::string name)
{
    if (name.size() >= 2 && name.front() == '"' && name.back() == '"')
        name = name.substr(1, name.size() - 2);
    return name;
}

// Splits at commas outside double quotes, so a quoted name may hold one.
std::vector<std::string> splitOutsideQuotes(const std::string& list)
{
    std::vector<std::string> pieces(1);
    bool quoted = false;
    for (char c : list) {
        if (c == '"')
            quoted = !quoted;
        if (c == ',' && !quoted)
            pieces.emplace_back();
        else
            pieces.back() += c;
    }
    return pieces;
}

} // namespace

TMailAddress parseAddress(const std::string& entry)
{
    const std::string text = trimmed(withoutControlCharacters(entry));
    const size_t open = text.rfind('<');
    if (open != std::string::npos && text.back() == '>')
        return {unquoted(trimmed(text.substr(0, open))), trimmed(text.substr(open + 1, text.size() - open - 2))};
    return {{}, text};
}

std::vector<TMailAddress> parseAddressList(const std::string& list)
{
    std::vector<TMailAddress> addresses;
    for (const std::string& piece : splitOutsideQuotes(list)) {
        TMailAddress address = parseAddress(piece);
        if (!address.address.empty())
            addresses.push_back(std::move(address));
    }
    return addresses;
}

std::vector<std::string> splitRecipientEntries(const std::string& list)
{
    std::vector<std::string> entries(1);
    for (char c : withoutControlCharacters(list)) {
        if (c == ',' || c == ';')
            entries.emplace_back();
        else
            entries.back() += c;
    }
    entries.erase(std::remove_if(entries.begin(), entries.end(),
                                 [](const std::string& entry) { return trimmed(entry).empty(); }),
                  entries.end());
    return entries;
}

} // namespace orv
