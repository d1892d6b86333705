// Core code including a face header that uses Qt: built only by the layering test, which
// expects it to fail for want of Qt's headers.
#include "setup/qt/setup_dlg.h"
