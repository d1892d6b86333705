#pragma once

#include "viewer/document/geometry.h"
#include "viewer/print/print_mapping.h"

// Page geometry of printing, free of any window system: printer capabilities turned into
// twips (1440 per inch), and the rectangles of the Print dialog's sketch.

inline constexpr int kTwipsPerInch = 1440;

// What a printer device reports about itself, in its own pixels and millimetres.
struct PrinterCaps {
    int physicalWidth = 0;  // the whole sheet
    int physicalHeight = 0;
    int physicalOffsetX = 0;  // the unprintable margin at the left and the top
    int physicalOffsetY = 0;
    int pixelsPerInchX = 0;
    int pixelsPerInchY = 0;
    int printableWidthMm = 0;
    int printableHeightMm = 0;
};

// The printer's page in twips.
struct PrinterMetrics {
    int physicalOffsetX = 0;
    int physicalOffsetY = 0;
    int pageWidth = 0;
    int pageHeight = 0;
    int printableWidth = 0;
    int printableHeight = 0;
    bool operator==(const PrinterMetrics&) const = default;
};

// Device pixels to twips rounded to the nearest; millimetres × 56.69 truncated. A device
// that reports no resolution yields zeros rather than a division by zero.
PrinterMetrics MetricsInTwips(const PrinterCaps& caps);

struct PrintSketch {
    Rect paper;
    Rect printable;
    Rect picture;
};

// The sketch inside `area` (client pixels): the paper kept in proportion and centred, the
// printable area and the picture at the offsets (inches from the printable origin). A
// picture of W × H pixels at P pixels per inch; P below 1 draws no picture.
PrintSketch SketchRects(const Rect& area, const PrinterMetrics& metrics, float left, float top, int width, int height,
                        int pixelsPerInch);

