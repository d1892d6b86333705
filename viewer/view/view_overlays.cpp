#include "viewer/view/view_overlays.h"

#include "viewer/app/text_tools.h"
#include "viewer/document/rgb_colour.h"
#include "viewer/res/texts.h"
#include "viewer/view/view_services.h"

namespace {

constexpr RgbColour kCaptionColour{150, 150, 150};
// The caption sits below a navigator bar in the upper left corner.
constexpr Point kCaptionOffset{3, 25};
constexpr RgbColour kHintColour{150, 150, 150};
// The hint's gap above the window's bottom edge.
constexpr int kHintMargin = 4;

}  // namespace

void DrawSpeedHint(ViewCanvas& canvas, const Rect& client) {
    const TextExtent extent = canvas.OverlayTextExtent(texts::kSpeedHint);
    canvas.DrawOverlayText(client.Width() / 2 - extent.width / 2, client.Height() - extent.height - kHintMargin,
                           kHintColour, texts::kSpeedHint);
}

void DrawCaption(ViewCanvas& canvas, const std::string& path) {
    if (path.empty()) return;
    canvas.DrawOverlayText(kCaptionOffset.x, kCaptionOffset.y, kCaptionColour, CTextTools().GetFileName(path));
}
