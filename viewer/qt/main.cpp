#include "viewer/app/varnelle_app.h"
#include "viewer/qt/qt_printer_service.h"
#include "viewer/qt/viewer_shell.h"

#include "platform/posix/posix_clock.h"
#include "platform/posix/posix_file_system.h"
#include "platform/qt/qt_message_sink.h"

#include <QApplication>

#include <string>

namespace {

// The raw command-line text: the arguments Qt left, joined with single spaces.
std::string RawCommandLine(int argc, char** argv) {
    std::string raw;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) raw += ' ';
        raw += argv[i];
    }
    return raw;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication qt(argc, argv);  // takes its own options out of argv
    platform::posix::PosixFileSystem fs;
    platform::posix::PosixClock clock;
    platform::qt::QtMessageSink messages;
    QtPrinterService printers;
    CVarnelleApp app({fs, messages, clock, printers});
    ViewerShell shell(app);
    if (!app.InitInstance(RawCommandLine(argc, argv), shell)) return 1;
    return qt.exec();
}
