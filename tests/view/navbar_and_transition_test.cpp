#include "viewer/view/navigator_bar.h"
#include "viewer/view/screen_transition.h"

#include "platform/fake/fixed_clock.h"
#include "platform/runtime_random.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

TEST(NavBarPlacement, MovesTheBarIntoItsCornerKeepingItsSize) {
    const Rect bar{7, 9, 287, 34};
    const Rect client{0, 0, 640, 480};
    EXPECT_EQ(PlaceNavBar(bar, kNavUpperLeft, client), (Rect{0, 0, 280, 25}));
    EXPECT_EQ(PlaceNavBar(bar, kNavUpperRight, client), (Rect{360, 0, 640, 25}));
    EXPECT_EQ(PlaceNavBar(bar, kNavLowerLeft, client), (Rect{0, 455, 280, 480}));
    EXPECT_EQ(PlaceNavBar(bar, kNavLowerRight, client), (Rect{360, 455, 640, 480}));
    EXPECT_EQ(PlaceNavBar(bar, 4, client), bar);
    EXPECT_EQ(PlaceNavBar(bar, -1, client), bar);
}

TEST(NavBarHitTest, BoundsAreInclusiveAndScaleWithTheBar) {
    const Rect bar = PlaceNavBar({0, 0, 280, 25}, kNavUpperRight, {0, 0, 640, 480});
    const int L = bar.left;
    EXPECT_EQ(HitTestNavBar(bar, {359, 10}), kNavNoButton);
    EXPECT_EQ(HitTestNavBar(bar, {360, 10}), kNavPrevButton);
    EXPECT_EQ(HitTestNavBar(bar, {L + 80, 10}), kNavPrevButton);  // x = 440
    EXPECT_EQ(HitTestNavBar(bar, {L + 81, 10}), kNavNextButton);
    EXPECT_EQ(HitTestNavBar(bar, {L + 146, 10}), kNavNextButton);
    EXPECT_EQ(HitTestNavBar(bar, {L + 147, 10}), kNavAutoButton);
    EXPECT_EQ(HitTestNavBar(bar, {L + 212, 10}), kNavAutoButton);
    EXPECT_EQ(HitTestNavBar(bar, {L + 213, 10}), kNavExitButton);
    EXPECT_EQ(HitTestNavBar(bar, {640, 10}), kNavExitButton);  // the right edge counts too
    EXPECT_EQ(HitTestNavBar(bar, {641, 10}), kNavNoButton);
    EXPECT_EQ(HitTestNavBar(bar, {400, 0}), kNavPrevButton);
    EXPECT_EQ(HitTestNavBar(bar, {400, 25}), kNavPrevButton);
    EXPECT_EQ(HitTestNavBar(bar, {400, 26}), kNavNoButton);
    EXPECT_EQ(HitTestNavBar(bar, {400, -1}), kNavNoButton);

    // A bar twice as wide has buttons twice as wide.
    const Rect wide{100, 50, 660, 100};
    EXPECT_EQ(HitTestNavBar(wide, {260, 60}), kNavPrevButton);
    EXPECT_EQ(HitTestNavBar(wide, {261, 60}), kNavNextButton);
    EXPECT_EQ(HitTestNavBar(wide, {524, 60}), kNavAutoButton);
    EXPECT_EQ(HitTestNavBar(wide, {525, 60}), kNavExitButton);
}

TEST(NavBarCursor, HandsOverButtonsMagnifierOverASlideArrowOtherwise) {
    EXPECT_EQ(NavBarCursor(kNavPrevButton, false, false), ViewCursor::PointingHand);
    EXPECT_EQ(NavBarCursor(kNavExitButton, true, true), ViewCursor::PressingHand);
    EXPECT_EQ(NavBarCursor(kNavNoButton, true, true), ViewCursor::Magnifier);
    EXPECT_EQ(NavBarCursor(kNavNoButton, false, false), ViewCursor::Arrow);
    EXPECT_EQ(NavBarScrollArea({0, 0, 280, 25}), (Rect{0, 0, 373, 40}));
}

// Hands out the values a test lists, counting the calls.
class ListedRandom final : public platform::RandomSource {
public:
    explicit ListedRandom(std::vector<int> values) : values_(std::move(values)) {}
    void Seed(std::uint32_t) override {}
    int Rand() override { return values_[calls++ % values_.size()]; }
    int calls = 0;

private:
    std::vector<int> values_;
};

int InRange(int r, int lo = 1, int hi = 8) {
    ListedRandom random({r});
    return RandomInRange(random, lo, hi);
}

TEST(RandomInRange, FoldsLargeValuesToTwoDigitsAndScalesByATenth) {
    ListedRandom unused({0});
    EXPECT_EQ(RandomInRange(unused, 3, 3), 3);
    EXPECT_EQ(unused.calls, 0);
    EXPECT_EQ(InRange(1234), 8);   // 34
    EXPECT_EQ(InRange(12345), 4);  // 345, then 5
    EXPECT_EQ(InRange(105), 4);    // 5
    EXPECT_EQ(InRange(9), 7);
    std::vector<int> small;
    for (int r = 0; r < 10; ++r) small.push_back(InRange(r));
    EXPECT_EQ(small, (std::vector<int>{1, 1, 2, 3, 3, 4, 5, 5, 6, 7}));
    for (int r = 10; r < 100; ++r) EXPECT_EQ(InRange(r), 8) << r;

    // Bounds are brought into 0..32767 first.
    EXPECT_EQ(InRange(5, -5, 10), 5);
    EXPECT_EQ(InRange(5, 40000, 50000), 32767);
    EXPECT_EQ(InRange(5, 3, -2), 0);
    EXPECT_EQ(InRange(99, 0, 40000), 32767);
}

