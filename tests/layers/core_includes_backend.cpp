// Core code including a backend header: built only by the layering test, which expects
// the backend's guard to stop it.
#include "platform/posix/posix_clock.h"
