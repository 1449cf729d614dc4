#pragma once

#include <QMainWindow>
#include <QSize>

#include <optional>
#include <ostream>
#include <string>

namespace orv {

class TORVREP;

// The script host's desktop window: the control as its only content. The
// window borrows the control; closing it leaves the control to its owner.
class TPreviewWindow : public QMainWindow {
public:
    static constexpr QSize kDefaultSize{1000, 800};

    TPreviewWindow(TORVREP& control, QSize size);
    ~TPreviewWindow() override;

    // Lays the window out as it would be shown, then writes a picture of the
    // whole control, toolbar included, to a PNG file. False, with the
    // reason on err, when the file cannot be written.
    bool grab(const std::string& pngPath, std::ostream& err);
};

// "800x600" as a size; nothing for anything else or sizes outside 1..16384.
std::optional<QSize> parseWindowSize(const std::string& text);

} // namespace orv
