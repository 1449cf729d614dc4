#include "ScriptInterpreter.h"

#include <orvreport/Dispatch.h>
#include "platform/AsciiText.h"
#include "platform/ScriptedUiServices.h"


namespace orv {

using namespace script;

TScriptInterpreter::TScriptInterpreter(IOrvReportEngine& engine, TScriptedUiServices& ui, std::ostream& out)
    : m_engine(engine), m_ui(ui), m_out(out)
{
}

bool TScriptInterpreter::run(const Program& program)
{
    declare(program.declarations);
    bool allRan = true;
    for (const Statement& statement : program.statements)
        allRan = runStatement(statement) && allRan;
    return allRan;
}

void TScriptInterpreter::declare(const std::vector<Declaration>& declarations)
{
    for (const Declaration& declaration : declarations)
        m_variables.try_emplace(asciiLower(declaration.name));
}

bool TScriptInterpreter::runStatement(const Statement& statement)
{
    try {
        runTrapped([&] { std::visit([this](const auto& node) { execute(node); }, statement.node); });
        return true;
    } catch (const EngineError& e) {
        m_out << "error " << e.statusText() << ' ' << e.what() << '\n';
        return false;
    }
}

std::string TScriptInterpreter::printedText(const Variant& value)
{
    switch (value.type()) {
    case VarType::Empty:
    case VarType::Null:
        return value.typeName();
    case VarType::Error:
        return value.toString();
    case VarType::Bytes:
        return "Bytes " + std::to_string(value.bytes().size());
    default:
        return value.typeName() + ' ' + value.toString();
    }
}

void TScriptInterpreter::execute(const CallStatement& statement)
{
    evaluate(statement.call);
}

void TScriptInterpreter::execute(const AssignStatement& statement)
{
    Variant value = evaluate(*statement.value);
    // A name the engine knows is always written through the engine, so that
    // writing a read-only property fails instead of hiding it behind a variable.
    if (TDispatchTable::instance().has(statement.name, InvokeMethod | InvokePropertyGet | InvokePropertyPut)) {
        std::vector<Variant> args{std::move(value)};
        invoke(statement.name, InvokePropertyPut, args);
    } else {
        m_variables[asciiLower(statement.name)] = std::move(value);
    }
}

void TScriptInterpreter::execute(const PrintStatement& statement)
{
    // Every value first, so that a failing one prints nothing but the error.
    std::vector<Variant> values;
    for (const ExprPtr& expr : statement.values)
        values.push_back(evaluate(*expr));
    for (const Variant& value : values)
        m_out << printedText(value) << '\n';
}

void TScriptInterpreter::execute(const AnswerStatement& statement)
{
    m_ui.queueAnswer(evaluate(*statement.answer).toString());
}

Variant TScriptInterpreter::evaluate(const Expr& expr)
{
    return std::visit([this](const auto& node) { return evaluate(node); }, expr.node);
}

Variant TScriptInterpreter::evaluate(const LiteralExpr& literal)
{
    return literal.value;
}

Variant TScriptInterpreter::evaluate(const NameExpr& name)
{
    if (const Variant* variable = findVariable(name.name))
        return *variable;
    std::vector<Variant> noArgs;
    return invoke(name.name, InvokeMethod | InvokePropertyGet, noArgs);
}

Variant TScriptInterpreter::evaluate(const CallExpr& call)
{
    std::vector<Variant> args;
    args.reserve(call.arguments.size());
    for (const Argument& argument : call.arguments)
        args.push_back(argument.value ? evaluate(*argument.value) : Variant::missing());
    if (call.builtin)
        return call.builtin->call(args);

    Variant result = invoke(call.name, InvokeMethod | InvokePropertyGet, args);
    // Variables passed by reference take back what the operation left in their argument.
    for (size_t i = 0; i < call.arguments.size(); ++i)
        if (Variant* variable = findVariable(call.arguments[i].reference))
            *variable = args[i];
    return result;
}

Variant TScriptInterpreter::evaluate(const UnaryExpr& unary)
{
    return applyUnary(unary.op, evaluate(*unary.operand));
}

// A long chain (a + b + c ...) leans left: it is walked down to its first
// operand and evaluated back up, without recursing once per operator.
Variant TScriptInterpreter::evaluate(const BinaryExpr& binary)
{
    std::vector<const BinaryExpr*> chain{&binary};
    while (const auto* left = std::get_if<BinaryExpr>(&chain.back()->left->node))
        chain.push_back(left);
    Variant value = evaluate(*chain.back()->left);
    for (auto link = chain.rbegin(); link != chain.rend(); ++link)
        value = applyBinary((*link)->op, value, evaluate(*(*link)->right));
    return value;
}

Variant TScriptInterpreter::invoke(std::string_view name, unsigned kinds, std::vector<Variant>& args)
{
    return TDispatchTable::instance().invoke(m_engine, name, kinds, args);
}

Variant* TScriptInterpreter::findVariable(std::string_view name)
{
    auto found = m_variables.find(asciiLower(name));
    return found == m_variables.end() ? nullptr : &found->second;
}

} // namespace orv
