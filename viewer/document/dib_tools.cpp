#include "viewer/document/dib_tools.h"

#include "imagelib/dib.h"
#include "platform/heap.h"
#include "platform/messages.h"
#include "imagelib/info_header.h"
#include "viewer/document/dib_layout.h"
#include "viewer/res/texts.h"

#include <algorithm>
#include <cstring>

using namespace dibheader;

namespace {

constexpr std::uint32_t kExpandedTableEntries = 256;

}  // namespace

void CDibTools::ReplaceBlock(imagelib::HeapBlock& slot, imagelib::HeapBlock&& fresh) const {
    slot = std::move(fresh);
    heap_.Compact();
}

std::uint32_t CDibTools::RowBytes(std::uint16_t width, std::uint16_t bitsPerPixel) {
    if (width == 0) return 0;
    const std::uint32_t w = width;
    std::uint32_t bytes = 0;
    switch (bitsPerPixel) {
    case 1: bytes = (w + 7) / 8; break;
    case 2: bytes = (w + 3) / 4; break;
    case 4: bytes = (w + 1) / 2; break;
    case 8: bytes = w; break;
    case 24: bytes = 3 * w; break;
    case 32: bytes = 4 * w; break;
    default: return 0;
    }
    return (bytes + 3) / 4 * 4;
}

int CDibTools::PaletteSize(std::uint16_t bitsPerPixel, std::uint32_t coloursUsed) {
    if (coloursUsed > 256) return -1;
    if (coloursUsed != 0) return static_cast<int>(coloursUsed);
    switch (bitsPerPixel) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    case 16:
    case 24:
    case 32: return 0;
    default: return -1;
    }
}

void CDibTools::CopyDib(const DibImage& source, DibImage& destination) const {
    if (source.header.empty() || source.bits.empty()) return;
    if (!destination.header.empty() || !destination.bits.empty()) return;
    if (source.header.size() < kInfoHeaderBytes) return;
    const std::uint8_t* h = source.header.data();
    const int entries = PaletteSize(Get16(h, kBitCountField), Get32(h, kColoursUsedField));
    if (entries < 0) return;
    const std::size_t headerBytes = kInfoHeaderBytes + 4u * static_cast<std::size_t>(entries);
    const std::uint32_t imageSize = Get32(h, kImageSizeField);
    // A header that claims more than its blocks hold would make the copy read past them.
    if (source.header.size() < headerBytes || source.bits.size() < imageSize) return;

    destination.header = imagelib::HeapBlock::Allocate(headerBytes);
    if (destination.header.empty()) return;
    std::memcpy(destination.header.data(), h, headerBytes);
    destination.bits = imagelib::HeapBlock::Allocate(imageSize);
    if (!destination.bits.empty()) std::memcpy(destination.bits.data(), source.bits.data(), imageSize);
}

void CDibTools::FreeDib(DibImage& image) const {
    if (!image.header.empty()) ReplaceBlock(image.header, {});
    if (!image.bits.empty()) ReplaceBlock(image.bits, {});
    image.palette.reset();
}

void CDibTools::CreateDibPalette(DibImage& image) const {
    if (image.header.empty()) {
        ShowInvalidImagePointer(texts::kInvalidImagePointer113);
        return;
    }
    if (image.header.size() < kInfoHeaderBytes) return;
    const std::uint8_t* h = image.header.data();
    const int entries = PaletteSize(Get16(h, kBitCountField), Get32(h, kColoursUsedField));
    if (entries <= 0) return;
    if (image.header.size() < kInfoHeaderBytes + 4u * static_cast<std::size_t>(entries)) return;

    ColourPalette palette;
    palette.entries.resize(static_cast<std::size_t>(entries));
    for (std::size_t i = 0; i < palette.entries.size(); ++i) {
        const std::uint8_t* quad = TableEntry(image.header, i);
        palette.entries[i] = {quad[2], quad[1], quad[0], 0};
    }
    image.palette = std::move(palette);
}

bool CDibTools::ExpandTo8Bits(DibImage& image) const {
    if (image.header.empty() || image.bits.empty()) {
        ShowInvalidImagePointer(texts::kInvalidImagePointer109);
        return false;
    }
    const auto layout = ReadDibLayout(image.header, image.bits);
    if (!layout) return false;
    const std::uint16_t depth = layout->bitsPerPixel;
    if (depth != 1 && depth != 2 && depth != 4) return false;

    const std::uint32_t perByte = 8u / depth;
    const std::uint32_t mask = (1u << depth) - 1;
    const std::uint32_t newStride = RowBytes(layout->width, 8);
    // Eight times the pixels of a 1-bit picture may pass the limit its decoder kept to.
    const std::uint64_t newSize = static_cast<std::uint64_t>(newStride) * layout->height;
    if (newSize > imagelib::kMaxPixelBytes) return false;
    imagelib::HeapBlock bits = imagelib::HeapBlock::Allocate(static_cast<std::size_t>(newSize));
    imagelib::HeapBlock header = imagelib::HeapBlock::Allocate(kInfoHeaderBytes + 4 * kExpandedTableEntries);
    if (bits.empty() || header.empty()) return false;

    for (std::size_t y = 0; y < layout->height; ++y) {
        const std::uint8_t* from = image.bits.data() + y * layout->stride;
        std::uint8_t* to = bits.data() + y * newStride;
        for (std::uint32_t j = 0; j < layout->width; ++j) {
            // The most significant bits of a byte hold its leftmost pixel.
            const std::uint32_t shift = depth * (perByte - 1 - j % perByte);
            to[j] = static_cast<std::uint8_t>((from[j / perByte] >> shift) & mask);
        }
    }

    std::uint8_t* h = header.data();
    Put32(h, kSizeField, kInfoHeaderBytes);
    Put32(h, kWidthField, layout->width);
    Put32(h, kHeightField, layout->height);
    Put16(h, kPlanesField, 1);
    Put16(h, kBitCountField, 8);
    Put32(h, kCompressionField, kPlainRgb);
    Put32(h, kImageSizeField, static_cast<std::uint32_t>(newSize));
    Put32(h, kColoursUsedField, kExpandedTableEntries);
    // Only the entries the old table really has are copied; a short table (colours used
    // below 2^depth) leaves the rest white instead of reading past it.
    const std::uint32_t kept = std::min<std::uint32_t>(1u << depth, layout->tableEntries);
    for (std::uint32_t i = 0; i < kExpandedTableEntries; ++i) {
        std::uint8_t* quad = h + kInfoHeaderBytes + 4 * i;
        if (i < kept)
            std::memcpy(quad, TableEntry(image.header, i), 3);
        else
            std::memset(quad, 0xFF, 3);
    }

    ReplaceBlock(image.bits, std::move(bits));
    ReplaceBlock(image.header, std::move(header));
    return true;
}

