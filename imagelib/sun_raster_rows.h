#pragma once

#include "imagelib/byte_reader.h"
#include "imagelib/status.h"

#include <vector>

namespace imagelib {

// Hands out the padded pixel rows of a Sun raster file one at a time, undoing the
// byte encoding when there is one. Runs may carry on from one row into the next.
class SunRowSource {
public:
    SunRowSource(ByteReader& in, std::size_t rowBytes, bool byteEncoded);

    // Points `row` at the next rowBytes bytes; fails when the data ends first.
    Status Next(const std::uint8_t*& row);

private:
    bool NextByte(std::uint8_t& out);

    ByteReader& in_;
    std::size_t rowBytes_;
    bool byteEncoded_;
    std::vector<std::uint8_t> buffer_;
    std::uint8_t runValue_ = 0;
    std::uint32_t runLeft_ = 0;
};

}  // namespace imagelib
