// JPEG 2000 through OpenJPEG. The container is told by its signature, so a jp2 file
// named .j2c and a code stream named .jp2 both decode under either format number.
#include "imagelib/decoders.h"
#include "imagelib/dib_palette.h"
#include "imagelib/jp2_boxes.h"
#include "imagelib/jpeg2000_pixels.h"

#include <openjpeg.h>

#include <algorithm>
#include <cstring>
#include <thread>
#include <vector>

namespace imagelib {
namespace {

// OpenJPEG keeps every decoded sample as a 32-bit integer; refuse files whose sample
// planes alone would take more than this.
constexpr std::uint64_t kMaxSampleBytes = 1ull << 30;

constexpr std::uint8_t kJp2Signature[] = {0x00, 0x00, 0x00, 0x0C, 0x6A, 0x50, 0x20, 0x20, 0x0D, 0x0A, 0x87, 0x0A};
constexpr std::uint8_t kCodeStreamSignature[] = {0xFF, 0x4F, 0xFF, 0x51};

bool StartsWith(ByteSpan file, const std::uint8_t* signature, std::size_t size) {
    return file.size() >= size && std::memcmp(file.data(), signature, size) == 0;
}

struct MemoryStream {
    ByteSpan data;
    std::uint64_t pos = 0;
};

OPJ_SIZE_T ReadStream(void* buffer, OPJ_SIZE_T size, void* user) {
    auto* s = static_cast<MemoryStream*>(user);
    if (s->pos >= s->data.size()) return static_cast<OPJ_SIZE_T>(-1);
    const OPJ_SIZE_T n = std::min<std::uint64_t>(size, s->data.size() - s->pos);
    std::memcpy(buffer, s->data.data() + s->pos, n);
    s->pos += n;
    return n;
}

OPJ_OFF_T SkipStream(OPJ_OFF_T count, void* user) {
    auto* s = static_cast<MemoryStream*>(user);
    if (count < 0) {
        if (static_cast<std::uint64_t>(-count) > s->pos) return -1;
    } else if (static_cast<std::uint64_t>(count) > s->data.size() - std::min<std::uint64_t>(s->pos, s->data.size())) {
        return -1;
    }
    s->pos += static_cast<std::uint64_t>(count);
    return count;
}

OPJ_BOOL SeekStream(OPJ_OFF_T offset, void* user) {
    auto* s = static_cast<MemoryStream*>(user);
    if (offset < 0 || static_cast<std::uint64_t>(offset) > s->data.size()) return OPJ_FALSE;
    s->pos = static_cast<std::uint64_t>(offset);
    return OPJ_TRUE;
}

void IgnoreMessage(const char*, void*) {}

int DecodeThreads() {
    const unsigned cores = std::thread::hardware_concurrency();
    return static_cast<int>(std::clamp(cores, 1u, 8u));
}

struct Resources {
    opj_codec_t* codec = nullptr;
    opj_stream_t* stream = nullptr;
    opj_image_t* image = nullptr;
    Resources() = default;
    Resources(const Resources&) = delete;
    Resources& operator=(const Resources&) = delete;
    ~Resources() {
        if (image) opj_image_destroy(image);
        if (stream) opj_stream_destroy(stream);
        if (codec) opj_destroy_codec(codec);
    }
};

Status Validate(const opj_image_t& image, std::uint32_t& width, std::uint32_t& height) {
    if (image.numcomps == 0 || image.x1 <= image.x0 || image.y1 <= image.y0)
        return Status::Error("Image has no pixels");
    width = image.x1 - image.x0;
    height = image.y1 - image.y0;
    if (width > kMaxSide || height > kMaxSide) return Status::Error("Image side exceeds 65535 pixels");
    std::uint64_t samples = 0;
    for (OPJ_UINT32 i = 0; i < image.numcomps; ++i) {
        const opj_image_comp_t& c = image.comps[i];
        if (c.dx == 0 || c.dy == 0 || c.prec == 0 || c.prec > 31) return Status::Error("Corrupt JPEG 2000 header");
        samples += (static_cast<std::uint64_t>(width) / c.dx + 1) * (height / c.dy + 1);
    }
    if (samples * 4 > kMaxSampleBytes) return Status::Error("Pixel block exceeds the limit");
    return Status::Ok();
}

// Two chroma planes subsampled alike against a full-size luma plane mean YCC even when
// the file does not say so. Planes subsampled each their own way are no chroma layout
// any writer makes; those are shown as red, green and blue as stored.
bool IsYcc(const opj_image_t& image) {
    if (image.color_space == OPJ_CLRSPC_SYCC) return true;
    const opj_image_comp_t* c = image.comps;
    return image.color_space != OPJ_CLRSPC_SRGB && c[0].dx == 1 && c[0].dy == 1 && (c[1].dx != 1 || c[1].dy != 1) &&
           c[1].dx == c[2].dx && c[1].dy == c[2].dy;
}

// Which components make the picture: grey or red, green, blue, then an alpha one.
struct Selection {
    PictureLayout layout;
    std::vector<OPJ_UINT32> components;
};

Selection Select(const opj_image_t& image) {
    Selection s;
    const bool colour = image.numcomps >= 3;
    const OPJ_UINT32 alphaIndex = colour ? 3 : 1;
    s.layout.originX = image.x0;
    s.layout.originY = image.y0;
    s.layout.colourChannels = colour ? 3 : 1;
    // Code streams carry no channel definitions: a component after the colour ones is
    // taken as alpha, as other readers do.
    s.layout.alpha = (image.numcomps == alphaIndex + 1 && image.color_space != OPJ_CLRSPC_CMYK) ||
                     (image.numcomps > alphaIndex && image.comps[alphaIndex].alpha != 0);
    s.layout.ycc = colour && IsYcc(image);
    for (OPJ_UINT32 c = 0; c < static_cast<OPJ_UINT32>(s.layout.colourChannels); ++c) s.components.push_back(c);
    if (s.layout.alpha) s.components.push_back(alphaIndex);
    for (OPJ_UINT32 c : s.components) s.layout.scales.emplace_back(image.comps[c].prec, image.comps[c].sgnd != 0);
    return s;
}

Status AllocatePicture(const Selection& s, std::uint32_t width, std::uint32_t height, Dib& dib) {
    const bool colour = s.layout.colourChannels == 3;
    IMAGELIB_TRY(AllocateDib(width, height, colour ? 24 : 8, colour ? 0 : 256, dib));
    if (!colour) SetGreyPalette(dib, 256);
    return Status::Ok();
}

// Palettes and channel definitions are applied only by OpenJPEG's whole-image decode,
// which keeps every sample of every component as a 32-bit integer.
Status DecodeWholeImage(Resources& r, Dib& out) {
    if (!opj_decode(r.codec, r.stream, r.image)) return Status::Error("Corrupt JPEG 2000 data");
    // Palettes and channel definitions may have changed the components.
    std::uint32_t width = 0, height = 0;
    IMAGELIB_TRY(Validate(*r.image, width, height));
    const opj_image_t& image = *r.image;
    for (OPJ_UINT32 i = 0; i < image.numcomps; ++i)
        if (!image.comps[i].data || image.comps[i].w == 0 || image.comps[i].h == 0)
            return Status::Error("Corrupt JPEG 2000 data");
    const Selection s = Select(image);
    Dib dib;
    IMAGELIB_TRY(AllocatePicture(s, width, height, dib));
    std::vector<SamplePlane> planes;
    for (OPJ_UINT32 c : s.components) {
        const opj_image_comp_t& comp = image.comps[c];
        planes.push_back({comp.data, 4, true, comp.x0, comp.y0, comp.w, comp.h, comp.dx, comp.dy});
    }
    ConvertRegion(s.layout, planes.data(), 0, 0, width, height, dib);
    out = std::move(dib);
    return Status::Ok();
}

std::uint32_t CeilDiv(std::uint64_t a, std::uint32_t b) { return static_cast<std::uint32_t>((a + b - 1) / b); }

// A reference-grid coordinate at a resolution `reduction` levels down, as OpenJPEG
// rounds it.
std::uint32_t Reduced(std::uint64_t a, int reduction) { return CeilDiv(a, 1u << reduction); }

// Bytes OpenJPEG gives each decoded sample of a tile: 1, 2 or 4.
int TileSampleBytes(OPJ_UINT32 precision) {
    const OPJ_UINT32 bytes = (precision + 7) / 8;
    return bytes >= 3 ? 4 : static_cast<int>(bytes);
}

// One tile at a time into the picture: memory stays near one picture plus one tile. With a
// reduction, every coordinate is taken on the reduced reference grid, which keeps the
// components' subsampling as it is.
Status DecodeTiles(Resources& r, int reduction, Dib& out) {
    const opj_image_t& image = *r.image;
    Selection s = Select(image);
    const std::uint32_t imageX0 = Reduced(image.x0, reduction), imageY0 = Reduced(image.y0, reduction);
    const std::uint32_t imageX1 = Reduced(image.x1, reduction), imageY1 = Reduced(image.y1, reduction);
    const std::uint32_t width = imageX1 - imageX0, height = imageY1 - imageY0;
    s.layout.originX = imageX0;
    s.layout.originY = imageY0;
    Dib dib;
    IMAGELIB_TRY(AllocatePicture(s, width, height, dib));
    HeapBlock buffer;
    std::vector<SamplePlane> all(image.numcomps);
    std::vector<SamplePlane> planes(s.components.size());
    int decoded = 0;
    for (;;) {
        OPJ_UINT32 index = 0, size = 0, count = 0;
        OPJ_INT32 tx0 = 0, ty0 = 0, tx1 = 0, ty1 = 0;
        OPJ_BOOL more = OPJ_FALSE;
        if (!opj_read_tile_header(r.codec, r.stream, &index, &size, &tx0, &ty0, &tx1, &ty1, &count, &more)) break;
        if (!more) break;
        if (count != image.numcomps || tx0 < 0 || ty0 < 0 || tx1 <= tx0 || ty1 <= ty0 || size > kMaxSampleBytes)
            return Status::Error("Corrupt JPEG 2000 data");
        if (buffer.size() < size) {
            buffer.reset();
            buffer = HeapBlock::Allocate(size);
            if (buffer.empty()) return Status::Error("Out of memory");
        }
        if (!opj_decode_tile_data(r.codec, index, buffer.data(), size, r.stream)) break;
        const std::uint32_t rx0 = Reduced(static_cast<std::uint64_t>(tx0), reduction);
        const std::uint32_t ry0 = Reduced(static_cast<std::uint64_t>(ty0), reduction);
        const std::uint32_t rx1 = Reduced(static_cast<std::uint64_t>(tx1), reduction);
        const std::uint32_t ry1 = Reduced(static_cast<std::uint64_t>(ty1), reduction);
        // The tile's components follow one another, each over its own grid.
        std::uint64_t offset = 0;
        for (OPJ_UINT32 c = 0; c < count; ++c) {
            const opj_image_comp_t& comp = image.comps[c];
            SamplePlane& p = all[c];
            p.u0 = CeilDiv(rx0, comp.dx);
            p.v0 = CeilDiv(ry0, comp.dy);
            p.width = CeilDiv(rx1, comp.dx) - p.u0;
            p.height = CeilDiv(ry1, comp.dy) - p.v0;
            p.dx = comp.dx;
            p.dy = comp.dy;
            p.bytesPerSample = TileSampleBytes(comp.prec);
            p.isSigned = comp.sgnd != 0;
            p.data = buffer.data() + offset;
            offset += static_cast<std::uint64_t>(p.width) * p.height * static_cast<std::uint64_t>(p.bytesPerSample);
        }
        if (offset > size) return Status::Error("Corrupt JPEG 2000 data");
        for (std::size_t i = 0; i < s.components.size(); ++i) planes[i] = all[s.components[i]];
        const std::uint32_t x0 = std::max(rx0, imageX0) - imageX0;
        const std::uint32_t y0 = std::max(ry0, imageY0) - imageY0;
        const std::uint32_t x1 = std::min(rx1, imageX1) - imageX0;
        const std::uint32_t y1 = std::min(ry1, imageY1) - imageY0;
        bool empty = false;
        for (const SamplePlane& p : planes) empty = empty || p.width == 0 || p.height == 0;
        if (x0 < x1 && y0 < y1 && !empty) ConvertRegion(s.layout, planes.data(), x0, y0, x1, y1, dib);
        ++decoded;
    }
    // Tiles missing from a damaged stream stay black; a stream with none is refused.
    if (decoded == 0) return Status::Error("Corrupt JPEG 2000 data");
    (void)opj_end_decompress(r.codec, r.stream);
    out = std::move(dib);
    return Status::Ok();
}

// Everything up to the header, read into `r`.
Status OpenCodec(ByteSpan file, Resources& r, MemoryStream& memory, OPJ_CODEC_FORMAT& codecFormat) {
    if (StartsWith(file, kJp2Signature, sizeof kJp2Signature))
        codecFormat = OPJ_CODEC_JP2;
    else if (StartsWith(file, kCodeStreamSignature, sizeof kCodeStreamSignature))
        codecFormat = OPJ_CODEC_J2K;
    else
        return Status::Error("Not a JPEG 2000 file");

    r.codec = opj_create_decompress(codecFormat);
    r.stream = opj_stream_create(OPJ_J2K_STREAM_CHUNK_SIZE, OPJ_TRUE);
    if (!r.codec || !r.stream) return Status::Error("Out of memory");
    opj_set_info_handler(r.codec, IgnoreMessage, nullptr);
    opj_set_warning_handler(r.codec, IgnoreMessage, nullptr);
    opj_set_error_handler(r.codec, IgnoreMessage, nullptr);
    opj_stream_set_user_data(r.stream, &memory, nullptr);
    opj_stream_set_user_data_length(r.stream, file.size());
    opj_stream_set_read_function(r.stream, ReadStream);
    opj_stream_set_skip_function(r.stream, SkipStream);
    opj_stream_set_seek_function(r.stream, SeekStream);

    opj_dparameters_t parameters;
    opj_set_default_decoder_parameters(&parameters);
    if (!opj_setup_decoder(r.codec, &parameters)) return Status::Error("Out of memory");
    // The code blocks and the wavelet of a tile are shared out over the cores; a library
    // built without threads declines and decodes on this one.
    (void)opj_codec_set_threads(r.codec, DecodeThreads());
    if (!opj_read_header(r.stream, r.codec, &r.image) || !r.image) return Status::Error("Corrupt JPEG 2000 header");
    return Status::Ok();
}

Status Decode(ByteSpan file, const ReductionRule& rule, Dib& out, PictureScale& scale) {
    Resources r;
    MemoryStream memory{file};
    OPJ_CODEC_FORMAT codecFormat = OPJ_CODEC_J2K;
    IMAGELIB_TRY(OpenCodec(file, r, memory, codecFormat));
    std::uint32_t width = 0, height = 0;
    IMAGELIB_TRY(Validate(*r.image, width, height));
    // Palettes and channel definitions come only with the whole image at full size.
    if (codecFormat == OPJ_CODEC_JP2 && Jp2NeedsWholeImageDecode(file)) {
        IMAGELIB_TRY(DecodeWholeImage(r, out));
        scale = {width, height, 0};
        return Status::Ok();
    }
    // A stream has as many levels to drop as its components have resolutions, less one;
    // OpenJPEG refuses more.
    // A refused factor is kept by the codec all the same, so the one that ends the search
    // is always set.
    int reduction = std::clamp(rule(width, height), 0, kMaxReduction);
    if (reduction > 0) {
        while (reduction > 0 && !opj_set_decoded_resolution_factor(r.codec, static_cast<OPJ_UINT32>(reduction)))
            --reduction;
        if (reduction == 0) (void)opj_set_decoded_resolution_factor(r.codec, 0);
    }
    // Said on failure too: a reduction the tiles refuse is tried again at full size.
    scale = {width, height, reduction};
    IMAGELIB_TRY(DecodeTiles(r, reduction, out));
    return Status::Ok();
}

}  // namespace

Status DecodeJpeg2000(ByteSpan file, Dib& out) {
    PictureScale scale;
    return Decode(file, FixedReduction(0), out, scale);
}

Status DecodeJpeg2000Scaled(ByteSpan file, const ReductionRule& rule, Dib& out, PictureScale& scale) {
    PictureScale tried;
    const Status status = Decode(file, rule, out, tried);
    // A tile with fewer resolutions than the main header promised fails at a reduction the
    // header allowed; the picture is then decoded whole.
    if (status.ok() || tried.reduction == 0) {
        if (status.ok()) scale = tried;
        return status;
    }
    return Decode(file, FixedReduction(0), out, scale);
}

}  // namespace imagelib
