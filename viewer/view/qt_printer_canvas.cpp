#include "viewer/view/qt_printer_canvas.h"

#include "viewer/document/dib_drawing.h"

void QtPrinterCanvas::BeginComposition(int width, int height) {
    composition_ = QImage(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
    if (composition_.isNull()) return;
    composition_.fill(Qt::white);
    composer_.emplace(&composition_);
}

void QtPrinterCanvas::StretchPicture(const Rect& destination, int sourceX, int sourceY, int sourceWidth,
                                     int sourceHeight, const DibImage& picture) {
    if (!composer_) return;
    if (StretchDibIntoImage(composition_, destination.left, destination.top, destination.Width(), destination.Height(),
                            sourceX, sourceY, sourceWidth, sourceHeight, picture))
        return;
    StretchDibBits(*composer_, destination.left, destination.top, destination.Width(), destination.Height(), sourceX,
                   sourceY, sourceWidth, sourceHeight, picture);
}

void QtPrinterCanvas::CopyComposition(const Rect& /*target*/, const Rect& /*source*/) {
    composer_.reset();
    // One logical unit per picture pixel; no smoothing, as the screen's copy has none.
    printer_.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (!composition_.isNull()) printer_.drawImage(0, 0, composition_);
}
