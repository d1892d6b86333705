#include "viewer/qt/qt_view_canvas.h"

#include "gui_common/text_bytes.h"
#include "viewer/qt/dib_drawing.h"

#include <QFontMetrics>

QtViewCanvas::QtViewCanvas(platform::MessageSink& messages, platform::Heap& heap) : tools_(messages, heap) {}

QFont QtViewCanvas::OverlayFont(int dpiY) {
    QFont font(QStringLiteral("Verdana"));
    font.setStyleHint(QFont::SansSerif);
    // Nine points as a character height in device pixels, rounded as the platform does.
    font.setPixelSize(std::max(1, (9 * dpiY + 36) / 72));
    font.setWeight(QFont::DemiBold);
    return font;
}

void QtViewCanvas::SetDpi(int dpiY) {
    if (dpiY == dpiY_) return;
    dpiY_ = dpiY;
    font_ = OverlayFont(dpiY);
}

void QtViewCanvas::BeginComposition(int width, int height) {
    EndPaint();
    const int w = std::max(width, 0), h = std::max(height, 0);
    // The screen keeps its pixels when the window's size changes; new parts are black.
    if (screen_.size() != QSize(w, h)) {
        QImage resized(w, h, QImage::Format_RGB32);
        if (!resized.isNull()) {
            resized.fill(Qt::black);
            if (!screen_.isNull()) QPainter(&resized).drawImage(0, 0, screen_);
        }
        screen_ = resized;
    }
    composition_.Begin(w, h, Qt::black);
}

void QtViewCanvas::StretchPicture(const Rect& destination, int sourceX, int sourceY, int sourceWidth,
                                  int sourceHeight, const DibImage& picture) {
    composition_.StretchPicture(destination, sourceX, sourceY, sourceWidth, sourceHeight, picture);
}

QPainter& QtViewCanvas::ScreenPainter() {
    composition_.Finish();
    if (!screenPainter_) screenPainter_.emplace(&screen_);
    return *screenPainter_;
}

void QtViewCanvas::CopyComposition(const Rect& target, const Rect& source) {
    if (screen_.isNull() || composition_.Image().isNull() || target.Width() <= 0 || target.Height() <= 0 ||
        source.Width() <= 0 || source.Height() <= 0)
        return;
    ScreenPainter().drawImage(QRect(target.left, target.top, target.Width(), target.Height()), composition_.Image(),
                              QRect(source.left, source.top, source.Width(), source.Height()));
}

void QtViewCanvas::DrawKeyedPicture(const Rect& rect, const DibImage& picture, RgbColour key) {
    if (screen_.isNull()) return;
    DrawDib(tools_, ScreenPainter(), rect.left, rect.top, rect.right, rect.bottom, picture, true, key);
}

void QtViewCanvas::DrawOverlayText(int x, int y, RgbColour colour, const std::string& text) {
    if (screen_.isNull()) return;
    QPainter& painter = ScreenPainter();
    painter.setFont(font_);
    painter.setPen(QColor(colour.red, colour.green, colour.blue));
    // (x, y) is the top of the text cell; Qt places text by its baseline.
    painter.drawText(x, y + QFontMetrics(font_).ascent(), gui::FromBytes(text));
}

TextExtent QtViewCanvas::OverlayTextExtent(const std::string& text) {
    const QFontMetrics metrics(font_);
    return {metrics.horizontalAdvance(gui::FromBytes(text)), metrics.height()};
}

void QtViewCanvas::EndPaint() {
    composition_.Finish();
    screenPainter_.reset();
}
