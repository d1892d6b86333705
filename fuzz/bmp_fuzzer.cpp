#include "fuzz/decoded_picture_check.h"
#include "imagelib/decoders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    imagelib::Dib dib;
    if (imagelib::DecodeBmp(imagelib::ByteSpan(data, size), dib).ok()) CheckDecodedPicture(dib);
    return 0;
}
