#pragma once

// JPEG files whose four quarters have different colours, with an Exif segment built
// byte by byte, for the orientation tests of the decoder and the loader.
#include "tests/imagelib/dib_pixels.h"

#include <cstdint>
#include <vector>

namespace imagelib::testing {

// Stored size: wider than tall, so a swap of the sides shows.
inline constexpr std::uint32_t kQuarteredWidth = 64, kQuarteredHeight = 32;

enum Corner { kTopLeft, kTopRight, kBottomLeft, kBottomRight };
// The stored colour of each quarter.
Rgb QuarterColour(Corner corner);

std::vector<std::uint8_t> EncodeQuarteredJpeg();

// What the Exif segment says; the defaults are a sound tag for `value`.
struct ExifTag {
    std::uint16_t value = 1;
    bool bigEndian = false;
    std::uint16_t type = 3;   // SHORT
    std::uint32_t count = 1;
    std::uint32_t ifdOffset = 8;
    std::uint32_t entryCount = 0;  // 0: the entries written
    bool inSecondIfd = false;  // the tag only in the IFD after IFD0 (a thumbnail's)
    std::uint32_t nextIfd = 0;  // the link after the IFD holding the tag
    std::size_t cutTo = 0;     // the TIFF structure cut to this many bytes; 0 keeps it whole
    const char* prefix = "Exif";
};

// The APP1 body: "Exif\0\0" and the TIFF structure.
std::vector<std::uint8_t> ExifBody(const ExifTag& tag);
// `jpeg` with segments of type `marker` holding `bodies`, in order, right after its start marker.
std::vector<std::uint8_t> WithSegments(const std::vector<std::uint8_t>& jpeg, std::uint8_t marker,
                                       const std::vector<std::vector<std::uint8_t>>& bodies);
inline std::vector<std::uint8_t> WithApp1(const std::vector<std::uint8_t>& jpeg,
                                          const std::vector<std::vector<std::uint8_t>>& bodies) {
    return WithSegments(jpeg, 0xE1, bodies);
}

}  // namespace imagelib::testing
