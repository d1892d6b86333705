#pragma once

#include "imagelib/dib.h"

#include <cstdint>
#include <ostream>

namespace imagelib::testing {

struct Rgb {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const Rgb& c) {
    return os << "(" << c.r << "," << c.g << "," << c.b << ")";
}

// The index a 1-, 4- or 8-bit picture stores at (x, y), counted from the top.
inline int IndexAt(Dib& dib, std::uint32_t x, std::uint32_t y) {
    const std::uint8_t* row = dib.RowFromTop(y);
    switch (dib.BitsPerPixel()) {
    case 1: return (row[x / 8] >> (7 - x % 8)) & 1;
    case 4: return (row[x / 2] >> (x % 2 ? 0 : 4)) & 15;
    default: return row[x];
    }
}

// The colour shown at (x, y), through the colour table for indexed pictures.
inline Rgb ColourAt(Dib& dib, std::uint32_t x, std::uint32_t y) {
    if (dib.BitsPerPixel() == 24) {
        const std::uint8_t* p = dib.RowFromTop(y) + 3 * x;
        return {p[2], p[1], p[0]};
    }
    const RgbQuad q = dib.Palette()[IndexAt(dib, x, y)];
    return {q.red, q.green, q.blue};
}

inline bool Near(const Rgb& a, const Rgb& b, int tolerance) {
    auto close = [&](int u, int v) { return u - v <= tolerance && v - u <= tolerance; };
    return close(a.r, b.r) && close(a.g, b.g) && close(a.b, b.b);
}

}  // namespace imagelib::testing
