#pragma once

#include <QGroupBox>

#include <cstdint>

class QLineEdit;
class QRadioButton;

namespace orv {

// The page range box of the export dialogs: every page, the page in the
// dialog's preview, or the pages typed into From and To (editable only while
// that choice is made). What the typed numbers mean is the dialog's call.
class TPageRangeGroup : public QGroupBox {
public:
    enum class Choice { All, CurrentPage, TypedPages };

    TPageRangeGroup(const QString& title, int32_t pageCount, QWidget* parent);

    Choice choice() const;
    void choose(Choice choice);
    int32_t typedFrom() const;
    int32_t typedTo() const;

private:
    void followChoice();

    QRadioButton* m_all = nullptr;
    QRadioButton* m_currentPage = nullptr;
    QRadioButton* m_pagesFrom = nullptr;
    QLineEdit* m_fromPage = nullptr;
    QLineEdit* m_toPage = nullptr;
};

} // namespace orv
