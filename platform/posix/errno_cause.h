#pragma once

#include "platform/posix/backend_guard.h"
#include "platform/file_cause.h"

namespace platform::posix {

// errno of a failed call → the framework's cause number.
FileCause CauseFromErrno(int error);

}  // namespace platform::posix
