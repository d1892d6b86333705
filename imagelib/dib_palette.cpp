#include "imagelib/dib_palette.h"

#include "imagelib/pixel_math.h"

namespace imagelib {

void SetGreyPalette(Dib& dib, std::uint32_t count) {
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint8_t level = ScaleToByte(i, count - 1);
        SetPaletteEntry(dib, i, level, level, level);
    }
}

}  // namespace imagelib
