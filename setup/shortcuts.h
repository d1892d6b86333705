#pragma once

#include "platform/file_operations.h"
#include "platform/shell_link.h"
#include "setup/install_log.h"

#include <string>
#include <vector>

namespace setup {

// The Start-menu folder for the shortcuts: a base folder chosen by the system name,
// followed by the link dir. Without a system name (every POSIX system) the base is the
// platform's application menu folder. Empty when no shortcuts are to be made.
std::string ShortcutDirectory(const std::string& systemName, const std::string& windowsDirectory,
                              const std::string& systemDriveRoot, const std::string& linkDir,
                              const std::string& programsMenuDirectory = {});

// The shortcut file of one link name in the shortcut folder.
std::string ShortcutPath(const std::string& shortcutDirectory, const std::string& linkName);

// A shortcut to installation directory + entry, started in the installation directory.
// Negative results are failures.
long CreateShellLink(platform::ShellLinks& links, const std::string& installationDirectory,
                     const std::string& destinationEntry, const std::string& linkPath,
                     const std::string& linkName);

// Deletes the shortcut of every non-empty link name, then the folder when it is empty,
// logging each step. Install (before making new ones, and to roll back) and uninstall
// share it.
void DeleteShortcuts(platform::FileOperations& operations, InstallLog& log,
                     const std::string& shortcutDirectory, const std::vector<std::string>& links);

}  // namespace setup
