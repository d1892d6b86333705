#pragma once

#include "platform/win32/backend_guard.h"
#include "platform/file_cause.h"

namespace platform::win32 {

// A system error code (GetLastError) as the framework's file exceptions number it.
FileCause CauseFromError(unsigned long error);

}  // namespace platform::win32
