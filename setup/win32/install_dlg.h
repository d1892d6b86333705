#pragma once

#include "setup/install_engine.h"
#include "setup/win32/modal_dialog.h"
#include "setup/win32/setup_win32_services.h"

#include <string>

namespace setup::win32 {

// The Install dialog over the install engine: the directory box, the space and colour
// depth values, the drive chooser and, behind the access code, the configuration editor.
class CInstallDlg final : public ModalDialog {
public:
    CInstallDlg(SetupWin32Services& services, const std::string& systemName)
        : m_services(services), m_engine(services.core, systemName) {}

protected:
    void OnInit() override;
    bool OnCommand(int id, int code) override;

private:
    void OnDirectoryChanged();
    void OnChooseDrive();
    void OnEdit();
    void OnInstall();
    void ShowValues();

    SetupWin32Services& m_services;
    InstallEngine m_engine;
    HCURSOR m_hOldCursor = nullptr;  // while the engine is busy
};

}  // namespace setup::win32
