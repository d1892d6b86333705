#include "setup/main_dialog_state.h"

#include "setup/entry_paths.h"
#include "setup/setup_config.h"
#include "setup/setup_texts.h"
#include "setup/system_checks.h"

namespace setup {

MainDialogState ReadMainDialogState(SetupServices& services) {
    MainDialogState state;
    state.setupDirectory = WithTrailingSeparator(services.files.CurrentDirectory());
    state.windowsDirectory = services.system.WindowsDirectory();
    state.installLabel = texts::kInstallLabel;
    state.uninstallLabel = texts::kUninstallLabel;
    SetupConfig summary;
    if (ReadConfigSummary(services.files, state.setupDirectory, &summary)) {
        state.installLabel += " " + summary.appName;
        state.uninstallLabel += " " + summary.appName;
        state.caption = summary.appName + texts::kSetupCaptionSuffix;
    }
    state.appName = summary.appName;
    state.licenceText = summary.licenceText;
    state.systemName = GetSystemName(services.system);
    return state;
}

}  // namespace setup
