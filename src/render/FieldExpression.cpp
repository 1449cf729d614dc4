#include "render/FieldExpression.h"

#include "document/Report.h"
#include "platform/AsciiText.h"

#include <algorithm>
#include <charconv>
#include <string_view>
#include <vector>

namespace orv {

namespace {

enum class FunctionKind { None, Transform, String, AllTrim };

// The longest text a field yields. STR pads to 65535 characters, and an
// expression may repeat it at will; the page can show no more than this.
constexpr size_t kMostFieldBytes = 65536;

// The longest start of `text` of at most `bytes` that ends on a character.
std::string_view utf8Prefix(std::string_view text, size_t bytes)
{
    if (text.size() <= bytes)
        return text;
    while (bytes > 0 && (static_cast<unsigned char>(text[bytes]) & 0xC0) == 0x80)
        --bytes;
    return text.substr(0, bytes);
}

bool isBlank(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

std::string trimmed(const std::string& text)
{
    size_t first = 0, last = text.size();
    while (first < last && isBlank(text[first]))
        ++first;
    while (last > first && isBlank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

FunctionKind functionOf(const std::string& identifier)
{
    if (identifier.starts_with("TRAN"))
        return FunctionKind::Transform;
    if (identifier == "STR")
        return FunctionKind::String;
    if (identifier.starts_with("ALLT"))
        return FunctionKind::AllTrim;
    return FunctionKind::None;
}

// A decimal integer argument; text that is not one counts as 0.
int32_t integerArgument(const std::string& text)
{
    const std::string digits = trimmed(text);
    int32_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return error == std::errc() && end == digits.data() + digits.size() ? value : 0;
}

// Scans an expression one character at a time, as the field language has
// always been read: literals go to the output, names to an identifier that
// the next function call consumes.
class TFieldScanner {
public:
    TFieldScanner(const TReport& report, int32_t pageNumber)
        : m_report(report)
        , m_pageNumber(pageNumber)
    {
    }

    std::string scan(const std::string& expression)
    {
        for (char c : expression)
            take(c);
        m_output.resize(utf8Prefix(m_output, kMostFieldBytes).size());
        return m_output;
    }

private:
    void take(char c)
    {
        if (c == ' ' && !m_inQuotes)
            return;
        if (c == '"' || c == '\'') {
            m_inQuotes = !m_inQuotes;
            return;
        }
        if (c == '+' && !m_inQuotes) {
            m_identifier.clear();
            return;
        }
        if (c == ',' && !m_functions.empty()) {
            m_arguments.emplace_back();
            return;
        }
        if (c == '(') {
            m_functions.push_back(functionOf(m_identifier));
            m_identifier.clear();
            return;
        }
        if (c == ')' && !m_functions.empty())
            closeFunction();
        append(c);
    }

    void append(char c)
    {
        if (!m_arguments.empty())
            m_arguments.back() += c;
        else if (m_inQuotes)
            appendLiteral(c);
        else
            m_identifier += asciiUpper(c);
    }

    void closeFunction()
    {
        const std::string name = trimmed(m_identifier);
        int32_t value = 0;
        if (name == "_PAGENO")
            value = m_report.pageNumberInSection(m_pageNumber);
        else if (name == "_PAGETOTAL")
            value = m_report.pageTotalInSection(m_pageNumber);

        switch (m_functions.back()) {
        case FunctionKind::Transform:
            appendText(std::to_string(value));
            break;
        case FunctionKind::String:
            appendText(rightAligned(std::to_string(value)));
            break;
        case FunctionKind::AllTrim:
            m_output = trimmed(m_output);
            break;
        case FunctionKind::None:
            break;
        }
        m_identifier.clear();
        m_arguments.clear();
        m_functions.pop_back();
    }

    // Nothing more is output once the field's longest text is reached, so
    // the output stays under twice that; scan() cuts it to the limit.
    void appendText(std::string_view text)
    {
        if (m_output.size() < kMostFieldBytes)
            m_output += text;
    }

    // Quoted text arrives a byte at a time: a character's later bytes
    // follow its first byte in or out, so no character is cut in two.
    void appendLiteral(char c)
    {
        const bool laterByte = (static_cast<unsigned char>(c) & 0xC0) == 0x80;
        if (!laterByte)
            m_keepingCharacter = m_output.size() < kMostFieldBytes;
        if (m_keepingCharacter)
            m_output += c;
    }

    // STR's first argument is the field width (16 bits): the number ends a
    // field of that many characters; 0 or none means the plain number.
    std::string rightAligned(const std::string& number) const
    {
        const auto width = static_cast<uint16_t>(m_arguments.empty() ? 0 : integerArgument(m_arguments[0]));
        if (width == 0)
            return number;
        const std::string padded = std::string(width, ' ') + number;
        return padded.substr(padded.size() - width);
    }

    const TReport& m_report;
    int32_t m_pageNumber;
    std::string m_output;
    std::string m_identifier;
    bool m_inQuotes = false;
    bool m_keepingCharacter = true;
    std::vector<FunctionKind> m_functions;
    std::vector<std::string> m_arguments;
};

} // namespace

std::string evaluateFieldExpression(const TReport& report, const std::string& expression, int32_t pageNumber)
{
    const std::string whole = asciiUpper(trimmed(expression));
    if (whole == "_PAGENO")
        return std::to_string(report.pageNumberInSection(pageNumber));
    if (whole == "_PAGETOTAL")
        return std::to_string(report.pageTotalInSection(pageNumber));
    return TFieldScanner(report, pageNumber).scan(expression);
}

} // namespace orv
