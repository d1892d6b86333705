#pragma once

#include "viewer/view/paint_message_queue.h"
#include "viewer/view/varnelle_view.h"
#include "viewer/win32/gdi_view_canvas.h"

#include <windows.h>

#include <functional>
#include <memory>

// The slide view's child window: turns its messages into the view's calls and paints
// through it. One scroll unit is one screen pixel.
class ViewWindowWin32 final : public ViewWindow {
public:
    struct Hooks {
        std::function<void()> recalcLayout;  // the frame's layout request
        std::function<void()> painted;       // after each paint, for the status panes
        std::function<void(int)> command;    // a command sent to the main window
    };

    ViewWindowWin32(HWND parent, DocumentProvider& documents, SlidePictureSource& pictures,
                    platform::MessageSink& messages, const platform::Clock& clock, platform::TimerService& timers,
                    platform::Heap& heap, Hooks hooks);
    ~ViewWindowWin32() override;

    HWND Handle() const { return hwnd_; }
    CVarnelleView& View() { return *view_; }
    // The cursor shown over the client area.
    HCURSOR Cursor() const { return cursor_; }

    Rect ClientRect() const override;
    Point ClientOriginOnScreen() const override;
    Point ScrollPosition() const override { return scroll_; }
    void SetScrollSizes(int totalWidth, int totalHeight) override;
    void ScrollToPosition(Point position) override;
    void ScrollPage(bool down) override;
    void Invalidate() override;
    void InvalidateRect(const Rect& rect) override;
    void RecalcFrameLayout() override;
    void SetCursor(ViewCursor cursor) override;
    void SendCommand(int id) override;
    void RequestFrame(std::uint32_t dueMilliseconds) override;
    void Post(std::function<void()> task) override;

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();
    void UpdateScrollBars();
    void OnScrollBar(int bar, int request);

    HWND hwnd_ = nullptr;
    Hooks hooks_;
    const platform::Clock& clock_;
    PaintMessageQueue messages_;
    GdiViewCanvas canvas_;
    std::unique_ptr<CVarnelleView> view_;
    Point scroll_;
    int totalWidth_ = 0;
    int totalHeight_ = 0;
    HCURSOR cursor_ = nullptr;
};
