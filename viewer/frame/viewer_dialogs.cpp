#include "viewer/frame/viewer_dialogs.h"

#include "gui_common/modal_runner.h"
#include "viewer/frame/option_dialogs.h"

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
