#pragma once

#include "platform/process.h"
#include "setup/setup_services.h"
#include "setup/win32/win32_ui.h"

namespace setup::win32 {

// What the dialogs work through: the engines' services, the process start of Explore and
// the module holding the dialog templates. `WinMain` assembles the real ones once.
struct SetupWin32Services {
    SetupServices& core;
    platform::ProcessReplacer& process;
    HINSTANCE instance;
};

}  // namespace setup::win32
