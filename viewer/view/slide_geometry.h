#pragma once

#include "viewer/document/geometry.h"
#include "viewer/view/view_rect_table.h"

// The arithmetic of placing a slide in the window, kept apart from any window system.

struct SlideFit {
    int width = 0;    // shown size in pixels
    int height = 0;
    double zoom = 1.0;
};

// Shrinks a picture to the client area keeping its aspect ratio, never enlarging it:
// first to the client width, then, if still too tall, to the client height.
SlideFit FitToClient(int imageWidth, int imageHeight, int clientWidth, int clientHeight);

// Where the visible part of a zoomed picture comes from and goes to in one paint.
struct SlidePlacement {
    Rect destination;  // visible part in window coordinates
    Rect source;       // the same part in picture pixels, rows counted from the top
};

// Lays the zoomed picture (`zoomedWidth` by `zoomedHeight`) into item 0 of `rects`, centred
// along each axis where it is smaller than the client area, and clips it to the window
// scrolled to `scroll`.
SlidePlacement PlaceSlide(CViewRectTable& rects, int zoomedWidth, int zoomedHeight, double zoom, Point scroll,
                          int clientWidth, int clientHeight);

// The scroll position that brings `mouse` (page coordinates) to the middle of the window
// along each axis on which the page is larger than the window; the current position on
// the others.
Point CenterOnMouseTarget(Point mouse, int totalWidth, int totalHeight, int clientWidth, int clientHeight,
                          Point current);

// Slide steps, wrapping at both ends; an empty show stays at 0.
int NextSlideIndex(int slide, int count);
int PreviousSlideIndex(int slide, int count);

// The auto-advance period in whole milliseconds for a page interval in seconds, never below
// the system timers' smallest period.
unsigned PagePeriodMilliseconds(float pageInterval);
// The page interval after one press of the faster (Up) or slower (Down) key.
float FasterPageInterval(float pageInterval);
float SlowerPageInterval(float pageInterval);
