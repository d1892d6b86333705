#include "viewer/win32/view_window.h"

#include "platform/clock.h"
#include "viewer/win32/resource_ids.h"

#include <windowsx.h>

#include <algorithm>

namespace {

constexpr char kClassName[] = "VarnelleView";
// The window timer of a sweep's next frame; the view's own auto-advance timer is 1, on
// the timer service's window.
constexpr UINT_PTR kFrameTimer = 2;
// A task posted by Post(): its lParam owns the task.
constexpr UINT kRunTask = WM_APP + 1;
// Sweep frames come no closer than this, about the display's refresh.
constexpr int kMinFrameGapMilliseconds = 15;

void RegisterViewClass() {
    static const bool registered = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.lpszClassName = kClassName;
        return RegisterClassA(&wc) != 0;
    }();
    (void)registered;
}

}  // namespace

ViewWindowWin32::ViewWindowWin32(HWND parent, DocumentProvider& documents, SlidePictureSource& pictures,
                                 platform::MessageSink& messages, const platform::Clock& clock,
                                 platform::TimerService& timers, platform::Heap& heap, Hooks hooks)
    : hooks_(std::move(hooks)),
      clock_(clock),
      messages_(messages, [this](std::function<void()> f) { Post(std::move(f)); }),
      cursor_(LoadCursorA(nullptr, IDC_ARROW)) {
    RegisterViewClass();
    hwnd_ = CreateWindowExA(0, kClassName, "", WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | WS_CLIPSIBLINGS, 0,
                            0, 0, 0, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure));
    view_ = std::make_unique<CVarnelleView>(ViewServices{documents, *this, pictures, timers, messages_, clock, heap});
    UpdateScrollBars();
}

ViewWindowWin32::~ViewWindowWin32() {
    view_->OnDestroy();
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    // Tasks still queued would never run: each message owns its task.
    MSG message;
    while (PeekMessageA(&message, hwnd_, kRunTask, kRunTask, PM_REMOVE))
        delete reinterpret_cast<std::function<void()>*>(message.lParam);
    DestroyWindow(hwnd_);
}

Rect ViewWindowWin32::ClientRect() const {
    RECT rc{};
    GetClientRect(hwnd_, &rc);
    return {0, 0, rc.right, rc.bottom};
}

Point ViewWindowWin32::ClientOriginOnScreen() const {
    POINT origin{0, 0};
    ClientToScreen(hwnd_, &origin);
    return {origin.x, origin.y};
}

void ViewWindowWin32::SetScrollSizes(int totalWidth, int totalHeight) {
    totalWidth_ = std::max(totalWidth, 0);
    totalHeight_ = std::max(totalHeight, 0);
    UpdateScrollBars();
}

void ViewWindowWin32::UpdateScrollBars() {
    const Rect client = ClientRect();
    scroll_.x = std::clamp(scroll_.x, 0, std::max(0, totalWidth_ - client.Width()));
    scroll_.y = std::clamp(scroll_.y, 0, std::max(0, totalHeight_ - client.Height()));
    for (const auto& [bar, total, page, pos] :
         {std::tuple{SB_HORZ, totalWidth_, client.Width(), scroll_.x}, {SB_VERT, totalHeight_, client.Height(), scroll_.y}}) {
        SCROLLINFO info{sizeof(info), SIF_RANGE | SIF_PAGE | SIF_POS, 0, std::max(total - 1, 0),
                        static_cast<UINT>(total > page ? page : total + 1), pos, 0};
        SetScrollInfo(hwnd_, bar, &info, TRUE);
    }
}

void ViewWindowWin32::ScrollToPosition(Point position) {
    const Rect client = ClientRect();
    const Point limited{std::clamp(position.x, 0, std::max(0, totalWidth_ - client.Width())),
                        std::clamp(position.y, 0, std::max(0, totalHeight_ - client.Height()))};
    if (limited.x == scroll_.x && limited.y == scroll_.y) return;
    view_->OnScroll();
    scroll_ = limited;
    UpdateScrollBars();
    Invalidate();
}

void ViewWindowWin32::ScrollPage(bool down) { OnScrollBar(SB_VERT, down ? SB_PAGEDOWN : SB_PAGEUP); }

void ViewWindowWin32::OnScrollBar(int bar, int request) {
    const bool horizontal = bar == SB_HORZ;
    const int total = horizontal ? totalWidth_ : totalHeight_;
    // A page is a tenth of the total size, a line a tenth of a page.
    const int page = std::max(1, total / 10), line = std::max(1, total / 100);
    SCROLLINFO info{sizeof(info), SIF_TRACKPOS, 0, 0, 0, 0, 0};
    GetScrollInfo(hwnd_, bar, &info);
    int pos = horizontal ? scroll_.x : scroll_.y;
    switch (request) {
    case SB_LINEUP: pos -= line; break;
    case SB_LINEDOWN: pos += line; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = info.nTrackPos; break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = total; break;
    default: return;
    }
    ScrollToPosition(horizontal ? Point{pos, scroll_.y} : Point{scroll_.x, pos});
}

