#pragma once

#include "viewer/view/view_services.h"

#include <cstdint>

namespace platform {
class Clock;
class RandomSource;
}  // namespace platform

// A number from lo to hi from the runtime's generator, skewed as the viewer has always
// drawn its effects: for (1, 8), 8 comes about a third of the time.
int RandomInRange(platform::RandomSource& random, int lo, int hi);

// The seed of a screen paint's effect choice: (t x t) / 13, the product taken modulo 2^32.
std::uint32_t TransitionSeed(std::int64_t secondsSinceEpoch);

// Puts the composed slide on the screen: a plain copy or a sweep of one-pixel columns or
// rows. A sweep is shown as successive frames paced by the monotonic clock so that it can
// be seen: each frame draws every pass that is due, and the whole sweep lasts a tenth of
// the duration in seconds.
class CScreenTransition {
public:
    // The transfer of one paint, in the order of a stretched block transfer: target, its
    // rectangle, source rectangle. The target copies from its own composition.
    struct Blit {
        BlitSurface* target = nullptr;
        int targetX = 0, targetY = 0, targetWidth = 0, targetHeight = 0;
        int sourceX = 0, sourceY = 0, sourceWidth = 0, sourceHeight = 0;
    };

    explicit CScreenTransition(const platform::Clock& clock) : clock_(clock) {}

    void SetDuration(float duration) { m_fDuration = duration; }
    void SetBlit(const Blit& blit) { blit_ = blit; }
    // Later frames of a sweep draw on this target.
    void SetTarget(BlitSurface* target) { blit_.target = target; }

    // Effect 0 copies the whole; 1 to 8 sweep columns or rows in 1, 10, 75 or 250 strips;
    // any other number draws nothing.
    void Play(int effect);
    void CopyWhole();
    // Start a sweep; the passes due at once are drawn, the others by later frames.
    void SweepColumns(int strips);
    void SweepRows(int strips);
    // Starts the clock of a sweep.
    void Calibrate();

    bool Sweeping() const { return sweeping_; }
    // Draws every pass that is due by now; the sweep ends with its last pass.
    void DrawDuePasses();
    // When the next pass falls due, on the monotonic clock.
    std::uint32_t NextPassDue() const;
    // Drops a sweep under way, leaving the screen as it is.
    void Cancel() { sweeping_ = false; }

private:
    void Sweep(bool columns, int strips);
    void DrawPass(int pass);
    double PassDueAfter(int pass) const;

    const platform::Clock& clock_;
    Blit blit_;
    bool sweeping_ = false;
    bool columns_ = true;
    int strips_ = 1;
    int step_ = 1;        // passes; strips lie this many pixels apart
    float scale_ = 1.0f;  // target pixels per source pixel along the sweep
    int nextPass_ = 0;
    std::uint32_t start_ = 0;       // monotonic milliseconds at Calibrate
    double sweepMilliseconds_ = 0;  // the whole sweep
    // The transition interval: a sweep lasts a tenth of it, in seconds.
    float m_fDuration = 2.0f;
};
