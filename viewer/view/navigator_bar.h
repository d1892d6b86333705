#pragma once

#include "viewer/document/geometry.h"

// The navigator bar's geometry and cursors, apart from any window system. The bar is a
// strip of four buttons painted over the slide in one corner of the window.

// Button numbers; 0 is no button.
inline constexpr int kNavNoButton = 0;
inline constexpr int kNavPrevButton = 1;
inline constexpr int kNavNextButton = 2;
inline constexpr int kNavAutoButton = 3;
inline constexpr int kNavExitButton = 4;

// Corners of the client area, as the document stores them.
inline constexpr int kNavUpperLeft = 0;
inline constexpr int kNavUpperRight = 1;
inline constexpr int kNavLowerLeft = 2;
inline constexpr int kNavLowerRight = 3;

// The bar moved, keeping its size, into `corner` of `client`; any other corner leaves it.
Rect PlaceNavBar(const Rect& bar, int corner, const Rect& client);

// The button under the point (client coordinates), bounds inclusive and scaled by the
// bar's width; kNavNoButton off the bar.
int HitTestNavBar(const Rect& bar, Point point);

// Left edge of each button's label from the bar's left edge, and the labels' distance
// from its top; fixed for the 280-pixel bar picture.
inline constexpr int kNavLabelOffsets[] = {25, 95, 157, 227};
inline constexpr int kNavLabelTop = 4;

// The area repainted before the window scrolls: the bar and, below a bar in the upper left
// corner, the slide's caption.
Rect NavBarScrollArea(const Rect& bar);

// The mouse cursors of the view. The numbers are the program's cursor resources.
enum class ViewCursor {
    Arrow = 0,             // the system arrow
    Hidden = 1,            // no cursor at all
    PointingHand = 219,    // over a button
    PressingHand = 465,    // over a button, left button down
    Magnifier = 1529,      // off the bar over a loaded slide: clicks zoom
};

ViewCursor NavBarCursor(int hotButton, bool pressed, bool slideLoaded);
