#include "viewer/win32/print/win32_print_preview.h"

#include "viewer/print/print_mapping.h"
#include "viewer/res/texts.h"
#include "viewer/win32/print/win32_printer.h"

#include <algorithm>

namespace {

constexpr char kClassName[] = "VarnellePrintPreview";

void RegisterPreviewClass() {
    WNDCLASSA wc{};
    if (GetClassInfoA(GetModuleHandleA(nullptr), kClassName, &wc)) return;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc);
}

}  // namespace

PreviewLayout LayOutPreview(const Rect& client, const PrinterCaps& caps, int printableWidth, int printableHeight) {
    PreviewLayout layout;
    const int m = Win32PrintPreview::kMargin;
    const double areaW = client.Width() - 2 * m, areaH = client.Height() - 2 * m;
    if (caps.physicalWidth <= 0 || caps.physicalHeight <= 0 || areaW <= 0 || areaH <= 0) {
        layout.paper = layout.printable = {client.left, client.top, client.left, client.top};
        return layout;
    }
    const double s = std::min(areaW / caps.physicalWidth, areaH / caps.physicalHeight);
    const int w = TruncToInt(caps.physicalWidth * s), h = TruncToInt(caps.physicalHeight * s);
    const int left = client.left + TruncToInt((client.Width() - w) * 0.5);
    const int top = client.top + TruncToInt((client.Height() - h) * 0.5);
    layout.paper = {left, top, left + w, top + h};
    const int pl = left + TruncToInt(caps.physicalOffsetX * s), pt = top + TruncToInt(caps.physicalOffsetY * s);
    layout.printable = {pl, pt, pl + TruncToInt(printableWidth * s), pt + TruncToInt(printableHeight * s)};
    return layout;
}

Win32PrintPreview::Win32PrintPreview(HDC printer, const std::function<void(HDC)>& drawPage)
    : caps_(win32print::CapsOf(printer)),
      printableWidth_(GetDeviceCaps(printer, HORZRES)),
      printableHeight_(GetDeviceCaps(printer, VERTRES)) {
    // The frame is the printable area in hundredths of a millimetre: played back, it spans
    // the printer's printable pixels, whose millimetres the device reports.
    const RECT frame{0, 0, caps_.printableWidthMm * 100, caps_.printableHeightMm * 100};
    HDC recorder = CreateEnhMetaFileA(printer, nullptr, &frame, nullptr);
    if (!recorder) return;
    drawPage(recorder);
    page_ = CloseEnhMetaFile(recorder);
}

Win32PrintPreview::~Win32PrintPreview() {
    if (hwnd_) DestroyWindow(hwnd_);
    if (page_) DeleteEnhMetaFile(page_);
}

HWND Win32PrintPreview::Create(HWND owner) {
    RegisterPreviewClass();
    hwnd_ = CreateWindowExA(0, kClassName, texts::kPrintPreviewCaption, WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                            CW_USEDEFAULT, CW_USEDEFAULT, 640, 800, owner, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!hwnd_) return nullptr;
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc));
    InvalidateRect(hwnd_, nullptr, TRUE);
    UpdateWindow(hwnd_);
    return hwnd_;
}

void Win32PrintPreview::Run(HWND owner) {
    if (!Create(owner)) return;
    if (owner) EnableWindow(owner, FALSE);
    MSG message;
    while (hwnd_ && GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    if (owner) {
        EnableWindow(owner, TRUE);
        SetActiveWindow(owner);
    }
    // A quit that ended the loop belongs to the program's own loop.
    if (hwnd_) PostQuitMessage(0);
}

LRESULT CALLBACK Win32PrintPreview::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Win32PrintPreview*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    switch (message) {
    case WM_PAINT:
        self->Paint();
        return 0;
    case WM_SIZE:
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE) DestroyWindow(hwnd);
        return 0;
    case WM_NCDESTROY:
        self->hwnd_ = nullptr;
        break;
    default:
        break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

PreviewLayout Win32PrintPreview::Layout() const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    return LayOutPreview({client.left, client.top, client.right, client.bottom}, caps_, printableWidth_, printableHeight_);
}

void Win32PrintPreview::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    const PreviewLayout layout = Layout();
    const Rect& p = layout.paper;
    const HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    const HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(WHITE_BRUSH));
    Rectangle(dc, p.left, p.top, p.right, p.bottom);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    const Rect& a = layout.printable;
    const RECT target{a.left, a.top, a.right, a.bottom};
    if (page_ && a.Width() > 0 && a.Height() > 0) {
        // Nothing of the page lies outside the printable area, as on the printer.
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, a.left, a.top, a.right, a.bottom);
        PlayEnhMetaFile(dc, page_, &target);
        RestoreDC(dc, saved);
    }
    EndPaint(hwnd_, &ps);
}
