#include "viewer/app/varnelle_app.h"
#include "viewer/qt/qt_printer_service.h"
#include "viewer/qt/viewer_shell.h"

#include "platform/posix/posix_clock.h"
#include "platform/posix/posix_file_system.h"
#include "platform/qt/qt_message_sink.h"

#include <QApplication>

#include <string>
#include <vector>

int main(int argc, char** argv) {
    QApplication qt(argc, argv);  // takes its own options out of argv
    platform::posix::PosixFileSystem fs;
    platform::posix::PosixClock clock;
    platform::qt::QtMessageSink messages;
    QtPrinterService printers;
    CVarnelleApp app({fs, messages, clock, printers});
    ViewerShell shell(app);
    if (!app.InitInstance(std::vector<std::string>(argv + 1, argv + argc), shell)) return 1;  // the arguments Qt left
    return qt.exec();
}
