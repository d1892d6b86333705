#include "viewer/view/screen_transition.h"

#include "platform/clock.h"
#include "platform/runtime_random.h"

#include <algorithm>
#include <cmath>
#include <limits>

int RandomInRange(platform::RandomSource& random, int lo, int hi) {
    constexpr int kMax = platform::RuntimeRandom::kMax;
    if (lo < 0) lo = 0;
    if (lo > kMax) lo = hi = kMax;
    if (hi < 0) lo = hi = 0;
    if (hi > kMax) hi = kMax;
    if (hi == lo) return hi;
    int r = random.Rand();
    if (r >= 10000) r %= 1000;
    if (r >= 1000) r %= 100;
    if (r >= 100) r %= 10;
    // The single-precision tenth, multiplied out in extended precision.
    const long double scaled = static_cast<long double>(r) * static_cast<long double>(0.1f) * (hi - lo);
    const int result = lo + static_cast<int>(scaled);
    return std::clamp(result, std::min(lo, hi), std::max(lo, hi));
}

std::uint32_t TransitionSeed(std::int64_t secondsSinceEpoch) {
    const auto t = static_cast<std::uint32_t>(secondsSinceEpoch);
    return (t * t) / 13u;
}

void CScreenTransition::Play(int effect) {
    constexpr int kStrips[] = {1, 10, 75, 250};
    if (effect == 0) CopyWhole();
    else if (effect >= 1 && effect <= 8) Sweep(effect % 2 == 1, kStrips[(effect - 1) / 2]);
}

void CScreenTransition::CopyWhole() {
    sweeping_ = false;
    if (!blit_.target) return;
    blit_.target->CopyComposition(
        {blit_.targetX, blit_.targetY, blit_.targetX + blit_.targetWidth, blit_.targetY + blit_.targetHeight},
        {blit_.sourceX, blit_.sourceY, blit_.sourceX + blit_.sourceWidth, blit_.sourceY + blit_.sourceHeight});
}

void CScreenTransition::SweepColumns(int strips) { Sweep(true, strips); }

void CScreenTransition::SweepRows(int strips) { Sweep(false, strips); }

void CScreenTransition::Calibrate() {
    start_ = clock_.MonotonicMilliseconds();
    // A tenth of the duration in seconds; a duration that is no number or not above 0
    // sweeps at once, one too long for the clock is held at its range.
    const double ms = static_cast<double>(m_fDuration) * 100.0;
    constexpr double kLongest = std::numeric_limits<std::int32_t>::max();
    sweepMilliseconds_ = std::isfinite(ms) && ms > 0.0 ? std::min(ms, kLongest) : 0.0;
}

void CScreenTransition::Sweep(bool columns, int strips) {
    sweeping_ = false;
    if (strips <= 0) return;
    const int sourceSize = columns ? blit_.sourceWidth : blit_.sourceHeight;
    const int targetSize = columns ? blit_.targetWidth : blit_.targetHeight;
    // Nothing to sweep over: the window has no width or height.
    if (sourceSize <= 0 || targetSize <= 0) return;
    Calibrate();
    columns_ = columns;
    strips_ = strips;
    step_ = sourceSize / strips + 1;
    scale_ = static_cast<float>(targetSize) / static_cast<float>(sourceSize);
    nextPass_ = 0;
    sweeping_ = true;
    DrawDuePasses();
}

double CScreenTransition::PassDueAfter(int pass) const {
    // Each pass waits its share of the sweep before it is drawn, so the last one ends it.
    return sweepMilliseconds_ * (pass + 1) / step_;
}

void CScreenTransition::DrawDuePasses() {
    if (!sweeping_) return;
    const std::uint32_t elapsed = clock_.MonotonicMilliseconds() - start_;
    while (nextPass_ < step_ && PassDueAfter(nextPass_) <= elapsed) DrawPass(nextPass_++);
    if (nextPass_ >= step_) sweeping_ = false;
}

std::uint32_t CScreenTransition::NextPassDue() const {
    if (!sweeping_) return clock_.MonotonicMilliseconds();
    return start_ + static_cast<std::uint32_t>(std::ceil(PassDueAfter(nextPass_)));
}

void CScreenTransition::DrawPass(int pass) {
    if (!blit_.target) return;
    const Blit& b = blit_;
    for (int i = 0; i < strips_; ++i) {
        const int at = pass + i * step_;
        const int to = static_cast<int>(static_cast<float>(at) * scale_);
        if (columns_)
            b.target->CopyComposition({b.targetX + to, b.targetY, b.targetX + to + 1, b.targetY + b.targetHeight},
                                      {b.sourceX + at, b.sourceY, b.sourceX + at + 1, b.sourceY + b.sourceHeight});
        else
            b.target->CopyComposition({b.targetX, b.targetY + to, b.targetX + b.targetWidth, b.targetY + to + 1},
                                      {b.sourceX, b.sourceY + at, b.sourceX + b.sourceWidth, b.sourceY + at + 1});
    }
}
