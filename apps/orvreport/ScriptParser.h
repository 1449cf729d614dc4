#pragma once

#include "ScriptAst.h"
#include "ScriptLexer.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

namespace orv {

// Parses a whole script into its statements before any of it runs. The
// first fault throws TScriptSyntaxError with its line; so does, under
// Option Explicit, the first assignment to an undeclared name.
class TScriptParser {
public:
    static script::Program parse(std::string_view source);

private:
    using Kind = TScriptToken::Kind;

    explicit TScriptParser(std::vector<TScriptToken> tokens) : m_tokens(std::move(tokens)) {}

    script::Program parseProgram();
    void parseOption(script::Program& program);
    void parseDeclarations(script::Program& program);
    // With Option Explicit, every assigned name must be declared or belong
    // to the engine; a declared name must not hide an engine operation.
    static void checkDeclarations(const script::Program& program);
    script::Statement parseStatement();
    script::CallExpr parseCallStatement(const TScriptToken& name);
    std::vector<script::Argument> parseArguments(Kind terminator);
    script::ExprPtr parseExpression();
    script::ExprPtr parseOr();
    script::ExprPtr parseAnd();
    script::ExprPtr parseNot();
    script::ExprPtr parseComparison();
    script::ExprPtr parseConcatenation();
    script::ExprPtr parseAdditive();
    script::ExprPtr parseMultiplicative();
    script::ExprPtr parseUnary();
    script::ExprPtr parsePrimary();
    script::ExprPtr parseName(const TScriptToken& name);

    // True when the parentheses opening at the current token close at the
    // end of the statement, as in `Name(a, b)`.
    bool parenthesesEndStatement() const;

    const TScriptToken& current() const { return m_tokens[m_pos]; }
    const TScriptToken& next() const { return m_tokens[std::min(m_pos + 1, m_tokens.size() - 1)]; }
    const TScriptToken& advance() { return m_tokens[m_pos++]; }
    bool accept(Kind kind);
    bool acceptKeyword(std::string_view keyword);
    void expect(Kind kind, const char* what);
    [[noreturn]] void fail(const std::string& message) const;

    // Parentheses, arguments and unary operators nest; every level costs
    // stack while the script is parsed and run, so a script may nest only
    // so deep. Chains of binary operators do not nest.
    static constexpr size_t kDeepestNesting = 200;
    class TNesting {
    public:
        explicit TNesting(TScriptParser& parser);
        ~TNesting() { --m_parser.m_depth; }
        TNesting(const TNesting&) = delete;
        TNesting& operator=(const TNesting&) = delete;

    private:
        TScriptParser& m_parser;
    };

    std::vector<TScriptToken> m_tokens;
    size_t m_pos = 0;
    size_t m_depth = 0;
};

} // namespace orv
