// AVIF through libavif. libavif reports the container's rotation (irot) and mirroring
// (imir) but leaves the pixels as stored, so they are applied here; its crop (clap) is
// not applied.
#include "imagelib/cicp_colour.h"
#include "imagelib/colour_profile.h"
#include "imagelib/decoders.h"
#include "imagelib/interleaved_rows.h"
#include "imagelib/orientation.h"

#include <avif/avif.h>

#include <algorithm>
#include <memory>

namespace imagelib {
namespace {

struct DecoderFree {
    void operator()(avifDecoder* d) const { avifDecoderDestroy(d); }
};

// The orientation (as TIFF numbers it) of turning the stored picture a quarter
// anticlockwise `angle` times and then mirroring it: rows by index [angle][0], none;
// [1], top and bottom exchanged (imir mode 0); [2], left and right (mode 1).
constexpr int kOrientations[4][3] = {{1, 4, 2}, {8, 5, 7}, {3, 2, 4}, {6, 7, 5}};

int Orientation(const avifImage& image) {
    const int angle = image.transformFlags & AVIF_TRANSFORM_IROT ? image.irot.angle & 3 : 0;
    const int mirror = image.transformFlags & AVIF_TRANSFORM_IMIR ? 1 + (image.imir.mode & 1) : 0;
    return kOrientations[angle][mirror];
}

void ConvertColour(const avifImage& image, Dib& dib) {
    if (image.icc.size > 0) {
        ConvertToSrgb(ByteSpan(image.icc.data, image.icc.size), dib);
        return;
    }
    CicpColour colour;
    colour.primaries = image.colorPrimaries;
    colour.transfer = image.transferCharacteristics;
    avifColorPrimariesGetValues(image.colorPrimaries, colour.xy);
    ConvertCicpToSrgb(colour, dib);
}

Status ToRows(avifImage& image, int reduction, Dib& out) {
    const bool alpha = image.alphaPlane != nullptr;
    avifRGBImage rgb;
    avifRGBImageSetDefaults(&rgb, &image);
    rgb.format = alpha ? AVIF_RGB_FORMAT_RGBA : AVIF_RGB_FORMAT_RGB;
    rgb.depth = 8;
    rgb.alphaPremultiplied = alpha ? AVIF_TRUE : AVIF_FALSE;
    rgb.rowBytes = image.width * (alpha ? 4u : 3u);
    const std::uint64_t bytes = std::uint64_t{rgb.rowBytes} * image.height;
    if (bytes > kMaxStagingBytes) return Status::Error("Pixel block exceeds the limit");
    // Our own block: libavif's allocator ends the process when memory runs out.
    HeapBlock buffer = HeapBlock::Allocate(static_cast<std::size_t>(bytes));
    if (buffer.empty()) return Status::Error("Out of memory");
    rgb.pixels = buffer.data();
    if (avifImageYUVToRGB(&image, &rgb) != AVIF_RESULT_OK) return Status::Error("Unsupported AVIF pixels");
    const InterleavedRows rows{buffer.data(), rgb.rowBytes, image.width, image.height, alpha, true};
    return RowsToDib(rows, reduction, out);
}

}  // namespace

Status DecodeAvif(ByteSpan file, Dib& out) {
    PictureScale scale;
    return DecodeAvifScaled(file, FixedReduction(0), out, scale);
}

Status DecodeAvifScaled(ByteSpan file, const ReductionRule& rule, Dib& out, PictureScale& scale) {
    const std::unique_ptr<avifDecoder, DecoderFree> decoder(avifDecoderCreate());
    if (!decoder) return Status::Error("Out of memory");
    // libavif and the AV1 decoder refuse larger pictures before decoding them: sides as
    // ours (its default would refuse panoramas we show), pixels its own default at most,
    // which is below our pixel block's.
    decoder->imageSizeLimit = std::min<std::uint32_t>(AVIF_DEFAULT_IMAGE_SIZE_LIMIT, kMaxPixelBytes / 3);
    decoder->imageDimensionLimit = kMaxSide;
    // Files from older encoders lack boxes that strict parsing asks for (pixi above all);
    // nothing those boxes hold is needed here.
    decoder->strictFlags = AVIF_STRICT_DISABLED;
    decoder->ignoreExif = AVIF_TRUE;
    decoder->ignoreXMP = AVIF_TRUE;
    decoder->maxThreads = 1;
    if (avifDecoderSetIOMemory(decoder.get(), file.data(), file.size()) != AVIF_RESULT_OK)
        return Status::Error("Out of memory");
    const avifResult parsed = avifDecoderParse(decoder.get());
    if (parsed == AVIF_RESULT_TRUNCATED_DATA) return Status::Error("Truncated AVIF file");
    if (parsed != AVIF_RESULT_OK) return Status::Error("Corrupt AVIF file");
    const std::uint32_t width = decoder->image->width, height = decoder->image->height;
    IMAGELIB_TRY(CheckDibSize(width, height, 24, 0));
    const int orientation = Orientation(*decoder->image);
    const PictureScale upright = SwapsSides(orientation) ? PictureScale{height, width, 0} : PictureScale{width, height, 0};
    const int reduction = std::clamp(rule(upright.fullWidth, upright.fullHeight), 0, kMaxReduction);
    if (avifDecoderNextImage(decoder.get()) != AVIF_RESULT_OK) return Status::Error("Corrupt AVIF data");
    avifImage& image = *decoder->image;
    // The coded picture may disagree with the container's size; the container's was checked.
    if (image.width != width || image.height != height) return Status::Error("Unexpected AVIF output size");
    Dib dib;
    IMAGELIB_TRY(ToRows(image, reduction, dib));
    ConvertColour(image, dib);
    IMAGELIB_TRY(MakeUpright(dib, orientation));
    scale = {upright.fullWidth, upright.fullHeight, reduction};
    out = std::move(dib);
    return Status::Ok();
}

}  // namespace imagelib
