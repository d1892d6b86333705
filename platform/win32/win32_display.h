#pragma once

#include "platform/win32/backend_guard.h"
#include "platform/display.h"

namespace platform::win32 {

// The primary display's current mode (EnumDisplaySettings).
class Win32Display final : public Display {
public:
    bool QueryColorDepth(int* bitsPerPixel) const override;
};

}  // namespace platform::win32
