// The slide view's paint pass and slide change with a 24-megapixel picture in a
// 1920 x 1080 window: painting at the fit zoom, at 0.999 and at 7.6 (which must cost about
// the same, since only the visible part is stretched), and a key press to the next JPEG
// painted, split into decode and paint, with the process's resident memory.
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
#include <string>

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
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
