#pragma once

// The installer's world with its dialogs driven by a script.

#include "tests/support/scripted_runner.h"
#include "platform/fake/recording_process_replacer.h"
#include "setup/qt/setup_gui_services.h"
#include "setup_test_env.h"

#include <QAbstractButton>
#include <QDialog>

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace setup::test {

using testsupport::Button;
using testsupport::Click;
using testsupport::Press;
using testsupport::ScriptedRunner;

// An installer world with the dialogs' services on top.
struct DialogWorld : SetupWorld {
    DialogWorld();
    platform::fake::RecordingProcessReplacer process;
    ScriptedRunner runner;
    gui::SetupGuiServices gui{services, process, runner};
};

}  // namespace setup::test
