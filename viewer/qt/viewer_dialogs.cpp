#include "viewer/qt/viewer_dialogs.h"

#include "gui_common/modal_runner.h"
#include "viewer/qt/option_dialogs.h"

bool ViewerDialogs::RunCustomZoom(float& scale) {
    CZoomDlg dialog(messages_, owner_);
    dialog.m_fScale = scale;
    dialog.OnInitDialog();
    if (runner_.Run(dialog) != QDialog::Accepted) return false;
    scale = dialog.m_fScale;
    return true;
}

void ViewerDialogs::RunQuickHelp() {
    CQuickHelpDlg dialog(owner_);
    runner_.Run(dialog);
}

void ViewerDialogs::RunAbout() {
    CAboutDlg dialog(owner_);
    runner_.Run(dialog);
}

bool ViewerDialogs::RunNavBar(int& showNavBar, int& corner) {
    CNavBarDlg dialog(owner_);
    dialog.m_bShowNavBar = showNavBar;
    dialog.m_nCorner = corner;
    dialog.OnInitDialog();
    if (runner_.Run(dialog) != QDialog::Accepted) return false;
    showNavBar = dialog.m_bShowNavBar;
    corner = dialog.m_nCorner;
    return true;
}

bool ViewerDialogs::RunTransitions(int& mode, float& pageInterval, float& transInterval) {
    CTransitionsDlg dialog(messages_, owner_);
    dialog.m_nMode = mode;
    dialog.m_fPageInterval = pageInterval;
    dialog.m_fTransInterval = transInterval;
    dialog.OnInitDialog();
    if (runner_.Run(dialog) != QDialog::Accepted) return false;
    mode = dialog.m_nMode;
    pageInterval = dialog.m_fPageInterval;
    transInterval = dialog.m_fTransInterval;
    return true;
}
