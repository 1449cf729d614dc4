#pragma once

#include "ScriptAst.h"

#include <map>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

class IOrvReportEngine;
class TScriptedUiServices;

// Runs parsed scripts against one engine through its late-bound interface.
// Script variables (case-insensitive) live as long as the interpreter.
class TScriptInterpreter {
public:
    TScriptInterpreter(IOrvReportEngine& engine, TScriptedUiServices& ui, std::ostream& out);

    // Runs every statement in order. A statement that fails prints
    // "error XXXXXXXX <message>" in its place, assigns nothing, and the
    // script goes on; false when any statement failed.
    bool run(const script::Program& program);

    // The pieces of run() for a script read a statement at a time: the
    // declared variables first (Empty), then each statement; false when it
    // failed.
    void declare(const std::vector<script::Declaration>& declarations);
    bool runStatement(const script::Statement& statement);

    // A value as the print statement shows it: "Long 3", "String Hello",
    // "Empty", "Error 5", "Bytes 1234".
    static std::string printedText(const Variant& value);

private:
    void execute(const script::CallStatement& statement);
    void execute(const script::AssignStatement& statement);
    void execute(const script::PrintStatement& statement);
    void execute(const script::AnswerStatement& statement);

    Variant evaluate(const script::Expr& expr);
    Variant evaluate(const script::LiteralExpr& literal);
    Variant evaluate(const script::NameExpr& name);
    Variant evaluate(const script::CallExpr& call);
    Variant evaluate(const script::UnaryExpr& unary);
    Variant evaluate(const script::BinaryExpr& binary);

    Variant invoke(std::string_view name, unsigned kinds, std::vector<Variant>& args);
    Variant* findVariable(std::string_view name);

    IOrvReportEngine& m_engine;
    TScriptedUiServices& m_ui;
    std::ostream& m_out;
    std::map<std::string, Variant> m_variables; // by lower-case name
};

} // namespace orv
