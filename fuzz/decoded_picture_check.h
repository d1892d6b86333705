#pragma once

#include "imagelib/dib.h"

#include <cstdlib>

// A decoder that reports success must hand over a consistent picture: header and pixel
// block sizes that agree with the width, height and depth it states.
inline void CheckDecodedPicture(const imagelib::Dib& dib) {
    const std::uint64_t stride = imagelib::PaddedRowBytes(dib.Width(), dib.BitsPerPixel());
    const bool consistent = !dib.header.empty() && !dib.bits.empty() && dib.Width() > 0 && dib.Height() > 0 &&
                            dib.bits.size() == stride * dib.Height() &&
                            dib.header.size() == imagelib::kInfoHeaderSize + 4u * dib.ColoursUsed();
    if (!consistent) std::abort();
}
