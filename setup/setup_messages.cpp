#include "setup/setup_messages.h"

#include "setup/system_checks.h"

#include "platform/file_system.h"

namespace setup::texts {

std::string CreateDirectoryAction(const std::string& path) {
    return "Creating the \"" + path + "\" directory...";
}
std::string DeleteDirectoryAction(const std::string& path) {
    return "Deleting the \"" + path + "\" directory...";
}
std::string DeleteFileAction(const std::string& path) {
    return "Deleting the \"" + path + "\" file...";
}
std::string CopyAction(const std::string& source, const std::string& destination) {
    return "Copying \"" + source + "\" to \"" + destination + "\"...";
}
std::string CreateShortcutDirectoryAction(const std::string& folder) {
    return "Creating the \"" + folder + "\" shortcut directory...";
}
std::string CreateShortcutAction(const std::string& linkName) {
    return "Creating the \"" + linkName + "\" shortcut...";
}
std::string DeleteShortcutAction(const std::string& folder, const std::string& linkName) {
    return "Deleting the \"" + folder + platform::kPathSeparator + linkName + "\" shortcut...";
}
std::string DeleteShortcutDirectoryAction(const std::string& folder) {
    return "Deleting the \"" + folder + "\" shortcut directory...";
}
std::string CheckKeyAction(const std::string& path) {
    return "Checking existance of the \"" + path + "\" registry key...";
}
std::string DeleteKeyAction(const std::string& path) {
    return "Deleting the \"" + path + "\" registry key...";
}

std::string CannotCreateDirectory(const std::string& entry) {
    return "Setup was unable to create the \"" + entry + "\" directory.";
}
std::string ColorDepthNote(const std::string& appName) {
    return "Your display adapter settings must be set to at least 65,536 colors (16 bit) for your "
           "images to be viewed properly in " +
           appName + ".\n\nSee the " + appName + " \"Readme.txt\" file for details.";
}
std::string UninstallNote(const std::string& appName) {
    return "Setup was unable to delete all " + appName +
           " files.\nThere may be some files in its home directory that will need to be removed "
           "manually.";
}
std::string FinishedInstalling(const std::string& appName) {
    return "Setup has finished installing " + appName;
}
std::string ConfirmUninstall(const std::string& appName) {
    return "Are you sure you want to uninstall " + appName + "?";
}
std::string BadKey(int number) { return "Bad Key #" + FormatDecimal(number) + ". Cannot delete"; }
std::string ErrorClosingKey(int level) { return "Error closing Key #" + FormatDecimal(level) + "."; }
std::string ErrorDeletingKey(const std::string& name) { return "Error deleting Key: " + name + "."; }

}  // namespace setup::texts
