// HEIF and HEIC files through their decoder, whole and scaled.
#include "fuzz/decoded_picture_check.h"
#include "imagelib/decoders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    imagelib::Dib dib;
    if (imagelib::DecodeHeif(imagelib::ByteSpan(data, size), dib).ok()) CheckDecodedPicture(dib);
    CheckScaledDecode(imagelib::DecodeHeifScaled, data, size);
    return 0;
}
