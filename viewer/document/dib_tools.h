#pragma once

#include "imagelib/heap_block.h"
#include "viewer/document/dib_image.h"

#include <cstdint>

namespace platform {
class Heap;
class MessageSink;
}  // namespace platform

// Where LoadDibResource finds the program's bitmaps: the Qt resources in the program,
// a fake in tests.
class BitmapResources {
public:
    virtual ~BitmapResources() = default;
    // The bitmap as a packed picture (info header, colour table, rows); empty when missing.
    virtual imagelib::HeapBlock Load(int number) const = 0;
};

// The stateless picture operations the viewer uses on a DibImage. Widths, heights and
// depths are unsigned 16-bit values, as the tools have always taken them. The drawing
// operations need Qt and live in dib_drawing.h.
class CDibTools {
public:
    // `heap` is compacted after each picture block the tools release.
    CDibTools(platform::MessageSink& messages, platform::Heap& heap) : messages_(messages), heap_(heap) {}

    // Bytes of one row padded to 4; 0 for width 0 or a depth without a row size (16).
    static std::uint32_t RowBytes(std::uint16_t width, std::uint16_t bitsPerPixel);
    // Colour-table entries, or -1 when the depth or count is invalid.
    static int PaletteSize(std::uint16_t bitsPerPixel, std::uint32_t coloursUsed);

    // Fills an empty destination with copies of the source's header and pixel blocks.
    void CopyDib(const DibImage& source, DibImage& destination) const;
    // Releases all three parts, compacting the heap after each picture block.
    void FreeDib(DibImage& image) const;
    void CreateDibPalette(DibImage& image) const;
    // Converts 1, 2 or 4 bits per pixel to 8; the palette is left for the caller to remake.
    bool ExpandTo8Bits(DibImage& image) const;
    // Nearest-neighbour resize in place; depths below 8 are expanded first.
    bool ResampleDib(DibImage& image, std::uint16_t newWidth, std::uint16_t newHeight) const;
    // Fills an empty target from bitmap resource `number`.
    bool LoadDibResource(const BitmapResources& module, int number, DibImage& target) const;

    // The task-modal "Invalid image pointer" box with the given text.
    void ShowInvalidImagePointer(const char* text) const;

private:
    // Swaps in a new block and gives the old one back to the system at once.
    void ReplaceBlock(imagelib::HeapBlock& slot, imagelib::HeapBlock&& fresh) const;

    platform::MessageSink& messages_;
    platform::Heap& heap_;
};
