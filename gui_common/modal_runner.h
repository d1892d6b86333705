#pragma once

class QDialog;

namespace gui {

// Runs a dialog modally and gives its result (QDialog::Accepted or Rejected). The
// programs run dialogs through this so that tests can drive each one in turn.
class ModalRunner {
public:
    virtual ~ModalRunner() = default;
    virtual int Run(QDialog& dialog) = 0;
};

// The real thing: QDialog::exec.
class ExecRunner final : public ModalRunner {
public:
    int Run(QDialog& dialog) override;
};

}  // namespace gui
