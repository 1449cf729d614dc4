#pragma once

#include <QRectF>

#include <cstdint>
#include <string>

namespace orv {

// What the preview asks of the control that embeds it: the work behind its
// toolbar buttons and menu entries, and the events it reports to the host.
// The preview knows the report but not the control's interface, so every
// such call goes through here.
class TViewerActions {
public:
    virtual ~TViewerActions() = default;

    // Toolbar buttons and popup entries.
    virtual void saveToPdf() = 0;
    virtual void saveAsImage() = 0;
    virtual void printReport() = 0;
    virtual void emailReport() = 0;
    virtual void addDocument() = 0;
    virtual void newPage() = 0;
    virtual void deletePage() = 0;
    virtual void showHelp() = 0;
    virtual void copyViewPage() = 0;
    virtual void showAbout() = 0;
    // The printer list chose printer `index` of the installed printers.
    virtual void choosePrinter(int32_t index) = 0;
    // The clipboard's picture dropped onto the view page at `inches`.
    virtual void placeClipboardPicture(const QRectF& inches, int32_t imageScaling) = 0;
    // Something the user started failed; no host call waits for it.
    virtual void tellFailure(const std::string& message) = 0;

    // Events for the host.
    virtual void pageClicked(int32_t pageNumber, float x, float y) = 0;
    virtual void beforePagePrint(int32_t pageNumber) = 0;
    virtual void clicked() = 0;
    virtual void doubleClicked() = 0;
    // The host may replace the key; 0 swallows it.
    virtual void keyPressed(int16_t& key) = 0;
    virtual void painted() = 0;
    virtual void activated() = 0;
    virtual void deactivated() = 0;
    virtual void toolbarButtonClicked(const std::string& name) = 0;
};

} // namespace orv
