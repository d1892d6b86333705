#pragma once

#include "imagelib/byte_reader.h"
#include "imagelib/dib.h"
#include "imagelib/image_format.h"

#include <cstdint>
#include <functional>

namespace imagelib {

// Every decoder takes the whole file and fills `out` only on success. JPEG, PNG, TIFF and
// GIF are the system's codecs, one implementation a build (imagelib/CMakeLists.txt).
using DecodeFunction = Status (*)(ByteSpan file, Dib& out);

Status DecodeBmp(ByteSpan file, Dib& out);
Status DecodeGif(ByteSpan file, Dib& out);
Status DecodeJpeg(ByteSpan file, Dib& out);
Status DecodePng(ByteSpan file, Dib& out);
Status DecodeTiff(ByteSpan file, Dib& out);
Status DecodeTga(ByteSpan file, Dib& out);
Status DecodePcx(ByteSpan file, Dib& out);
Status DecodeJpeg2000(ByteSpan file, Dib& out);  // not in the Windows build
Status DecodePnm(ByteSpan file, Dib& out);
Status DecodeSunRaster(ByteSpan file, Dib& out);
Status DecodeHeif(ByteSpan file, Dib& out);  // these three not in the Windows build
Status DecodeAvif(ByteSpan file, Dib& out);
Status DecodeWebp(ByteSpan file, Dib& out);

// Decodes `file` as `format` through the decoder table.
Status DecodeImage(ByteSpan file, ImageFormat format, Dib& out);

// Largest reduction asked of a decoder: an eighth of each side.
inline constexpr int kMaxReduction = 3;

// The size of the file's picture and how much smaller the decoded one is.
struct PictureScale {
    std::uint32_t fullWidth = 0;
    std::uint32_t fullHeight = 0;
    // Each side of the decoded picture is the full side divided by 2^reduction, rounded up.
    int reduction = 0;
};

// How many halvings below the full size a picture may be decoded, given the full size
// read from the file's header.
using ReductionRule = std::function<int(std::uint32_t fullWidth, std::uint32_t fullHeight)>;
inline ReductionRule FixedReduction(int reduction) {
    return [reduction](std::uint32_t, std::uint32_t) { return reduction; };
}

// Decodes at most the rule's halvings below the full size where the format allows it
// cheaply (JPEG's scaled DCT, or on Windows a codec that scales while it decodes; JPEG
// 2000's resolution levels; WebP's scaling decoder); HEIF from a thumbnail large enough,
// HEIF and AVIF otherwise decoded whole and averaged down, which saves memory but no time;
// other formats, and files that do not allow that much, come out larger, down to the full
// size. `scale` says what was made.
Status DecodeJpegScaled(ByteSpan file, const ReductionRule& rule, Dib& out, PictureScale& scale);
// Neither these nor their whole-picture decoders are in the Windows build.
Status DecodeJpeg2000Scaled(ByteSpan file, const ReductionRule& rule, Dib& out, PictureScale& scale);
Status DecodeHeifScaled(ByteSpan file, const ReductionRule& rule, Dib& out, PictureScale& scale);
Status DecodeAvifScaled(ByteSpan file, const ReductionRule& rule, Dib& out, PictureScale& scale);
Status DecodeWebpScaled(ByteSpan file, const ReductionRule& rule, Dib& out, PictureScale& scale);
Status DecodeImageScaled(ByteSpan file, ImageFormat format, const ReductionRule& rule, Dib& out,
                         PictureScale& scale);

// A rectangle of a picture at its decoded scale, in that picture's pixels.
struct PixelRect {
    std::uint32_t left = 0;
    std::uint32_t top = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    bool operator==(const PixelRect&) const = default;
};

// Decodes, at 1/2^reduction of the full size, only the part of the picture that covers
// `wanted` (clipped to the picture), widened left and right as the codec decodes it:
// `region` says which part of the reduced picture `out` holds, `scale` the full size.
// For a zoomed view of a picture too large to keep whole at that scale. JPEG files stored
// upright only, on Linux; every other file is refused.
Status DecodeJpegRegion(ByteSpan file, int reduction, const PixelRect& wanted, Dib& out, PixelRect& region,
                        PictureScale& scale);
Status DecodeImageRegion(ByteSpan file, ImageFormat format, int reduction, const PixelRect& wanted, Dib& out,
                         PixelRect& region, PictureScale& scale);

}  // namespace imagelib
