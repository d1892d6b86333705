#pragma once

#include "viewer/document/dib_tools.h"
#include "viewer/qt/qt_composition.h"
#include "viewer/view/view_services.h"

#include <QFont>
#include <QImage>
#include <QPainter>

#include <optional>

namespace platform {
class Heap;
class MessageSink;
}  // namespace platform

// The view's drawing on Qt. The slide is composed in a client-sized image; the screen is
// a second image that keeps what was drawn on it from paint to paint, as a window's
// pixels do, so that a sweep's frames copy strips over the previous picture. The widget
// shows the screen image after each paint.
class QtViewCanvas final : public ViewCanvas {
public:
    // `messages` takes the picture tools' messages; `heap` gets their released copies back.
    QtViewCanvas(platform::MessageSink& messages, platform::Heap& heap);

    // The overlay font for a screen of that many dots per inch.
    void SetDpi(int dpiY);
    // Ends the drawing of one paint; the screen image is then complete.
    void EndPaint();
    const QImage& Screen() const { return screen_; }

    void BeginComposition(int width, int height) override;
    void StretchPicture(const Rect& destination, int sourceX, int sourceY, int sourceWidth, int sourceHeight,
                        const DibImage& picture) override;
    void CopyComposition(const Rect& target, const Rect& source) override;
    void DrawKeyedPicture(const Rect& rect, const DibImage& picture, RgbColour key) override;
    void DrawOverlayText(int x, int y, RgbColour colour, const std::string& text) override;
    TextExtent OverlayTextExtent(const std::string& text) override;

    // The overlay font: 9 points, weight 600, a sans-serif face.
    static QFont OverlayFont(int dpiY);

private:
    QPainter& ScreenPainter();

    CDibTools tools_;
    QFont font_;
    int dpiY_ = 0;
    QtComposition composition_;
    QImage screen_;
    std::optional<QPainter> screenPainter_;
};
