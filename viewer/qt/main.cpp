#include "viewer/app/varnelle_app.h"
#include "viewer/qt/qt_printer_service.h"
#include "viewer/qt/viewer_shell.h"
#include "viewer/view/show_picture_limits.h"

#include "platform/posix/posix_clock.h"
#include "platform/posix/posix_drives.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_folder_scan.h"
#include "platform/posix/posix_heap.h"
#include "platform/qt/qt_message_sink.h"
#include "platform/qt/qt_timer_service.h"

#include <QApplication>
#include <QFontDatabase>

#include <optional>
#include <string>
#include <thread>
#include <vector>

// The viewer's composition root: every backend and budget is chosen here and handed down.
int main(int argc, char** argv) {
    QApplication qt(argc, argv);  // takes its own options out of argv
    // The font database is read in (fontconfig's set-up and its list of every font) on the
    // second core while the document and the frame are made; the first text waits for it.
    std::jthread fonts([] { (void)QFontDatabase::families(); });
    platform::posix::PosixFileSystem fs;
    platform::posix::PosixClock clock;
    platform::posix::PosixDrives drives;
    platform::posix::PosixFolderScan folders;
    platform::posix::PosixHeap heap;
    platform::qt::QtMessageSink messages;
    // Made with the view, whose ticks it delivers; outlives the shell.
    std::optional<platform::qt::QtTimerService> viewTimers;
    QtPrinterService printers;
    CVarnelleApp app({fs, messages, clock, printers});
    ViewerShell shell(app, {drives, folders, heap,
                            [&](std::function<void(int)> onTick) -> platform::TimerService& {
                                return viewTimers.emplace(&qt, std::move(onTick));
                            },
                            kShowPictureLimits});
    if (!app.InitInstance(std::vector<std::string>(argv + 1, argv + argc), shell)) return 1;  // the arguments Qt left
    return qt.exec();
}
