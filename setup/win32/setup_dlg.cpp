#include "setup/win32/setup_dlg.h"

#include "setup/dialog_rules.h"
#include "setup/main_dialog_state.h"
#include "setup/setup_messages.h"
#include "setup/setup_texts.h"
#include "setup/system_checks.h"
#include "setup/uninstaller.h"
#include "setup/win32/install_dlg.h"
#include "setup/win32/license_dlg.h"
#include "setup/win32/resource.h"
#include "setup/win32/setup_pictures.h"

namespace setup::win32 {

CSetupDlg::~CSetupDlg() {
    if (m_hIcon) ::DestroyIcon(m_hIcon);
    if (m_hSmallIcon) ::DestroyIcon(m_hSmallIcon);
}

void CSetupDlg::OnInit() {
    const ControlText controls[] = {
        {IDC_INSTALL, texts::kInstallButton},         {IDC_UNINSTALL, texts::kUninstallButton},
        {IDC_EXPLORE, texts::kExploreButton},         {IDCANCEL, texts::kExitButton},
        {IDC_EXPLORE_LABEL, texts::kExploreLabel},    {IDC_EXIT_LABEL, texts::kExitLabel}};
    SetTexts(Window(), controls);
    ::SetWindowTextA(Window(), texts::kSetupCaption);

    const MainDialogState state = ReadMainDialogState(m_services.core);
    SetItemText(Window(), IDC_INSTALL_LABEL, state.installLabel);
    SetItemText(Window(), IDC_UNINSTALL_LABEL, state.uninstallLabel);
    if (!state.caption.empty()) ::SetWindowTextA(Window(), state.caption.c_str());
    m_strSetupDirectory = state.setupDirectory;
    m_strWindowsDirectory = state.windowsDirectory;
    m_strSystemName = state.systemName;
    m_strAppName = state.appName;
    m_strLicenseText = state.licenceText;

    m_hIcon = CreateSetupIcon(::GetSystemMetrics(SM_CXICON));
    m_hSmallIcon = CreateSetupIcon(::GetSystemMetrics(SM_CXSMICON));
    ::SendMessageA(Window(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    ::SendMessageA(Window(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hSmallIcon));
}

bool CSetupDlg::OnCommand(int id, int) {
    switch (id) {
    case IDC_INSTALL: OnInstall(); return true;
    case IDC_UNINSTALL: OnUninstall(); return true;
    case IDC_EXPLORE: OnExplore(); return true;
    default: return false;
    }
}

bool CSetupDlg::OnMessage(UINT message, WPARAM, LPARAM, INT_PTR* result) {
    if (message == WM_QUERYDRAGICON) {
        *result = reinterpret_cast<INT_PTR>(m_hIcon);
        return true;
    }
    if (message != WM_PAINT || !::IsIconic(Window())) return false;
    // Minimised, the dialog shows the icon centred in its client area.
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(Window(), &paint);
    RECT client;
    ::GetClientRect(Window(), &client);
    ::DrawIcon(dc, (client.right - ::GetSystemMetrics(SM_CXICON) + 1) / 2,
               (client.bottom - ::GetSystemMetrics(SM_CYICON) + 1) / 2, m_hIcon);
    ::EndPaint(Window(), &paint);
    *result = TRUE;
    return true;
}

void CSetupDlg::OnInstall() {
    auto& core = m_services.core;
    if (!ApplyAdministratorRequirement(m_strSystemName, core.system, core.messages, SetupAction::Install))
        return;
    if (!m_strLicenseText.empty()) {
        CLicenseDlg license(m_strLicenseText);
        if (license.Run(m_services.instance, IDD_LICENSE, Window()) != IDOK) {
            // Not agreed: the program ends at once, with nothing installed.
            Close(IDCANCEL);
            return;
        }
    }
    CInstallDlg install(m_services, m_strSystemName);
    if (install.Run(m_services.instance, IDD_INSTALL, Window()) != IDOK) return;
    core.messages.Show({texts::FinishedInstalling(m_strAppName), texts::kFinishedCaption,
                        platform::MessageIcon::Information});
    Close(IDOK);
}

void CSetupDlg::OnUninstall() {
    if (ConfirmAndUninstall(m_services.core, m_strSystemName, m_strAppName)) Close(IDOK);
}

void CSetupDlg::OnExplore() {
    // The real start never returns when it succeeds; the running Setup is replaced.
    const std::string folder = texts::kExplorerFolderPrefix + ExploreFolder(m_strSetupDirectory);
    if (m_services.process.Replace(m_strWindowsDirectory + texts::kExplorerProgram,
                                   {texts::kExplorerNewWindow, folder}))
        Close(IDCANCEL);
}

int CSetupApp::Run() {
    CSetupDlg dialog(m_services);
    dialog.Run(m_services.instance, IDD_SETUP, nullptr);
    return 0;
}

}  // namespace setup::win32
