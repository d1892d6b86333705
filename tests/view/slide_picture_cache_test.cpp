// The prefetching picture cache against a scripted decoder whose decodes a test can hold
// at a gate, and a poster whose tasks the test runs: no test waits on time.
#include "viewer/view/slide_picture_cache.h"

#include "platform/fake/recording_message_sink.h"
#include "tests/support/picture_cache_fakes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <deque>
#include <limits>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace {

using Fetch = SlidePictureSource::Fetch;
using testsupport::PostedTasks;
using testsupport::ScriptedDecoder;

std::string SlidePath(int i) { return "/show/" + std::to_string(i) + ".jpg"; }

// A client of 1000 by 500: pictures of 4000 by 2000 fit at a quarter.
constexpr int kClientWidth = 1000, kClientHeight = 500;
const PictureNeed kFit = PictureNeed::Fit(kClientWidth, kClientHeight);
// Bytes of one such picture at a quarter: 1000 by 500 at 24 bits, plus the header.
constexpr std::size_t kQuarterBytes = 1000u * 500u * 3u + 40u;

struct CacheTest : ::testing::Test {
    void MakeCache(int slides, std::size_t budget, int ahead = 3, int behind = 1, int picturesPerClient = 0) {
        paths.clear();
        for (int i = 0; i < slides; ++i) {
            paths.push_back(SlidePath(i));
            decoder.sizes[SlidePath(i)] = {4000, 2000};
        }
        cache = std::make_unique<SlidePictureCache>(
            [this](const std::string& path, const imagelib::ReductionRule& rule, DibImage& target,
                   imagelib::PictureScale& scale,
                   platform::MessageSink& sink) { return decoder.Decode(path, rule, target, scale, sink); },
            [this](std::function<void()> task) { posted.Post(std::move(task)); }, messages,
            SlidePictureCache::Limits{budget, ahead, behind, picturesPerClient});
        cache->SetReadyCallback([this](int index) { ready.push_back(index); });
        cache->NewShow(paths);
    }

    // Fetches slide `index`, waiting for its decode when it is not yet there.
    SlidePicture Take(int index, bool forward = true, PictureNeed need = kFit) {
        SlidePicture picture;
        Fetch result = cache->FetchSlidePicture(index, paths[static_cast<std::size_t>(index)], need, forward, picture, messages);
        if (result == Fetch::Pending) {
            // Neighbours may still be decoding (or held at a gate): only this slide is awaited.
            while (std::find(ready.begin(), ready.end(), index) == ready.end()) {
                posted.WaitForTask();
                posted.RunAll();
            }
            result = cache->FetchSlidePicture(index, paths[static_cast<std::size_t>(index)], need, forward, picture, messages);
        }
        EXPECT_EQ(result, Fetch::Ready) << "slide " << index;
        return picture;
    }

    ScriptedDecoder decoder;
    PostedTasks posted;
    platform::fake::RecordingMessageSink messages;
    std::vector<std::string> paths;
    std::vector<int> ready;
    std::unique_ptr<SlidePictureCache> cache;
};

TEST(PictureScale, HoldsTheSmallestStoredScaleThatIsAtLeastTheZoom) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::pair<double, int> cases[] = {{1.0, 0},   {7.6, 0},    {0.51, 0},   {0.5, 1},    {0.27, 1},
                                            {0.25, 2},  {0.126, 2},  {0.125, 3},  {0.01, 3},   {0.0, 0},
                                            {-1.0, 0},  {nan, 0}};
    for (const auto& [zoom, reduction] : cases) EXPECT_EQ(ReductionForZoom(zoom), reduction) << "zoom " << zoom;
    // Fits: 24 megapixels in a full-HD window at 0.27; the 1600 by 1200 example at 0.41625;
    // a picture smaller than the window at 1.0.
    EXPECT_EQ(ReductionFor(PictureNeed::Fit(1920, 1080), 6000, 4000), 1);
    EXPECT_EQ(ReductionFor(PictureNeed::Fit(800, 500), 1600, 1200), 1);
    EXPECT_EQ(ReductionFor(PictureNeed::Fit(800, 500), 320, 240), 0);
    EXPECT_EQ(ReductionFor(PictureNeed::Fit(1000, 500), 8000, 4000), 3);
    EXPECT_EQ(ReductionFor(PictureNeed::AtZoom(0.3), 8000, 4000), 1);
    EXPECT_EQ(ReducedSide(6000, 1), 3000);
    EXPECT_EQ(ReducedSide(4001, 3), 501);
}

