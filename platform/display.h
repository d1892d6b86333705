#pragma once

namespace platform {

// The primary screen, as the GUI sees it.
class Display {
public:
    virtual ~Display() = default;
    // False when there is no screen to ask.
    virtual bool QueryColorDepth(int* bitsPerPixel) const = 0;
};

}  // namespace platform
