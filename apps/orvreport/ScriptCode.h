#pragma once

// The compiled form of a script. The parser reads a script once and writes
// each statement as a short run of stack-machine instructions; names are
// resolved once (builtins, engine dispatch ids), literals are stored in
// place. A statement takes tens of bytes, so a script of many thousands of
// statements is held whole without holding its tokens or trees.

#include "ScriptBuiltins.h"
#include "ScriptOperators.h"
#include <orvreport/Variant.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orv::script {

// The instructions. Operands follow the operation byte: indexes and counts
// as unsigned LEB128 numbers, a Long as 4 bytes, a Double as 8 bytes, text
// as its length and its UTF-8 bytes.
enum class Op : uint8_t {
    Long,      // pushes a Long literal
    Double,    // pushes a Double literal
    Text,      // pushes a String literal
    Value,     // pushes Program::values[index] (a predefined constant)
    Missing,   // pushes the marker of an omitted argument
    Name,      // pushes the variable of that name, else the engine's property or method without arguments
    Reference, // as Name; an operation called with it as an argument writes back into the variable
    Call,      // name, argument count: calls a builtin or an engine operation on the values on top
    Unary,     // applies the operator to the top value
    Binary,    // applies the operator to the two top values
    // Each statement ends with one of these.
    Drop,   // a call statement: its result is dropped
    Assign, // name: a writable engine property, otherwise a script variable
    Print,  // count: prints that many values
    Answer, // queues the top value as the next dialog's answer
};

// A name as the script wrote it (its first spelling), resolved once.
struct Name {
    std::string text;
    std::string key; // lower case: variables are case-insensitive
    const Builtin* builtin = nullptr;
    std::optional<int32_t> dispatchId; // nothing when the engine has no such operation
};

// `Dim name`: a script variable that exists, Empty, from the start of the
// script wherever its declaration stands.
struct Declaration {
    std::string name;
    int line = 0;
};

struct Program {
    // Statements in order, each its code's length (4 bytes) and its code.
    std::string code;
    std::vector<Name> names;
    std::vector<Variant> values;
    std::vector<Declaration> declarations;
    // `Option Explicit`: assigning a name that is neither declared nor an
    // operation of the engine is a fault of the script.
    bool optionExplicit = false;
};

// One decoded instruction.
struct Instruction {
    Op op = Op::Drop;
    uint32_t index = 0; // the name or value index, the count, or the operator
    uint32_t arguments = 0; // Call's argument count
    int32_t integer = 0;
    double real = 0;
    std::string_view text;
};

// Appends statements to a program's code.
class TScriptCodeWriter {
public:
    explicit TScriptCodeWriter(std::string& code) : m_code(code) {}

    void beginStatement();
    void endStatement();

    void add(Op op);
    void add(Op op, uint32_t index);
    void addCall(uint32_t name, uint32_t arguments);
    void addLong(int32_t value);
    void addDouble(double value);
    // A string literal as written, quotes included; "" inside stands for one quote.
    void addQuotedText(std::string_view quoted);

private:
    void writeNumber(uint32_t value);
    void writeBytes(const void* bytes, size_t size) { m_code.append(static_cast<const char*>(bytes), size); }

    std::string& m_code;
    size_t m_statementStart = 0;
};

// Reads code back: a program's code a statement at a time, and a
// statement's code an instruction at a time.
class TScriptCodeReader {
public:
    explicit TScriptCodeReader(std::string_view code) : m_code(code) {}

    bool atEnd() const { return m_pos >= m_code.size(); }
    std::string_view nextStatement();
    Instruction next();

private:
    uint32_t readNumber();
    template <class T>
    T readFixed();

    std::string_view m_code;
    size_t m_pos = 0;
};

} // namespace orv::script
