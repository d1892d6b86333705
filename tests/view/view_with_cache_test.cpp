// The slide view over the real picture cache: what the screen shows while pictures are
// still decoding, and the full picture's geometry over pictures stored smaller.
#include "viewer/view/varnelle_view.h"

#include "viewer/view/view_keys.h"
#include "viewer/view/zoom_levels.h"

#include "platform/file_system.h"

#include "tests/support/picture_cache_fakes.h"
#include "tests/support/view_test_env.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using testsupport::PostedTasks;
using testsupport::ScriptedDecoder;

// Keeps what one paint drew of the slide: its stretch and its caption.
class SlideCanvas final : public ViewCanvas {
public:
    void BeginComposition(int, int) override {}
    void StretchPicture(const Rect& d, int sx, int sy, int sw, int sh, const DibImage& picture) override {
        stretched = true;
        destination = d;
        source = {sx, sy, sx + sw, sy + sh};
        storedWidth = static_cast<int>(dibheader::Get32(picture.header.data(), dibheader::kWidthField));
    }
    void CopyComposition(const Rect&, const Rect&) override { ++copies; }
    void DrawKeyedPicture(const Rect&, const DibImage&, RgbColour) override {}
    void DrawOverlayText(int x, int y, RgbColour, const std::string& text) override {
        if (x == 3 && y == 25) caption = text;
    }
    TextExtent OverlayTextExtent(const std::string& text) override { return {7 * static_cast<int>(text.size()), 12}; }

    bool stretched = false;
    Rect destination;
    Rect source;  // x, y from the bottom row, in stored pixels
    int storedWidth = 0;
    int copies = 0;
    std::string caption;
};

// In the platform's separators, so that the caption is the file name on either platform.
std::string SlidePath(int i) {
    constexpr char sep = platform::kPathSeparator;
    return std::string(1, sep) + "show" + sep + std::to_string(i) + ".jpg";
}

// Pictures of 4000 by 2000 in a client of 1000 by 500: fitted at a quarter, so stored at a
// quarter.
struct ViewWithCacheTest : ::testing::Test {
    ViewWithCacheTest() {
        window.width = 1000;
        window.height = 500;
    }

    void StartShow(int slides) {
        std::vector<std::string> paths;
        for (int i = 0; i < slides; ++i) {
            paths.push_back(SlidePath(i));
            if (!failing.count(i)) decoder.sizes[SlidePath(i)] = {4000, 2000};
        }
        env.SetSlides(paths);
        view.OnInitialUpdate();
    }

    SlideCanvas Paint() {
        SlideCanvas canvas;
        view.OnDraw(canvas);
        return canvas;
    }

    // Runs posted tasks until the view has asked for a repaint.
    void WaitForRepaint() {
        const int before = window.invalidations;
        while (window.invalidations == before) {
            posted.WaitForTask();
            posted.RunAll();
        }
    }

    int DecodesOf(int slide) {
        const auto calls = decoder.Calls();
        return static_cast<int>(std::count_if(calls.begin(), calls.end(),
                                              [&](const auto& c) { return c.path == SlidePath(slide); }));
    }

    std::set<int> failing;
    ScriptedDecoder decoder;
    PostedTasks posted;
    testsupport::DocumentEnv env;
    testsupport::FakeWindow window;
    std::unique_ptr<SlidePictureCache> cache = testsupport::MakeScriptedCache(
        decoder, posted, env.messages, SlidePictureCache::Limits{std::size_t{64} << 20, 3, 1});
    CVarnelleView view{{env.documents, window, *cache, env.timers, env.messages, env.clock, env.heap}};
};