TEST_F(CacheTest, DecodesOnTheWorkerAtTheFitsScaleAndSaysWhenReady) {
    MakeCache(3, 100 * kQuarterBytes);
    SlidePicture picture;
    EXPECT_EQ(cache->FetchSlidePicture(0, paths[0], kFit, true, picture, messages), Fetch::Pending);
    cache->WaitUntilIdle();
    EXPECT_TRUE(ready.empty()) << "the callback runs on the view's thread only";
    posted.RunAll();
    EXPECT_EQ(ready, std::vector<int>{0});
    EXPECT_EQ(cache->FetchSlidePicture(0, paths[0], kFit, true, picture, messages), Fetch::Ready);
    EXPECT_EQ(picture.fullWidth, 4000);
    EXPECT_EQ(picture.fullHeight, 2000);
    EXPECT_EQ(picture.reduction, 2);
    EXPECT_EQ(PictureBytes(picture.dib), kQuarterBytes);
    EXPECT_EQ(decoder.Threads().count(std::this_thread::get_id()), 0u);
}

TEST_F(CacheTest, DecodesNeighboursFollowingTheDirection) {
    MakeCache(10, 100 * kQuarterBytes, 3, 1);
    Take(5, true);
    cache->WaitUntilIdle();
    EXPECT_EQ(decoder.Paths(), (std::vector<std::string>{SlidePath(5), SlidePath(6), SlidePath(4), SlidePath(7),
                                                         SlidePath(8)}));
    MakeCache(10, 100 * kQuarterBytes, 3, 1);
    const std::size_t before = decoder.Calls().size();
    Take(1, false);
    cache->WaitUntilIdle();
    // Backwards from slide 1 the show wraps round to its end.
    const std::vector<std::string> all = decoder.Paths();
    EXPECT_EQ(std::vector<std::string>(all.begin() + static_cast<std::ptrdiff_t>(before), all.end()),
              (std::vector<std::string>{SlidePath(1), SlidePath(0), SlidePath(2), SlidePath(9), SlidePath(8)}));
}

TEST_F(CacheTest, AStepIsServedFromTheCacheAndTheViewsPictureComesBack) {
    MakeCache(10, 100 * kQuarterBytes);
    SlidePicture first = Take(0);
    cache->WaitUntilIdle();
    const std::size_t decodes = decoder.Calls().size();
    SlidePicture next;
    ASSERT_EQ(cache->FetchSlidePicture(1, paths[1], kFit, true, next, messages), Fetch::Ready);
    cache->ReturnSlidePicture(0, paths[0], std::move(first));
    cache->WaitUntilIdle();
    // Back again: the returned picture is the one behind and is kept.
    SlidePicture back;
    ASSERT_EQ(cache->FetchSlidePicture(0, paths[0], kFit, false, back, messages), Fetch::Ready);
    EXPECT_EQ(back.reduction, 2);
    std::size_t decodedAgain = 0;
    for (const auto& call : decoder.Calls())
        if (call.path == SlidePath(0) || call.path == SlidePath(1)) ++decodedAgain;
    EXPECT_EQ(decodedAgain, 2u) << "each decoded once";
    EXPECT_GE(decoder.Calls().size(), decodes);
}

