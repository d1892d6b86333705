#include "viewer/view/varnelle_view.h"

#include "viewer/res/command_ids.h"
#include "viewer/view/view_keys.h"
#include "viewer/view/zoom_levels.h"

#include "tests/support/view_test_env.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

class ViewTest : public ::testing::Test {
protected:
    ViewTest() {
        env.pictures.AddShowPictures();
        view.OnInitialUpdate();
    }

    std::vector<std::string> Paint() {
        testsupport::RecordingCanvas canvas;
        view.OnDraw(canvas);
        last = canvas;
        return canvas.calls;
    }

    // A paint, and the frames of its sweep until it is over, 0.1 s apart; then what waited.
    void PaintThroughSweep() {
        Paint();
        for (int frame = 0; view.InTransition() && frame < 100000; ++frame) {
            env.clock.milliseconds += 100;
            Paint();
        }
        window.RunPosted();
    }

    testsupport::DocumentEnv env;
    testsupport::FakeWindow window;
    CVarnelleView view{{env.documents, window, env.pictures, env.timers, env.messages, env.clock, env.heap}};
    testsupport::RecordingCanvas last;
};

TEST_F(ViewTest, FirstPaintFitsTheSlideDrawsItsCaptionAndStartsTheShow) {
    env.SetSlides({"/show/big.jpg", "/show/small.png"});
    EXPECT_EQ(Paint(), (std::vector<std::string>{"begin 800x500", "stretch", "copy", "bar 0,0,280,25",
                                                 "text 25,4 100 <<<", "text 95,4 100 >>>", "text 157,4 255 AUTO",
                                                 "text 227,4 100 EXIT", "text 3,25 150 big.jpg"}));
    // 1200 x 0.41625 truncates to 499 rows: the last window row stays black.
    EXPECT_EQ(last.destination, (Rect{67, 0, 733, 499}));
    EXPECT_EQ(last.source, (Rect{0, 2, 1600, 1200}));
    EXPECT_DOUBLE_EQ(view.m_dZoom, 0.41625);
    EXPECT_EQ(env.doc.m_fZoom, 0.41625f);
    EXPECT_EQ(view.m_nZoomLevel, 8);
    EXPECT_EQ(env.doc.m_rcExtent, (Rect{0, 0, 666, 500}));
    EXPECT_EQ(window.total, (Rect{0, 0, 666, 500}));
    EXPECT_EQ(env.doc.m_nCurrentSlide, 1);
    EXPECT_EQ(env.doc.m_rcClientScreen, (Rect{100, 50, 900, 550}));
    EXPECT_EQ(env.doc.m_hWndZoomTarget, &view);
    EXPECT_TRUE(view.m_bAutoAdvance);
    EXPECT_FALSE(view.m_bAutoIdle);
    EXPECT_EQ(env.timers.Period(CVarnelleView::kAutoAdvanceTimer), 6000u);

    // Stopped, Up zooms one level from the fit.
    view.OnKeyDown(vk::kEscape);
    view.OnKeyDown(vk::kUp);
    EXPECT_DOUBLE_EQ(view.m_dZoom, 0.495);
    EXPECT_EQ(env.doc.m_rcExtent, (Rect{0, 0, 792, 594}));
}

TEST_F(ViewTest, ASlideSmallerThanTheWindowIsCentredAtFullSize) {
    env.SetSlides({"/show/small.png"});
    Paint();
    EXPECT_EQ(view.m_dZoom, 1.0);
    EXPECT_EQ(last.destination, (Rect{240, 130, 560, 370}));
}

TEST_F(ViewTest, OnlyTheVisiblePartOfAZoomedSlideIsDrawn) {
    env.SetSlides({"/show/huge.bmp"});
    Paint();
    view.OnKeyDown(vk::kEscape);
    view.ApplyZoomLevel(40);  // 7.6: a page of 30400 x 22800
    window.ScrollToPosition({15200, 11400});
    Paint();
    EXPECT_EQ(last.destination, (Rect{0, 0, 800, 500}));
    EXPECT_EQ(last.source.right - last.source.left, 105);  // 800 / 7.6
    EXPECT_EQ(last.source.bottom - last.source.top, 65);
}

