#pragma once

#include "platform/file_cause.h"
#include "platform/file_system.h"
#include "platform/messages.h"

#include <string>
#include <vector>

// Path checks against the platform's path limit, folder listing in file-system order,
// and the message box for a file-error cause.
class CFileTools {
public:
    CFileTools(platform::FileSystem& fs, platform::MessageSink& messages) : fs_(fs), messages_(messages) {}

    bool CheckFolderPath(const std::string& path) const;
    bool CheckFilePath(const std::string& path) const;
    // Names of the entries that are not directories, in the order the system lists them.
    void ListFileNames(const std::string& folder, std::vector<std::string>& names) const;
    // Folder + separator + name; the separator is added even after a trailing one.
    void ListFilePaths(const std::string& folder, std::vector<std::string>& paths) const;
    void ShowFileError(platform::FileCause cause) const;

private:
    bool WarnIfTooLong(const std::string& path) const;

    platform::FileSystem& fs_;
    platform::MessageSink& messages_;
};
