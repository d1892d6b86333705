#include "setup/win32/instructions_dlg.h"

#include "setup/setup_texts.h"
#include "setup/win32/resource.h"

#include <iterator>

namespace setup::win32 {

void CInstructionsDlg::OnInit() {
    ::SetWindowTextA(Window(), texts::kInstructionsCaption);
    static_assert(std::size(texts::kInstructions) == 19, "setup.rc holds 19 instruction boxes");
    for (int i = 0; i < static_cast<int>(std::size(texts::kInstructions)); ++i)
        ::SetDlgItemTextA(Window(), IDC_INSTRUCTION_FIRST + i, texts::kInstructions[i]);
    ::SetDlgItemTextA(Window(), IDCANCEL, texts::kCloseButton);
}

}  // namespace setup::win32
