#pragma once

#include "viewer/qt/qt_composition.h"
#include "viewer/view/view_services.h"

#include <QPainter>

// The printed page on Qt: the slide is composed on white in a client-sized image, which is
// drawn once at logical (0, 0) of the printer painter's mapping. Overlays are not printed.
class QtPrinterCanvas final : public ViewCanvas {
public:
    // `printer` paints the page, its print mapping already set.
    explicit QtPrinterCanvas(QPainter& printer) : printer_(printer) {}

    void BeginComposition(int width, int height) override;
    void StretchPicture(const Rect& destination, int sourceX, int sourceY, int sourceWidth, int sourceHeight,
                        const DibImage& picture) override;
    // Puts the whole composition on the page; a printed page has one copy and no sweep.
    void CopyComposition(const Rect& target, const Rect& source) override;
    void DrawKeyedPicture(const Rect&, const DibImage&, RgbColour) override {}
    void DrawOverlayText(int, int, RgbColour, const std::string&) override {}
    TextExtent OverlayTextExtent(const std::string&) override { return {}; }

private:
    QPainter& printer_;
    QtComposition composition_;
};
