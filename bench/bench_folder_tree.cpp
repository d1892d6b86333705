// Expanding a folder of 100,000 sub-folders in the folder selection dialog: the tree's
// own work on the real file system, and the whole click as the dialog handles it, with
// the view laid out and painted.

#include "viewer/qt/folder_dlg.h"

#include "platform/fake/fake_drives.h"
#include "platform/fake/recording_message_sink.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_folder_scan.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTreeView>

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace {

constexpr int kFolders = 100000;
std::string g_root;  // holds "big", the folder of kFolders sub-folders

// Made once and kept: every tenth sub-folder has a folder of its own, so that the test for
// sub-folders finds some.
void MakeFolders(const std::string& root) {
    const std::string done = root + "/complete";
    if (std::ifstream(done)) return;
    ::mkdir(root.c_str(), 0755);
    const std::string big = root + "/big";
    ::mkdir(big.c_str(), 0755);
    for (int i = 0; i < kFolders; ++i) {
        const std::string folder = big + "/folder" + std::to_string(i);
        ::mkdir(folder.c_str(), 0755);
        if (i % 10 == 0) ::mkdir((folder + "/inner").c_str(), 0755);
    }
    std::ofstream(done) << "ok\n";
}

struct World {
    World() { drives.mounts = {{g_root + "/", platform::DriveType::Fixed}}; }
    platform::fake::FakeDrives drives;
    platform::posix::PosixFileSystem fs;
    platform::posix::PosixFolderScan scan;
    platform::fake::RecordingMessageSink messages;
    FolderServices services{drives, scan, fs, messages};
};

FolderItem* Child(FolderItem* item, const std::string& text) {
    for (auto& c : item->children)
        if (c->text == text) return c.get();
    return nullptr;
}

void BM_TreeExpand(benchmark::State& state) {
    World world;
    FolderDlgRules rules(world.services);
    rules.OnInitDialog();
    FolderItem* drive = rules.Tree().Root()->children.at(0).get();
    rules.Tree().Expand(drive);
    FolderItem* big = Child(drive, "big");
    for (auto _ : state) {
        rules.Tree().Expand(big);
        state.PauseTiming();
        if (big->children.size() != kFolders) state.SkipWithError("not all folders listed");
        rules.Tree().Collapse(big);
        state.ResumeTiming();
    }
}

void BM_DialogExpandAndPaint(benchmark::State& state) {
    World world;
    CFolderDlg dialog(world.services);
    dialog.m_strInitialPath = g_root;
    dialog.show();
    QTreeView* view = dialog.Tree();
    FolderItem* drive = dialog.Rules().Tree().Root()->children.at(0).get();
    view->expand(dialog.Model().IndexOf(drive));
    FolderItem* big = Child(drive, "big");
    for (auto _ : state) {
        view->expand(dialog.Model().IndexOf(big));
        view->viewport()->repaint();
        QCoreApplication::processEvents();
        state.PauseTiming();
        if (big->children.size() != kFolders) state.SkipWithError("not all folders listed");
        view->collapse(dialog.Model().IndexOf(big));
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const char* folder = std::getenv("VARNELLE_BENCH_DIR");
    g_root = std::string(folder ? folder : "/tmp/varnelle_bench") + "/folders";
    ::mkdir(folder ? folder : "/tmp/varnelle_bench", 0755);
    MakeFolders(g_root);
    benchmark::RegisterBenchmark("FolderTree/expand100k", BM_TreeExpand)->Unit(benchmark::kMillisecond)->Iterations(5);
    benchmark::RegisterBenchmark("FolderDialog/expand100kPainted", BM_DialogExpandAndPaint)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(5);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
