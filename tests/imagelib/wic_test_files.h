#pragma once

// Test pictures for the Windows build: files written by the Windows Imaging Component's
// own encoders, and TIFF and GIF files built byte by byte where the test needs every
// field (orientation, image offsets, delays, disposal).
#include <windows.h>
#include <wincodec.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace imagelib::testing {

// Top-down BGRA pixels of width * height.
struct Bgra {
    std::uint8_t b = 0, g = 0, r = 0, a = 255;
};
using Picture = std::vector<Bgra>;

// The picture in `container`'s format (JPEG at the best quality WIC writes); empty when
// WIC cannot write it.
std::vector<std::uint8_t> EncodeWithWic(const GUID& container, const Picture& pixels, std::uint32_t width,
                                        std::uint32_t height);

// An uncompressed 8-bit RGB TIFF in one strip, with an orientation tag when it is not 0.
std::vector<std::uint8_t> RgbTiff(std::uint32_t width, std::uint32_t height,
                                  const std::function<Bgra(std::uint32_t, std::uint32_t)>& pixel,
                                  std::uint16_t orientation = 0);

struct GifImage {
    std::uint16_t left = 0, top = 0, width = 0, height = 0;
    std::vector<std::uint8_t> indices;  // width * height, top-down
    std::uint16_t delay = 0;
    int disposal = 0;
    int transparent = -1;
};

// A GIF89a of the given logical screen and global colour table (up to 256 entries of
// red, green, blue), its images LZW-coded without compression.
std::vector<std::uint8_t> BuildGif(std::uint16_t width, std::uint16_t height, const std::vector<Bgra>& colours,
                                   const std::vector<GifImage>& images, bool looping = false);

}  // namespace imagelib::testing
