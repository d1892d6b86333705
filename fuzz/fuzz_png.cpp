// Feeds arbitrary bytes to the decoder; ASan/UBSan and libFuzzer's limits catch the faults.
#include "imagelib/decoders.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    imagelib::Dib dib;
    (void)imagelib::DecodePng(imagelib::ByteSpan(data, size), dib);
    return 0;
}
