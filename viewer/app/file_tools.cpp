#include "viewer/app/file_tools.h"

#include "viewer/res/texts.h"

#include <iterator>

namespace {
// The drive root: a folder without a look-up, never a file. On Windows any path of exactly
// 3 characters counts, as "C:\\" does.
#if defined(_WIN32)
bool IsDriveRoot(const std::string& path) { return path.size() == 3; }
#else
bool IsDriveRoot(const std::string& path) { return path.size() == 1 && path[0] == platform::kPathSeparator; }
#endif
}  // namespace

bool CFileTools::WarnIfTooLong(const std::string& path) const {
    if (path.size() <= platform::kMaxPath) return false;
    messages_.Show(platform::Warning(texts::kPathTooLong));
    return true;
}

bool CFileTools::CheckFolderPath(const std::string& path) const {
    if (WarnIfTooLong(path)) return false;
    if (IsDriveRoot(path)) return true;
    platform::DirEntry entry;
    return fs_.Find(path, &entry) && entry.isDirectory;
}

bool CFileTools::CheckFilePath(const std::string& path) const {
    if (WarnIfTooLong(path)) return false;
    if (IsDriveRoot(path)) return false;
    return fs_.Find(path, nullptr);
}

void CFileTools::ListFileNames(const std::string& folder, std::vector<std::string>& names) const {
    names.clear();
    std::vector<platform::DirEntry> entries;
    if (fs_.List(folder, &entries) != platform::FileCause::None) return;
    for (auto& e : entries)
        if (!e.isDirectory) names.push_back(std::move(e.name));
}

void CFileTools::ListFilePaths(const std::string& folder, std::vector<std::string>& paths) const {
    ListFileNames(folder, paths);
    for (auto& name : paths) name = folder + platform::kPathSeparator + name;
}

void CFileTools::ShowFileError(platform::FileCause cause) const {
    const int index = static_cast<int>(cause);
    if (index < 0 || index >= static_cast<int>(std::size(texts::kFileErrors))) return;
    messages_.Show(platform::Warning(texts::kFileErrors[index]));
}
