#include "ScriptHost.h"

#include "ScriptInterpreter.h"
#include "ScriptParser.h"

namespace orv {

namespace {

// A message on one line: each line break (\r\n, \r or \n) becomes " / ".
std::string oneLine(const std::string& text)
{
    std::string line;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            line += " / ";
        } else {
            line += text[i];
        }
    }
    return line;
}

} // namespace

void TEventPrinter::onEvent(const char* name, int32_t, std::vector<Variant>& args)
{
    m_out << "event " << name;
    for (const Variant& arg : args)
        m_out << ' ' << arg.toString();
    m_out << '\n';
}

TScriptHost::TScriptHost(std::ostream& out, std::ostream& err, Options options)
    : m_out(out), m_err(err)
{
    if (options.printEvents)
        m_events = std::make_unique<TEventPrinter>(out);
    m_ui.setListener([this](const TScriptedUiServices::Shown& shown) { printDialog(shown); });
}

TScriptHost::~TScriptHost() = default;

void TScriptHost::printDialog(const TScriptedUiServices::Shown& shown)
{
    if (shown.kind == "message")
        m_out << "message " << oneLine(shown.text) << '\n';
    else if (shown.kind == "document")
        m_out << "document " << shown.text << '\n';
    else
        m_out << "dialog " << shown.kind << ' ' << shown.caption << '\n';
}

ExitStatus TScriptHost::run(const std::string& scriptName, std::string_view source)
{
    script::Program program;
    try {
        program = TScriptParser::parse(source);
    } catch (const TScriptSyntaxError& e) {
        m_err << "orvreport: " << scriptName << ':' << e.line() << ": " << e.what() << '\n';
        return ExitBadInput;
    }
    if (!m_control)
        m_control = std::make_unique<TORVREP>(nullptr, TORVREP::Options{&m_ui, m_events.get(), false});
    TScriptInterpreter interpreter(*m_control, m_ui, m_out);
    return interpreter.run(program) ? ExitRan : ExitFailed;
}

} // namespace orv
