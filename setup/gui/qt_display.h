#pragma once

#include "platform/display.h"

namespace setup::gui {

// The primary screen's depth as Qt reports it.
class QtDisplay final : public platform::Display {
public:
    bool QueryColorDepth(int* bitsPerPixel) const override;
};

}  // namespace setup::gui
