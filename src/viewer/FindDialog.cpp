#include "viewer/FindDialog.h"

#include "viewer/InterfaceTexts.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace orv {

TFindTextForm::TFindTextForm(const TInterfaceTexts& texts, QWidget* parent)
    : QDialog(parent)
{
    setObjectName("TFindTextForm");
    setModal(true);
    setWindowTitle(texts.text(TextSlot::strFindTitle));

    auto* grid = new QGridLayout(this);
    auto* label = new QLabel(texts.text(TextSlot::strFind) + QLatin1Char(':'), this);
    label->setObjectName("lblFind");
    m_text = new QLineEdit(this);
    m_text->setObjectName("txtFind");
    m_text->setMinimumWidth(220);
    label->setBuddy(m_text);
    m_caseSensitive = new QCheckBox(texts.text(TextSlot::strCaseSensitive), this);
    m_caseSensitive->setObjectName("chkCaseSensitive");
    auto* findAll = new QCheckBox(texts.text(TextSlot::strMarkAll), this);
    findAll->setObjectName("chkFindAll");
    findAll->setChecked(true);

    m_find = new QPushButton(texts.text(TextSlot::strFind), this);
    m_find->setObjectName("cmdFind");
    m_find->setDefault(true);
    m_find->setEnabled(false);
    auto* cancel = new QPushButton(texts.text(TextSlot::strCancel), this);
    cancel->setObjectName("cmdCancel");
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_find);
    buttons->addWidget(cancel);
    buttons->addStretch(1);

    grid->addWidget(label, 0, 0);
    grid->addWidget(m_text, 0, 1);
    grid->addWidget(m_caseSensitive, 1, 1);
    grid->addWidget(findAll, 2, 1);
    grid->addLayout(buttons, 0, 2, 3, 1);

    connect(m_text, &QLineEdit::textChanged, this, [this](const QString& text) { m_find->setEnabled(!text.isEmpty()); });
    connect(m_find, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

QString TFindTextForm::text() const { return m_text->text(); }
bool TFindTextForm::caseSensitive() const { return m_caseSensitive->isChecked(); }

} // namespace orv
