// GIF through giflib: the picture a still viewer shows, i.e. the logical screen after
// every image up to and including the first one with a delay (all images when none has
// one, except in a looping animation, whose first image is its first frame). Each
// image's disposal applies before the next is drawn; transparent pixels leave what is
// below; whatever no image covers, and what a truncated image leaves out, shows black.
// The picture is 8-bit with the images' colour table when they share one, else 24-bit.
#include "imagelib/decoders.h"
#include "imagelib/gif_canvas.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace imagelib {
namespace {

// Bounds on the work one file may ask for: the images composed, and the pixels decoded
// after the first image (which is always shown).
constexpr std::size_t kMaxImages = 4096;
constexpr std::uint64_t kMaxComposedPixels = 1ull << 28;

struct MemoryInput {
    ByteSpan data;
    std::size_t pos = 0;
    bool exhausted() const { return pos >= data.size(); }
};

int ReadFromMemory(GifFileType* gif, GifByteType* out, int length) {
    auto* in = static_cast<MemoryInput*>(gif->UserData);
    if (length <= 0) return 0;
    const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(length), in->data.size() - in->pos);
    std::memcpy(out, in->data.data() + in->pos, n);
    in->pos += n;
    return static_cast<int>(n);
}

class GifHandle {
public:
    explicit GifHandle(MemoryInput& input) {
        int error = 0;
        gif_ = DGifOpen(&input, ReadFromMemory, &error);
    }
    ~GifHandle() {
        if (gif_) DGifCloseFile(gif_, nullptr);
    }
    GifHandle(const GifHandle&) = delete;
    GifHandle& operator=(const GifHandle&) = delete;
    GifFileType* get() const { return gif_; }

private:
    GifFileType* gif_ = nullptr;
};

GifPalette PaletteOf(const ColorMapObject* map) {
    GifPalette palette;
    if (!map) {
        // No table at all: the indices show as grey levels.
        palette.count = 256;
        for (int i = 0; i < 256; ++i) {
            const auto v = static_cast<std::uint8_t>(i);
            palette.colours[static_cast<std::size_t>(i)] = RgbQuad{v, v, v, 0};
        }
        return palette;
    }
    palette.count = std::clamp(map->ColorCount, 0, 256);
    for (int i = 0; i < palette.count; ++i)
        palette.colours[static_cast<std::size_t>(i)] =
            RgbQuad{map->Colors[i].Blue, map->Colors[i].Green, map->Colors[i].Red, 0};
    return palette;
}

struct ImageInfo {
    int left = 0, top = 0, width = 0, height = 0;  // as stored
    int transparent = NO_TRANSPARENT_COLOR;
    int disposal = DISPOSAL_UNSPECIFIED;
    bool delayed = false;
    bool firstPalette = true;  // drawn with the first image's colour table
};

struct Plan {
    std::vector<ImageInfo> images;  // the ones to compose, in file order
    GifPalette palette;             // the first image's table
    std::uint32_t screenWidth = 0, screenHeight = 0;
};

// Drops the data blocks of the record just read, without decoding them.
bool SkipBlocks(GifFileType* gif, GifByteType* block) {
    while (block)
        if (DGifGetExtensionNext(gif, &block) != GIF_OK) return false;
    return true;
}

bool SkipImageData(GifFileType* gif) {
    int codeSize = 0;
    GifByteType* block = nullptr;
    if (DGifGetCode(gif, &codeSize, &block) != GIF_OK) return false;
    while (block)
        if (DGifGetCodeNext(gif, &block) != GIF_OK) return false;
    return true;
}

bool IsLoopExtension(const GifByteType* block) {
    return block && block[0] == 11 &&
           (std::memcmp(block + 1, "NETSCAPE2.0", 11) == 0 || std::memcmp(block + 1, "ANIMEXTS1.0", 11) == 0);
}

GifRect Clip(const ImageInfo& image, std::uint32_t screenWidth, std::uint32_t screenHeight) {
    const auto left = static_cast<std::uint32_t>(image.left), top = static_cast<std::uint32_t>(image.top);
    if (image.width <= 0 || image.height <= 0 || left >= screenWidth || top >= screenHeight) return GifRect{};
    return GifRect{left, top, std::min(static_cast<std::uint32_t>(image.width), screenWidth - left),
                   std::min(static_cast<std::uint32_t>(image.height), screenHeight - top)};
}