TEST_F(CacheTest, HeldPicturesStayWithinTheBudgetWhateverTheShowsSize) {
    // Room for three pictures, the view's included.
    const std::size_t budget = 3 * kQuarterBytes;
    MakeCache(100, budget, 6, 2);
    SlidePicture shown = Take(0);
    for (int i = 1; i < 30; ++i) {
        cache->WaitUntilIdle();
        EXPECT_LE(cache->HeldBytes(), budget) << "at slide " << i;
        SlidePicture next = Take(i);
        EXPECT_LE(cache->HeldBytes(), budget + kQuarterBytes) << "the view holds two while it changes slides";
        cache->ReturnSlidePicture(i - 1, paths[static_cast<std::size_t>(i - 1)], std::move(shown));
        EXPECT_LE(cache->HeldBytes(), budget);
        shown = std::move(next);
    }
    cache->WaitUntilIdle();
    // What is kept is what is wanted first: the next slide and the one behind.
    EXPECT_EQ(cache->HeldSlides(), (std::vector<int>{28, 30}));
    // Prefetching stopped at the budget instead of decoding and evicting the whole plan.
    EXPECT_LE(decoder.Calls().size(), 36u);
}

TEST_F(CacheTest, AJumpDropsThePlannedWorkAndTheDecodeUnderWayIsThrownAway) {
    MakeCache(20, 100 * kQuarterBytes, 3, 1);
    decoder.Close(SlidePath(1));
    SlidePicture first = Take(0);
    decoder.WaitForStarts(2);  // slide 0, then its next neighbour, held at the gate
    SlidePicture far;
    EXPECT_EQ(cache->FetchSlidePicture(10, paths[10], kFit, true, far, messages), Fetch::Pending);
    decoder.Open(SlidePath(1));
    cache->WaitUntilIdle();
    posted.RunAll();
    EXPECT_EQ(ready, (std::vector<int>{0, 10}));
    // Slides 2 and 3 were planned around slide 0 only; slide 1 finished after the jump.
    for (const auto& path : decoder.Paths()) {
        EXPECT_NE(path, SlidePath(2));
        EXPECT_NE(path, SlidePath(3));
    }
    EXPECT_EQ(cache->HeldSlides(), (std::vector<int>{9, 10, 11, 12, 13}));
}

TEST_F(CacheTest, ANewShowNeverGetsAPictureOfTheOldOne) {
    MakeCache(3, 100 * kQuarterBytes);
    decoder.Close(SlidePath(0));
    SlidePicture picture;
    EXPECT_EQ(cache->FetchSlidePicture(0, paths[0], kFit, true, picture, messages), Fetch::Pending);
    decoder.WaitForStarts(1);
    // The same paths again, as when a folder is opened anew, but its first file changed size.
    decoder.sizes[SlidePath(0)] = {2000, 1000};
    cache->NewShow(paths);
    decoder.Open(SlidePath(0));
    cache->WaitUntilIdle();
    posted.RunAll();
    EXPECT_TRUE(ready.empty()) << "the old show's decode is not announced";
    EXPECT_TRUE(cache->HeldSlides().empty());
    EXPECT_EQ(cache->FetchSlidePicture(0, paths[0], kFit, true, picture, messages), Fetch::Pending);
    cache->WaitUntilIdle();
    ASSERT_EQ(cache->FetchSlidePicture(0, paths[0], kFit, true, picture, messages), Fetch::Ready);
    EXPECT_EQ(picture.fullWidth, 2000);
}

