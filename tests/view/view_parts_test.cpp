#include "viewer/view/input_gate.h"
#include "viewer/view/nav_bar_buttons.h"
#include "viewer/view/screen_transition.h"
#include "viewer/view/slide_show.h"

#include "platform/fake/fake_timers.h"
#include "platform/fake/fixed_clock.h"
#include "platform/fake/recording_message_sink.h"
#include "tests/support/view_test_env.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A gate over a transition that sweeps until the test ends it.
class InputGateTest : public ::testing::Test {
protected:
    void StartSweep() {
        transition.SetDuration(18.0f);
        transition.SetBlit({&screen, 0, 0, 100, 100, 0, 0, 100, 100});
        transition.SweepColumns(1);
        ASSERT_TRUE(transition.Sweeping());
    }
    std::function<void()> Note(std::string what) {
        return [this, what] { handled.push_back(what); };
    }

    platform::fake::FixedClock clock;
    testsupport::RecordingCanvas screen;
    CScreenTransition transition{clock};
    InputGate gate{transition};
    std::vector<std::string> handled;
};

TEST_F(InputGateTest, WithoutASweepNothingIsHeld) {
    EXPECT_FALSE(gate.Hold(Note("key")));
    EXPECT_FALSE(gate.Holding());
    EXPECT_TRUE(handled.empty());
}

TEST_F(InputGateTest, ARunOfMouseMovesKeepsItsLastAndOtherInputKeepsItsOrder) {
    StartSweep();
    EXPECT_TRUE(gate.Hold(Note("move 1"), true));
    EXPECT_TRUE(gate.Hold(Note("move 2"), true));
    EXPECT_TRUE(gate.Hold(Note("key")));
    EXPECT_TRUE(gate.Hold(Note("move 3"), true));
    EXPECT_TRUE(gate.Hold(Note("click")));
    EXPECT_TRUE(gate.Holding());
    EXPECT_TRUE(handled.empty());
    transition.Cancel();
    gate.RunHeld();
    EXPECT_EQ(handled, (std::vector<std::string>{"move 2", "key", "move 3", "click"}));
    EXPECT_FALSE(gate.Holding());
}

class SlideShowTest : public ::testing::Test {
protected:
    platform::fake::FakeTimers timers;
    platform::fake::RecordingMessageSink messages;
    SlideShow show{timers, messages};
};

TEST_F(SlideShowTest, ATickIsHeldWhileItsSlideIsNotOnScreenAndTakenOnce) {
    EXPECT_FALSE(show.HoldTick(false, -1)) << "before the first paint nothing waits";
    EXPECT_FALSE(show.HoldTick(false, 0));
    show.Advance(3);
    EXPECT_TRUE(show.HoldTick(false, 0)) << "slide 1 asked for, slide 0 still on screen";
    EXPECT_TRUE(show.HoldTick(false, 0));
    EXPECT_TRUE(show.HoldsTick());
    EXPECT_TRUE(show.TakeHeldTick());
    EXPECT_FALSE(show.TakeHeldTick()) << "ticks that fell due together make one";
    EXPECT_TRUE(show.HoldTick(true, 1)) << "a sweep holds it too";
    EXPECT_EQ(show.Slide(), 1);
    EXPECT_EQ(show.AutoTicks(), 1);
}

TEST_F(SlideShowTest, EveryWayOfKillingTheTimerDropsTheHeldTick) {
    ASSERT_TRUE(show.Start());
    show.HoldTick(true, 0);
    ASSERT_TRUE(show.ChangeSpeed(true));
    EXPECT_FALSE(show.TakeHeldTick()) << "a speed key";
    EXPECT_EQ(timers.Period(SlideShow::kTimer), 5000u);
    EXPECT_EQ(show.TransInterval(), 15.0f);
    show.HoldTick(true, 0);
    show.Stop();
    EXPECT_FALSE(show.TakeHeldTick()) << "Esc, AUTO";
    EXPECT_FALSE(timers.IsRunning(SlideShow::kTimer));
}

TEST_F(SlideShowTest, ARefusedTimerStopsTheShowAtStartAndAtASpeedChange) {
    timers.refuse = true;
    EXPECT_FALSE(show.Start());
    EXPECT_FALSE(show.AutoAdvance());
    timers.refuse = false;
    ASSERT_TRUE(show.Start());
    timers.refuse = true;
    EXPECT_FALSE(show.ChangeSpeed(false));
    EXPECT_FALSE(show.AutoAdvance());
    EXPECT_EQ(show.PageInterval(), 7.0f) << "the new speed stays for the next start";
    EXPECT_EQ(messages.shown.size(), 2u);
}

TEST(NavBarButtonsTest, AReleaseLightsNothingAndWhileTheShowRunsTheArrowsOnlyStopIt) {
    NavBarButtons buttons;
    buttons.Press(kNavNextButton);
    EXPECT_FALSE(buttons.Idle(kNavNextButton));
    EXPECT_EQ(buttons.Release(kNavNextButton, true), NavAction::StopShow);
    EXPECT_TRUE(buttons.Idle(kNavNextButton));
    EXPECT_EQ(buttons.Release(kNavPrevButton, false), NavAction::PreviousSlide);
    EXPECT_EQ(buttons.Release(kNavNextButton, false), NavAction::NextSlide);
    // "AUTO" flips when pressed and is left for the show's start or stop to set.
    buttons.Press(kNavAutoButton);
    EXPECT_TRUE(buttons.Idle(kNavAutoButton));
    EXPECT_EQ(buttons.Release(kNavAutoButton, false), NavAction::ToggleShow);
    EXPECT_TRUE(buttons.Idle(kNavAutoButton));
    EXPECT_EQ(buttons.Release(kNavNoButton, true), NavAction::ZoomInAtMouse);
    EXPECT_EQ(buttons.LabelColour(kNavAutoButton), (RgbColour{100, 0, 0}));
    buttons.Reset();
    EXPECT_EQ(buttons.LabelColour(kNavAutoButton), (RgbColour{255, 255, 0}));
}

}  // namespace
