#pragma once

// The view's 40 zoom levels. Level L shows the picture at L x m(L): m is 0.05 up to level 8,
// rises in uneven steps to 0.0666 at level 15 (so there is no exact 100 %, the nearest is
// 0.999), then grows by 0.005 a level up to 0.19, making 7.6 at level 40.
inline constexpr int kMinZoomLevel = 1;
inline constexpr int kMaxZoomLevel = 40;

// The factor of a level, formed in double precision; levels outside 1..40 are clamped.
double ZoomFactorOfLevel(int level);

// The highest level whose factor does not exceed `zoom`, at least 1; 40 from 7.6 up.
int ZoomLevelFor(double zoom);
