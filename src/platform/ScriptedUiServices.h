#pragma once

#include "platform/UiServices.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace orv {

// Answers dialogs from a queue instead of showing them. An empty queue
// answers a message box with its first button (OK or Yes) and cancels a file
// dialog. Every dialog is recorded, and reported to an optional listener.
class TScriptedUiServices : public TUiServices {
public:
    struct Shown {
        std::string kind; // "message", "open", "save", "document", "input"
        std::string caption;
        std::string text;
    };

    // Queues the answer for the next dialog: "OK", "Cancel", "Yes", "No", or a
    // file name for a file dialog.
    void queueAnswer(const std::string& answer) { m_answers.push_back(answer); }
    const std::vector<Shown>& shown() const { return m_shown; }
    void setListener(std::function<void(const Shown&)> listener) { m_listener = std::move(listener); }

    Answer showMessage(const std::string& caption, const std::string& text, Icon icon, Buttons buttons) override;
    std::optional<std::string> openFileName(const std::string& caption, const std::string& filter,
                                            const std::string& directory) override;
    std::optional<std::string> saveFileName(const std::string& caption, const std::string& filter,
                                            const std::string& suggestedName) override;
    bool openDocument(const std::string& pathOrUrl) override;
    // The next queued answer is the typed text; "Cancel" or none cancels.
    std::optional<std::string> inputText(const std::string& caption, const std::string& label) override;

private:
    std::optional<std::string> nextAnswer();
    void record(Shown shown);
    std::optional<std::string> typedAnswer();

    std::deque<std::string> m_answers;
    std::vector<Shown> m_shown;
    std::function<void(const Shown&)> m_listener;
};

} // namespace orv
