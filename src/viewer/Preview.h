#pragma once

#include "viewer/PreviewArea.h"
#include "viewer/PreviewToolbar.h"
#include "viewer/ViewerGeometry.h"

#include <QWidget>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

class QMenu;
class QAction;
class QSplitter;
class QStatusBar;
class QTabWidget;
class QPlainTextEdit;
class QTimer;

namespace orv {

class TReport;
class TInterfaceTexts;
class TViewerActions;
class TPreviewFind;

// The preview: toolbar, scrolling area with the view page, the popup menus,
// the hidden status bar and the diagnostic side panel. It reads the report
// afresh at every layout and paint and changes it only through the report's
// own operations (navigation, display settings) or the control's actions.
class TPreview : public QWidget {
    Q_OBJECT

public:
    TPreview(TReport& report, TInterfaceTexts& texts, TViewerActions& actions, QWidget* parent = nullptr);
    ~TPreview() override;

    // --- zoom
    int32_t zoomPercent() const;
    // Scale: >9 explicit zoom, 0 automatic, 1 fit in window, 2 fit to width,
    // -1444 the side panel; anything else does nothing.
    void setScale(int32_t value);
    int32_t zoomStep() const { return m_zoomStep; }
    void setZoomStep(int32_t value);
    void zoomBy(int32_t step);
    void fitInWindow();
    void fitToWidth();
    void actualSize();
    // A zoom chosen from a menu: no layout when it is already the zoom.
    void chooseZoom(int32_t zoom);
    int32_t explicitZoom() const { return m_explicitZoom; }

    // --- layout and painting
    void relayout();
    // Settles the widgets' own layout first (a toolbar or dock shown or
    // hidden moves the area at once), then lays the page out.
    void layoutAgain();
    void refreshToolbar();
    // The page's content or a display setting changed.
    void repaintPage();
    // The view page or the page count changed.
    void followNavigation();
    // The save, print, PDF and e-mail buttons follow background building.
    void setBackgroundProcessing(bool on);

    // --- display settings the preview holds
    QColor backgroundColor() const;
    void setBackgroundColor(const QColor& colour);
    // A toolbar control's Display... switch, by form name.
    bool controlShown(const char* name) const;
    void setControlShown(const char* name, bool shown);
    // The navigation buttons and the page box together.
    void setNavigationShown(bool shown);
    bool toolbarShown() const { return m_toolbarShown; }
    void setToolbarShown(bool shown);
    int32_t toolbarStyle() const { return m_toolbarStyle; }
    void setToolbarStyle(int32_t style);
    TUnitOfMeasure unitOfMeasure() const { return m_unit; }
    void setUnitOfMeasure(int32_t unit);
    bool statusBarShown() const;
    bool sidePanelShown() const;
    void setGridButtonPressed(bool pressed);
    void applyHints();
    // LanguageIndexID: switches the interface texts to language 0..8 and
    // shows them in tooltips, menus and the find toolbar; other values
    // change nothing.
    void setLanguage(int32_t index);
    // The printer list: installed printer names and the current one.
    void setPrinters(const std::vector<std::string>& names, int32_t current);

    // A host button; its click fires OnToolbarButtonClick with its name.
    void addToolbarButton(const QString& name, const QString& bitmapFile, const QString& hint, int32_t position);

    // --- parts, for the control, tests and benchmarks
    TPreviewToolbar* toolbar() const { return m_toolbar; }
    TPreviewArea* area() const { return m_area; }
    TPreviewFind& find() const { return *m_find; }
    QMenu* pageMenu() const { return m_pageMenu; }
    QMenu* zoomMenu() const { return m_zoomMenu; }
    QMenu* toolbarMenu() const { return m_toolbarMenu; }
    // Where the find toolbar docks: above or below the scrolling area.
    QWidget* findDock(bool top) const { return top ? m_findDockTop : m_findDockBottom; }
    // The prior or next button's repetition while it is held.
    bool repeating() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    TZoomFrame zoomFrame() const;
    void setExplicitZoom(int32_t zoom);
    void releaseFitButtons();
    void paintPage(QPainter& painter);
    void layoutFollowingClick(QPoint pressPoint, QSize oldPage);

    void buildMenus();
    void wireToolbar();
    void refreshMenuChecks();
    void refreshToolbarMenuChecks();
    // The interface texts into the tooltips, the menus and the find toolbar.
    void applyLanguage();

    void onRelease(const TAreaRelease& release);
    void onBandChanged(const QRect& band);
    void onZoomBoxKey(QKeyEvent* event);
    void onZoomBoxEnter();
    bool onPageBoxKey(QKeyEvent* event);
    void onPageBoxEnter();
    void onPageScrolled(int position);
    void startRepeat(int direction);
    void stopRepeat();
    void repeatStep();
    void onFocusChanged(QWidget* old, QWidget* now);
    bool filterCharacterKey(QObject* watched, QKeyEvent* event);
    void scrollBy(int dx, int dy);

    TReport& m_report;
    TInterfaceTexts& m_texts;
    TViewerActions& m_actions;

    TPreviewToolbar* m_toolbar = nullptr;
    TPreviewArea* m_area = nullptr;
    TPreviewFind* m_find = nullptr;
    // The keys held when the find button was last released.
    Qt::KeyboardModifiers m_findButtonModifiers;
    QWidget* m_findDockTop = nullptr;
    QWidget* m_findDockBottom = nullptr;
    QSplitter* m_splitter = nullptr;
    QTabWidget* m_sidePanel = nullptr;
    QPlainTextEdit* m_findTraceBox = nullptr;
    QStatusBar* m_statusBar = nullptr;
    QMenu* m_pageMenu = nullptr;
    QMenu* m_zoomMenu = nullptr;
    QMenu* m_toolbarMenu = nullptr;
    QAction* m_menuToolbar = nullptr;
    QAction* m_menuGrid = nullptr;
    QAction* m_menuMargins = nullptr;
    std::vector<QAction*> m_styleActions;
    std::vector<QAction*> m_unitActions;
    std::vector<QAction*> m_languageActions;
    QAction* m_showTipsAction = nullptr;

    int32_t m_explicitZoom = 0;
    int32_t m_zoomStep = 5;
    int32_t m_rememberedZoom = 0;
    TUnitOfMeasure m_unit = TUnitOfMeasure::Inches;
    int32_t m_toolbarStyle = 1;
    bool m_toolbarShown = true;
    bool m_backgroundProcessing = false;
    std::map<QString, bool> m_shown; // the Display... switches by form name

    // The prior (-1) or next (+1) button held down.
    int m_repeatDirection = 0;
    QTimer* m_repeatTimer = nullptr;
    bool m_repeatStarted = false;
    // A key being delivered again after the host changed it.
    bool m_redeliveringKey = false;
    bool m_active = false;
};

} // namespace orv
