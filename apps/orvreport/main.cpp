// orvreport: runs a report script against one control of the engine.

#include "DemoImages.h"
#include "PreviewWindow.h"
#include "ReportSummary.h"
#include "ScriptHost.h"

#include <QApplication>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage =
    "usage: orvreport run SCRIPT [--events] [--preview [--grab FILE.png] [--size WxH]]\n"
    "       orvreport demo [--events] [--preview [--grab FILE.png] [--size WxH]]\n"
    "  --events   print every event the control fires\n"
    "  --preview  show the control in a window after the script, until it is closed\n"
    "  --grab     write a picture of the control in that window to FILE.png and exit\n"
    "  --size     the window's size in pixels (default 1000x800)\n";

struct CommandLine {
    std::string scriptPath; // empty for the demo until it is found
    bool demo = false;
    bool events = false;
    bool preview = false;
    std::string grabPath; // empty: show the window until it is closed
    QSize windowSize = orv::TPreviewWindow::kDefaultSize;
};

std::optional<CommandLine> parseCommandLine(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    CommandLine line;
    size_t options = 1;
    if (args.size() >= 2 && args[0] == "run" && !args[1].starts_with("--")) {
        line.scriptPath = args[1];
        options = 2;
    } else if (!args.empty() && args[0] == "demo") {
        line.demo = true;
    } else {
        return std::nullopt;
    }
    for (size_t i = options; i < args.size(); ++i) {
        if (args[i] == "--events")
            line.events = true;
        else if (args[i] == "--preview")
            line.preview = true;
        else if (args[i] == "--grab" && i + 1 < args.size())
            line.grabPath = args[++i];
        else if (args[i] == "--size" && i + 1 < args.size()) {
            const std::optional<QSize> size = orv::parseWindowSize(args[++i]);
            if (!size)
                return std::nullopt;
            line.windowSize = *size;
        } else
            return std::nullopt;
    }
    // A picture or a size is only for the window.
    if ((!line.grabPath.empty() || line.windowSize != orv::TPreviewWindow::kDefaultSize) && !line.preview)
        return std::nullopt;
    return line;
}

// The demo as checked out beside the current directory, in the source tree,
// or installed.
std::optional<std::string> findDemoScript()
{
    for (const char* directory : {"examples", ORV_EXAMPLES_DIR, ORV_INSTALLED_EXAMPLES_DIR}) {
        const std::filesystem::path path = std::filesystem::path(directory) / "demo.orv";
        if (std::filesystem::is_regular_file(path))
            return path.string();
    }
    return std::nullopt;
}

// The script's text in one piece of its own size: a long script is read
// without a copy growing beside it.
std::optional<std::string> readScript(const std::string& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return std::nullopt;
    const auto size = std::filesystem::file_size(path, error);
    std::ifstream in(path, std::ios::binary);
    if (error || !in)
        return std::nullopt;
    std::string text(size, '\0');
    if (!in.read(text.data(), static_cast<std::streamsize>(size)))
        return std::nullopt;
    return text;
}

bool isSet(const char* variable)
{
    const char* value = std::getenv(variable);
    return value && *value;
}

// Without a display Qt runs on its offscreen platform, unless the user chose one.
void chooseQtPlatform()
{
    if (!isSet("DISPLAY") && !isSet("WAYLAND_DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
}

} // namespace

int main(int argc, char** argv)
{
    std::optional<CommandLine> line = parseCommandLine(argc, argv);
    if (!line) {
        std::cerr << kUsage;
        return orv::ExitBadInput;
    }
    if (line->demo) {
        std::optional<std::string> demo = findDemoScript();
        if (!demo) {
            std::cerr << "orvreport: cannot find examples/demo.orv\n";
            return orv::ExitBadInput;
        }
        line->scriptPath = *demo;
    }
    const std::optional<std::string> source = readScript(line->scriptPath);
    if (!source) {
        std::cerr << "orvreport: " << line->scriptPath << ": cannot read the script\n";
        return orv::ExitBadInput;
    }

    chooseQtPlatform();
    QApplication app(argc, argv);
    if (line->preview && line->grabPath.empty() && QGuiApplication::platformName() == "offscreen") {
        std::cerr << "orvreport: --preview needs a display\n";
        return orv::ExitBadInput;
    }

    orv::TScriptHost host(std::cout, std::cerr, {line->events});
    const orv::ExitStatus status = host.run(line->scriptPath, *source);
    if (status == orv::ExitBadInput)
        return status;
    orv::ExitStatus result = status;
    if (line->demo) {
        orv::printReportSummary(host.control()->report(), std::cout);
        if (!orv::writePageImages(*host.control(), "out", std::cout, std::cerr))
            result = orv::ExitFailed;
    }
    if (line->preview) {
        orv::TPreviewWindow window(*host.control(), line->windowSize);
        if (!line->grabPath.empty())
            return window.grab(line->grabPath, std::cerr) ? result : orv::ExitFailed;
        window.show();
        app.exec();
    }
    return result;
}
