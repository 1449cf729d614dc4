#include "platform/UiServices.h"

#include <strings.h>

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
        if (strcasecmp(text.c_str(), answerText(answer)) == 0)
            return answer;
    return std::nullopt;
}

} // namespace orv
