#pragma once

#include "platform/win32/backend_guard.h"

// <windows.h> without the macros that would rename the platform interfaces' methods of the
// same names (FileOperations::CreateDirectory and its siblings); the backend calls the
// system-code-page functions by their A names.
#include <windows.h>

#undef CopyFile
#undef CreateDirectory
#undef DeleteFile
#undef RemoveDirectory
