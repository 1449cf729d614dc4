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
    for (const Declaration& declaration : program.declarations)
        m_variables.try_emplace(asciiLower(declaration.name));
    TScriptCodeReader statements(program.code);
    bool allRan = true;
    while (!statements.atEnd())
        allRan = runStatement(program, statements.nextStatement()) && allRan;
    return allRan;
}

bool TScriptInterpreter::runStatement(const Program& program, std::string_view code)
{
    try {
        runTrapped([&] { execute(program, code); });
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

void TScriptInterpreter::execute(const Program& program, std::string_view code)
{
    m_stack.clear(); // a failed statement may have left values behind
    TScriptCodeReader reader(code);
    while (!reader.atEnd()) {
        const Instruction instruction = reader.next();
        switch (instruction.op) {
        case Op::Long:
            push(instruction.integer);
            break;
        case Op::Double:
            push(instruction.real);
            break;
        case Op::Text:
            push(std::string(instruction.text));
            break;
        case Op::Value:
            push(program.values[instruction.index]);
            break;
        case Op::Missing:
            push(Variant::missing());
            break;
        case Op::Name:
            push(valueOf(program.names[instruction.index]));
            break;
        case Op::Reference: {
            const Name& name = program.names[instruction.index];
            m_stack.push_back({valueOf(name), &name});
            break;
        }
        case Op::Call:
            call(program.names[instruction.index], instruction.arguments);
            break;
        case Op::Unary:
            m_stack.back().value = applyUnary(static_cast<UnaryOperator>(instruction.index), m_stack.back().value);
            m_stack.back().reference = nullptr;
            break;
        case Op::Binary: {
            const Variant right = pop();
            m_stack.back().value =
                applyBinary(static_cast<BinaryOperator>(instruction.index), m_stack.back().value, right);
            m_stack.back().reference = nullptr;
            break;
        }
        case Op::Drop:
            pop();
            break;
        case Op::Assign: {
            const Name& name = program.names[instruction.index];
            // A name the engine knows is always written through the engine, so
            // that writing a read-only property fails instead of hiding it
            // behind a variable.
            if (name.dispatchId) {
                m_arguments.assign(1, pop());
                invoke(name, InvokePropertyPut, m_arguments);
            } else {
                m_variables[name.key] = pop();
            }
            break;
        }
        case Op::Print: {
            // Every value was computed before any is printed, so a failing
            // one prints nothing but the error.
            for (size_t i = m_stack.size() - instruction.index; i < m_stack.size(); ++i)
                m_out << printedText(m_stack[i].value) << '\n';
            m_stack.resize(m_stack.size() - instruction.index);
            break;
        }
        case Op::Answer:
            m_ui.queueAnswer(pop().toString());
            break;
        }
    }
}

void TScriptInterpreter::call(const Name& name, uint32_t argumentCount)
{
    const size_t first = m_stack.size() - argumentCount;
    m_arguments.clear();
    m_arguments.reserve(argumentCount);
    for (size_t i = first; i < m_stack.size(); ++i)
        m_arguments.push_back(std::move(m_stack[i].value));
    Variant result = name.builtin ? name.builtin->call(m_arguments)
                                  : invoke(name, InvokeMethod | InvokePropertyGet, m_arguments);
    // Variables passed by reference take back what the operation left in their argument.
    for (size_t i = 0; !name.builtin && i < argumentCount; ++i)
        if (const Name* reference = m_stack[first + i].reference)
            if (Variant* variable = findVariable(*reference))
                *variable = std::move(m_arguments[i]);
    m_stack.resize(first);
    push(std::move(result));
}

Variant TScriptInterpreter::pop()
{
    Variant value = std::move(m_stack.back().value);
    m_stack.pop_back();
    return value;
}

Variant TScriptInterpreter::valueOf(const Name& name)
{
    if (const Variant* variable = findVariable(name))
        return *variable;
    std::vector<Variant> noArgs;
    return invoke(name, InvokeMethod | InvokePropertyGet, noArgs);
}

Variant TScriptInterpreter::invoke(const Name& name, unsigned kinds, std::vector<Variant>& args)
{
    const TDispatchTable& table = TDispatchTable::instance();
    // A name the engine lacks fails as the table reports it.
    return name.dispatchId ? table.invoke(m_engine, *name.dispatchId, kinds, args)
                           : table.invoke(m_engine, name.text, kinds, args);
}

Variant* TScriptInterpreter::findVariable(const Name& name)
{
    auto found = m_variables.find(name.key);
    return found == m_variables.end() ? nullptr : &found->second;
}

} // namespace orv
