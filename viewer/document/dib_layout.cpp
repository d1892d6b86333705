#include "viewer/document/dib_layout.h"

#include "imagelib/info_header.h"
#include "viewer/document/dib_tools.h"

std::optional<DibLayout> ReadDibLayout(const imagelib::HeapBlock& header, const imagelib::HeapBlock& bits) {
    using namespace dibheader;
    if (header.size() < kInfoHeaderBytes || bits.empty()) return std::nullopt;
    const std::uint8_t* h = header.data();
    // Top-down rows (negative height) and compressed rows are not pictures these tools handle.
    if (Get32(h, kCompressionField) != kPlainRgb) return std::nullopt;
    const std::uint32_t width = Get32(h, kWidthField);
    const std::uint32_t height = Get32(h, kHeightField);
    if (width == 0 || height == 0 || width > 0xFFFF || height > 0xFFFF) return std::nullopt;

    DibLayout layout;
    layout.width = static_cast<std::uint16_t>(width);
    layout.height = static_cast<std::uint16_t>(height);
    layout.bitsPerPixel = Get16(h, kBitCountField);
    const int entries = CDibTools::PaletteSize(layout.bitsPerPixel, Get32(h, kColoursUsedField));
    if (entries < 0) return std::nullopt;
    layout.tableEntries = static_cast<std::uint32_t>(entries);
    layout.stride = CDibTools::RowBytes(layout.width, layout.bitsPerPixel);
    if (layout.stride == 0) return std::nullopt;
    if (header.size() < kInfoHeaderBytes + 4u * layout.tableEntries) return std::nullopt;
    if (bits.size() < static_cast<std::uint64_t>(layout.stride) * layout.height) return std::nullopt;
    return layout;
}
