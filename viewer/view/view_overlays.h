#pragma once

#include "viewer/document/geometry.h"

#include <string>

class ViewCanvas;

// The texts a screen paint draws over the slide after the navigator bar.

// The speed hint, centred above the bottom edge of the client area.
void DrawSpeedHint(ViewCanvas& canvas, const Rect& client);
// The file name of the slide at `path`, below a navigator bar in the upper left corner;
// nothing for an empty path.
void DrawCaption(ViewCanvas& canvas, const std::string& path);
