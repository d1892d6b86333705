#include "setup/win32/install_dlg.h"

#include "setup/dialog_rules.h"
#include "setup/setup_texts.h"
#include "setup/win32/choose_drive_dlg.h"
#include "setup/win32/edit_config_dlg.h"
#include "setup/win32/resource.h"

namespace setup::win32 {
namespace {

constexpr int kMaxDirectoryChars = 200;

}  // namespace

void CInstallDlg::OnInit() {
    ::SetWindowTextA(Window(), texts::kInstallCaption);
    const ControlText controls[] = {
        {IDC_DIRECTORY_LABEL, texts::kDefaultDirectoryLabel}, {IDC_CHOOSE_DRIVE, texts::kChooseDriveButton},
        {IDC_REQUIRED_LABEL, texts::kRequiredSpaceLabel},     {IDC_REQUIRED, texts::kKilobytesPlaceholder},
        {IDC_AVAILABLE_LABEL, texts::kAvailableSpaceLabel},   {IDC_AVAILABLE, texts::kKilobytesPlaceholder},
        {IDC_DEPTH_LABEL, texts::kColorDepthLabel},           {IDC_DEPTH, texts::kBitsPerPixelPlaceholder},
        {IDOK, texts::kInstallOkButton},                      {IDC_EDIT, texts::kEditButton},
        {IDCANCEL, texts::kCancelButton}};
    SetTexts(Window(), controls);
    // Typing stops at 200; a longer text put in by the program is shown whole.
    ::SendDlgItemMessageA(Window(), IDC_DIRECTORY, EM_LIMITTEXT, kMaxDirectoryChars, 0);

    m_engine.SetBusyHandler([this](bool busy) {
        if (busy) m_hOldCursor = ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
        else ::SetCursor(m_hOldCursor);
    });
    m_engine.SetUp();
    SetItemText(Window(), IDC_DIRECTORY, m_engine.DirectoryText());
    ShowValues();
}

void CInstallDlg::ShowValues() {
    SetItemText(Window(), IDC_REQUIRED, m_engine.RequiredLabel());
    SetItemText(Window(), IDC_AVAILABLE, m_engine.AvailableLabel());
    SetItemText(Window(), IDC_DEPTH, m_engine.ColorDepthLabel());
}

bool CInstallDlg::OnCommand(int id, int code) {
    switch (id) {
    case IDC_DIRECTORY:
        if (code == EN_CHANGE) OnDirectoryChanged();
        return true;
    case IDC_CHOOSE_DRIVE: OnChooseDrive(); return true;
    case IDC_EDIT: OnEdit(); return true;
    case IDOK: OnInstall(); return true;
    default: return false;
    }
}

void CInstallDlg::OnDirectoryChanged() {
    const std::string text = ItemText(Window(), IDC_DIRECTORY);
    // The drive list is read only once the code itself was typed.
    if (text != texts::kAccessCode ||
        !UnlocksEditor(m_services.core.drives.Mounts(), m_engine.SetupDirectory(), text))
        return;
    SetItemText(Window(), IDC_DIRECTORY, m_engine.InstallationDirectory());
    ::ShowWindow(Item(IDC_EDIT), SW_SHOW);
    ::EnableWindow(Item(IDC_EDIT), TRUE);
}

void CInstallDlg::OnChooseDrive() {
    CChooseDriveDlg chooser(m_services.core.drives);
    if (chooser.Run(m_services.instance, IDD_CHOOSE_DRIVE, Window()) != IDOK || chooser.ChosenRoot().empty())
        return;
    m_engine.ChooseRoot(chooser.ChosenRoot(), ItemText(Window(), IDC_DIRECTORY));
    SetItemText(Window(), IDC_DIRECTORY, m_engine.DirectoryText());
    ShowValues();
}

void CInstallDlg::OnEdit() {
    CEditConfigDlg editor(m_services);
    if (editor.Run(m_services.instance, IDD_EDIT_CONFIG, Window()) != IDOK) return;
    m_engine.ReadConfigAgain();
    ShowValues();
}

void CInstallDlg::OnInstall() {
    // The dialog closes only when the install went through.
    if (m_engine.Install(ItemText(Window(), IDC_DIRECTORY))) Close(IDOK);
}

}  // namespace setup::win32
