#include "gui_common/modal_runner.h"

#include <QDialog>

namespace gui {

int ExecRunner::Run(QDialog& dialog) { return dialog.exec(); }

}  // namespace gui
