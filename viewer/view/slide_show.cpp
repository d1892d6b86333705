#include "viewer/view/slide_show.h"

#include "platform/messages.h"
#include "platform/timers.h"
#include "viewer/res/texts.h"
#include "viewer/view/screen_transition.h"
#include "viewer/view/slide_geometry.h"
#include "viewer/view/view_dialogs.h"

namespace {

// The hint shows until this many ticks have passed.
constexpr int kHintTicks = 6;
// Below this page interval (seconds) no sweep is drawn.
constexpr float kMinSweepPageInterval = 1.0f;

}  // namespace

void SlideShow::Step(bool forward, int count) {
    state_.forward = forward;
    state_.m_nSlide = forward ? NextSlideIndex(state_.m_nSlide, count) : PreviousSlideIndex(state_.m_nSlide, count);
}

void SlideShow::Advance(int count) {
    state_.m_nSlide = NextSlideIndex(state_.m_nSlide, count);
    state_.forward = true;
    ++state_.m_nAutoTicks;
}

bool SlideShow::ShowsSpeedHint() const { return state_.m_bAutoAdvance && state_.m_nAutoTicks < kHintTicks; }

bool SlideShow::StartTimer() {
    if (timers_.SetTimer(kTimer, PagePeriodMilliseconds(state_.m_fPageInterval))) return true;
    messages_.Show(platform::Warning(texts::kTimerRefused));
    state_.m_bAutoAdvance = 0;
    return false;
}

bool SlideShow::Start() {
    state_.m_bAutoAdvance = 1;
    return StartTimer();
}

void SlideShow::Stop() {
    state_.m_bAutoAdvance = 0;
    KillTimer();
}

bool SlideShow::ChangeSpeed(bool faster) {
    KillTimer();
    const float page = state_.m_fPageInterval;
    state_.m_fPageInterval = faster ? FasterPageInterval(page) : SlowerPageInterval(page);
    state_.m_fTransInterval = state_.m_fPageInterval * 3.0f;
    return StartTimer();
}

void SlideShow::KillTimer() {
    timers_.KillTimer(kTimer);
    state_.tickHeld = false;
}

void SlideShow::SetTransitions(int mode, float pageInterval, float transInterval) {
    state_.m_nTransitionMode = mode;
    state_.m_fPageInterval = pageInterval;
    state_.m_fTransInterval = transInterval;
}

void SlideShow::EditTransitions(ViewDialogs& dialogs) {
    int mode = state_.m_nTransitionMode;
    float page = state_.m_fPageInterval;
    float transition = state_.m_fTransInterval;
    if (dialogs.RunTransitions(mode, page, transition)) SetTransitions(mode, page, transition);
}

bool SlideShow::HoldTick(bool sweeping, int drawnSlide) {
    if (!sweeping && (state_.m_nSlide == drawnSlide || drawnSlide < 0)) return false;
    state_.tickHeld = true;
    return true;
}

bool SlideShow::TakeHeldTick() {
    if (!state_.tickHeld) return false;
    state_.tickHeld = false;
    return true;
}

SweepChoice SlideShow::ChooseSweep() const {
    const bool longPages = state_.m_fPageInterval >= kMinSweepPageInterval;
    switch (state_.m_nTransitionMode) {
    case 0:
        // Only a running show sweeps, and it hides the cursor whatever its speed.
        if (state_.m_bAutoAdvance) return {longPages, true};
        return {};
    case 1: return {longPages, false};
    default: return {};
    }
}

int SlideShow::PickEffect(platform::RandomSource& random) {
    state_.m_nLastEffect = RandomInRange(random, 1, 8);
    if (state_.m_nLastEffect > 8) state_.m_nLastEffect = 1;
    return state_.m_nLastEffect;
}
