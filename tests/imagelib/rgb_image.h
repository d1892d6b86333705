#pragma once

#include "imagelib/dib.h"

#include <cstdint>
#include <string>
#include <vector>

namespace imagelib_test {

// A picture as top-down red, green, blue bytes, the form references are compared in.
struct RgbImage {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<std::uint8_t> rgb;

    const std::uint8_t* At(std::uint32_t x, std::uint32_t y) const { return &rgb[(std::size_t{y} * width + x) * 3]; }
};

// The whole content of a file; empty when it cannot be read.
std::vector<std::uint8_t> ReadBytes(const std::string& path);

// Red, green, blue, alpha pixels laid over black like the decoders do.
RgbImage FromRgbaOverBlack(const std::vector<std::uint8_t>& rgba, std::uint32_t width, std::uint32_t height);

// Expands a decoded picture (palette depths through its colour table) to RGB.
RgbImage FromDib(const imagelib::Dib& dib);

// Binary PPM (P6, maxval 255) as the reference folders hold them.
bool ReadPpm(const std::string& path, RgbImage& out);

// A PNG rendering, with any alpha laid over black like the decoders do.
bool ReadPng(const std::string& path, RgbImage& out);

struct Difference {
    bool sameSize = false;
    int maxChannelDiff = 0;
    std::size_t pixelsBeyond = 0;  // pixels off by more than the tolerance
    std::uint32_t firstX = 0, firstY = 0;
};

Difference Compare(const RgbImage& actual, const RgbImage& expected, int tolerance);
std::string Describe(const Difference& d, const RgbImage& actual, const RgbImage& expected);

}  // namespace imagelib_test
