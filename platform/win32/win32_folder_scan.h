#pragma once

#include "platform/win32/backend_guard.h"
#include "platform/folder_scan.h"

namespace platform::win32 {

// Sub-folders by a directory search over folder\*.*, in the search's order.
class Win32FolderScan final : public FolderScan {
public:
    FileCause ListFolders(const std::string& folder, std::vector<std::string>* names) const override;
    bool HasSubfolder(const std::string& folder) const override;
};

}  // namespace platform::win32
