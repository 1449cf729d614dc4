#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>

namespace orv::dialogtest {

// A dialog's control found by its name; a missing one fails the test.
template <typename Widget>
Widget& control(const QWidget& dialog, const char* name)
{
    Widget* widget = dialog.findChild<Widget*>(QLatin1String(name));
    if (!widget)
        throw std::runtime_error(std::string("no control ") + name);
    return *widget;
}

// Runs `answer` on the modal dialog that `action` opens, once it is up.
inline void answerModalDialog(const std::function<void()>& action, const std::function<void(QDialog&)>& answer)
{
    bool answered = false;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            answer(*dialog);
            answered = true;
        }
    });
    action();
    EXPECT_TRUE(answered) << "no modal dialog opened";
}

} // namespace orv::dialogtest
