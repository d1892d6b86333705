#pragma once

#include <string>

// Texts built from values: log actions and messages with a name or number in them.
namespace setup::texts {

std::string CreateDirectoryAction(const std::string& path);
std::string DeleteDirectoryAction(const std::string& path);
std::string DeleteFileAction(const std::string& path);
std::string CopyAction(const std::string& source, const std::string& destination);
std::string CreateShortcutDirectoryAction(const std::string& folder);
std::string CreateShortcutAction(const std::string& linkName);
std::string DeleteShortcutAction(const std::string& folder, const std::string& linkName);
std::string DeleteShortcutDirectoryAction(const std::string& folder);
std::string CheckKeyAction(const std::string& path);
std::string DeleteKeyAction(const std::string& path);

std::string CannotCreateDirectory(const std::string& entry);
std::string ColorDepthNote(const std::string& appName);
std::string UninstallNote(const std::string& appName);
std::string FinishedInstalling(const std::string& appName);
std::string ConfirmUninstall(const std::string& appName);
std::string BadKey(int number);
std::string ErrorClosingKey(int level);
std::string ErrorDeletingKey(const std::string& name);

}  // namespace setup::texts
