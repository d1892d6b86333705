#pragma once

#include "imagelib/byte_reader.h"

#include <cstdint>

namespace imagelib {

// What a JPEG's segments before its first scan say, read by our own bounded walk: the
// frame size and the Exif orientation (of the first APP1 segment that is Exif).
struct JpegHeader {
    bool hasFrame = false;
    std::uint32_t width = 0, height = 0;
    int orientation = 1;
};

JpegHeader ReadJpegHeader(ByteSpan file);

}  // namespace imagelib
