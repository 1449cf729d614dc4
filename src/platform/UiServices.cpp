#include "platform/UiServices.h"

#include "platform/AsciiText.h"

namespace orv {

const char* answerText(TUiServices::Answer answer)
{
    switch (answer) {
    case TUiServices::Answer::Ok:
        return "OK";
    case TUiServices::Answer::Cancel:
        return "Cancel";
    case TUiServices::Answer::Yes:
        return "Yes";
    case TUiServices::Answer::No:
        return "No";
    }
    return "OK";
}

std::optional<TUiServices::Answer> answerFromText(const std::string& text)
{
    for (auto answer : {TUiServices::Answer::Ok, TUiServices::Answer::Cancel, TUiServices::Answer::Yes,
                        TUiServices::Answer::No})
        if (equalsIgnoringAsciiCase(text, answerText(answer)))
            return answer;
    return std::nullopt;
}

} // namespace orv
