#include "viewer/view/navigator_bar.h"

Rect PlaceNavBar(const Rect& bar, int corner, const Rect& client) {
    const int w = bar.Width(), h = bar.Height();
    const int cw = client.Width(), ch = client.Height();
    switch (corner) {
    case kNavUpperLeft: return {0, 0, w, h};
    case kNavUpperRight: return {cw - w, 0, cw, h};
    case kNavLowerLeft: return {0, ch - h, w, ch};
    case kNavLowerRight: return {cw - w, ch - h, cw, ch};
    default: return bar;
    }
}

int HitTestNavBar(const Rect& bar, Point point) {
    if (point.y < bar.top || point.y > bar.bottom) return kNavNoButton;
    const int w = bar.Width();
    // Right edges of the four buttons in a 280-pixel bar; each button starts just past
    // the previous one's edge.
    constexpr int kEdges[] = {80, 146, 212, 280};
    int left = bar.left;
    for (int button = 0; button < 4; ++button) {
        const int right = bar.left + w * kEdges[button] / 280;
        if (point.x >= left && point.x <= right) return button + 1;
        left = right + 1;
    }
    return kNavNoButton;
}

Rect NavBarScrollArea(const Rect& bar) {
    return {bar.left, bar.top, bar.right + bar.Width() / 3, bar.bottom + 15};
}

ViewCursor NavBarCursor(int hotButton, bool pressed, bool slideLoaded) {
    if (hotButton >= kNavPrevButton && hotButton <= kNavExitButton)
        return pressed ? ViewCursor::PressingHand : ViewCursor::PointingHand;
    return slideLoaded ? ViewCursor::Magnifier : ViewCursor::Arrow;
}
