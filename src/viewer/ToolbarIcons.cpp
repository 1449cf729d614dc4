#include "viewer/ToolbarIcons.h"

#include <QFileInfo>
#include <QStyle>

namespace orv {

namespace {

struct IconEntry {
    const char* control;
    QStyle::StandardPixmap classic;
    const char* themeFile; // under the theme's 16x16 folder
};

constexpr IconEntry kIcons[] = {
    {"cmdSaveToPDF", QStyle::SP_DialogSaveButton, "actions/document-save-symbolic.symbolic.png"},
    {"cmdSaveAsImage", QStyle::SP_FileIcon, "mimetypes/image-x-generic-symbolic.symbolic.png"},
    {"cmdPrintReport", QStyle::SP_ComputerIcon, "actions/document-print-symbolic.symbolic.png"},
    {"cmdEmail", QStyle::SP_MessageBoxInformation, "actions/mail-send-symbolic.symbolic.png"},
    {"cmdActualSize", QStyle::SP_TitleBarNormalButton, "actions/zoom-original-symbolic.symbolic.png"},
    {"cmdFitInWindow", QStyle::SP_TitleBarMaxButton, "actions/zoom-fit-best-symbolic.symbolic.png"},
    {"cmdFitToWidth", QStyle::SP_ToolBarHorizontalExtensionButton,
     "actions/object-flip-horizontal-symbolic.symbolic.png"},
    {"cmdZoomIn", QStyle::SP_ArrowUp, "actions/zoom-in-symbolic.symbolic.png"},
    {"cmdZoomOut", QStyle::SP_ArrowDown, "actions/zoom-out-symbolic.symbolic.png"},
    {"cmdZoomPreview", QStyle::SP_TitleBarUnshadeButton, "ui/pan-down-symbolic.symbolic.png"},
    {"cmdFirstPage", QStyle::SP_MediaSkipBackward, "actions/go-first-symbolic.symbolic.png"},
    {"cmdPriorPage", QStyle::SP_ArrowLeft, "actions/go-previous-symbolic.symbolic.png"},
    {"cmdNextPage", QStyle::SP_ArrowRight, "actions/go-next-symbolic.symbolic.png"},
    {"cmdLastPage", QStyle::SP_MediaSkipForward, "actions/go-last-symbolic.symbolic.png"},
    {"cmdFind", QStyle::SP_FileDialogContentsView, "actions/edit-find-symbolic.symbolic.png"},
    {"cmdGrid", QStyle::SP_FileDialogListView, "actions/view-grid-symbolic.symbolic.png"},
    {"cmdHelp", QStyle::SP_DialogHelpButton, "legacy/help-browser-symbolic.symbolic.png"},
    {"cmdNewPage", QStyle::SP_FileDialogNewFolder, "actions/document-new-symbolic.symbolic.png"},
    {"cmdDeletePage", QStyle::SP_TrashIcon, "actions/edit-delete-symbolic.symbolic.png"},
    {"cmdAddWordDocument", QStyle::SP_DialogOpenButton, "mimetypes/x-office-document-symbolic.symbolic.png"},
    {"cmdExit", QStyle::SP_DialogCloseButton, "actions/application-exit-symbolic.symbolic.png"},
    // The find toolbar; its highlight button shows one image released and
    // another pressed.
    {"tbFindClose", QStyle::SP_DialogCloseButton, "ui/window-close-symbolic.symbolic.png"},
    {"tbFindNext", QStyle::SP_ArrowDown, "actions/go-down-symbolic.symbolic.png"},
    {"tbFindPrevious", QStyle::SP_ArrowUp, "actions/go-up-symbolic.symbolic.png"},
    {"tbFindHighlightOnOff", QStyle::SP_DialogNoButton, "actions/edit-select-symbolic.symbolic.png"},
    {"tbFindHighlightOnOff:pressed", QStyle::SP_DialogYesButton, "actions/edit-select-all-symbolic.symbolic.png"},
};

constexpr const char* kThemeFolder = "/usr/share/icons/Adwaita/16x16/";

} // namespace

QIcon toolbarIcon(const QString& controlName, int32_t toolbarStyle, const QStyle& style)
{
    for (const IconEntry& entry : kIcons) {
        if (controlName != QLatin1String(entry.control))
            continue;
        if (toolbarStyle == 1) {
            const QString file = QString::fromLatin1(kThemeFolder) + QLatin1String(entry.themeFile);
            if (QFileInfo::exists(file))
                return QIcon(file);
        }
        return style.standardIcon(entry.classic);
    }
    return QIcon();
}

} // namespace orv
