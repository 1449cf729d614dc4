#pragma once

#include "platform/UiServices.h"

class QWidget;

namespace orv {

// Real dialogs: QMessageBox, QFileDialog and QDesktopServices, owned by the
// given window. The current directory is kept across every dialog.
class TQtUiServices : public TUiServices {
public:
    explicit TQtUiServices(QWidget* owner = nullptr) : m_owner(owner) {}
    void setOwner(QWidget* owner) { m_owner = owner; }

    Answer showMessage(const std::string& caption, const std::string& text, Icon icon, Buttons buttons) override;
    std::optional<std::string> openFileName(const std::string& caption, const std::string& filter,
                                            const std::string& directory) override;
    std::optional<std::string> saveFileName(const std::string& caption, const std::string& filter,
                                            const std::string& suggestedName) override;
    bool openDocument(const std::string& pathOrUrl) override;

private:
    QWidget* m_owner;
};

} // namespace orv
