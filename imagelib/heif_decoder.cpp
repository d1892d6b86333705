// HEIF and HEIC through libheif. libheif applies the container's crop, rotation and
// mirroring itself, and the size it reports for an image handle is the upright one.
#include "imagelib/cicp_colour.h"
#include "imagelib/colour_profile.h"
#include "imagelib/decoders.h"
#include "imagelib/interleaved_rows.h"

#include <libheif/heif.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace imagelib {
namespace {

struct ContextFree {
    void operator()(heif_context* c) const { heif_context_free(c); }
};
struct HandleFree {
    void operator()(heif_image_handle* h) const { heif_image_handle_release(h); }
};
struct ImageFree {
    void operator()(heif_image* i) const { heif_image_release(i); }
};
struct OptionsFree {
    void operator()(heif_decoding_options* o) const { heif_decoding_options_free(o); }
};
using Handle = std::unique_ptr<heif_image_handle, HandleFree>;

bool Failed(const heif_error& e) { return e.code != heif_error_Ok; }

// The handle's size, checked against the picture limits before anything is decoded.
Status HandleSize(const heif_image_handle* handle, std::uint32_t& width, std::uint32_t& height) {
    const int w = heif_image_handle_get_width(handle), h = heif_image_handle_get_height(handle);
    if (w <= 0 || h <= 0) return Status::Error("Image has no pixels");
    width = static_cast<std::uint32_t>(w);
    height = static_cast<std::uint32_t>(h);
    return CheckDibSize(width, height, 24, 0);
}

// The smallest thumbnail of the primary picture that is at least `width` by `height` and
// no larger than the picture itself; none when there is no such one.
Handle SmallestThumbnail(heif_image_handle* primary, std::uint32_t width, std::uint32_t height,
                         std::uint32_t fullWidth, std::uint32_t fullHeight) {
    const int count = heif_image_handle_get_number_of_thumbnails(primary);
    if (count <= 0) return nullptr;
    std::vector<heif_item_id> ids(static_cast<std::size_t>(count));
    const int listed = heif_image_handle_get_list_of_thumbnail_IDs(primary, ids.data(), count);
    Handle best;
    std::uint64_t bestPixels = 0;
    for (int i = 0; i < listed; ++i) {
        heif_image_handle* raw = nullptr;
        if (Failed(heif_image_handle_get_thumbnail(primary, ids[static_cast<std::size_t>(i)], &raw))) continue;
        Handle thumb(raw);
        std::uint32_t w = 0, h = 0;
        if (!HandleSize(thumb.get(), w, h).ok() || w < width || h < height || w > fullWidth || h > fullHeight) continue;
        if (!best || std::uint64_t{w} * h < bestPixels) {
            bestPixels = std::uint64_t{w} * h;
            best = std::move(thumb);
        }
    }
    return best;
}

// Embedded ICC first; a colour description (nclx) otherwise.
void ConvertColour(const heif_image_handle* handle, Dib& dib) {
    const std::size_t iccBytes = heif_image_handle_get_raw_color_profile_size(handle);
    if (iccBytes > 0 && iccBytes <= kMaxProfileBytes) {
        std::vector<std::uint8_t> icc(iccBytes);
        if (!Failed(heif_image_handle_get_raw_color_profile(handle, icc.data())))
            ConvertToSrgb(ByteSpan(icc.data(), icc.size()), dib);
        return;
    }
    heif_color_profile_nclx* nclx = nullptr;
    if (Failed(heif_image_handle_get_nclx_color_profile(handle, &nclx)) || !nclx) return;
    const CicpColour colour{nclx->color_primaries, nclx->transfer_characteristics,
                            {nclx->color_primary_red_x, nclx->color_primary_red_y, nclx->color_primary_green_x,
                             nclx->color_primary_green_y, nclx->color_primary_blue_x, nclx->color_primary_blue_y,
                             nclx->color_primary_white_x, nclx->color_primary_white_y}};
    heif_nclx_color_profile_free(nclx);
    ConvertCicpToSrgb(colour, dib);
}

// What to make of a decoded image: the picture reduced by whole blocks, or a thumbnail
// brought to the reduced picture's size.
struct Target {
    int reduction;
    std::uint32_t width, height;
    bool thumbnail;
};

// Decodes `handle` to 8-bit RGB(A) and makes the target picture from it.
Status DecodeHandle(heif_image_handle* handle, const Target& target, Dib& out) {
    std::uint32_t storedWidth = 0, storedHeight = 0;
    IMAGELIB_TRY(HandleSize(handle, storedWidth, storedHeight));
    const bool alpha = heif_image_handle_has_alpha_channel(handle) != 0;
    const std::unique_ptr<heif_decoding_options, OptionsFree> options(heif_decoding_options_alloc());
    if (!options) return Status::Error("Out of memory");
    options->convert_hdr_to_8bit = 1;
    heif_image* raw = nullptr;
    if (Failed(heif_decode_image(handle, &raw, heif_colorspace_RGB,
                                 alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB, options.get())))
        return Status::Error("Corrupt HEIF data");
    const std::unique_ptr<heif_image, ImageFree> image(raw);
    int stride = 0;
    const std::uint8_t* plane = heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
    // A damaged file can decode to another size than its header declares.
    const int decodedWidth = heif_image_get_width(image.get(), heif_channel_interleaved);
    const int decodedHeight = heif_image_get_height(image.get(), heif_channel_interleaved);
    if (!plane || stride <= 0 || decodedWidth != static_cast<int>(storedWidth) ||
        decodedHeight != static_cast<int>(storedHeight) ||
        heif_image_get_bits_per_pixel_range(image.get(), heif_channel_interleaved) != 8)
        return Status::Error("Unexpected HEIF output");
    const InterleavedRows rows{plane, static_cast<std::size_t>(stride), storedWidth, storedHeight, alpha,
                               alpha && heif_image_handle_is_premultiplied_alpha(handle) != 0};
    Dib dib;
    IMAGELIB_TRY(target.thumbnail ? RowsToDib(rows, target.width, target.height, dib)
                                  : RowsToDib(rows, target.reduction, dib));
    ConvertColour(handle, dib);
    out = std::move(dib);
    return Status::Ok();
}

}  // namespace

