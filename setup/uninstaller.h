#pragma once

#include "setup/install_log.h"
#include "setup/setup_config.h"
#include "setup/setup_services.h"

#include <string>

namespace setup {

// Removes an installation from the directory Setup runs from: registry keys, shortcuts,
// the listed files and directories, then writes Uninstall.log and says what may be left.
class CUninstaller {
public:
    // Reads the configuration and works out the folders.
    CUninstaller(SetupServices& services, std::string systemName);
    void Run();

    bool Valid() const { return m_bValid; }
    const std::string& HomeDirectory() const { return m_strHomeDirectory; }
    const std::string& ShortcutFolder() const { return m_strShortcutDirectory; }
    const InstallLog& Log() const { return m_log; }

private:
    SetupServices& m_services;
    SetupConfig m_config;
    InstallLog m_log;
    std::string m_strSystemName;
    std::string m_strHomeDirectory;
    std::string m_strWindowsDirectory;
    std::string m_strShortcutDirectory;
    std::string m_strSystemDriveRoot;
    bool m_bValid = false;
};

// The main dialog's Uninstall button: the administrator check, the user's Yes, then the
// removal. False when the check or the user stopped it before anything was removed.
bool ConfirmAndUninstall(SetupServices& services, const std::string& systemName, const std::string& appName);

}  // namespace setup
