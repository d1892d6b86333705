#pragma once

#include "viewer/qt/face_guard.h"
#include "viewer/document/dib_image.h"
#include "viewer/document/dib_tools.h"
#include "viewer/document/rgb_colour.h"

class QImage;
class QPainter;

// The drawing half of the picture tools; it needs Qt, the rest of CDibTools does not.
// Rectangles are (left, top)-(right, bottom) in the painter's coordinates; an empty or
// inverted rectangle draws nothing.

// Draws the whole picture stretched into the rectangle. Opaque: nearest neighbour (rows
// and columns are dropped or repeated, never blended), the colour table used as RGB.
// Transparent: a private copy is resized to the rectangle and drawn so that where it has
// the key colour the target keeps its own pixels.
void DrawDib(const CDibTools& tools, QPainter& painter, int left, int top, int right, int bottom,
             const DibImage& image, bool transparent, RgbColour key);

// Masked draw of `bitmap`, sized to right - left by bottom - top, at (left, top): pixels of
// the key colour leave the target untouched, all others replace it.
void DrawTransparent(QPainter& painter, const QImage& bitmap, int left, int top, int right, int bottom,
                     RgbColour key);

// Stretches the source rectangle of the picture (x, y, width, height in pixels, y counted
// from the bottom row as the rows are stored) into the destination rectangle, nearest
// neighbour, the colour table used as RGB. Only that part of the picture is read.
void StretchDibBits(QPainter& painter, int destLeft, int destTop, int destWidth, int destHeight, int sourceX,
                    int sourceY, int sourceWidth, int sourceHeight, const DibImage& image);

// The same stretch written straight into a 32-bit image, for 8-, 24- and 32-bit pictures:
// every destination pixel reads one source pixel (its centre's), so the cost follows the
// destination's size whatever the zoom. False, drawing nothing, for other depths or
// image formats, or a source rectangle outside the picture.
bool StretchDibIntoImage(QImage& target, int destLeft, int destTop, int destWidth, int destHeight, int sourceX,
                         int sourceY, int sourceWidth, int sourceHeight, const DibImage& image);
