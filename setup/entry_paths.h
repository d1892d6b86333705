#pragma once

#include "platform/file_operations.h"

#include <string>

namespace setup {

// Entries are joined to a directory by plain concatenation. These checks keep the
// result inside that directory: no absolute or drive-qualified path and no ".." member
// (either separator counts, so a file written for another system is judged the same).
bool IsContainedRelativePath(const std::string& entry);

// True when a member of `entry` before its last one is a link under `directory`: joining
// them would then reach outside the directory through that link.
bool ReachesThroughLink(const platform::FileOperations& operations, const std::string& directory,
                        const std::string& entry);

// A shortcut name is one file name: no separator at all.
bool IsPlainName(const std::string& name);

// A directory text as the engines hold it: ending in the separator (a path that already
// ends in one, such as the root, gets none). Empty stays empty.
std::string WithTrailingSeparator(const std::string& directory);

}  // namespace setup
