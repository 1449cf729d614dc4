#pragma once

#include "ScriptAst.h"
#include "ScriptLexer.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace orv {

class TScriptParser;

// Reads a script one statement at a time, so that the tokens and the tree
// of a statement are gone once the caller is done with it. Option and Dim
// lines are taken in as they come (declarations()). The first fault throws
// TScriptSyntaxError with its line.
class TScriptReader {
public:
    // A reader that only checks a script builds no expression trees: its
    // statements carry names but no expressions.
    enum class Trees { Built, Skipped };
    explicit TScriptReader(std::string_view source, Trees trees = Trees::Built)
        : m_lexer(source), m_buildTrees(trees == Trees::Built)
    {
    }

    // The next statement, or nothing at the end of the script.
    std::optional<script::Statement> next();

    bool optionExplicit() const { return m_optionExplicit; }
    const std::vector<script::Declaration>& declarations() const { return m_declarations; }

private:
    friend class TScriptParser;

    TScriptLexer m_lexer;
    bool m_buildTrees;
    std::vector<TScriptToken> m_line;
    bool m_optionExplicit = false;
    bool m_readAnything = false; // a statement or a declaration
    std::vector<script::Declaration> m_declarations;
};

// Parses the statements of a script, one line at a time. A script is
// checked whole before any of it runs: the first fault throws
// TScriptSyntaxError with its line; so does, under Option Explicit, the
// first assignment to an undeclared name.
class TScriptParser {
public:
    // The whole script, parsed and checked.
    static script::Program parse(std::string_view source);
    // Parses and checks the whole script as parse() does, keeping nothing
    // but its declarations.
    static std::vector<script::Declaration> check(std::string_view source);

private:
    using Kind = TScriptToken::Kind;
    friend class TScriptReader;

    TScriptParser(const std::vector<TScriptToken>& tokens, bool buildTrees) : m_tokens(tokens), m_buildTrees(buildTrees)
    {
    }

    template <class Node>
    script::ExprPtr make(Node node) const
    {
        return m_buildTrees ? std::make_unique<script::Expr>(std::move(node)) : nullptr;
    }
    script::ExprPtr binary(script::BinaryOperator op, script::ExprPtr left, script::ExprPtr right) const
    {
        return make(script::BinaryExpr{op, std::move(left), std::move(right)});
    }

    // The statement of one line; nothing for a blank, Option or Dim line.
    std::optional<script::Statement> parseLine(TScriptReader& reader);
    void parseOption(TScriptReader& reader);
    void parseDeclarations(TScriptReader& reader);
    // With Option Explicit, every assigned name (given by its first
    // assignment) must be declared or belong to the engine; a declared name
    // must not hide an engine operation.
    struct Assignment {
        std::string name;
        int line;
    };
    static void checkDeclarations(const TScriptReader& reader, const std::vector<Assignment>& assignments);
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
    bool accept(Kind kind)
    {
        if (current().kind != kind)
            return false;
        ++m_pos;
        return true;
    }
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

    const std::vector<TScriptToken>& m_tokens;
    bool m_buildTrees;
    size_t m_pos = 0;
    size_t m_depth = 0;
};

} // namespace orv
