#include "viewer/frame/zoom_scale_rule.h"

#include "viewer/app/text_tools.h"

ZoomScaleVerdict CheckZoomScale(const std::string& text, float* scale) {
    for (char c : text)
        if (c != '.' && (c < '0' || c > '9')) return ZoomScaleVerdict::InvalidCharacters;
    *scale = CTextTools().TextToFloat(text);
    // The lower bound is 0.3333 although the message says 0.33.
    if (*scale < 0.3333f || *scale > 3.0f) return ZoomScaleVerdict::OutOfRange;
    return ZoomScaleVerdict::Accept;
}
