#include "tests/setup/setup_files.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace setup::test {

void WriteFile(const std::string& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
    if (!out) throw std::runtime_error("cannot write " + path);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool Exists(const std::string& path) {
    std::error_code ignored;
    return fs::exists(fs::symlink_status(path, ignored));
}

void MakeDirectories(const std::string& path) { fs::create_directories(path); }

Snapshot TakeSnapshot(const std::string& root, const std::vector<std::string>& skip) {
    Snapshot snapshot;
    const auto bare = [](const fs::path& p) {
        const fs::path normal = p.lexically_normal();
        return normal.has_filename() ? normal : normal.parent_path();
    };
    const auto skipped = [&](const fs::path& p) {
        for (const auto& s : skip) {
            if (bare(s) == bare(p)) return true;
        }
        return false;
    };
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator();
         ++it) {
        if (skipped(it->path())) {
            it.disable_recursion_pending();
            continue;
        }
        const auto status = it->symlink_status();
        const auto perms = static_cast<int>(status.permissions());
        std::string value = std::to_string(perms) + ":";
        if (fs::is_directory(status)) value += "d";
        else if (fs::is_symlink(status)) value += "l:" + fs::read_symlink(it->path()).string();
        else value += ReadFile(it->path().string());
        snapshot[it->path().string()] = value;
    }
    return snapshot;
}

}  // namespace setup::test
