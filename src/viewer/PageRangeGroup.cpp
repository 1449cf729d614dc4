#include "viewer/PageRangeGroup.h"

#include "printing/DialogControls.h"

#include <QLineEdit>
#include <QRadioButton>

namespace orv {

TPageRangeGroup::TPageRangeGroup(const QString& title, int32_t pageCount, QWidget* parent) : QGroupBox(title, parent)
{
    m_all = addControl<QRadioButton>(this, "rbAll", QRect(10, 20, 60, 20), QStringLiteral("All"));
    m_currentPage =
        addControl<QRadioButton>(this, "rbCurrentPage", QRect(76, 20, 120, 20), QStringLiteral("Current Page"));
    m_pagesFrom = addControl<QRadioButton>(this, "rbPagesFrom", QRect(10, 42, 100, 20), QStringLiteral("Pages From: "));
    m_fromPage = addControl<QLineEdit>(this, "txtFromPage", QRect(110, 40, 50, 22));
    addLabel(QStringLiteral("To:"), this, QRect(168, 43, 22, 16));
    m_toPage = addControl<QLineEdit>(this, "txtToPage", QRect(192, 40, 50, 22));
    m_fromPage->setText(QStringLiteral("1"));
    m_toPage->setText(QString::number(pageCount));
    for (QRadioButton* button : {m_all, m_currentPage, m_pagesFrom})
        connect(button, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                followChoice();
        });
}

TPageRangeGroup::Choice TPageRangeGroup::choice() const
{
    if (m_currentPage->isChecked())
        return Choice::CurrentPage;
    return m_pagesFrom->isChecked() ? Choice::TypedPages : Choice::All;
}

void TPageRangeGroup::choose(Choice choice)
{
    QRadioButton* button = choice == Choice::All ? m_all : choice == Choice::CurrentPage ? m_currentPage : m_pagesFrom;
    button->setChecked(true);
}

int32_t TPageRangeGroup::typedFrom() const
{
    return leadingNumber(m_fromPage->text());
}

int32_t TPageRangeGroup::typedTo() const
{
    return leadingNumber(m_toPage->text());
}

void TPageRangeGroup::followChoice()
{
    m_fromPage->setEnabled(m_pagesFrom->isChecked());
    m_toPage->setEnabled(m_pagesFrom->isChecked());
}

} // namespace orv