TEST_F(ViewTest, ASlideThatFailsPaintsBlackWithItsCaptionAndKeepsTheZoom) {
    env.SetSlides({"/show/big.jpg", "/show/broken.jpg", "/show/readme.txt"});
    Paint();
    view.OnKeyDown(vk::kEscape);
    view.OnKeyDown(vk::kRight);
    EXPECT_EQ(Paint(), (std::vector<std::string>{"begin 800x500", "copy", "bar 0,0,280,25", "text 25,4 100 <<<",
                                                 "text 95,4 255 >>>", "text 157,4 100 AUTO", "text 227,4 100 EXIT",
                                                 "text 3,25 150 broken.jpg"}));
    EXPECT_EQ(view.m_nImageWidth, 0);
    EXPECT_EQ(env.doc.m_fZoom, 0.41625f);
    EXPECT_EQ(env.doc.m_rcExtent, (Rect{0, 0, 666, 500}));
    EXPECT_EQ(env.doc.m_nCurrentSlide, 2);
    view.OnKeyDown(vk::kRight);
    Paint();
    // A file of another kind never reaches the decoder.
    EXPECT_EQ(env.pictures.loads, (std::vector<int>{0, 1}));
    EXPECT_TRUE(env.messages.shown.empty());
}

TEST_F(ViewTest, AnEmptyShowPaintsBlackLeavesAutoIdleAndEndsFullScreen) {
    env.doc.m_bFullScreen = 1;
    // No caption; "AUTO" is drawn before the first paint finds the show empty.
    EXPECT_EQ(Paint(), (std::vector<std::string>{"begin 800x500", "copy", "bar 0,0,280,25", "text 25,4 100 <<<",
                                                 "text 95,4 100 >>>", "text 157,4 255 AUTO", "text 227,4 100 EXIT"}));
    EXPECT_TRUE(view.m_bAutoIdle);
    EXPECT_FALSE(view.m_bAutoAdvance);
    EXPECT_EQ(env.doc.m_bFullScreen, 0);
    EXPECT_EQ(window.layouts, 1);
    EXPECT_TRUE(env.timers.running.empty());
    view.OnTimer(CVarnelleView::kAutoAdvanceTimer);
    EXPECT_EQ(view.m_nSlide, 0);
}

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
    EXPECT_EQ(view.m_nAutoTicks, 4);

    // The command stops it and resets the tick count; a second one starts it again.
    view.OnCommand(cmd::ID_NAVIGATE_AUTO);
    EXPECT_FALSE(env.timers.IsRunning(CVarnelleView::kAutoAdvanceTimer));
    EXPECT_EQ(view.m_nAutoTicks, 0);
    view.OnCommand(cmd::ID_NAVIGATE_AUTO);
    EXPECT_TRUE(env.timers.IsRunning(CVarnelleView::kAutoAdvanceTimer));
}

TEST_F(ViewTest, ArrowsTurnSlidesOnlyWhileStopped) {
    env.SetSlides({"/show/big.jpg", "/show/small.png", "/show/huge.bmp"});
    Paint();
    view.OnKeyDown(vk::kRight);
    view.OnKeyDown(vk::kLeft);
    EXPECT_EQ(view.m_nSlide, 0);
    EXPECT_TRUE(view.m_bNextIdle);

    view.OnKeyDown(vk::kEscape);
    view.OnKeyDown(vk::kLeft);
    EXPECT_EQ(view.m_nSlide, 2);
    EXPECT_FALSE(view.m_bPrevIdle);
    view.OnKeyUp(vk::kLeft);
    EXPECT_TRUE(view.m_bPrevIdle);
    view.OnKeyDown(vk::kRight);
    EXPECT_EQ(view.m_nSlide, 0);
    for (int key : {46, 17, 16}) view.OnKeyDown(key);
    EXPECT_EQ(view.m_nSlide, 0);
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
    EXPECT_EQ(view.m_nSlide, 1);
}

TEST_F(ViewTest, EscapeLeavesFullScreenAndStopsTheShow) {
    env.SetSlides({"/show/big.jpg"});
    Paint();
    env.doc.m_bFullScreen = 1;
    view.OnKeyDown(vk::kEscape);
    EXPECT_EQ(env.doc.m_bFullScreen, 0);
    EXPECT_EQ(window.layouts, 1);
    EXPECT_FALSE(view.m_bAutoAdvance);
    EXPECT_TRUE(view.m_bAutoIdle);
}

TEST_F(ViewTest, UpAndDownChangeTheSpeedWhileTheShowRuns) {
    env.SetSlides({"/show/big.jpg"});
    Paint();
    view.OnKeyDown(vk::kUp);
    view.OnKeyDown(vk::kUp);
    EXPECT_EQ(env.timers.Period(CVarnelleView::kAutoAdvanceTimer), 4000u);
    EXPECT_EQ(view.m_fTransInterval, 12.0f);
    view.OnKeyDown(vk::kDown);
    EXPECT_EQ(env.timers.Period(CVarnelleView::kAutoAdvanceTimer), 5000u);
    EXPECT_EQ(view.m_nZoomLevel, 8);  // the zoom is left alone
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
    EXPECT_FALSE(view.m_bAutoAdvance);
    EXPECT_TRUE(view.m_bAutoIdle);
}

