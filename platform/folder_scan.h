#pragma once

#include "platform/file_cause.h"
#include "platform/file_system.h"

#include <string>
#include <vector>

namespace platform {

// Sub-folders only, for a folder tree: a full listing would look at every file of every
// folder just to draw expand buttons.
class FolderScan {
public:
    virtual ~FolderScan() = default;
    // Names of the directories in `folder` (links followed), "." and ".." left out, in the
    // system's own order.
    virtual FileCause ListFolders(const std::string& folder, std::vector<std::string>* names) const = 0;
    // True at the first sub-folder found; false when there is none or the folder cannot be read.
    virtual bool HasSubfolder(const std::string& folder) const = 0;
};

// A folder scan over any file system's full listing (what the fakes offer).
class ListingFolderScan final : public FolderScan {
public:
    explicit ListingFolderScan(const FileSystem& fs) : fs_(fs) {}

    FileCause ListFolders(const std::string& folder, std::vector<std::string>* names) const override {
        names->clear();
        std::vector<DirEntry> entries;
        const FileCause cause = fs_.List(folder, &entries);
        if (cause != FileCause::None) return cause;
        for (auto& e : entries)
            if (e.isDirectory && e.name != "." && e.name != "..") names->push_back(std::move(e.name));
        return FileCause::None;
    }
    bool HasSubfolder(const std::string& folder) const override {
        std::vector<std::string> names;
        return ListFolders(folder, &names) == FileCause::None && !names.empty();
    }

private:
    const FileSystem& fs_;
};

}  // namespace platform
