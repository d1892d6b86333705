#pragma once

#include "gui_common/data_exchange.h"
#include "setup/qt/setup_gui_services.h"

#include <QDialog>

#include <string>

class QPushButton;

namespace setup::gui {

// The main dialog: Install, Uninstall, Explore and Exit. Closing it ends the program.
class CSetupDlg final : public QDialog {
public:
    explicit CSetupDlg(SetupGuiServices& services, QWidget* parent = nullptr);

    QPushButton* InstallButton() const { return m_pInstallButton; }
    QPushButton* UninstallButton() const { return m_pUninstallButton; }
    QPushButton* ExploreButton() const { return m_pExploreButton; }
    const std::string& SystemName() const { return m_strSystemName; }
    const std::string& SetupDirectory() const { return m_strSetupDirectory; }

private:
    void OnInstall();
    void OnUninstall();
    void OnExplore();

    SetupGuiServices& m_services;
    ::gui::DataExchange m_dx;
    QPushButton* m_pInstallButton = nullptr;
    QPushButton* m_pUninstallButton = nullptr;
    QPushButton* m_pExploreButton = nullptr;
    std::string m_strSystemName;
    std::string m_strSetupDirectory;
    std::string m_strWindowsDirectory;
    std::string m_strAppName;
    std::string m_strLicenseText;
    std::string m_strInstallLabel;
    std::string m_strUninstallLabel;
};

// The application: runs the main dialog modally and ends with it.
class CSetupApp {
public:
    explicit CSetupApp(SetupGuiServices& services) : m_services(services) {}
    // The program's exit code.
    int Run();

private:
    SetupGuiServices& m_services;
};

}  // namespace setup::gui
