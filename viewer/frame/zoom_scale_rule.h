#pragma once

#include <string>

enum class ZoomScaleVerdict {
    Accept,
    InvalidCharacters,  // anything but digits and '.'
    OutOfRange,         // below 0.3333 or above 3.0
};

// The Custom Zoom dialog's check of its typed factor; `scale` receives the factor read
// whenever the characters pass.
ZoomScaleVerdict CheckZoomScale(const std::string& text, float* scale);
