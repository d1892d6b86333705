// PNG through libpng. libpng reports fatal errors by longjmp to png_jmpbuf; the step
// functions that call into it hold only plain data, so the jump skips no destructor.
// Warnings are dropped and libpng's messages are never kept (they may live on its stack).
#include "imagelib/colour_profile.h"
#include "imagelib/decoders.h"
#include "imagelib/dib_palette.h"

#include <png.h>

#include <csetjmp>
#include <cstring>

namespace imagelib {
namespace {

// libpng's own cap on the memory one ancillary chunk may take.
constexpr png_alloc_size_t kMaxChunkBytes = 8u << 20;

struct MemoryInput {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t pos;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t length) {
    auto* in = static_cast<MemoryInput*>(png_get_io_ptr(png));
    if (length > in->size - in->pos) png_error(png, "truncated");
    std::memcpy(out, in->data + in->pos, length);
    in->pos += length;
}

void OnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void OnWarning(png_structp, png_const_charp) {}

// How decoded rows reach the picture.
enum class Layout {
    Direct,     // libpng writes the picture's own rows (indexed, grey, BGR)
    GreyAlpha,  // grey + alpha pairs, composited onto black into 8-bit grey
    BgrAlpha,   // BGRA quads, composited onto black into BGR
};

struct Plan {
    std::uint32_t width, height;
    std::uint16_t depth;
    std::uint32_t colours;
    Layout layout;
    int passes;
    std::size_t rowBytes;              // bytes of one row as libpng delivers it
    int fileColourType, fileBitDepth;  // as stored, before any transform
};

struct PngSession {
    png_structp png;
    png_infop info;
    MemoryInput input;
    Plan plan;
    const char* message;
};

std::uint8_t OverBlack(unsigned value, unsigned alpha) {
    return static_cast<std::uint8_t>((value * alpha + 127) / 255);
}

// Sets libpng's transforms for the colour type and fills in the plan. No gamma handling:
// the stored sample values are shown as they are.
void ChooseTransforms(png_structp png, png_infop info, Plan& plan) {
    const int colourType = png_get_color_type(png, info);
    const int bitDepth = png_get_bit_depth(png, info);
    const bool hasTrns = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    plan.fileColourType = colourType;
    plan.fileBitDepth = bitDepth;
    plan.layout = Layout::Direct;
    if (bitDepth == 16) png_set_scale_16(png);
    switch (colourType) {
    case PNG_COLOR_TYPE_PALETTE:
    case PNG_COLOR_TYPE_GRAY:
        if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth == 16 && hasTrns) {
            // One transparent 16-bit level cannot be a colour-table entry once scaled.
            png_set_tRNS_to_alpha(png);
            plan.layout = Layout::GreyAlpha;
            plan.depth = 8;
            break;
        }
        // Depth 2 is no picture depth: one byte a pixel instead.
        if (bitDepth == 2) png_set_packing(png);
        plan.depth = static_cast<std::uint16_t>(bitDepth == 2 || bitDepth == 16 ? 8 : bitDepth);
        break;
    case PNG_COLOR_TYPE_GRAY_ALPHA:
        plan.layout = Layout::GreyAlpha;
        plan.depth = 8;
        break;
    case PNG_COLOR_TYPE_RGB:
    case PNG_COLOR_TYPE_RGB_ALPHA:
        png_set_bgr(png);
        if (hasTrns) png_set_tRNS_to_alpha(png);
        plan.layout = (colourType == PNG_COLOR_TYPE_RGB_ALPHA || hasTrns) ? Layout::BgrAlpha : Layout::Direct;
        plan.depth = 24;
        break;
    default: png_error(png, "colour type");
    }
    plan.colours = plan.depth <= 8 ? (1u << plan.depth) : 0;
    plan.passes = png_set_interlace_handling(png);
}

bool ReadInfo(PngSession& s) {
    if (setjmp(png_jmpbuf(s.png))) {
        if (!s.message) s.message = "Corrupt PNG header";
        return false;
    }
    png_set_read_fn(s.png, &s.input, ReadFromMemory);
    png_set_user_limits(s.png, kMaxSide, kMaxSide);
    png_set_chunk_malloc_max(s.png, kMaxChunkBytes);
    png_set_benign_errors(s.png, 1);
    png_read_info(s.png, s.info);
    s.plan.width = png_get_image_width(s.png, s.info);
    s.plan.height = png_get_image_height(s.png, s.info);
    ChooseTransforms(s.png, s.info, s.plan);
    png_read_update_info(s.png, s.info);
    s.plan.rowBytes = png_get_rowbytes(s.png, s.info);
    return true;
}

// The colour table: PLTE entries composited with their tRNS alpha, or a grey ramp whose
// tRNS level (if any) shows as black. Entries beyond the file's own stay black.
void FillColourTable(png_structp png, png_infop info, const Plan& plan, Dib& dib) {
    RgbQuad* table = dib.Palette();
    png_bytep alpha = nullptr;
    int alphaCount = 0;
    png_color_16p transparent = nullptr;
    const bool hasTrns = png_get_tRNS(png, info, &alpha, &alphaCount, &transparent) != 0;
    if (plan.fileColourType == PNG_COLOR_TYPE_PALETTE) {
        png_colorp colours = nullptr;
        int count = 0;
        if (!png_get_PLTE(png, info, &colours, &count)) return;
        for (int i = 0; i < count && static_cast<std::uint32_t>(i) < dib.ColoursUsed(); ++i) {
            const unsigned a = (hasTrns && i < alphaCount) ? alpha[i] : 255;
            table[i] =
                RgbQuad{OverBlack(colours[i].blue, a), OverBlack(colours[i].green, a), OverBlack(colours[i].red, a), 0};
        }
        return;
    }
    const int bitDepth = plan.fileBitDepth;
    const std::uint32_t levels = bitDepth >= 8 ? 256 : (1u << bitDepth);
    SetGreyPalette(dib, levels);
    if (hasTrns && transparent && bitDepth <= 8 && transparent->gray < levels) table[transparent->gray] = RgbQuad{};
}

void CompositeRow(const Plan& plan, const std::uint8_t* in, std::uint8_t* out) {
    if (plan.layout == Layout::GreyAlpha) {
        for (std::uint32_t x = 0; x < plan.width; ++x, in += 2) out[x] = OverBlack(in[0], in[1]);
        return;
    }
    for (std::uint32_t x = 0; x < plan.width; ++x, in += 4, out += 3) {
        out[0] = OverBlack(in[0], in[3]);
        out[1] = OverBlack(in[1], in[3]);
        out[2] = OverBlack(in[2], in[3]);
    }
}

// Reads every pass. Direct rows go straight into the picture (interlace passes fill the
// same rows in turn); alpha rows go through `buffer`, which holds one row, or all rows
// when the file is interlaced.
bool ReadRows(PngSession& s, Dib& dib, std::uint8_t* buffer) {
    if (setjmp(png_jmpbuf(s.png))) {
        if (!s.message) s.message = "Corrupt PNG data";
        return false;
    }
    const Plan& plan = s.plan;
    const bool direct = plan.layout == Layout::Direct;
    const bool wholeBuffer = plan.passes > 1;
    for (int pass = 0; pass < plan.passes; ++pass) {
        for (std::uint32_t y = 0; y < plan.height; ++y) {
            std::uint8_t* row = direct ? dib.RowFromTop(y) : buffer + (wholeBuffer ? y * plan.rowBytes : 0);
            png_read_row(s.png, row, nullptr);
            if (!direct && !wholeBuffer) CompositeRow(plan, row, dib.RowFromTop(y));
        }
    }
    if (!direct && wholeBuffer)
        for (std::uint32_t y = 0; y < plan.height; ++y)
            CompositeRow(plan, buffer + y * plan.rowBytes, dib.RowFromTop(y));
    return true;
}

// libpng inflates iCCP itself, checking the length the profile declares against the chunk
// limit before inflating its body, and drops a profile that is damaged or does not match
// the colour type.
ByteSpan Profile(png_structp png, png_infop info) {
    png_charp name = nullptr;
    int compression = 0;
    png_bytep data = nullptr;
    png_uint_32 length = 0;
    if (!png_get_iCCP(png, info, &name, &compression, &data, &length) || !data) return {};
    return ByteSpan(data, length);
}

class SessionCloser {
public:
    explicit SessionCloser(PngSession& s) : s_(s) {}
    ~SessionCloser() { png_destroy_read_struct(&s_.png, s_.info ? &s_.info : nullptr, nullptr); }
    SessionCloser(const SessionCloser&) = delete;
    SessionCloser& operator=(const SessionCloser&) = delete;

private:
    PngSession& s_;
};

}  // namespace

