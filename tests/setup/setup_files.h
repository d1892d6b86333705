#pragma once

// Files of the installer tests' temporary folders, on either platform.

#include <map>
#include <string>
#include <vector>

namespace setup::test {

void WriteFile(const std::string& path, const std::string& content);
std::string ReadFile(const std::string& path);
bool Exists(const std::string& path);
void MakeDirectories(const std::string& path);

// Every entry below `root` with its kind and content ("d" for folders), excluding the
// subtrees named in `skip` (absolute paths).
using Snapshot = std::map<std::string, std::string>;
Snapshot TakeSnapshot(const std::string& root, const std::vector<std::string>& skip = {});

}  // namespace setup::test
