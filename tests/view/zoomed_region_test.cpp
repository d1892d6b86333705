// A slide zoomed past a scale too large to keep whole is painted from a region of the
// picture at that scale: the same pixels as from the whole picture, a new region once a
// scroll leaves the one held.
#include "viewer/view/varnelle_view.h"

#include "viewer/view/view_keys.h"
#include "viewer/view/zoom_levels.h"

#include "platform/file_system.h"

#include "tests/document/dib_builder.h"
#include "tests/support/picture_cache_fakes.h"
#include "tests/support/view_test_env.h"

#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

namespace {

using testsupport::PostedTasks;

constexpr int kFullWidth = 4000, kFullHeight = 2000;

std::string SlidePath() {
    constexpr char sep = platform::kPathSeparator;
    return std::string(1, sep) + "show" + sep + "0.jpg";
}

// The colour of pixel (x, y) of the picture at a scale: different in every pixel nearby.
std::uint32_t PixelAt(int x, int y, int reduction) {
    return static_cast<std::uint32_t>(((x * 7 + y * 3) % 256) | ((y % 241) << 8) | (((x + reduction * 50) % 251) << 16));
}

// A picture of `width` by `height` whose pixel (x, y) is that of the scaled picture at
// (left + x, top + y).
DibImage Painted(int left, int top, int width, int height, int reduction) {
    DibImage dib = testsupport::MakeDib(static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height), 24);
    const std::size_t stride = (3 * static_cast<std::size_t>(width) + 3) / 4 * 4;
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = dib.bits.data() + stride * static_cast<std::size_t>(height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = PixelAt(left + x, top + y, reduction);
            row[3 * x] = static_cast<std::uint8_t>(c);
            row[3 * x + 1] = static_cast<std::uint8_t>(c >> 8);
            row[3 * x + 2] = static_cast<std::uint8_t>(c >> 16);
        }
    }
    return dib;
}

// Decodes the whole picture and its regions, recording what was asked on the worker.
struct Decodes {
    bool Whole(const imagelib::ReductionRule& rule, DibImage& target, imagelib::PictureScale& scale) {
        const int reduction = std::min(rule(kFullWidth, kFullHeight), 3);
        {
            std::lock_guard<std::mutex> lock(mutex);
            wholeReductions.push_back(reduction);
        }
        const int step = 1 << reduction;
        target = Painted(0, 0, (kFullWidth + step - 1) / step, (kFullHeight + step - 1) / step, reduction);
        scale = {kFullWidth, kFullHeight, reduction};
        return true;
    }
    // Widened left to a 16-pixel column, as the JPEG decoder may.
    bool Region(int reduction, const Rect& wanted, SlideRegion& target) {
        {
            std::lock_guard<std::mutex> lock(mutex);
            regions.push_back(wanted);
            if (refuseRegions) return false;
        }
        const Rect area{wanted.left / 16 * 16, wanted.top, wanted.right, wanted.bottom};
        target.dib = Painted(area.left, area.top, area.Width(), area.Height(), reduction);
        target.reduction = reduction;
        target.area = area;
        target.fullWidth = kFullWidth;
        target.fullHeight = kFullHeight;
        return true;
    }
    std::vector<int> WholeReductions() {
        std::lock_guard<std::mutex> lock(mutex);
        return wholeReductions;
    }
    std::vector<Rect> Regions() {
        std::lock_guard<std::mutex> lock(mutex);
        return regions;
    }

    std::mutex mutex;
    std::vector<int> wholeReductions;
    std::vector<Rect> regions;
    bool refuseRegions = false;
};