// First pass: reads the records without decoding any pixels and settles which images
// make the picture. Fails only when the first image cannot be read though data follows
// (a truncated file still shows what it has).
Status MakePlan(ByteSpan file, Plan& plan) {
    MemoryInput input{file};
    GifHandle handle(input);
    GifFileType* gif = handle.get();
    if (!gif) return Status::Error("Corrupt GIF header");

    std::vector<ImageInfo> images;
    ImageInfo next;
    bool looping = false, delayed = false;
    while (images.size() < kMaxImages && !delayed) {
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif, &type) != GIF_OK) break;
        if (type == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* block = nullptr;
            if (DGifGetExtension(gif, &code, &block) != GIF_OK) break;
            GraphicsControlBlock gcb{};
            if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4 &&
                DGifExtensionToGCB(block[0], block + 1, &gcb) == GIF_OK) {
                next.transparent = gcb.TransparentColor;
                next.disposal = gcb.DisposalMode;
                next.delayed = gcb.DelayTime > 0;
            }
            looping = looping || (code == APPLICATION_EXT_FUNC_CODE && IsLoopExtension(block));
            if (!SkipBlocks(gif, block)) break;
            continue;
        }
        if (type != IMAGE_DESC_RECORD_TYPE) break;
        if (DGifGetImageDesc(gif) != GIF_OK) {
            // giflib refuses some images outright (LZW code sizes above 8).
            if (images.empty() && !input.exhausted()) return Status::Error("Unsupported GIF image data");
            break;
        }
        const GifImageDesc& desc = gif->Image;
        next.left = desc.Left;
        next.top = desc.Top;
        next.width = desc.Width;
        next.height = desc.Height;
        const GifPalette palette = PaletteOf(desc.ColorMap ? desc.ColorMap : gif->SColorMap);
        if (images.empty()) plan.palette = palette;
        next.firstPalette = palette == plan.palette;
        delayed = next.delayed;
        images.push_back(next);
        next = ImageInfo{};
        if (!SkipImageData(gif)) break;
    }
    // A looping animation that sets no delays is played with the viewer's own, so its
    // images are frames of their own rather than parts of one picture.
    if (looping && !delayed && images.size() > 1) images.resize(1);

    // A screen of size 0 takes the first image's extent.
    const ImageInfo* first = images.empty() ? nullptr : &images.front();
    plan.screenWidth =
        static_cast<std::uint32_t>(gif->SWidth > 0 ? gif->SWidth : (first ? first->left + first->width : 0));
    plan.screenHeight =
        static_cast<std::uint32_t>(gif->SHeight > 0 ? gif->SHeight : (first ? first->top + first->height : 0));

    std::uint64_t pixels = 0;
    std::size_t count = std::min<std::size_t>(images.size(), 1);
    for (; count < images.size(); ++count) {
        if (!Clip(images[count], plan.screenWidth, plan.screenHeight).empty())
            pixels += std::uint64_t(images[count].width) * std::uint64_t(images[count].height);
        if (pixels > kMaxComposedPixels) break;
    }
    images.resize(count);
    plan.images = std::move(images);
    return Status::Ok();
}

// An index of the shared table that shows black: the transparent index every image
// shares (no image draws it), an existing black entry, or the first entry past the
// table. -1 when all 256 entries are other colours.
int BlackIndex(const Plan& plan) {
    const int transparent = plan.images.empty() ? NO_TRANSPARENT_COLOR : plan.images.front().transparent;
    const bool shared = std::all_of(plan.images.begin(), plan.images.end(),
                                    [&](const ImageInfo& i) { return i.transparent == transparent; });
    if (shared && transparent >= 0 && transparent < 256) return transparent;
    const GifPalette& p = plan.palette;
    for (int i = 0; i < p.count; ++i) {
        const RgbQuad& c = p.colours[static_cast<std::size_t>(i)];
        if (c.red == 0 && c.green == 0 && c.blue == 0) return i;
    }
    return p.count < 256 ? p.count : -1;
}

// The frame's rows in the order they are stored: interlaced frames store every 8th row
// from 0, every 8th from 4, every 4th from 2, then every 2nd from 1.
std::vector<std::uint32_t> StoredRowOrder(std::uint32_t height, bool interlaced) {
    std::vector<std::uint32_t> order;
    order.reserve(height);
    if (!interlaced) {
        for (std::uint32_t y = 0; y < height; ++y) order.push_back(y);
        return order;
    }
    constexpr std::uint32_t kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (std::uint32_t y = kStart[pass]; y < height; y += kStep[pass]) order.push_back(y);
    return order;
}

