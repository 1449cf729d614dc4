#pragma once

#include <QWidget>

#include <cstdint>

class QCheckBox;
class QLabel;
class QLineEdit;
class QToolButton;

namespace orv {

class TInterfaceTexts;

// The find toolbar (tbrFind): close button, label, search box, next and
// previous buttons, the highlight toggle and the match-case box. It turns
// the user's keys and clicks into requests; the preview runs the search.
//
// Keys in the search box: Enter asks for the next hit, Ctrl+Enter toggles
// the highlight button's pressed state alone, Ctrl+F and F3 act as the next
// button, Ctrl+G and Shift+F3 as the previous one, Escape as the close
// button. Other keys type into the box.
class TFindToolbar : public QWidget {
    Q_OBJECT

public:
    static constexpr int kSearchBoxWidth = 195;

    explicit TFindToolbar(QWidget* parent = nullptr);

    QLineEdit* searchBox() const { return m_searchBox; }
    QLabel* label() const { return m_label; }
    QToolButton* closeButton() const { return m_close; }
    QToolButton* nextButton() const { return m_next; }
    QToolButton* previousButton() const { return m_previous; }
    QToolButton* highlightButton() const { return m_highlight; }
    QCheckBox* matchCaseBox() const { return m_matchCase; }

    QString text() const;
    bool matchCase() const;
    bool highlightPressed() const;

    // Captions, label and tooltip from the interface texts.
    void applyTexts(const TInterfaceTexts& texts);
    // The image sets of the main toolbar: 0 classic, 1 theme icons.
    void applyStyle(int32_t toolbarStyle);

signals:
    void nextRequested();
    void previousRequested();
    void closeRequested();
    // The highlight button was released by the mouse, with these keys held.
    void highlightClicked(Qt::KeyboardModifiers modifiers);
    // The search box's text or the match-case box changed.
    void searchTextChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QToolButton* addButton(const char* name, bool checkable);
    bool handleSearchKey(const QKeyEvent& key);
    void enableButtons();

    QToolButton* m_close = nullptr;
    QLabel* m_label = nullptr;
    QLineEdit* m_searchBox = nullptr;
    QToolButton* m_next = nullptr;
    QToolButton* m_previous = nullptr;
    QToolButton* m_highlight = nullptr;
    QCheckBox* m_matchCase = nullptr;
    // The keys held when the highlight button was last released.
    Qt::KeyboardModifiers m_releaseModifiers;
};

} // namespace orv
