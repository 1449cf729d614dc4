#pragma once

#include "printing/PrintJob.h"

#include <QDialog>
#include <QPointer>

#include <cstdint>
#include <string>

class QProgressBar;
class QPushButton;

namespace orv {

class TUiServices;

// The window a long operation (printing, saving to PDF) shows while it
// runs: a progress bar and a button that asks whether to cancel. It stays
// on top of other windows, except while it asks. A confirmed request to
// cancel is recorded as the result kAbortResult, which the operation polls
// between units of work; it stays recorded until the next start().
class TOperationProgressWindow : public QDialog {
public:
    static constexpr int kAbortResult = 3;
    static constexpr const char* kCancelCaption = "Cancel Printing";
    static constexpr const char* kCancelQuestion = "Cancel Printing?";

    explicit TOperationProgressWindow(TUiServices& ui, QWidget* parent = nullptr);

    // Shows the window, modeless, with its bar at 0 of `maximum`.
    void start(const std::string& caption, int32_t maximum);
    void step();
    // Hides the window without asking.
    void finish();
    bool cancelRequested() const { return result() == kAbortResult; }

protected:
    // Esc asks, as the button does.
    void reject() override;
    // Closing from the window manager asks too, and closes only on Yes.
    void closeEvent(QCloseEvent* event) override;

private:
    bool confirmCancel();
    void setOnTop(bool onTop);

    TUiServices& m_ui;
    QProgressBar* m_bar;
    QPushButton* m_cancel;
};

// The print job's progress window.
class TPrintProgressWindow : public IPrintJobProgress {
public:
    explicit TPrintProgressWindow(TUiServices& ui, QWidget* parent = nullptr);
    ~TPrintProgressWindow() override;
    TPrintProgressWindow(const TPrintProgressWindow&) = delete;
    TPrintProgressWindow& operator=(const TPrintProgressWindow&) = delete;

    void open(const std::string& caption, int32_t maximum) override;
    void step() override;
    void close() override;
    void processMessages() override;
    bool aborted() const override;

    TOperationProgressWindow& window() { return *m_window; }

private:
    // The host's window may be destroyed first and take the window along.
    QPointer<TOperationProgressWindow> m_window;
};

} // namespace orv
