#pragma once

#include "tests/imagelib/rgb_image.h"

#include <optional>
#include <vector>

namespace imagelib_test {

// The gamma a PNG file declares in its gAMA chunk (stored = linear ^ gamma), unless an
// sRGB chunk says the samples are sRGB already.
std::optional<double> DeclaredPngGamma(const std::vector<std::uint8_t>& png);

// Whether `expected` is `actual` (stored samples) converted from `gamma` to sRGB, as a
// colour-managed reference decoder writes it. Each channel may differ by what one level
// of input rounding becomes after the conversion, plus one.
bool MatchesAfterGamma(const RgbImage& actual, const RgbImage& expected, double gamma);

}  // namespace imagelib_test
