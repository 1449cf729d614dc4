#pragma once

#include "ScriptCode.h"
#include "ScriptLexer.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace orv {

// The report engine's dispatch id of an operation of this name (any case),
// nothing when the engine has none; a script may neither declare nor
// assign such a name as a variable.
std::optional<int32_t> engineOperationId(std::string_view name);

// Compiles a script in one reading, a line at a time: each statement is
// written as code (ScriptCode.h) as it is parsed, so that no line's tokens
// outlive it and no trees are built. The whole script is checked before any
// of it runs: the first fault throws TScriptSyntaxError with its line; so
// does, under Option Explicit, the first assignment to an undeclared name.
class TScriptParser {
public:
    static script::Program parse(std::string_view source);

private:
    using Kind = TScriptToken::Kind;

    explicit TScriptParser(std::string_view source);

    void parseLine();
    void parseOption();
    void parseDeclarations();
    // With Option Explicit, every assigned name (given by its first
    // assignment) must be declared or belong to the engine; a declared name
    // must not hide an engine operation.
    void checkDeclarations() const;
    void parseStatement();
    void parseCallStatement(const TScriptToken& name);
    // Writes the arguments up to the terminator; returns their count.
    uint32_t parseArguments(Kind terminator);
    void parseExpression();
    void parseOr();
    void parseAnd();
    void parseNot();
    void parseComparison();
    void parseConcatenation();
    void parseAdditive();
    void parseMultiplicative();
    void parseUnary();
    void parsePrimary();
    void parseName(const TScriptToken& name);

    // The index of a name in the program's table, resolved when first met.
    uint32_t nameIndex(std::string_view name);

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
    // stack while the script is parsed, so a script may nest only so deep.
    // Chains of binary operators do not nest.
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

    struct Assignment {
        std::string name;
        int line;
    };

    TScriptLexer m_lexer;
    std::vector<TScriptToken> m_tokens; // the line being parsed
    size_t m_pos = 0;
    size_t m_depth = 0;
    script::Program m_program;
    script::TScriptCodeWriter m_writer;
    std::unordered_map<std::string, uint32_t> m_nameIndexes; // by spelling
    bool m_readAnything = false; // a statement or a declaration
    // The first assignment of each name (by lower case): only it can be the first fault.
    std::vector<Assignment> m_assignments;
    std::unordered_set<std::string> m_assigned;
};

} // namespace orv
