#pragma once

class ViewDialogs;

namespace platform {
class MessageSink;
class RandomSource;
class TimerService;
}  // namespace platform

// How a screen paint puts the composed slide on the screen, by the transition mode.
struct SweepChoice {
    bool sweep = false;
    bool hideCursor = false;
};

// The show: which slide it is at and which way it last moved, and auto-advance with its
// timer, page and transition intervals, transition mode and the tick it holds back.
class SlideShow {
public:
    // The auto-advance timer's id.
    static constexpr int kTimer = 1;

    SlideShow(platform::TimerService& timers, platform::MessageSink& messages)
        : timers_(timers), messages_(messages) {}

    // A new document's show: stopped, the default intervals, at `firstSlide` (the picture a
    // file manager opened, else 0). The timer is the caller's to kill first.
    void Reset(int firstSlide = 0) {
        state_ = State{};
        state_.m_nSlide = firstSlide;
    }

    int Slide() const { return state_.m_nSlide; }
    // The way the show last moved, for which neighbours are decoded first.
    bool Forward() const { return state_.forward; }
    bool AutoAdvance() const { return state_.m_bAutoAdvance != 0; }
    float PageInterval() const { return state_.m_fPageInterval; }
    float TransInterval() const { return state_.m_fTransInterval; }
    int TransitionMode() const { return state_.m_nTransitionMode; }
    int AutoTicks() const { return state_.m_nAutoTicks; }
    int LastEffect() const { return state_.m_nLastEffect; }

    // One slide on or back in a show of `count`, wrapping at both ends.
    void Step(bool forward, int count);
    // A tick's step: one slide on, counted for the speed hint.
    void Advance(int count);
    // The speed hint shows for the first ticks of a running show.
    bool ShowsSpeedHint() const;
    // The Auto-Advance command counts the ticks afresh.
    void RestartTickCount() { state_.m_nAutoTicks = 0; }

    // Runs the timer; false, after saying so, when the system refuses it: the show stops.
    bool Start();
    void Stop();
    // A shorter or longer page interval, the transition interval three times it, and the
    // timer restarted at the new period; false as Start.
    bool ChangeSpeed(bool faster);
    // A tick that fell due is gone with its timer.
    void KillTimer();
    // The Screen Transition dialog's values; a running timer keeps its period until the
    // show is next started or its speed changed.
    void SetTransitions(int mode, float pageInterval, float transInterval);
    // The Screen Transition dialog on the current values, which it sets on OK.
    void EditTransitions(ViewDialogs& dialogs);

    // Holds the tick when a sweep is under way or the slide the last tick asked for is not
    // yet on screen (`drawnSlide`, -1 before the first): the tick comes once, later, so the
    // show never runs ahead of its pictures. True when held.
    bool HoldTick(bool sweeping, int drawnSlide);
    bool HoldsTick() const { return state_.tickHeld; }
    // The held tick, once; false when none is held.
    bool TakeHeldTick();

    // Sweeps by the transition mode, the show's state and the page interval.
    SweepChoice ChooseSweep() const;
    // The effect of the sweep about to be drawn, 1 to 8.
    int PickEffect(platform::RandomSource& random);

private:
    bool StartTimer();

    struct State {
        int m_nSlide = 0;
        bool forward = true;
        int m_bAutoAdvance = 0;
        int m_nAutoTicks = 0;
        int m_nLastEffect = 0;
        int m_nTransitionMode = 0;
        float m_fPageInterval = 6.0f;
        float m_fTransInterval = 18.0f;  // three times the page interval
        bool tickHeld = false;
    };

    platform::TimerService& timers_;
    platform::MessageSink& messages_;
    State state_;
};
