// GIF through the Windows Imaging Component, composed as the Linux build's decoder does:
// the logical screen after every image up to and including the first one with a delay
// (all of them when none has one, except in a looping animation, whose first image is its
// first frame), each image's disposal applied before the next, transparent pixels leaving
// what is below, and black wherever no image draws. The frames' indices are drawn through
// their colour tables here, so no 32-bit copy of an image is made.
#include "imagelib/decoders.h"
#include "imagelib/wic_session.h"

#include <propidl.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace imagelib {
namespace {

constexpr UINT kMaxImages = 4096;
constexpr std::uint64_t kMaxComposedPixels = 1ull << 28;
constexpr unsigned kDisposeBackground = 2, kDisposePrevious = 3;

class Property {
public:
    Property() { PropVariantInit(&value_); }
    ~Property() { PropVariantClear(&value_); }
    Property(const Property&) = delete;
    Property& operator=(const Property&) = delete;
    PROPVARIANT* get() { return &value_; }
    const PROPVARIANT& value() const { return value_; }

private:
    PROPVARIANT value_;
};

// A number the metadata holds at `path`, or `fallback` when it holds none.
unsigned Number(IWICMetadataQueryReader* reader, const wchar_t* path, unsigned fallback) {
    Property p;
    if (!reader || FAILED(reader->GetMetadataByName(path, p.get()))) return fallback;
    switch (p.value().vt) {
    case VT_UI1: return p.value().bVal;
    case VT_UI2: return p.value().uiVal;
    case VT_BOOL: return p.value().boolVal ? 1 : 0;
    default: return fallback;
    }
}

bool IsLooping(IWICMetadataQueryReader* reader) {
    Property p;
    if (!reader || FAILED(reader->GetMetadataByName(L"/appext/Application", p.get()))) return false;
    if (p.value().vt != (VT_UI1 | VT_VECTOR) || p.value().caub.cElems != 11) return false;
    const auto* name = reinterpret_cast<const char*>(p.value().caub.pElems);
    return std::memcmp(name, "NETSCAPE2.0", 11) == 0 || std::memcmp(name, "ANIMEXTS1.0", 11) == 0;
}

struct Image {
    UINT index = 0;
    UINT left = 0, top = 0, width = 0, height = 0;  // as stored
    unsigned disposal = 0;
    bool delayed = false;
    int transparent = -1;
    bool localTable = false;
};

Image Describe(IWICBitmapFrameDecode* frame, UINT index) {
    Image image;
    image.index = index;
    (void)frame->GetSize(&image.width, &image.height);
    wic::ComRef<IWICMetadataQueryReader> reader;
    if (FAILED(frame->GetMetadataQueryReader(reader.put()))) return image;
    image.left = Number(reader.get(), L"/imgdesc/Left", 0);
    image.top = Number(reader.get(), L"/imgdesc/Top", 0);
    image.disposal = Number(reader.get(), L"/grctlext/Disposal", 0);
    image.delayed = Number(reader.get(), L"/grctlext/Delay", 0) > 0;
    if (Number(reader.get(), L"/grctlext/TransparencyFlag", 0))
        image.transparent = static_cast<int>(Number(reader.get(), L"/grctlext/TransparentColorIndex", 0));
    image.localTable = Number(reader.get(), L"/imgdesc/LocalColorTableFlag", 0) != 0;
    return image;
}

// The screen's part an image covers.
struct Rect {
    UINT left = 0, top = 0, width = 0, height = 0;
};

Rect Clip(const Image& image, UINT screenWidth, UINT screenHeight) {
    if (image.width == 0 || image.height == 0 || image.left >= screenWidth || image.top >= screenHeight) return {};
    return {image.left, image.top, std::min(image.width, screenWidth - image.left),
            std::min(image.height, screenHeight - image.top)};
}

class Screen {
public:
    Status Start(UINT width, UINT height) { return AllocateDib(width, height, 24, 0, dib_); }

