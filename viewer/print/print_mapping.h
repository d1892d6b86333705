#pragma once

#include "viewer/document/geometry.h"

// Truncates toward zero, holding values beyond the int range (and NaN, as 0) inside it.
int TruncToInt(double value);

// The print mapping: P picture pixels per inch, logical (0, 0) at the pads measured from
// the printable origin. Device pixels count from the printable origin too.
struct PrintMapping {
    int windowExtent = 1;  // P on both axes
    int viewportExtentX = 1;  // the printer's pixels per inch
    int viewportExtentY = 1;
    Point windowOrigin;

    double DeviceX(double logicalX) const {
        return (logicalX - windowOrigin.x) * viewportExtentX / windowExtent;
    }
    double DeviceY(double logicalY) const {
        return (logicalY - windowOrigin.y) * viewportExtentY / windowExtent;
    }
};

// The resolution used when the stored one is below 1 (the document's default).
inline constexpr int kFallbackPixelsPerInch = 100;

PrintMapping MapForPrinter(int pixelsPerInch, float leftPad, float topPad, int printerDpiX, int printerDpiY);
