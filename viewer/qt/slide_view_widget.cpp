#include "viewer/qt/slide_view_widget.h"

#include "platform/clock.h"
#include "viewer/qt/qt_view_canvas.h"
#include "viewer/view/view_keys.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

namespace {

// Qt's key codes for the keys the view knows by their platform numbers.
int VirtualKey(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Escape: return vk::kEscape;
    case Qt::Key_Left: return vk::kLeft;
    case Qt::Key_Up: return vk::kUp;
    case Qt::Key_Right: return vk::kRight;
    case Qt::Key_Down: return vk::kDown;
    default: return 0;
    }
}

Point ToPoint(const QPointF& p) { return {static_cast<int>(p.x()), static_cast<int>(p.y())}; }

// Sweep frames come no closer than this, about the display's refresh, however many passes
// fall due in between.
constexpr int kMinFrameGapMilliseconds = 15;

}  // namespace

SlideViewWidget::SlideViewWidget(DocumentProvider& documents, SlidePictureSource& pictures,
                                 platform::MessageSink& messages, const platform::Clock& clock,
                                 platform::TimerService& timers, platform::Heap& heap, Hooks hooks, QWidget* parent)
    : QAbstractScrollArea(parent),
      hooks_(std::move(hooks)),
      clock_(clock),
      messages_(messages, [this](std::function<void()> f) { QTimer::singleShot(0, this, std::move(f)); }),
      canvas_(messages_, heap) {
    frameTimer_ = new QTimer(this);
    frameTimer_->setSingleShot(true);
    frameTimer_->setTimerType(Qt::PreciseTimer);
    connect(frameTimer_, &QTimer::timeout, viewport(), qOverload<>(&QWidget::update));
    view_ = std::make_unique<CVarnelleView>(ViewServices{documents, *this, pictures, timers, messages_, clock, heap});
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    // Every paint covers the whole client area, so Qt need not clear it first.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAttribute(Qt::WA_NoSystemBackground);
}

SlideViewWidget::~SlideViewWidget() { view_->OnDestroy(); }

Rect SlideViewWidget::ClientRect() const { return {0, 0, viewport()->width(), viewport()->height()}; }

Point SlideViewWidget::ClientOriginOnScreen() const {
    const QPoint origin = viewport()->mapToGlobal(QPoint(0, 0));
    return {origin.x(), origin.y()};
}

