#include "viewer/win32/gdi_view_canvas.h"

#include <algorithm>

namespace {

const BITMAPINFO* Info(const DibImage& picture) {
    return reinterpret_cast<const BITMAPINFO*>(picture.header.data());
}

bool Drawable(const DibImage& picture) {
    return picture.header.size() >= sizeof(BITMAPINFOHEADER) && !picture.bits.empty();
}

}  // namespace

GdiViewCanvas::GdiViewCanvas() = default;

GdiViewCanvas::~GdiViewCanvas() {
    Release(composition_);
    Release(screen_);
    if (font_) DeleteObject(font_);
}

void GdiViewCanvas::Release(Surface& surface) {
    if (surface.dc) {
        SelectObject(surface.dc, surface.previous);
        DeleteDC(surface.dc);
    }
    if (surface.bitmap) DeleteObject(surface.bitmap);
    surface = {};
}

void GdiViewCanvas::Resize(Surface& surface, int width, int height) {
    if (surface.dc && surface.width == width && surface.height == height) return;
    HDC screen = GetDC(nullptr);
    Surface fresh;
    fresh.dc = CreateCompatibleDC(screen);
    // At least one pixel: a zero-sized bitmap cannot be made, and draws nothing anyway.
    fresh.bitmap = CreateCompatibleBitmap(screen, std::max(width, 1), std::max(height, 1));
    ReleaseDC(nullptr, screen);
    fresh.previous = SelectObject(fresh.dc, fresh.bitmap);
    fresh.width = width;
    fresh.height = height;
    PatBlt(fresh.dc, 0, 0, std::max(width, 1), std::max(height, 1), BLACKNESS);
    if (surface.dc) BitBlt(fresh.dc, 0, 0, surface.width, surface.height, surface.dc, 0, 0, SRCCOPY);
    SetStretchBltMode(fresh.dc, COLORONCOLOR);
    SetBkMode(fresh.dc, TRANSPARENT);
    Release(surface);
    surface = fresh;
}

void GdiViewCanvas::SetDpi(int dpiY) {
    if (dpiY == dpiY_ && font_) return;
    dpiY_ = dpiY;
    if (font_) DeleteObject(font_);
    font_ = CreateFontA(-MulDiv(9, dpiY, 72), 0, 0, 0, 600, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS | DEFAULT_PITCH, "Verdana");
}

void GdiViewCanvas::Present(HDC target) const {
    if (screen_.dc) BitBlt(target, 0, 0, screen_.width, screen_.height, screen_.dc, 0, 0, SRCCOPY);
}

void GdiViewCanvas::BeginComposition(int width, int height) {
    const int w = std::max(width, 0), h = std::max(height, 0);
    Resize(screen_, w, h);
    Resize(composition_, w, h);
    PatBlt(composition_.dc, 0, 0, w, h, BLACKNESS);
}

void GdiViewCanvas::StretchPicture(const Rect& destination, int sourceX, int sourceY, int sourceWidth,
                                   int sourceHeight, const DibImage& picture) {
    if (!composition_.dc || !Drawable(picture)) return;
    StretchDIBits(composition_.dc, destination.left, destination.top, destination.Width(), destination.Height(),
                  sourceX, sourceY, sourceWidth, sourceHeight, picture.bits.data(), Info(picture), DIB_RGB_COLORS,
                  SRCCOPY);
}

void GdiViewCanvas::CopyComposition(const Rect& target, const Rect& source) {
    if (!screen_.dc || !composition_.dc || target.Width() <= 0 || target.Height() <= 0 || source.Width() <= 0 ||
        source.Height() <= 0)
        return;
    StretchBlt(screen_.dc, target.left, target.top, target.Width(), target.Height(), composition_.dc, source.left,
               source.top, source.Width(), source.Height(), SRCCOPY);
}

void GdiViewCanvas::DrawKeyedPicture(const Rect& rect, const DibImage& picture, RgbColour key) {
    if (!screen_.dc || !Drawable(picture) || rect.Width() <= 0 || rect.Height() <= 0) return;
    // The picture stretched to the rectangle first, then copied without its key colour.
    Surface stretched;
    Resize(stretched, rect.Width(), rect.Height());
    const BITMAPINFOHEADER& header = Info(picture)->bmiHeader;
    StretchDIBits(stretched.dc, 0, 0, rect.Width(), rect.Height(), 0, 0, header.biWidth, std::abs(header.biHeight),
                  picture.bits.data(), Info(picture), DIB_RGB_COLORS, SRCCOPY);
    TransparentBlt(screen_.dc, rect.left, rect.top, rect.Width(), rect.Height(), stretched.dc, 0, 0, rect.Width(),
                   rect.Height(), RGB(key.red, key.green, key.blue));
    Release(stretched);
}

void GdiViewCanvas::DrawOverlayText(int x, int y, RgbColour colour, const std::string& text) {
    if (!screen_.dc) return;
    const HGDIOBJ old = SelectObject(screen_.dc, font_);
    SetTextColor(screen_.dc, RGB(colour.red, colour.green, colour.blue));
    TextOutA(screen_.dc, x, y, text.data(), static_cast<int>(text.size()));
    SelectObject(screen_.dc, old);
}

TextExtent GdiViewCanvas::OverlayTextExtent(const std::string& text) {
    HDC dc = screen_.dc ? screen_.dc : GetDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, font_);
    SIZE size{};
    GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    if (dc != screen_.dc) ReleaseDC(nullptr, dc);
    return {size.cx, size.cy};
}
