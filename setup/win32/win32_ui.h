#pragma once

// <windows.h> and the common controls for the installer's Windows face, without the macros
// that would rename the platform interfaces' methods of the same names.
#include <windows.h>
#include <commctrl.h>

#undef CopyFile
#undef CreateDirectory
#undef DeleteFile
#undef RemoveDirectory
