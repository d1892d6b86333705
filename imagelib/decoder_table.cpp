#include "imagelib/decoders.h"

#include <initializer_list>

namespace imagelib {
namespace {

struct DecoderEntry {
    ImageFormat format;
    DecodeFunction decode;
};

// Formats without an entry (ICO, WBMP, WMF/EMF, PGX) are never asked for by the viewer.
constexpr std::initializer_list<DecoderEntry> kDecoders = {
    {FORMAT_BMP, DecodeBmp},
    {FORMAT_TGA, DecodeTga},
    {FORMAT_PCX, DecodePcx},
    {FORMAT_PNM, DecodePnm},
    {FORMAT_RAS, DecodeSunRaster},
#if !defined(_WIN32)
    {FORMAT_GIF, DecodeGif},
    {FORMAT_JPEG, DecodeJpeg},
    {FORMAT_PNG, DecodePng},
    {FORMAT_TIFF, DecodeTiff},
    {FORMAT_JP2, DecodeJpeg2000},
    {FORMAT_JPC, DecodeJpeg2000},
#endif
};

}  // namespace

Status DecodeImage(ByteSpan file, ImageFormat format, Dib& out) {
    for (const auto& entry : kDecoders)
        if (entry.format == format) return entry.decode(file, out);
    return Status::Error("Unsupported image format");
}

Status DecodeImageScaled(ByteSpan file, ImageFormat format, [[maybe_unused]] const ReductionRule& rule, Dib& out,
                         PictureScale& scale) {
#if !defined(_WIN32)
    if (format == FORMAT_JPEG) return DecodeJpegScaled(file, rule, out, scale);
    if (format == FORMAT_JP2 || format == FORMAT_JPC) return DecodeJpeg2000Scaled(file, rule, out, scale);
#endif
    IMAGELIB_TRY(DecodeImage(file, format, out));
    scale = {out.Width(), out.Height(), 0};
    return Status::Ok();
}

}  // namespace imagelib
