#include "viewer/res/command_ids.h"
#include "viewer/view/view_keys.h"
#include "viewer/view/zoom_levels.h"

#include "tests/view/view_test_fixture.h"

#include <cmath>

namespace {

using viewtest::ViewTest;

TEST_F(ViewTest, FirstPaintFitsTheSlideDrawsItsCaptionAndStartsTheShow) {
    env.SetSlides({"/show/big.jpg", "/show/small.png"});
    EXPECT_EQ(Paint(), (std::vector<std::string>{"begin 800x500", "stretch", "copy", "bar 0,0,280,25",
                                                 "text 25,4 100 <<<", "text 95,4 100 >>>", "text 157,4 255 AUTO",
                                                 "text 227,4 100 EXIT", "text 3,25 150 big.jpg"}));
    // 1200 x 0.41625 truncates to 499 rows: the last window row stays black.
    EXPECT_EQ(last.destination, (Rect{67, 0, 733, 499}));
    EXPECT_EQ(last.source, (Rect{0, 2, 1600, 1200}));
    EXPECT_DOUBLE_EQ(view.Zoom().Factor(), 0.41625);
    EXPECT_EQ(env.doc.m_fZoom, 0.41625f);
    EXPECT_EQ(view.Zoom().Level(), 8);
    EXPECT_EQ(env.doc.m_rcExtent, (Rect{0, 0, 666, 500}));
    EXPECT_EQ(window.total, (Rect{0, 0, 666, 500}));
    EXPECT_EQ(env.doc.m_nCurrentSlide, 1);
    EXPECT_EQ(env.doc.m_rcClientScreen, (Rect{100, 50, 900, 550}));
    EXPECT_EQ(env.doc.m_hWndZoomTarget, &view);
    EXPECT_TRUE(Show().AutoAdvance());
    EXPECT_FALSE(view.NavBar().Idle(kNavAutoButton));
    EXPECT_EQ(env.timers.Period(CVarnelleView::kAutoAdvanceTimer), 6000u);

    // Stopped, Up zooms one level from the fit.
    view.OnKeyDown(vk::kEscape);
    view.OnKeyDown(vk::kUp);
    EXPECT_DOUBLE_EQ(view.Zoom().Factor(), 0.495);
    EXPECT_EQ(env.doc.m_rcExtent, (Rect{0, 0, 792, 594}));
}

TEST_F(ViewTest, ASlideSmallerThanTheWindowIsCentredAtFullSize) {
    env.SetSlides({"/show/small.png"});
    Paint();
    EXPECT_EQ(view.Zoom().Factor(), 1.0);
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
    EXPECT_EQ(view.Picture().Width(), 0);
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
    EXPECT_TRUE(view.NavBar().Idle(kNavAutoButton));
    EXPECT_FALSE(Show().AutoAdvance());
    EXPECT_EQ(env.doc.m_bFullScreen, 0);
    EXPECT_EQ(window.layouts, 1);
    EXPECT_TRUE(env.timers.running.empty());
    view.OnTimer(CVarnelleView::kAutoAdvanceTimer);
    EXPECT_EQ(Show().Slide(), 0);
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
        EXPECT_EQ(view.Zoom().Level(), c.level) << c.command;
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
    // From the fit's level 8 up to 40, and once more.
    for (int press = 8; press < kMaxZoomLevel; ++press) view.OnKeyDown(vk::kUp);
    ASSERT_EQ(view.Zoom().Level(), kMaxZoomLevel);
    view.OnKeyDown(vk::kUp);
    EXPECT_DOUBLE_EQ(view.Zoom().Factor(), 7.6);
    for (int press = kMaxZoomLevel; press > kMinZoomLevel; --press) view.OnKeyDown(vk::kDown);
    ASSERT_EQ(view.Zoom().Level(), kMinZoomLevel);
    view.OnKeyDown(vk::kDown);
    EXPECT_DOUBLE_EQ(view.Zoom().Factor(), 0.05);
}

TEST_F(ViewTest, ClicksZoomAtTheMouseAndStopTheShow) {
    env.SetSlides({"/show/huge.bmp"});
    Paint();
    env.doc.OnCommand(cmd::ID_ZOOM_100);  // level 15: 3996 x 2997
    ASSERT_EQ(view.Zoom().Level(), 15);
    view.OnMouseMove({600, 400});
    view.OnLButtonDown({600, 400});
    view.OnLButtonUp({600, 400});
    EXPECT_FALSE(Show().AutoAdvance());
    EXPECT_EQ(view.Zoom().Level(), 16);
    EXPECT_EQ(window.scroll, (Point{200, 150}));

    view.OnCommand(cmd::ID_NAVIGATE_AUTO);
    view.OnRButtonDown({10, 10});
    EXPECT_FALSE(Show().AutoAdvance());
    view.OnRButtonUp({400, 250});
    EXPECT_EQ(view.Zoom().Level(), 15);
    EXPECT_EQ(view.Zoom().Mouse(), (Point{600, 400}));  // in page coordinates

    view.OnMouseWheel(-120);
    view.OnMouseWheel(120);
    EXPECT_EQ(window.pages, (std::vector<bool>{true, false}));
}

TEST_F(ViewTest, ExtremePicturesAndTinyWindowsKeepAUsableZoom) {
    env.pictures.pictures["/show/line.bmp"] = {1, 65535, {255, 255, 255}};
    env.pictures.pictures["/show/row.bmp"] = {65535, 1, {255, 255, 255}};
    env.SetSlides({"/show/line.bmp", "/show/row.bmp", "/show/big.jpg"});
    Paint();
    // Stopped, so that every paint loads its slide rather than sweeping.
    view.OnKeyDown(vk::kEscape);
    for (int slide = 0; slide < 3; ++slide) {
        if (slide > 0) view.OnCommand(cmd::ID_NAVIGATE_NEXT);
        Paint();
        ASSERT_EQ(env.doc.m_nCurrentSlide, slide + 1);
        EXPECT_GT(view.Zoom().Factor(), 0.0) << slide;
        EXPECT_TRUE(std::isfinite(view.Zoom().Factor()));
        EXPECT_GT(env.doc.m_fZoom, 0.0f);
    }
    window.width = window.height = 1;
    view.OnCommand(cmd::ID_NAVIGATE_NEXT);  // to slide 0
    Paint();
    window.width = window.height = 0;
    view.OnCommand(cmd::ID_NAVIGATE_PREV);  // to slide 2
    Paint();
    EXPECT_EQ(env.doc.m_nCurrentSlide, 3);
    EXPECT_GT(view.Zoom().Factor(), 0.0);
}

TEST_F(ViewTest, WithoutADocumentNothingHappens) {
    env.SetSlides({"/show/big.jpg"});
    env.documents.document = nullptr;
    EXPECT_TRUE(Paint().empty());
    view.OnKeyDown(vk::kRight);
    view.OnTimer(CVarnelleView::kAutoAdvanceTimer);
    view.OnLButtonUp({1, 1});
    view.OnCommand(cmd::ID_NAVIGATE_NEXT);
    EXPECT_EQ(Show().Slide(), 0);
    EXPECT_EQ(window.invalidations, 0);
}

TEST_F(ViewTest, ANewDocumentResetsTheViewAndKillsTheTimer) {
    env.SetSlides({"/show/big.jpg", "/show/small.png"});
    Paint();
    view.OnKeyDown(vk::kUp);
    view.OnTimer(CVarnelleView::kAutoAdvanceTimer);
    view.OnInitialUpdate();
    EXPECT_FALSE(env.timers.IsRunning(CVarnelleView::kAutoAdvanceTimer));
    EXPECT_EQ(Show().Slide(), 0);
    EXPECT_EQ(view.Picture().DrawnSlide(), -1);
    EXPECT_EQ(Show().PageInterval(), 6.0f);
    EXPECT_EQ(Show().TransInterval(), 18.0f);
    EXPECT_EQ(env.doc.m_rcExtent, Rect{});
    // Its first paint is still to come: it starts the show.
    Paint();
    EXPECT_TRUE(env.timers.IsRunning(CVarnelleView::kAutoAdvanceTimer));
}

}  // namespace
