#include "viewer/win32/dialogs/option_dialogs.h"

#include "gui_common/dialog_numbers.h"
#include "platform/messages.h"
#include "viewer/app/text_tools.h"
#include "viewer/frame/zoom_scale_rule.h"
#include "viewer/res/texts.h"
#include "viewer/win32/dialogs/dialog_ids.h"

namespace {

constexpr int kScaleChars = 200;
constexpr int kModeCount = 3;
constexpr int kCornerCount = 4;
constexpr double kIntervalMin = 0;
constexpr double kIntervalMax = 1000000;

}  // namespace

CZoomDlg::CZoomDlg(platform::MessageSink& messages) : Win32Dialog(IDD_ZOOM), messages_(messages) {}

BOOL CZoomDlg::OnInitDialog() {
    SendMessageA(Item(IDC_ZOOM_SCALE), EM_LIMITTEXT, kScaleChars, 0);
    m_strScale = CTextTools().FloatToText(m_fScale);
    ShowScale();
    return TRUE;
}

void CZoomDlg::ShowScale() {
    loading_ = true;
    SetItemText(IDC_ZOOM_SCALE, m_strScale);
    loading_ = false;
}

bool CZoomDlg::OnCommand(int id, int code) {
    if (id != IDC_ZOOM_SCALE || code != EN_CHANGE) return false;
    if (!loading_) m_strScale = ItemText(IDC_ZOOM_SCALE);
    return true;
}

void CZoomDlg::OnOK() {
    switch (CheckZoomScale(m_strScale, &m_fScale)) {
    case ZoomScaleVerdict::InvalidCharacters:
        messages_.Show(platform::Warning(texts::kInvalidScale));
        m_strScale = "1";
        ShowScale();
        return;
    case ZoomScaleVerdict::OutOfRange: messages_.Show(platform::Warning(texts::kScaleOutOfRange)); return;
    case ZoomScaleVerdict::Accept: End(IDOK); return;
    }
}

CTransitionsDlg::CTransitionsDlg(platform::MessageSink& messages)
    : Win32Dialog(IDD_TRANSITIONS), messages_(messages) {}

BOOL CTransitionsDlg::OnInitDialog() {
    loading_ = true;
    CheckRadio(IDC_MODE_AUTO_ONLY, kModeCount, m_nMode);
    SetItemText(IDC_PAGE_INTERVAL, gui::FloatToDialogText(m_fPageInterval));
    SetItemText(IDC_TRANSITION_INTERVAL, gui::FloatToDialogText(m_fTransInterval));
    loading_ = false;
    return TRUE;
}

bool CTransitionsDlg::OnCommand(int id, int code) {
    if ((id != IDC_PAGE_INTERVAL && id != IDC_TRANSITION_INTERVAL) || code != EN_CHANGE) return false;
    // Every keystroke is checked at once, as the framework's change notification does.
    if (!loading_) Save();
    return true;
}

void CTransitionsDlg::OnOK() {
    if (Save()) End(IDOK);
}

bool CTransitionsDlg::Save() {
    m_nMode = CheckedRadio(IDC_MODE_AUTO_ONLY, kModeCount);
    return SaveInterval(IDC_PAGE_INTERVAL, &m_fPageInterval) &&
           SaveInterval(IDC_TRANSITION_INTERVAL, &m_fTransInterval);
}

bool CTransitionsDlg::SaveInterval(int id, float* value) {
    std::string prompt;
    if (gui::ReadDialogFloat(ItemText(id), kIntervalMin, kIntervalMax, value, &prompt)) return true;
    messages_.Show(gui::NumberPrompt(prompt, texts::kAppTitle));
    SendMessageA(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(id)), TRUE);
    SendMessageA(Item(id), EM_SETSEL, 0, -1);
    return false;
}

CNavBarDlg::CNavBarDlg() : Win32Dialog(IDD_NAVBAR) {}

BOOL CNavBarDlg::OnInitDialog() {
    CheckDlgButton(Handle(), IDC_SHOW_NAVBAR, m_bShowNavBar ? BST_CHECKED : BST_UNCHECKED);
    CheckRadio(IDC_CORNER_UPPER_LEFT, kCornerCount, m_nCorner);
    return TRUE;
}

void CNavBarDlg::OnOK() {
    m_bShowNavBar = IsDlgButtonChecked(Handle(), IDC_SHOW_NAVBAR) == BST_CHECKED ? 1 : 0;
    m_nCorner = CheckedRadio(IDC_CORNER_UPPER_LEFT, kCornerCount);
    End(IDOK);
}

CQuickHelpDlg::CQuickHelpDlg() : Win32Dialog(IDD_QUICKHELP) {}

CAboutDlg::CAboutDlg() : Win32Dialog(IDD_ABOUTBOX) {}
