#pragma once

#include "ScriptCode.h"

#include <map>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

class IOrvReportEngine;
class TScriptedUiServices;

// Runs compiled scripts against one engine through its late-bound
// interface, each statement's code on a stack of values. Script variables
// (case-insensitive) live as long as the interpreter.
class TScriptInterpreter {
public:
    TScriptInterpreter(IOrvReportEngine& engine, TScriptedUiServices& ui, std::ostream& out);

    // Declares the program's variables (Empty), then runs every statement in
    // order. A statement that fails prints "error XXXXXXXX <message>" in its
    // place, assigns nothing, and the script goes on; false when any
    // statement failed.
    bool run(const script::Program& program);

    // A value as the print statement shows it: "Long 3", "String Hello",
    // "Empty", "Error 5", "Bytes 1234".
    static std::string printedText(const Variant& value);

private:
    // A value on the stack, and the variable it came from when it is passed
    // by reference.
    struct Slot {
        Variant value;
        const script::Name* reference = nullptr;
    };

    bool runStatement(const script::Program& program, std::string_view code);
    void execute(const script::Program& program, std::string_view code);
    void call(const script::Name& name, uint32_t argumentCount);
    void push(Variant value) { m_stack.push_back({std::move(value), nullptr}); }
    Variant pop();
    Variant valueOf(const script::Name& name);

    Variant invoke(const script::Name& name, unsigned kinds, std::vector<Variant>& args);
    Variant* findVariable(const script::Name& name);

    IOrvReportEngine& m_engine;
    TScriptedUiServices& m_ui;
    std::ostream& m_out;
    std::map<std::string, Variant, std::less<>> m_variables; // by lower-case name
    std::vector<Slot> m_stack;
    std::vector<Variant> m_arguments; // of the call being made
};

} // namespace orv
