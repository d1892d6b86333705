// The slide view's paint pass and slide change with a 24-megapixel picture in a
// 1920 x 1080 window: painting at the fit zoom, at 0.999 and at 7.6 (which must cost about
// the same, since only the visible part is stretched), and a key press to the next JPEG
// painted, split into decode and paint, with the process's resident memory; and the same key
// press when the picture cache has decoded the next slide ahead (at the fit's scale); and
// auto-advance at 0.1 and 0.3 seconds, each slide in order.
#include "bench/synthetic_images.h"

#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_heap.h"
#include "viewer/view/loader_slide_pictures.h"
#include "viewer/qt/qt_view_canvas.h"
#include "viewer/view/varnelle_view.h"
#include "viewer/view/view_keys.h"
#include "viewer/view/zoom_levels.h"

#include "tests/support/view_test_env.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <mutex>
#include <vector>
#include <string>
#include <thread>

namespace {

constexpr int kClientWidth = 1920, kClientHeight = 1080;

// Times each decode the view asks for.
class TimedPictures final : public SlidePictureSource {
public:
    explicit TimedPictures(SlidePictureSource& inner) : inner_(inner) {}
    bool LoadSlidePicture(int index, const std::string& path, DibImage& target) override {
        const auto start = std::chrono::steady_clock::now();
        const bool ok = inner_.LoadSlidePicture(index, path, target);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        return ok;
    }
    double seconds = 0;

private:
    SlidePictureSource& inner_;
};

std::string g_jpeg;

// A view showing the benchmark JPEG (twice, so that stepping always decodes), stopped.
struct ViewBench {
    ViewBench() {
        env.SetSlides({g_jpeg, g_jpeg});
        view.OnInitialUpdate();
        Paint();
        view.OnKeyDown(vk::kEscape);
    }
    void Paint() {
        canvas.SetDpi(96);
        view.OnDraw(canvas);
        canvas.EndPaint();
    }

    platform::posix::PosixFileSystem fs;
    platform::posix::PosixHeap heap;
    testsupport::DocumentEnv env;
    LoaderSlidePictures loader{fs, env.messages, heap};
    TimedPictures pictures{loader};
    testsupport::FakeWindow window = [] {
        testsupport::FakeWindow w;
        w.width = kClientWidth;
        w.height = kClientHeight;
        return w;
    }();
    CVarnelleView view{{env.documents, window, pictures, env.timers, env.messages, env.clock, heap}};
    QtViewCanvas canvas{env.messages, heap};
};

// 0: the fit; otherwise a zoom level, scrolled to the middle of the picture.
void SetZoom(ViewBench& bench, int level) {
    if (level == 0) return;
    bench.view.ApplyZoomLevel(level);
    bench.window.scroll = {(bench.window.total.right - kClientWidth) / 2, (bench.window.total.bottom - kClientHeight) / 2};
}

void BM_PaintPass(benchmark::State& state) {
    ViewBench bench;
    SetZoom(bench, static_cast<int>(state.range(0)));
    for (auto _ : state) bench.Paint();
    state.counters["zoom"] = bench.view.Zoom().Factor();
}

double ResidentMiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::atof(line.c_str() + 6) / 1024.0;
    return 0;
}

void BM_NextSlidePainted(benchmark::State& state) {
    ViewBench bench;
    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        bench.view.OnKeyDown(vk::kRight);
        bench.Paint();
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    // The first decode happened before the loop; the rest happened in it.
    const double decode = bench.pictures.seconds * state.iterations() / (state.iterations() + 1);
    state.counters["decode_ms"] = 1000.0 * decode / state.iterations();
    state.counters["paint_ms"] = 1000.0 * (total - decode) / state.iterations();
    state.counters["rss_MiB"] = ResidentMiB();
}

// A view over the picture cache on a show of the benchmark JPEG `slides` times; the cache's
// tasks for the view's thread run between the timed steps.
struct CachedViewBench {
    explicit CachedViewBench(int slides = 4) {
        env.SetSlides(std::vector<std::string>(static_cast<std::size_t>(slides), g_jpeg));
        view.OnInitialUpdate();
        Settle();
        view.OnKeyDown(vk::kEscape);
        Settle();
    }
    void Paint() {
        canvas.SetDpi(96);
        view.OnDraw(canvas);
        canvas.EndPaint();
    }
    // Paints, then waits for the worker and paints again while it brought a picture.
    void Settle() {
        Paint();
        for (;;) {
            cache.WaitUntilIdle();
            std::vector<std::function<void()>> tasks;
            {
                std::lock_guard<std::mutex> lock(mutex);
                tasks.swap(posted);
            }
            if (tasks.empty()) return;
            for (auto& task : tasks) task();
            Paint();
        }
    }

