#include "ScriptCode.h"

#include <cstring>

namespace orv::script {

void TScriptCodeWriter::beginStatement()
{
    m_statementStart = m_code.size();
    m_code.append(sizeof(uint32_t), '\0'); // the length, known at the end
}

void TScriptCodeWriter::endStatement()
{
    const auto length = static_cast<uint32_t>(m_code.size() - m_statementStart - sizeof(uint32_t));
    std::memcpy(m_code.data() + m_statementStart, &length, sizeof length);
}

void TScriptCodeWriter::add(Op op)
{
    m_code += static_cast<char>(op);
}

void TScriptCodeWriter::add(Op op, uint32_t index)
{
    add(op);
    writeNumber(index);
}

void TScriptCodeWriter::addCall(uint32_t name, uint32_t arguments)
{
    add(Op::Call, name);
    writeNumber(arguments);
}

void TScriptCodeWriter::addLong(int32_t value)
{
    add(Op::Long);
    writeBytes(&value, sizeof value);
}

void TScriptCodeWriter::addDouble(double value)
{
    add(Op::Double);
    writeBytes(&value, sizeof value);
}

void TScriptCodeWriter::addQuotedText(std::string_view quoted)
{
    const std::string_view inside = quoted.substr(1, quoted.size() - 2);
    size_t doubled = 0;
    for (size_t at = inside.find("\"\""); at != std::string_view::npos; at = inside.find("\"\"", at + 2))
        ++doubled;
    add(Op::Text, static_cast<uint32_t>(inside.size() - doubled));
    if (doubled == 0) {
        m_code.append(inside);
        return;
    }
    for (size_t i = 0; i < inside.size(); ++i) {
        m_code += inside[i];
        if (inside[i] == '"')
            ++i; // the second quote of a pair
    }
}

void TScriptCodeWriter::writeNumber(uint32_t value)
{
    while (value >= 0x80) {
        m_code += static_cast<char>((value & 0x7F) | 0x80);
        value >>= 7;
    }
    m_code += static_cast<char>(value);
}

std::string_view TScriptCodeReader::nextStatement()
{
    const auto length = readFixed<uint32_t>();
    const std::string_view statement = m_code.substr(m_pos, length);
    m_pos += length;
    return statement;
}

Instruction TScriptCodeReader::next()
{
    Instruction instruction;
    instruction.op = static_cast<Op>(m_code[m_pos++]);
    switch (instruction.op) {
    case Op::Long:
        instruction.integer = readFixed<int32_t>();
        break;
    case Op::Double:
        instruction.real = readFixed<double>();
        break;
    case Op::Text:
        instruction.index = readNumber();
        instruction.text = m_code.substr(m_pos, instruction.index);
        m_pos += instruction.index;
        break;
    case Op::Call:
        instruction.index = readNumber();
        instruction.arguments = readNumber();
        break;
    case Op::Value:
    case Op::Name:
    case Op::Reference:
    case Op::Unary:
    case Op::Binary:
    case Op::Assign:
    case Op::Print:
        instruction.index = readNumber();
        break;
    case Op::Missing:
    case Op::Drop:
    case Op::Answer:
        break;
    }
    return instruction;
}

uint32_t TScriptCodeReader::readNumber()
{
    uint32_t value = 0;
    for (int shift = 0;; shift += 7) {
        const auto byte = static_cast<uint8_t>(m_code[m_pos++]);
        value |= static_cast<uint32_t>(byte & 0x7F) << shift;
        if (byte < 0x80)
            return value;
    }
}

template <class T>
T TScriptCodeReader::readFixed()
{
    T value;
    std::memcpy(&value, m_code.data() + m_pos, sizeof value);
    m_pos += sizeof value;
    return value;
}

} // namespace orv::script
