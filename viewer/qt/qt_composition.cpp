#include "viewer/qt/qt_composition.h"

#include "viewer/qt/dib_drawing.h"

#include <algorithm>

void QtComposition::Begin(int width, int height, QColor background) {
    painter_.reset();
    // The last paint's image is filled again rather than made anew: a client-sized block
    // freed and mapped afresh on every paint would cost its page faults each time.
    const QSize size(std::max(width, 0), std::max(height, 0));
    if (image_.size() != size || image_.isNull()) image_ = QImage(size, QImage::Format_RGB32);
    if (image_.isNull()) return;
    image_.fill(background);
    painter_.emplace(&image_);
}

void QtComposition::StretchPicture(const Rect& destination, int sourceX, int sourceY, int sourceWidth,
                                   int sourceHeight, const DibImage& picture) {
    if (!painter_) return;
    if (StretchDibIntoImage(image_, destination.left, destination.top, destination.Width(), destination.Height(),
                            sourceX, sourceY, sourceWidth, sourceHeight, picture))
        return;
    StretchDibBits(*painter_, destination.left, destination.top, destination.Width(), destination.Height(), sourceX,
                   sourceY, sourceWidth, sourceHeight, picture);
}

const QImage& QtComposition::Finish() {
    painter_.reset();
    return image_;
}
