#pragma once

#include "viewer/view/view_services.h"

#include <windows.h>

// The printed page on GDI: the slide is composed on white in a device-independent bitmap
// of the client size, which is put once at logical (0, 0) of the page's mapping. A printer
// takes device-independent bits only, so the composition never becomes a screen bitmap.
// Overlays are not printed.
class GdiPrinterCanvas final : public ViewCanvas {
public:
    // `page` is the printer's (or the preview's) device context, its print mapping set.
    explicit GdiPrinterCanvas(HDC page) : page_(page) {}
    ~GdiPrinterCanvas() override;
    GdiPrinterCanvas(const GdiPrinterCanvas&) = delete;
    GdiPrinterCanvas& operator=(const GdiPrinterCanvas&) = delete;

    void BeginComposition(int width, int height) override;
    void StretchPicture(const Rect& destination, int sourceX, int sourceY, int sourceWidth, int sourceHeight,
                        const DibImage& picture) override;
    // Puts the whole composition on the page; a printed page has one copy and no sweep.
    void CopyComposition(const Rect& target, const Rect& source) override;
    void DrawKeyedPicture(const Rect&, const DibImage&, RgbColour) override {}
    void DrawOverlayText(int, int, RgbColour, const std::string&) override {}
    TextExtent OverlayTextExtent(const std::string&) override { return {}; }

private:
    void Release();

    HDC page_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    void* bits_ = nullptr;
    BITMAPINFO info_{};
};
