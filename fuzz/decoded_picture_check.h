#pragma once

#include "imagelib/decoders.h"
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

// The scaled decode at a reduction the input picks: what it makes has the full sides the
// scale states, divided by 2^reduction and rounded up.
template <typename ScaledDecode>
void CheckScaledDecode(ScaledDecode decode, const std::uint8_t* data, std::size_t size) {
    const int reduction = static_cast<int>(size % 4);
    if (reduction == 0) return;
    imagelib::Dib scaled;
    imagelib::PictureScale scale;
    if (!decode(imagelib::ByteSpan(data, size), imagelib::FixedReduction(reduction), scaled, scale).ok()) return;
    CheckDecodedPicture(scaled);
    const std::uint32_t step = 1u << scale.reduction;
    if (scaled.Width() != (scale.fullWidth + step - 1) / step || scaled.Height() != (scale.fullHeight + step - 1) / step)
        std::abort();
}