TEST(RandomInRange, EffectFrequenciesOverEveryGeneratorValue) {
    std::map<int, int> counts;
    for (int r = 0; r <= platform::RuntimeRandom::kMax; ++r) ++counts[InRange(r)];
    // Per mille of the 32768 values, rounded.
    std::map<int, int> perMille;
    for (const auto& [effect, count] : counts) perMille[effect] = (count * 1000 + 16384) / 32768;
    EXPECT_EQ(perMille,
              (std::map<int, int>{{1, 137}, {2, 69}, {3, 137}, {4, 69}, {5, 137}, {6, 69}, {7, 69}, {8, 313}}));
}

TEST(RuntimeRandom, FollowsTheClassicRecurrence) {
    platform::RuntimeRandom random;
    std::vector<int> first;
    for (int i = 0; i < 5; ++i) first.push_back(random.Rand());
    EXPECT_EQ(first, (std::vector<int>{41, 18467, 6334, 26500, 19169}));
    random.Seed(1);
    EXPECT_EQ(random.Rand(), 41);
    // (t x t) keeps its low 32 bits before the division.
    EXPECT_EQ(TransitionSeed(13), 13u);
    EXPECT_EQ(TransitionSeed(1'765'000'000), static_cast<std::uint32_t>(1'765'000'000ull * 1'765'000'000ull) / 13u);
}

// Records every copied strip.
class RecordingSurface final : public BlitSurface {
public:
    void CopyComposition(const Rect& target, const Rect& source) override { copies.push_back({target, source}); }
    struct Copy {
        Rect target;
        Rect source;
    };
    std::vector<Copy> copies;
};

class TransitionTest : public ::testing::Test {
protected:
    void SetUpBlit(int width, int height) { transition.SetBlit({&surface, 0, 0, width, height, 0, 0, width, height}); }
    // The source columns (or rows) copied so far, in order.
    std::vector<int> Strips(bool columns) const {
        std::vector<int> strips;
        for (const auto& c : surface.copies) strips.push_back(columns ? c.source.left : c.source.top);
        return strips;
    }

    platform::fake::FixedClock clock;
    RecordingSurface surface;
    CScreenTransition transition{clock};
};

TEST_F(TransitionTest, OneStripWipesColumnByColumnOverAllPasses) {
    clock.milliseconds = 5000;
    SetUpBlit(800, 600);
    transition.SetDuration(18.0f);
    transition.Play(1);
    EXPECT_TRUE(transition.Sweeping());
    EXPECT_TRUE(surface.copies.empty());  // each pass waits its share first
    clock.milliseconds = 5000 + 1800;
    transition.DrawDuePasses();
    EXPECT_FALSE(transition.Sweeping());
    // 800 / 1 + 1 = 801 passes of one column, the last one past the window.
    ASSERT_EQ(surface.copies.size(), 801u);
    for (int p = 0; p < 801; ++p) {
        EXPECT_EQ(surface.copies[p].source, (Rect{p, 0, p + 1, 600})) << p;
        EXPECT_EQ(surface.copies[p].target, (Rect{p, 0, p + 1, 600})) << p;
    }
}

TEST_F(TransitionTest, TenStripsGrowTogetherPassByPass) {
    SetUpBlit(800, 600);
    transition.SetDuration(0.0f);  // no time: every pass at once
    transition.SweepColumns(10);
    EXPECT_FALSE(transition.Sweeping());
    std::vector<int> expected;
    for (int p = 0; p < 81; ++p)
        for (int i = 0; i < 10; ++i) expected.push_back(p + i * 81);
    EXPECT_EQ(Strips(true), expected);

    surface.copies.clear();
    transition.Play(4);  // rows, 10 strips: step 61 over 600 rows
    ASSERT_EQ(surface.copies.size(), 610u);
    EXPECT_EQ(surface.copies[1].source, (Rect{0, 61, 800, 62}));
    EXPECT_EQ(surface.copies[10].target, (Rect{0, 1, 800, 2}));
}

TEST_F(TransitionTest, PassesArePacedOverATenthOfTheDuration) {
    SetUpBlit(9, 4);  // one strip: 10 passes
    transition.SetDuration(3.0f);  // 0.3 s, a pass every 30 ms
    transition.SweepColumns(1);
    EXPECT_EQ(transition.NextPassDue(), 30u);
    clock.milliseconds = 29;
    transition.DrawDuePasses();
    EXPECT_TRUE(surface.copies.empty());
    clock.milliseconds = 95;
    transition.DrawDuePasses();
    EXPECT_EQ(Strips(true), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(transition.NextPassDue(), 120u);
    clock.milliseconds = 299;
    transition.DrawDuePasses();
    EXPECT_TRUE(transition.Sweeping());
    EXPECT_EQ(surface.copies.size(), 9u);
    clock.milliseconds = 300;
    transition.DrawDuePasses();
    EXPECT_FALSE(transition.Sweeping());
    EXPECT_EQ(surface.copies.size(), 10u);
}

TEST_F(TransitionTest, PlainCopiesAndEffectsOutsideTheTable) {
    SetUpBlit(640, 480);
    transition.Play(0);
    ASSERT_EQ(surface.copies.size(), 1u);
    EXPECT_EQ(surface.copies[0].target, (Rect{0, 0, 640, 480}));
    transition.Play(9);
    transition.Play(-1);
    transition.SweepRows(-3);
    EXPECT_EQ(surface.copies.size(), 1u);
    EXPECT_FALSE(transition.Sweeping());
    // A window without width has nothing to sweep.
    SetUpBlit(0, 480);
    transition.Play(1);
    EXPECT_FALSE(transition.Sweeping());
}

}  // namespace