TEST_F(ViewWithCacheTest, TheSlideOnScreenStaysUntilTheNextIsDecoded) {
    decoder.Close(SlidePath(1));
    StartShow(3);
    // Nothing decoded yet: the first paint is black, without a caption, and waits for nothing.
    SlideCanvas first = Paint();
    EXPECT_FALSE(first.stretched);
    EXPECT_EQ(first.caption, "");
    EXPECT_EQ(env.doc.m_nCurrentSlide, 0);
    EXPECT_FALSE(view.Show().AutoAdvance()) << "the show starts with its first slide on screen";
    WaitForRepaint();
    SlideCanvas shown = Paint();
    ASSERT_TRUE(shown.stretched);
    EXPECT_EQ(shown.copies, 1) << "put on screen plainly, as a first slide is";
    EXPECT_TRUE(view.Show().AutoAdvance());
    // Stopped, so that no sweep comes between the later paints.
    view.OnKeyDown(vk::kEscape);
    EXPECT_EQ(shown.storedWidth, 1000);
    EXPECT_EQ(shown.destination, (Rect{0, 0, 1000, 500}));
    EXPECT_EQ(shown.source, (Rect{0, 0, 1000, 500}));
    EXPECT_EQ(shown.caption, "0.jpg");
    EXPECT_DOUBLE_EQ(view.Zoom().Factor(), 0.25);
    EXPECT_EQ(view.Picture().Width(), 4000);
    EXPECT_EQ(window.total, (Rect{0, 0, 1000, 500}));
    EXPECT_EQ(env.doc.m_nCurrentSlide, 1);

    // Slide 1 is held in the decoder: Right changes the index, the screen keeps slide 0.
    view.OnKeyDown(vk::kRight);
    SlideCanvas waiting = Paint();
    EXPECT_EQ(waiting.source, shown.source);
    EXPECT_EQ(waiting.caption, "0.jpg");
    EXPECT_EQ(env.doc.m_nCurrentSlide, 1);
    EXPECT_EQ(view.Show().Slide(), 1);
    EXPECT_EQ(view.Picture().DrawnSlide(), 0);
    decoder.Open(SlidePath(1));
    WaitForRepaint();
    EXPECT_EQ(Paint().caption, "1.jpg");
    EXPECT_EQ(env.doc.m_nCurrentSlide, 2);
    EXPECT_EQ(view.Picture().DrawnSlide(), 1);
    EXPECT_TRUE(env.messages.shown.empty());
}

TEST_F(ViewWithCacheTest, ATickWhileTheNextSlideDecodesStartsNoSweepOfTheOldOne) {
    decoder.Close(SlidePath(1));
    StartShow(3);
    Paint();
    WaitForRepaint();
    Paint();
    ASSERT_TRUE(view.Show().AutoAdvance());
    ASSERT_FALSE(view.InTransition());
    view.OnTimer(CVarnelleView::kAutoAdvanceTimer);
    SlideCanvas waiting = Paint();
    EXPECT_FALSE(view.InTransition());
    EXPECT_EQ(waiting.copies, 1);
    EXPECT_EQ(waiting.caption, "0.jpg");
    decoder.Open(SlidePath(1));
    WaitForRepaint();
    Paint();
    EXPECT_TRUE(view.InTransition()) << "the slide that arrived sweeps in";
}

TEST_F(ViewWithCacheTest, TicksWhileASlideDecodesAreHeldSoEverySlideIsShownInOrder) {
    decoder.Close(SlidePath(1));
    StartShow(4);
    Paint();
    WaitForRepaint();
    Paint();
    EXPECT_TRUE(view.Show().AutoAdvance());
    // Fast enough that no sweep comes between the paints.
    for (int i = 0; i < 18; ++i) view.OnKeyDown(vk::kUp);
    EXPECT_EQ(env.timers.Period(CVarnelleView::kAutoAdvanceTimer), 100u);
    // Three ticks fall due while slide 1 decodes: it is asked for once, and the screen and
    // the slide pane stay on slide 0.
    for (int i = 0; i < 3; ++i) view.OnTimer(CVarnelleView::kAutoAdvanceTimer);
    EXPECT_EQ(view.Show().Slide(), 1);
    EXPECT_EQ(Paint().caption, "0.jpg");
    EXPECT_EQ(env.doc.m_nCurrentSlide, 1);
    window.RunPosted();
    EXPECT_EQ(view.Show().Slide(), 1) << "nothing taken before the slide is on screen";
    decoder.Open(SlidePath(1));
    WaitForRepaint();
    EXPECT_EQ(Paint().caption, "1.jpg");
    EXPECT_EQ(env.doc.m_nCurrentSlide, 2);
    // The held tick is taken once slide 1 is on screen, after that paint, and only once.
    EXPECT_EQ(view.Show().Slide(), 1);
    window.RunPosted();
    EXPECT_EQ(view.Show().Slide(), 2);
    window.RunPosted();
    EXPECT_EQ(view.Show().Slide(), 2);
    // A tick with the asked-for slide on screen advances at once.
    SlideCanvas next = Paint();
    if (view.Picture().DrawnSlide() != 2) {
        WaitForRepaint();
        next = Paint();
    }
    EXPECT_EQ(next.caption, "2.jpg");
    view.OnTimer(CVarnelleView::kAutoAdvanceTimer);
    EXPECT_EQ(view.Show().Slide(), 3);
}

