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

// Main dialog.
inline constexpr const char* kSetupCaption = "Setup";
inline constexpr const char* kSetupCaptionSuffix = " Setup";
inline constexpr const char* kInstallButton = "Install...";
inline constexpr const char* kUninstallButton = "Uninstall...";
inline constexpr const char* kExploreButton = "Explore...";
inline constexpr const char* kExitButton = "Exit";
inline constexpr const char* kInstallLabel = "Install";
inline constexpr const char* kUninstallLabel = "Uninstall";
inline constexpr const char* kExploreLabel = "Explore the Setup Directories";
inline constexpr const char* kExitLabel = "Exit Setup";
inline constexpr const char* kFinishedCaption = "Finished";
inline constexpr const char* kCarefulCaption = "Careful";
#if defined(_WIN32)
// Explorer, in the Windows directory, opens a new window on the folder after ",".
inline constexpr const char* kExplorerProgram = "EXPLORER.EXE";
inline constexpr const char* kExplorerNewWindow = ",/n";
inline constexpr const char* kExplorerFolderPrefix = ",";
#else
// The program that shows a folder in the system's file manager.
inline constexpr const char* kFileManagerProgram = "xdg-open";
#endif

// Install dialog.
inline constexpr const char* kInstallCaption = "Install";
inline constexpr const char* kDefaultDirectoryLabel = "Optional default directory:";
inline constexpr const char* kChooseDriveButton = "Choose Drive";
inline constexpr const char* kRequiredSpaceLabel = "Required Hard Drive Space:";
inline constexpr const char* kAvailableSpaceLabel = "Available Hard Drive Space:";
inline constexpr const char* kColorDepthLabel = "Color Depth Display Setting:";
inline constexpr const char* kKilobytesPlaceholder = "KB";
inline constexpr const char* kBitsPerPixelPlaceholder = "BPP";
inline constexpr const char* kInstallOkButton = "Install";
inline constexpr const char* kEditButton = "Edit";
inline constexpr const char* kCancelButton = "Cancel";
inline constexpr const char* kAccessCode = "tkvq!!";

// Drive chooser.
inline constexpr const char* kChooseDirectoryCaption = "Choose Directory";
inline constexpr const char* kAvailableDrives = "Available Drives";
inline constexpr const char* kOkButton = "OK";
// What OK gives with the "Available Drives" item selected: the system drive's root.
#if defined(_WIN32)
inline constexpr const char* kDefaultDriveRoot = "C:\\";
#else
inline constexpr const char* kDefaultDriveRoot = "/";
#endif

// Licence agreement.
inline constexpr const char* kLicenseCaption = "License Agreement";
inline constexpr const char* kAgreeButton = "Agree";
inline constexpr const char* kCloseButton = "Close";
inline constexpr const char* kLicenseFont = "Times New Roman";

// Configuration editor.
inline constexpr const char* kEditConfigCaption = "Edit Config.cfg";
inline constexpr const char* kInstructionsButton = "Instructions...";
inline constexpr const char* kConfigNotWritten =
    "Setup was unable to write the \"config.cfg\" file.";

// Instructions.
inline constexpr const char* kInstructionsCaption = "Instructions";
inline constexpr const char* kInstructions[] = {
    "APPNAME--      Name used for the application to install or uninstall.",
    "DELREGKEY--  Registry keys to delete.",
    "INSTSIZE--       Space needed for the install.",
    "LINKDIR--         Root directory for all linked files.",
    "DIRDEST--       Subdirectories of the chosen destination directory.",
    "FILESOURCE-- Relative path to the source files.",
    "FILEDEST--      Relative path to the destination files.",
    "LINKDEST--      Links to create within the LINDIR directory.",
    "* APPNAME, DELREGKEY, INSTSIZE, LINKDIR, DIRDEST, FILESOURCE,    FILEDEST,  LINKDEST and "
    "LICAGREE must appear in \"config.cfg\".",
    "* All entries, aside from headers and the LICAGREE section, must be \";\"             "
    "terminated.",
    "* Headers must not be terminated.",
    "* DELREGKEY, LINKDIR, DIRDEST, and LICAGREE are the only entries that   can be left empty.",
    "* DIRDEST, FILESOURCE, and FILEDEST are relative paths.",
    "* FILESOURCE, FILEDEST, and LINKDEST must have the exact same entry    count.",
    "* Subdirectories in FILEDEST must be listed in DIRDEST;",
    "* Files not to be linked in LINKDEST should be represented by a \"*\".",
    "* All files in LINKDEST should be represented by a \"*\" if LINKDIR is empty.",
    "* DELREGKEY values can only reference keys within                                         "
    "HKEY_CLASSES_ROOT and HKEY_CURRENT_USER\\Software.",
    "* All registry subkeys beneath a DELREGKEY key entry are deleted!",
};

}  // namespace setup::texts
