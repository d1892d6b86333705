#include "gui_common/modal_runner.h"
#include "platform/posix/posix_drives.h"
#include "platform/posix/posix_file_operations.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_process.h"
#include "platform/posix/posix_registry.h"
#include "platform/posix/posix_shell_links.h"
#include "platform/posix/posix_system_info.h"
#include "platform/qt/qt_display.h"
#include "platform/qt/qt_message_sink.h"
#include "setup/qt/setup_dlg.h"
#include "setup/qt/setup_pictures.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setWindowIcon(setup::gui::SetupIcon());

    platform::posix::PosixFileSystem files;
    platform::posix::PosixFileOperations operations;
    platform::posix::PosixDrives drives;
    platform::posix::PosixSystemInfo system;
    platform::posix::PosixRegistry registry;
    platform::posix::PosixShellLinks links;
    platform::qt::QtMessageSink messages;
    platform::qt::QtDisplay display;
    setup::SetupServices core{files, operations, drives, system, registry, links, messages, display};
    platform::posix::PosixProcessReplacer process;
    gui::ExecRunner runner;
    setup::gui::SetupGuiServices services{core, process, runner};

    return setup::gui::CSetupApp(services).Run();
}
