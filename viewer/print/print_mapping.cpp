#include "viewer/print/print_mapping.h"

#include <climits>
#include <cmath>

int TruncToInt(double value) {
    if (std::isnan(value)) return 0;
    if (value >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (value <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(value);
}

PrintMapping MapForPrinter(int pixelsPerInch, float leftPad, float topPad, int printerDpiX, int printerDpiY) {
    const int p = pixelsPerInch >= 1 ? pixelsPerInch : kFallbackPixelsPerInch;
    PrintMapping mapping;
    mapping.windowExtent = p;
    mapping.viewportExtentX = printerDpiX > 0 ? printerDpiX : 1;
    mapping.viewportExtentY = printerDpiY > 0 ? printerDpiY : 1;
    // Formed in single precision, as the pads are stored, then truncated.
    mapping.windowOrigin = {-TruncToInt(static_cast<float>(p) * leftPad), -TruncToInt(static_cast<float>(p) * topPad)};
    return mapping;
}
