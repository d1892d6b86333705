// Core code including the installer's Qt face: built only by the layering test, which
// expects it to fail for want of Qt's headers.
#include "setup/qt/setup_dlg.h"
