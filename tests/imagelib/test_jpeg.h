#pragma once

// JPEG files made with libjpeg's own encoder for the decoder's tests.
#include "tests/imagelib/dib_pixels.h"

#include <cstdio>  // jpeglib.h needs FILE
#include <jpeglib.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace imagelib::testing {

struct JpegEncoding {
    J_COLOR_SPACE space = JCS_RGB;
    bool progressive = false;
    int restartRows = 0;  // a restart marker after every this many rows of blocks
    bool subsampled = false;  // the encoder's 4:2:0 chroma (16-pixel blocks) instead of none
};

// A quality-100 file without chroma subsampling, so flat areas come back almost exactly.
// Grey takes each pixel's green; CMYK stores red, green and blue as Adobe's inverted
// C, M, Y (which the encoder marks as such) with K at 255.
std::vector<std::uint8_t> EncodeTestJpeg(std::uint32_t width, std::uint32_t height,
                                         const std::function<Rgb(std::uint32_t x, std::uint32_t y)>& pixel,
                                         const JpegEncoding& encoding = {});

}  // namespace imagelib::testing
