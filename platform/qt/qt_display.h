#pragma once

#include "platform/qt/backend_guard.h"
#include "platform/display.h"

namespace platform::qt {

// The primary screen's depth as Qt reports it.
class QtDisplay final : public Display {
public:
    bool QueryColorDepth(int* bitsPerPixel) const override;
};

}  // namespace platform::qt
