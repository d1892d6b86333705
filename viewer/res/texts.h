#pragma once

// Every text the viewer shows or writes, in one place.
namespace texts {

// Application and document template
inline constexpr const char* kWindowTitle = "Quorvyn Collage Slideshow 5.0";
inline constexpr const char* kAppTitle = "Varnelle";
inline constexpr const char* kUntitled = "Untitled";
inline constexpr const char* kProfileKey = "Local AppWizard-Generated Applications";
inline constexpr const char* kCollageFilter = "Collage Files (*.lit)";
inline constexpr const char* kAboutMenu = "&About Quorvyn Collage Slideshow...";
inline constexpr const char* kOpenMenu = "&Open...\tCtrl+O";
inline constexpr const char* kCloseMenu = "&Close\tCtrl+N";
inline constexpr const char* kCloseStatus = "Close the current slideshow\nClose";
inline constexpr const char* kFolderSelectTitle = "Folder Select";

// Run log
inline constexpr const char* kLogCheck = "Check command line...\n";
inline constexpr const char* kLogParse = "Parse the command line...\n";
inline constexpr const char* kLogCommandLine = "Command line: ";
inline constexpr const char* kLogSwitch = "Log: ";
inline constexpr const char* kLogPath = "Path: ";
inline constexpr const char* kLogEmpty = "Empty command line!\n";

// Warnings
inline constexpr const char* kNoDefaultPrinter = "There is no default printer setup.";
inline constexpr const char* kPathTooLong = "Path is too long.";

// File-error causes 0..14
inline constexpr const char* kFileErrors[] = {
    "No error occurred.",
    "An unspecified error occurred.",
    "The file could not be located.",
    "All or part of the path is invalid.",
    "The permitted number of open files was exceeded.",
    "Access to the file was denied.",
    "There was an attempt to use an invalid file handle.",
    "The current working directory cannot be removed.",
    "There are no more directory entries.",
    "There was an error trying to set the file pointer.",
    "There was a hardware error.",
    "SHARE.EXE was not loaded, or a shared region was locked.",
    "There was an attempt to lock a region that was already locked.",
    "The disk is full.",
    "The end of file was reached.",
};

}  // namespace texts
