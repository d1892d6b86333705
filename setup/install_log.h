#pragma once

#include "platform/file_system.h"

#include <string>
#include <vector>

namespace setup {

// The engines' log: action texts each followed by one result text, written out once
// at the end with nothing between records.
class InstallLog {
public:
    void Add(std::string record) { records_.push_back(std::move(record)); }
    const std::vector<std::string>& Records() const { return records_; }
    std::string Text() const;
    // Replaces the file at `path`; failures are silent, as the log is only a trace.
    void WriteTo(platform::FileSystem& fs, const std::string& path) const;

private:
    std::vector<std::string> records_;
};

}  // namespace setup
