#pragma once

#include "viewer/view/paint_message_queue.h"
#include "viewer/qt/qt_view_canvas.h"
#include "viewer/view/varnelle_view.h"

#include <QAbstractScrollArea>

#include <functional>
#include <memory>

class QTimer;

namespace platform {
class Clock;
class Heap;
class TimerService;
}  // namespace platform

// The slide view's window: turns Qt's events into the view's calls and paints through it.
// One scroll unit is one screen pixel.
class SlideViewWidget final : public QAbstractScrollArea, public ViewWindow {
    Q_OBJECT
public:
    struct Hooks {
        std::function<void()> recalcLayout;  // the frame's layout request
        std::function<void()> painted;       // after each paint, for the status panes
        std::function<void(int)> command;    // a command sent to the main window
    };

    // `timers`: the auto-advance timer service, whose ticks go to View().OnTimer. `clock`
    // paces the sweeps; `heap` gets the pictures the view and its canvas release.
    SlideViewWidget(DocumentProvider& documents, SlidePictureSource& pictures, platform::MessageSink& messages,
                    const platform::Clock& clock, platform::TimerService& timers, platform::Heap& heap, Hooks hooks,
                    QWidget* parent = nullptr);
    ~SlideViewWidget() override;

    CVarnelleView& View() { return *view_; }

    Rect ClientRect() const override;
    Point ClientOriginOnScreen() const override;
    Point ScrollPosition() const override;
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

    // The cursor shown for the view's cursor, with its hot spot.
    static QCursor CursorFor(ViewCursor cursor);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void UpdateScrollRanges();

    Hooks hooks_;
    const platform::Clock& clock_;
    PaintMessageQueue messages_;
    QtViewCanvas canvas_;
    QTimer* frameTimer_ = nullptr;
    // The window changed during a sweep: paint it again when the sweep is over.
    bool repaintAfterSweep_ = false;
    std::unique_ptr<CVarnelleView> view_;
    int totalWidth_ = 0;
    int totalHeight_ = 0;
    QPoint lastMouse_{-1, -1};
};