TEST_F(ViewTest, ZoomCommandsOfTheDocumentLandOnLevels) {
    env.SetSlides({"/show/big.jpg"});
    Paint();
    struct Case {
        int command;
        float zoom;
        int level;
    };
    const Case presets[] = {{cmd::ID_ZOOM_100, 0.999f, 15}, {cmd::ID_ZOOM_50, 0.495f, 9},
                            {cmd::ID_ZOOM_33, 0.3f, 6},     {cmd::ID_ZOOM_75, 0.6765f, 11},
                            {cmd::ID_ZOOM_200, 1.995f, 21}, {cmd::ID_ZOOM_300, 2.875f, 25}};
    for (const Case& c : presets) {
        env.doc.OnCommand(c.command);
        EXPECT_EQ(view.m_nZoomLevel, c.level) << c.command;
        EXPECT_EQ(env.doc.m_fZoom, c.zoom) << c.command;
    }

    // Zoom (+) multiplies by 1.1 before snapping: 0.6 stays, 0.845 reaches 0.924.
    view.ApplyZoomLevel(10);
    env.doc.OnCommand(cmd::ID_ZOOM_IN);
    EXPECT_EQ(env.doc.m_fZoom, 0.6f);
    view.ApplyZoomLevel(15);
    env.doc.OnCommand(cmd::ID_ZOOM_IN);
    EXPECT_EQ(env.doc.m_fZoom, 0.999f);
    view.ApplyZoomLevel(13);
    env.doc.OnCommand(cmd::ID_ZOOM_IN);
    EXPECT_EQ(env.doc.m_fZoom, 0.924f);
    env.doc.OnCommand(cmd::ID_ZOOM_OUT);
    EXPECT_EQ(env.doc.m_fZoom, 0.756f);
}

TEST_F(ViewTest, ZoomKeysStopAtTheEndLevels) {
    env.SetSlides({"/show/big.jpg"});
    Paint();
    view.OnKeyDown(vk::kEscape);
    view.ApplyZoomLevel(40);
    view.m_nZoomLevel = 40;
    view.OnKeyDown(vk::kUp);
    EXPECT_DOUBLE_EQ(view.m_dZoom, 7.6);
    view.m_nZoomLevel = 1;
    view.OnKeyDown(vk::kDown);
    EXPECT_DOUBLE_EQ(view.m_dZoom, 0.05);
}

TEST_F(ViewTest, ClicksZoomAtTheMouseAndStopTheShow) {
    env.SetSlides({"/show/huge.bmp"});
    Paint();
    view.ApplyZoomLevel(15);  // 3996 x 2997
    view.m_nZoomLevel = 15;
    view.OnMouseMove({600, 400});
    view.OnLButtonDown({600, 400});
    view.OnLButtonUp({600, 400});
    EXPECT_FALSE(view.m_bAutoAdvance);
    EXPECT_EQ(view.m_nZoomLevel, 16);
    EXPECT_EQ(window.scroll, (Point{200, 150}));

    view.OnCommand(cmd::ID_NAVIGATE_AUTO);
    view.OnRButtonDown({10, 10});
    EXPECT_FALSE(view.m_bAutoAdvance);
    view.OnRButtonUp({400, 250});
    EXPECT_EQ(view.m_nZoomLevel, 15);
    EXPECT_EQ(view.m_ptMouse, (Point{600, 400}));  // in page coordinates

    view.OnMouseWheel(-120);
    view.OnMouseWheel(120);
    EXPECT_EQ(window.pages, (std::vector<bool>{true, false}));
}

TEST_F(ViewTest, ExtremePicturesAndTinyWindowsKeepAUsableZoom) {
    env.pictures.pictures["/show/line.bmp"] = {1, 65535, {255, 255, 255}};
    env.pictures.pictures["/show/row.bmp"] = {65535, 1, {255, 255, 255}};
    env.SetSlides({"/show/line.bmp", "/show/row.bmp", "/show/big.jpg"});
    for (int slide = 0; slide < 3; ++slide) {
        view.m_nSlide = slide;
        Paint();
        EXPECT_GT(view.m_dZoom, 0.0) << slide;
        EXPECT_TRUE(std::isfinite(view.m_dZoom));
        EXPECT_GT(env.doc.m_fZoom, 0.0f);
    }
    window.width = window.height = 1;
    view.m_nSlide = 0;
    Paint();
    window.width = window.height = 0;
    view.m_nSlide = 2;
    Paint();
    EXPECT_GT(view.m_dZoom, 0.0);
}

