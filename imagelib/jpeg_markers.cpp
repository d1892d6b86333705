#include "imagelib/jpeg_markers.h"

#include "imagelib/orientation.h"

#include <cstring>

namespace imagelib {
namespace {

bool IsFrameMarker(std::uint8_t m) { return m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC; }
bool IsStandalone(std::uint8_t m) { return m == 0x01 || (m >= 0xD0 && m <= 0xD7); }

}  // namespace

JpegHeader ReadJpegHeader(ByteSpan file) {
    JpegHeader header;
    if (file.size() < 4 || file[0] != 0xFF || file[1] != 0xD8) return header;
    bool exifSeen = false;
    std::size_t pos = 2;
    while (pos + 1 < file.size()) {
        // Stray bytes between segments are skipped, as libjpeg does (with a warning).
        if (file[pos] != 0xFF) {
            ++pos;
            continue;
        }
        // Fill bytes before a marker.
        while (pos + 1 < file.size() && file[pos + 1] == 0xFF) ++pos;
        if (pos + 1 >= file.size()) break;
        const std::uint8_t marker = file[pos + 1];
        pos += 2;
        if (IsStandalone(marker)) continue;
        if (marker == 0xD9 || marker == 0xDA || file.size() - pos < 2) break;
        const std::size_t length = (std::size_t{file[pos]} << 8) | file[pos + 1];
        if (length < 2 || length > file.size() - pos) break;
        const ByteSpan body = file.subspan(pos + 2, length - 2);
        if (marker == 0xE1 && !exifSeen && body.size() >= 6 && std::memcmp(body.data(), "Exif\0", 6) == 0) {
            exifSeen = true;
            header.orientation = ReadExifOrientation(body);
        }
        if (IsFrameMarker(marker) && !header.hasFrame && body.size() >= 5) {
            header.hasFrame = true;
            header.height = (std::uint32_t{body[1]} << 8) | body[2];
            header.width = (std::uint32_t{body[3]} << 8) | body[4];
        }
        pos += length;
    }
    return header;
}

}  // namespace imagelib
