#include "imagelib/jp2_boxes.h"

#include <cstring>

namespace imagelib {
namespace {

struct Box {
    std::uint32_t type = 0;
    ByteSpan content;
};

constexpr std::uint32_t Tag(const char (&s)[5]) {
    return (static_cast<std::uint32_t>(s[0]) << 24) | (static_cast<std::uint32_t>(s[1]) << 16) |
           (static_cast<std::uint32_t>(s[2]) << 8) | static_cast<std::uint32_t>(s[3]);
}

// Reads one box: 32-bit length (1: a 64-bit length follows, 0: to the end) and type.
bool NextBox(ByteReader& in, Box& box) {
    const std::size_t start = in.Position();
    std::uint32_t length = 0;
    if (!in.ReadBE32(length) || !in.ReadBE32(box.type)) return false;
    std::uint64_t total = length;
    if (length == 1) {
        std::uint32_t high = 0, low = 0;
        if (!in.ReadBE32(high) || !in.ReadBE32(low)) return false;
        total = (static_cast<std::uint64_t>(high) << 32) | low;
    } else if (length == 0) {
        total = in.Size() - start;
    }
    const std::size_t headerSize = in.Position() - start;
    if (total < headerSize || total - headerSize > in.Remaining()) return false;
    return in.ReadBytes(static_cast<std::size_t>(total - headerSize), box.content);
}

}  // namespace

bool Jp2NeedsWholeImageDecode(ByteSpan file) {
    ByteReader top(file);
    Box box;
    while (NextBox(top, box)) {
        if (box.type != Tag("jp2h")) continue;
        ByteReader inner(box.content);
        Box child;
        while (NextBox(inner, child))
            if (child.type == Tag("pclr") || child.type == Tag("cdef")) return true;
        return false;
    }
    // No readable header box: let OpenJPEG's whole-image path judge the file.
    return true;
}

}  // namespace imagelib
