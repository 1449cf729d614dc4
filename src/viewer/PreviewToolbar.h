#pragma once

#include "viewer/InterfaceTexts.h"

#include <QWidget>

#include <cstdint>
#include <map>
#include <vector>

class QComboBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QScrollBar;
class QToolButton;

namespace orv {

// The preview's toolbar: images only, one control per job, each named by its
// form name ("cmdZoomIn", "txtScale") and carrying its hint as tooltip. The
// toolbar only builds and shows the controls; the preview wires them.
class TPreviewToolbar : public QWidget {
    Q_OBJECT

public:
    static constexpr int kHeight = 26;

    explicit TPreviewToolbar(QWidget* parent = nullptr);

    QToolButton* button(const char* name) const;
    QLineEdit* pageBox() const { return m_pageBox; }
    QLineEdit* zoomBox() const { return m_zoomBox; }
    QScrollBar* pageScroller() const { return m_pageScroller; }
    QLabel* pageSizeLabel() const { return m_pageSizeLabel; }
    QComboBox* printerList() const { return m_printerList; }

    // Tooltips from the interface texts.
    void applyHints(const TInterfaceTexts& texts);
    // The image set of the standard buttons: 0 classic, 1 theme icons.
    void applyStyle(int32_t toolbarStyle);

    // A host button: shown, with its hint, after the position-th visible
    // button (at the left edge for 1 or less).
    QToolButton* addCustomButton(const QString& name, const QIcon& icon, const QString& hint, int32_t position);
    const std::vector<QToolButton*>& customButtons() const { return m_custom; }

signals:
    // The right button on the toolbar (its menu).
    void menuRequested(const QPoint& globalPosition);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QToolButton* addButton(const char* name, bool checkable = false);
    void addSeparator();

    QHBoxLayout* m_row = nullptr;
    std::map<QString, QToolButton*> m_buttons;
    QLineEdit* m_pageBox = nullptr;
    QLineEdit* m_zoomBox = nullptr;
    QScrollBar* m_pageScroller = nullptr;
    QLabel* m_pageSizeLabel = nullptr;
    QComboBox* m_printerList = nullptr;
    std::vector<QToolButton*> m_custom;
};

} // namespace orv
