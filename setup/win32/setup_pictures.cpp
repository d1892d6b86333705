#include "setup/win32/setup_pictures.h"

#include "setup/picture_shapes.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <vector>

namespace setup::win32 {
namespace {

COLORREF ColorOf(pictures::Rgb rgb) { return RGB(rgb.red, rgb.green, rgb.blue); }

// Draws the shapes scaled from their grid; `mask` draws them all in black (the opaque part).
void DrawShapes(HDC dc, std::span<const pictures::Shape> shapes, double scale, bool mask) {
    for (const auto& shape : shapes) {
        std::vector<POINT> points;
        for (const auto& p : shape.outline)
            points.push_back({static_cast<LONG>(std::lround(p.x * scale)), static_cast<LONG>(std::lround(p.y * scale))});
        const COLORREF fill = mask ? RGB(0, 0, 0) : ColorOf(shape.fill);
        HBRUSH brush = ::CreateSolidBrush(fill);
        HPEN pen = shape.penWidth > 0
                       ? ::CreatePen(PS_SOLID, std::max(1, static_cast<int>(std::lround(shape.penWidth * scale))),
                                     mask ? RGB(0, 0, 0) : ColorOf(shape.pen))
                       : ::CreatePen(PS_NULL, 0, 0);
        HGDIOBJ oldBrush = ::SelectObject(dc, brush);
        HGDIOBJ oldPen = ::SelectObject(dc, pen);
        ::Polygon(dc, points.data(), static_cast<int>(points.size()));
        ::SelectObject(dc, oldPen);
        ::SelectObject(dc, oldBrush);
        ::DeleteObject(pen);
        ::DeleteObject(brush);
    }
}

// A bitmap of `size` pixels filled with `background`, the shapes drawn on it.
HBITMAP DrawBitmap(HDC screen, std::span<const pictures::Shape> shapes, int grid, int size, COLORREF background,
                   bool mask) {
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = mask ? ::CreateBitmap(size, size, 1, 1, nullptr) : ::CreateCompatibleBitmap(screen, size, size);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    const RECT all{0, 0, size, size};
    HBRUSH brush = ::CreateSolidBrush(background);
    ::FillRect(dc, &all, brush);
    ::DeleteObject(brush);
    DrawShapes(dc, shapes, size / static_cast<double>(grid), mask);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return bitmap;
}

}  // namespace

HICON CreateSetupIcon(int size) {
    HDC screen = ::GetDC(nullptr);
    // Black where the mask lets the screen through, as an icon's colour part must be.
    HBITMAP color = DrawBitmap(screen, pictures::kIcon, pictures::kIconGrid, size, RGB(0, 0, 0), false);
    HBITMAP mask = DrawBitmap(screen, pictures::kIcon, pictures::kIconGrid, size, RGB(255, 255, 255), true);
    ::ReleaseDC(nullptr, screen);
    ICONINFO info{TRUE, 0, 0, mask, color};
    HICON icon = ::CreateIconIndirect(&info);
    ::DeleteObject(color);
    ::DeleteObject(mask);
    return icon;
}

HIMAGELIST CreateTreeImageList() {
    const int size = pictures::kTreePictureSize;
    HIMAGELIST list = ::ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, 4, 0);
    HDC screen = ::GetDC(nullptr);
    for (const auto& picture : pictures::kTreePictures) {
        HBITMAP bitmap = DrawBitmap(screen, picture, size, size, RGB(0, 0, 0), false);
        ::ImageList_AddMasked(list, bitmap, RGB(0, 0, 0));
        ::DeleteObject(bitmap);
    }
    ::ReleaseDC(nullptr, screen);
    return list;
}

}  // namespace setup::win32
