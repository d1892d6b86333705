#include "imagelib/tiff_compression.h"

#include <tiffio.h>

namespace imagelib {

bool IsReadableTiffCompression(std::uint16_t compression) {
    switch (compression) {
    case COMPRESSION_NONE:
    case COMPRESSION_CCITTRLE:
    case COMPRESSION_CCITTRLEW:
    case COMPRESSION_CCITTFAX3:
    case COMPRESSION_CCITTFAX4:
    case COMPRESSION_LZW:
    case COMPRESSION_OJPEG:
    case COMPRESSION_JPEG:
    case COMPRESSION_ADOBE_DEFLATE:
    case COMPRESSION_DEFLATE:
    case COMPRESSION_PACKBITS:
    // LogLuv is libtiff's own code, under its allocation cap.
    case COMPRESSION_SGILOG:
    case COMPRESSION_SGILOG24:
    // libtiff checks a WebP stream's size against the strip's before decoding it.
    case COMPRESSION_WEBP:
        return true;
    default:
        return false;
    }
}

}  // namespace imagelib
