#pragma once

#include "viewer/document/geometry.h"
#include "viewer/print/print_geometry.h"

#include <windows.h>

#include <functional>

// Where the preview puts the sheet and its printable area in a client rectangle: the whole
// sheet kept in proportion and centred inside a margin, the printable area at the printer's
// offsets on the same scale, as many printer pixels wide and high as the page has.
struct PreviewLayout {
    Rect paper;
    Rect printable;
};
PreviewLayout LayOutPreview(const Rect& client, const PrinterCaps& caps, int printableWidth, int printableHeight);

// The print preview: one page, recorded once as an enhanced metafile on the printer's
// device context (the same page geometry the printer gets) and played into the printable
// area of a sheet drawn on screen. Escape or the close box ends it.
class Win32PrintPreview {
public:
    static constexpr int kMargin = 16;

    // `drawPage` draws the page on a device context whose pixels count from the printable
    // origin, as the printer's do.
    Win32PrintPreview(HDC printer, const std::function<void(HDC)>& drawPage);
    ~Win32PrintPreview();
    Win32PrintPreview(const Win32PrintPreview&) = delete;
    Win32PrintPreview& operator=(const Win32PrintPreview&) = delete;

    // Modal over `owner` until closed.
    void Run(HWND owner);
    // Shown and left to the caller's message loop; closing destroys it.
    HWND Create(HWND owner);
    HWND Handle() const { return hwnd_; }
    PreviewLayout Layout() const;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();

    PrinterCaps caps_;
    int printableWidth_ = 0;  // the printable area in printer pixels
    int printableHeight_ = 0;
    HENHMETAFILE page_ = nullptr;
    HWND hwnd_ = nullptr;
};
