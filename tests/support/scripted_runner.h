#pragma once

// Drives modal dialogs in a test: each dialog is shown (offscreen) and handed to the next
// step of the test's script, which presses its buttons.

#include "gui_common/modal_runner.h"

#include <QAbstractButton>
#include <QDialog>

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace testsupport {

class ScriptedRunner final : public ::gui::ModalRunner {
public:
    using Step = std::function<void(QDialog&)>;

    int Run(QDialog& dialog) override;

    // Steps, one a dialog, in the order the dialogs appear.
    std::deque<Step> steps;
    // The caption of every dialog run, in order.
    std::vector<std::string> captions;
};

// The button of a dialog with this text; fails the test when there is none.
QAbstractButton* Button(QWidget& dialog, const char* text);
void Click(QWidget& dialog, const char* text);

// A step that checks nothing and presses one button.
ScriptedRunner::Step Press(const char* text);

}  // namespace testsupport
