#pragma once

#include "viewer/view/view_services.h"

#include <QFont>
#include <QImage>
#include <QPainter>

#include <optional>

// One screen paint on Qt: the slide is composed in a client-sized image, which reaches the
// widget in one draw; the overlays are then drawn on the widget directly.
class QtViewCanvas final : public ViewCanvas {
public:
    // `screen` paints the widget; `dpiY` sizes the overlay font as points on that screen.
    QtViewCanvas(QPainter& screen, int dpiY);

    void BeginComposition(int width, int height) override;
    void StretchPicture(const Rect& destination, int sourceX, int sourceY, int sourceWidth, int sourceHeight,
                        const DibImage& picture) override;
    void CopyCompositionToScreen() override;
    void DrawOverlayText(int x, int y, RgbColour colour, const std::string& text) override;

    // The overlay font: 9 points, weight 600, a sans-serif face.
    static QFont OverlayFont(int dpiY);

private:
    QPainter& screen_;
    QFont font_;
    QImage composition_;
    std::optional<QPainter> composer_;
};
