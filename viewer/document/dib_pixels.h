#pragma once

#include "viewer/document/dib_image.h"
#include "viewer/document/dib_layout.h"
#include "viewer/document/rgb_colour.h"

#include <cstdint>
#include <span>

// Colours of row `y` (counted from the top) as opaque 0xFFRRGGBB values, one per pixel of
// `out` (which holds layout.width values). Indexed pixels take their colour from the colour
// table as RGB; an index past the table reads as black.
void ReadRowRgb(const DibLayout& layout, const DibImage& image, std::uint32_t y, std::span<std::uint32_t> out);

// The mask step of transparent drawing on 0xAARRGGBB pixels: key-coloured pixels become
// fully transparent, so composing the row over the target leaves the target's own pixel
// there; every other pixel becomes opaque and replaces the target's.
void MakeKeyTransparent(std::span<std::uint32_t> pixels, RgbColour key);
