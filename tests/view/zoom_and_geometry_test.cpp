#include "viewer/view/slide_geometry.h"
#include "viewer/view/view_keys.h"
#include "viewer/view/zoom_levels.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(ZoomLevels, FactorsFollowTheTable) {
    const std::vector<std::pair<int, double>> table = {{1, 0.05},   {8, 0.4},    {9, 0.495},  {11, 0.6765},
                                                       {15, 0.999}, {16, 1.12},  {21, 1.995}, {25, 2.875},
                                                       {33, 5.115}, {40, 7.6}};
    for (const auto& [level, factor] : table) EXPECT_NEAR(ZoomFactorOfLevel(level), factor, 1e-12) << level;
    EXPECT_EQ(ZoomFactorOfLevel(0), ZoomFactorOfLevel(1));
    EXPECT_EQ(ZoomFactorOfLevel(41), ZoomFactorOfLevel(40));
}

TEST(ZoomLevels, FactorsSnapToTheLevelAtOrBelowThem) {
    // The View menu's presets as the document stores them, in single precision.
    EXPECT_EQ(ZoomLevelFor(1.0f), 15);
    EXPECT_EQ(ZoomLevelFor(0.5f), 9);
    EXPECT_EQ(ZoomLevelFor(1.0f / 3.0f), 6);
    EXPECT_EQ(ZoomLevelFor(0.75f), 11);
    EXPECT_EQ(ZoomLevelFor(2.0f), 21);
    EXPECT_EQ(ZoomLevelFor(3.0f), 25);
    // A level's own factor stays on it, a hair less falls one below.
    EXPECT_EQ(ZoomLevelFor(ZoomFactorOfLevel(12)), 12);
    EXPECT_EQ(ZoomLevelFor(ZoomFactorOfLevel(12) - 1e-9), 11);
    EXPECT_EQ(ZoomLevelFor(0.0), 1);
    EXPECT_EQ(ZoomLevelFor(0.09), 1);
    EXPECT_EQ(ZoomLevelFor(7.6), 40);
    EXPECT_EQ(ZoomLevelFor(1e9), 40);
    EXPECT_EQ(ZoomLevelFor(0.41625), 8);
}

TEST(SlideFit, ShrinksToTheWindowKeepingTheAspectAndNeverEnlarges) {
    const SlideFit large = FitToClient(1600, 1200, 800, 500);
    EXPECT_EQ(large.width, 666);
    EXPECT_EQ(large.height, 500);
    EXPECT_DOUBLE_EQ(large.zoom, 666.0 / 1600.0);

    const SlideFit wide = FitToClient(2000, 500, 800, 600);
    EXPECT_EQ(wide.width, 800);
    EXPECT_EQ(wide.height, 200);
    EXPECT_DOUBLE_EQ(wide.zoom, 0.4);

    const SlideFit small = FitToClient(320, 240, 800, 500);
    EXPECT_EQ(small.width, 320);
    EXPECT_EQ(small.height, 240);
    EXPECT_EQ(small.zoom, 1.0);
}

TEST(SlidePlacement, CentresSmallSlidesAndClipsLargeOnesToTheScrolledWindow) {
    CViewRectTable rects;
    const SlidePlacement fitted = PlaceSlide(rects, 666, 500, 0.41625, {0, 0}, 800, 500);
    EXPECT_EQ(fitted.destination, (Rect{67, 0, 733, 500}));
    EXPECT_EQ(fitted.source, (Rect{0, 0, 1600, 1201}));  // truncation may pass the edge by one

    // 4000 x 3000 at 2.0, scrolled to (1000, 500) in a 800 x 600 window: only that part.
    const SlidePlacement zoomed = PlaceSlide(rects, 8000, 6000, 2.0, {1000, 500}, 800, 600);
    EXPECT_EQ(zoomed.destination, (Rect{0, 0, 800, 600}));
    EXPECT_EQ(zoomed.source, (Rect{500, 250, 900, 550}));

    // Taller than the window but narrower: centred across, scrolled down.
    const SlidePlacement tall = PlaceSlide(rects, 200, 1000, 1.0, {0, 300}, 800, 600);
    EXPECT_EQ(tall.destination, (Rect{300, 0, 500, 600}));
    EXPECT_EQ(tall.source, (Rect{0, 300, 200, 900}));
}

