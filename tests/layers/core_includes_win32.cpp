// Core code including a header of the Win32 backend: built only by the layering test, which
// expects the backend's guard to stop it before any system header is looked for.
#include "platform/win32/win32_clock.h"
