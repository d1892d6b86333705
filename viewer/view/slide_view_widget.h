#pragma once

#include "viewer/view/paint_message_queue.h"
#include "viewer/view/varnelle_view.h"

#include <QAbstractScrollArea>

#include <functional>
#include <memory>

namespace platform {
class TimerService;
}

// The slide view's window: turns Qt's events into the view's calls and paints through it.
// One scroll unit is one screen pixel.
class SlideViewWidget final : public QAbstractScrollArea, public ViewWindow {
    Q_OBJECT
public:
    struct Hooks {
        std::function<void()> recalcLayout;  // the frame's layout request
        std::function<void()> painted;       // after each paint, for the status panes
    };

    // `timers`: the auto-advance timer service, or null for timers of this window.
    SlideViewWidget(DocumentProvider& documents, SlidePictureSource& pictures, platform::MessageSink& messages,
                    platform::TimerService* timers, Hooks hooks, QWidget* parent = nullptr);
    ~SlideViewWidget() override;

    CVarnelleView& View() { return *view_; }

    Rect ClientRect() const override;
    Point ClientOriginOnScreen() const override;
    Point ScrollPosition() const override;
    void SetScrollSizes(int totalWidth, int totalHeight) override;
    void ScrollToPosition(Point position) override;
    void ScrollPage(bool down) override;
    void Invalidate() override;
    void RecalcFrameLayout() override;

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
    PaintMessageQueue messages_;
    std::unique_ptr<platform::TimerService> ownTimers_;
    std::unique_ptr<CVarnelleView> view_;
    int totalWidth_ = 0;
    int totalHeight_ = 0;
    QPoint lastMouse_{-1, -1};
};
