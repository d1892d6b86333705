#include "viewer/win32/dialogs/viewer_dialogs.h"

#include "viewer/win32/dialogs/folder_dlg.h"
#include "viewer/win32/dialogs/option_dialogs.h"

bool Win32ViewerDialogs::RunCustomZoom(float& scale) {
    CZoomDlg dialog(messages_);
    dialog.m_fScale = scale;
    if (runner_.Run(dialog, owner_) != IDOK) return false;
    scale = dialog.m_fScale;
    return true;
}

void Win32ViewerDialogs::RunQuickHelp() {
    CQuickHelpDlg dialog;
    runner_.Run(dialog, owner_);
}

void Win32ViewerDialogs::RunAbout() {
    CAboutDlg dialog;
    runner_.Run(dialog, owner_);
}

bool Win32ViewerDialogs::RunNavBar(int& showNavBar, int& corner) {
    CNavBarDlg dialog;
    dialog.m_bShowNavBar = showNavBar;
    dialog.m_nCorner = corner;
    if (runner_.Run(dialog, owner_) != IDOK) return false;
    showNavBar = dialog.m_bShowNavBar;
    corner = dialog.m_nCorner;
    return true;
}

bool Win32ViewerDialogs::RunTransitions(int& mode, float& pageInterval, float& transInterval) {
    CTransitionsDlg dialog(messages_);
    dialog.m_nMode = mode;
    dialog.m_fPageInterval = pageInterval;
    dialog.m_fTransInterval = transInterval;
    if (runner_.Run(dialog, owner_) != IDOK) return false;
    mode = dialog.m_nMode;
    pageInterval = dialog.m_fPageInterval;
    transInterval = dialog.m_fTransInterval;
    return true;
}

bool Win32ViewerDialogs::RunFolder(const FolderServices& services, const std::string& title,
                                   const std::string& initialPath, std::string& result) {
    CFolderDlg dialog(services);
    dialog.m_strTitle = title;
    dialog.m_strInitialPath = initialPath;
    if (runner_.Run(dialog, owner_) != IDOK) return false;
    result = dialog.m_strResult;
    return true;
}
