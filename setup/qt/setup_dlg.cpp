#include "setup/qt/setup_dlg.h"

#include "gui_common/dialog_controls.h"
#include "gui_common/dialog_units.h"
#include "gui_common/text_bytes.h"
#include "setup/dialog_rules.h"
#include "setup/main_dialog_state.h"
#include "setup/qt/install_dlg.h"
#include "setup/qt/license_dlg.h"
#include "setup/qt/setup_pictures.h"
#include "setup/setup_messages.h"
#include "setup/setup_texts.h"
#include "setup/system_checks.h"
#include "setup/uninstaller.h"

#include <QLabel>
#include <QPushButton>

namespace setup::gui {
namespace {

// The buttons stand in one column, each with its explanation in a column beside it.
constexpr int kButtonColumn = 29;
constexpr int kLabelColumn = 101;

QPushButton* AddActionButton(QWidget* parent, const ::gui::DialogUnits& units, const char* text, int y) {
    return ::gui::AddButton(parent, units, text, kButtonColumn, y, 58, 16);
}

QLabel* AddActionLabel(QWidget* parent, const ::gui::DialogUnits& units, const char* text, int y, int width) {
    return ::gui::AddLabel(parent, units, text, kLabelColumn, y, width, 8, Qt::AlignLeft | Qt::AlignVCenter);
}

}  // namespace

CSetupDlg::CSetupDlg(SetupGuiServices& services, QWidget* parent)
    : QDialog(parent), m_services(services) {
    setWindowTitle(::gui::FromBytes(texts::kSetupCaption));
    const auto units = ::gui::SetUpDialog(this, 244, 146);
    m_pInstallButton = AddActionButton(this, units, texts::kInstallButton, 25);
    m_pInstallButton->setDefault(true);
    m_pUninstallButton = AddActionButton(this, units, texts::kUninstallButton, 52);
    m_pExploreButton = AddActionButton(this, units, texts::kExploreButton, 79);
    auto* exit = AddActionButton(this, units, texts::kExitButton, 106);
    auto* install = AddActionLabel(this, units, texts::kInstallLabel, 29, 118);
    auto* uninstall = AddActionLabel(this, units, texts::kUninstallLabel, 56, 123);
    AddActionLabel(this, units, texts::kExploreLabel, 83, 92);
    AddActionLabel(this, units, texts::kExitLabel, 110, 33);
    connect(m_pInstallButton, &QPushButton::clicked, this, &CSetupDlg::OnInstall);
    connect(m_pUninstallButton, &QPushButton::clicked, this, &CSetupDlg::OnUninstall);
    connect(m_pExploreButton, &QPushButton::clicked, this, &CSetupDlg::OnExplore);
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);

    const MainDialogState state = ReadMainDialogState(services.core);
    if (!state.caption.empty()) setWindowTitle(::gui::FromBytes(state.caption));
    m_strSetupDirectory = state.setupDirectory;
    m_strWindowsDirectory = state.windowsDirectory;
    m_strSystemName = state.systemName;
    m_strAppName = state.appName;
    m_strLicenseText = state.licenceText;
    m_strInstallLabel = state.installLabel;
    m_strUninstallLabel = state.uninstallLabel;
    m_dx.Label(install, &m_strInstallLabel);
    m_dx.Label(uninstall, &m_strUninstallLabel);
    m_dx.Update(false);
    setWindowIcon(SetupIcon());
}

void CSetupDlg::OnInstall() {
    auto& core = m_services.core;
    if (!ApplyAdministratorRequirement(m_strSystemName, core.system, core.messages, SetupAction::Install))
        return;
    if (!m_strLicenseText.empty()) {
        CLicenseDlg license(m_strLicenseText, this);
        if (m_services.runner.Run(license) != QDialog::Accepted) {
            // Not agreed: the program ends at once, with nothing installed.
            reject();
            return;
        }
    }
    CInstallDlg install(m_services, m_strSystemName, this);
    if (m_services.runner.Run(install) != QDialog::Accepted) return;
    core.messages.Show({texts::FinishedInstalling(m_strAppName), texts::kFinishedCaption,
                        platform::MessageIcon::Information});
    accept();
}

void CSetupDlg::OnUninstall() {
    if (ConfirmAndUninstall(m_services.core, m_strSystemName, m_strAppName)) accept();
}

void CSetupDlg::OnExplore() {
    // The real start never returns when it succeeds; the running Setup is replaced.
    if (m_services.process.Replace(texts::kFileManagerProgram, {ExploreFolder(m_strSetupDirectory)}))
        reject();
}

int CSetupApp::Run() {
    CSetupDlg dialog(m_services);
    m_services.runner.Run(dialog);
    return 0;
}

}  // namespace setup::gui
