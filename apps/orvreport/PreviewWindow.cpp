#include "PreviewWindow.h"

#include <orvreport/TORVREP.h>

#include <QApplication>
#include <QImageWriter>
#include <QPixmap>

#include <regex>

namespace orv {

namespace {

constexpr int kLargestSide = 16384;

} // namespace

TPreviewWindow::TPreviewWindow(TORVREP& control, QSize size)
{
    setWindowTitle(control.windowTitle().isEmpty() ? QStringLiteral("Orv Report Engine") : control.windowTitle());
    setCentralWidget(&control);
    control.show();
    resize(size);
}

TPreviewWindow::~TPreviewWindow()
{
    // The control belongs to the script host, not to the window.
    if (QWidget* control = takeCentralWidget())
        control->setParent(nullptr);
}

bool TPreviewWindow::grab(const std::string& pngPath, std::ostream& err)
{
    show();
    // Two passes: the first settles the layouts, the second paints.
    for (int pass = 0; pass < 2; ++pass)
        QApplication::processEvents();
    const QPixmap picture = centralWidget()->grab();
    QImageWriter writer(QString::fromStdString(pngPath), "png");
    if (!writer.write(picture.toImage())) {
        err << "orvreport: " << pngPath << ": " << writer.errorString().toStdString() << "\n";
        return false;
    }
    return true;
}

std::optional<QSize> parseWindowSize(const std::string& text)
{
    static const std::regex pattern("([0-9]{1,5})x([0-9]{1,5})");
    std::smatch match;
    if (!std::regex_match(text, match, pattern))
        return std::nullopt;
    const int width = std::stoi(match[1]);
    const int height = std::stoi(match[2]);
    if (width < 1 || height < 1 || width > kLargestSide || height > kLargestSide)
        return std::nullopt;
    return QSize(width, height);
}

} // namespace orv
