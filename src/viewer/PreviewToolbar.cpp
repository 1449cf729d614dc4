#include "viewer/PreviewToolbar.h"

#include "viewer/ToolbarIcons.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QToolButton>

#include <algorithm>

namespace orv {

namespace {

constexpr int kButtonSize = 24;

} // namespace

TPreviewToolbar::TPreviewToolbar(QWidget* parent)
    : QWidget(parent)
{
    setObjectName("tbrPreview");
    setFixedHeight(kHeight);
    // Buttons that do not fit are cut off at the right; the toolbar never
    // makes the control wider.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    setAutoFillBackground(true);
    m_row = new QHBoxLayout(this);
    m_row->setContentsMargins(2, 1, 2, 1);
    m_row->setSpacing(1);

    addButton("cmdSaveToPDF");
    addButton("cmdSaveAsImage");
    addButton("cmdPrintReport");
    addButton("cmdEmail");
    addSeparator();
    addButton("cmdActualSize", true);
    addButton("cmdFitInWindow", true);
    addButton("cmdFitToWidth", true);
    addButton("cmdZoomIn");
    addButton("cmdZoomOut");
    m_zoomBox = new QLineEdit(this);
    m_zoomBox->setObjectName("txtScale");
    m_zoomBox->setFixedSize(52, 22);
    m_row->addWidget(m_zoomBox);
    addButton("cmdZoomPreview")->setFixedWidth(14);
    addSeparator();
    addButton("cmdFirstPage");
    addButton("cmdPriorPage");
    m_pageBox = new QLineEdit(this);
    m_pageBox->setObjectName("txtPagePosition");
    m_pageBox->setFixedSize(60, 22);
    m_pageBox->setAlignment(Qt::AlignCenter);
    m_row->addWidget(m_pageBox);
    addButton("cmdNextPage");
    addButton("cmdLastPage");
    m_pageScroller = new QScrollBar(Qt::Horizontal, this);
    m_pageScroller->setObjectName("PagePosScrollbar");
    m_pageScroller->setFixedSize(100, 18);
    m_pageScroller->setRange(1, 1);
    m_pageScroller->setPageStep(1);
    m_row->addWidget(m_pageScroller);
    m_pageSizeLabel = new QLabel(this);
    m_pageSizeLabel->setObjectName("txtPageSize");
    m_pageSizeLabel->setFrameShape(QFrame::StyledPanel);
    m_row->addWidget(m_pageSizeLabel);
    addSeparator();
    addButton("cmdFind", true);
    addButton("cmdGrid", true);
    addButton("cmdNewPage");
    addButton("cmdDeletePage");
    addButton("cmdAddWordDocument");
    m_printerList = new QComboBox(this);
    m_printerList->setObjectName("cboPrinters");
    m_printerList->setMinimumWidth(140);
    m_printerList->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_row->addWidget(m_printerList);
    addButton("cmdHelp");
    addButton("cmdExit")->hide();
    m_row->addStretch(1);
    applyStyle(1);
}

QToolButton* TPreviewToolbar::addButton(const char* name, bool checkable)
{
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setAutoRaise(true);
    button->setCheckable(checkable);
    button->setFixedSize(kButtonSize, kButtonSize);
    button->setIconSize(QSize(16, 16));
    button->setFocusPolicy(Qt::NoFocus);
    m_row->addWidget(button);
    m_buttons[name] = button;
    return button;
}

void TPreviewToolbar::addSeparator()
{
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setFixedWidth(6);
    m_row->addWidget(line);
}

QToolButton* TPreviewToolbar::button(const char* name) const
{
    auto found = m_buttons.find(name);
    return found == m_buttons.end() ? nullptr : found->second;
}

void TPreviewToolbar::applyHints(const TInterfaceTexts& texts)
{
    for (int i = 0; i < kHintControlCount; ++i) {
        const auto control = HintControl(i);
        if (QWidget* widget = findChild<QWidget*>(TInterfaceTexts::controlName(control)))
            widget->setToolTip(texts.hint(control));
    }
}

void TPreviewToolbar::applyStyle(int32_t toolbarStyle)
{
    for (auto& [name, button] : m_buttons)
        button->setIcon(toolbarIcon(name, toolbarStyle, *style()));
}

QToolButton* TPreviewToolbar::addCustomButton(const QString& name, const QIcon& icon, const QString& hint,
                                              int32_t position)
{
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setAutoRaise(true);
    button->setFixedSize(kButtonSize, kButtonSize);
    button->setIconSize(QSize(16, 16));
    button->setFocusPolicy(Qt::NoFocus);
    button->setIcon(icon);
    button->setToolTip(hint);
    if (icon.isNull())
        button->setText(name);

    // After the position-th visible button, counting from the left.
    int index = 0;
    if (position >= 2) {
        int visibleButtons = 0;
        for (int i = 0; i < m_row->count(); ++i) {
            QWidget* widget = m_row->itemAt(i)->widget();
            if (!widget || widget->isHidden() || !qobject_cast<QToolButton*>(widget))
                continue;
            ++visibleButtons;
            index = i + 1;
            if (visibleButtons >= position)
                break;
        }
    }
    m_row->insertWidget(index, button);
    button->show();
    m_custom.push_back(button);
    return button;
}

void TPreviewToolbar::contextMenuEvent(QContextMenuEvent* event)
{
    emit menuRequested(event->globalPos());
    event->accept();
}

} // namespace orv
