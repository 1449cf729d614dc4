#include "platform/QtUiServices.h"

#include "platform/CurrentDirectory.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>

namespace orv {

namespace {

QString fromUtf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

TUiServices::Answer TQtUiServices::showMessage(const std::string& caption, const std::string& text, Icon icon,
                                               Buttons buttons)
{
    TCurrentDirectoryGuard guard;
    QMessageBox box(m_owner);
    box.setWindowTitle(fromUtf8(caption));
    // Messages separate lines with carriage returns.
    box.setText(fromUtf8(text).replace(QLatin1Char('\r'), QLatin1Char('\n')));
    switch (icon) {
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Icon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icon::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    case Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    }
    switch (buttons) {
    case Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case Buttons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        return Answer::Ok;
    }
}

std::optional<std::string> TQtUiServices::openFileName(const std::string& caption, const std::string& filter,
                                                       const std::string& directory)
{
    TCurrentDirectoryGuard guard;
    QString name = QFileDialog::getOpenFileName(m_owner, fromUtf8(caption), fromUtf8(directory), fromUtf8(filter));
    if (name.isEmpty())
        return std::nullopt;
    return name.toStdString();
}

std::optional<std::string> TQtUiServices::saveFileName(const std::string& caption, const std::string& filter,
                                                       const std::string& suggestedName)
{
    TCurrentDirectoryGuard guard;
    QString name = QFileDialog::getSaveFileName(m_owner, fromUtf8(caption), fromUtf8(suggestedName), fromUtf8(filter));
    if (name.isEmpty())
        return std::nullopt;
    return name.toStdString();
}

bool TQtUiServices::openDocument(const std::string& pathOrUrl)
{
    QString target = fromUtf8(pathOrUrl);
    QUrl url = QFileInfo::exists(target) ? QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath())
                                         : QUrl::fromUserInput(target);
    return QDesktopServices::openUrl(url);
}

} // namespace orv
