#include "platform/posix/posix_file_system.h"
#include "setup/entry_paths.h"
#include "setup/gui/setup_dialog.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    platform::posix::PosixFileSystem files;
    setup::gui::SetupDialog dialog(setup::WithTrailingSeparator(files.CurrentDirectory()));
    dialog.exec();
    return 0;
}
