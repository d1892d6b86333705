#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace bench {

inline constexpr std::uint32_t kWidth = 6000, kHeight = 4000;  // 24 megapixels

struct TestFile {
    std::string name;   // jpeg, png, tiff, jp2
    std::string path;
    int format;         // ImageFormat number
};

// Writes (or reuses, when already there) the four benchmark files in `folder`: one
// photo-like RGB picture as baseline JPEG, PNG, Deflate TIFF and lossy JPEG 2000.
std::vector<TestFile> MakeTestFiles(const std::string& folder);

}  // namespace bench
