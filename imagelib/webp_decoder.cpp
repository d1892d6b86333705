// WebP through libwebp: still pictures by WebPDecode, scaled by libwebp itself when a
// smaller picture is wanted; animations by WebPAnimDecoder, which composes the canvas,
// of which the first frame is shown.
#include "imagelib/decoders.h"
#include "imagelib/interleaved_rows.h"

#include <webp/decode.h>
#include <webp/demux.h>

#include <algorithm>
#include <memory>

namespace imagelib {
namespace {

// libwebp holds an animation's canvas twice (the frame shown and the one before it), at
// four bytes a pixel, before any frame is composed; a file of a few bytes may declare it.
constexpr std::uint64_t kMaxCanvasBytes = kMaxPixelBytes;

struct AnimDecoderFree {
    void operator()(WebPAnimDecoder* d) const { WebPAnimDecoderDelete(d); }
};

class DecodeBuffer {
public:
    explicit DecodeBuffer(WebPDecBuffer& b) : b_(b) {}
    ~DecodeBuffer() { WebPFreeDecBuffer(&b_); }
    DecodeBuffer(const DecodeBuffer&) = delete;
    DecodeBuffer& operator=(const DecodeBuffer&) = delete;

private:
    WebPDecBuffer& b_;
};

Status DecodeFirstFrame(ByteSpan file, std::uint32_t width, std::uint32_t height, int reduction, Dib& out) {
    WebPAnimDecoderOptions options;
    if (!WebPAnimDecoderOptionsInit(&options)) return Status::Error("WebP library mismatch");
    options.color_mode = MODE_rgbA;
    options.use_threads = 0;
    const WebPData data{file.data(), file.size()};
    const std::unique_ptr<WebPAnimDecoder, AnimDecoderFree> decoder(WebPAnimDecoderNew(&data, &options));
    if (!decoder) return Status::Error("Corrupt WebP animation");
    WebPAnimInfo info;
    if (!WebPAnimDecoderGetInfo(decoder.get(), &info) || info.canvas_width != width || info.canvas_height != height)
        return Status::Error("Corrupt WebP animation");
    std::uint8_t* canvas = nullptr;
    int timestamp = 0;
    if (!WebPAnimDecoderGetNext(decoder.get(), &canvas, &timestamp) || !canvas)
        return Status::Error("Corrupt WebP animation");
    const InterleavedRows rows{canvas, static_cast<std::size_t>(info.canvas_width) * 4, info.canvas_width,
                               info.canvas_height, true, true};
    return RowsToDib(rows, reduction, out);
}

Status DecodeStill(ByteSpan file, const WebPBitstreamFeatures& features, int reduction, Dib& out) {
    WebPDecoderConfig config;
    if (!WebPInitDecoderConfig(&config)) return Status::Error("WebP library mismatch");
    const std::uint32_t width = ReducedSide(static_cast<std::uint32_t>(features.width), reduction);
    const std::uint32_t height = ReducedSide(static_cast<std::uint32_t>(features.height), reduction);
    if (reduction > 0) {
        config.options.use_scaling = 1;
        config.options.scaled_width = static_cast<int>(width);
        config.options.scaled_height = static_cast<int>(height);
    }
    Dib dib;
    IMAGELIB_TRY(AllocateDib(width, height, 24, 0, dib));
    // Opaque pictures land in the picture's own rows, bottom row first; transparent ones go
    // through a buffer of premultiplied pixels, which is what composing on black gives.
    HeapBlock buffer;
    WebPDecBuffer& output = config.output;
    output.is_external_memory = 1;
    if (!features.has_alpha) {
        output.colorspace = MODE_BGR;
        config.options.flip = 1;
        output.u.RGBA.rgba = dib.bits.data();
        output.u.RGBA.stride = static_cast<int>(dib.Stride());
        output.u.RGBA.size = dib.bits.size();
    } else {
        const std::uint64_t bytes = 4ull * width * height;
        if (bytes > kMaxStagingBytes) return Status::Error("Pixel block exceeds the limit");
        buffer = HeapBlock::Allocate(static_cast<std::size_t>(bytes));
        if (buffer.empty()) return Status::Error("Out of memory");
        output.colorspace = MODE_rgbA;
        output.u.RGBA.rgba = buffer.data();
        output.u.RGBA.stride = static_cast<int>(width * 4);
        output.u.RGBA.size = buffer.size();
    }
    const DecodeBuffer closer(output);
    const VP8StatusCode status = WebPDecode(file.data(), file.size(), &config);
    if (status == VP8_STATUS_NOT_ENOUGH_DATA) return Status::Error("Truncated WebP data");
    if (status != VP8_STATUS_OK) return Status::Error("Corrupt WebP data");
    if (features.has_alpha) {
        const InterleavedRows rows{buffer.data(), static_cast<std::size_t>(width) * 4, width, height, true, true};
        return RowsToDib(rows, 0, out);
    }
    out = std::move(dib);
    return Status::Ok();
}

}  // namespace

Status DecodeWebp(ByteSpan file, Dib& out) {
    PictureScale scale;
    return DecodeWebpScaled(file, FixedReduction(0), out, scale);
}

Status DecodeWebpScaled(ByteSpan file, const ReductionRule& rule, Dib& out, PictureScale& scale) {
    WebPBitstreamFeatures features;
    const VP8StatusCode header = WebPGetFeatures(file.data(), file.size(), &features);
    if (header == VP8_STATUS_NOT_ENOUGH_DATA) return Status::Error("Truncated WebP file");
    if (header != VP8_STATUS_OK) return Status::Error("Not a WebP file");
    if (features.width <= 0 || features.height <= 0) return Status::Error("Image has no pixels");
    const auto width = static_cast<std::uint32_t>(features.width), height = static_cast<std::uint32_t>(features.height);
    IMAGELIB_TRY(CheckDibSize(width, height, 24, 0));
    const int reduction = std::clamp(rule(width, height), 0, kMaxReduction);
    Dib dib;
    if (features.has_animation) {
        if (8ull * width * height > kMaxCanvasBytes) return Status::Error("WebP canvas exceeds the limit");
        IMAGELIB_TRY(DecodeFirstFrame(file, width, height, reduction, dib));
    } else {
        IMAGELIB_TRY(DecodeStill(file, features, reduction, dib));
    }
    scale = {width, height, reduction};
    out = std::move(dib);
    return Status::Ok();
}

}  // namespace imagelib
