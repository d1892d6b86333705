#include "imagelib/gif_canvas.h"

#include <algorithm>
#include <cstring>

namespace imagelib {

bool GifPalette::operator==(const GifPalette& other) const {
    if (count != other.count) return false;
    return std::equal(
        colours.begin(), colours.begin() + count, other.colours.begin(),
        [](const RgbQuad& a, const RgbQuad& b) { return a.red == b.red && a.green == b.green && a.blue == b.blue; });
}

Status GifCanvas::Start(std::uint32_t width, std::uint32_t height, const GifPalette* shared, int black) {
    indexed_ = shared != nullptr;
    black_ = black;
    if (!indexed_) return AllocateDib(width, height, 24, 0, dib_);
    IMAGELIB_TRY(AllocateDib(width, height, 8, 256, dib_));
    std::copy(shared->colours.begin(), shared->colours.end(), dib_.Palette());
    if (black_ >= 0) {
        // A transparent index chosen as black is drawn by no image, so its entry is free.
        dib_.Palette()[black_] = RgbQuad{};
        if (black_ > 0) std::memset(dib_.bits.data(), black_, dib_.bits.size());
    }
    return Status::Ok();
}

void GifCanvas::DrawRow(std::uint32_t y, std::uint32_t left, const std::uint8_t* indices, std::uint32_t count,
                        const GifPalette& palette, int transparent) {
    std::uint8_t* row = dib_.RowFromTop(y);
    if (indexed_) {
        if (transparent < 0) {
            std::memcpy(row + left, indices, count);
            return;
        }
        for (std::uint32_t x = 0; x < count; ++x)
            if (indices[x] != transparent) row[left + x] = indices[x];
        return;
    }
    std::uint8_t* bgr = row + 3 * std::size_t{left};
    for (std::uint32_t x = 0; x < count; ++x, bgr += 3) {
        if (indices[x] == transparent) continue;
        const RgbQuad& c = palette.colours[indices[x]];
        bgr[0] = c.blue;
        bgr[1] = c.green;
        bgr[2] = c.red;
    }
}

Status GifCanvas::FillBlack(const GifRect& rect) {
    if (indexed_ && black_ < 0) IMAGELIB_TRY(ToTrueColour());
    const std::uint8_t value = indexed_ ? static_cast<std::uint8_t>(black_) : 0;
    for (std::uint32_t y = rect.top; y < rect.top + rect.height; ++y)
        std::memset(dib_.RowFromTop(y) + std::size_t{rect.left} * BytesPerPixel(), value,
                    std::size_t{rect.width} * BytesPerPixel());
    return Status::Ok();
}

bool GifCanvas::Save(const GifRect& rect) {
    const std::size_t rowBytes = std::size_t{rect.width} * BytesPerPixel();
    saved_ = HeapBlock::Allocate(rowBytes * rect.height);
    if (saved_.empty()) return rect.empty();
    for (std::uint32_t y = 0; y < rect.height; ++y)
        std::memcpy(saved_.data() + y * rowBytes, dib_.RowFromTop(rect.top + y) + rect.left * BytesPerPixel(),
                    rowBytes);
    return true;
}

// The canvas does not change depth between Save and Restore: only FillBlack converts it,
// and it is never called while an image's saved area is pending.
void GifCanvas::Restore(const GifRect& rect) {
    const std::size_t rowBytes = std::size_t{rect.width} * BytesPerPixel();
    if (saved_.size() != rowBytes * rect.height) return;
    for (std::uint32_t y = 0; y < rect.height; ++y)
        std::memcpy(dib_.RowFromTop(rect.top + y) + rect.left * BytesPerPixel(), saved_.data() + y * rowBytes,
                    rowBytes);
    saved_.reset();
}

Status GifCanvas::ToTrueColour() {
    Dib dib;
    IMAGELIB_TRY(AllocateDib(dib_.Width(), dib_.Height(), 24, 0, dib));
    const RgbQuad* table = dib_.Palette();
    for (std::uint32_t y = 0; y < dib_.Height(); ++y) {
        const std::uint8_t* in = dib_.RowFromTop(y);
        std::uint8_t* bgr = dib.RowFromTop(y);
        for (std::uint32_t x = 0; x < dib_.Width(); ++x, bgr += 3) {
            const RgbQuad& c = table[in[x]];
            bgr[0] = c.blue;
            bgr[1] = c.green;
            bgr[2] = c.red;
        }
    }
    dib_ = std::move(dib);
    indexed_ = false;
    return Status::Ok();
}

Dib GifCanvas::Finish() { return std::move(dib_); }

}  // namespace imagelib
