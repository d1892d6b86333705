#pragma once

#include "imagelib/byte_reader.h"
#include "imagelib/dib.h"
#include "imagelib/image_format.h"

namespace imagelib {

// Every decoder takes the whole file and fills `out` only on success.
using DecodeFunction = Status (*)(ByteSpan file, Dib& out);

Status DecodeBmp(ByteSpan file, Dib& out);
Status DecodeGif(ByteSpan file, Dib& out);
Status DecodeJpeg(ByteSpan file, Dib& out);
Status DecodePng(ByteSpan file, Dib& out);
Status DecodeTiff(ByteSpan file, Dib& out);
Status DecodeTga(ByteSpan file, Dib& out);
Status DecodePcx(ByteSpan file, Dib& out);
Status DecodeJpeg2000(ByteSpan file, Dib& out);
Status DecodePnm(ByteSpan file, Dib& out);
Status DecodeSunRaster(ByteSpan file, Dib& out);

// Decodes `file` as `format` through the decoder table.
Status DecodeImage(ByteSpan file, ImageFormat format, Dib& out);

}  // namespace imagelib