TEST_F(CacheTest, AFailingPrefetchedSlideFailsWhenShownWithItsBoxOnTheViewsThread) {
    MakeCache(3, 100 * kQuarterBytes);
    decoder.sizes.erase(SlidePath(1));
    decoder.boxOnFailure.insert(SlidePath(1));
    SlidePicture first = Take(0);
    cache->WaitUntilIdle();
    EXPECT_TRUE(messages.shown.empty()) << "nothing is shown from the worker";
    const std::size_t decodes = decoder.Calls().size();
    SlidePicture second;
    EXPECT_EQ(cache->FetchSlidePicture(1, paths[1], kFit, true, second, messages), Fetch::Failed);
    EXPECT_TRUE(second.dib.header.empty());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Invalid image pointer. Error code:104.");
    cache->WaitUntilIdle();
    EXPECT_EQ(decoder.Calls().size(), decodes) << "the failure was prefetched, not decoded again";
    EXPECT_EQ(cache->FetchSlidePicture(1, paths[1], kFit, true, second, messages), Fetch::Failed);
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(CacheTest, FetchingNeverWaitsForANeighboursDecode) {
    MakeCache(5, 100 * kQuarterBytes);
    decoder.Close(SlidePath(1));
    SlidePicture first = Take(0);
    decoder.WaitForStarts(2);
    // Slide 1 is stuck in the decoder; asking for it, or for slide 0, answers at once.
    SlidePicture next;
    EXPECT_EQ(cache->FetchSlidePicture(1, paths[1], kFit, true, next, messages), Fetch::Pending);
    EXPECT_EQ(cache->FetchSlidePicture(1, paths[1], kFit, true, next, messages), Fetch::Pending);
    cache->ReturnSlidePicture(0, paths[0], std::move(first));
    EXPECT_EQ(cache->FetchSlidePicture(0, paths[0], kFit, false, first, messages), Fetch::Ready);
    decoder.Open(SlidePath(1));
    cache->WaitUntilIdle();
}

TEST_F(CacheTest, ZoomingPastTheStoredScaleDecodesTheFullPicture) {
    MakeCache(3, 100 * kQuarterBytes);
    SlidePicture picture = Take(0);
    ASSERT_EQ(picture.reduction, 2);
    SlidePicture full;
    EXPECT_EQ(cache->FetchSlidePicture(0, paths[0], PictureNeed::AtZoom(0.3), true, full, messages), Fetch::Pending);
    cache->WaitUntilIdle();
    posted.RunAll();
    ASSERT_EQ(cache->FetchSlidePicture(0, paths[0], PictureNeed::AtZoom(0.3), true, full, messages), Fetch::Ready);
    EXPECT_EQ(full.reduction, 1);
    EXPECT_EQ(full.fullWidth, 4000);
    // The coarser picture is not kept beside the finer one.
    cache->ReturnSlidePicture(0, paths[0], std::move(picture));
    EXPECT_EQ(cache->HeldBytes(), PictureBytes(full.dib) + (cache->HeldSlides().size()) * kQuarterBytes);
}

TEST_F(CacheTest, SlidesOutsideTheKnownShowAreDecodedOnTheCallersThread) {
    MakeCache(2, 100 * kQuarterBytes);
    decoder.sizes["/elsewhere/x.jpg"] = {4000, 2000};
    SlidePicture picture;
    EXPECT_EQ(cache->FetchSlidePicture(0, "/elsewhere/x.jpg", kFit, true, picture, messages), Fetch::Ready);
    EXPECT_EQ(picture.reduction, 2);
    DibImage full;
    EXPECT_TRUE(cache->LoadSlidePicture(0, paths[0], full));
    EXPECT_EQ(decoder.Calls().back().reduction, 0) << "the synchronous load is the full picture";
}

}  // namespace

