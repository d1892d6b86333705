#pragma once

#include "setup/qt/face_guard.h"
#include "gui_common/modal_runner.h"
#include "platform/process.h"
#include "setup/setup_services.h"

namespace setup::gui {

// What the dialogs work through: the engines' services, the process start of Explore,
// and the runner of every modal dialog. `main` assembles the real ones once.
struct SetupGuiServices {
    SetupServices& core;
    platform::ProcessReplacer& process;
    ::gui::ModalRunner& runner;
};

}  // namespace setup::gui
