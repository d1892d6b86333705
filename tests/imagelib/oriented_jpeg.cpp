// The quartered picture through libjpeg.
#include "tests/imagelib/oriented_jpeg.h"

#include "tests/imagelib/test_jpeg.h"

namespace imagelib::testing {

std::vector<std::uint8_t> EncodeQuarteredJpeg() {
    return EncodeTestJpeg(kQuarteredWidth, kQuarteredHeight, [](std::uint32_t x, std::uint32_t y) {
        return QuarterColour(static_cast<Corner>((y >= kQuarteredHeight / 2 ? 2 : 0) + (x >= kQuarteredWidth / 2 ? 1 : 0)));
    });
}

}  // namespace imagelib::testing