namespace {

TEST_F(CacheTest, TheFirstSlideStartedEarlyIsHandedOverWithoutASecondDecode) {
    MakeCache(4, 100 * kQuarterBytes);
    decoder.Close(SlidePath(2));
    // Started for a screen twice the client's size, before the view exists.
    cache->StartFirstSlide(2, PictureNeed::Fit(2 * kClientWidth, 2 * kClientHeight));
    decoder.WaitForStarts(1);
    // The view announces the same show while the decode runs; it goes on.
    cache->NewShow(paths);
    decoder.Open(SlidePath(2));
    cache->WaitUntilIdle();
    ASSERT_EQ(decoder.Paths(), std::vector<std::string>{SlidePath(2)}) << "no neighbour before the view asks";
    SlidePicture picture;
    ASSERT_EQ(cache->FetchSlidePicture(2, paths[2], kFit, true, picture, messages), Fetch::Ready);
    // Finer than the client needs, so it is shown as it is.
    EXPECT_EQ(picture.reduction, 1);
    cache->WaitUntilIdle();
    const std::vector<std::string> decoded = decoder.Paths();
    EXPECT_EQ(std::count(decoded.begin(), decoded.end(), SlidePath(2)), 1);
}

TEST_F(CacheTest, AFirstSlideStartedCoarserThanTheClientNeedsIsDecodedAgain) {
    MakeCache(2, 100 * kQuarterBytes);
    cache->StartFirstSlide(0, PictureNeed::Fit(kClientWidth / 2, kClientHeight / 2));
    cache->WaitUntilIdle();
    EXPECT_TRUE(cache->HeldSlides() == std::vector<int>{0});
    const SlidePicture picture = Take(0);
    EXPECT_EQ(picture.reduction, 2);
    EXPECT_EQ(decoder.Calls().front().reduction, 3);
}

}  // namespace

namespace {

TEST(PictureBudget, IsThatManyPicturesOfTwiceTheClientsSidesAt24Bits) {
    EXPECT_EQ(PictureBudgetFor(1000, 500, 1), 2000u * 3u * 1000u);
    EXPECT_EQ(PictureBudgetFor(1920, 1030, 3), 3u * 3840u * 3u * 2060u);
    // Rows are padded to four bytes.
    EXPECT_EQ(PictureBudgetFor(1, 1, 1), 8u * 2u);
    EXPECT_EQ(PictureBudgetFor(0, 500, 3), 0u);
    EXPECT_EQ(PictureBudgetFor(1000, 500, 0), 0u);
}

TEST_F(CacheTest, TheBudgetFollowsTheClientArea) {
    // The ceiling would hold every neighbour planned; a client's budget of one picture unit
    // holds three pictures fitted to it, the one shown included.
    MakeCache(10, 1000 * kQuarterBytes, 3, 1, 1);
    const SlidePicture shown = Take(0);
    cache->WaitUntilIdle();
    EXPECT_EQ(cache->HeldSlides(), (std::vector<int>{1, 9}));
    EXPECT_LE(cache->HeldBytes(), PictureBudgetFor(kClientWidth, kClientHeight, 1));
    // A window of twice the sides: its pictures are four times as large, and so is the budget.
    const PictureNeed large = PictureNeed::Fit(2 * kClientWidth, 2 * kClientHeight);
    MakeCache(10, 1000 * kQuarterBytes, 3, 1, 1);
    ready.clear();
    const SlidePicture larger = Take(0, true, large);
    cache->WaitUntilIdle();
    EXPECT_EQ(cache->HeldSlides(), (std::vector<int>{1, 9}));
    EXPECT_GT(cache->HeldBytes(), 3 * PictureBudgetFor(kClientWidth, kClientHeight, 1) / 2);
    EXPECT_LE(cache->HeldBytes(), PictureBudgetFor(2 * kClientWidth, 2 * kClientHeight, 1));
}

}  // namespace

namespace {

TEST_F(CacheTest, ZoomingPastTheStoredScaleMakesRoomBeforeTheFinerDecode) {
    // One picture unit of the client: three pictures fitted at a quarter.
    MakeCache(5, 1000 * kQuarterBytes, 3, 1, 1);
    SlidePicture shown = Take(0);
    cache->WaitUntilIdle();
    ASSERT_EQ(cache->HeldSlides(), (std::vector<int>{1, 4}));
    decoder.Close(SlidePath(0));
    SlidePicture finer;
    ASSERT_EQ(cache->FetchSlidePicture(0, paths[0], PictureNeed::AtZoom(0.3), true, finer, messages), Fetch::Pending);
    decoder.WaitForStarts(4);
    // The half-size picture (6 MB) and the one shown fill the budget: no neighbour stays
    // while it is decoded.
    EXPECT_TRUE(cache->HeldSlides().empty());
    decoder.Open(SlidePath(0));
    cache->WaitUntilIdle();
}

}  // namespace