void ViewWindowWin32::Invalidate() { ::InvalidateRect(hwnd_, nullptr, FALSE); }

void ViewWindowWin32::InvalidateRect(const Rect& rect) {
    const RECT rc{rect.left, rect.top, rect.right, rect.bottom};
    ::InvalidateRect(hwnd_, &rc, FALSE);
}

void ViewWindowWin32::RecalcFrameLayout() {
    if (hooks_.recalcLayout) hooks_.recalcLayout();
}

void ViewWindowWin32::SetCursor(ViewCursor cursor) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    switch (cursor) {
    case ViewCursor::Hidden: cursor_ = nullptr; break;
    case ViewCursor::PointingHand: cursor_ = LoadCursorA(instance, MAKEINTRESOURCEA(IDC_NAV_POINT)); break;
    case ViewCursor::PressingHand: cursor_ = LoadCursorA(instance, MAKEINTRESOURCEA(IDC_NAV_PRESS)); break;
    case ViewCursor::Magnifier: cursor_ = LoadCursorA(instance, MAKEINTRESOURCEA(IDC_MAGNIFIER)); break;
    case ViewCursor::Arrow: cursor_ = LoadCursorA(nullptr, IDC_ARROW); break;
    }
    ::SetCursor(cursor_);
}

void ViewWindowWin32::SendCommand(int id) {
    if (hooks_.command) hooks_.command(id);
}

void ViewWindowWin32::RequestFrame(std::uint32_t dueMilliseconds) {
    // Wrap-safe: a due time already past comes out negative.
    const auto wait = static_cast<std::int32_t>(dueMilliseconds - clock_.MonotonicMilliseconds());
    SetTimer(hwnd_, kFrameTimer, static_cast<UINT>(std::max<int>(wait, kMinFrameGapMilliseconds)), nullptr);
}

void ViewWindowWin32::Post(std::function<void()> task) {
    auto* owned = new std::function<void()>(std::move(task));
    if (!PostMessageA(hwnd_, kRunTask, 0, reinterpret_cast<LPARAM>(owned))) delete owned;
}

void ViewWindowWin32::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    // Every paint draws the whole client area into the canvas's screen, whatever part was
    // asked for; that picture then goes to the window in one transfer.
    canvas_.SetDpi(GetDeviceCaps(dc, LOGPIXELSY));
    messages_.BeginHold();
    view_->OnDraw(canvas_);
    messages_.EndHold();
    SetStretchBltMode(dc, COLORONCOLOR);
    canvas_.Present(dc);
    EndPaint(hwnd_, &ps);
    if (hooks_.painted) hooks_.painted();
}

LRESULT CALLBACK ViewWindowWin32::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<ViewWindowWin32*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    return self ? self->Handle(message, wParam, lParam) : DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT ViewWindowWin32::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    const Point at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
    case WM_PAINT: Paint(); return 0;
    case WM_ERASEBKGND: return 1;  // every paint covers the whole client area
    case WM_SIZE:
        // A centred slide moves with the size: all of the client area is painted again,
        // not only the part a larger size uncovers.
        UpdateScrollBars();
        Invalidate();
        return 0;
    case WM_HSCROLL: OnScrollBar(SB_HORZ, LOWORD(wParam)); return 0;
    case WM_VSCROLL: OnScrollBar(SB_VERT, LOWORD(wParam)); return 0;
    case WM_KEYDOWN: view_->OnKeyDown(static_cast<int>(wParam)); return 0;
    case WM_KEYUP: view_->OnKeyUp(static_cast<int>(wParam)); return 0;
    case WM_MOUSEMOVE: view_->OnMouseMove(at); return 0;
    case WM_LBUTTONDOWN: SetFocus(hwnd_); view_->OnLButtonDown(at); return 0;
    case WM_LBUTTONUP: view_->OnLButtonUp(at); return 0;
    case WM_RBUTTONDOWN: view_->OnRButtonDown(at); return 0;
    case WM_RBUTTONUP: view_->OnRButtonUp(at); return 0;
    case WM_MOUSEWHEEL: view_->OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam)); return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) != HTCLIENT) break;
        ::SetCursor(cursor_);
        return TRUE;
    case WM_TIMER:
        if (wParam != kFrameTimer) break;
        KillTimer(hwnd_, kFrameTimer);
        Invalidate();
        return 0;
    case kRunTask: {
        std::unique_ptr<std::function<void()>> task(reinterpret_cast<std::function<void()>*>(lParam));
        (*task)();
        return 0;
    }
    default: break;
    }
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}
