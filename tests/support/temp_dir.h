#pragma once

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "platform/file_system.h"

#include <stdlib.h>
#if defined(_WIN32)
#include <direct.h>
#endif

namespace testsupport {

// A scratch directory removed with everything in it when the test ends.
class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "varnelle-test-XXXXXX").string();
        // Without its folder a test would write below "/": stop it instead.
#if defined(_WIN32)
        if (::_mktemp_s(pattern.data(), pattern.size() + 1) != 0 || ::_mkdir(pattern.c_str()) != 0)
            throw std::runtime_error("_mkdir failed");
#else
        if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
#endif
        path_ = pattern;
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + platform::kPathSeparator + name; }

    void Write(const std::string& name, const std::string& content) const {
        std::ofstream(*this / name, std::ios::binary) << content;
    }
    std::string Read(const std::string& name) const {
        std::ifstream in(*this / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    std::string path_;
};

}  // namespace testsupport