TEST_F(ViewTest, WithoutADocumentNothingHappens) {
    env.SetSlides({"/show/big.jpg"});
    env.documents.document = nullptr;
    EXPECT_TRUE(Paint().empty());
    view.OnKeyDown(vk::kRight);
    view.OnTimer(CVarnelleView::kAutoAdvanceTimer);
    view.OnLButtonUp({1, 1});
    view.OnCommand(cmd::ID_NAVIGATE_NEXT);
    EXPECT_EQ(view.m_nSlide, 0);
    EXPECT_EQ(window.invalidations, 0);
}

TEST_F(ViewTest, ANewDocumentResetsTheViewAndKillsTheTimer) {
    env.SetSlides({"/show/big.jpg", "/show/small.png"});
    Paint();
    view.OnKeyDown(vk::kUp);
    view.OnTimer(CVarnelleView::kAutoAdvanceTimer);
    view.OnInitialUpdate();
    EXPECT_FALSE(env.timers.IsRunning(CVarnelleView::kAutoAdvanceTimer));
    EXPECT_EQ(view.m_nSlide, 0);
    EXPECT_EQ(view.m_nDrawnSlide, -1);
    EXPECT_EQ(view.m_fPageInterval, 6.0f);
    EXPECT_EQ(view.m_fTransInterval, 18.0f);
    EXPECT_TRUE(view.m_bFirstDraw);
    EXPECT_EQ(env.doc.m_rcExtent, Rect{});
}

}  // namespace

namespace {

class NavBarViewTest : public ViewTest {
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
    EXPECT_FALSE(view.m_bPrevIdle);
    view.OnLButtonUp(kPrev);
    EXPECT_EQ(window.cursor, ViewCursor::PointingHand);
    EXPECT_TRUE(view.m_bPrevIdle);
    EXPECT_FALSE(view.m_bAutoAdvance);
    EXPECT_TRUE(view.m_bAutoIdle);
    EXPECT_EQ(view.m_nSlide, 0);
    Click(kPrev);
    EXPECT_EQ(view.m_nSlide, 2);  // from the first to the last
    Click(kNext);
    Click(kNext);
    EXPECT_EQ(view.m_nSlide, 1);  // from the last to the first, then on
    EXPECT_EQ(view.m_nZoomLevel, 8);
}

TEST_F(NavBarViewTest, AutoTogglesTheShowAndExitSendsTheApplicationsExit) {
    view.OnMouseMove(kAuto);
    view.OnLButtonDown(kAuto);
    EXPECT_TRUE(view.m_bAutoIdle);  // inverted while held
    view.OnLButtonUp(kAuto);
    EXPECT_FALSE(view.m_bAutoAdvance);
    Click(kAuto);
    EXPECT_TRUE(view.m_bAutoAdvance);
    EXPECT_FALSE(view.m_bAutoIdle);

    view.OnMouseMove(kExit);
    view.OnLButtonDown(kExit);
    EXPECT_FALSE(view.m_bExitIdle);
    const int invalidations = window.invalidations;
    view.OnLButtonUp(kExit);
    EXPECT_TRUE(view.m_bExitIdle);
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
    EXPECT_FALSE(view.m_bAutoAdvance);
    EXPECT_FALSE(view.m_bAutoIdle);
    EXPECT_EQ(view.m_nZoomLevel, 9);
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
    EXPECT_EQ(view.m_nZoomLevel, 9);
    EXPECT_FALSE(view.m_bAutoAdvance);
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
    EXPECT_FALSE(view.m_bAutoAdvance);
    env.SetSlides({"/show/missing.jpg"});
    view.m_nSlide = 0;
    view.m_nDrawnSlide = -1;
    Paint();
    view.OnMouseMove(kOffBar);
    EXPECT_EQ(window.cursor, ViewCursor::Arrow);
}

class FakeViewDialogs final : public ViewDialogs {
public:
    bool RunNavBar(int& show, int& corner) override {
        shownWith = {show, corner};
        show = 0;
        corner = 3;
        return ok;
    }
    bool RunTransitions(int& mode, float& page, float& transition) override {
        transitionsShownWith = {static_cast<float>(mode), page, transition};
        mode = 2;
        page = 0.5f;
        transition = 4.0f;
        return ok;
    }
    std::pair<int, int> shownWith;
    std::vector<float> transitionsShownWith;
    bool ok = true;
};

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
    EXPECT_EQ(view.m_nTransitionMode, 0);
    EXPECT_EQ(view.m_fPageInterval, 6.0f);
    dialog.ok = true;
    view.OnCommand(cmd::ID_NAVIGATE_TRANSITIONS);
    EXPECT_EQ(dialog.transitionsShownWith, (std::vector<float>{0.0f, 6.0f, 18.0f}));
    EXPECT_EQ(view.m_nTransitionMode, 2);
    EXPECT_EQ(view.m_fPageInterval, 0.5f);
    EXPECT_EQ(view.m_fTransInterval, 4.0f);
    // The running timer keeps its period until the speed is changed.
    EXPECT_EQ(env.timers.Period(CVarnelleView::kAutoAdvanceTimer), period);
}

