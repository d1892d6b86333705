#include "viewer/document/slide_extensions.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

// The original fifteen, then the formats phones and the web write.
constexpr std::array<std::string_view, 19> kSlideExtensions = {
    "jpg", "jpeg", "bmp", "gif", "tif", "tiff", "tga", "pcx", "ppm", "ras", "png", "j2k", "jp2", "j2c", "jpc",
    "heic", "heif", "avif", "webp"};

}  // namespace

bool IsSlideExtension(const std::string& extension) {
    return std::find(kSlideExtensions.begin(), kSlideExtensions.end(), extension) != kSlideExtensions.end();
}
