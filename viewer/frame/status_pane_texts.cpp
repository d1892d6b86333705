#include "viewer/frame/status_pane_texts.h"

#include "viewer/app/text_tools.h"
#include "viewer/res/texts.h"

#include <cmath>
#include <cstdio>

std::string ZoomPaneText(float zoom) {
    // A zoom that is no ratio at all has nothing to show.
    if (!(zoom > 0.0f) || !std::isfinite(zoom)) return {};
    const bool inverted = zoom < 1.0f;
    const float ratio = inverted ? 1.0f / zoom : zoom;
    if (!std::isfinite(ratio)) return {};
    std::string text = CTextTools().FloatToText(ratio);
    if (text == "3.0" || text == "2.0" || text == "1.0") text.resize(1);
    return inverted ? "1:" + text : text + ":1";
}

std::string SlidePaneText(int currentSlide, int slideCount) {
    char text[64];
    std::snprintf(text, sizeof text, texts::kSlidePaneFormat, currentSlide, slideCount);
    return text;
}

std::string ClockPaneText(const platform::LocalTime& time) {
    const int hour = time.hour == 0 ? 12 : time.hour > 12 ? time.hour - 12 : time.hour;
    char text[32];
    std::snprintf(text, sizeof text, texts::kClockPaneFormat, hour, time.minute);
    return std::string(text) + " " + (time.hour >= 12 ? texts::kPm : texts::kAm);
}
