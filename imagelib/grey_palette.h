#pragma once

#include "imagelib/dib.h"

namespace imagelib {

// Fills the first `levels` colour-table entries with an even ramp from black to white.
inline void FillGreyPalette(Dib& dib, std::uint32_t levels) {
    RgbQuad* table = dib.Palette();
    for (std::uint32_t i = 0; i < levels; ++i) {
        const auto v = static_cast<std::uint8_t>(levels > 1 ? i * 255 / (levels - 1) : 0);
        table[i] = RgbQuad{v, v, v, 0};
    }
}

}  // namespace imagelib
