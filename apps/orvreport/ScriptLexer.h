#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

// A script that cannot be parsed: the line of the first fault and what is
// wrong there.
class TScriptSyntaxError : public std::runtime_error {
public:
    TScriptSyntaxError(int line, const std::string& message) : std::runtime_error(message), m_line(line) {}

    int line() const noexcept { return m_line; }

private:
    int m_line;
};

struct TScriptToken {
    enum class Kind {
        Name,
        Number, // its value is in `number`
        String, // `text` is the literal as written, quotes included
        Plus,
        Minus,
        Star,
        Slash,
        Ampersand,
        Equal,
        NotEqual,
        Less,
        Greater,
        LessEqual,
        GreaterEqual,
        LeftParen,
        RightParen,
        Comma,
        EndOfLine,
        EndOfScript,
    };

    Kind kind;
    std::string_view text; // as written in the script, which outlives its tokens
    int line;
    // A Number's value: a Long when it is written without fraction or
    // exponent and fits, otherwise a Double.
    bool isLong = false;
    double number = 0;

    bool isEndOfStatement() const { return kind == Kind::EndOfLine || kind == Kind::EndOfScript; }
    // How an error message quotes the token.
    std::string describe() const;
};

// Splits script text into tokens. Comments (' anywhere outside a string, #
// at the start of a line) are dropped; each line break is an EndOfLine token
// and the script ends with EndOfScript. A script is read a line at a time,
// so that no more than one line's tokens need exist at once.
class TScriptLexer {
public:
    explicit TScriptLexer(std::string_view source);

    // The tokens of the next line, ending with its EndOfLine, or with
    // EndOfScript on the last line; false once EndOfScript has been given.
    bool nextLine(std::vector<TScriptToken>& tokens);

private:
    void skipToEndOfLine();
    void lexNewline();
    void lexName();
    void lexNumber();
    void lexString();
    void lexOperator();
    TScriptToken& addToken(TScriptToken::Kind kind, size_t start);
    char peek(size_t ahead = 0) const { return m_pos + ahead < m_source.size() ? m_source[m_pos + ahead] : '\0'; }

    std::string_view m_source;
    size_t m_pos = 0;
    int m_line = 1;
    bool m_lineHasTokens = false;
    bool m_finished = false;
    std::vector<TScriptToken>* m_tokens = nullptr; // the line being read
};

} // namespace orv
