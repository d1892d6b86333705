#include "fuzz/decoded_picture_check.h"
#include "imagelib/decoders.h"

#include <algorithm>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    imagelib::Dib dib;
    if (imagelib::DecodeJpeg(imagelib::ByteSpan(data, size), dib).ok()) CheckDecodedPicture(dib);
    // The scaled decode too, at a reduction the input picks; its sides are the full ones
    // divided and rounded up.
    const int reduction = static_cast<int>(size % 4);
    imagelib::Dib scaled;
    imagelib::PictureScale scale;
    if (reduction > 0 &&
        imagelib::DecodeJpegScaled(imagelib::ByteSpan(data, size), imagelib::FixedReduction(reduction), scaled, scale)
            .ok()) {
        CheckDecodedPicture(scaled);
        const std::uint32_t step = 1u << scale.reduction;
        if (scaled.Width() != (scale.fullWidth + step - 1) / step || scaled.Height() != (scale.fullHeight + step - 1) / step)
            std::abort();
    }
    // And a region whose place and size the input picks; it lies inside the reduced picture
    // and holds what was asked of it.
    const imagelib::PixelRect wanted{static_cast<std::uint32_t>(size % 97), static_cast<std::uint32_t>(size % 61),
                                     static_cast<std::uint32_t>(1 + size % 131), static_cast<std::uint32_t>(1 + size % 89)};
    imagelib::Dib part;
    imagelib::PixelRect region;
    if (imagelib::DecodeJpegRegion(imagelib::ByteSpan(data, size), reduction, wanted, part, region, scale).ok()) {
        CheckDecodedPicture(part);
        const std::uint32_t step = 1u << scale.reduction;
        const std::uint32_t width = (scale.fullWidth + step - 1) / step, height = (scale.fullHeight + step - 1) / step;
        if (part.Width() != region.width || part.Height() != region.height || region.left > wanted.left ||
            region.top != wanted.top || region.left + region.width > width || region.top + region.height > height ||
            region.left + region.width < std::min(wanted.left + wanted.width, width))
            std::abort();
    }
    return 0;
}
