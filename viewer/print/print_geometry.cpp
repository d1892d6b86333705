#include "viewer/print/print_geometry.h"

#include <cmath>

namespace {

// MulDiv(value, 1440, dpi): rounded half away from zero.
int ToTwips(int value, int dpi) {
    if (dpi <= 0) return 0;
    const long long scaled = static_cast<long long>(value) * kTwipsPerInch;
    const long long half = dpi / 2;
    const long long rounded = scaled >= 0 ? (scaled + half) / dpi : -((-scaled + half) / dpi);
    return static_cast<int>(rounded);
}

int MillimetresToTwips(int mm) { return TruncToInt(mm * 56.69); }

}  // namespace

PrinterMetrics MetricsInTwips(const PrinterCaps& caps) {
    PrinterMetrics m;
    m.pageWidth = ToTwips(caps.physicalWidth, caps.pixelsPerInchX);
    m.pageHeight = ToTwips(caps.physicalHeight, caps.pixelsPerInchY);
    m.physicalOffsetX = ToTwips(caps.physicalOffsetX, caps.pixelsPerInchX);
    m.physicalOffsetY = ToTwips(caps.physicalOffsetY, caps.pixelsPerInchY);
    m.printableWidth = MillimetresToTwips(caps.printableWidthMm);
    m.printableHeight = MillimetresToTwips(caps.printableHeightMm);
    return m;
}

PrintSketch SketchRects(const Rect& area, const PrinterMetrics& metrics, float left, float top, int width, int height,
                        int pixelsPerInch) {
    PrintSketch sketch;
    // Without a page (no printer) the sketch degenerates to empty rectangles at the corner.
    if (metrics.pageWidth <= 0 || metrics.pageHeight <= 0) {
        sketch.paper = sketch.printable = sketch.picture = {area.left, area.top, area.left, area.top};
        return sketch;
    }
    const double ratio = static_cast<double>(metrics.pageWidth) / metrics.pageHeight;
    double w = area.Width();
    double h = area.Width() / ratio;
    if (area.Height() < h) {
        h = area.Height();
        w = area.Height() * ratio;
    }
    const int paperLeft = area.left + TruncToInt((area.Width() - w) * 0.5);
    const int paperTop = area.top + TruncToInt((area.Height() - h) * 0.5);
    sketch.paper = {paperLeft, paperTop, paperLeft + TruncToInt(w), paperTop + TruncToInt(h)};
    const double s = static_cast<double>(sketch.paper.Height()) / metrics.pageHeight;

    const int printLeft = sketch.paper.left + TruncToInt(metrics.physicalOffsetX * s);
    const int printTop = sketch.paper.top + TruncToInt(metrics.physicalOffsetY * s);
    sketch.printable = {printLeft, printTop, printLeft + TruncToInt(metrics.printableWidth * s),
                        printTop + TruncToInt(metrics.printableHeight * s)};

    const int picLeft = printLeft + TruncToInt(left * s * kTwipsPerInch);
    const int picTop = printTop + TruncToInt(top * s * kTwipsPerInch);
    const int picWidth = pixelsPerInch > 0 ? TruncToInt(static_cast<double>(width) / pixelsPerInch * s * kTwipsPerInch) : 0;
    const int picHeight =
        pixelsPerInch > 0 ? TruncToInt(static_cast<double>(height) / pixelsPerInch * s * kTwipsPerInch) : 0;
    sketch.picture = {picLeft, picTop, picLeft + picWidth, picTop + picHeight};
    return sketch;
}

