#pragma once

#include "viewer/view/view_services.h"

#include <windows.h>

// The view's drawing on GDI. Each paint composes the slide in a memory bitmap of the
// client size; the screen is a second memory bitmap that keeps what was drawn on it from
// paint to paint, as a window's pixels do, so a sweep's frames copy strips over the
// previous picture. The window copies the screen bitmap to itself after each paint.
class GdiViewCanvas final : public ViewCanvas {
public:
    GdiViewCanvas();
    ~GdiViewCanvas() override;
    GdiViewCanvas(const GdiViewCanvas&) = delete;
    GdiViewCanvas& operator=(const GdiViewCanvas&) = delete;

    // The overlay font for a screen of that many dots per inch.
    void SetDpi(int dpiY);
    // Copies the screen bitmap onto the window's device context.
    void Present(HDC target) const;

    void BeginComposition(int width, int height) override;
    void StretchPicture(const Rect& destination, int sourceX, int sourceY, int sourceWidth, int sourceHeight,
                        const DibImage& picture) override;
    void CopyComposition(const Rect& target, const Rect& source) override;
    void DrawKeyedPicture(const Rect& rect, const DibImage& picture, RgbColour key) override;
    void DrawOverlayText(int x, int y, RgbColour colour, const std::string& text) override;
    TextExtent OverlayTextExtent(const std::string& text) override;

private:
    // A memory device context with a bitmap of its own selected.
    struct Surface {
        HDC dc = nullptr;
        HBITMAP bitmap = nullptr;
        HGDIOBJ previous = nullptr;
        int width = 0;
        int height = 0;
    };
    static void Release(Surface& surface);
    // Makes the surface w by h, keeping the old pixels where they still fit.
    static void Resize(Surface& surface, int width, int height);

    Surface composition_;
    Surface screen_;
    HFONT font_ = nullptr;
    int dpiY_ = 0;
};
