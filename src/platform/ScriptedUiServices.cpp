#include "platform/ScriptedUiServices.h"

namespace orv {

std::optional<std::string> TScriptedUiServices::nextAnswer()
{
    if (m_answers.empty())
        return std::nullopt;
    std::string answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

void TScriptedUiServices::record(Shown shown)
{
    m_shown.push_back(std::move(shown));
    if (m_listener)
        m_listener(m_shown.back());
}

TUiServices::Answer TScriptedUiServices::showMessage(const std::string& caption, const std::string& text,
                                                     Icon, Buttons buttons)
{
    record({"message", caption, text});
    const Answer first = (buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel) ? Answer::Yes : Answer::Ok;
    std::optional<std::string> queued = nextAnswer();
    if (!queued)
        return first;
    return answerFromText(*queued).value_or(first);
}

std::optional<std::string> TScriptedUiServices::typedAnswer()
{
    std::optional<std::string> queued = nextAnswer();
    if (!queued || answerFromText(*queued) == Answer::Cancel)
        return std::nullopt;
    return queued;
}

std::optional<std::string> TScriptedUiServices::openFileName(const std::string& caption, const std::string&,
                                                             const std::string&)
{
    record({"open", caption, {}});
    return typedAnswer();
}

std::optional<std::string> TScriptedUiServices::saveFileName(const std::string& caption, const std::string&,
                                                             const std::string& suggestedName)
{
    record({"save", caption, suggestedName});
    return typedAnswer();
}

std::optional<std::string> TScriptedUiServices::inputText(const std::string& caption, const std::string& label)
{
    record({"input", caption, label});
    return typedAnswer();
}

bool TScriptedUiServices::openDocument(const std::string& pathOrUrl)
{
    record({"document", {}, pathOrUrl});
    return true;
}

} // namespace orv
