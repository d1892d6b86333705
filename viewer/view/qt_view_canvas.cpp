#include "viewer/view/qt_view_canvas.h"

#include "viewer/document/dib_drawing.h"

#include <QFontMetrics>

QtViewCanvas::QtViewCanvas(QPainter& screen, int dpiY) : screen_(screen), font_(OverlayFont(dpiY)) {}

QFont QtViewCanvas::OverlayFont(int dpiY) {
    QFont font(QStringLiteral("Verdana"));
    font.setStyleHint(QFont::SansSerif);
    // Nine points as a character height in device pixels, rounded as the platform does.
    font.setPixelSize(std::max(1, (9 * dpiY + 36) / 72));
    font.setWeight(QFont::DemiBold);
    return font;
}

void QtViewCanvas::BeginComposition(int width, int height) {
    composition_ = QImage(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
    if (composition_.isNull()) return;
    composition_.fill(Qt::black);
    composer_.emplace(&composition_);
}

void QtViewCanvas::StretchPicture(const Rect& destination, int sourceX, int sourceY, int sourceWidth,
                                  int sourceHeight, const DibImage& picture) {
    if (!composer_) return;
    if (StretchDibIntoImage(composition_, destination.left, destination.top, destination.Width(), destination.Height(),
                            sourceX, sourceY, sourceWidth, sourceHeight, picture))
        return;
    StretchDibBits(*composer_, destination.left, destination.top, destination.Width(), destination.Height(), sourceX,
                   sourceY, sourceWidth, sourceHeight, picture);
}

void QtViewCanvas::CopyCompositionToScreen() {
    composer_.reset();
    if (!composition_.isNull()) screen_.drawImage(0, 0, composition_);
}

void QtViewCanvas::DrawOverlayText(int x, int y, RgbColour colour, const std::string& text) {
    screen_.setFont(font_);
    screen_.setPen(QColor(colour.red, colour.green, colour.blue));
    // (x, y) is the top of the text cell; Qt places text by its baseline.
    screen_.drawText(x, y + QFontMetrics(font_).ascent(), QString::fromLocal8Bit(text.c_str()));
}
