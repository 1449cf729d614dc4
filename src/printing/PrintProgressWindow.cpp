#include "printing/PrintProgressWindow.h"

#include "platform/UiServices.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QProgressBar>
#include <QPushButton>

namespace orv {

TOperationProgressWindow::TOperationProgressWindow(TUiServices& ui, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint),
      m_ui(ui)
{
    setFixedSize(301, 120);
    m_bar = new QProgressBar(this);
    m_bar->setGeometry(16, 24, 269, 20);
    m_cancel = new QPushButton(QString::fromUtf8(kCancelCaption), this);
    m_cancel->setObjectName(QStringLiteral("cmdAbortPrint"));
    m_cancel->setGeometry(88, 72, 125, 27);
    connect(m_cancel, &QPushButton::clicked, this, [this] { confirmCancel(); });
}

void TOperationProgressWindow::start(const std::string& caption, int32_t maximum)
{
    setWindowTitle(QString::fromStdString(caption));
    setResult(0);
    m_bar->setRange(0, maximum);
    m_bar->setValue(0);
    m_cancel->setText(QString::fromUtf8(kCancelCaption));
    show();
}

void TOperationProgressWindow::step()
{
    m_bar->setValue(m_bar->value() + 1);
}

void TOperationProgressWindow::finish()
{
    hide();
}

void TOperationProgressWindow::reject()
{
    confirmCancel();
}

void TOperationProgressWindow::closeEvent(QCloseEvent* event)
{
    if (confirmCancel())
        event->accept();
    else
        event->ignore();
}

// Off top while asking, so that the question is not hidden behind it.
bool TOperationProgressWindow::confirmCancel()
{
    setOnTop(false);
    const bool cancel = m_ui.showMessage(windowTitle().toStdString(), kCancelQuestion, TUiServices::Icon::Question,
                                         TUiServices::Buttons::YesNo) == TUiServices::Answer::Yes;
    if (cancel)
        setResult(kAbortResult);
    else
        setOnTop(true);
    return cancel;
}

// Changing a window's flags hides it; a shown window is shown again.
void TOperationProgressWindow::setOnTop(bool onTop)
{
    const bool shown = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (shown)
        show();
}

TPrintProgressWindow::TPrintProgressWindow(TUiServices& ui, QWidget* parent)
    : m_window(new TOperationProgressWindow(ui, parent))
{
}

TPrintProgressWindow::~TPrintProgressWindow()
{
    delete m_window.data();
}

void TPrintProgressWindow::open(const std::string& caption, int32_t maximum)
{
    m_window->start(caption, maximum);
}

void TPrintProgressWindow::step()
{
    m_window->step();
}

void TPrintProgressWindow::close()
{
    m_window->finish();
}

void TPrintProgressWindow::processMessages()
{
    QCoreApplication::processEvents();
}

bool TPrintProgressWindow::aborted() const
{
    return m_window->cancelRequested();
}

} // namespace orv