    // The top-down indices of the image's part `rect` through its table; the transparent
    // one leaves what is below.
    void Draw(const Rect& rect, const std::uint8_t* indices, const WICColor (&table)[256], int transparent) {
        for (UINT y = 0; y < rect.height; ++y) {
            const std::uint8_t* in = indices + std::size_t{y} * rect.width;
            std::uint8_t* out = dib_.RowFromTop(rect.top + y) + std::size_t{rect.left} * 3;
            for (UINT x = 0; x < rect.width; ++x, out += 3) {
                if (in[x] == transparent) continue;
                const WICColor c = table[in[x]];  // 0xAARRGGBB
                out[0] = static_cast<std::uint8_t>(c);
                out[1] = static_cast<std::uint8_t>(c >> 8);
                out[2] = static_cast<std::uint8_t>(c >> 16);
            }
        }
    }
    void Keep(const Rect& rect, std::vector<std::uint8_t>& saved) {
        saved.resize(std::size_t{rect.width} * rect.height * 3);
        for (UINT y = 0; y < rect.height; ++y)
            std::memcpy(&saved[std::size_t{y} * rect.width * 3], Row(rect, y), std::size_t{rect.width} * 3);
    }
    void Put(const Rect& rect, const std::vector<std::uint8_t>& saved) {
        for (UINT y = 0; y < rect.height; ++y)
            std::memcpy(Row(rect, y), &saved[std::size_t{y} * rect.width * 3], std::size_t{rect.width} * 3);
    }
    void Black(const Rect& rect) {
        for (UINT y = 0; y < rect.height; ++y) std::memset(Row(rect, y), 0, std::size_t{rect.width} * 3);
    }
    Dib Finish() { return std::move(dib_); }

private:
    std::uint8_t* Row(const Rect& rect, UINT y) { return dib_.RowFromTop(rect.top + y) + std::size_t{rect.left} * 3; }
    Dib dib_;
};

// The images that make the picture, read from their metadata without decoding pixels.
Status Plan(const wic::Session& session, std::vector<Image>& images) {
    UINT frames = 0;
    if (FAILED(session.decoder()->GetFrameCount(&frames)) || frames == 0) return Status::Error("Corrupt GIF data");
    bool delayed = false;
    std::uint64_t pixels = 0;
    for (UINT i = 0; i < std::min(frames, kMaxImages) && !delayed; ++i) {
        wic::ComRef<IWICBitmapFrameDecode> frame;
        if (FAILED(session.decoder()->GetFrame(i, frame.put()))) break;
        const Image image = Describe(frame.get(), i);
        pixels += std::uint64_t{image.width} * image.height;
        if (i > 0 && pixels > kMaxComposedPixels) break;
        delayed = image.delayed;
        images.push_back(image);
    }
    if (images.empty()) return Status::Error("Corrupt GIF data");
    wic::ComRef<IWICMetadataQueryReader> reader;
    (void)session.decoder()->GetMetadataQueryReader(reader.put());
    // A looping animation that sets no delays is played with the viewer's own, so its
    // images are frames of their own rather than parts of one picture.
    if (!delayed && images.size() > 1 && IsLooping(reader.get())) images.resize(1);
    return Status::Ok();
}

// The image's colour table; entries past it are black. Without any table (local or
// global) the indices are shown as grey levels, as giflib gives them; WIC is not asked
// then, as Wine's codec fails on such a frame.
Status TableOf(const wic::Session& session, IWICBitmapFrameDecode* frame, bool hasTable, WICColor (&table)[256]) {
    for (UINT i = 0; i < 256; ++i) table[i] = hasTable ? 0 : 0xFF000000u | (i << 16) | (i << 8) | i;
    if (!hasTable) return Status::Ok();
    wic::ComRef<IWICPalette> palette;
    UINT count = 0;
    if (FAILED(session.factory()->CreatePalette(palette.put())) || FAILED(frame->CopyPalette(palette.get())) ||
        FAILED(palette->GetColors(256, table, &count)))
        return Status::Error("Corrupt GIF data");
    return Status::Ok();
}

Status DrawImage(const wic::Session& session, const Image& image, const Rect& rect, bool globalTable, Screen& screen) {
    if (rect.width == 0) return Status::Ok();
    wic::ComRef<IWICBitmapFrameDecode> frame;
    IMAGELIB_TRY(session.Frame(image.index, frame));
    WICPixelFormatGUID format{};
    if (FAILED(frame->GetPixelFormat(&format)) || !IsEqualGUID(format, GUID_WICPixelFormat8bppIndexed))
        return Status::Error("Unsupported GIF image data");
    WICColor table[256];
    IMAGELIB_TRY(TableOf(session, frame.get(), image.localTable || globalTable, table));
    // Only the part on the screen, which the screen's own size check bounds: an image
    // may claim far more than the screen.
    HeapBlock indices = HeapBlock::Allocate(std::size_t{rect.width} * rect.height);
    if (indices.empty()) return Status::Error("Out of memory");
    const WICRect part{0, 0, static_cast<INT>(rect.width), static_cast<INT>(rect.height)};
    if (FAILED(frame->CopyPixels(&part, rect.width, rect.width * rect.height, indices.data())))
        return Status::Error("Corrupt GIF data");
    screen.Draw(rect, indices.data(), table, image.transparent);
    return Status::Ok();
}

}  // namespace

Status DecodeGif(ByteSpan file, Dib& out) {
    if (file.size() < 13 || std::memcmp(file.data(), "GIF", 3) != 0) return Status::Error("Not a GIF file");
    wic::Session session;
    IMAGELIB_TRY(session.Open(file, GUID_ContainerFormatGif, "Corrupt GIF header"));
    std::vector<Image> images;
    IMAGELIB_TRY(Plan(session, images));
    // The logical screen, as the header stores it; a screen of size 0 takes the first
    // image's extent.
    UINT width = file[6] | (file[7] << 8), height = file[8] | (file[9] << 8);
    if (width == 0) width = images.front().left + images.front().width;
    if (height == 0) height = images.front().top + images.front().height;
    const bool globalTable = (file[10] & 0x80) != 0;
    Screen screen;
    IMAGELIB_TRY(screen.Start(width, height));
    std::vector<std::uint8_t> saved;
    for (std::size_t i = 0; i < images.size(); ++i) {
        const Image& image = images[i];
        const Rect rect = Clip(image, width, height);
        const bool isFirst = i == 0, isLast = i + 1 == images.size();
        // What the first image covered was blank screen before it.
        const bool restore = image.disposal == kDisposePrevious && !isFirst && !isLast;
        if (restore) screen.Keep(rect, saved);
        const Status drawn = DrawImage(session, image, rect, globalTable, screen);
        if (!drawn.ok()) {
            if (isFirst) return drawn;
            break;  // later images that cannot be read leave the picture as it stands
        }
        if (isLast) break;
        if (restore) screen.Put(rect, saved);
        else if (image.disposal == kDisposeBackground || image.disposal == kDisposePrevious) screen.Black(rect);
    }
    out = screen.Finish();
    return Status::Ok();
}

}  // namespace imagelib
