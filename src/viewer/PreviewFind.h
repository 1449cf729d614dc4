#pragma once

#include <QObject>

#include <cstdint>
#include <string>

namespace orv {

class TFindToolbar;
class TInterfaceTexts;
class TPreview;
class TReport;
struct TReportObject;
class TViewerActions;

// Find in the preview: the find toolbar docked below or above the page
// area, searches that bring their hit into view and show its page, and the
// highlighting of the search box's text as the user types.
class TPreviewFind : public QObject {
    Q_OBJECT

public:
    TPreviewFind(TPreview& preview, TReport& report, TInterfaceTexts& texts, TViewerActions& actions);

    TFindToolbar* toolbar() const { return m_toolbar; }
    bool toolbarOpen() const;

    // DisplayFindToolbar: 0 hides the toolbar, 1 docks it at the bottom, 2 at
    // the top (shown, the search box focused); other values change nothing.
    void setDisplay(int32_t value);
    // The main toolbar's find button, released in state `down` with these
    // keys held: Shift clears the marks first, Ctrl docks at the top.
    void toggled(bool down, Qt::KeyboardModifiers modifiers);
    // The close button: hidden, no current hit, nothing highlighted.
    void close();
    // Ctrl+F in the preview: the toolbar opens where it was docked (or
    // stays open) with the find button pressed and the search box's text
    // selected for typing over.
    void open();
    // One search step, as the host's Find and the dialog start it. Throws
    // when the current hit's page no longer exists.
    void search(const std::string& text, bool matchCase, bool backwards);
    // FindClear: every mark removed, the view repainted.
    void clearMarks();
    // After a language switch: captions anew and the preview laid out.
    void applyTexts();
    void applyStyle(int32_t toolbarStyle);
    // F3 and Shift+F3 anywhere in the preview while the toolbar is open.
    void searchFromToolbar(bool backwards);

private:
    void show(bool top);
    void hide();
    void onSearchTextChanged();
    void onHighlightClicked(Qt::KeyboardModifiers modifiers);
    void bringIntoView(const TReportObject& hit);

    TPreview& m_preview;
    TReport& m_report;
    TInterfaceTexts& m_texts;
    TViewerActions& m_actions;
    TFindToolbar* m_toolbar = nullptr;
};

} // namespace orv
