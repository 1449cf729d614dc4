#pragma once

#include "export/PageImageSet.h"
#include "platform/CurrentDirectory.h"

#include <QDialog>

#include <cstdint>
#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QScrollBar;

namespace orv {

class TInterfaceTexts;
class TPageRangeGroup;
class TPagePreview;
class TReport;
class TUiServices;

// The Save As Image dialog: pages of the report as BMP, EMF, GIF, JPEG, PNG
// or TIFF pictures at a chosen size, one picture a page or several pages a
// picture, with a preview of any page. Save writes them (a numbered file a
// picture when there are several, unless they go into one multi-page
// TIFF), shows its progress, and opens the first file when asked. Esc while
// saving asks whether to stop and whether to delete what was written.
class TSaveAsImageDialog : public QDialog, private IImageSetProgress {
public:
    TSaveAsImageDialog(const TReport& report, const TInterfaceTexts& texts, TUiServices& ui,
                       QWidget* parent = nullptr);

    // What Save would write now.
    TImageSetRequest request() const;
    // The files the last Save wrote (and kept).
    const TImageSetResult& saved() const { return m_saved; }

protected:
    // Esc while saving asks to stop instead of closing.
    void reject() override;

private:
    void buildFileControls();
    void buildImageControls();
    void buildRangeGroup();
    void buildPreview();
    void buildBottomRow();

    void typeChosen();
    void qualityTyped();
    void showPage(int pageNumber);
    void showImageSize();
    void chooseFileName();
    void save();
    void openFirstFile();

    ImageFileType type() const;
    double scale() const;
    int32_t fullSize(int32_t pageNumber) const;

    // IImageSetProgress
    void sheetSaved(int32_t done, int32_t total) override;
    bool stopRequested() override;

    const TReport& m_report;
    const TInterfaceTexts& m_texts;
    TUiServices& m_ui;
    TCurrentDirectoryGuard m_directory;
    bool m_saving = false;
    bool m_stop = false;
    bool m_deleteWhenStopped = false;
    TImageSetResult m_saved;

    QLineEdit* m_fileName = nullptr;
    QComboBox* m_type = nullptr;
    QComboBox* m_bitsPerPixel = nullptr;
    QScrollBar* m_qualityScroller = nullptr;
    QLineEdit* m_quality = nullptr;
    QCheckBox* m_grayscale = nullptr;
    QCheckBox* m_multiPageTiff = nullptr;
    QScrollBar* m_sizeScroller = nullptr;
    QLabel* m_sizeLabel = nullptr;
    TPageRangeGroup* m_range = nullptr;
    TPagePreview* m_preview = nullptr;
    QLabel* m_pageLabel = nullptr;
    QScrollBar* m_pageScroller = nullptr;
    QComboBox* m_pagesPerSheet = nullptr;
    QCheckBox* m_open = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_cancel = nullptr;
};

// Where no dialog may block (a host that answers dialogs itself): the file
// is asked for in a save dialog, and the displayed page is saved as the
// dialog saves it unchanged: a JPEG at full size and quality 90, opened
// afterwards. Returns the file written, empty when none was.
std::string saveAsImageWithoutDialog(const TReport& report, TUiServices& ui);

} // namespace orv
