#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace orv {

class TInterfaceTexts;

// The find dialog (TFindTextForm) that Find opens for an empty string: a
// text box, "Case Sensitive" (unchecked) and "Mark All" (checked, without
// effect), Find and Cancel. Its words are read from the interface texts
// when it opens. Find is enabled only while the box holds text; it accepts
// the dialog, Cancel rejects it.
class TFindTextForm : public QDialog {
    Q_OBJECT

public:
    explicit TFindTextForm(const TInterfaceTexts& texts, QWidget* parent = nullptr);

    QString text() const;
    bool caseSensitive() const;

private:
    QLineEdit* m_text = nullptr;
    QCheckBox* m_caseSensitive = nullptr;
    QPushButton* m_find = nullptr;
};

} // namespace orv
