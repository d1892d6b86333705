// Installing 2,000 files of 64 KB with the install engine against `cp -r` of the same
// tree, in the same run; the `ratio` counter is engine time over cp time.

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

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
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

// A new, absent target for each round, with earlier rounds written back first so that
// their write-back does not fall into the timed part. Earlier trees stay until the end:
// creating files right after deleting thousands makes ext4 hunt for inodes it may reuse,
// which would measure the deletion rather than the copy.
std::string FreshTarget(const Payload& payload, const char* name, int round) {
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

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Each iteration installs the tree with the engine and copies it with `cp -r`, one after
// the other, so that both meet the same state of a shared machine. The iteration time is
// the engine's; the counters give cp's time and the ratio of the two sums.
void BM_InstallVersusCopy(benchmark::State& state) {
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
    double engineSeconds = 0;
    double copySeconds = 0;
    int round = 0;
    for (auto _ : state) {
        const std::string installed = FreshTarget(payload, "installed", round);
        setup::InstallEngine engine(services, "");
        engine.SetUp();
        auto start = std::chrono::steady_clock::now();
        if (!engine.Install(installed)) state.SkipWithError("install failed");
        const double engineTime = SecondsSince(start);

        const std::string copied = FreshTarget(payload, "copied", round++);
        const std::string command = "cp -r '" + payload.root + "/setup/payload' '" + copied + "'";
        start = std::chrono::steady_clock::now();
        if (std::system(command.c_str()) != 0) state.SkipWithError("cp failed");
        const double copyTime = SecondsSince(start);

        state.SetIterationTime(engineTime);
        engineSeconds += engineTime;
        copySeconds += copyTime;
    }
    state.counters["cp_ms"] = benchmark::Counter(copySeconds * 1000 / state.iterations());
    state.counters["ratio"] = benchmark::Counter(copySeconds > 0 ? engineSeconds / copySeconds : 0);
}

// The machine is shared: several pairs, and the median over repetitions.
BENCHMARK(BM_InstallVersusCopy)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(2)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
