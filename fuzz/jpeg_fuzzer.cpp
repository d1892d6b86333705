#include "fuzz/decoded_picture_check.h"
#include "imagelib/decoders.h"

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
    return 0;
}
