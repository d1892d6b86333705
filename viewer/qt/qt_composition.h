#pragma once

#include "viewer/document/dib_image.h"
#include "viewer/document/geometry.h"

#include <QColor>
#include <QImage>
#include <QPainter>

#include <optional>

// The client-sized image one paint composes the slide in, on a background colour: black
// for the screen, white for paper.
class QtComposition {
public:
    void Begin(int width, int height, QColor background);
    // Stretches the source part of the picture (y and height in stored rows from the
    // bottom) into the destination, nearest neighbour.
    void StretchPicture(const Rect& destination, int sourceX, int sourceY, int sourceWidth, int sourceHeight,
                        const DibImage& picture);
    // Ends the composing; the image is complete from then on.
    const QImage& Finish();
    const QImage& Image() const { return image_; }

private:
    QImage image_;
    std::optional<QPainter> painter_;
};
