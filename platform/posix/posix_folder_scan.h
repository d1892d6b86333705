#pragma once

#include "platform/posix/backend_guard.h"
#include "platform/folder_scan.h"

namespace platform::posix {

// readdir with the entry types the directory gives; only links and entries of unknown
// type cost a stat.
class PosixFolderScan final : public FolderScan {
public:
    FileCause ListFolders(const std::string& folder, std::vector<std::string>* names) const override;
    bool HasSubfolder(const std::string& folder) const override;
};

}  // namespace platform::posix
