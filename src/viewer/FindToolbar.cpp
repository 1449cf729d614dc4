#include "viewer/FindToolbar.h"

#include "viewer/InterfaceTexts.h"
#include "viewer/ToolbarIcons.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QToolButton>

namespace orv {

namespace {

bool isEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

} // namespace

TFindToolbar::TFindToolbar(QWidget* parent)
    : QWidget(parent)
{
    setObjectName("tbrFind");
    setAutoFillBackground(true);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(2, 1, 2, 1);
    row->setSpacing(4);

    m_close = addButton("tbFindClose", false);
    m_close->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_label = new QLabel(this);
    m_label->setObjectName("lblFind");
    row->addWidget(m_label);
    m_searchBox = new QLineEdit(this);
    m_searchBox->setObjectName("edtFind");
    m_searchBox->setFixedWidth(kSearchBoxWidth);
    m_searchBox->installEventFilter(this);
    row->addWidget(m_searchBox);
    m_next = addButton("tbFindNext", false);
    m_previous = addButton("tbFindPrevious", false);
    m_highlight = addButton("tbFindHighlightOnOff", true);
    m_highlight->installEventFilter(this);
    m_matchCase = new QCheckBox(this);
    m_matchCase->setObjectName("chkMatchCase");
    m_matchCase->setFocusPolicy(Qt::NoFocus);
    row->addWidget(m_matchCase);
    row->addStretch(1);

    for (QToolButton* button : {m_next, m_previous, m_highlight})
        button->setEnabled(false);

    connect(m_close, &QToolButton::clicked, this, &TFindToolbar::closeRequested);
    connect(m_next, &QToolButton::clicked, this, &TFindToolbar::nextRequested);
    connect(m_previous, &QToolButton::clicked, this, &TFindToolbar::previousRequested);
    connect(m_highlight, &QToolButton::clicked, this, [this] { emit highlightClicked(m_releaseModifiers); });
    connect(m_searchBox, &QLineEdit::textChanged, this, [this] {
        enableButtons();
        emit searchTextChanged();
    });
    connect(m_matchCase, &QCheckBox::toggled, this, &TFindToolbar::searchTextChanged);
    applyStyle(1);
}

QToolButton* TFindToolbar::addButton(const char* name, bool checkable)
{
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setAutoRaise(true);
    button->setCheckable(checkable);
    button->setFocusPolicy(Qt::NoFocus);
    button->setIconSize(QSize(16, 16));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    layout()->addWidget(button);
    return button;
}

QString TFindToolbar::text() const { return m_searchBox->text(); }
bool TFindToolbar::matchCase() const { return m_matchCase->isChecked(); }
bool TFindToolbar::highlightPressed() const { return m_highlight->isChecked(); }

void TFindToolbar::applyTexts(const TInterfaceTexts& texts)
{
    m_next->setText(texts.text(TextSlot::strFindNext));
    m_previous->setText(texts.text(TextSlot::strFindPrevious));
    m_highlight->setText(texts.text(TextSlot::strHighlight));
    m_highlight->setToolTip(texts.text(TextSlot::strHighlight));
    m_label->setText(texts.text(TextSlot::strFind) + QStringLiteral(": "));
    m_matchCase->setText(texts.text(TextSlot::strMatchCase));
    m_matchCase->setToolTip(texts.text(TextSlot::strMatchCase));
    // The label is measured anew for the language's words.
    m_label->adjustSize();
    m_label->updateGeometry();
}

void TFindToolbar::applyStyle(int32_t toolbarStyle)
{
    for (QToolButton* button : {m_close, m_next, m_previous})
        button->setIcon(toolbarIcon(button->objectName(), toolbarStyle, *style()));
    QIcon highlight = toolbarIcon("tbFindHighlightOnOff", toolbarStyle, *style());
    const QIcon pressed = toolbarIcon("tbFindHighlightOnOff:pressed", toolbarStyle, *style());
    highlight.addPixmap(pressed.pixmap(16), QIcon::Normal, QIcon::On);
    m_highlight->setIcon(highlight);
}

void TFindToolbar::enableButtons()
{
    const bool hasText = !m_searchBox->text().isEmpty();
    for (QToolButton* button : {m_next, m_previous, m_highlight})
        button->setEnabled(hasText);
}

bool TFindToolbar::handleSearchKey(const QKeyEvent& key)
{
    const bool ctrl = key.modifiers() & Qt::ControlModifier;
    const bool shift = key.modifiers() & Qt::ShiftModifier;
    if (isEnter(key.key()) && ctrl) {
        // Only the button's state: the highlighting itself follows its click.
        m_highlight->setChecked(!m_highlight->isChecked());
    } else if (isEnter(key.key()) || (ctrl && key.key() == Qt::Key_F) || (key.key() == Qt::Key_F3 && !shift)) {
        emit nextRequested();
    } else if ((ctrl && key.key() == Qt::Key_G) || (key.key() == Qt::Key_F3 && shift)) {
        emit previousRequested();
    } else if (key.key() == Qt::Key_Escape) {
        emit closeRequested();
    } else {
        return false;
    }
    return true;
}

bool TFindToolbar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_searchBox && event->type() == QEvent::KeyPress)
        return handleSearchKey(*static_cast<QKeyEvent*>(event));
    if (watched == m_highlight && event->type() == QEvent::MouseButtonRelease)
        m_releaseModifiers = static_cast<QMouseEvent*>(event)->modifiers();
    return QWidget::eventFilter(watched, event);
}

} // namespace orv
