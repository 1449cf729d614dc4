#include "ScriptParser.h"

#include "platform/AsciiText.h"

#include <algorithm>
#include <optional>
#include <unordered_set>

namespace orv {

using namespace script;
using script::Op;

namespace {

constexpr const char* kKeywords[] = {"print", "Answer", "And", "Or", "Not", "Option", "Dim"};

bool isKeyword(std::string_view name)
{
    return std::any_of(std::begin(kKeywords), std::end(kKeywords),
                       [&](const char* keyword) { return equalsIgnoringAsciiCase(name, keyword); });
}

// A name the language has already taken: a keyword, constant or builtin.
bool isPredefined(std::string_view name)
{
    return isKeyword(name) || findConstant(name) || findBuiltin(name);
}

bool isEngineName(std::string_view name)
{
    return engineOperationId(name).has_value();
}

std::optional<BinaryOperator> comparisonOperator(TScriptToken::Kind kind)
{
    using Kind = TScriptToken::Kind;
    switch (kind) {
    case Kind::Equal:
        return BinaryOperator::Equal;
    case Kind::NotEqual:
        return BinaryOperator::NotEqual;
    case Kind::Less:
        return BinaryOperator::Less;
    case Kind::Greater:
        return BinaryOperator::Greater;
    case Kind::LessEqual:
        return BinaryOperator::LessEqual;
    case Kind::GreaterEqual:
        return BinaryOperator::GreaterEqual;
    default:
        return std::nullopt;
    }
}

} // namespace

TScriptParser::TScriptParser(std::string_view source)
    : m_lexer(source), m_writer(m_program.code)
{
    // Code is never longer than its source by much; room reserved and not
    // yet written takes no memory.
    m_program.code.reserve(source.size());
}

Program TScriptParser::parse(std::string_view source)
{
    TScriptParser parser(source);
    while (parser.m_lexer.nextLine(parser.m_tokens)) {
        parser.m_pos = 0;
        parser.parseLine();
    }
    parser.checkDeclarations();
    return std::move(parser.m_program);
}

uint32_t TScriptParser::nameIndex(std::string_view name)
{
    auto [found, fresh] = m_nameIndexes.try_emplace(std::string(name), static_cast<uint32_t>(m_program.names.size()));
    if (fresh) {
        m_program.names.push_back({std::string(name), asciiLower(name), findBuiltin(name), engineOperationId(name)});
    }
    return found->second;
}

bool TScriptParser::acceptKeyword(std::string_view keyword)
{
    if (current().kind != Kind::Name || !equalsIgnoringAsciiCase(current().text, keyword))
        return false;
    ++m_pos;
    return true;
}

void TScriptParser::expect(Kind kind, const char* what)
{
    if (!accept(kind))
        fail(std::string("expected ") + what + ", found " + current().describe());
}

void TScriptParser::fail(const std::string& message) const
{
    throw TScriptSyntaxError(current().line, message);
}

void TScriptParser::parseLine()
{
    if (current().isEndOfStatement())
        return;
    if (acceptKeyword("Option")) {
        parseOption();
    } else if (acceptKeyword("Dim")) {
        parseDeclarations();
    } else {
        m_writer.beginStatement();
        parseStatement();
        m_writer.endStatement();
    }
    m_readAnything = true;
    if (!current().isEndOfStatement())
        fail("expected end of line, found " + current().describe());
}

void TScriptParser::parseOption()
{
    if (!acceptKeyword("Explicit"))
        fail("expected Explicit after Option, found " + current().describe());
    if (m_program.optionExplicit || m_readAnything)
        fail("Option Explicit must come before any other statement");
    m_program.optionExplicit = true;
}

void TScriptParser::parseDeclarations()
{
    do {
        const TScriptToken& name = current();
        if (name.kind != Kind::Name || isPredefined(name.text))
            fail("expected a variable name, found " + name.describe());
        for (const Declaration& earlier : m_program.declarations)
            if (equalsIgnoringAsciiCase(earlier.name, name.text))
                fail("name redefined: " + std::string(name.text));
        m_program.declarations.push_back({std::string(name.text), name.line});
        advance();
    } while (accept(Kind::Comma));
}

void TScriptParser::checkDeclarations() const
{
    const std::vector<Declaration>& declarations = m_program.declarations;
    // A variable of an engine's name could be assigned only through the
    // engine, and would hide the operation when read.
    for (const Declaration& declaration : declarations)
        if (isEngineName(declaration.name))
            throw TScriptSyntaxError(declaration.line, declaration.name + " is an operation of the report engine");
    if (!m_program.optionExplicit)
        return;
    auto declared = [&](const std::string& name) {
        return std::any_of(declarations.begin(), declarations.end(),
                           [&](const Declaration& d) { return equalsIgnoringAsciiCase(d.name, name); });
    };
    for (const Assignment& assignment : m_assignments)
        if (!declared(assignment.name) && !isEngineName(assignment.name))
            throw TScriptSyntaxError(assignment.line, "variable is undefined: " + assignment.name);
}

void TScriptParser::parseStatement()
{
    const TScriptToken& first = current();
    if (acceptKeyword("print")) {
        uint32_t count = 0;
        do {
            parseExpression();
            ++count;
        } while (accept(Kind::Comma));
        m_writer.add(Op::Print, count);
        return;
    }
    if (acceptKeyword("Answer")) {
        parseExpression();
        m_writer.add(Op::Answer);
        return;
    }
    if (first.kind != Kind::Name || isKeyword(first.text))
        fail("expected a statement, found " + first.describe());
    advance();
    if (accept(Kind::Equal)) {
        if (isPredefined(first.text))
            fail("cannot assign to " + std::string(first.text));
        if (m_assigned.insert(asciiLower(first.text)).second)
            m_assignments.push_back({std::string(first.text), first.line});
        parseExpression();
        m_writer.add(Op::Assign, nameIndex(first.text));
        return;
    }
    if (findConstant(first.text))
        fail("expected a statement, found " + first.describe());
    parseCallStatement(first);
    m_writer.add(Op::Drop);
}

void TScriptParser::parseCallStatement(const TScriptToken& name)
{
    uint32_t count = 0;
    if (current().kind == Kind::LeftParen && parenthesesEndStatement()) {
        advance();
        count = parseArguments(Kind::RightParen);
        expect(Kind::RightParen, "')'");
    } else if (!current().isEndOfStatement()) {
        count = parseArguments(Kind::EndOfLine);
    }
    m_writer.addCall(nameIndex(name.text), count);
}

bool TScriptParser::parenthesesEndStatement() const
{
    int depth = 0;
    for (size_t i = m_pos; i < m_tokens.size() && !m_tokens[i].isEndOfStatement(); ++i) {
        if (m_tokens[i].kind == Kind::LeftParen)
            ++depth;
        else if (m_tokens[i].kind == Kind::RightParen && --depth == 0)
            return m_tokens[i + 1].isEndOfStatement();
    }
    // Unclosed: read them as the call's own so the error names the missing ')'.
    return true;
}

uint32_t TScriptParser::parseArguments(Kind terminator)
{
    auto endsSlot = [terminator](const TScriptToken& token) {
        return token.kind == Kind::Comma || token.kind == terminator || token.isEndOfStatement();
    };
    if (terminator == Kind::RightParen && current().kind == Kind::RightParen)
        return 0;
    uint32_t count = 0;
    do {
        ++count;
        if (endsSlot(current())) {
            m_writer.add(Op::Missing);
        } else if (current().kind == Kind::Name && !isPredefined(current().text) && endsSlot(next())) {
            // A bare variable name is passed by reference: what the
            // operation writes back into the argument lands in the variable.
            m_writer.add(Op::Reference, nameIndex(advance().text));
        } else {
            parseExpression();
        }
    } while (accept(Kind::Comma));
    return count;
}

TScriptParser::TNesting::TNesting(TScriptParser& parser)
    : m_parser(parser)
{
    if (++m_parser.m_depth > kDeepestNesting)
        m_parser.fail("expression nested more than " + std::to_string(kDeepestNesting) + " levels deep");
}

void TScriptParser::parseExpression()
{
    const TNesting nesting(*this);
    // A lone literal, the commonest argument, needs none of the operator levels.
    const Kind after = next().kind;
    const bool lone = after == Kind::Comma || after == Kind::RightParen || next().isEndOfStatement();
    if (lone && (current().kind == Kind::Number || current().kind == Kind::String))
        parsePrimary();
    else
        parseOr();
}

void TScriptParser::parseOr()
{
    parseAnd();
    while (acceptKeyword("Or")) {
        parseAnd();
        m_writer.add(Op::Binary, static_cast<uint32_t>(BinaryOperator::Or));
    }
}

void TScriptParser::parseAnd()
{
    parseNot();
    while (acceptKeyword("And")) {
        parseNot();
        m_writer.add(Op::Binary, static_cast<uint32_t>(BinaryOperator::And));
    }
}

void TScriptParser::parseNot()
{
    if (acceptKeyword("Not")) {
        const TNesting nesting(*this);
        parseNot();
        m_writer.add(Op::Unary, static_cast<uint32_t>(UnaryOperator::Not));
        return;
    }
    parseComparison();
}

void TScriptParser::parseComparison()
{
    parseConcatenation();
    while (std::optional<BinaryOperator> op = comparisonOperator(current().kind)) {
        advance();
        parseConcatenation();
        m_writer.add(Op::Binary, static_cast<uint32_t>(*op));
    }
}

void TScriptParser::parseConcatenation()
{
    parseAdditive();
    while (accept(Kind::Ampersand)) {
        parseAdditive();
        m_writer.add(Op::Binary, static_cast<uint32_t>(BinaryOperator::Concatenate));
    }
}

void TScriptParser::parseAdditive()
{
    parseMultiplicative();
    for (;;) {
        BinaryOperator op;
        if (accept(Kind::Plus))
            op = BinaryOperator::Add;
        else if (accept(Kind::Minus))
            op = BinaryOperator::Subtract;
        else
            return;
        parseMultiplicative();
        m_writer.add(Op::Binary, static_cast<uint32_t>(op));
    }
}

void TScriptParser::parseMultiplicative()
{
    parseUnary();
    for (;;) {
        BinaryOperator op;
        if (accept(Kind::Star))
            op = BinaryOperator::Multiply;
        else if (accept(Kind::Slash))
            op = BinaryOperator::Divide;
        else
            return;
        parseUnary();
        m_writer.add(Op::Binary, static_cast<uint32_t>(op));
    }
}

void TScriptParser::parseUnary()
{
    if (accept(Kind::Minus)) {
        const TNesting nesting(*this);
        parseUnary();
        m_writer.add(Op::Unary, static_cast<uint32_t>(UnaryOperator::Negate));
        return;
    }
    parsePrimary();
}

void TScriptParser::parsePrimary()
{
    const TScriptToken& token = current();
    if (accept(Kind::Number)) {
        if (token.isLong)
            m_writer.addLong(static_cast<int32_t>(token.number));
        else
            m_writer.addDouble(token.number);
        return;
    }
    if (accept(Kind::String)) {
        m_writer.addQuotedText(token.text);
        return;
    }
    if (accept(Kind::LeftParen)) {
        parseExpression();
        expect(Kind::RightParen, "')'");
        return;
    }
    if (token.kind != Kind::Name || isKeyword(token.text))
        fail("expected a value, found " + token.describe());
    advance();
    parseName(token);
}

void TScriptParser::parseName(const TScriptToken& name)
{
    if (std::optional<Variant> constant = findConstant(name.text)) {
        m_writer.add(Op::Value, static_cast<uint32_t>(m_program.values.size()));
        m_program.values.push_back(std::move(*constant));
        return;
    }
    if (accept(Kind::LeftParen)) {
        const uint32_t count = parseArguments(Kind::RightParen);
        expect(Kind::RightParen, "')'");
        m_writer.addCall(nameIndex(name.text), count);
        return;
    }
    // A builtin named without parentheses is called without arguments.
    if (findBuiltin(name.text))
        m_writer.addCall(nameIndex(name.text), 0);
    else
        m_writer.add(Op::Name, nameIndex(name.text));
}

} // namespace orv
