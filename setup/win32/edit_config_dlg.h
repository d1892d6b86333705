#pragma once

#include "setup/win32/modal_dialog.h"
#include "setup/win32/setup_win32_services.h"

#include <string>

namespace setup::win32 {

// The config.cfg editor: shows the file (or writes the template when there is none) and
// writes the box back with CR LF line ends on OK.
class CEditConfigDlg final : public ModalDialog {
public:
    explicit CEditConfigDlg(SetupWin32Services& services) : m_services(services) {}

protected:
    void OnInit() override;
    bool OnCommand(int id, int code) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) override;

private:
    SetupWin32Services& m_services;
    HWND m_hTextBox = nullptr;
    std::string m_strSetupDirectory;
};

}  // namespace setup::win32
