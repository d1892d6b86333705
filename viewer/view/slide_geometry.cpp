#include "viewer/view/slide_geometry.h"

#include "platform/timers.h"

#include <algorithm>
#include <cstdint>
#include <limits>

SlideFit FitToClient(int imageWidth, int imageHeight, int clientWidth, int clientHeight) {
    SlideFit fit{imageWidth, imageHeight, 1.0};
    if (imageWidth <= 0 || imageHeight <= 0) return fit;
    const double ratio = static_cast<double>(imageWidth) / imageHeight;
    if (clientWidth < fit.width) {
        fit.width = clientWidth;
        fit.height = static_cast<int>(clientWidth / ratio);
        fit.zoom = static_cast<double>(clientWidth) / imageWidth;
    }
    if (clientHeight < fit.height) {
        fit.height = clientHeight;
        fit.width = static_cast<int>(clientHeight * ratio);
        fit.zoom = static_cast<double>(fit.width) / imageWidth;
    }
    return fit;
}

SlidePlacement PlaceSlide(CViewRectTable& rects, int zoomedWidth, int zoomedHeight, double zoom, Point scroll,
                          int clientWidth, int clientHeight) {
    rects.Reset();
    rects.SetPage({0, 0, std::max(zoomedWidth, clientWidth), std::max(zoomedHeight, clientHeight)});
    rects.SetVisible({scroll.x, scroll.y, scroll.x + clientWidth, scroll.y + clientHeight});
    const int ox = zoomedWidth < clientWidth ? (clientWidth - zoomedWidth) / 2 : 0;
    const int oy = zoomedHeight < clientHeight ? (clientHeight - zoomedHeight) / 2 : 0;
    rects.SetItem(0, {ox, oy, ox + zoomedWidth, oy + zoomedHeight});
    SlidePlacement placement;
    placement.destination = rects.ClipToWindow(0);
    const Rect local = rects.VisiblePartLocal(0);
    if (zoom > 0.0)
        placement.source = {static_cast<int>(local.left / zoom), static_cast<int>(local.top / zoom),
                            static_cast<int>(local.right / zoom), static_cast<int>(local.bottom / zoom)};
    return placement;
}

Point CenterOnMouseTarget(Point mouse, int totalWidth, int totalHeight, int clientWidth, int clientHeight,
                          Point current) {
    const int x = std::max(0, mouse.x - clientWidth / 2);
    const int y = std::max(0, mouse.y - clientHeight / 2);
    return {totalWidth > clientWidth ? x : current.x, totalHeight > clientHeight ? y : current.y};
}

int NextSlideIndex(int slide, int count) {
    const int next = slide + 1;
    return next >= count ? 0 : next;
}

int PreviousSlideIndex(int slide, int count) {
    const int previous = slide - 1;
    return previous < 0 ? std::max(0, count - 1) : previous;
}

unsigned PagePeriodMilliseconds(float pageInterval) {
    const double period = static_cast<double>(pageInterval) * 1000.0;
    // A shorter period would fire on every pass of the event loop; the system's timers run
    // no faster than their smallest period.
    if (!(period >= platform::kMinTimerPeriodMilliseconds)) return platform::kMinTimerPeriodMilliseconds;
    if (period >= static_cast<double>(std::numeric_limits<std::uint32_t>::max()))
        return std::numeric_limits<std::uint32_t>::max();
    return static_cast<unsigned>(period);
}

// The steps and bounds are single-precision constants, so 2.8 seconds lands a hair below
// and its period truncates to 2799 ms.
float FasterPageInterval(float x) {
    if (x > 3.0f) return x - 1.0f;
    if (x > 1.0f) return x - 0.3f;
    if (x >= 0.2f) return x - 0.1f;
    return 0.1f;
}

float SlowerPageInterval(float x) {
    if (x > 3.0f) return x + 1.0f;
    if (x > 1.0f) return x + 0.3f;
    if (x >= 0.2f) return x + 0.1f;
    return 0.2f;
}
