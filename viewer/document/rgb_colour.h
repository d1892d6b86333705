#pragma once

#include <cstdint>

// A colour as red, green and blue bytes (the key colour of transparent drawing, label colours).
struct RgbColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const RgbColour&) const = default;
};