Status DecodePng(ByteSpan file, Dib& out) {
    if (file.size() < 8 || png_sig_cmp(file.data(), 0, 8) != 0) return Status::Error("Not a PNG file");
    PngSession s{};
    s.input = MemoryInput{file.data(), file.size(), 0};
    s.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
    if (!s.png) return Status::Error("Out of memory");
    SessionCloser closer(s);
    s.info = png_create_info_struct(s.png);
    if (!s.info) return Status::Error("Out of memory");

    if (!ReadInfo(s)) return Status::Error(s.message);
    // Rows with alpha are staged before they are composed: one, or all of an interlaced file.
    const std::uint64_t stagedRows =
        s.plan.layout == Layout::Direct ? 0 : (s.plan.passes > 1 ? s.plan.height : 1);
    const std::uint64_t stagedBytes = stagedRows * s.plan.rowBytes;
    if (stagedBytes > kMaxStagingBytes) return Status::Error("Pixel block exceeds the limit");
    Dib dib;
    IMAGELIB_TRY(AllocateDib(s.plan.width, s.plan.height, s.plan.depth, s.plan.colours, dib));
    if (s.plan.layout == Layout::Direct && s.plan.rowBytes > dib.Stride())
        return Status::Error("Unexpected PNG row size");
    if (s.plan.depth <= 8) FillColourTable(s.png, s.info, s.plan, dib);

    HeapBlock buffer;
    if (stagedBytes > 0) {
        buffer = HeapBlock::Allocate(static_cast<std::size_t>(stagedBytes));
        if (buffer.empty()) return Status::Error("Out of memory");
    }
    if (!ReadRows(s, dib, buffer.data())) return Status::Error(s.message);
    ConvertToSrgb(Profile(s.png, s.info), dib);
    out = std::move(dib);
    return Status::Ok();
}

}  // namespace imagelib
