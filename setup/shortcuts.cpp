#include "setup/shortcuts.h"

#include "platform/file_system.h"
#include "setup/setup_messages.h"
#include "setup/setup_texts.h"

namespace setup {
namespace {

// The Start-menu folders are written with '/' and joined with the platform's separator.
std::string WithPlatformSeparators(std::string path) {
    for (char& c : path) {
        if (c == '/') c = platform::kPathSeparator;
    }
    return path;
}

}  // namespace

std::string ShortcutDirectory(const std::string& systemName, const std::string& windowsDirectory,
                              const std::string& systemDriveRoot, const std::string& linkDir,
                              const std::string& programsMenuDirectory) {
    if (linkDir.empty()) return {};
    std::string base;
    if (systemName == "Win20" || systemName == "WinXP" || systemName == "WinME")
        base = systemDriveRoot + WithPlatformSeparators("Documents and Settings/All Users/Start Menu/Programs/");
    else if (systemName == "WinNT")
        base = windowsDirectory + WithPlatformSeparators("Profiles/All Users/Start Menu/Programs/");
    else if (systemName == "Win98" || systemName == "Win95")
        base = windowsDirectory + WithPlatformSeparators("Start Menu/Programs/");
    else if (systemName.empty() && !programsMenuDirectory.empty())
        base = programsMenuDirectory;
    else
        return {};
    return base + linkDir;
}

std::string ShortcutPath(const std::string& shortcutDirectory, const std::string& linkName) {
    return shortcutDirectory + platform::kPathSeparator + linkName + platform::kShortcutExtension;
}

long CreateShellLink(platform::ShellLinks& links, const std::string& installationDirectory,
                     const std::string& destinationEntry, const std::string& linkPath,
                     const std::string& linkName) {
    // The link file's name must fit the platform's path limit, terminator included.
    if (linkPath.size() >= platform::kMaxPath) return platform::kLinkFailed;
    return links.SaveLink(installationDirectory + destinationEntry, installationDirectory, linkName,
                          linkPath);
}

void DeleteShortcuts(platform::FileOperations& operations, InstallLog& log,
                     const std::string& shortcutDirectory, const std::vector<std::string>& links) {
    for (const auto& name : links) {
        if (name.empty()) continue;
        log.Add(texts::DeleteShortcutAction(shortcutDirectory, name));
        const bool deleted = operations.DeleteFile(ShortcutPath(shortcutDirectory, name));
        log.Add(deleted ? texts::kSuccess : texts::kFailed);
    }
    log.Add(texts::DeleteShortcutDirectoryAction(shortcutDirectory));
    log.Add(operations.RemoveDirectory(shortcutDirectory) ? texts::kSuccess : texts::kFailed);
}

}  // namespace setup
