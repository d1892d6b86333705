#include "viewer/qt/qt_printer_canvas.h"

void QtPrinterCanvas::BeginComposition(int width, int height) { composition_.Begin(width, height, Qt::white); }

void QtPrinterCanvas::StretchPicture(const Rect& destination, int sourceX, int sourceY, int sourceWidth,
                                     int sourceHeight, const DibImage& picture) {
    composition_.StretchPicture(destination, sourceX, sourceY, sourceWidth, sourceHeight, picture);
}

void QtPrinterCanvas::CopyComposition(const Rect& /*target*/, const Rect& /*source*/) {
    const QImage& page = composition_.Finish();
    // One logical unit per picture pixel; no smoothing, as the screen's copy has none. A
    // PDF page would otherwise carry the picture JPEG-compressed.
    printer_.setRenderHint(QPainter::SmoothPixmapTransform, false);
    printer_.setRenderHint(QPainter::LosslessImageRendering, true);
    if (!page.isNull()) printer_.drawImage(0, 0, page);
}
