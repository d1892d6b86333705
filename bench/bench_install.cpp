// Installing 2,000 files of 64 KB with the install engine against `cp -r` of the same
// tree, in the same run. The reporter prints the ratio of the two mean times.

#include "platform/fake/fake_display.h"
#include "platform/fake/fake_drives.h"
#include "platform/fake/recording_message_sink.h"
#include "platform/posix/posix_file_operations.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_registry.h"
#include "platform/posix/posix_shell_links.h"
#include "platform/posix/posix_system_info.h"
#include "setup/install_engine.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace fs = std::filesystem;

namespace {

constexpr int kFolders = 20;
constexpr int kFilesPerFolder = 100;  // 2,000 files in all
constexpr std::size_t kFileBytes = 64 * 1024;

// The payload tree and its config.cfg, made once for the whole run.
struct Payload {
    Payload() {
        std::string pattern = (fs::temp_directory_path() / "bench-install-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) std::abort();
        root = pattern;
        const std::string content(kFileBytes, 'p');
        std::string dirs, sources, dests, links;
        for (int d = 0; d < kFolders; ++d) {
            const std::string folder = "d" + std::to_string(d);
            fs::create_directories(root + "/setup/payload/" + folder);
            dirs += folder + ";\r\n";
            for (int f = 0; f < kFilesPerFolder; ++f) {
                const std::string file = folder + "/f" + std::to_string(f) + ".bin";
                std::ofstream(root + "/setup/payload/" + file, std::ios::binary) << content;
                sources += "payload/" + file + ";\r\n";
                dests += file + ";\r\n";
                links += "*;\r\n";
            }
        }
        std::ofstream(root + "/setup/config.cfg", std::ios::binary)
            << "[APPNAME]\r\nBench;\r\n[DELREGKEY]\r\n[INSTSIZE]\r\n1;\r\n[LINKDIR]\r\n[DIRDEST]\r\n" << dirs
            << "[FILESOURCE]\r\n" << sources << "[FILEDEST]\r\n" << dests << "[LINKDEST]\r\n" << links
            << "[LICAGREE]\r\n";
    }
    ~Payload() { fs::remove_all(root); }
    std::string root;
};

Payload& ThePayload() {
    static Payload payload;
    return payload;
}

// A new, absent target for each round. Earlier rounds are removed and written back
// first, so that neither deletions nor write-back of them fall into the timed part.
std::string FreshTarget(const Payload& payload, const char* name, int round) {
    fs::remove_all(payload.root + "/" + name + std::to_string(round - 1));
    ::sync();
    return payload.root + "/" + name + std::to_string(round);
}

// The real file system with the payload's setup folder as the current directory.
class SetupFolder final : public platform::FileSystem {
public:
    explicit SetupFolder(std::string cwd) : cwd_(std::move(cwd)) {}
    bool Find(const std::string& p, platform::DirEntry* e) const override { return real_.Find(p, e); }
    platform::FileCause List(const std::string& f, std::vector<platform::DirEntry>* e) const override {
        return real_.List(f, e);
    }
    std::string CurrentDirectory() const override { return cwd_; }
    std::unique_ptr<platform::File> Open(const std::string& p, platform::OpenMode m, bool x,
                                         platform::FileCause* c) override {
        return real_.Open(p, m, x, c);
    }

private:
    platform::posix::PosixFileSystem real_;
    std::string cwd_;
};

void BM_InstallEngine(benchmark::State& state) {
    const Payload& payload = ThePayload();
    SetupFolder files(payload.root + "/setup");
    platform::posix::PosixFileOperations operations;
    platform::fake::FakeDrives drives;
    drives.mounts = {{"/", platform::DriveType::Fixed}};
    platform::posix::PosixSystemInfo system;
    platform::posix::PosixRegistry registry(payload.root + "/registry");
    platform::posix::PosixShellLinks links;
    platform::fake::RecordingMessageSink messages;
    platform::fake::FakeDisplay display(32);
    setup::SetupServices services{files, operations, drives, system, registry, links, messages, display};
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::string target = FreshTarget(payload, "installed", round++);
        setup::InstallEngine engine(services, "");
        engine.SetUp();
        state.ResumeTiming();
        if (!engine.Install(target)) state.SkipWithError("install failed");
    }
}

void BM_CopyRecursive(benchmark::State& state) {
    const Payload& payload = ThePayload();
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::string target = FreshTarget(payload, "copied", round++);
        const std::string command = "cp -r '" + payload.root + "/setup/payload' '" + target + "'";
        state.ResumeTiming();
        if (std::system(command.c_str()) != 0) state.SkipWithError("cp failed");
    }
}

BENCHMARK(BM_InstallEngine)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(8);
BENCHMARK(BM_CopyRecursive)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(8);

// Console output plus the engine-to-cp ratio at the end.
class RatioReporter final : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const auto& run : runs) meanSeconds_[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        const double engine = meanSeconds_["BM_InstallEngine/iterations:8/real_time"];
        const double copy = meanSeconds_["BM_CopyRecursive/iterations:8/real_time"];
        if (engine > 0 && copy > 0) std::printf("install / cp -r ratio: %.2f\n", engine / copy);
    }

private:
    std::map<std::string, double> meanSeconds_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
