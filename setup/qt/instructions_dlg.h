#pragma once

#include <QDialog>

namespace setup::gui {

// The configuration editor's help page: what each section of config.cfg holds.
class CInstructionsDlg final : public QDialog {
public:
    explicit CInstructionsDlg(QWidget* parent = nullptr);
};

}  // namespace setup::gui
