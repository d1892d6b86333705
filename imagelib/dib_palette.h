#pragma once

#include "imagelib/dib.h"

namespace imagelib {

// Entries 0..count-1 of the colour table become an even ramp from black to white.
void SetGreyPalette(Dib& dib, std::uint32_t count);

// Sets one colour-table entry from red, green, blue.
inline void SetPaletteEntry(Dib& dib, std::uint32_t index, std::uint8_t red, std::uint8_t green,
                            std::uint8_t blue) {
    RgbQuad& q = dib.Palette()[index];
    q.red = red;
    q.green = green;
    q.blue = blue;
    q.reserved = 0;
}

}  // namespace imagelib
