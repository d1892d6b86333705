#include "viewer/res/command_ids.h"
#include "viewer/view/view_keys.h"

#include "tests/view/view_test_fixture.h"

#include <algorithm>

namespace {

using viewtest::ViewTest;

TEST_F(ViewTest, AutoAdvanceTicksThroughTheShowAndWraps) {
    env.SetSlides({"/show/big.jpg", "/show/small.png", "/show/huge.bmp"});
    Paint();
    std::vector<int> shown;
    for (int tick = 0; tick < 4; ++tick) {
        view.OnTimer(CVarnelleView::kAutoAdvanceTimer);
        PaintThroughSweep();
        shown.push_back(env.doc.m_nCurrentSlide);
    }
    EXPECT_EQ(shown, (std::vector<int>{2, 3, 1, 2}));
    EXPECT_EQ(Show().AutoTicks(), 4);

    // The command stops it and resets the tick count; a second one starts it again.
    view.OnCommand(cmd::ID_NAVIGATE_AUTO);
    EXPECT_FALSE(env.timers.IsRunning(CVarnelleView::kAutoAdvanceTimer));
    EXPECT_EQ(Show().AutoTicks(), 0);
    view.OnCommand(cmd::ID_NAVIGATE_AUTO);
    EXPECT_TRUE(env.timers.IsRunning(CVarnelleView::kAutoAdvanceTimer));
}

TEST_F(ViewTest, ArrowsTurnSlidesOnlyWhileStopped) {
    env.SetSlides({"/show/big.jpg", "/show/small.png", "/show/huge.bmp"});
    Paint();
    view.OnKeyDown(vk::kRight);
    view.OnKeyDown(vk::kLeft);
    EXPECT_EQ(Show().Slide(), 0);
    EXPECT_TRUE(view.NavBar().Idle(kNavNextButton));

    view.OnKeyDown(vk::kEscape);
    view.OnKeyDown(vk::kLeft);
    EXPECT_EQ(Show().Slide(), 2);
    EXPECT_FALSE(view.NavBar().Idle(kNavPrevButton));
    view.OnKeyUp(vk::kLeft);
    EXPECT_TRUE(view.NavBar().Idle(kNavPrevButton));
    view.OnKeyDown(vk::kRight);
    EXPECT_EQ(Show().Slide(), 0);
    for (int key : {46, 17, 16}) view.OnKeyDown(key);
    EXPECT_EQ(Show().Slide(), 0);
}

TEST_F(ViewTest, NextAndPreviousAreGreyedWhileTheShowRuns) {
    env.SetSlides({"/show/big.jpg", "/show/small.png"});
    Paint();
    CmdUI next(cmd::ID_NAVIGATE_NEXT);
    CmdUI autoItem(cmd::ID_NAVIGATE_AUTO);
    ASSERT_TRUE(view.OnUpdateCommand(next));
    ASSERT_TRUE(view.OnUpdateCommand(autoItem));
    EXPECT_FALSE(next.enabled);
    EXPECT_TRUE(autoItem.enabled && autoItem.checked);
    view.OnKeyDown(vk::kEscape);
    next = CmdUI(cmd::ID_NAVIGATE_PREV);
    view.OnUpdateCommand(next);
    EXPECT_TRUE(next.enabled);
    view.OnCommand(cmd::ID_NAVIGATE_PREV);
    EXPECT_EQ(Show().Slide(), 1);
}

TEST_F(ViewTest, EscapeLeavesFullScreenAndStopsTheShow) {
    env.SetSlides({"/show/big.jpg"});
    Paint();
    env.doc.m_bFullScreen = 1;
    view.OnKeyDown(vk::kEscape);
    EXPECT_EQ(env.doc.m_bFullScreen, 0);
    EXPECT_EQ(window.layouts, 1);
    EXPECT_FALSE(Show().AutoAdvance());
    EXPECT_TRUE(view.NavBar().Idle(kNavAutoButton));
}

TEST_F(ViewTest, UpAndDownChangeTheSpeedWhileTheShowRuns) {
    env.SetSlides({"/show/big.jpg"});
    Paint();
    view.OnKeyDown(vk::kUp);
    view.OnKeyDown(vk::kUp);
    EXPECT_EQ(env.timers.Period(CVarnelleView::kAutoAdvanceTimer), 4000u);
    EXPECT_EQ(Show().TransInterval(), 12.0f);
    view.OnKeyDown(vk::kDown);
    EXPECT_EQ(env.timers.Period(CVarnelleView::kAutoAdvanceTimer), 5000u);
    EXPECT_EQ(view.Zoom().Level(), 8);  // the zoom is left alone
}

TEST_F(ViewTest, ARefusedTimerSaysSoAndLeavesTheShowStopped) {
    env.SetSlides({"/show/big.jpg"});
    env.timers.refuse = true;
    Paint();
    ASSERT_EQ(env.messages.shown.size(), 1u);
    EXPECT_EQ(env.messages.shown[0].text,
              "There are too many other programs open that are using timers. Close some other programs and try again.");
    EXPECT_EQ(env.messages.shown[0].caption, "");
    EXPECT_EQ(env.messages.shown[0].icon, platform::MessageIcon::Warning);
    EXPECT_FALSE(Show().AutoAdvance());
    EXPECT_TRUE(view.NavBar().Idle(kNavAutoButton));
}

TEST_F(ViewTest, SpeedHintShowsFromTheFirstTickToTheFifth) {
    env.SetSlides({"/show/big.jpg"});
    const std::string hint = "text 222,484 150 Use the up or down keyboard arrows to change speed.";  // 400 - 357 / 2
    auto hasHint = [&](const std::vector<std::string>& calls) {
        return std::find(calls.begin(), calls.end(), hint) != calls.end();
    };
    EXPECT_FALSE(hasHint(Paint()));  // the first paint only starts the show
    testsupport::SetTransitionMode(view, 2);
    std::vector<bool> shown;
    for (int tick = 1; tick <= 6; ++tick) {
        view.OnTimer(CVarnelleView::kAutoAdvanceTimer);
        shown.push_back(hasHint(Paint()));
    }
    EXPECT_EQ(shown, (std::vector<bool>{true, true, true, true, true, false}));
    // The Auto-Advance command counts afresh; "AUTO" does not.
    view.OnCommand(cmd::ID_NAVIGATE_AUTO);
    view.OnCommand(cmd::ID_NAVIGATE_AUTO);
    EXPECT_TRUE(hasHint(Paint()));
    view.OnKeyDown(vk::kEscape);
    EXPECT_FALSE(hasHint(Paint()));
}

TEST_F(ViewTest, TheTransitionModeDecidesOnEveryScreenPaint) {
    env.SetSlides({"/show/big.jpg"});
    Paint();  // stopped: a plain copy, then the show starts
    struct Case {
        int mode;
        bool running;
        float interval;
        bool sweep;
        bool hidesCursor;
    };
    const Case cases[] = {{0, true, 6.0f, true, true},   {0, false, 6.0f, false, false}, {1, false, 6.0f, true, false},
                          {1, true, 1.0f, true, false},  {2, true, 6.0f, false, false},  {0, true, 0.9f, false, true},
                          {1, false, 0.9f, false, false}};
    for (const Case& c : cases) {
        view.SetTransitions(c.mode, c.interval, Show().TransInterval());
        if (c.running) view.StartAutoAdvance();
        else view.StopAutoAdvance();
        window.cursor = ViewCursor::Arrow;
        const auto calls = Paint();
        EXPECT_EQ(view.InTransition(), c.sweep) << c.mode << " " << c.interval;
        EXPECT_EQ(std::find(calls.begin(), calls.end(), "copy") != calls.end(), !c.sweep) << c.mode;
        EXPECT_EQ(window.cursor == ViewCursor::Hidden, c.hidesCursor) << c.mode;
        if (c.sweep) {
            EXPECT_GE(Show().LastEffect(), 1);
            EXPECT_LE(Show().LastEffect(), 8);
            EXPECT_EQ(calls, (std::vector<std::string>{"begin 800x500", "stretch"}));  // overlays wait for the end
            PaintThroughSweep();
        }
    }
}

TEST_F(ViewTest, InputDuringASweepIsHandledAfterItInOrder) {
    env.SetSlides({"/show/big.jpg", "/show/small.png", "/show/huge.bmp"});
    Paint();
    testsupport::SetTransitionMode(view, 1);
    view.OnKeyDown(vk::kEscape);  // stop the show
    view.OnKeyDown(vk::kRight);   // to slide 1; its paint sweeps
    Paint();
    ASSERT_TRUE(view.InTransition());
    EXPECT_EQ(env.doc.m_nCurrentSlide, 2);
    ASSERT_EQ(window.frames.size(), 1u);

    view.OnKeyDown(vk::kRight);
    view.OnKeyUp(vk::kRight);
    view.OnMouseMove({500, 300});
    view.OnMouseMove({600, 400});
    view.OnCommand(cmd::ID_NAVIGATE_AUTO);
    view.OnTimer(CVarnelleView::kAutoAdvanceTimer);
    view.OnTimer(CVarnelleView::kAutoAdvanceTimer);
    EXPECT_EQ(Show().Slide(), 1);
    EXPECT_FALSE(Show().AutoAdvance());
    EXPECT_TRUE(window.posted.empty());

    env.clock.milliseconds += 1800;
    const auto calls = Paint();
    EXPECT_FALSE(view.InTransition());
    EXPECT_EQ(calls.back(), "text 3,25 150 small.png");  // overlays once the sweep is done
    ASSERT_EQ(window.posted.size(), 1u);
    window.RunPosted();
    // Right, then Auto-Advance started the show; the two ticks made one, which waits until
    // the slide Right asked for is on screen.
    EXPECT_EQ(Show().Slide(), 2);
    EXPECT_EQ(view.Zoom().Mouse(), (Point{600, 400}));
    EXPECT_TRUE(Show().AutoAdvance());
    EXPECT_EQ(Show().AutoTicks(), 0);
    Paint();
    env.clock.milliseconds += 1800;
    Paint();
    EXPECT_FALSE(view.InTransition());
    EXPECT_EQ(view.Picture().DrawnSlide(), 2);
    window.RunPosted();
    EXPECT_EQ(Show().Slide(), 0);
    EXPECT_EQ(Show().AutoTicks(), 1);
}

TEST_F(ViewTest, StoppingTheTimerDuringASweepDropsItsDueTick) {
    env.SetSlides({"/show/big.jpg", "/show/small.png"});
    Paint();
    view.OnTimer(CVarnelleView::kAutoAdvanceTimer);
    Paint();
    ASSERT_TRUE(view.InTransition());
    view.OnTimer(CVarnelleView::kAutoAdvanceTimer);
    view.OnKeyDown(vk::kEscape);
    env.clock.milliseconds += 1800;
    Paint();
    window.RunPosted();
    EXPECT_FALSE(Show().AutoAdvance());
    EXPECT_EQ(Show().Slide(), 1);

    // A new show drops a sweep under way.
    testsupport::SetTransitionMode(view, 1);
    window.invalidations = 0;
    Paint();
    ASSERT_TRUE(view.InTransition());
    view.OnInitialUpdate();
    EXPECT_FALSE(view.InTransition());
    EXPECT_EQ(window.posted.size(), 1u);

    // So does a paint that finds no document.
    testsupport::SetTransitionMode(view, 1);
    Paint();
    ASSERT_TRUE(view.InTransition());
    env.documents.document = nullptr;
    Paint();
    EXPECT_FALSE(view.InTransition());
    EXPECT_EQ(window.posted.size(), 2u);
}

}  // namespace