    platform::posix::PosixFileSystem fs;
    platform::posix::PosixHeap heap;
    testsupport::DocumentEnv env;
    std::mutex mutex;
    std::vector<std::function<void()>> posted;
    SlidePictureCache cache{LoaderDecoder(fs, heap),
                            [this](std::function<void()> task) {
                                std::lock_guard<std::mutex> lock(mutex);
                                posted.push_back(std::move(task));
                            },
                            env.messages, SlidePictureCache::Limits{std::size_t{96} << 20, 4, 1}};
    testsupport::FakeWindow window = [] {
        testsupport::FakeWindow w;
        w.width = kClientWidth;
        w.height = kClientHeight;
        return w;
    }();
    CVarnelleView view{{env.documents, window, cache, env.timers, env.messages, env.clock, heap}};
    QtViewCanvas canvas{env.messages, heap};
};

void BM_NextSlidePrefetched(benchmark::State& state) {
    CachedViewBench bench;
    bool shown = true;
    for (auto _ : state) {
        bench.view.OnKeyDown(vk::kRight);
        bench.Paint();
        shown = shown && bench.view.Picture().DrawnSlide() == bench.view.Show().Slide();
        state.PauseTiming();
        bench.Settle();
        state.ResumeTiming();
    }
    if (!shown) state.SkipWithError("a slide was not decoded ahead");
    state.counters["rss_MiB"] = ResidentMiB();
    state.counters["held_MiB"] = static_cast<double>(bench.cache.HeldBytes()) / (1 << 20);
}

// Auto-advance at a page interval (milliseconds, the argument) through a show of twenty
// 24-megapixel JPEGs: each tick goes to the view as the timer would send it, and between
// ticks the cache's and the view's posted tasks run, with a paint after each, as the event
// loop would run them. Counts the slides that reached the screen and whether every one came
// in order (none skipped, none twice), and the ticks whose slide was not on screen at once.
void BM_AutoAdvance(benchmark::State& state) {
    // More slides than the budget holds, so that the worker decodes all along.
    CachedViewBench bench(20);
    using Clock = std::chrono::steady_clock;
    const auto tick = std::chrono::milliseconds(state.range(0));
    constexpr int kTicks = 40;
    int shown = 0, outOfOrder = 0, notAtOnce = 0;
    for (auto _ : state) {
        int last = bench.view.Picture().DrawnSlide();
        const auto noteShown = [&] {
            const int now = bench.view.Picture().DrawnSlide();
            if (now == last) return;
            ++shown;
            if (now != (last + 1) % 20) ++outOfOrder;
            last = now;
        };
        bench.view.StartAutoAdvance();
        // Up from 6 s: 18 presses make 0.1 s, 16 make 0.3 s (below a second, no sweeps).
        for (int press = 0; press < (state.range(0) == 100 ? 18 : 16); ++press) bench.view.OnKeyDown(vk::kUp);
        auto due = Clock::now();
        for (int i = 0; i < kTicks; ++i) {
            due += tick;
            bench.view.OnTimer(CVarnelleView::kAutoAdvanceTimer);
            bench.Paint();
            noteShown();
            notAtOnce += bench.view.Picture().DrawnSlide() == bench.view.Show().Slide() ? 0 : 1;
            while (Clock::now() < due) {
                std::vector<std::function<void()>> tasks;
                {
                    std::lock_guard<std::mutex> lock(bench.mutex);
                    tasks.swap(bench.posted);
                }
                for (auto& task : tasks) task();
                if (!tasks.empty()) bench.Paint();
                noteShown();
                if (!bench.window.posted.empty()) {
                    bench.window.RunPosted();
                    bench.Paint();
                    noteShown();
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        }
        bench.view.StopAutoAdvance();
    }
    state.counters["ticks"] = kTicks * static_cast<double>(state.iterations());
    state.counters["slides_shown"] = shown;
    state.counters["out_of_order"] = outOfOrder;
    state.counters["not_at_once"] = notAtOnce;
    state.counters["rss_MiB"] = ResidentMiB();
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);  // fonts for the caption
    const char* folder = std::getenv("VARNELLE_BENCH_DIR");
    for (const auto& file : bench::MakeTestFiles(folder ? folder : "/tmp/varnelle_bench"))
        if (file.name == "jpeg") g_jpeg = file.path;
    benchmark::RegisterBenchmark("PaintPass/fit", BM_PaintPass)->Arg(0)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("PaintPass/0.999", BM_PaintPass)->Arg(15)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("PaintPass/7.6", BM_PaintPass)->Arg(kMaxZoomLevel)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("NextSlidePainted/jpeg", BM_NextSlidePainted)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(10);
    benchmark::RegisterBenchmark("NextSlidePainted/jpeg-prefetched", BM_NextSlidePrefetched)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(20);
    benchmark::RegisterBenchmark("AutoAdvance/ms", BM_AutoAdvance)
        ->Arg(100)
        ->Arg(300)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
