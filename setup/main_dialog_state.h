#pragma once

#include "setup/setup_services.h"

#include <string>

namespace setup {

// What the main dialog shows and keeps, read once when it opens; both faces show the same.
struct MainDialogState {
    std::string setupDirectory;  // with its trailing separator
    std::string windowsDirectory;
    std::string systemName;
    std::string appName;
    std::string licenceText;  // a failed read still leaves the licence text it found
    std::string installLabel;
    std::string uninstallLabel;
    std::string caption;  // empty: the template's own caption stays
};

MainDialogState ReadMainDialogState(SetupServices& services);

}  // namespace setup