TEST_F(ViewTest, SpeedHintShowsFromTheFirstTickToTheFifth) {
    env.SetSlides({"/show/big.jpg"});
    const std::string hint = "text 222,484 150 Use the up or down keyboard arrows to change speed.";  // 400 - 357 / 2
    auto hasHint = [&](const std::vector<std::string>& calls) {
        return std::find(calls.begin(), calls.end(), hint) != calls.end();
    };
    EXPECT_FALSE(hasHint(Paint()));  // the first paint only starts the show
    view.m_nTransitionMode = 2;
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
        view.m_nTransitionMode = c.mode;
        view.m_bAutoAdvance = c.running;
        view.m_fPageInterval = c.interval;
        window.cursor = ViewCursor::Arrow;
        const auto calls = Paint();
        EXPECT_EQ(view.InTransition(), c.sweep) << c.mode << " " << c.interval;
        EXPECT_EQ(std::find(calls.begin(), calls.end(), "copy") != calls.end(), !c.sweep) << c.mode;
        EXPECT_EQ(window.cursor == ViewCursor::Hidden, c.hidesCursor) << c.mode;
        if (c.sweep) {
            EXPECT_GE(view.m_nLastEffect, 1);
            EXPECT_LE(view.m_nLastEffect, 8);
            EXPECT_EQ(calls, (std::vector<std::string>{"begin 800x500", "stretch"}));  // overlays wait for the end
            view.m_transition.Cancel();
        }
    }
}

TEST_F(ViewTest, InputDuringASweepIsHandledAfterItInOrder) {
    env.SetSlides({"/show/big.jpg", "/show/small.png", "/show/huge.bmp"});
    Paint();
    view.m_nTransitionMode = 1;
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
    EXPECT_EQ(view.m_nSlide, 1);
    EXPECT_FALSE(view.m_bAutoAdvance);
    EXPECT_TRUE(window.posted.empty());

    env.clock.milliseconds += 1800;
    const auto calls = Paint();
    EXPECT_FALSE(view.InTransition());
    EXPECT_EQ(calls.back(), "text 3,25 150 small.png");  // overlays once the sweep is done
    ASSERT_EQ(window.posted.size(), 1u);
    window.RunPosted();
    // Right, then Auto-Advance started the show; the two ticks made one, which waits until
    // the slide Right asked for is on screen.
    EXPECT_EQ(view.m_nSlide, 2);
    EXPECT_EQ(view.m_ptMouse, (Point{600, 400}));
    EXPECT_TRUE(view.m_bAutoAdvance);
    EXPECT_EQ(view.m_nAutoTicks, 0);
    Paint();
    env.clock.milliseconds += 1800;
    Paint();
    EXPECT_FALSE(view.InTransition());
    EXPECT_EQ(view.m_nDrawnSlide, 2);
    window.RunPosted();
    EXPECT_EQ(view.m_nSlide, 0);
    EXPECT_EQ(view.m_nAutoTicks, 1);
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
    EXPECT_FALSE(view.m_bAutoAdvance);
    EXPECT_EQ(view.m_nSlide, 1);

    // A new show drops a sweep under way.
    view.m_nTransitionMode = 1;
    window.invalidations = 0;
    Paint();
    ASSERT_TRUE(view.InTransition());
    view.OnInitialUpdate();
    EXPECT_FALSE(view.InTransition());
    EXPECT_EQ(window.posted.size(), 1u);

    // So does a paint that finds no document.
    view.m_nTransitionMode = 1;
    Paint();
    ASSERT_TRUE(view.InTransition());
    env.documents.document = nullptr;
    Paint();
    EXPECT_FALSE(view.InTransition());
    EXPECT_EQ(window.posted.size(), 2u);
}

}  // namespace
