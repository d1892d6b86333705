#include "setup/win32/edit_config_dlg.h"

#include "setup/config_editing.h"
#include "setup/dialog_rules.h"
#include "setup/entry_paths.h"
#include "setup/setup_texts.h"
#include "setup/win32/instructions_dlg.h"
#include "setup/win32/resource.h"

namespace setup::win32 {
namespace {

constexpr RECT kTextBoxPixels{10, 10, 455, 260};

}  // namespace

void CEditConfigDlg::OnInit() {
    ::SetWindowTextA(Window(), texts::kEditConfigCaption);
    const ControlText buttons[] = {
        {IDC_INSTRUCTIONS, texts::kInstructionsButton}, {IDOK, texts::kOkButton}, {IDCANCEL, texts::kCancelButton}};
    SetTexts(Window(), buttons);
    // Enter is a line break in the box, so OK is only reached by its button.
    m_hTextBox = CreateTextBox(Window(), IDC_CONFIG_TEXT, AboveButton(Window(), kTextBoxPixels, IDOK),
                               ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_WANTRETURN | WS_HSCROLL | WS_VSCROLL);
    ::SendMessageA(m_hTextBox, WM_SETFONT, ::SendMessageA(Window(), WM_GETFONT, 0, 0), FALSE);

    m_strSetupDirectory = WithTrailingSeparator(m_services.core.files.CurrentDirectory());
    std::string text;
    // A file that opens but cannot be read is never replaced, by the template or the box.
    if (LoadConfigForEditing(m_services.core.files, m_strSetupDirectory, &text) == ConfigLoad::Unreadable)
        ::EnableWindow(Item(IDOK), FALSE);
    ::SetWindowTextA(m_hTextBox, WithCrLf(text).c_str());
}

bool CEditConfigDlg::OnCommand(int id, int) {
    if (id == IDC_INSTRUCTIONS) {
        CInstructionsDlg instructions;
        instructions.Run(m_services.instance, IDD_INSTRUCTIONS, Window());
        return true;
    }
    if (id != IDOK) return false;
    if (!WriteConfigFile(m_services.core.files, m_strSetupDirectory, WithCrLf(WindowText(m_hTextBox)))) {
        // Closing as if it had been saved would lose the edits without a word.
        m_services.core.messages.Show(platform::Warning(texts::kConfigNotWritten, texts::kProgramTitle));
        return true;
    }
    Close(IDOK);
    return true;
}

bool CEditConfigDlg::OnMessage(UINT message, WPARAM, LPARAM, INT_PTR*) {
    if (message == WM_PAINT && m_hTextBox) CollapseSelectionToStart(m_hTextBox);
    return false;
}

}  // namespace setup::win32
