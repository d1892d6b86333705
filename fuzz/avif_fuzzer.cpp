// AVIF files through their decoder, whole and scaled.
#include "fuzz/decoded_picture_check.h"
#include "imagelib/decoders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    imagelib::Dib dib;
    if (imagelib::DecodeAvif(imagelib::ByteSpan(data, size), dib).ok()) CheckDecodedPicture(dib);
    CheckScaledDecode(imagelib::DecodeAvifScaled, data, size);
    return 0;
}
