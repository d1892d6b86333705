#include "viewer/view/zoom_levels.h"

#include <algorithm>

namespace {

// Multipliers of levels 9 to 15, the irregular stretch between the two linear runs.
constexpr double kMiddleMultipliers[] = {0.055, 0.06, 0.0615, 0.063, 0.065, 0.066, 0.0666};

double Multiplier(int level) {
    if (level <= 8) return 0.05;
    if (level <= 15) return kMiddleMultipliers[level - 9];
    return 0.07 + 0.005 * (level - 16);
}

}  // namespace

double ZoomFactorOfLevel(int level) {
    level = std::clamp(level, kMinZoomLevel, kMaxZoomLevel);
    return level * Multiplier(level);
}

int ZoomLevelFor(double zoom) {
    for (int level = kMinZoomLevel; level <= kMaxZoomLevel; ++level)
        if (ZoomFactorOfLevel(level) > zoom) return std::max(kMinZoomLevel, level - 1);
    return kMaxZoomLevel;
}
