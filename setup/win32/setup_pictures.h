#pragma once

#include "setup/win32/win32_ui.h"

namespace setup::win32 {

// The installer's own icon, `size` pixels square; the caller destroys it.
HICON CreateSetupIcon(int size);

// The drive chooser's four 16 by 16 pictures, masked on black, in the order closed folder,
// open folder, down arrow, hard drive; the caller destroys the list.
HIMAGELIST CreateTreeImageList();

}  // namespace setup::win32
