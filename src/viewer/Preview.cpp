#include "viewer/Preview.h"

#include "document/Report.h"
#include "platform/Screen.h"
#include "printing/DialogControls.h"
#include "render/PageRenderer.h"
#include "viewer/FindToolbar.h"
#include "viewer/InterfaceTexts.h"
#include "viewer/PreviewFind.h"
#include "viewer/ViewerActions.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QBitmap>
#include <QComboBox>
#include <QCursor>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace orv {

namespace {

constexpr int32_t kSidePanelScale = -1444;
constexpr int kSidePanelWidth = 140;
// Arrow keys scroll the page by this many pixels.
constexpr int kArrowScroll = 40;

QColor qColourOf(Colour value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

// The standard controls each Display... switch shows at start: all but the
// e-mail button, whose work lives elsewhere, and the printer list, which the
// host asks for.
bool shownAtStart(const QString& name)
{
    return name != "cmdEmail" && name != "cboPrinters" && name != "cmdExit";
}

// The language menu's items, by LanguageIndexID.
constexpr const char* kLanguageItems[][2] = {
    {"LangEnglish", "English"},       {"LangSpanish", "Spanish"},
    {"LangFrench", "French"},         {"LangGerman", "German"},
    {"LangPortuguese", "Portuguese"}, {"LangDutch", "Dutch"},
    {"LangItalian", "Italian"},       {"LangTurkish", "Turkish"},
    {"BrazilianPortuguese1", "Brazilian Portuguese"},
};

// The zoom menu's items after its separator, which take interface texts.
constexpr int kZoomMenuFitInWindow = 12;

const char* const kNavigationControls[] = {"cmdFirstPage", "cmdPriorPage", "txtPagePosition", "cmdNextPage",
                                           "cmdLastPage"};

// Texts of the placement label: inches in general format.
QString inchesText(double value) { return generalNumber(value); }

} // namespace

TPreview::TPreview(TReport& report, TInterfaceTexts& texts, TViewerActions& actions, QWidget* parent)
    : QWidget(parent)
    , m_report(report)
    , m_texts(texts)
    , m_actions(actions)
{
    setObjectName("Preview");
    setFocusPolicy(Qt::StrongFocus);

    auto* outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setChildrenCollapsible(true);
    outer->addWidget(m_splitter);

    m_sidePanel = new QTabWidget(m_splitter);
    m_sidePanel->setObjectName("DiagnosticPanel");
    m_findTraceBox = new QPlainTextEdit(m_sidePanel);
    m_findTraceBox->setObjectName("FindTraceBox");
    m_findTraceBox->setReadOnly(true);
    m_findTraceBox->setMouseTracking(true);
    m_findTraceBox->viewport()->installEventFilter(this);
    m_sidePanel->addTab(m_findTraceBox, "Find");
    m_sidePanel->addTab(new QPlainTextEdit(m_sidePanel), "Notes");
    m_sidePanel->hide();

    auto* main = new QWidget(m_splitter);
    auto* column = new QVBoxLayout(main);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    m_toolbar = new TPreviewToolbar(main);
    m_findDockTop = new QWidget(main);
    m_findDockTop->setObjectName("FindDockTop");
    m_findDockTop->setLayout(new QVBoxLayout);
    m_findDockTop->layout()->setContentsMargins(0, 0, 0, 0);
    m_findDockTop->hide();
    m_area = new TPreviewArea(main);
    m_findDockBottom = new QWidget(main);
    m_findDockBottom->setObjectName("FindDockBottom");
    m_findDockBottom->setLayout(new QVBoxLayout);
    m_findDockBottom->layout()->setContentsMargins(0, 0, 0, 0);
    m_findDockBottom->hide();
    m_statusBar = new QStatusBar(main);
    m_statusBar->hide();
    column->addWidget(m_toolbar);
    column->addWidget(m_findDockTop);
    column->addWidget(m_area, 1);
    column->addWidget(m_findDockBottom);
    column->addWidget(m_statusBar);
    m_splitter->addWidget(m_sidePanel);
    m_splitter->addWidget(main);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->handle(1)->hide();
    connect(m_splitter, &QSplitter::splitterMoved, this, [this] {
        // Dragged shut: the panel keeps the splitter's position as its width.
        if (m_sidePanel->isVisible() && m_splitter->sizes().value(0) == 0)
            m_sidePanel->resize(m_splitter->handle(1)->x(), m_sidePanel->height());
        relayout();
    });

    m_area->setBackground(QColor(128, 128, 128));
    m_area->setPageRenderer([this](QPainter& painter) { paintPage(painter); });
    m_area->setRevisionSource([this] { return m_report.revision(); });
    connect(m_area, &TPreviewArea::resized, this, &TPreview::relayout);
    connect(m_area, &TPreviewArea::released, this, &TPreview::onRelease);
    connect(m_area, &TPreviewArea::bandChanged, this, &TPreview::onBandChanged);
    connect(m_area, &TPreviewArea::doubleClicked, this, [this] { m_actions.doubleClicked(); });
    connect(m_area, &TPreviewArea::zoomWheel, this, [this](int notches) { zoomBy(notches * m_zoomStep); });
    connect(m_area, &TPreviewArea::painted, this, [this] {
        if (m_sidePanel->isVisible())
            m_findTraceBox->setPlainText(QString::fromStdString(m_report.FindTrace));
        m_actions.painted();
    });

    for (auto* child : m_toolbar->findChildren<QWidget*>()) {
        if (!child->objectName().isEmpty()) {
            m_shown[child->objectName()] = shownAtStart(child->objectName());
            child->setVisible(shownAtStart(child->objectName()));
        }
    }

    m_repeatTimer = new QTimer(this);
    m_repeatTimer->setSingleShot(true);
    connect(m_repeatTimer, &QTimer::timeout, this, &TPreview::repeatStep);

    m_find = new TPreviewFind(*this, m_report, m_texts, m_actions);
    buildMenus();
    wireToolbar();
    // Every text of the current language, English at start.
    applyLanguage();
    connect(qApp, &QApplication::focusChanged, this, &TPreview::onFocusChanged);
    qApp->installEventFilter(this);
    relayout();
}

TPreview::~TPreview()
{
    // The children outlive this part of the object while they are torn
    // down; nothing they say may reach it any more.
    qApp->removeEventFilter(this);
    QObject::disconnect(qApp, nullptr, this, nullptr);
    for (QObject* child : findChildren<QObject*>())
        QObject::disconnect(child, nullptr, this, nullptr);
}

// --- zoom ------------------------------------------------------------------------------

int32_t TPreview::zoomPercent() const { return m_report.ZoomPercent; }

TZoomFrame TPreview::zoomFrame() const
{
    TZoomFrame frame;
    frame.area = m_area->size();
    frame.border = m_report.PageBorderSize;
    frame.ppi = screenPixelsPerInch();
    frame.pageWidth = m_report.layoutWidth();
    frame.pageHeight = m_report.layoutHeight();
    return frame;
}

void TPreview::setExplicitZoom(int32_t zoom)
{
    m_explicitZoom = zoom;
    relayout();
}

void TPreview::releaseFitButtons()
{
    for (const char* name : {"cmdActualSize", "cmdFitInWindow", "cmdFitToWidth"})
        m_toolbar->button(name)->setChecked(false);
}

void TPreview::setScale(int32_t value)
{
    if (value > 9) {
        releaseFitButtons();
        setExplicitZoom(value);
    } else if (value == 0) {
        setExplicitZoom(0);
    } else if (value == 1) {
        fitInWindow();
    } else if (value == 2) {
        fitToWidth();
    } else if (value == kSidePanelScale) {
        const bool show = !m_sidePanel->isVisible();
        m_sidePanel->setVisible(show);
        m_splitter->handle(1)->setVisible(show);
        if (show)
            m_splitter->setSizes({kSidePanelWidth, std::max(0, width() - kSidePanelWidth)});
        relayout();
    }
}

void TPreview::setZoomStep(int32_t value) { m_zoomStep = std::max(1, std::min(value, 100)); }

void TPreview::zoomBy(int32_t step)
{
    releaseFitButtons();
    setExplicitZoom(steppedZoom(zoomPercent(), step));
}

void TPreview::fitInWindow()
{
    if (const std::optional<int32_t> zoom = fitInWindowZoom(zoomFrame())) {
        setExplicitZoom(*zoom);
        releaseFitButtons();
        m_toolbar->button("cmdFitInWindow")->setChecked(true);
    }
}

void TPreview::fitToWidth()
{
    setExplicitZoom(fitToWidthZoom(zoomFrame()));
    releaseFitButtons();
    m_toolbar->button("cmdFitToWidth")->setChecked(true);
}

void TPreview::actualSize()
{
    releaseFitButtons();
    m_toolbar->button("cmdActualSize")->setChecked(true);
    setExplicitZoom(100);
}

void TPreview::chooseZoom(int32_t zoom)
{
    if (zoom == m_explicitZoom)
        return;
    releaseFitButtons();
    setExplicitZoom(zoom);
}

// --- layout ------------------------------------------------------------------------------

void TPreview::relayout()
{
    const TZoomFrame frame = zoomFrame();
    m_report.ZoomPercent = m_explicitZoom != 0 ? m_explicitZoom : automaticZoom(frame);
    const TPageObject& page = m_report.page(m_report.viewPageNumber());
    const QSize pageSize = pagePixels(page.Width, page.Height, frame.ppi, m_report.ZoomPercent);
    const TPagePlacement placement = placePage(frame.area, pageSize, frame.border);
    m_area->setPlacement(m_report.viewPageNumber(), m_report.ZoomPercent, placement.page, placement.content);
    refreshToolbar();
}

void TPreview::layoutFollowingClick(QPoint pressPoint, QSize oldPage)
{
    relayout();
    QScrollBar* across = m_area->horizontalScrollBar();
    QScrollBar* down = m_area->verticalScrollBar();
    across->setValue(scrollToKeep(across->maximum(), pressPoint.x(), oldPage.width(), m_report.PageBorderSize));
    down->setValue(scrollToKeep(down->maximum(), pressPoint.y(), oldPage.height(), m_report.PageBorderSize));
}

void TPreview::refreshToolbar()
{
    const int32_t count = m_report.pageCount();
    const int32_t view = m_report.viewPageNumber();
    const bool notFirst = count > 1 && view > 1;
    const bool notLast = count > 1 && view < count;
    m_toolbar->button("cmdFirstPage")->setEnabled(notFirst);
    m_toolbar->button("cmdPriorPage")->setEnabled(notFirst);
    m_toolbar->button("cmdNextPage")->setEnabled(notLast);
    m_toolbar->button("cmdLastPage")->setEnabled(notLast);

    QLineEdit* pageBox = m_toolbar->pageBox();
    if (!pageBox->hasFocus() || !pageBox->isModified())
        pageBox->setText(pageBoxText(view, count));
    pageBox->setFixedWidth(pageBoxWidth(count));
    m_toolbar->zoomBox()->setText(zoomBoxText(zoomPercent()));
    m_toolbar->pageSizeLabel()->setText(pageSizeLabel(m_report.layoutWidth(), m_report.layoutHeight(), m_unit));

    QScrollBar* scroller = m_toolbar->pageScroller();
    {
        // Moving the scroller from here is no navigation of its own.
        const QSignalBlocker quiet(scroller);
        scroller->setRange(1, std::max(1, count));
        scroller->setValue(view);
    }

    const bool building = m_backgroundProcessing;
    for (const char* name : {"cmdSaveToPDF", "cmdSaveAsImage", "cmdPrintReport", "cmdEmail"})
        m_toolbar->button(name)->setEnabled(!building);
    m_toolbar->button("cmdGrid")->setChecked(m_report.ShowGrid);
}

void TPreview::repaintPage() { m_area->pageChanged(); }

void TPreview::followNavigation()
{
    // A page of the same size only repaints; the report asks for a layout
    // itself when the size changes.
    m_area->showPage(m_report.viewPageNumber());
    refreshToolbar();
}

void TPreview::setBackgroundProcessing(bool on)
{
    m_backgroundProcessing = on;
    refreshToolbar();
}

void TPreview::paintPage(QPainter& painter)
{
    TScreenView view;
    view.zoomPercent = m_report.ZoomPercent;
    view.screenPpi = screenPixelsPerInch();
    view.controlSize = m_area->pagePlacement().size();
    view.printerMargins = {m_report.PrinterOffsetLeft.toDouble(), m_report.PrinterOffsetTop.toDouble(),
                           m_report.PrinterMarginRight.toDouble(), m_report.PrinterMarginBottom.toDouble()};
    paintScreenPage(painter, m_report, m_report.viewPageNumber(), view);
}

// --- display settings ------------------------------------------------------------------

QColor TPreview::backgroundColor() const { return m_area->background(); }
void TPreview::setBackgroundColor(const QColor& colour) { m_area->setBackground(colour); }

bool TPreview::controlShown(const char* name) const
{
    auto found = m_shown.find(name);
    return found != m_shown.end() && found->second;
}

// Only the switches show and hide toolbar controls, so a page move never
// searches the toolbar for them.
void TPreview::setControlShown(const char* name, bool shown)
{
    m_shown[name] = shown;
    if (QWidget* control = m_toolbar->findChild<QWidget*>(name))
        control->setVisible(shown);
}

void TPreview::setNavigationShown(bool shown)
{
    for (const char* name : kNavigationControls)
        setControlShown(name, shown);
}

void TPreview::setToolbarShown(bool shown)
{
    m_toolbarShown = shown;
    m_toolbar->setVisible(shown);
    layoutAgain();
}

void TPreview::layoutAgain()
{
    // The area's top follows at once, not at the next event-loop pass.
    if (layout())
        layout()->activate();
    if (QWidget* main = m_toolbar->parentWidget(); main && main->layout())
        main->layout()->activate();
    relayout();
}

void TPreview::setToolbarStyle(int32_t style)
{
    if (style != 0 && style != 1)
        return;
    m_toolbarStyle = style;
    m_toolbar->applyStyle(style);
    m_find->applyStyle(style);
    m_toolbar->button("cmdExit")->hide();
}

void TPreview::setUnitOfMeasure(int32_t unit)
{
    if (unit < 0 || unit > 2)
        return;
    m_unit = TUnitOfMeasure(unit);
    relayout();
}

bool TPreview::statusBarShown() const { return m_statusBar->isVisible(); }
bool TPreview::sidePanelShown() const { return !m_sidePanel->isHidden(); }

void TPreview::setGridButtonPressed(bool pressed) { m_toolbar->button("cmdGrid")->setChecked(pressed); }

void TPreview::applyHints() { m_toolbar->applyHints(m_texts); }

void TPreview::setLanguage(int32_t index)
{
    if (m_texts.switchLanguage(index))
        applyLanguage();
}

void TPreview::applyLanguage()
{
    applyHints();
    const QList<QAction*> zoomItems = m_zoomMenu->actions();
    zoomItems.at(kZoomMenuFitInWindow)->setText(m_texts.hint(HintControl::cmdFitInWindow));
    zoomItems.at(kZoomMenuFitInWindow + 1)->setText(m_texts.hint(HintControl::cmdActualSize));
    zoomItems.at(kZoomMenuFitInWindow + 2)->setText(m_texts.hint(HintControl::cmdFitToWidth));
    zoomItems.at(kZoomMenuFitInWindow + 3)->setText(m_texts.text(TextSlot::strZoom));
    auto pageItem = [this](const char* name) { return m_pageMenu->findChild<QAction*>(name); };
    pageItem("PopupPrintReport")->setText(m_texts.hint(HintControl::cmdPrintReport));
    pageItem("Zoom1")->setText(m_texts.text(TextSlot::strZoom));
    pageItem("FitInWindow2")->setText(m_texts.hint(HintControl::cmdFitInWindow));
    pageItem("ActualSize2")->setText(m_texts.hint(HintControl::cmdActualSize));
    pageItem("FitWidth2")->setText(m_texts.hint(HintControl::cmdFitToWidth));
    pageItem("ShowHideGrid")->setText(m_texts.hint(HintControl::cmdGrid));
    m_find->applyTexts();
}

void TPreview::setPrinters(const std::vector<std::string>& names, int32_t current)
{
    QComboBox* list = m_toolbar->printerList();
    const QSignalBlocker quiet(list);
    list->clear();
    for (const std::string& name : names)
        list->addItem(QString::fromStdString(name));
    list->setCurrentIndex(current);
}

void TPreview::addToolbarButton(const QString& name, const QString& bitmapFile, const QString& hint,
                                int32_t position)
{
    QIcon icon;
    if (!bitmapFile.isEmpty() && QFileInfo(bitmapFile).isFile()) {
        QPixmap bitmap(bitmapFile);
        const QFileInfo file(bitmapFile);
        const QString maskFile = file.path() + "/" + file.completeBaseName() + ".MSK";
        if (!bitmap.isNull() && QFileInfo(maskFile).isFile()) {
            // White is the transparent colour of the mask.
            const QImage mask(maskFile);
            if (!mask.isNull())
                bitmap.setMask(QBitmap::fromImage(mask.scaled(bitmap.size()).createMaskFromColor(
                    qRgb(255, 255, 255), Qt::MaskInColor)));
        }
        if (!bitmap.isNull())
            icon = QIcon(bitmap);
    }
    QToolButton* button = m_toolbar->addCustomButton(name, icon, hint, std::max(position, 1));
    const std::string eventName = name.toStdString();
    connect(button, &QToolButton::clicked, this, [this, eventName] { m_actions.toolbarButtonClicked(eventName); });
}

// --- toolbar ---------------------------------------------------------------------------

void TPreview::wireToolbar()
{
    auto onClick = [this](const char* name, auto action) {
        connect(m_toolbar->button(name), &QToolButton::clicked, this, action);
    };
    onClick("cmdSaveToPDF", [this] { m_actions.saveToPdf(); });
    onClick("cmdSaveAsImage", [this] { m_actions.saveAsImage(); });
    onClick("cmdPrintReport", [this] { m_actions.printReport(); });
    onClick("cmdEmail", [this] { m_actions.emailReport(); });
    onClick("cmdActualSize", [this] { actualSize(); });
    onClick("cmdFitInWindow", [this] { fitInWindow(); });
    onClick("cmdFitToWidth", [this] { fitToWidth(); });
    onClick("cmdZoomIn", [this] { zoomBy(m_zoomStep); });
    onClick("cmdZoomOut", [this] { zoomBy(-m_zoomStep); });
    onClick("cmdZoomPreview", [this] {
        QToolButton* drop = m_toolbar->button("cmdZoomPreview");
        m_zoomMenu->popup(drop->mapToGlobal(QPoint(0, drop->height())));
    });
    onClick("cmdFirstPage", [this] { stopRepeat(); m_report.firstPage(); });
    onClick("cmdLastPage", [this] { stopRepeat(); m_report.lastPage(); });
    // The find button acts on its release, with the keys held then (the
    // preview's event filter sees every release).
    onClick("cmdFind", [this] { m_find->toggled(m_toolbar->button("cmdFind")->isChecked(), m_findButtonModifiers); });
    onClick("cmdGrid", [this] {
        m_report.ShowGrid = !m_report.ShowGrid;
        m_report.contentChanged();
        refreshToolbar();
    });
    onClick("cmdHelp", [this] { m_actions.showHelp(); });
    onClick("cmdNewPage", [this] { m_actions.newPage(); });
    onClick("cmdDeletePage", [this] { m_actions.deletePage(); });
    onClick("cmdAddWordDocument", [this] { m_actions.addDocument(); });

    // Prior and next act at the press and repeat while held.
    connect(m_toolbar->button("cmdPriorPage"), &QToolButton::pressed, this, [this] { startRepeat(-1); });
    connect(m_toolbar->button("cmdNextPage"), &QToolButton::pressed, this, [this] { startRepeat(+1); });
    connect(m_toolbar->button("cmdPriorPage"), &QToolButton::released, this, &TPreview::stopRepeat);
    connect(m_toolbar->button("cmdNextPage"), &QToolButton::released, this, &TPreview::stopRepeat);

    m_toolbar->zoomBox()->installEventFilter(this);
    m_toolbar->pageBox()->installEventFilter(this);
    connect(m_toolbar->pageScroller(), &QScrollBar::valueChanged, this, &TPreview::onPageScrolled);
    connect(m_toolbar->printerList(), &QComboBox::activated, this,
            [this](int index) { m_actions.choosePrinter(index); });
    connect(m_toolbar, &TPreviewToolbar::menuRequested, this, [this](const QPoint& at) {
        refreshToolbarMenuChecks();
        m_toolbarMenu->popup(at);
    });
}

void TPreview::startRepeat(int direction)
{
    m_repeatDirection = direction;
    m_repeatStarted = false;
    if (direction < 0)
        m_report.priorPage();
    else
        m_report.nextPage();
    m_repeatTimer->start(QApplication::doubleClickInterval());
}

void TPreview::repeatStep()
{
    if (m_repeatDirection == 0)
        return;
    m_repeatStarted = true;
    const int32_t before = m_report.viewPageNumber();
    if (m_repeatDirection < 0)
        m_report.priorPage();
    else
        m_report.nextPage();
    if (m_report.viewPageNumber() == before) {
        stopRepeat();
        return;
    }
    // The next step waits only for the events already queued.
    m_repeatTimer->start(0);
}

void TPreview::stopRepeat()
{
    m_repeatDirection = 0;
    m_repeatTimer->stop();
    for (const char* name : {"cmdPriorPage", "cmdNextPage"})
        m_toolbar->button(name)->setDown(false);
}

bool TPreview::repeating() const { return m_repeatDirection != 0; }

void TPreview::onPageScrolled(int position)
{
    if (position >= 1 && position <= m_report.pageCount())
        m_report.gotoPage(position);
}

void TPreview::onZoomBoxEnter()
{
    QLineEdit* box = m_toolbar->zoomBox();
    const int32_t value = leadingNumber(box->text());
    if (value != m_explicitZoom) {
        releaseFitButtons();
        setExplicitZoom(std::max(value, kMinZoom));
    }
    box->setText(zoomBoxText(zoomPercent()));
    box->selectAll();
}

void TPreview::onZoomBoxKey(QKeyEvent* event)
{
    const int32_t value = leadingNumber(m_toolbar->zoomBox()->text());
    const int32_t step = arrowStep(event->modifiers());
    releaseFitButtons();
    setExplicitZoom(event->key() == Qt::Key_Up ? zoomBoxUp(value, step) : zoomBoxDown(value, step));
}

void TPreview::onPageBoxEnter()
{
    QLineEdit* box = m_toolbar->pageBox();
    const int32_t value = leadingNumber(box->text());
    box->setModified(false);
    if (value > m_report.pageCount()) {
        refreshToolbar();
        return;
    }
    box->setText(pageBoxText(m_report.viewPageNumber(), m_report.pageCount()));
    m_report.gotoPage(value);
}

bool TPreview::onPageBoxKey(QKeyEvent* event)
{
    const int32_t step = arrowStep(event->modifiers());
    const int32_t from = m_report.drawPageNumber();
    if (event->key() == Qt::Key_Up)
        m_report.showPage(std::max(from - step, 1));
    else
        m_report.showPage(std::min(from + step, m_report.pageCount()));
    return true;
}

// --- mouse -----------------------------------------------------------------------------

void TPreview::onBandChanged(const QRect& band)
{
    const double pixelsPerInch = screenPixelsPerInch() * zoomPercent() / 100.0;
    m_area->setPlacementLabelText("Place Picture at:\nLeft, Top: " + inchesText(band.left() / pixelsPerInch)
                                  + "in., " + inchesText(band.top() / pixelsPerInch) + "in.\n"
                                  + "Width, Height: " + inchesText(band.width() / pixelsPerInch) + "in., "
                                  + inchesText(band.height() / pixelsPerInch) + "in.");
}

void TPreview::onRelease(const TAreaRelease& release)
{
    if (!release.onPage) {
        if (release.button == Qt::LeftButton)
            m_actions.clicked();
        else if (release.button == Qt::RightButton && m_report.PopupMenuMode >= 0) {
            refreshMenuChecks();
            m_pageMenu->popup(QCursor::pos());
        }
        return;
    }
    const int32_t pageNumber = m_report.viewPageNumber();
    m_actions.pageClicked(pageNumber, static_cast<float>(release.pressPoint.x()),
                          static_cast<float>(release.pressPoint.y()));

    if (release.placementMode >= 0) {
        if (release.band.width() > 3 && release.band.height() > 3) {
            const double pixelsPerInch = screenPixelsPerInch() * zoomPercent() / 100.0;
            const QRectF inches(release.band.left() / pixelsPerInch, release.band.top() / pixelsPerInch,
                                release.band.width() / pixelsPerInch, release.band.height() / pixelsPerInch);
            m_actions.placeClipboardPicture(inches, release.placementMode);
        }
        return;
    }
    if (release.button == Qt::RightButton) {
        if (m_report.PopupMenuMode >= 0) {
            refreshMenuChecks();
            m_pageMenu->popup(QCursor::pos());
        }
        return;
    }
    if (release.button != Qt::LeftButton || release.pageMoved || release.releasePoint != release.pressPoint)
        return;

    const QSize oldPage = m_area->pagePlacement().size();
    const QSize area = m_area->viewport()->size();
    if (oldPage.width() > area.width() || oldPage.height() > area.height()) {
        m_rememberedZoom = zoomPercent();
        if (const std::optional<int32_t> zoom = fitInWindowZoom(zoomFrame())) {
            m_explicitZoom = *zoom;
            releaseFitButtons();
            m_toolbar->button("cmdFitInWindow")->setChecked(true);
        }
    } else if (m_rememberedZoom != 0) {
        m_explicitZoom = m_rememberedZoom;
        releaseFitButtons();
    } else {
        m_explicitZoom = 100;
        m_rememberedZoom = 100;
        releaseFitButtons();
    }
    layoutFollowingClick(release.pressPoint, oldPage);
    m_actions.beforePagePrint(m_toolbar->pageScroller()->value());
}

// --- menus -----------------------------------------------------------------------------

void TPreview::buildMenus()
{
    m_pageMenu = new QMenu(this);
    m_pageMenu->setObjectName("PopupMenu");
    m_pageMenu->addAction(m_texts.hint(HintControl::cmdPrintReport), this, [this] { m_actions.printReport(); })
        ->setObjectName("PopupPrintReport");
    m_pageMenu->addSeparator();
    m_pageMenu->addAction(m_texts.text(TextSlot::strZoom), this, [this] { setScale(0); })->setObjectName("Zoom1");
    for (int32_t zoom : {100, 125, 200, 400, 75, 50, 25, 10})
        m_pageMenu->addAction(QString::number(zoom) + "%", this, [this, zoom] { chooseZoom(zoom); });
    m_pageMenu->addSeparator();
    m_pageMenu->addAction("Fit In Window", this, [this] { fitInWindow(); })->setObjectName("FitInWindow2");
    m_pageMenu->addAction("Actual Size", this, [this] { actualSize(); })->setObjectName("ActualSize2");
    m_pageMenu->addAction("Fit Width", this, [this] { fitToWidth(); })->setObjectName("FitWidth2");
    m_pageMenu->addSeparator();
    m_menuToolbar = m_pageMenu->addAction("Show/Hide Toolbar", this, [this] { setToolbarShown(!m_toolbarShown); });
    m_menuToolbar->setCheckable(true);
    m_menuGrid = m_pageMenu->addAction("Show/Hide Grid", this, [this] {
        m_report.ShowGrid = !m_report.ShowGrid;
        m_report.contentChanged();
        refreshToolbar();
    });
    m_menuGrid->setObjectName("ShowHideGrid");
    m_menuGrid->setCheckable(true);
    m_menuMargins = m_pageMenu->addAction("Display Printer Margins", this, [this] {
        m_report.ShowPrinterMargins = !m_report.ShowPrinterMargins;
        relayout();
        repaintPage();
    });
    m_menuMargins->setCheckable(true);
    m_pageMenu->addSeparator();
    m_pageMenu->addAction("Copy Page To Clipboard", this, [this] { m_actions.copyViewPage(); });
    m_pageMenu->addSeparator();
    m_pageMenu->addAction("About Orv Report Engine", this, [this] { m_actions.showAbout(); });
    connect(m_pageMenu, &QMenu::aboutToShow, this, &TPreview::refreshMenuChecks);

    m_zoomMenu = new QMenu(this);
    m_zoomMenu->setObjectName("ZoomPopupMenu");
    for (int32_t zoom : {1600, 800, 400, 200, 150, 125, 100, 75, 50, 25})
        m_zoomMenu->addAction(QString::number(zoom) + "%", this, [this, zoom] { chooseZoom(zoom); });
    m_zoomMenu->addAction("12.5%", this, [this] { chooseZoom(12); });
    m_zoomMenu->addSeparator();
    m_zoomMenu->addAction(m_texts.hint(HintControl::cmdFitInWindow), this, [this] { fitInWindow(); });
    m_zoomMenu->addAction(m_texts.hint(HintControl::cmdActualSize), this, [this] { actualSize(); });
    m_zoomMenu->addAction("Fit Width", this, [this] { fitToWidth(); });
    m_zoomMenu->addAction(m_texts.text(TextSlot::strZoom), this, [this] { setScale(0); });

    m_toolbarMenu = new QMenu(this);
    m_toolbarMenu->setObjectName("ToolbarPopupMenu");
    auto* styles = new QActionGroup(m_toolbarMenu);
    for (int32_t style : {0, 1}) {
        QAction* entry = m_toolbarMenu->addAction(style == 0 ? "Classic Toolbar" : "XP Toolbar", this,
                                                  [this, style] { setToolbarStyle(style); });
        entry->setCheckable(true);
        styles->addAction(entry);
        m_styleActions.push_back(entry);
    }
    m_toolbarMenu->addSeparator();
    QMenu* languages = m_toolbarMenu->addMenu("Language");
    languages->setObjectName("LanguageMenu");
    auto* languageGroup = new QActionGroup(languages);
    for (const auto& [name, caption] : kLanguageItems) {
        const auto index = static_cast<int32_t>(m_languageActions.size());
        QAction* entry = languages->addAction(caption, this, [this, index] { setLanguage(index); });
        entry->setObjectName(name);
        entry->setCheckable(true);
        languageGroup->addAction(entry);
        m_languageActions.push_back(entry);
    }
    QMenu* units = m_toolbarMenu->addMenu("Unit Of Measure");
    units->setObjectName("UnitMenu");
    auto* unitGroup = new QActionGroup(units);
    int32_t unit = 0;
    for (const char* name : {"Inches", "Centimeters", "Millimeters"}) {
        QAction* entry = units->addAction(name, this, [this, unit] { setUnitOfMeasure(unit); });
        entry->setCheckable(true);
        unitGroup->addAction(entry);
        m_unitActions.push_back(entry);
        ++unit;
    }
    m_toolbarMenu->addSeparator();
    m_showTipsAction = m_toolbarMenu->addAction("Show Tips");
    m_showTipsAction->setObjectName("ShowTips");
    m_showTipsAction->setCheckable(true);
    m_showTipsAction->setChecked(true);
    connect(m_toolbarMenu, &QMenu::aboutToShow, this, &TPreview::refreshToolbarMenuChecks);
}

void TPreview::refreshMenuChecks()
{
    m_menuToolbar->setChecked(m_toolbarShown);
    m_menuGrid->setChecked(m_report.ShowGrid);
    m_menuMargins->setChecked(m_report.ShowPrinterMargins);
}

void TPreview::refreshToolbarMenuChecks()
{
    for (size_t i = 0; i < m_styleActions.size(); ++i)
        m_styleActions[i]->setChecked(int32_t(i) == m_toolbarStyle);
    for (size_t i = 0; i < m_unitActions.size(); ++i)
        m_unitActions[i]->setChecked(int32_t(i) == int32_t(m_unit));
    for (size_t i = 0; i < m_languageActions.size(); ++i)
        m_languageActions[i]->setChecked(int32_t(i) == m_texts.languageIndex());
}

// --- keyboard, focus and events --------------------------------------------------------

void TPreview::scrollBy(int dx, int dy)
{
    m_area->horizontalScrollBar()->setValue(m_area->horizontalScrollBar()->value() + dx);
    m_area->verticalScrollBar()->setValue(m_area->verticalScrollBar()->value() + dy);
}

void TPreview::keyPressEvent(QKeyEvent* event)
{
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_PageUp:
        m_report.priorPage();
        break;
    case Qt::Key_PageDown:
        m_report.nextPage();
        break;
    case Qt::Key_Home:
        m_report.firstPage();
        break;
    case Qt::Key_End:
        m_report.lastPage();
        break;
    case Qt::Key_Left:
        scrollBy(-kArrowScroll, 0);
        break;
    case Qt::Key_Right:
        scrollBy(kArrowScroll, 0);
        break;
    case Qt::Key_Up:
        scrollBy(0, -kArrowScroll);
        break;
    case Qt::Key_Down:
        scrollBy(0, kArrowScroll);
        break;
    case Qt::Key_Equal:
    case Qt::Key_Plus:
        if (!ctrl)
            return QWidget::keyPressEvent(event);
        zoomBy(m_zoomStep);
        break;
    case Qt::Key_Minus:
        if (!ctrl)
            return QWidget::keyPressEvent(event);
        zoomBy(-m_zoomStep);
        break;
    case Qt::Key_0:
        if (!ctrl)
            return QWidget::keyPressEvent(event);
        actualSize();
        break;
    case Qt::Key_P:
        if (!ctrl)
            return QWidget::keyPressEvent(event);
        m_actions.printReport();
        break;
    case Qt::Key_F:
        if (!ctrl)
            return QWidget::keyPressEvent(event);
        m_find->open();
        break;
    case Qt::Key_F3:
        if (!m_find->toolbarOpen())
            return QWidget::keyPressEvent(event);
        m_find->searchFromToolbar(event->modifiers() & Qt::ShiftModifier);
        break;
    case Qt::Key_Escape:
        if (!m_find->toolbarOpen())
            return QWidget::keyPressEvent(event);
        m_find->close();
        break;
    default:
        return QWidget::keyPressEvent(event);
    }
    event->accept();
}