bool CDibTools::ResampleDib(DibImage& image, std::uint16_t newWidth, std::uint16_t newHeight) const {
    if (image.header.empty() || image.bits.empty()) {
        ShowInvalidImagePointer(texts::kInvalidImagePointer108);
        return false;
    }
    if (newWidth == 0 || newHeight == 0) return false;
    auto layout = ReadDibLayout(image.header, image.bits);
    if (!layout) return false;
    if (layout->bitsPerPixel < 8) {
        if (!ExpandTo8Bits(image)) return false;
        layout = ReadDibLayout(image.header, image.bits);
        if (!layout) return false;
    }
    const std::uint32_t oldStride = layout->stride;
    const std::uint32_t newStride = RowBytes(newWidth, layout->bitsPerPixel);
    if (oldStride == 0 || newStride == 0) return false;
    const std::uint64_t newSize = static_cast<std::uint64_t>(newStride) * newHeight;
    if (newSize > imagelib::kMaxPixelBytes) return false;
    imagelib::HeapBlock bits = imagelib::HeapBlock::Allocate(static_cast<std::size_t>(newSize));
    if (bits.empty()) return false;

    // 8, 24 and 32 bits copy whole pixels; no other depth reaches here with a row size.
    const std::uint32_t pixelBytes = layout->bitsPerPixel / 8u;
    for (std::uint32_t y = 0; y < newHeight; ++y) {
        const auto sourceRow = static_cast<std::uint16_t>((y * layout->height) / newHeight);
        const std::uint8_t* from = image.bits.data() + static_cast<std::size_t>(sourceRow) * oldStride;
        std::uint8_t* to = bits.data() + static_cast<std::size_t>(y) * newStride;
        for (std::uint32_t x = 0; x < newWidth; ++x) {
            const auto sourceColumn = static_cast<std::uint16_t>((x * layout->width) / newWidth);
            std::memcpy(to + x * pixelBytes, from + sourceColumn * pixelBytes, pixelBytes);
        }
    }

    std::uint8_t* h = image.header.data();
    Put32(h, kWidthField, newWidth);
    Put32(h, kHeightField, newHeight);
    Put32(h, kImageSizeField, static_cast<std::uint32_t>(newSize));
    ReplaceBlock(image.bits, std::move(bits));
    return true;
}

bool CDibTools::LoadDibResource(const BitmapResources& module, int number, DibImage& target) const {
    if (!target.header.empty() || !target.bits.empty()) {
        ShowInvalidImagePointer(texts::kInvalidImagePointer133);
        return false;
    }
    imagelib::HeapBlock resource = module.Load(number);
    if (resource.empty()) {
        messages_.Show(platform::Warning(texts::kResourceNotFound));
        return false;
    }
    target.header = std::move(resource);
    const imagelib::HeapBlock& header = target.header;
    if (header.size() < kInfoHeaderBytes) return false;
    const std::uint8_t* h = header.data();
    const std::uint16_t depth = Get16(h, kBitCountField);
    const int entries = PaletteSize(depth, Get32(h, kColoursUsedField));
    if (entries < 0) return false;
    const std::uint32_t width = Get32(h, kWidthField);
    const std::uint32_t height = Get32(h, kHeightField);
    // Sides that do not fit 16 bits (a top-down bitmap's negative height among them) are
    // refused rather than cut down to a smaller picture.
    if (width > 0xFFFF || height > 0xFFFF) return false;
    const std::uint32_t rowBytes = RowBytes(static_cast<std::uint16_t>(width), depth);
    if (rowBytes == 0) return false;

    const std::uint64_t offset = static_cast<std::uint64_t>(Get32(h, kSizeField)) + 4u * static_cast<std::uint32_t>(entries);
    const std::uint64_t count = static_cast<std::uint64_t>(rowBytes) * height;
    if (offset + count > header.size()) return false;
    target.bits = imagelib::HeapBlock::Allocate(static_cast<std::size_t>(count));
    if (target.bits.empty()) return false;
    std::memcpy(target.bits.data(), h + offset, static_cast<std::size_t>(count));
    return true;
}

void CDibTools::ShowInvalidImagePointer(const char* text) const {
    platform::Message message;
    message.text = text;
    message.caption = texts::kPictureErrorCaption;
    message.icon = platform::MessageIcon::None;
    message.taskModal = true;
    messages_.Show(message);
}
