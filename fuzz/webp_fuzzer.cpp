// WebP files, still and animated through their decoder, whole and scaled.
#include "fuzz/decoded_picture_check.h"
#include "imagelib/decoders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    imagelib::Dib dib;
    if (imagelib::DecodeWebp(imagelib::ByteSpan(data, size), dib).ok()) CheckDecodedPicture(dib);
    CheckScaledDecode(imagelib::DecodeWebpScaled, data, size);
    return 0;
}
