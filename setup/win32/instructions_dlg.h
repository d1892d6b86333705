#pragma once

#include "setup/win32/modal_dialog.h"

namespace setup::win32 {

// The configuration editor's help page: what each section of config.cfg holds.
class CInstructionsDlg final : public ModalDialog {
protected:
    void OnInit() override;
};

}  // namespace setup::win32
