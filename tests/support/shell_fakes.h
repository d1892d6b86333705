#pragma once

#include "viewer/qt/viewer_shell.h"

#include "platform/fake/counting_heap.h"
#include "platform/fake/fake_drives.h"
#include "platform/folder_scan.h"

namespace testsupport {

// What the viewer's main hands the shell, on fakes: no drives, the folders of the test's
// file system, a counting heap, the test's own timers for the view, and the program's
// picture budget.
class ShellFakes {
public:
    ShellFakes(const platform::FileSystem& fs, platform::TimerService& timers) : folders(fs), timers_(timers) {}

    ShellServices Services() {
        return {drives, folders, heap,
                [this](std::function<void(int)>) -> platform::TimerService& { return timers_; },
                {std::size_t{96} << 20, 4, 1}};
    }

    platform::fake::FakeDrives drives;
    platform::ListingFolderScan folders;
    platform::fake::CountingHeap heap;

private:
    platform::TimerService& timers_;
};

}  // namespace testsupport