Point SlideViewWidget::ScrollPosition() const {
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

void SlideViewWidget::SetScrollSizes(int totalWidth, int totalHeight) {
    totalWidth_ = std::max(totalWidth, 0);
    totalHeight_ = std::max(totalHeight, 0);
    UpdateScrollRanges();
}

void SlideViewWidget::UpdateScrollRanges() {
    const QSize client = viewport()->size();
    QScrollBar* h = horizontalScrollBar();
    QScrollBar* v = verticalScrollBar();
    h->setRange(0, std::max(0, totalWidth_ - client.width()));
    v->setRange(0, std::max(0, totalHeight_ - client.height()));
    // A page is a tenth of the total size, a line a tenth of a page.
    h->setPageStep(std::max(1, totalWidth_ / 10));
    v->setPageStep(std::max(1, totalHeight_ / 10));
    h->setSingleStep(std::max(1, totalWidth_ / 100));
    v->setSingleStep(std::max(1, totalHeight_ / 100));
}

void SlideViewWidget::ScrollToPosition(Point position) {
    horizontalScrollBar()->setValue(position.x);
    verticalScrollBar()->setValue(position.y);
}

void SlideViewWidget::ScrollPage(bool down) {
    verticalScrollBar()->triggerAction(down ? QAbstractSlider::SliderPageStepAdd : QAbstractSlider::SliderPageStepSub);
}

void SlideViewWidget::Invalidate() { viewport()->update(); }

void SlideViewWidget::InvalidateRect(const Rect& rect) {
    viewport()->update(QRect(rect.left, rect.top, rect.Width(), rect.Height()));
}

QCursor SlideViewWidget::CursorFor(ViewCursor cursor) {
    switch (cursor) {
    case ViewCursor::Hidden: return QCursor(Qt::BlankCursor);
    case ViewCursor::PointingHand: return QCursor(QPixmap(QStringLiteral(":/cursors/219.xpm")), 12, 1);
    case ViewCursor::PressingHand: return QCursor(QPixmap(QStringLiteral(":/cursors/465.xpm")), 12, 1);
    case ViewCursor::Magnifier: return QCursor(QPixmap(QStringLiteral(":/cursors/1529.xpm")), 15, 15);
    case ViewCursor::Arrow: break;
    }
    return QCursor(Qt::ArrowCursor);
}

void SlideViewWidget::SetCursor(ViewCursor cursor) { viewport()->setCursor(CursorFor(cursor)); }

void SlideViewWidget::SendCommand(int id) {
    if (hooks_.command) hooks_.command(id);
}

void SlideViewWidget::RequestFrame(std::uint32_t dueMilliseconds) {
    // Wrap-safe: a due time already past comes out negative.
    const auto wait = static_cast<std::int32_t>(dueMilliseconds - clock_.MonotonicMilliseconds());
    frameTimer_->start(std::max<int>(wait, kMinFrameGapMilliseconds));
}

void SlideViewWidget::Post(std::function<void()> task) { QTimer::singleShot(0, this, std::move(task)); }

void SlideViewWidget::RecalcFrameLayout() {
    if (hooks_.recalcLayout) hooks_.recalcLayout();
}

void SlideViewWidget::paintEvent(QPaintEvent* /*event*/) {
    // Every paint draws the whole client area into the canvas's screen, whatever part Qt
    // asked for; that picture then goes to the window in one draw.
    canvas_.SetDpi(logicalDpiY());
    messages_.BeginHold();
    view_->OnDraw(canvas_);
    messages_.EndHold();
    canvas_.EndPaint();
    QPainter painter(viewport());
    painter.drawImage(0, 0, canvas_.Screen());
    painter.end();
    if (repaintAfterSweep_ && !view_->InTransition()) {
        repaintAfterSweep_ = false;
        viewport()->update();
    }
    if (hooks_.painted) hooks_.painted();
}

void SlideViewWidget::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollRanges();
    if (view_->InTransition()) repaintAfterSweep_ = true;
}

void SlideViewWidget::scrollContentsBy(int /*dx*/, int /*dy*/) {
    view_->OnScroll();
    // The content moved: the whole client area is painted again (bar and caption included).
    viewport()->update();
    if (view_->InTransition()) repaintAfterSweep_ = true;
}

void SlideViewWidget::keyPressEvent(QKeyEvent* event) { view_->OnKeyDown(VirtualKey(event->key())); }

void SlideViewWidget::keyReleaseEvent(QKeyEvent* event) { view_->OnKeyUp(VirtualKey(event->key())); }

void SlideViewWidget::mouseMoveEvent(QMouseEvent* event) {
    lastMouse_ = event->position().toPoint();
    view_->OnMouseMove(ToPoint(event->position()));
}

void SlideViewWidget::mousePressEvent(QMouseEvent* event) {
    // The platform reports a move to the spot of every click; Qt need not, so make one.
    if (event->position().toPoint() != lastMouse_) mouseMoveEvent(event);
    if (event->button() == Qt::LeftButton) view_->OnLButtonDown(ToPoint(event->position()));
    else if (event->button() == Qt::RightButton) view_->OnRButtonDown(ToPoint(event->position()));
}

void SlideViewWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) view_->OnLButtonUp(ToPoint(event->position()));
    else if (event->button() == Qt::RightButton) view_->OnRButtonUp(ToPoint(event->position()));
}

void SlideViewWidget::wheelEvent(QWheelEvent* event) { view_->OnMouseWheel(event->angleDelta().y()); }
