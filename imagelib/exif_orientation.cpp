#include "imagelib/orientation.h"

#include <cstring>

namespace imagelib {
namespace {

constexpr std::uint16_t kOrientationTag = 0x0112;
constexpr std::uint16_t kShortType = 3;
constexpr std::size_t kEntryBytes = 12;

// Reads in the structure's own byte order.
struct OrderedReader {
    ByteReader bytes;
    bool bigEndian = false;

    bool Read16(std::uint16_t& out) { return bigEndian ? bytes.ReadBE16(out) : bytes.ReadLE16(out); }
    bool Read32(std::uint32_t& out) { return bigEndian ? bytes.ReadBE32(out) : bytes.ReadLE32(out); }
};

}  // namespace

int ReadTiffOrientation(ByteSpan tiff) {
    OrderedReader in{ByteReader(tiff)};
    std::uint8_t order[2] = {};
    if (!in.bytes.ReadU8(order[0]) || !in.bytes.ReadU8(order[1]) || order[0] != order[1]) return kStoredUpright;
    if (order[0] != 'I' && order[0] != 'M') return kStoredUpright;
    in.bigEndian = order[0] == 'M';
    std::uint16_t magic = 0;
    std::uint32_t ifd = 0;
    if (!in.Read16(magic) || magic != 42 || !in.Read32(ifd)) return kStoredUpright;
    // IFD0 only, and never inside the 8-byte header; later directories are not followed,
    // so no chain of them can loop.
    std::uint16_t count = 0;
    if (ifd < 8 || !in.bytes.Seek(ifd) || !in.Read16(count)) return kStoredUpright;
    if (in.bytes.Remaining() / kEntryBytes < count) return kStoredUpright;
    for (std::uint16_t i = 0; i < count; ++i) {
        std::uint16_t tag = 0, type = 0, value = 0;
        std::uint32_t values = 0;
        if (!in.Read16(tag) || !in.Read16(type) || !in.Read32(values)) return kStoredUpright;
        if (tag != kOrientationTag) {
            if (!in.bytes.Skip(4)) return kStoredUpright;
            continue;
        }
        // One SHORT sits in the entry itself, in its first two bytes.
        if (type != kShortType || values != 1 || !in.Read16(value)) return kStoredUpright;
        return value >= 1 && value <= 8 ? value : kStoredUpright;
    }
    return kStoredUpright;
}

int ReadExifOrientation(ByteSpan app1) {
    static constexpr char kExif[] = "Exif\0";  // with the literal's own zero, six bytes
    if (app1.size() < sizeof kExif || std::memcmp(app1.data(), kExif, sizeof kExif) != 0) return kStoredUpright;
    return ReadTiffOrientation(app1.subspan(sizeof kExif));
}

}  // namespace imagelib