// The client area as painted, nearest neighbour as the canvases stretch.
class PixelCanvas final : public ViewCanvas {
public:
    PixelCanvas(int width, int height) : pixels(static_cast<std::size_t>(width) * height), width_(width) {}
    void BeginComposition(int, int) override {}
    void StretchPicture(const Rect& d, int sx, int sy, int sw, int sh, const DibImage& picture) override {
        const int stored = static_cast<int>(dibheader::Get32(picture.header.data(), dibheader::kWidthField));
        const std::size_t stride = (3 * static_cast<std::size_t>(stored) + 3) / 4 * 4;
        for (int dy = d.top; dy < d.bottom; ++dy) {
            const int fromBottom = sy + sh - 1 - (dy - d.top) * sh / d.Height();
            const std::uint8_t* row = picture.bits.data() + stride * static_cast<std::size_t>(fromBottom);
            for (int dx = d.left; dx < d.right; ++dx) {
                const std::uint8_t* p = row + 3 * (sx + (dx - d.left) * sw / d.Width());
                pixels[static_cast<std::size_t>(dy) * width_ + dx] = p[0] | (p[1] << 8) | (p[2] << 16);
            }
        }
        storedWidth = stored;
    }
    void CopyComposition(const Rect&, const Rect&) override {}
    void DrawKeyedPicture(const Rect&, const DibImage&, RgbColour) override {}
    void DrawOverlayText(int, int, RgbColour, const std::string&) override {}
    TextExtent OverlayTextExtent(const std::string& text) override { return {7 * static_cast<int>(text.size()), 12}; }

    int storedWidth = 0;
    std::vector<std::uint32_t> pixels;

private:
    int width_;
};

// A show of one 4000 by 2000 slide in a client of 1000 by 500, over a cache whose budget
// follows the client area: one whole picture may take 6 MB, the full one takes 24.
struct ZoomedView {
    explicit ZoomedView(bool withRegions) {
        window.width = 1000;
        window.height = 500;
        SlidePictureCache::RegionDecoder regions;
        if (withRegions)
            regions = [this](const std::string&, int reduction, const Rect& wanted, SlideRegion& target,
                             platform::MessageSink&) { return decodes.Region(reduction, wanted, target); };
        cache = std::make_unique<SlidePictureCache>(
            [this](const std::string&, const imagelib::ReductionRule& rule, DibImage& target,
                   imagelib::PictureScale& scale, platform::MessageSink&) { return decodes.Whole(rule, target, scale); },
            [this](std::function<void()> task) { posted.Post(std::move(task)); }, env.messages,
            SlidePictureCache::Limits{std::size_t{64} << 20, 3, 1, 3}, regions);
        view = std::make_unique<CVarnelleView>(
            ViewServices{env.documents, window, *cache, env.timers, env.messages, env.clock, env.heap});
        env.SetSlides({SlidePath()});
        view->OnInitialUpdate();
        Paint();
        WaitForRepaint();
        Paint();
        view->OnKeyDown(vk::kEscape);
    }
    ~ZoomedView() { view.reset(); }

    PixelCanvas Paint() {
        PixelCanvas canvas(window.width, window.height);
        view->OnDraw(canvas);
        return canvas;
    }
    void WaitForRepaint() {
        const int before = window.invalidations;
        while (window.invalidations == before) {
            posted.WaitForTask();
            posted.RunAll();
        }
    }
    // The paint once every picture asked for is there.
    PixelCanvas PaintSettled() {
        Paint();
        cache->WaitUntilIdle();
        posted.RunAll();
        return Paint();
    }

    Decodes decodes;
    PostedTasks posted;
    testsupport::DocumentEnv env;
    testsupport::FakeWindow window;
    std::unique_ptr<SlidePictureCache> cache;
    std::unique_ptr<CVarnelleView> view;
};

