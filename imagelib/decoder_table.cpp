#include "imagelib/decoders.h"

#include <initializer_list>

namespace imagelib {
namespace {

using ScaledDecodeFunction = Status (*)(ByteSpan file, const ReductionRule& rule, Dib& out, PictureScale& scale);

struct DecoderEntry {
    ImageFormat format;
    DecodeFunction decode;
    ScaledDecodeFunction decodeScaled;  // null: the format is decoded at full size only
};

#if defined(_WIN32)
// Windows has no JPEG 2000 codec, and Windows' own HEIF, AVIF and WebP codecs are add-ons a
// machine may lack: such a slide is one that cannot be decoded.
Status RefuseJpeg2000(ByteSpan, Dib&) { return Status::Error("No JPEG 2000 decoder on Windows"); }
Status RefuseNewerPhoto(ByteSpan, Dib&) { return Status::Error("No HEIF, AVIF or WebP decoder on Windows"); }
#endif

// Formats without an entry (ICO, WBMP, WMF/EMF, PGX) are never asked for by the viewer.
// JPEG, PNG, TIFF and GIF go through the system's codecs: the Debian libraries on Linux,
// the Windows Imaging Component on Windows.
constexpr std::initializer_list<DecoderEntry> kDecoders = {
    {FORMAT_BMP, DecodeBmp, nullptr},
    {FORMAT_TGA, DecodeTga, nullptr},
    {FORMAT_PCX, DecodePcx, nullptr},
    {FORMAT_PNM, DecodePnm, nullptr},
    {FORMAT_RAS, DecodeSunRaster, nullptr},
    {FORMAT_GIF, DecodeGif, nullptr},
    {FORMAT_JPEG, DecodeJpeg, DecodeJpegScaled},
    {FORMAT_PNG, DecodePng, nullptr},
    {FORMAT_TIFF, DecodeTiff, nullptr},
#if defined(_WIN32)
    {FORMAT_JP2, RefuseJpeg2000, nullptr},
    {FORMAT_JPC, RefuseJpeg2000, nullptr},
    {FORMAT_HEIF, RefuseNewerPhoto, nullptr},
    {FORMAT_AVIF, RefuseNewerPhoto, nullptr},
    {FORMAT_WEBP, RefuseNewerPhoto, nullptr},
#else
    {FORMAT_JP2, DecodeJpeg2000, DecodeJpeg2000Scaled},
    {FORMAT_JPC, DecodeJpeg2000, DecodeJpeg2000Scaled},
    {FORMAT_HEIF, DecodeHeif, DecodeHeifScaled},
    {FORMAT_AVIF, DecodeAvif, DecodeAvifScaled},
    {FORMAT_WEBP, DecodeWebp, DecodeWebpScaled},
#endif
};

const DecoderEntry* EntryFor(ImageFormat format) {
    for (const auto& entry : kDecoders)
        if (entry.format == format) return &entry;
    return nullptr;
}

}  // namespace

Status DecodeImage(ByteSpan file, ImageFormat format, Dib& out) {
    const DecoderEntry* entry = EntryFor(format);
    return entry ? entry->decode(file, out) : Status::Error("Unsupported image format");
}

Status DecodeImageScaled(ByteSpan file, ImageFormat format, const ReductionRule& rule, Dib& out,
                         PictureScale& scale) {
    const DecoderEntry* entry = EntryFor(format);
    if (entry && entry->decodeScaled) return entry->decodeScaled(file, rule, out, scale);
    IMAGELIB_TRY(DecodeImage(file, format, out));
    scale = {out.Width(), out.Height(), 0};
    return Status::Ok();
}

Status DecodeImageRegion(ByteSpan file, ImageFormat format, int reduction, const PixelRect& wanted, Dib& out,
                         PixelRect& region, PictureScale& scale) {
#if defined(_WIN32)
    (void)file, (void)format, (void)reduction, (void)wanted, (void)out, (void)region, (void)scale;
    return Status::Error("No region decoder on Windows");
#else
    if (format != FORMAT_JPEG) return Status::Error("No region decoder for the format");
    return DecodeJpegRegion(file, reduction, wanted, out, region, scale);
#endif
}

}  // namespace imagelib