TEST_F(ViewWithCacheTest, ZoomingPastTheStoredScaleKeepsTheGeometryAndSwapsInTheFullPicture) {
    StartShow(2);
    Paint();
    WaitForRepaint();
    Paint();
    view.OnKeyDown(vk::kEscape);
    view.ApplyZoomLevel(ZoomLevelFor(1.0));
    ASSERT_DOUBLE_EQ(view.Zoom().Factor(), 0.999);
    EXPECT_EQ(window.total, (Rect{0, 0, 3996, 1998}));
    // Until the full picture is there, the stored one is stretched: the visible part of the
    // full picture, (0, 0) to (1001, 500), is a quarter of that in stored pixels, rounded out.
    SlideCanvas coarse = Paint();
    EXPECT_EQ(coarse.storedWidth, 1000);
    EXPECT_EQ(coarse.destination, (Rect{0, 0, 1000, 500}));
    EXPECT_EQ(coarse.source, (Rect{0, 375, 251, 500}));
    WaitForRepaint();
    SlideCanvas full = Paint();
    EXPECT_EQ(full.storedWidth, 4000);
    EXPECT_EQ(full.source, (Rect{0, 1500, 1001, 2000}));
    EXPECT_EQ(window.total, (Rect{0, 0, 3996, 1998}));
    EXPECT_EQ(view.Picture().Width(), 4000);
}

TEST_F(ViewWithCacheTest, APageIsPrintedFromTheFullPictureOfTheSlideOnScreen) {
    decoder.Close(SlidePath(1));
    StartShow(3);
    Paint();
    WaitForRepaint();
    Paint();
    view.OnKeyDown(vk::kEscape);
    SlideCanvas page;
    view.OnPrint(page);
    EXPECT_EQ(page.storedWidth, 4000);
    EXPECT_EQ(page.source, (Rect{0, 0, 4000, 2000}));
    EXPECT_EQ(page.destination, (Rect{0, 0, 1000, 500}));
    // The screen keeps its smaller picture.
    EXPECT_EQ(Paint().storedWidth, 1000);
    // While slide 1 decodes, the page is slide 0, which stays the slide on screen.
    view.OnKeyDown(vk::kRight);
    SlideCanvas waiting;
    view.OnPrint(waiting);
    EXPECT_EQ(waiting.storedWidth, 4000);
    EXPECT_EQ(view.Picture().DrawnSlide(), 0);
    EXPECT_EQ(Paint().caption, "0.jpg");
    decoder.Open(SlidePath(1));
    WaitForRepaint();
    EXPECT_EQ(Paint().caption, "1.jpg");
}

TEST_F(ViewWithCacheTest, AFailingPrefetchedSlideShowsBlackWithItsCaptionAndNoMessage) {
    failing = {1};
    StartShow(3);
    Paint();
    WaitForRepaint();
    Paint();
    view.OnKeyDown(vk::kEscape);
    cache->WaitUntilIdle();
    ASSERT_EQ(DecodesOf(1), 1) << "prefetched";
    view.OnKeyDown(vk::kRight);
    SlideCanvas failed = Paint();
    EXPECT_FALSE(failed.stretched);
    EXPECT_EQ(failed.caption, "1.jpg");
    EXPECT_EQ(view.Picture().Width(), 0);
    EXPECT_DOUBLE_EQ(view.Zoom().Factor(), 0.25);
    EXPECT_EQ(env.doc.m_nCurrentSlide, 2);
    EXPECT_TRUE(env.messages.shown.empty());
    cache->WaitUntilIdle();
    EXPECT_EQ(DecodesOf(1), 1);
}

TEST_F(ViewWithCacheTest, APictureToolsBoxOfAPrefetchComesOutInThePaintThatShowsTheSlide) {
    failing = {1};
    decoder.boxOnFailure.insert(SlidePath(1));
    StartShow(3);
    Paint();
    WaitForRepaint();
    Paint();
    view.OnKeyDown(vk::kEscape);
    cache->WaitUntilIdle();
    EXPECT_TRUE(env.messages.shown.empty()) << "nothing from the worker";
    view.OnKeyDown(vk::kRight);
    Paint();
    ASSERT_EQ(env.messages.shown.size(), 1u);
    EXPECT_EQ(env.messages.shown[0].text, "Invalid image pointer. Error code:104.");
}

TEST_F(ViewWithCacheTest, ANewShowDropsTheOldShowsPictures) {
    StartShow(3);
    Paint();
    WaitForRepaint();
    Paint();
    view.OnKeyDown(vk::kEscape);
    cache->WaitUntilIdle();
    EXPECT_FALSE(cache->HeldSlides().empty());
    env.SetSlides({SlidePath(0)});
    view.OnInitialUpdate();
    EXPECT_TRUE(cache->HeldSlides().empty());
    EXPECT_EQ(cache->HeldBytes(), 0u);
    EXPECT_FALSE(view.Picture().Loaded());
    // The same file in the new show is decoded for it, not taken from the old one.
    const int before = DecodesOf(0);
    Paint();
    WaitForRepaint();
    EXPECT_EQ(Paint().caption, "0.jpg");
    EXPECT_EQ(DecodesOf(0), before + 1);
}

}  // namespace