TEST(ZoomedRegion, PaintsTheSamePixelsAsTheWholePictureAndFollowsTheScroll) {
    ZoomedView regions(true), whole(false);
    for (ZoomedView* v : {&regions, &whole}) v->view->ApplyZoomLevel(ZoomLevelFor(1.0));

    // Until the region is there the coarse picture stands in, as before.
    const PixelCanvas coarse = regions.Paint();
    EXPECT_EQ(coarse.storedWidth, 1000);
    regions.cache->WaitUntilIdle();
    regions.posted.RunAll();
    const PixelCanvas fromRegion = regions.Paint();
    const PixelCanvas fromWhole = whole.PaintSettled();
    ASSERT_EQ(fromWhole.storedWidth, kFullWidth);
    EXPECT_LT(fromRegion.storedWidth, kFullWidth);
    EXPECT_TRUE(fromRegion.pixels == fromWhole.pixels);
    // No whole picture finer than the fit's was decoded; one region, around the visible part.
    EXPECT_EQ(regions.decodes.WholeReductions(), (std::vector<int>{2}));
    ASSERT_EQ(regions.decodes.Regions().size(), 1u);
    const Rect first = regions.decodes.Regions()[0];
    EXPECT_EQ(first.left, 0);
    EXPECT_EQ(first.top, 0);
    EXPECT_GT(first.right, 1001);
    EXPECT_GT(first.bottom, 500);
    EXPECT_LT(std::size_t{3} * first.Width() * first.Height(), regions.cache->WholePictureLimit());

    // A scroll inside the region needs nothing new.
    for (ZoomedView* v : {&regions, &whole}) v->window.ScrollToPosition({first.right - 1001 - 5, 3});
    EXPECT_TRUE(regions.PaintSettled().pixels == whole.PaintSettled().pixels);
    EXPECT_EQ(regions.decodes.Regions().size(), 1u);

    // One outside it asks for a new region there, the coarse picture painted meanwhile.
    for (ZoomedView* v : {&regions, &whole}) v->window.ScrollToPosition({2011, 1207});
    EXPECT_EQ(regions.Paint().storedWidth, 1000);
    regions.cache->WaitUntilIdle();
    regions.posted.RunAll();
    const PixelCanvas scrolled = regions.Paint();
    EXPECT_LT(scrolled.storedWidth, kFullWidth);
    EXPECT_TRUE(scrolled.pixels == whole.PaintSettled().pixels);
    ASSERT_EQ(regions.decodes.Regions().size(), 2u);
    const Rect second = regions.decodes.Regions()[1];
    EXPECT_LT(second.left, 2011);
    EXPECT_GT(second.right, 2011 + 1001);
    EXPECT_LT(second.top, 1207);
    EXPECT_GT(second.bottom, 1207 + 500);

    // Back at the fit, the region goes and the coarse picture is painted.
    regions.cache->WaitUntilIdle();
    const std::size_t zoomed = regions.cache->HeldBytes();
    regions.view->ApplyZoomLevel(ZoomLevelFor(0.25));
    EXPECT_EQ(regions.PaintSettled().storedWidth, 1000);
    EXPECT_TRUE(regions.view->Picture().RegionArea() == Rect{});
    EXPECT_LT(regions.cache->HeldBytes(), zoomed);
}

// A region decoded but never painted, because the zoom went back first, is not kept.
TEST(ZoomedRegion, ARegionNoLongerWantedIsDropped) {
    ZoomedView view(true);
    view.cache->WaitUntilIdle();
    const std::size_t atFit = view.cache->HeldBytes();
    view.view->ApplyZoomLevel(ZoomLevelFor(1.0));
    view.Paint();
    view.cache->WaitUntilIdle();
    EXPECT_GT(view.cache->HeldBytes(), atFit);
    view.view->ApplyZoomLevel(ZoomLevelFor(0.25));
    view.posted.RunAll();
    EXPECT_EQ(view.Paint().storedWidth, 1000);
    EXPECT_EQ(view.cache->HeldBytes(), atFit);
    EXPECT_EQ(view.decodes.Regions().size(), 1u);
}

// A source that makes no region of the picture (another format, a turned JPEG) gets the
// whole finer picture instead, as before, and is not asked for regions again.
TEST(ZoomedRegion, AFileWithoutRegionsGetsTheWholeFinerPicture) {
    ZoomedView view(true);
    view.decodes.refuseRegions = true;
    view.view->ApplyZoomLevel(ZoomLevelFor(1.0));
    view.Paint();
    view.cache->WaitUntilIdle();
    view.posted.RunAll();
    EXPECT_EQ(view.PaintSettled().storedWidth, kFullWidth);
    EXPECT_EQ(view.decodes.WholeReductions(), (std::vector<int>{2, 0}));
    view.window.ScrollToPosition({2011, 1207});
    EXPECT_EQ(view.PaintSettled().storedWidth, kFullWidth);
    EXPECT_EQ(view.decodes.Regions().size(), 1u);
}

}  // namespace
