#pragma once

#include "imagelib/byte_reader.h"
#include "imagelib/status.h"

namespace imagelib {

// The header of a netpbm file: P1-P6, or a P7 arbitrary map with 1-4 channels.
struct PnmHeader {
    char kind = 0;  // '1'..'7'
    std::uint32_t width = 0, height = 0, maxValue = 1;
    unsigned channels = 1;  // samples a pixel, alpha last when there is one
    bool alpha = false;

    bool Plain() const { return kind <= '3'; }
    bool Bitmap() const { return kind == '1' || kind == '4'; }
    bool Colour() const { return channels >= 3; }
};

// Reads the header, leaving `in` at the first sample.
Status ReadPnmHeader(ByteReader& in, PnmHeader& h);

// Skips white space and '#' comments (which run to the end of their line).
void SkipPnmSpace(ByteReader& in);

// A decimal number after optional white space; refuses signs and values above `limit`.
Status ReadPnmNumber(ByteReader& in, std::uint32_t limit, std::uint32_t& out);

}  // namespace imagelib
