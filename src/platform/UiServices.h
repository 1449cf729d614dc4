#pragma once

#include <optional>
#include <string>

namespace orv {

// The dialogs and shell actions the engine needs outside drawing. The Qt
// implementation shows real dialogs; the scripted one answers from a queue
// so that tests and scripts never block on a dialog.
class TUiServices {
public:
    enum class Icon { Information, Warning, Error, Question };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Answer { Ok, Cancel, Yes, No };

    virtual ~TUiServices() = default;

    virtual Answer showMessage(const std::string& caption, const std::string& text, Icon icon,
                               Buttons buttons) = 0;
    // A file to open or to save; nothing when the user cancels. The filter is
    // in Qt's form, e.g. "Pictures (*.png *.jpg);;All files (*)".
    virtual std::optional<std::string> openFileName(const std::string& caption, const std::string& filter,
                                                    const std::string& directory) = 0;
    virtual std::optional<std::string> saveFileName(const std::string& caption, const std::string& filter,
                                                    const std::string& suggestedName) = 0;
    // The desktop's "open" action for a file or address.
    virtual bool openDocument(const std::string& pathOrUrl) = 0;
    // A line of text the user types in answer to a dialog that stands in
    // for one of the viewer's own; nothing when cancelled. Real dialogs are
    // the viewer's, so only hosts that answer dialogs themselves give one.
    virtual std::optional<std::string> inputText(const std::string& caption, const std::string& label)
    {
        (void)caption;
        (void)label;
        return std::nullopt;
    }
};

// The text of an answer ("OK", "Cancel", "Yes", "No") and back.
const char* answerText(TUiServices::Answer answer);
std::optional<TUiServices::Answer> answerFromText(const std::string& text);

} // namespace orv
