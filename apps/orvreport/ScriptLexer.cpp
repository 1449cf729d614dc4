#include "ScriptLexer.h"

#include <charconv>
#include <algorithm>
#include <cstdint>
#include <optional>

namespace orv {

namespace {

// ASCII classes, whatever the locale.
bool isNameStart(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isNameChar(char c)
{
    return isNameStart(c) || isDigit(c) || c == '_';
}

// A decimal of at most 15 digits without exponent: its digits, an exact
// integer, divided by an exact power of ten is the correctly rounded value
// from_chars gives, without its general algorithm. Nothing for others.
std::optional<double> shortDecimal(std::string_view text)
{
    static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7,
                                              1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    uint64_t digits = 0;
    int count = 0;
    int fraction = -1; // digits after the point; -1 before it
    for (const char c : text) {
        if (c == '.') {
            fraction = 0;
            continue;
        }
        if (!isDigit(c) || ++count > 15)
            return std::nullopt;
        digits = digits * 10 + static_cast<uint64_t>(c - '0');
        if (fraction >= 0)
            ++fraction;
    }
    return static_cast<double>(digits) / kPowersOfTen[std::max(fraction, 0)];
}

} // namespace

std::string TScriptToken::describe() const
{
    switch (kind) {
    case Kind::EndOfLine:
        return "end of line";
    case Kind::EndOfScript:
        return "end of script";
    default:
        return "'" + std::string(text) + "'";
    }
}

TScriptLexer::TScriptLexer(std::string_view source)
    : m_source(source)
{
    if (m_source.starts_with("\xEF\xBB\xBF")) // a UTF-8 byte order mark
        m_pos = 3;
}

TScriptToken& TScriptLexer::addToken(TScriptToken::Kind kind, size_t start)
{
    m_lineHasTokens = true;
    return m_tokens->emplace_back(TScriptToken{kind, m_source.substr(start, m_pos - start), m_line});
}

bool TScriptLexer::nextLine(std::vector<TScriptToken>& tokens)
{
    if (m_finished)
        return false;
    tokens.clear();
    m_tokens = &tokens;
    while (m_pos < m_source.size()) {
        const char c = peek();
        if (c == ' ' || c == '\t') {
            ++m_pos;
        } else if (c == '\n' || c == '\r') {
            lexNewline();
            return true;
        } else if (c == '\'' || (c == '#' && !m_lineHasTokens)) {
            skipToEndOfLine();
        } else if (isNameStart(c)) {
            lexName();
        } else if (isDigit(c) || (c == '.' && isDigit(peek(1)))) {
            lexNumber();
        } else if (c == '"') {
            lexString();
        } else {
            lexOperator();
        }
    }
    addToken(TScriptToken::Kind::EndOfScript, m_pos);
    m_finished = true;
    return true;
}

void TScriptLexer::skipToEndOfLine()
{
    while (m_pos < m_source.size() && peek() != '\n' && peek() != '\r')
        ++m_pos;
}

void TScriptLexer::lexNewline()
{
    const size_t start = m_pos;
    m_pos += (peek() == '\r' && peek(1) == '\n') ? 2 : 1;
    addToken(TScriptToken::Kind::EndOfLine, start);
    ++m_line;
    m_lineHasTokens = false;
}

void TScriptLexer::lexName()
{
    const size_t start = m_pos;
    while (isNameChar(peek()))
        ++m_pos;
    addToken(TScriptToken::Kind::Name, start);
}

void TScriptLexer::lexNumber()
{
    const size_t start = m_pos;
    auto digits = [this] {
        const size_t from = m_pos;
        while (isDigit(peek()))
            ++m_pos;
        return m_pos > from;
    };
    bool wellFormed = true;
    bool integral = true;
    digits();
    if (peek() == '.') {
        ++m_pos;
        integral = false;
        wellFormed = digits();
    }
    if (wellFormed && (peek() == 'e' || peek() == 'E')) {
        ++m_pos;
        integral = false;
        if (peek() == '+' || peek() == '-')
            ++m_pos;
        wellFormed = digits();
    }
    if (!wellFormed || isNameChar(peek()) || peek() == '.') {
        while (isNameChar(peek()) || peek() == '.')
            ++m_pos;
        throw TScriptSyntaxError(m_line,
                                 "malformed number '" + std::string(m_source.substr(start, m_pos - start)) + "'");
    }
    // Integer literals are Long; one too big for a Long, and every literal
    // with a fraction or an exponent, is a Double.
    const char* first = m_source.data() + start;
    const char* last = m_source.data() + m_pos;
    if (integral) {
        int32_t whole = 0;
        if (const auto [end, fault] = std::from_chars(first, last, whole); fault == std::errc() && end == last) {
            TScriptToken& token = addToken(TScriptToken::Kind::Number, start);
            token.isLong = true;
            token.number = whole;
            return;
        }
    }
    std::optional<double> value = shortDecimal(std::string_view(first, static_cast<size_t>(last - first)));
    if (!value) {
        double parsed = 0;
        if (std::from_chars(first, last, parsed).ec != std::errc())
            throw TScriptSyntaxError(m_line, "number out of range '" + std::string(first, last) + "'");
        value = parsed;
    }
    addToken(TScriptToken::Kind::Number, start).number = *value;
}

void TScriptLexer::lexString()
{
    const size_t start = m_pos;
    ++m_pos;
    for (;;) {
        // Up to the next quote at once; "" stands for one quote.
        size_t end = m_pos;
        while (end < m_source.size() && m_source[end] != '"' && m_source[end] != '\n' && m_source[end] != '\r')
            ++end;
        if (end == m_source.size() || m_source[end] != '"')
            throw TScriptSyntaxError(m_line, "unterminated string");
        m_pos = end + 1;
        if (peek() != '"')
            break;
        ++m_pos;
    }
    addToken(TScriptToken::Kind::String, start);
}

void TScriptLexer::lexOperator()
{
    using Kind = TScriptToken::Kind;
    const size_t start = m_pos;
    const char c = peek();
    const char next = peek(1);
    Kind kind;
    size_t length = 1;
    switch (c) {
    case '+': kind = Kind::Plus; break;
    case '-': kind = Kind::Minus; break;
    case '*': kind = Kind::Star; break;
    case '/': kind = Kind::Slash; break;
    case '&': kind = Kind::Ampersand; break;
    case '=': kind = Kind::Equal; break;
    case '(': kind = Kind::LeftParen; break;
    case ')': kind = Kind::RightParen; break;
    case ',': kind = Kind::Comma; break;
    case '<':
        if (next == '>' || next == '=') {
            kind = next == '>' ? Kind::NotEqual : Kind::LessEqual;
            length = 2;
        } else {
            kind = Kind::Less;
        }
        break;
    case '>':
        if (next == '=') {
            kind = Kind::GreaterEqual;
            length = 2;
        } else {
            kind = Kind::Greater;
        }
        break;
    default:
        throw TScriptSyntaxError(m_line, std::string("unexpected character '") + c + "'");
    }
    m_pos += length;
    addToken(kind, start);
}

} // namespace orv
