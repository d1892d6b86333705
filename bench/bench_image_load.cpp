// Decoding a 24-megapixel picture through CRasterImage (file read + decode into the
// picture block) against each codec library decoding the same file on its own.
// After the benchmarks, a summary gives the time ratio (median of a few runs) and the
// heap peak of each load against the size of the final picture's pixel block.
#include "bench/counting_allocator.h"
#include "bench/raw_decoders.h"
#include "bench/synthetic_images.h"

#include "imagelib/raster_image.h"
#include "platform/posix/posix_file_system.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

std::vector<bench::TestFile> g_files;
constexpr std::size_t kPictureBytes = static_cast<std::size_t>(bench::kWidth) * bench::kHeight * 3;

bool LoadThroughRasterImage(const bench::TestFile& file) {
    platform::posix::PosixFileSystem fs;
    CRasterImage image(fs, file.path, static_cast<ImageFormat>(file.format));
    benchmark::DoNotOptimize(image.GetRawData());
    return image.IsValid();
}

void BM_RasterImage(benchmark::State& state, const bench::TestFile* file) {
    for (auto _ : state)
        if (!LoadThroughRasterImage(*file)) state.SkipWithError("decode failed");
}

void BM_RawLibrary(benchmark::State& state, const bench::TestFile* file) {
    for (auto _ : state)
        if (bench::RawDecode(*file) == 0) state.SkipWithError("decode failed");
}

double Seconds(const std::function<void()>& run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double PeakRatio(const std::function<void()>& run) {
    const std::size_t before = bench::HeapInUse();
    bench::ResetHeapPeak();
    run();
    return static_cast<double>(bench::HeapPeak() - before) / kPictureBytes;
}

void PrintSummary(int runs) {
    std::printf("\n%-6s %12s %12s %8s %14s %14s\n", "format", "raster s", "raw s", "ratio", "raster peak", "raw peak");
    for (const auto& file : g_files) {
        const auto raster = [&] { LoadThroughRasterImage(file); };
        const auto raw = [&] { bench::RawDecode(file); };
        // Alternating runs, so that load from elsewhere on the machine hits both alike.
        std::vector<double> rasterTimes, rawTimes;
        for (int i = 0; i < runs; ++i) {
            rasterTimes.push_back(Seconds(raster));
            rawTimes.push_back(Seconds(raw));
        }
        const double rasterTime = Median(rasterTimes), rawTime = Median(rawTimes);
        std::printf("%-6s %12.3f %12.3f %7.3fx %13.2fx %13.2fx\n", file.name.c_str(), rasterTime, rawTime,
                    rasterTime / rawTime, PeakRatio(raster), PeakRatio(raw));
    }
    std::printf("(peaks: heap high-water mark of one load / %zu-byte picture block)\n", kPictureBytes);
}

}  // namespace

int main(int argc, char** argv) {
    const char* folder = std::getenv("VARNELLE_BENCH_DIR");
    g_files = bench::MakeTestFiles(folder ? folder : "/tmp/varnelle_bench");
    for (const auto& file : g_files) {
        benchmark::RegisterBenchmark(("RasterImage/" + file.name).c_str(), BM_RasterImage, &file)
            ->Unit(benchmark::kMillisecond)->MinTime(2.0);
        benchmark::RegisterBenchmark(("RawLibrary/" + file.name).c_str(), BM_RawLibrary, &file)
            ->Unit(benchmark::kMillisecond)->MinTime(2.0);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    PrintSummary(7);
    return 0;
}
