#pragma once

// The HEIF, AVIF and WebP fixtures in tests/imagelib/modern, drawn and encoded by
// make_fixtures.py there, and the pictures they are compared with.
#include "imagelib/decoders.h"
#include "tests/imagelib/rgb_image.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace imagelib_test {

inline std::vector<std::uint8_t> Fixture(const std::string& name) {
    const char* source = std::getenv("VARNELLE_SOURCE_DIR");
    const std::vector<std::uint8_t> bytes = ReadBytes(std::string(source ? source : ".") + "/tests/imagelib/modern/" + name);
    EXPECT_FALSE(bytes.empty()) << name;
    return bytes;
}

inline imagelib::ByteSpan Span(const std::vector<std::uint8_t>& bytes) { return {bytes.data(), bytes.size()}; }

// A fixture's source picture as our PNG decoder gives it (alpha over black).
inline RgbImage Source(const std::string& png) {
    const std::vector<std::uint8_t> bytes = Fixture(png);
    imagelib::Dib dib;
    EXPECT_TRUE(imagelib::DecodePng(Span(bytes), dib).ok()) << png;
    return FromDib(dib);
}

}  // namespace imagelib_test
