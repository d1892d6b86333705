#pragma once

// Every text the installer shows or logs, byte for byte.
namespace setup::texts {

// The program's title: the caption of boxes that name none.
inline constexpr const char* kProgramTitle = "Setup";

inline constexpr const char* kConfigFileName = "config.cfg";
inline constexpr const char* kInstallLogName = "Install.log";
inline constexpr const char* kUninstallLogName = "Uninstall.log";

// The file the configuration editor writes when there is none.
inline constexpr const char* kConfigTemplate =
    "[APPNAME]\r\n[DELREGKEY]\r\n[INSTSIZE]\r\n[LINKDIR]\r\n[DIRDEST]\r\n[FILESOURCE]\r\n"
    "[FILEDEST]\r\n[LINKDEST]\r\n";

// Log results.
inline constexpr const char* kSuccess = "Success.\r\n";
inline constexpr const char* kFailed = "Failed.\r\n";
inline constexpr const char* kCopyOverSelf = "Can't copy over self.\r\n";
inline constexpr const char* kDoesNotExist = "Does not exist.\r\n";

// Configuration.
inline constexpr const char* kSetupFilesCorrupted =
    "Necessary setup files are either not present or corrupted.\nSetup is unable to continue.";
inline constexpr const char* kUninstallFilesCorrupted =
    "Necessary setup files are either not present or corrupted.\nUninstallation is unable to "
    "continue.";
inline constexpr const char* kBadConfigFile = "Bad config.cfg file.";

// Administrator requirement.
inline constexpr const char* kInstallNeedsAdministrator =
    "This machine must be logged on with Administrative\nPrivaleges in order to install this "
    "program.";
inline constexpr const char* kUninstallNeedsAdministrator =
    "This machine must be logged on with Administrative\nPrivaleges in order to uninstall this "
    "program.";

// Install.
inline constexpr const char* kInvalidDirectory =
    "The selected directory is not a valid directory.\n\nPlease select another directory.";
inline constexpr const char* kInvalidCaption = "Invalid";
inline constexpr const char* kFullDriveQuestion =
    "The selected drive may not have enough space for installation.\n\nWould you like to "
    "continue?";
inline constexpr const char* kFullDriveCaption = "Full Drive";
inline constexpr const char* kSourcesMissing =
    "Not enough of the source files are present to complete the installation.";
inline constexpr const char* kIncompleteInstallCaption = "Incomplete Install";
inline constexpr const char* kCannotCreateInstallDirectory =
    "Setup was unable to create the installation directory.\n\nPlease try another installation "
    "directory.";
inline constexpr const char* kErrorCaption = "Error";
inline constexpr const char* kShortcutsFailed =
    "Setup was unable to create shortcuts on this system.\nThis can happen if the system is not "
    "in English.\n\nThe \"Start\" menu shortcuts will have to be created manually.";
inline constexpr const char* kSpecialNoteCaption = "Special Note";
inline constexpr const char* kNoteCaption = "Note";

// Value labels.
inline constexpr const char* kMegabytesSuffix = " MB";
inline constexpr const char* kBitsPerPixelSuffix = " BPP";
inline constexpr const char* kNotAvailable = "N/A";

// Registry.
inline constexpr const char* kSyntaxError = "Syntax error.";
inline constexpr const char* kOneMember = "Key path only has one member.";
inline constexpr const char* kMemberCount = "Key array is either less than 2 or greater than 100.";
inline constexpr const char* kOtherRootInstall =
    "Attempt to delete from within a root key other than\n\"HKEY_CURRENT_USER\" or "
    "\"HKEY_CLASSES_ROOT\".";
inline constexpr const char* kOtherRootUninstall =
    "Attempt to delete from within a root key other than \"HKEY_CURRENT_USER\" or "
    "\"HKEY_CLASSES_ROOT\".";
inline constexpr const char* kOtherSubkey =
    "Attempt to delete from a subkey other than \"HKEY_CURRENT_USER\\Software\".";
inline constexpr const char* kSoftwareKeyItself = "Attempt to delete \"HKEY_CURRENT_USER\\Software\".";

}  // namespace setup::texts
