// GIF through giflib: the first frame placed on its logical screen, as an 8-bit picture
// with the frame's colour table. Transparent pixels and screen pixels the frame does not
// cover show black, as does whatever a truncated frame leaves out.
#include "imagelib/decoders.h"
#include "imagelib/grey_palette.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace imagelib {
namespace {

struct MemoryInput {
    ByteSpan data;
    std::size_t pos = 0;
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
    explicit GifHandle(GifFileType* gif) : gif_(gif) {}
    ~GifHandle() {
        if (gif_) DGifCloseFile(gif_, nullptr);
    }
    GifHandle(const GifHandle&) = delete;
    GifHandle& operator=(const GifHandle&) = delete;
    GifFileType* get() const { return gif_; }

private:
    GifFileType* gif_;
};

// Reads records up to the first image descriptor, keeping the transparent index of the
// graphic control block that belongs to it. False when the file holds no image.
bool FindFirstImage(GifFileType* gif, int& transparent) {
    transparent = NO_TRANSPARENT_COLOR;
    for (;;) {
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif, &type) != GIF_OK) return false;
        if (type == IMAGE_DESC_RECORD_TYPE) return DGifGetImageDesc(gif) == GIF_OK;
        if (type != EXTENSION_RECORD_TYPE) return false;
        int code = 0;
        GifByteType* block = nullptr;
        if (DGifGetExtension(gif, &code, &block) != GIF_OK) return false;
        if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4) {
            GraphicsControlBlock gcb{};
            if (DGifExtensionToGCB(block[0], block + 1, &gcb) == GIF_OK) transparent = gcb.TransparentColor;
        }
        while (block) {
            if (DGifGetExtensionNext(gif, &block) != GIF_OK) return false;
        }
    }
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

// An index that shows black: the transparent one, an existing black entry, or the first
// entry past the file's table. -1 when all 256 entries are other colours.
int BlackIndex(const RgbQuad* table, int fileColours, int transparent) {
    if (transparent >= 0 && transparent < 256) return transparent;
    for (int i = 0; i < fileColours; ++i)
        if (table[i].red == 0 && table[i].green == 0 && table[i].blue == 0) return i;
    return fileColours < 256 ? fileColours : -1;
}

struct Frame {
    std::uint32_t left, top, width, height;  // clipped to the screen
    std::uint32_t storedWidth;
};

// With no free black index the picture becomes 24-bit, uncovered pixels black.
Status ToTrueColour(Dib& indexed, const Frame& frame, const std::vector<bool>& rowDone, Dib& out) {
    Dib dib;
    IMAGELIB_TRY(AllocateDib(indexed.Width(), indexed.Height(), 24, 0, dib));
    const RgbQuad* table = indexed.Palette();
    for (std::uint32_t y = frame.top; y < frame.top + frame.height; ++y) {
        if (!rowDone[y - frame.top]) continue;
        const std::uint8_t* in = indexed.RowFromTop(y);
        std::uint8_t* bgr = dib.RowFromTop(y);
        for (std::uint32_t x = frame.left; x < frame.left + frame.width; ++x) {
            const RgbQuad& c = table[in[x]];
            bgr[3 * x] = c.blue;
            bgr[3 * x + 1] = c.green;
            bgr[3 * x + 2] = c.red;
        }
    }
    out = std::move(dib);
    return Status::Ok();
}

}  // namespace

Status DecodeGif(ByteSpan file, Dib& out) {
    if (file.size() < 6 || std::memcmp(file.data(), "GIF", 3) != 0) return Status::Error("Not a GIF file");
    MemoryInput input{file};
    int error = 0;
    GifHandle handle(DGifOpen(&input, ReadFromMemory, &error));
    GifFileType* gif = handle.get();
    if (!gif) return Status::Error("Corrupt GIF header");

    int transparent = NO_TRANSPARENT_COLOR;
    const bool hasImage = FindFirstImage(gif, transparent);
    const GifImageDesc& desc = gif->Image;
    // A screen of size 0 takes the frame's extent.
    const auto screenWidth =
        static_cast<std::uint32_t>(gif->SWidth > 0 ? gif->SWidth : (hasImage ? desc.Left + desc.Width : 0));
    const auto screenHeight =
        static_cast<std::uint32_t>(gif->SHeight > 0 ? gif->SHeight : (hasImage ? desc.Top + desc.Height : 0));
    Dib dib;
    IMAGELIB_TRY(AllocateDib(screenWidth, screenHeight, 8, 256, dib));

    const ColorMapObject* map = hasImage && desc.ColorMap ? desc.ColorMap : gif->SColorMap;
    const int fileColours = map ? std::clamp(map->ColorCount, 0, 256) : 0;
    RgbQuad* table = dib.Palette();
    if (map) {
        for (int i = 0; i < fileColours; ++i)
            table[i] = RgbQuad{map->Colors[i].Blue, map->Colors[i].Green, map->Colors[i].Red, 0};
    } else {
        FillGreyPalette(dib, 256);  // no table at all: show the indices as grey levels
    }
    if (transparent >= 0 && transparent < 256) table[transparent] = RgbQuad{};

    // A file whose first image is missing or empty shows an empty (black) screen.
    if (!hasImage || desc.Width <= 0 || desc.Height <= 0 || static_cast<std::uint32_t>(desc.Left) >= screenWidth ||
        static_cast<std::uint32_t>(desc.Top) >= screenHeight) {
        const int black = BlackIndex(table, fileColours, transparent);
        if (black > 0) std::memset(dib.bits.data(), black, dib.bits.size());
        if (black < 0) return ToTrueColour(dib, Frame{0, 0, 0, 0, 0}, {}, out);
        out = std::move(dib);
        return Status::Ok();
    }

    const Frame frame{static_cast<std::uint32_t>(desc.Left), static_cast<std::uint32_t>(desc.Top),
                      std::min<std::uint32_t>(static_cast<std::uint32_t>(desc.Width),
                                              screenWidth - static_cast<std::uint32_t>(desc.Left)),
                      std::min<std::uint32_t>(static_cast<std::uint32_t>(desc.Height),
                                              screenHeight - static_cast<std::uint32_t>(desc.Top)),
                      static_cast<std::uint32_t>(desc.Width)};
    const bool coversScreen =
        frame.left == 0 && frame.top == 0 && frame.width == screenWidth && frame.height == screenHeight;
    const int black = BlackIndex(table, fileColours, transparent);
    if (!coversScreen && black > 0) std::memset(dib.bits.data(), black, dib.bits.size());

    std::vector<GifPixelType> line(frame.storedWidth);
    std::vector<bool> rowDone(frame.height, false);
    bool complete = true;
    for (const std::uint32_t y : StoredRowOrder(static_cast<std::uint32_t>(desc.Height), desc.Interlace)) {
        // A frame cut short keeps the rows it has; the rest stay uncovered.
        if (DGifGetLine(gif, line.data(), desc.Width) != GIF_OK) {
            complete = false;
            break;
        }
        if (y >= frame.height) continue;
        std::memcpy(dib.RowFromTop(frame.top + y) + frame.left, line.data(), frame.width);
        rowDone[y] = true;
    }
    if (!complete) {
        if (black < 0) return ToTrueColour(dib, frame, rowDone, out);
        for (std::uint32_t y = 0; y < frame.height; ++y)
            if (!rowDone[y]) std::memset(dib.RowFromTop(frame.top + y) + frame.left, black, frame.width);
    } else if (!coversScreen && black < 0) {
        return ToTrueColour(dib, frame, rowDone, out);
    }
    out = std::move(dib);
    return Status::Ok();
}

}  // namespace imagelib
