#pragma once

namespace orv {

// What the report tells whoever shows it. The document never includes the
// viewer; the control implements this and forwards to its preview.
class IReportObserver {
public:
    virtual ~IReportObserver() = default;
    // The layout size changed: lay the preview out again (and repaint).
    virtual void reportLayoutChanged() = 0;
    // The content or a display setting changed: repaint the visible pages.
    virtual void reportContentChanged() = 0;
    // Page count or view page changed: refresh the navigation controls.
    virtual void reportNavigationChanged() = 0;
    // Background processing was switched on or off: the save, print, PDF and
    // e-mail buttons follow it.
    virtual void reportBackgroundChanged(bool on) = 0;
};

} // namespace orv