Status DecodeHeif(ByteSpan file, Dib& out) {
    PictureScale scale;
    return DecodeHeifScaled(file, FixedReduction(0), out, scale);
}

Status DecodeHeifScaled(ByteSpan file, const ReductionRule& rule, Dib& out, PictureScale& scale) {
    const std::unique_ptr<heif_context, ContextFree> context(heif_context_alloc());
    if (!context) return Status::Error("Out of memory");
    // libheif refuses larger sides while it reads the file, before it decodes anything (its
    // default, 32768, would refuse panoramas we show).
    heif_context_set_maximum_image_size_limit(context.get(), static_cast<int>(kMaxSide));
    if (Failed(heif_context_read_from_memory_without_copy(context.get(), file.data(), file.size(), nullptr)))
        return Status::Error("Corrupt HEIF file");
    heif_image_handle* raw = nullptr;
    if (Failed(heif_context_get_primary_image_handle(context.get(), &raw))) return Status::Error("No HEIF image");
    const Handle primary(raw);
    std::uint32_t width = 0, height = 0;
    IMAGELIB_TRY(HandleSize(primary.get(), width, height));
    const int reduction = std::clamp(rule(width, height), 0, kMaxReduction);
    const std::uint32_t outWidth = ReducedSide(width, reduction), outHeight = ReducedSide(height, reduction);
    Dib dib;
    const Handle thumbnail =
        reduction > 0 ? SmallestThumbnail(primary.get(), outWidth, outHeight, width, height) : nullptr;
    // A damaged thumbnail costs only the time it took: the picture itself comes next.
    if (!thumbnail || !DecodeHandle(thumbnail.get(), {reduction, outWidth, outHeight, true}, dib).ok())
        IMAGELIB_TRY(DecodeHandle(primary.get(), {reduction, outWidth, outHeight, false}, dib));
    scale = {width, height, reduction};
    out = std::move(dib);
    return Status::Ok();
}

}  // namespace imagelib
