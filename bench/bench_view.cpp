// The slide view's paint pass and slide change with a 24-megapixel picture in a
// 1920 x 1080 window: painting at the fit zoom, at 0.999 and at 7.6 (which must cost about
// the same, since only the visible part is stretched), and a key press to the next JPEG
// painted, split into decode and paint, with the process's resident memory; and the same key
// press when the picture cache has decoded the next slide ahead (at the fit's scale).
#include "bench/synthetic_images.h"

#include "platform/posix/posix_file_system.h"
#include "viewer/view/loader_slide_pictures.h"
#include "viewer/view/qt_view_canvas.h"
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
    testsupport::DocumentEnv env;
    LoaderSlidePictures loader{fs, env.messages};
    TimedPictures pictures{loader};
    testsupport::FakeWindow window = [] {
        testsupport::FakeWindow w;
        w.width = kClientWidth;
        w.height = kClientHeight;
        return w;
    }();
    CVarnelleView view{{env.documents, window, pictures, env.timers, env.messages, env.clock}};
    QtViewCanvas canvas{env.messages};
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
    state.counters["zoom"] = bench.view.m_dZoom;
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
    testsupport::DocumentEnv env;
    std::mutex mutex;
    std::vector<std::function<void()>> posted;
    SlidePictureCache cache{LoaderDecoder(fs),
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
    CVarnelleView view{{env.documents, window, cache, env.timers, env.messages, env.clock}};
    QtViewCanvas canvas{env.messages};
};

void BM_NextSlidePrefetched(benchmark::State& state) {
    CachedViewBench bench;
    bool shown = true;
    for (auto _ : state) {
        bench.view.OnKeyDown(vk::kRight);
        bench.Paint();
        shown = shown && bench.view.m_nDrawnSlide == bench.view.m_nSlide;
        state.PauseTiming();
        bench.Settle();
        state.ResumeTiming();
    }
    if (!shown) state.SkipWithError("a slide was not decoded ahead");
    state.counters["rss_MiB"] = ResidentMiB();
    state.counters["held_MiB"] = static_cast<double>(bench.cache.HeldBytes()) / (1 << 20);
}

// Auto-advance at 0.1 s through the show: each tick turns the slide and paints, and until
// the next tick the cache's tasks run as the event loop would run them. Counts the ticks
// whose slide was on screen at once, and those whose slide was still being decoded.
void BM_AutoAdvanceTenthSecond(benchmark::State& state) {
    // More slides than the budget holds, so that the worker decodes all along.
    CachedViewBench bench(20);
    using Clock = std::chrono::steady_clock;
    constexpr auto kTick = std::chrono::milliseconds(100);
    int ticks = 0, shownAtOnce = 0, shownBeforeNextTick = 0;
    for (auto _ : state) {
        auto due = Clock::now();
        for (int i = 0; i < 40; ++i) {
            due += kTick;
            bench.view.OnTimer(CVarnelleView::kAutoAdvanceTimer);
            bench.Paint();
            ++ticks;
            const bool atOnce = bench.view.m_nDrawnSlide == bench.view.m_nSlide;
            shownAtOnce += atOnce ? 1 : 0;
            bool shown = atOnce;
            while (Clock::now() < due) {
                std::vector<std::function<void()>> tasks;
                {
                    std::lock_guard<std::mutex> lock(bench.mutex);
                    tasks.swap(bench.posted);
                }
                for (auto& task : tasks) task();
                if (!tasks.empty()) bench.Paint();
                shown = shown || bench.view.m_nDrawnSlide == bench.view.m_nSlide;
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            shownBeforeNextTick += shown ? 1 : 0;
        }
    }
    state.counters["ticks"] = ticks;
    state.counters["shown_at_once"] = shownAtOnce;
    state.counters["shown_before_next_tick"] = shownBeforeNextTick;
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
    benchmark::RegisterBenchmark("AutoAdvance/0.1s", BM_AutoAdvanceTenthSecond)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
