#include "setup/entry_paths.h"

#include "platform/file_system.h"

namespace setup {
namespace {

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

}  // namespace

bool IsContainedRelativePath(const std::string& entry) {
    if (entry.empty() || IsSeparator(entry[0])) return false;
    if (entry.size() >= 2 && entry[1] == ':') return false;
    std::size_t start = 0;
    while (start <= entry.size()) {
        std::size_t end = start;
        while (end < entry.size() && !IsSeparator(entry[end])) ++end;
        if (entry.compare(start, end - start, "..") == 0) return false;
        start = end + 1;
    }
    return true;
}

bool ReachesThroughLink(const platform::FileOperations& operations, const std::string& directory,
                        const std::string& entry) {
    for (std::size_t end = entry.find_first_of("/\\"); end != std::string::npos;
         end = entry.find_first_of("/\\", end + 1)) {
        if (end > 0 && operations.IsLink(directory + entry.substr(0, end))) return true;
    }
    return false;
}

bool IsPlainName(const std::string& name) {
    return name.find_first_of("/\\") == std::string::npos;
}

std::string WithTrailingSeparator(const std::string& directory) {
    if (directory.empty() || directory.back() == platform::kPathSeparator) return directory;
    return directory + platform::kPathSeparator;
}

}  // namespace setup