TEST(ViewRectTable, ClipsOnlyWhenReadyAndInRange) {
    CViewRectTable rects;
    rects.Reset();
    rects.SetItem(0, {10, 10, 50, 50});
    EXPECT_EQ(rects.ClipToWindow(0), Rect{});  // no page yet
    rects.SetPage({0, 0, 100, 100});
    rects.SetVisible({20, 0, 120, 100});
    EXPECT_TRUE(rects.IsReady());
    EXPECT_EQ(rects.ClipToWindow(0), (Rect{0, 10, 30, 50}));
    EXPECT_EQ(rects.VisiblePartLocal(0), (Rect{10, 0, 40, 40}));
    EXPECT_EQ(rects.ClipToWindow(-1), Rect{});
    EXPECT_EQ(rects.ClipToWindow(CViewRectTable::kItems), Rect{});
    EXPECT_EQ(rects.Count(), CViewRectTable::kItems);
}

TEST(CenterOnMouse, ScrollsOnlyAlongAxesLargerThanTheWindow) {
    const Point current{7, 9};
    EXPECT_EQ(CenterOnMouseTarget({1000, 800}, 3000, 2000, 800, 600, current), (Point{600, 500}));
    EXPECT_EQ(CenterOnMouseTarget({1000, 800}, 3000, 500, 800, 600, current), (Point{600, 9}));
    EXPECT_EQ(CenterOnMouseTarget({1000, 800}, 700, 2000, 800, 600, current), (Point{7, 500}));
    EXPECT_EQ(CenterOnMouseTarget({1000, 800}, 700, 500, 800, 600, current), current);
    EXPECT_EQ(CenterOnMouseTarget({100, 100}, 3000, 2000, 800, 600, current), (Point{0, 0}));
}

TEST(SlideSteps, WrapAtBothEnds) {
    EXPECT_EQ(NextSlideIndex(2, 3), 0);
    EXPECT_EQ(NextSlideIndex(0, 3), 1);
    EXPECT_EQ(PreviousSlideIndex(0, 3), 2);
    EXPECT_EQ(NextSlideIndex(0, 1), 0);
    EXPECT_EQ(NextSlideIndex(0, 0), 0);
    EXPECT_EQ(PreviousSlideIndex(0, 0), 0);
}

std::vector<unsigned> Periods(float start, float (*step)(float), int presses) {
    std::vector<unsigned> periods;
    for (float x = start; presses-- > 0;) {
        x = step(x);
        periods.push_back(PagePeriodMilliseconds(x));
    }
    return periods;
}

TEST(SpeedKeys, FasterStepsDownToATenthOfASecond) {
    EXPECT_EQ(Periods(6.0f, FasterPageInterval, 19),
              (std::vector<unsigned>{5000, 4000, 3000, 2700, 2400, 2100, 1800, 1500, 1200, 900, 800, 700, 600, 500,
                                     400, 300, 200, 100, 100}));
}

TEST(SpeedKeys, SlowerStepsCarrySinglePrecisionDrift) {
    EXPECT_EQ(Periods(0.1f, SlowerPageInterval, 20),
              (std::vector<unsigned>{200, 300, 400, 500, 600, 700, 800, 900, 1000, 1300, 1600, 1900, 2200, 2500, 2799,
                                     3099, 4099, 5099, 6099, 7099}));
}

TEST(SpeedKeys, PeriodsBelowTheTimersSmallestRunAtIt) {
    // The Screen Transitions dialog accepts 0; a 0 ms timer would fire on every pass of the
    // event loop.
    EXPECT_EQ(PagePeriodMilliseconds(0.0f), 10u);
    EXPECT_EQ(PagePeriodMilliseconds(0.0099f), 10u);
    EXPECT_EQ(PagePeriodMilliseconds(-1.0f), 10u);
    EXPECT_EQ(PagePeriodMilliseconds(0.25f), 250u);
    EXPECT_EQ(PagePeriodMilliseconds(1000000.0f), 1000000000u);
    EXPECT_EQ(PagePeriodMilliseconds(1e30f), 4294967295u);
}

TEST(KeyTable, ArrowsZoomWhenStoppedAndChangeSpeedWhenRunning) {
    EXPECT_EQ(KeyDownAction(vk::kUp, false), ViewKeyAction::ZoomInAtMouse);
    EXPECT_EQ(KeyDownAction(vk::kUp, true), ViewKeyAction::Faster);
    EXPECT_EQ(KeyDownAction(vk::kDown, true), ViewKeyAction::Slower);
    EXPECT_EQ(KeyDownAction(vk::kLeft, true), ViewKeyAction::None);
    EXPECT_EQ(KeyDownAction(vk::kRight, false), ViewKeyAction::NextSlide);
    EXPECT_EQ(KeyDownAction(vk::kEscape, true), ViewKeyAction::Escape);
    for (int key : {46, 17, 16}) EXPECT_EQ(KeyDownAction(key, false), ViewKeyAction::None);
}

}  // namespace