// Draws the image whose descriptor was just read. False when its data broke off (the
// rows it has are drawn; the first image's missing rows are made black).
bool DrawImage(GifFileType* gif, const ImageInfo& info, const GifRect& rect, bool isFirst, GifCanvas& canvas,
               Status& status) {
    if (rect.empty()) return SkipImageData(gif);
    const GifPalette palette = PaletteOf(gif->Image.ColorMap ? gif->Image.ColorMap : gif->SColorMap);
    std::vector<GifPixelType> line(static_cast<std::size_t>(info.width));
    std::vector<bool> rowDone(rect.height, false);
    for (const std::uint32_t y : StoredRowOrder(static_cast<std::uint32_t>(info.height), gif->Image.Interlace)) {
        if (DGifGetLine(gif, line.data(), info.width) != GIF_OK) {
            if (!isFirst) return false;
            for (std::uint32_t row = 0; row < rect.height && status.ok(); ++row)
                if (!rowDone[row]) status = canvas.FillBlack(GifRect{rect.left, rect.top + row, rect.width, 1});
            return false;
        }
        if (y >= rect.height) continue;
        canvas.DrawRow(rect.top + y, rect.left, line.data(), rect.width, palette, info.transparent);
        rowDone[y] = true;
    }
    return true;
}

// Second pass: draws the planned images in order.
Status Compose(ByteSpan file, const Plan& plan, GifCanvas& canvas) {
    MemoryInput input{file};
    GifHandle handle(input);
    GifFileType* gif = handle.get();
    if (!gif) return Status::Error("Corrupt GIF header");
    std::size_t drawn = 0;
    while (drawn < plan.images.size()) {
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif, &type) != GIF_OK) break;
        if (type == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* block = nullptr;
            if (DGifGetExtension(gif, &code, &block) != GIF_OK || !SkipBlocks(gif, block)) break;
            continue;
        }
        if (type != IMAGE_DESC_RECORD_TYPE || DGifGetImageDesc(gif) != GIF_OK) break;
        const ImageInfo& info = plan.images[drawn];
        const GifRect rect = Clip(info, plan.screenWidth, plan.screenHeight);
        const bool isFirst = drawn == 0, isLast = ++drawn == plan.images.size();
        // What the first image covered was blank screen before it.
        const bool restore = info.disposal == DISPOSE_PREVIOUS && !isFirst && !isLast;
        if (restore && !canvas.Save(rect)) break;
        Status status = Status::Ok();
        const bool complete = DrawImage(gif, info, rect, isFirst, canvas, status);
        IMAGELIB_TRY(status);
        if (!complete || isLast) break;
        if (restore) canvas.Restore(rect);
        else if (info.disposal == DISPOSE_BACKGROUND || info.disposal == DISPOSE_PREVIOUS)
            IMAGELIB_TRY(canvas.FillBlack(rect));
    }
    return Status::Ok();
}

}  // namespace

Status DecodeGif(ByteSpan file, Dib& out) {
    if (file.size() < 6 || std::memcmp(file.data(), "GIF", 3) != 0) return Status::Error("Not a GIF file");
    Plan plan;
    IMAGELIB_TRY(MakePlan(file, plan));

    const bool shared = std::all_of(plan.images.begin(), plan.images.end(),
                                    [](const ImageInfo& i) { return i.firstPalette; });
    const int black = shared ? BlackIndex(plan) : -1;
    // Without a black entry the indexed canvas is kept only while black is not needed:
    // a first image that leaves nothing of the screen showing.
    const bool firstCoversAll = !plan.images.empty() && plan.images.front().transparent < 0 && [&] {
        const GifRect r = Clip(plan.images.front(), plan.screenWidth, plan.screenHeight);
        return r.left == 0 && r.top == 0 && r.width == plan.screenWidth && r.height == plan.screenHeight;
    }();
    const bool indexed = shared && (black >= 0 || firstCoversAll);

    GifCanvas canvas;
    IMAGELIB_TRY(canvas.Start(plan.screenWidth, plan.screenHeight, indexed ? &plan.palette : nullptr, black));
    IMAGELIB_TRY(Compose(file, plan, canvas));
    out = canvas.Finish();
    return Status::Ok();
}

}  // namespace imagelib
