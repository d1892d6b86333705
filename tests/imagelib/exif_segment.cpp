// The quarter colours and the Exif segments of the orientation fixtures, for every build.
#include "tests/imagelib/oriented_jpeg.h"

#include <cstring>

namespace imagelib::testing {

Rgb QuarterColour(Corner corner) {
    static constexpr Rgb kColours[] = {{220, 30, 30}, {30, 200, 40}, {30, 40, 210}, {240, 230, 60}};
    return kColours[corner];
}

namespace {

class OrderedBytes {
public:
    explicit OrderedBytes(bool bigEndian) : big_(bigEndian) {}
    void U16(std::uint32_t v) { Put(v, 2); }
    void U32(std::uint32_t v) { Put(v, 4); }
    std::vector<std::uint8_t> bytes;

private:
    void Put(std::uint32_t v, int width) {
        for (int i = 0; i < width; ++i) {
            const int shift = 8 * (big_ ? width - 1 - i : i);
            bytes.push_back(static_cast<std::uint8_t>(v >> shift));
        }
    }
    bool big_;
};

// One IFD at the writer's position: an image-width entry, then orientation if asked.
void WriteIfd(OrderedBytes& out, const ExifTag& tag, bool withOrientation, std::uint32_t next) {
    const std::uint32_t entries = withOrientation ? 2 : 1;
    out.U16(tag.entryCount ? tag.entryCount : entries);
    out.U16(0x0100);
    out.U16(4);
    out.U32(1);
    out.U32(kQuarteredWidth);
    if (withOrientation) {
        out.U16(0x0112);
        out.U16(tag.type);
        out.U32(tag.count);
        out.U16(tag.value);
        out.U16(0);
    }
    out.U32(next);
}

}  // namespace

std::vector<std::uint8_t> ExifBody(const ExifTag& tag) {
    OrderedBytes tiff(tag.bigEndian);
    tiff.bytes = {static_cast<std::uint8_t>(tag.bigEndian ? 'M' : 'I'), static_cast<std::uint8_t>(tag.bigEndian ? 'M' : 'I')};
    tiff.U16(42);
    tiff.U32(tag.ifdOffset);
    const std::uint32_t secondIfd = 8 + 2 + 2 * 12 + 4;
    WriteIfd(tiff, tag, !tag.inSecondIfd, tag.inSecondIfd ? secondIfd : tag.nextIfd);
    if (tag.inSecondIfd) {
        tiff.bytes.resize(secondIfd);
        WriteIfd(tiff, tag, true, tag.nextIfd);
    }
    if (tag.cutTo) tiff.bytes.resize(tag.cutTo);
    std::vector<std::uint8_t> body(tag.prefix, tag.prefix + std::strlen(tag.prefix));
    body.insert(body.end(), {0, 0});
    body.insert(body.end(), tiff.bytes.begin(), tiff.bytes.end());
    return body;
}

std::vector<std::uint8_t> WithSegments(const std::vector<std::uint8_t>& jpeg, std::uint8_t marker,
                                       const std::vector<std::vector<std::uint8_t>>& bodies) {
    std::vector<std::uint8_t> file(jpeg.begin(), jpeg.begin() + 2);
    for (const auto& body : bodies) {
        const std::size_t length = body.size() + 2;
        file.insert(file.end(), {0xFF, marker, static_cast<std::uint8_t>(length >> 8), static_cast<std::uint8_t>(length)});
        file.insert(file.end(), body.begin(), body.end());
    }
    file.insert(file.end(), jpeg.begin() + 2, jpeg.end());
    return file;
}

}  // namespace imagelib::testing
