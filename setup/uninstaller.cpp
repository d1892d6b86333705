#include "setup/uninstaller.h"

#include "setup/entry_paths.h"
#include "setup/registry_cleanup.h"
#include "setup/setup_messages.h"
#include "setup/setup_texts.h"
#include "setup/shortcuts.h"
#include "setup/system_checks.h"

namespace setup {

CUninstaller::CUninstaller(SetupServices& services, std::string systemName)
    : m_services(services), m_strSystemName(std::move(systemName)) {
    m_strHomeDirectory = WithTrailingSeparator(services.files.CurrentDirectory());
    m_strWindowsDirectory = services.system.WindowsDirectory();
    m_strSystemDriveRoot = services.system.SystemDriveRoot();
    m_bValid = ReadUninstallConfig(services.files, m_strHomeDirectory, &m_config);
    m_strShortcutDirectory =
        ShortcutDirectory(m_strSystemName, m_strWindowsDirectory, m_strSystemDriveRoot,
                          m_config.linkDir, services.system.ProgramsMenuDirectory());
}

void CUninstaller::Run() {
    auto& messages = m_services.messages;
    if (!m_bValid) {
        messages.Show(platform::Warning(texts::kUninstallFilesCorrupted, texts::kProgramTitle));
        return;
    }
    RegistryCleaner(m_services.registry, messages, SetupAction::Uninstall, m_log)
        .Run(m_config.registryKeys);
    auto& ops = m_services.operations;
    if (!m_strShortcutDirectory.empty())
        DeleteShortcuts(ops, m_log, m_strShortcutDirectory, m_config.links);
    // Whoever could write the home directory could have replaced one of its folders by a
    // link to somewhere else; nothing is deleted through such a link.
    const auto inside = [&](const std::string& entry) { return !ReachesThroughLink(ops, m_strHomeDirectory, entry); };
    for (const auto& entry : m_config.destinations) {
        const std::string path = m_strHomeDirectory + entry;
        m_log.Add(texts::DeleteFileAction(path));
        m_log.Add(inside(entry) && ops.DeleteFile(path) ? texts::kSuccess : texts::kFailed);
    }
    // In list order and only when empty: a parent listed before its child stays.
    for (const auto& entry : m_config.directories) {
        const std::string path = m_strHomeDirectory + entry;
        m_log.Add(texts::DeleteDirectoryAction(path));
        m_log.Add(inside(entry) && ops.RemoveDirectory(path) ? texts::kSuccess : texts::kFailed);
    }
    m_log.WriteTo(m_services.files,
                  m_strHomeDirectory + platform::kPathSeparator + texts::kUninstallLogName);
    messages.Show(platform::Warning(texts::UninstallNote(m_config.appName), texts::kNoteCaption));
}

bool ConfirmAndUninstall(SetupServices& services, const std::string& systemName, const std::string& appName) {
    if (!ApplyAdministratorRequirement(systemName, services.system, services.messages, SetupAction::Uninstall))
        return false;
    const platform::Message question{texts::ConfirmUninstall(appName), texts::kCarefulCaption,
                                     platform::MessageIcon::Warning, platform::MessageButtons::YesNo};
    if (services.messages.Show(question) != platform::MessageAnswer::Yes) return false;
    CUninstaller uninstaller(services, systemName);
    uninstaller.Run();
    return true;
}

}  // namespace setup
