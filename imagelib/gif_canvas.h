#pragma once

#include "imagelib/dib.h"

#include <array>
#include <cstdint>

namespace imagelib {

// The colour table one GIF image is drawn with; entries past `count` are black.
struct GifPalette {
    std::array<RgbQuad, 256> colours{};
    int count = 0;
    bool operator==(const GifPalette& other) const;
};

// Part of the logical screen, already clipped to it.
struct GifRect {
    std::uint32_t left = 0, top = 0, width = 0, height = 0;
    bool empty() const { return width == 0 || height == 0; }
};

// The logical screen while a GIF's images are composed onto it: indexed while every
// image shares one colour table, true colour otherwise or once black is needed and the
// table has no black entry to spare.
class GifCanvas {
public:
    // `shared` is the table of all images when they share one (null otherwise); `black`
    // is an index of it that shows black, or -1.
    Status Start(std::uint32_t width, std::uint32_t height, const GifPalette* shared, int black);

    // Draws `count` indices at (left, y); `transparent` ones leave what is below.
    void DrawRow(std::uint32_t y, std::uint32_t left, const std::uint8_t* indices, std::uint32_t count,
                 const GifPalette& palette, int transparent);
    Status FillBlack(const GifRect& rect);
    // Keeps what `rect` shows so Restore can put it back; false without memory for it.
    bool Save(const GifRect& rect);
    void Restore(const GifRect& rect);

    Dib Finish();

private:
    Status ToTrueColour();
    std::uint32_t BytesPerPixel() const { return indexed_ ? 1 : 3; }

    Dib dib_;
    bool indexed_ = false;
    int black_ = -1;
    HeapBlock saved_;
};

}  // namespace imagelib
