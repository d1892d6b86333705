// JPEG 2000 through OpenJPEG. The container is told by its signature, so a jp2 file
// named .j2c and a code stream named .jp2 both decode under either format number.
#include "imagelib/decoders.h"
#include "imagelib/grey_palette.h"

#include <openjpeg.h>

#include <algorithm>
#include <cstring>
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

// Maps one component's samples of any precision and sign onto 0..255.
struct Channel {
    const opj_image_comp_t* comp = nullptr;
    std::int64_t offset = 0;
    int shift = 0;      // for precision above 8
    std::int64_t max = 255;  // for precision below 8

    explicit Channel(const opj_image_comp_t& c) : comp(&c) {
        const int prec = static_cast<int>(std::clamp<OPJ_UINT32>(c.prec, 1, 31));
        offset = c.sgnd ? (std::int64_t{1} << (prec - 1)) : 0;
        if (prec > 8) shift = prec - 8;
        else max = (std::int64_t{1} << prec) - 1;
    }
    std::uint8_t At(std::uint32_t cx, std::uint32_t cy) const {
        std::int64_t v = comp->data[static_cast<std::size_t>(cy) * comp->w + cx] + offset;
        v = shift ? (v >> shift) : v * 255 / max;
        return static_cast<std::uint8_t>(std::clamp<std::int64_t>(v, 0, 255));
    }
};

// The sample of `comp` that covers picture column x (relative to the image origin),
// for components subsampled by dx.
std::uint32_t SampleIndex(std::uint32_t x, std::uint32_t origin, std::uint32_t step, std::uint32_t compOrigin,
                          std::uint32_t count) {
    const std::uint64_t absolute = (static_cast<std::uint64_t>(x) + origin) / step;
    const std::uint64_t index = absolute > compOrigin ? absolute - compOrigin : 0;
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(index, count - 1));
}

std::uint8_t Clamp(double v) { return static_cast<std::uint8_t>(std::clamp(v + 0.5, 0.0, 255.0)); }

Status Validate(const opj_image_t& image, std::uint32_t& width, std::uint32_t& height) {
    if (image.numcomps == 0 || image.x1 <= image.x0 || image.y1 <= image.y0) return Status::Error("Image has no pixels");
    width = image.x1 - image.x0;
    height = image.y1 - image.y0;
    if (width > kMaxSide || height > kMaxSide) return Status::Error("Image side exceeds 65535 pixels");
    std::uint64_t samples = 0;
    for (OPJ_UINT32 i = 0; i < image.numcomps; ++i) {
        const opj_image_comp_t& c = image.comps[i];
        if (c.dx == 0 || c.dy == 0) return Status::Error("Corrupt JPEG 2000 header");
        samples += (static_cast<std::uint64_t>(width) / c.dx + 1) * (height / c.dy + 1);
    }
    if (samples * 4 > kMaxSampleBytes) return Status::Error("Pixel block exceeds the limit");
    return Status::Ok();
}

// Chroma subsampled against luma means YCC even when the file does not say so.
bool IsYcc(const opj_image_t& image) {
    if (image.color_space == OPJ_CLRSPC_SYCC) return true;
    return image.color_space != OPJ_CLRSPC_SRGB && image.comps[0].dx == 1 && image.comps[0].dy == 1 &&
           (image.comps[1].dx != 1 || image.comps[1].dy != 1);
}

