#include "viewer/PdfProgressWindow.h"

#include "printing/PrintProgressWindow.h"

#include <QGuiApplication>

namespace orv {

TPdfProgressWindow::TPdfProgressWindow(TUiServices& ui, QWidget* parent)
    : m_window(new TOperationProgressWindow(ui, parent))
{
}

TPdfProgressWindow::~TPdfProgressWindow()
{
    restoreCursor();
    delete m_window.data();
}

void TPdfProgressWindow::start(int32_t pageCount)
{
    if (m_window)
        m_window->start(kCaption, pageCount);
    if (!m_busyCursor)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    m_busyCursor = true;
}

void TPdfProgressWindow::advance(int32_t pages)
{
    for (int32_t i = 0; m_window && i < pages; ++i)
        m_window->step();
}

bool TPdfProgressWindow::cancelled()
{
    return m_window && m_window->cancelRequested();
}

void TPdfProgressWindow::finish()
{
    if (m_window)
        m_window->finish();
    restoreCursor();
}

void TPdfProgressWindow::restoreCursor()
{
    if (m_busyCursor)
        QGuiApplication::restoreOverrideCursor();
    m_busyCursor = false;
}

} // namespace orv