bool TPreview::filterCharacterKey(QObject* watched, QKeyEvent* event)
{
    // Character keys reach the host first; it may change or swallow them.
    if (m_redeliveringKey || event->text().isEmpty() || event->text().at(0).unicode() > 0xFF
        || (event->modifiers() & Qt::ControlModifier))
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || (widget != this && !isAncestorOf(widget)))
        return false;
    const char16_t original = event->text().at(0).unicode();
    int16_t key = static_cast<int16_t>(original);
    m_actions.keyPressed(key);
    const auto replaced = static_cast<char16_t>(static_cast<uint8_t>(key & 0xFF));
    if (replaced == original)
        return false;
    if (replaced != 0) {
        QKeyEvent again(QEvent::KeyPress, 0, event->modifiers(), QString(QChar(replaced)));
        m_redeliveringKey = true;
        QApplication::sendEvent(watched, &again);
        m_redeliveringKey = false;
    }
    return true;
}

bool TPreview::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && filterCharacterKey(watched, static_cast<QKeyEvent*>(event)))
        return true;
    if (watched == m_findTraceBox->viewport()) {
        if (event->type() == QEvent::MouseMove)
            m_findTraceBox->setPlainText(QString::fromStdString(m_report.FindTrace));
        else if (event->type() == QEvent::MouseButtonDblClick) {
            m_report.FindTrace.clear();
            m_findTraceBox->clear();
            return true;
        }
        return false;
    }
    if (watched == m_toolbar->button("cmdFind") && event->type() == QEvent::MouseButtonRelease)
        m_findButtonModifiers = static_cast<QMouseEvent*>(event)->modifiers();
    QLineEdit* zoomBox = m_toolbar->zoomBox();
    QLineEdit* pageBox = m_toolbar->pageBox();
    if (watched == zoomBox && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            onZoomBoxEnter();
            return true;
        }
        if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
            onZoomBoxKey(key);
            return true;
        }
    }
    if (watched == pageBox) {
        switch (event->type()) {
        case QEvent::KeyPress: {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                onPageBoxEnter();
                return true;
            }
            if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)
                return onPageBoxKey(key);
            break;
        }
        case QEvent::FocusIn:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            // The whole text is selected, whatever the click did.
            QTimer::singleShot(0, pageBox, &QLineEdit::selectAll);
            break;
        case QEvent::FocusOut:
            if (leadingNumber(pageBox->text()) != m_report.viewPageNumber() && pageBox->isModified())
                onPageBoxEnter();
            break;
        default:
            break;
        }
    }
    return false;
}

void TPreview::onFocusChanged(QWidget* old, QWidget* now)
{
    const bool wasInside = old && (old == this || isAncestorOf(old));
    const bool isInside = now && (now == this || isAncestorOf(now));
    if (isInside && !wasInside && !m_active) {
        m_active = true;
        m_actions.activated();
    } else if (wasInside && !isInside && m_active) {
        m_active = false;
        m_actions.deactivated();
    }
}

} // namespace orv