Status Convert(const opj_image_t& image, std::uint32_t width, std::uint32_t height, Dib& out) {
    for (OPJ_UINT32 i = 0; i < image.numcomps; ++i)
        if (!image.comps[i].data || image.comps[i].w == 0 || image.comps[i].h == 0)
            return Status::Error("Corrupt JPEG 2000 data");
    const bool colour = image.numcomps >= 3;
    const OPJ_UINT32 alphaIndex = colour ? 3 : 1;
    // Code streams carry no channel definitions: a component after the colour ones is
    // taken as alpha, as other readers do.
    const bool alpha = (image.numcomps == alphaIndex + 1 && image.color_space != OPJ_CLRSPC_CMYK) ||
                       (image.numcomps > alphaIndex && image.comps[alphaIndex].alpha != 0);
    const bool ycc = colour && IsYcc(image);
    Dib dib;
    IMAGELIB_TRY(AllocateDib(width, height, colour ? 24 : 8, colour ? 0 : 256, dib));
    if (!colour) FillGreyPalette(dib, 256);

    // Channels in output order (red, green, blue or grey, then alpha), each with the
    // sample column of every picture column worked out once.
    const int channelCount = colour ? 3 : 1;
    const int used = channelCount + (alpha ? 1 : 0);
    std::vector<Channel> channels;
    std::vector<std::vector<std::uint32_t>> columns(static_cast<std::size_t>(used));
    for (int c = 0; c < used; ++c) {
        const opj_image_comp_t& comp = image.comps[c < channelCount ? static_cast<OPJ_UINT32>(c) : alphaIndex];
        channels.emplace_back(comp);
        columns[static_cast<std::size_t>(c)].resize(width);
        for (std::uint32_t x = 0; x < width; ++x)
            columns[static_cast<std::size_t>(c)][x] = SampleIndex(x, image.x0, comp.dx, comp.x0, comp.w);
    }
    for (std::uint32_t y = 0; y < height; ++y) {
        std::uint8_t* row = dib.RowFromTop(y);
        std::uint32_t sampleRows[4] = {};
        for (int c = 0; c < used; ++c) {
            const opj_image_comp_t& comp = *channels[static_cast<std::size_t>(c)].comp;
            sampleRows[c] = SampleIndex(y, image.y0, comp.dy, comp.y0, comp.h);
        }
        for (std::uint32_t x = 0; x < width; ++x) {
            int v[4] = {0, 0, 0, 255};
            for (int c = 0; c < used; ++c)
                v[c < channelCount ? c : 3] =
                    channels[static_cast<std::size_t>(c)].At(columns[static_cast<std::size_t>(c)][x], sampleRows[c]);
            if (ycc) {
                const double yv = v[0], cb = v[1] - 128.0, cr = v[2] - 128.0;
                v[0] = Clamp(yv + 1.402 * cr);
                v[1] = Clamp(yv - 0.344136 * cb - 0.714136 * cr);
                v[2] = Clamp(yv + 1.772 * cb);
            }
            const auto over = [&](int value) { return static_cast<std::uint8_t>((value * v[3] + 127) / 255); };
            if (colour) {
                row[3 * x] = over(v[2]);
                row[3 * x + 1] = over(v[1]);
                row[3 * x + 2] = over(v[0]);
            } else {
                row[x] = over(v[0]);
            }
        }
    }
    out = std::move(dib);
    return Status::Ok();
}

}  // namespace

Status DecodeJpeg2000(ByteSpan file, Dib& out) {
    OPJ_CODEC_FORMAT codecFormat;
    if (StartsWith(file, kJp2Signature, sizeof kJp2Signature)) codecFormat = OPJ_CODEC_JP2;
    else if (StartsWith(file, kCodeStreamSignature, sizeof kCodeStreamSignature)) codecFormat = OPJ_CODEC_J2K;
    else return Status::Error("Not a JPEG 2000 file");

    Resources r;
    MemoryStream memory{file};
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
    if (!opj_read_header(r.stream, r.codec, &r.image) || !r.image) return Status::Error("Corrupt JPEG 2000 header");
    std::uint32_t width = 0, height = 0;
    IMAGELIB_TRY(Validate(*r.image, width, height));
    if (!opj_decode(r.codec, r.stream, r.image)) return Status::Error("Corrupt JPEG 2000 data");
    // Palettes and channel definitions applied by the decoder may change the components.
    IMAGELIB_TRY(Validate(*r.image, width, height));
    return Convert(*r.image, width, height, out);
}

}  // namespace imagelib
