#include "viewer/win32/print/gdi_printer_canvas.h"

GdiPrinterCanvas::~GdiPrinterCanvas() { Release(); }

void GdiPrinterCanvas::Release() {
    if (dc_) {
        SelectObject(dc_, previous_);
        DeleteDC(dc_);
    }
    if (bitmap_) DeleteObject(bitmap_);
    dc_ = nullptr;
    bitmap_ = nullptr;
    bits_ = nullptr;
}

void GdiPrinterCanvas::BeginComposition(int width, int height) {
    Release();
    if (width <= 0 || height <= 0) return;
    info_ = {};
    info_.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info_.bmiHeader.biWidth = width;
    info_.bmiHeader.biHeight = height;
    info_.bmiHeader.biPlanes = 1;
    info_.bmiHeader.biBitCount = 24;
    info_.bmiHeader.biCompression = BI_RGB;
    bitmap_ = CreateDIBSection(nullptr, &info_, DIB_RGB_COLORS, &bits_, nullptr, 0);
    if (!bitmap_) return;
    dc_ = CreateCompatibleDC(nullptr);
    previous_ = SelectObject(dc_, bitmap_);
    SetStretchBltMode(dc_, COLORONCOLOR);
    PatBlt(dc_, 0, 0, width, height, WHITENESS);
}

void GdiPrinterCanvas::StretchPicture(const Rect& destination, int sourceX, int sourceY, int sourceWidth,
                                      int sourceHeight, const DibImage& picture) {
    if (!dc_ || picture.header.size() < sizeof(BITMAPINFOHEADER) || picture.bits.empty()) return;
    StretchDIBits(dc_, destination.left, destination.top, destination.Width(), destination.Height(), sourceX, sourceY,
                  sourceWidth, sourceHeight, picture.bits.data(),
                  reinterpret_cast<const BITMAPINFO*>(picture.header.data()), DIB_RGB_COLORS, SRCCOPY);
}

void GdiPrinterCanvas::CopyComposition(const Rect& /*target*/, const Rect& /*source*/) {
    if (!dc_) return;
    GdiFlush();  // the bits must hold what was drawn before they go to the page
    const int width = info_.bmiHeader.biWidth, height = info_.bmiHeader.biHeight;
    // One logical unit per picture pixel; no smoothing, as the screen's copy has none.
    SetStretchBltMode(page_, COLORONCOLOR);
    StretchDIBits(page_, 0, 0, width, height, 0, 0, width, height, bits_, &info_, DIB_RGB_COLORS, SRCCOPY);
}
