#pragma once

#include "setup/win32/modal_dialog.h"
#include "setup/win32/setup_win32_services.h"

#include <string>

namespace setup::win32 {

// The main dialog: Install, Uninstall, Explore and Exit. Closing it ends the program.
class CSetupDlg final : public ModalDialog {
public:
    explicit CSetupDlg(SetupWin32Services& services) : m_services(services) {}
    ~CSetupDlg() override;

protected:
    void OnInit() override;
    bool OnCommand(int id, int code) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) override;

private:
    void OnInstall();
    void OnUninstall();
    void OnExplore();

    SetupWin32Services& m_services;
    HICON m_hIcon = nullptr;
    HICON m_hSmallIcon = nullptr;
    std::string m_strSystemName;
    std::string m_strSetupDirectory;
    std::string m_strWindowsDirectory;
    std::string m_strAppName;
    std::string m_strLicenseText;
};

// The application: runs the main dialog modally and ends with it.
class CSetupApp {
public:
    explicit CSetupApp(SetupWin32Services& services) : m_services(services) {}
    // The program's exit code.
    int Run();

private:
    SetupWin32Services& m_services;
};

}  // namespace setup::win32
