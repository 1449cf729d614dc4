#include "ScriptParser.h"

#include <orvreport/Dispatch.h>
#include "platform/AsciiText.h"

#include <algorithm>
#include <optional>
#include <unordered_set>

namespace orv {

using namespace script;

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
    return TDispatchTable::instance().has(name, InvokeMethod | InvokePropertyGet | InvokePropertyPut);
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

std::optional<Statement> TScriptReader::next()
{
    while (m_lexer.nextLine(m_line)) {
        TScriptParser parser(m_line, m_buildTrees);
        if (std::optional<Statement> statement = parser.parseLine(*this))
            return statement;
    }
    return std::nullopt;
}

Program TScriptParser::parse(std::string_view source)
{
    TScriptReader reader(source);
    Program program;
    std::vector<Assignment> assignments;
    while (std::optional<Statement> statement = reader.next()) {
        if (const auto* assign = std::get_if<AssignStatement>(&statement->node))
            assignments.push_back({assign->name, statement->line});
        program.statements.push_back(std::move(*statement));
    }
    checkDeclarations(reader, assignments);
    program.declarations = reader.declarations();
    program.optionExplicit = reader.optionExplicit();
    return program;
}

std::vector<Declaration> TScriptParser::check(std::string_view source)
{
    // Only the first assignment of each name can be the first fault.
    TScriptReader reader(source, TScriptReader::Trees::Skipped);
    std::vector<Assignment> assignments;
    std::unordered_set<std::string> assigned;
    while (std::optional<Statement> statement = reader.next()) {
        if (const auto* assign = std::get_if<AssignStatement>(&statement->node))
            if (assigned.insert(asciiLower(assign->name)).second)
                assignments.push_back({assign->name, statement->line});
    }
    checkDeclarations(reader, assignments);
    return reader.declarations();
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

std::optional<Statement> TScriptParser::parseLine(TScriptReader& reader)
{
    if (current().isEndOfStatement())
        return std::nullopt;
    const int line = current().line;
    std::optional<Statement> statement;
    if (acceptKeyword("Option")) {
        parseOption(reader);
    } else if (acceptKeyword("Dim")) {
        parseDeclarations(reader);
    } else {
        statement = parseStatement();
        statement->line = line;
    }
    reader.m_readAnything = true;
    if (!current().isEndOfStatement())
        fail("expected end of line, found " + current().describe());
    return statement;
}

void TScriptParser::parseOption(TScriptReader& reader)
{
    if (!acceptKeyword("Explicit"))
        fail("expected Explicit after Option, found " + current().describe());
    if (reader.m_optionExplicit || reader.m_readAnything)
        fail("Option Explicit must come before any other statement");
    reader.m_optionExplicit = true;
}

void TScriptParser::parseDeclarations(TScriptReader& reader)
{
    do {
        const TScriptToken& name = current();
        if (name.kind != Kind::Name || isPredefined(name.text))
            fail("expected a variable name, found " + name.describe());
        for (const Declaration& earlier : reader.m_declarations)
            if (equalsIgnoringAsciiCase(earlier.name, name.text))
                fail("name redefined: " + std::string(name.text));
        reader.m_declarations.push_back({std::string(name.text), name.line});
        advance();
    } while (accept(Kind::Comma));
}

void TScriptParser::checkDeclarations(const TScriptReader& reader, const std::vector<Assignment>& assignments)
{
    const std::vector<Declaration>& declarations = reader.declarations();
    // A variable of an engine's name could be assigned only through the
    // engine, and would hide the operation when read.
    for (const Declaration& declaration : declarations)
        if (isEngineName(declaration.name))
            throw TScriptSyntaxError(declaration.line, declaration.name + " is an operation of the report engine");
    if (!reader.optionExplicit())
        return;
    auto declared = [&](const std::string& name) {
        return std::any_of(declarations.begin(), declarations.end(),
                           [&](const Declaration& d) { return equalsIgnoringAsciiCase(d.name, name); });
    };
    for (const Assignment& assignment : assignments)
        if (!declared(assignment.name) && !isEngineName(assignment.name))
            throw TScriptSyntaxError(assignment.line, "variable is undefined: " + assignment.name);
}

Statement TScriptParser::parseStatement()
{
    const TScriptToken& first = current();
    if (acceptKeyword("print")) {
        PrintStatement print;
        do
            print.values.push_back(parseExpression());
        while (accept(Kind::Comma));
        return {std::move(print)};
    }
    if (acceptKeyword("Answer"))
        return {AnswerStatement{parseExpression()}};
    if (first.kind != Kind::Name || isKeyword(first.text))
        fail("expected a statement, found " + first.describe());
    advance();
    if (accept(Kind::Equal)) {
        if (isPredefined(first.text))
            fail("cannot assign to " + std::string(first.text));
        return {AssignStatement{std::string(first.text), parseExpression()}};
    }
    if (findConstant(first.text))
        fail("expected a statement, found " + first.describe());
    return {CallStatement{parseCallStatement(first)}};
}

CallExpr TScriptParser::parseCallStatement(const TScriptToken& name)
{
    CallExpr call{std::string(name.text), findBuiltin(name.text), {}};
    if (current().kind == Kind::LeftParen && parenthesesEndStatement()) {
        advance();
        call.arguments = parseArguments(Kind::RightParen);
        expect(Kind::RightParen, "')'");
    } else if (!current().isEndOfStatement()) {
        call.arguments = parseArguments(Kind::EndOfLine);
    }
    return call;
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

std::vector<Argument> TScriptParser::parseArguments(Kind terminator)
{
    auto endsSlot = [terminator](const TScriptToken& token) {
        return token.kind == Kind::Comma || token.kind == terminator || token.isEndOfStatement();
    };
    std::vector<Argument> arguments;
    if (terminator == Kind::RightParen && current().kind == Kind::RightParen)
        return arguments;
    // Room for every comma to the end of the line: a long call grows once.
    arguments.reserve(1 + std::count_if(m_tokens.begin() + static_cast<std::ptrdiff_t>(m_pos), m_tokens.end(),
                                        [](const TScriptToken& token) { return token.kind == Kind::Comma; }));
    do {
        if (endsSlot(current())) {
            arguments.emplace_back();
            continue;
        }
        const bool bareName = current().kind == Kind::Name && !isPredefined(current().text) && endsSlot(next());
        std::string reference = bareName ? std::string(current().text) : std::string();
        arguments.push_back({parseExpression(), std::move(reference)});
    } while (accept(Kind::Comma));
    return arguments;
}

TScriptParser::TNesting::TNesting(TScriptParser& parser)
    : m_parser(parser)
{
    if (++m_parser.m_depth > kDeepestNesting)
        m_parser.fail("expression nested more than " + std::to_string(kDeepestNesting) + " levels deep");
}

ExprPtr TScriptParser::parseExpression()
{
    const TNesting nesting(*this);
    return parseOr();
}

ExprPtr TScriptParser::parseOr()
{
    ExprPtr left = parseAnd();
    while (acceptKeyword("Or"))
        left = binary(BinaryOperator::Or, std::move(left), parseAnd());
    return left;
}

ExprPtr TScriptParser::parseAnd()
{
    ExprPtr left = parseNot();
    while (acceptKeyword("And"))
        left = binary(BinaryOperator::And, std::move(left), parseNot());
    return left;
}

ExprPtr TScriptParser::parseNot()
{
    if (acceptKeyword("Not")) {
        const TNesting nesting(*this);
        return make(UnaryExpr{UnaryOperator::Not, parseNot()});
    }
    return parseComparison();
}

ExprPtr TScriptParser::parseComparison()
{
    ExprPtr left = parseConcatenation();
    while (std::optional<BinaryOperator> op = comparisonOperator(current().kind)) {
        advance();
        left = binary(*op, std::move(left), parseConcatenation());
    }
    return left;
}

ExprPtr TScriptParser::parseConcatenation()
{
    ExprPtr left = parseAdditive();
    while (accept(Kind::Ampersand))
        left = binary(BinaryOperator::Concatenate, std::move(left), parseAdditive());
    return left;
}

ExprPtr TScriptParser::parseAdditive()
{
    ExprPtr left = parseMultiplicative();
    for (;;) {
        if (accept(Kind::Plus))
            left = binary(BinaryOperator::Add, std::move(left), parseMultiplicative());
        else if (accept(Kind::Minus))
            left = binary(BinaryOperator::Subtract, std::move(left), parseMultiplicative());
        else
            return left;
    }
}

ExprPtr TScriptParser::parseMultiplicative()
{
    ExprPtr left = parseUnary();
    for (;;) {
        if (accept(Kind::Star))
            left = binary(BinaryOperator::Multiply, std::move(left), parseUnary());
        else if (accept(Kind::Slash))
            left = binary(BinaryOperator::Divide, std::move(left), parseUnary());
        else
            return left;
    }
}

ExprPtr TScriptParser::parseUnary()
{
    if (accept(Kind::Minus)) {
        const TNesting nesting(*this);
        return make(UnaryExpr{UnaryOperator::Negate, parseUnary()});
    }
    return parsePrimary();
}

ExprPtr TScriptParser::parsePrimary()
{
    const TScriptToken& token = current();
    if (accept(Kind::Literal))
        return make(LiteralExpr{token.value});
    if (accept(Kind::LeftParen)) {
        ExprPtr inner = parseExpression();
        expect(Kind::RightParen, "')'");
        return inner;
    }
    if (token.kind != Kind::Name || isKeyword(token.text))
        fail("expected a value, found " + token.describe());
    advance();
    return parseName(token);
}

ExprPtr TScriptParser::parseName(const TScriptToken& name)
{
    if (std::optional<Variant> constant = findConstant(name.text))
        return make(LiteralExpr{std::move(*constant)});
    const Builtin* builtin = findBuiltin(name.text);
    if (accept(Kind::LeftParen)) {
        CallExpr call{std::string(name.text), builtin, parseArguments(Kind::RightParen)};
        expect(Kind::RightParen, "')'");
        return make(std::move(call));
    }
    if (builtin)
        return make(CallExpr{std::string(name.text), builtin, {}});
    return make(NameExpr{std::string(name.text)});
}

} // namespace orv
