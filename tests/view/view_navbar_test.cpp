#include "viewer/res/command_ids.h"
#include "viewer/view/view_keys.h"

#include "tests/view/view_test_fixture.h"

#include <algorithm>

namespace {

using viewtest::FakeViewDialogs;

class NavBarViewTest : public viewtest::ViewTest {
protected:
    NavBarViewTest() {
        env.SetSlides({"/show/big.jpg", "/show/small.png", "/show/huge.bmp"});
        Paint();  // the bar in the upper left corner; the show runs
    }
    void Click(Point p) {
        view.OnMouseMove(p);
        view.OnLButtonDown(p);
        view.OnLButtonUp(p);
    }
    bool Idle(int button) const { return view.NavBar().Idle(button); }

    static constexpr Point kPrev{40, 12};
    static constexpr Point kNext{110, 12};
    static constexpr Point kAuto{180, 12};
    static constexpr Point kExit{250, 12};
    static constexpr Point kOffBar{400, 300};
};

TEST_F(NavBarViewTest, PreviousFirstStopsTheShowThenStepsBackWrapping) {
    view.OnMouseMove(kPrev);
    EXPECT_EQ(window.cursor, ViewCursor::PointingHand);
    view.OnLButtonDown(kPrev);
    EXPECT_EQ(window.cursor, ViewCursor::PressingHand);
    EXPECT_FALSE(Idle(kNavPrevButton));
    view.OnLButtonUp(kPrev);
    EXPECT_EQ(window.cursor, ViewCursor::PointingHand);
    EXPECT_TRUE(Idle(kNavPrevButton));
    EXPECT_FALSE(Show().AutoAdvance());
    EXPECT_TRUE(Idle(kNavAutoButton));
    EXPECT_EQ(Show().Slide(), 0);
    Click(kPrev);
    EXPECT_EQ(Show().Slide(), 2);  // from the first to the last
    Click(kNext);
    Click(kNext);
    EXPECT_EQ(Show().Slide(), 1);  // from the last to the first, then on
    EXPECT_EQ(view.Zoom().Level(), 8);
}

TEST_F(NavBarViewTest, AutoTogglesTheShowAndExitSendsTheApplicationsExit) {
    view.OnMouseMove(kAuto);
    view.OnLButtonDown(kAuto);
    EXPECT_TRUE(Idle(kNavAutoButton));  // inverted while held
    view.OnLButtonUp(kAuto);
    EXPECT_FALSE(Show().AutoAdvance());
    Click(kAuto);
    EXPECT_TRUE(Show().AutoAdvance());
    EXPECT_FALSE(Idle(kNavAutoButton));

    view.OnMouseMove(kExit);
    view.OnLButtonDown(kExit);
    EXPECT_FALSE(Idle(kNavExitButton));
    const int invalidations = window.invalidations;
    view.OnLButtonUp(kExit);
    EXPECT_TRUE(Idle(kNavExitButton));
    EXPECT_EQ(window.commands, (std::vector<int>{57665}));
    EXPECT_EQ(window.invalidations, invalidations);
}

TEST_F(NavBarViewTest, PressOnAutoReleasedOffTheBarLeavesTheLabelLitAndZooms) {
    view.OnKeyDown(vk::kEscape);
    view.OnMouseMove(kAuto);
    view.OnLButtonDown(kAuto);
    view.OnMouseMove(kOffBar);
    EXPECT_EQ(window.cursor, ViewCursor::Magnifier);
    view.OnLButtonUp(kOffBar);
    EXPECT_FALSE(Show().AutoAdvance());
    EXPECT_FALSE(Idle(kNavAutoButton));
    EXPECT_EQ(view.Zoom().Level(), 9);
    const auto calls = Paint();
    EXPECT_NE(std::find(calls.begin(), calls.end(), "text 157,4 255 AUTO"), calls.end());
}

TEST_F(NavBarViewTest, AHiddenBarIsNoButtonAndTheBarFollowsItsCorner) {
    env.doc.m_bNavBarVisible = 0;
    view.OnMouseMove(kPrev);
    EXPECT_EQ(env.doc.m_nNavBarHotButton, 0);
    EXPECT_EQ(window.cursor, ViewCursor::Magnifier);
    view.OnLButtonDown(kPrev);
    view.OnLButtonUp(kPrev);
    EXPECT_EQ(view.Zoom().Level(), 9);
    EXPECT_FALSE(Show().AutoAdvance());
    for (const std::string& call : Paint()) EXPECT_NE(call.substr(0, 3), "bar");

    env.doc.m_bNavBarVisible = 1;
    env.doc.m_nNavBarCorner = kNavLowerRight;
    window.width = 640;
    window.height = 480;
    const auto calls = Paint();
    EXPECT_NE(std::find(calls.begin(), calls.end(), "bar 360,455,640,480"), calls.end());
    EXPECT_NE(std::find(calls.begin(), calls.end(), "text 587,459 100 EXIT"), calls.end());
    view.OnMouseMove({370, 470});
    EXPECT_EQ(env.doc.m_nNavBarHotButton, kNavPrevButton);

    view.OnScroll();
    EXPECT_EQ(window.invalidatedRects, (std::vector<Rect>{{360, 455, 733, 495}}));
}

TEST_F(NavBarViewTest, RightButtonStopsTheShowAndWithoutASlideTheArrowShows) {
    view.OnRButtonDown({400, 300});
    EXPECT_FALSE(Show().AutoAdvance());
    env.SetSlides({"/show/missing.jpg"});
    view.OnInitialUpdate();
    Paint();
    view.OnMouseMove(kOffBar);
    EXPECT_EQ(window.cursor, ViewCursor::Arrow);
}

TEST_F(NavBarViewTest, NavigatorBarCommandOnlyWithItsDialog) {
    CmdUI ui(cmd::ID_NAVIGATE_NAVBAR);
    EXPECT_FALSE(view.HasCommand(cmd::ID_NAVIGATE_NAVBAR));
    EXPECT_FALSE(view.OnUpdateCommand(ui));

    FakeViewDialogs dialog;
    view.SetDialogs(&dialog);
    ASSERT_TRUE(view.OnUpdateCommand(ui));
    EXPECT_FALSE(ui.enabled);  // not while the show runs
    view.OnKeyDown(vk::kEscape);
    ui = CmdUI(cmd::ID_NAVIGATE_NAVBAR);
    view.OnUpdateCommand(ui);
    EXPECT_TRUE(ui.enabled && ui.checked);

    dialog.ok = false;
    view.OnCommand(cmd::ID_NAVIGATE_NAVBAR);
    EXPECT_EQ(env.doc.m_bNavBarVisible, 1);
    dialog.ok = true;
    view.OnCommand(cmd::ID_NAVIGATE_NAVBAR);
    EXPECT_EQ(dialog.shownWith, (std::pair<int, int>{1, 0}));
    EXPECT_EQ(env.doc.m_bNavBarVisible, 0);
    EXPECT_EQ(env.doc.m_nNavBarCorner, 3);
}

TEST_F(NavBarViewTest, ScreenTransitionCopiesTheThreeValuesBackOnlyOnOk) {
    FakeViewDialogs dialog;
    view.SetDialogs(&dialog);
    EXPECT_TRUE(view.HasCommand(cmd::ID_NAVIGATE_TRANSITIONS));
    const unsigned period = env.timers.Period(CVarnelleView::kAutoAdvanceTimer);
    dialog.ok = false;
    view.OnCommand(cmd::ID_NAVIGATE_TRANSITIONS);
    EXPECT_EQ(Show().TransitionMode(), 0);
    EXPECT_EQ(Show().PageInterval(), 6.0f);
    dialog.ok = true;
    view.OnCommand(cmd::ID_NAVIGATE_TRANSITIONS);
    EXPECT_EQ(dialog.transitionsShownWith, (std::vector<float>{0.0f, 6.0f, 18.0f}));
    EXPECT_EQ(Show().TransitionMode(), 2);
    EXPECT_EQ(Show().PageInterval(), 0.5f);
    EXPECT_EQ(Show().TransInterval(), 4.0f);
    // The running timer keeps its period until the speed is changed.
    EXPECT_EQ(env.timers.Period(CVarnelleView::kAutoAdvanceTimer), period);
}

}  // namespace
