#include "fuzz/decoded_picture_check.h"
#include "imagelib/decoders.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    imagelib::Dib dib;
    if (imagelib::DecodeJpeg2000(imagelib::ByteSpan(data, size), dib).ok()) CheckDecodedPicture(dib);
    // The reduced decode too, at a reduction the input picks; never larger than the full one.
    const int reduction = static_cast<int>(size % 4);
    imagelib::Dib scaled;
    imagelib::PictureScale scale;
    if (reduction > 0 && imagelib::DecodeJpeg2000Scaled(imagelib::ByteSpan(data, size),
                                                        imagelib::FixedReduction(reduction), scaled, scale)
                             .ok()) {
        CheckDecodedPicture(scaled);
        if (scaled.Width() > scale.fullWidth || scaled.Height() > scale.fullHeight) std::abort();
    }
    return 0;
}
